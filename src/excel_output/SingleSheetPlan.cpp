#include "excel_output/SingleSheetPlan.h"

#include "excel_output/DetailFigures.h"
#include "excel_output/TotalLines.h"
#include "platform/text/VbNumber.h"
#include "quotation/PrintedTotals.h"

namespace varn {

SingleSheetPlan PlanSingleSheet(const std::vector<DetailRow>& rows, const PageEndValues& pe, const LayoutFlags& flags,
                                bool noPriceRight, const SheetRanges& detail, const SheetRanges& cover)
{
    // The items are the whole quotation's, so their sum is its 小計.
    double items = 0, costs = 0;
    for (const DetailRow& row : rows) {
        items += row.top;
        costs += row.toc;
    }
    const PrintedTotals totals = SplitPrintedTotals(ExactTotalsOf(pe, items));
    // The list's rows and 小計s print that 小計 split, as a cover's detail sheet prints its lines.
    const std::vector<DetailRow> whole = WholeDetailRows(
        rows, {{QString(), totals.subtotal, RoundHalfEven(costs), 0}}, [](const DetailRow&) { return QString(); },
        [&flags](const DetailRow& r) { return flags.FlatList ? QString() : r.tre; });

    SingleSheetPlan plan;
    static_cast<DetailPlan&>(plan) = PlanDetail(whole, flags, noPriceRight, detail);
    const int L = detail.L();
    const int B = plan.nextRow;
    const bool hidePrices = flags.BlankPrices || noPriceRight;
    const bool tax = pe.taxChecked != CheckState::Unchecked;
    plan.closingRow = B;

    // Fee amounts come from prices: none in a blank-price print.
    if (!hidePrices) {
        if (pe.design.checked != CheckState::Unchecked)
            PutListFeeRow(plan, B + 1, L, pe.design, totals.design);
        if (pe.supervision.checked != CheckState::Unchecked)
            PutListFeeRow(plan, B + 2, L, pe.supervision, totals.supervision);
    }
    plan.put(B + 3, L + 1, QStringLiteral("    合  計"));
    if (!hidePrices)
        plan.put(B + 3, L + 5, totals.untaxed);
    if (tax) {
        plan.put(B + 4, L + 1, QStringLiteral("    稅  金"));
        if (!hidePrices)
            plan.put(B + 4, L + 5, totals.tax);
    }
    // A discount takes the row after 稅金 and moves 總價 down one.
    const int last = HasDiscount(pe) ? B + 6 : B + 5;
    if (last > B + 5)
        PutDiscountRow(plan, B + 5, L, L + 5, totals.discount, hidePrices);
    if (!noPriceRight) {
        plan.put(last, L + 1, QStringLiteral("    總  價"));
        if (!flags.BlankPrices)
            plan.put(last, L + 5, totals.total);
    }

    const int E = detail.lastOutputRow();
    const int Z = cover.lastOutputRow();
    const int lastColumn = detail.output.bottomRight.column;
    plan.long_ = last >= E - 5 || last >= Z;
    plan.firstRemarkRow = plan.long_ ? last + 1 : E - 5;
    plan.lineRow = plan.long_ ? last + 6 : Z;
    PutRemarks(plan, plan.firstRemarkRow, L, lastColumn, pe);
    PutTotalLine(plan, plan.lineRow, cover.L() + 5, lastColumn, pe, totals.total, flags.BlankPrices);

    if (plan.long_) {
        // Rows below the output range look like its first row; the footer follows the line.
        const CellRange firstRow{{detail.firstRow(), detail.output.topLeft.column},
                                 {detail.firstRow(), detail.output.bottomRight.column}};
        for (int r = E + 1; r <= plan.lineRow; ++r)
            plan.copies.push_back({firstRow, r});
        if (detail.lastRow() > E) {
            const CellRange footer{{E + 1, detail.output.topLeft.column},
                                   {detail.lastRow(), detail.output.bottomRight.column}};
            // The footer is read before the rows above overwrite it: copy it first.
            plan.copies.insert(plan.copies.begin(), {footer, plan.lineRow + 1});
        }
    }
    return plan;
}

} // namespace varn
