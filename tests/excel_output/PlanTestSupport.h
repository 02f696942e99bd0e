#pragma once

#include "excel_output/PrintRanges.h"
#include "shared/setup/XpDefaults.h"

#include <QStringList>

namespace varn::test {

// Print ranges with small blocks, so that small quotations cross pages: the cover's output
// rows A8:G17 with footer rows 18-19, the detail's A8:J12 with footer rows 13-14.
inline QStringList SmallXp()
{
    return {"A", "1", "G", "7", "A", "1", "G", "7", "A", "8", "G", "17", "A", "18", "G", "19",
            "A", "1", "J", "7", "A", "1", "J", "7", "A", "8", "J", "12", "A", "13", "J", "14"};
}

inline QString Q(std::initializer_list<const char*> levels)
{
    QString p = QStringLiteral("\uFF31");
    for (const char* l : levels)
        p += QChar(0x2027) + QString::fromUtf8(l);
    return p;
}

} // namespace varn::test
