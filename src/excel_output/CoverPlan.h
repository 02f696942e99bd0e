#pragma once

#include "excel_output/PrintRanges.h"
#include "excel_output/SheetPlan.h"
#include "quotation/LayoutFlags.h"
#include "quotation/PageEnd.h"

#include <vector>

namespace varn {

// One row of the cover's summary: an area or a work type with its figures.
struct CoverGroup {
    QString name;
    double amount = 0;   // sum of 金額
    double cost = 0;     // sum of 成本複計
    double margin = 0;   // amount − cost
};

struct CoverInput {
    std::vector<CoverGroup> groups;   // in print order
    PageEndValues pageEnd;            // fees, tax, totals of the whole quotation, remarks
    double costTotal = 0;             // 成本複計 of the whole quotation
    LayoutFlags flags;
    // The area layout without work types: a fee by 坪 shows "area X rate" in its L + 3, and
    // the total line of a one-page cover is set in bold.
    bool areaNoTypes = false;
    bool feeAreaTimesRate = false;    // a fee by floor area shows "30 X 1500" under 坪
};

struct CoverPlan : SheetPlan {
    bool overflow = false;   // more than one page: the totals block stands at the foot of the last
    int totalRow = 0;        // 合計
    int grandRow = 0;        // 總計
    int lineRow = 0;         // 總價合計 line
    std::vector<CoverGroup> groups;   // as printed: amount, cost and margin whole
};

// The cover sheet: one summary row per group (numeral, name, "式", 1, amount, and cost and
// margin in the cost layouts), the fee rows, the totals block (合計, 稅金, a discount when
// there is one, 總計), the non-empty remarks and the amount in words. When the rows leave
// no room above the first remark and the total line, the cover takes as many pages as it
// needs, the summary and fee rows skipping each page's footer rows, and the totals block
// goes to the foot of the last page. Throws PrintPlanError when the output range is too
// short for that. The amounts are whole, the figures every printout of the quotation shows
// (SplitPrintedTotals): the groups and fees add up to 合計, and 合計, 稅金 and a discount
// to 總計. The costs are whole by the same rule, the groups' adding up to 合計's, and each
// margin is the printed amount less the printed cost.
CoverPlan PlanCover(const CoverInput& in, const SheetRanges& ranges);

} // namespace varn
