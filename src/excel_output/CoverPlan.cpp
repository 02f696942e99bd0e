#include "excel_output/CoverPlan.h"

#include "excel_output/TotalLines.h"

#include "platform/text/VbNumber.h"
#include "quotation/PrintedTotals.h"
#include "shared/TextRoutines.h"

namespace varn {

namespace {

bool checked(int state)
{
    return state != CheckState::Unchecked;
}

// A charged fee with its printed amount.
using FeeRow = std::pair<const FeeValues*, std::optional<double>>;

std::vector<FeeRow> chargedFees(const PageEndValues& pe, const PrintedTotals& t)
{
    std::vector<FeeRow> fees;
    for (const FeeRow& f : {FeeRow{&pe.design, t.design}, FeeRow{&pe.supervision, t.supervision}}) {
        if (checked(f.first->checked))
            fees.push_back(f);
    }
    return fees;
}

// The printed figures: the groups are the whole quotation's items, so their sum is its 小計.
PrintedTotals printedTotals(const CoverInput& in)
{
    std::vector<double> groups;
    double items = 0;
    for (const CoverGroup& g : in.groups) {
        groups.push_back(g.amount);
        items += g.amount;
    }
    return SplitPrintedTotals(ExactTotalsOf(in.pageEnd, items, std::move(groups)));
}

// 成本 whole as the amounts are: the quotation's cost rounded, each group's cost rounded down
// or up so that the groups add up to it (each on its own rounding where they cannot).
struct PrintedCosts {
    std::vector<double> groups;
    double total = 0;
};

PrintedCosts printedCosts(const CoverInput& in)
{
    PrintedCosts p;
    p.total = RoundHalfEven(in.costTotal);
    std::vector<double> exact;
    for (const CoverGroup& g : in.groups)
        exact.push_back(g.cost);
    p.groups = SplitOrRound(exact, p.total);
    return p;
}

// The first row a non-empty remark takes when the remarks stand at line − 5 .. line − 1;
// the line itself when every remark is empty.
int firstRemarkRow(const PageEndValues& pe, int line)
{
    for (int k = 0; k < 5; ++k) {
        if (!pe.remarks[size_t(k)].isEmpty())
            return line - 5 + k;
    }
    return line;
}

} // namespace

CoverPlan PlanCover(const CoverInput& in, const SheetRanges& r)
{
    const LayoutFlags& f = in.flags;
    const PageEndValues& pe = in.pageEnd;
    const int L = r.L();
    const int R0 = r.firstRow();
    const int R1 = r.lastOutputRow();
    const int H = r.blockHeight();
    const int outRows = r.outputRows();
    const bool tax = checked(pe.taxChecked);
    const PrintedTotals totals = printedTotals(in);
    const PrintedCosts costs = printedCosts(in);
    // Fee amounts come from prices: none in a blank-price print.
    const std::vector<FeeRow> fees = f.BlankPrices ? std::vector<FeeRow>{} : chargedFees(pe, totals);
    const int flowRows = int(in.groups.size()) + int(fees.size());
    const bool discount = HasDiscount(pe);
    const int totalsRows = 2 + (tax ? 1 : 0) + (discount ? 1 : 0);
    // Rows of the totals block above the total line on the last page: 合計 at line − 8,
    // 稅金 − 7, 總計 − 6, the remarks − 5 to − 1; a discount row before 總計 adds one.
    const int footRows = discount ? 10 : 9;

    CoverPlan plan;
    plan.block = r.block();
    plan.overflow = R0 + flowRows + totalsRows > firstRemarkRow(pe, R1);
    int line = R1;
    if (plan.overflow) {
        if (outRows < footRows + 1)
            throw PrintPlanError(QStringLiteral("首頁輸出範圍只有 %1 列，放不下分頁後的合計區（至少要 %2 列）")
                                     .arg(outRows)
                                     .arg(footRows + 1));
        const int lastPageRows = outRows - footRows;
        int pages = 2;
        while ((pages - 1) * outRows + lastPageRows < flowRows)
            ++pages;
        plan.blocks = pages;
        line = R1 + (pages - 1) * H;
    }
    // Row of the i-th summary or fee row: each page's output rows in turn.
    auto flowRow = [&](int i) {
        const int page = std::min(i / outRows, plan.blocks - 1);
        return R0 + page * H + (i - page * outRows);
    };

    for (int i = 0; i < int(in.groups.size()); ++i) {
        const CoverGroup& g = in.groups[size_t(i)];
        const int row = flowRow(i);
        plan.put(row, L, AmountToChineseFormal(double(i) + 1));
        plan.put(row, L + 1, g.name);
        plan.put(row, L + 2, QStringLiteral("式"));
        plan.put(row, L + 3, 1.0);
        const double amount = totals.groups[size_t(i)], cost = costs.groups[size_t(i)];
        plan.groups.push_back({g.name, amount, cost, amount - cost});
        if (!f.BlankPrices)
            plan.put(row, L + 4, amount);
        if (f.ShowCost)
            plan.put(row, L + 5, cost);
        // The margin of the figures printed, so that the row reads amount − cost.
        if (f.ShowCost && !f.BlankPrices)
            plan.put(row, L + 6, amount - cost);
    }
    int next = int(in.groups.size());
    for (const auto& [fee, amount] : fees) {
        const QString areaText = in.areaNoTypes || in.feeAreaTimesRate
                                     ? fee->base + QStringLiteral(" X ") + CStr(Val(fee->rate))
                                     : QString();
        PutFeeRow(plan, flowRow(next++), L, *fee, amount, areaText);
    }

    int row = plan.overflow ? line - footRows + 1 : flowRow(next);
    plan.totalRow = row;
    plan.put(row, L + 1, QStringLiteral("    合  計"));
    if (!f.BlankPrices)
        plan.put(row, L + 4, totals.untaxed);
    if (f.ShowCost)
        plan.put(row, L + 5, costs.total);
    if (f.ShowCost && !f.BlankPrices)
        plan.put(row, L + 6, totals.untaxed - costs.total);
    ++row;
    if (tax) {
        plan.put(row, L + 1, QStringLiteral("    稅  金"));
        if (!f.BlankPrices)
            plan.put(row, L + 4, totals.tax);
        ++row;
    } else if (plan.overflow) {
        ++row;   // the tax row's place stays empty at the foot of the page
    }
    if (discount)
        PutDiscountRow(plan, row++, L, L + 4, totals.discount, f.BlankPrices);
    plan.grandRow = row;
    plan.put(row, L + 1, QStringLiteral("    總  計"));
    if (!f.BlankPrices)
        plan.put(row, L + 4, totals.total);

    plan.lineRow = line;
    const int lastColumn = r.output.bottomRight.column;
    PutTotalLine(plan, line, L + 5, lastColumn, pe, totals.total, f.BlankPrices);
    if (in.areaNoTypes && !plan.overflow) {
        plan.emphasize(line, 1, 14);
        plan.emphasize(line, L + 5, 12);
    }

    PutRemarks(plan, line - 5, L, lastColumn, pe);
    return plan;
}

} // namespace varn
