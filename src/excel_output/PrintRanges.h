#pragma once

#include "platform/workbook/CellRef.h"

#include <QString>
#include <QStringList>

namespace varn {

// The geometry of one sheet from its four print ranges (Xp.ini lines 1-16 for the cover,
// 17-32 for the details). Read only from values CheckQuotationTemplate accepted.
struct SheetRanges {
    CellRange header;      // 表頭範圍: print titles
    CellRange variables;   // 變數範圍: where the placeholders are looked for
    CellRange output;      // 輸出範圍: the rows one page block fills
    CellRange footer;      // 頁尾範圍: its bottom row ends the page block
    QString leftLetter, rightLetter;             // 輸出範圍 columns as typed
    QString titleRows, titleColumns;             // "$1:$7", "$A:$G"

    int L() const { return output.topLeft.column; }
    int firstRow() const { return output.topLeft.row; }
    int lastOutputRow() const { return output.bottomRight.row; }
    int lastRow() const { return footer.bottomRight.row; }
    int outputRows() const { return lastOutputRow() - firstRow() + 1; }
    // From the first output row to the last footer row.
    int blockHeight() const { return lastRow() - firstRow() + 1; }
    // The template's page block: the output columns, from the first output row to the
    // last footer row.
    CellRange block() const;
};

// Lines first..first+15 (1-based) of the 32 values.
SheetRanges ReadSheetRanges(const QStringList& xp, int first);
inline SheetRanges CoverRanges(const QStringList& xp) { return ReadSheetRanges(xp, 1); }
inline SheetRanges DetailRanges(const QStringList& xp) { return ReadSheetRanges(xp, 17); }

} // namespace varn
