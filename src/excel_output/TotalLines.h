#pragma once

#include "excel_output/SheetPlan.h"
#include "quotation/PageEnd.h"

namespace varn {

// A fee row from column L: its title, "總價" and the rate as a percentage, or the title with
// the rate per 坪, "坪" and the floor area (or `areaText` when given); the fee amount in L + 4.
void PutFeeRow(SheetPlan& plan, int row, int L, const FeeValues& fee, const QString& areaText = {});

// The total line: "總價合計:新台幣" with the rounded quoted total in words ("元整(含稅)" or
// "(未稅)") in column 1, "NT:$" with it in figures in `figuresColumn`; the labels alone in a
// blank-price print.
void PutTotalLine(SheetPlan& plan, int row, int figuresColumn, const PageEndValues& pageEnd, bool blankPrices);

} // namespace varn
