#include "excel_output/TotalLines.h"

#include "platform/text/VbNumber.h"
#include "shared/TextRoutines.h"
#include "statistics/PrintTables.h"

namespace varn {

void PutFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const QString& areaText)
{
    if (fee.byTotal) {
        plan.put(row, L + 1, fee.title);
        plan.put(row, L + 2, QStringLiteral("總價"));
        plan.put(row, L + 3, Val(fee.rate), HorizontalAlignment::Right, QStringLiteral("0%"));
    } else {
        plan.put(row, L + 1, fee.title + QLatin1Char('\t') + fee.rate + QStringLiteral("元/坪"));
        plan.put(row, L + 2, QStringLiteral("坪"));
        plan.put(row, L + 3, areaText.isEmpty() ? fee.base : areaText, HorizontalAlignment::Right);
    }
    plan.put(row, L + 4, Val(fee.amount));
}

void PutTotalLine(SheetPlan& plan, int row, int figuresColumn, const PageEndValues& pe, bool blankPrices)
{
    const double quoted = RoundedQuotedTotal(pe.quoted);
    const bool tax = pe.taxChecked != CheckState::Unchecked;
    QString words = QStringLiteral("總價合計:新台幣");
    QString figures = QStringLiteral("NT:$");
    if (!blankPrices) {
        words += QuotedTotalInWords(quoted) + (tax ? QStringLiteral("元整(含稅)") : QStringLiteral("元整(未稅)"));
        figures += GroupThousands(quoted) + QLatin1Char('-');
    }
    plan.put(row, 1, words, HorizontalAlignment::Left);
    plan.put(row, figuresColumn, figures, HorizontalAlignment::Right);
}

} // namespace varn
