#include "excel_output/TotalLines.h"

#include "platform/text/VbNumber.h"
#include "shared/TextRoutines.h"
#include "statistics/PrintTables.h"

namespace varn {

namespace {

// Title, unit and rate or area of a fee row, in L + 1 .. L + 3.
void putFeeTerms(SheetPlan& plan, int row, int L, const FeeValues& fee, const QString& areaText)
{
    if (fee.byTotal) {
        plan.put(row, L + 1, fee.title);
        plan.put(row, L + 2, QStringLiteral("總價"));
        const double rate = Val(fee.rate);
        plan.put(row, L + 3, rate, HorizontalAlignment::Right, RatePercentFormat(rate));
    } else {
        plan.put(row, L + 1, fee.title + QLatin1Char('\t') + fee.rate + QStringLiteral("元/坪"));
        plan.put(row, L + 2, QStringLiteral("坪"));
        plan.put(row, L + 3, areaText.isEmpty() ? fee.base : areaText, HorizontalAlignment::Right);
    }
}

} // namespace

void PutFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const std::optional<double>& amount,
               const QString& areaText)
{
    putFeeTerms(plan, row, L, fee, areaText);
    if (amount)
        plan.put(row, L + 4, *amount);
}

void PutListFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const std::optional<double>& amount)
{
    putFeeTerms(plan, row, L, fee, {});
    if (amount)
        plan.put(row, L + 5, *amount, HorizontalAlignment::General, QStringLiteral("#,##0"));
}

bool HasDiscount(const PageEndValues& pe)
{
    return Val(pe.discount) != 0;
}

void PutDiscountRow(SheetPlan& plan, int row, int L, int amountColumn, double discount, bool hidePrices)
{
    plan.put(row, L + 1, QStringLiteral("    折  扣"));
    if (!hidePrices)
        plan.put(row, amountColumn, discount);
}

void PutTotalLine(SheetPlan& plan, int row, int figuresColumn, int lastColumn, const PageEndValues& pe,
                  double quoted, bool blankPrices)
{
    const bool tax = pe.taxChecked != CheckState::Unchecked;
    QString words = QStringLiteral("總價合計:新台幣");
    QString figures = QStringLiteral("NT:$");
    if (!blankPrices) {
        words += QuotedTotalInWords(quoted) + (tax ? QStringLiteral("元整(含稅)") : QStringLiteral("元整(未稅)"));
        figures += GroupThousands(quoted) + QLatin1Char('-');
    }
    plan.put(row, 1, words, HorizontalAlignment::Left);
    plan.put(row, figuresColumn, figures, HorizontalAlignment::Right);
    plan.merge(row, 1, figuresColumn - 1);
    plan.merge(row, figuresColumn, lastColumn);
}

void PutRemarks(SheetPlan& plan, int firstRow, int L, int lastColumn, const PageEndValues& pe)
{
    for (int k = 0; k < 5; ++k) {
        const QString& remark = pe.remarks[size_t(k)];
        if (remark.isEmpty())
            continue;
        plan.put(firstRow + k, L, remark, HorizontalAlignment::Left);
        plan.merge(firstRow + k, L, lastColumn);
    }
}

} // namespace varn
