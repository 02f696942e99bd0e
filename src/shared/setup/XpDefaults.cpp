#include "shared/setup/XpDefaults.h"

namespace varn {

QStringList DefaultXpValues()
{
    return {
        // cover: header, placeholders, output rows, footer rows
        "A", "1", "G", "7",
        "A", "1", "G", "7",
        "A", "8", "G", "37",
        "A", "38", "G", "39",
        // detail
        "A", "1", "J", "7",
        "A", "1", "J", "7",
        "A", "8", "J", "37",
        "A", "38", "J", "39",
    };
}

QByteArray DefaultXpIniContent()
{
    QByteArray content;
    for (const QString& value : DefaultXpValues())
        content += value.toLatin1() + "\r\n";
    return content;
}

} // namespace varn
