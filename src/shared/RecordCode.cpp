#include "shared/RecordCode.h"

#include "shared/TextRoutines.h"

#include <optional>

namespace varn {

namespace {

constexpr int kNumberWidth = 3;

bool isAsciiLetter(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

// The running number of a code under the prefix, without leading zeros ("0" for zero);
// nothing when the code is not under the prefix or its number part is not all digits.
std::optional<QString> runningNumber(const QString& code, const QString& prefix)
{
    if (!code.startsWith(prefix, Qt::CaseInsensitive) || code.size() == prefix.size())
        return std::nullopt;
    QStringView number = QStringView(code).sliced(prefix.size());
    for (const QChar c : number) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    while (number.size() > 1 && number.front() == u'0')
        number = number.sliced(1);
    return number.toString();
}

// Numbers as digit texts without leading zeros, so no stored code can overflow them.
bool numberLess(const QString& a, const QString& b)
{
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

QString increment(QString number)
{
    auto i = number.size();
    while (i > 0 && number.at(i - 1) == u'9') {
        number[i - 1] = u'0';
        --i;
    }
    if (i == 0)
        number.prepend(u'1');
    else
        number[i - 1] = QChar(number.at(i - 1).unicode() + 1);
    return number;
}

} // namespace

QString RecordCodePrefix(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QChar first = name.at(0);
    if (isAsciiLetter(first))
        return QString(first.toUpper());
    return StrokePrefix(name);
}

QString NextRecordCode(const QString& prefix, const QStringList& storedCodes)
{
    if (prefix.isEmpty())
        return {};
    std::optional<QString> greatest;
    for (const QString& code : storedCodes) {
        const auto number = runningNumber(code, prefix);
        if (number && (!greatest || numberLess(*greatest, *number)))
            greatest = number;
    }
    const QString next = greatest ? increment(*greatest) : QStringLiteral("1");
    return prefix + next.rightJustified(kNumberWidth, u'0');
}

QString NewRecordCode(const QString& name, const QStringList& storedCodes)
{
    const QString prefix = RecordCodePrefix(name);
    return prefix.isEmpty() ? QString() : NextRecordCode(prefix, storedCodes);
}

QString RecordCodePrefixOf(const QString& code)
{
    if (code.isEmpty())
        return {};
    return isAsciiLetter(code.at(0)) ? code.left(1).toUpper() : code.left(2);
}

QStringList RecordCodePrefixes()
{
    QStringList prefixes;
    prefixes.reserve(59);
    for (int stroke = 1; stroke <= 33; ++stroke)
        prefixes << QStringLiteral("%1").arg(stroke, 2, 10, QLatin1Char('0'));
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        prefixes << QString(QChar(letter));
    return prefixes;
}

} // namespace varn
