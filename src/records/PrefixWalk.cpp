#include "records/PrefixWalk.h"

namespace varn {

std::optional<QString> NextListPrefix(const QString& prefix)
{
    if (prefix.isEmpty())
        return std::nullopt;
    const QChar first = prefix.at(0).toUpper();
    if (first >= u'A' && first <= u'Z') {
        if (first == u'Z')
            return std::nullopt;
        return QString(QChar(first.unicode() + 1));
    }
    if (prefix.size() != 2 || !prefix.at(0).isDigit() || !prefix.at(1).isDigit()
        || prefix.at(0) > u'9' || prefix.at(1) > u'9')
        return std::nullopt;
    const int value = prefix.toInt();
    if (value < 1 || value > 33)
        return std::nullopt;
    if (value == 33)
        return QStringLiteral("A");
    return QStringLiteral("%1").arg(value + 1, 2, 10, QLatin1Char('0'));
}

} // namespace varn
