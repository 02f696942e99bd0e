#pragma once

#include "quotation/PageEnd.h"

#include <optional>
#include <vector>

namespace varn {

// The whole figures of a quotation's totals block, worked out once for every printout
// (the first page report, the covers, the single sheets), so that two printouts of one
// quotation agree and a customer adding up the lines gets the total printed under them.

// The exact amounts of the block.
struct ExactTotals {
    std::vector<double> groups;          // the areas or work types printed above 小計
    double subtotal = 0;                 // 小計: the items' total
    std::optional<double> design;        // 設計費, when charged and it has an amount
    std::optional<double> supervision;   // 監工費, likewise
    std::optional<double> tax;           // 稅金, when tax is charged
    double discount = 0;                 // 折扣 as typed
    double quoted = 0;                   // 報價總價
};

// A fee's exact amount when it is charged and has one: a fee without an amount prints none.
std::optional<double> ChargedFeeAmount(bool charged, const QString& amount);

// The exact amounts as the page-end panel holds them, with the items' total and the groups
// the printout lists.
ExactTotals ExactTotalsOf(const PageEndValues& pageEnd, double subtotal, std::vector<double> groups = {});

struct PrintedTotals {
    std::vector<double> groups;          // in the order given
    double subtotal = 0;                 // 小計
    std::optional<double> design;        // none for a fee without an amount
    std::optional<double> supervision;
    double untaxed = 0;                  // 合計: what 總計 leaves after 稅金 and 折扣
    double tax = 0;                      // 稅金 (0 when not charged)
    double discount = 0;                 // 折扣, rounded down or up with 合計
    double total = 0;                    // 總計: 報價總價 rounded, halves to even
};

// Whole figures for `amounts` adding up to `sum`, each its amount rounded down or up: an
// amount without cents stays as it is, and the units the rounding down leaves go to the
// amounts with the largest cents, the first of them on a tie. None when no such figures exist.
std::optional<std::vector<double>> SplitWhole(const std::vector<double>& amounts, double sum);
// SplitWhole's figures, or each amount rounded (halves to even) where it finds none.
std::vector<double> SplitOrRound(const std::vector<double>& amounts, double sum);

// 總計 and 稅金 whole; 合計 and 折扣 split to add up to what they leave; 小計 and the fees
// split to add up to 合計, the groups to add up to 小計 (each level on its own rounding where
// it cannot be split, 合計 then what 總計 leaves after 稅金 and the rounded 折扣).
PrintedTotals SplitPrintedTotals(const ExactTotals& exact);

} // namespace varn
