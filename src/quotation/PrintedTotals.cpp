#include "quotation/PrintedTotals.h"

#include "platform/text/VbNumber.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace varn {

namespace {

// Amounts are decimals held in binary: a sum of them may miss a whole number by a trace,
// and two equal cents may differ in their last bits. Cents are judged to a millionth.
constexpr double kCentsScale = 1e6;

bool hasNoCents(double x)
{
    return std::abs(x - std::round(x)) <= 1 / kCentsScale + std::abs(x) * 1e-14;
}

// The cents of x (down its floor) to the digits a double holds at its size, about 15: at 13
// whole digits the cents alone. Equal cents then tie however large the amounts, and a sum
// judges as its 15-digit text read back, as the report's figures come.
double centsOf(double x, double down)
{
    const double wholeDigits = std::floor(std::log10(std::max(1.0, std::abs(x)))) + 1;
    const double scale = std::min(kCentsScale, std::pow(10.0, std::max(0.0, 15 - wholeDigits)));
    return std::round((x - down) * scale) / scale;
}

std::vector<double> eachRounded(const std::vector<double>& amounts)
{
    std::vector<double> out;
    out.reserve(amounts.size());
    for (double x : amounts)
        out.push_back(RoundHalfEven(x));
    return out;
}

} // namespace

std::optional<double> ChargedFeeAmount(bool charged, const QString& amount)
{
    if (!charged || amount.isEmpty())
        return std::nullopt;
    return Val(amount);
}

ExactTotals ExactTotalsOf(const PageEndValues& pe, double subtotal, std::vector<double> groups)
{
    auto charged = [](const FeeValues& fee) {
        return ChargedFeeAmount(fee.checked != CheckState::Unchecked, fee.amount);
    };
    ExactTotals e;
    e.groups = std::move(groups);
    e.subtotal = subtotal;
    e.design = charged(pe.design);
    e.supervision = charged(pe.supervision);
    if (pe.taxChecked != CheckState::Unchecked)
        e.tax = Val(pe.tax);
    e.discount = Val(pe.discount);
    e.quoted = Val(pe.quoted);
    return e;
}

std::optional<std::vector<double>> SplitWhole(const std::vector<double>& amounts, double sum)
{
    std::vector<double> out;
    out.reserve(amounts.size());
    std::vector<std::pair<double, size_t>> cents;   // (cents, index) of the amounts with cents
    double floors = 0;
    for (size_t i = 0; i < amounts.size(); ++i) {
        const double x = amounts[i];
        double down = std::round(x);
        if (!hasNoCents(x)) {
            down = std::floor(x);
            cents.push_back({centsOf(x, down), i});
        }
        out.push_back(down);
        floors += down;
    }
    const double units = sum - floors;
    if (units < 0 || units > double(cents.size()) || units != std::floor(units))
        return std::nullopt;
    std::stable_sort(cents.begin(), cents.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    for (size_t k = 0; k < size_t(units); ++k)
        out[cents[k].second] += 1;
    return out;
}

std::vector<double> SplitOrRound(const std::vector<double>& amounts, double sum)
{
    std::optional<std::vector<double>> whole = SplitWhole(amounts, sum);
    return whole ? std::move(*whole) : eachRounded(amounts);
}

PrintedTotals SplitPrintedTotals(const ExactTotals& e)
{
    PrintedTotals p;
    p.total = RoundHalfEven(e.quoted);
    p.tax = e.tax ? RoundHalfEven(*e.tax) : 0;

    std::vector<double> lines{e.subtotal};
    for (const auto* fee : {&e.design, &e.supervision}) {
        if (*fee)
            lines.push_back(**fee);
    }
    // 合計 and 折扣 share what 總計 leaves after 稅金, each rounded down or up: a discount
    // with cents rounded on its own can leave 合計 a unit short of every rounding of the
    // lines above it. Totals kept as typed may not allow that; the discount is then rounded.
    double exactUntaxed = 0;
    for (double line : lines)
        exactUntaxed += line;
    if (const auto shared = SplitWhole({exactUntaxed, e.discount}, p.total - p.tax)) {
        p.untaxed = (*shared)[0];
        p.discount = (*shared)[1];
    } else {
        p.discount = RoundHalfEven(e.discount);
        p.untaxed = p.total - p.tax - p.discount;
    }
    const std::vector<double> whole = SplitOrRound(lines, p.untaxed);
    size_t i = 0;
    p.subtotal = whole[i++];
    if (e.design)
        p.design = whole[i++];
    if (e.supervision)
        p.supervision = whole[i++];
    p.groups = SplitOrRound(e.groups, p.subtotal);
    return p;
}

} // namespace varn
