#pragma once

#include "excel_output/SheetPlan.h"
#include "quotation/PageEnd.h"

#include <optional>

namespace varn {

// A fee row from column L: its title, "總價" and the rate as a percentage, or the title with
// the rate per 坪, "坪" and the floor area (or `areaText` when given); the fee's printed
// amount (none for a fee without one) in L + 4.
void PutFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const std::optional<double>& amount,
               const QString& areaText = {});
// The same row on a list, whose amounts stand in L + 5 under 複價 (the column 合計 and 總價
// use), grouped like the amounts above it; 單價 in L + 4 stays empty.
void PutListFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const std::optional<double>& amount);

// The discount as typed, when it is not zero: the totals block shows it between the tax
// (or 合計) and the grand total, so that the printed lines add up.
bool HasDiscount(const PageEndValues& pageEnd);
// "    折  扣" in L + 1 and, unless prices are hidden, the printed discount in amountColumn.
void PutDiscountRow(SheetPlan& plan, int row, int L, int amountColumn, double discount, bool hidePrices);

// The total line: "總價合計:新台幣" with the printed total in words ("元整(含稅)" or
// "(未稅)") in column 1, "NT:$" with it in figures in `figuresColumn`; the labels alone in a
// blank-price print. The words span the columns before the figures, the figures the
// columns to lastColumn, so no column border runs through them.
void PutTotalLine(SheetPlan& plan, int row, int figuresColumn, int lastColumn, const PageEndValues& pageEnd,
                  double total, bool blankPrices);

// The non-empty remarks in rows firstRow + slot, each in column L spanning to lastColumn.
void PutRemarks(SheetPlan& plan, int firstRow, int L, int lastColumn, const PageEndValues& pageEnd);

} // namespace varn
