#include "shared/RocDate.h"

#include <QStringList>

namespace varn {

namespace {

constexpr int kEraOffset = 1911;

bool inEra(const QDate& date)
{
    return date.isValid() && date.year() > kEraOffset;
}

// A part of a date text: ASCII digits only, surrounding blanks allowed; -1 otherwise.
int datePart(const QString& part)
{
    const QString digits = part.trimmed();
    if (digits.isEmpty() || digits.size() > 4)
        return -1;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return digits.toInt();
}

} // namespace

QString FormatRocDate(const QDate& date)
{
    if (!inEra(date))
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.year() - kEraOffset, 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString FormatRocDateShort(const QDate& date)
{
    if (!inEra(date))
        return {};
    return QStringLiteral("%1/%2/%3").arg(date.year() - kEraOffset).arg(date.month()).arg(date.day());
}

QDate ParseRocDate(const QString& text)
{
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        return {};
    const int year = datePart(parts.at(0));
    const int month = datePart(parts.at(1));
    const int day = datePart(parts.at(2));
    if (year < 1 || month < 0 || day < 0)
        return {};
    return QDate(year + kEraOffset, month, day); // invalid when month or day is out of range
}

} // namespace varn
