#include "quotation/PageEnd.h"

#include "platform/text/DecimalSum.h"
#include "platform/text/VbNumber.h"
#include "quotation/PickLists.h"
#include "quotation/Pricing.h"

#include <algorithm>
#include <cmath>

namespace varn {

QString FeeValues::unit() const
{
    return byTotal ? QStringLiteral("元") : QStringLiteral("坪");
}

namespace PageEnd {

namespace {

// The number part of the tax rate as the box shows it: a bare number as Enter shows it
// ("0.05" as "5%"), then without the sign after it. Only a sign is cut off, never a digit.
QString taxRateNumber(const QString& text)
{
    QString shown = taxRateEntry(text).value_or(text);
    if (!shown.isEmpty() && !shown.back().isDigit() && shown.back() != u'.')
        shown.chop(1);
    return shown;
}

// A bare number whose percentage no double holds: no rate text can show it, so it is read
// as too large rather than written "0%".
bool percentageOverflows(const QString& text)
{
    const auto n = Pricing::parseNumber(text);
    return n && !std::isfinite(*n * 100.0);
}

} // namespace

void reset(PageEndValues& values)
{
    for (auto& r : values.remarks)
        r.clear();
    for (FeeValues* fee : {&values.design, &values.supervision}) {
        fee->checked = CheckState::Unchecked;
        fee->byTotal = true;
        fee->base.clear();
        fee->rate.clear();
        fee->amount.clear();
    }
    values.untaxed.clear();
    values.taxRate = QStringLiteral("5%");
    values.tax.clear();
    values.withTax.clear();
    values.discount.clear();
    values.quoted.clear();
}

QString feeAmount(const FeeValues& fee)
{
    if (fee.rate.isEmpty())
        return {};
    return CStr(Val(fee.rate) * Val(fee.base));
}

void recalcGrandTotal(PageEndValues& v, const QString& lbSumT)
{
    const int d = v.design.checked, l = v.supervision.checked, t = v.taxChecked;
    auto valid = [](int s) { return s == CheckState::Unchecked || s == CheckState::Checked; };
    if (!valid(d) || !valid(l) || !valid(t))
        return;   // a greyed box: no case of the key applies

    if (!d && !l) {
        v.untaxed = lbSumT;
    } else {
        DecimalSum n{Val(lbSumT)};
        if (d)
            n += Val(v.design.amount);
        if (l)
            n += Val(v.supervision.amount);
        v.untaxed = CStr(n.value());
    }

    const double untaxed = Val(v.untaxed);
    if (t) {
        if (v.taxRate.isEmpty()) {
            v.tax = QStringLiteral("0");
            v.withTax = CStr(RoundHalfEven(untaxed, 0));
        } else {
            const double r = taxRateValue(v.taxRate);
            double tax = RoundHalfEven(untaxed * r, 0);
            const double withTax = RoundHalfEven((1 + r) * untaxed, 0);
            // An exact tax at a half rounds either way. To even, beside 含稅總價 rounded on its
            // own, it can leave 含稅總價 − 稅金 a unit off a whole 總價 (22755 at 10 %: 25030 −
            // 2276), and no printed line above 合計 could keep its amount: it takes the other way.
            const double off = withTax - tax - untaxed;
            if (IsHalfway(untaxed * r) && std::abs(off) >= 1)
                tax += off > 0 ? 1 : -1;
            v.tax = CStr(tax);
            v.withTax = CStr(withTax);
        }
        v.quoted = CStr(DecimalSum{Val(v.discount), Val(v.withTax)}.value());
    } else {
        v.quoted = CStr(DecimalSum{Val(v.discount), untaxed}.value());
    }
}

void recalcBlock(PageEndValues& v, const QString& lbSumT)
{
    for (FeeValues* fee : {&v.design, &v.supervision}) {
        if (!fee->byTotal)
            continue;
        fee->base = CStr(Val(lbSumT));
        fee->amount = feeAmount(*fee);
    }
    recalcGrandTotal(v, lbSumT);
}

bool fitsNumerals(const PageEndValues& v)
{
    for (const QString* text : {&v.design.amount, &v.supervision.amount, &v.untaxed, &v.tax,
                                &v.withTax, &v.quoted}) {
        if (!Pricing::fitsNumerals(Val(*text)))
            return false;
    }
    // A typed number too long for a double reads as 0 in the amounts above.
    for (const QString& typed : {v.design.base, v.design.rate, v.supervision.base, v.supervision.rate,
                                 v.discount, taxRateNumber(v.taxRate)}) {
        if (std::isinf(Pricing::limitValue(typed)))
            return false;
    }
    // A fee or a tax past what a double holds is written as 0: it is judged as it is computed.
    for (const FeeValues* fee : {&v.design, &v.supervision}) {
        if (!std::isfinite(Val(fee->rate) * Val(fee->base)))
            return false;
    }
    if (v.taxChecked == CheckState::Checked && !v.taxRate.isEmpty()) {
        const double rate = taxRateValue(v.taxRate), untaxed = Val(v.untaxed);
        if (!std::isfinite(untaxed * rate) || !std::isfinite((1 + rate) * untaxed))
            return false;
    }
    return !percentageOverflows(v.taxRate);
}

double taxRateValue(const QString& text)
{
    return Val(taxRateNumber(text)) / 100.0;
}

std::optional<QString> taxRateEntry(const QString& text)
{
    const auto n = Pricing::parseNumber(text);
    if (!n || percentageOverflows(text))
        return std::nullopt;
    return PickLists::percentText(*n);
}

std::optional<QString> bareFileRate(const QString& text)
{
    if (!Pricing::parseNumber(text))
        return std::nullopt;
    return CStr(Val(text.chopped(1))) + u'%';
}

std::optional<BareRateReading> readBareFileRate(const PageEndValues& stored, const QString& lbSumT)
{
    const std::optional<QString> older = bareFileRate(stored.taxRate);
    if (!older)
        return std::nullopt;
    // A block never computed holds no figures to keep.
    if (stored.untaxed.isEmpty())
        return BareRateReading{*older, true, true, stored.quoted};

    QStringList candidates{*older};
    if (const std::optional<QString> entered = taxRateEntry(stored.taxRate))
        candidates << *entered;
    const double percent = Val(stored.tax) / Val(stored.untaxed) * 100;
    if (std::isfinite(percent) && percent >= 0) {
        candidates << CStr(std::round(percent)) + u'%';
        candidates << CStr(RoundHalfEven(percent, 2)) + u'%';
    }
    candidates.removeDuplicates();

    // A rate is judged by the total its figures were worked out from, the file's 總價: the
    // earlier program saved the block as last computed, and the rows may have changed since.
    const auto givesFigures = [&](const QString& rate) {
        PageEndValues trial = stored;
        trial.taxRate = rate;
        for (FeeValues* fee : {&trial.design, &trial.supervision})
            if (fee->checked == CheckState::Checked)
                fee->checked = CheckState::Unchecked;   // 總價 holds them already
        recalcGrandTotal(trial, stored.untaxed);
        return Val(trial.tax) == Val(stored.tax) && Val(trial.withTax) == Val(stored.withTax);
    };
    const auto found = std::find_if(candidates.cbegin(), candidates.cend(), givesFigures);
    BareRateReading read{found != candidates.cend() ? *found : *older, found != candidates.cend(), true, {}};
    PageEndValues next = stored;
    next.taxRate = read.rate;
    recalcBlock(next, lbSumT);
    read.quoted = next.quoted;
    read.keepsFigures = Val(next.tax) == Val(stored.tax) && Val(next.withTax) == Val(stored.withTax)
        && Val(next.quoted) == Val(stored.quoted);
    return read;
}

} // namespace PageEnd
} // namespace varn
