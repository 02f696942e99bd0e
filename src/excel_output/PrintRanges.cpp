#include "excel_output/PrintRanges.h"

namespace varn {

namespace {

CellRange rangeAt(const QStringList& xp, int first)
{
    const int c1 = xp.value(first - 1).isEmpty() ? 1 : xp.value(first - 1).at(0).unicode() - 64;
    const int c2 = xp.value(first + 1).isEmpty() ? 1 : xp.value(first + 1).at(0).unicode() - 64;
    return CellRange{{xp.value(first).toInt(), c1}, {xp.value(first + 2).toInt(), c2}};
}

} // namespace

CellRange SheetRanges::block() const
{
    return CellRange{{firstRow(), output.topLeft.column}, {lastRow(), output.bottomRight.column}};
}

SheetRanges ReadSheetRanges(const QStringList& xp, int first)
{
    SheetRanges r;
    r.header = rangeAt(xp, first);
    r.variables = rangeAt(xp, first + 4);
    r.output = rangeAt(xp, first + 8);
    r.footer = rangeAt(xp, first + 12);
    r.leftLetter = xp.value(first + 7);
    r.rightLetter = xp.value(first + 9);
    r.titleRows = QStringLiteral("$%1:$%2").arg(xp.value(first), xp.value(first + 2));
    r.titleColumns = QStringLiteral("$%1:$%2").arg(xp.value(first - 1), xp.value(first + 1));
    return r;
}

} // namespace varn
