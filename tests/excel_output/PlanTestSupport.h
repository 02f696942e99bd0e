#pragma once

#include "excel_output/DetailPlan.h"
#include "excel_output/PrintRanges.h"
#include "excel_output/SheetPlan.h"
#include "shared/setup/XpDefaults.h"
#include "support/QuotationContent.h"

namespace varn::test {

// Print ranges with small blocks, so that small quotations cross pages: the cover's output
// rows A8:G17 with footer rows 18-19, the detail's A8:J12 with footer rows 13-14.
inline QStringList SmallXp()
{
    return {"A", "1", "G", "7", "A", "1", "G", "7", "A", "8", "G", "17", "A", "18", "G", "19",
            "A", "1", "J", "7", "A", "1", "J", "7", "A", "8", "J", "12", "A", "13", "J", "14"};
}

inline constexpr auto* Q = &LeafPath;

// One item of `top` (its unit price as well), one 式 of it.
inline DetailRow PlanRow(const QString& tre, const QString& name, double top, const char* area = "")
{
    DetailRow d;
    d.tre = tre;
    d.des = name;
    d.uni = QStringLiteral("式");
    d.qua = 1;
    d.unp = d.top = top;
    d.aot = QString::fromUtf8(area);
    return d;
}

// Columns 1..last of one planned row as texts.
inline QStringList RowTexts(const SheetPlan& p, int row, int last)
{
    QStringList out;
    for (int c = 1; c <= last; ++c)
        out << p.textAt(row, c);
    return out;
}

// "A|B" of the planned rows 8..last.
inline QStringList ColumnsAB(const SheetPlan& p, int last)
{
    QStringList out;
    for (int r = 8; r <= last; ++r)
        out << p.textAt(r, 1) + u'|' + p.textAt(r, 2);
    return out;
}

} // namespace varn::test
