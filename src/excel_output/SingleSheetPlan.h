#pragma once

#include "excel_output/DetailPlan.h"
#include "quotation/PageEnd.h"

namespace varn {

struct SingleSheetPlan : DetailPlan {
    int closingRow = 0;   // B: the empty row after the list; the closing rows follow it
    int lineRow = 0;      // the 總價合計 line
    int firstRemarkRow = 0;
    bool long_ = false;   // the list reached the remarks: they and the line follow the closing rows
};

// One sheet without a cover: the list (with headings and 小計 rows, or flat), then the
// closing rows below it (design fee, supervision fee, 合計, 稅金, 總價 at B + 1 … B + 5, a
// row left empty where one is not written; a discount row before 總價 moves it to B + 6),
// the non-empty remarks in the five rows above the detail output range's last row and the
// total line on the cover output range's last row. The fees and totals are whole, the
// figures every printout of the quotation shows (SplitPrintedTotals); the list's 複價 and
// 小計s are whole too, adding up to that 小計 (WholeDetailRows).
// A list that reaches the remarks' rows puts the remarks right after the closing rows and
// the total line after them; the rows written below the output range then take the look and
// height of its first row, and the template's footer rows are carried below the last one.
SingleSheetPlan PlanSingleSheet(const std::vector<DetailRow>& rows, const PageEndValues& pageEnd,
                                const LayoutFlags& flags, bool noPriceRight, const SheetRanges& detail,
                                const SheetRanges& cover);

} // namespace varn
