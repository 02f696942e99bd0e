#include "quotation/PageEnd.h"

#include "platform/text/VbNumber.h"
#include "quotation/PickLists.h"
#include "quotation/Pricing.h"

namespace varn {

QString FeeValues::unit() const
{
    return byTotal ? QStringLiteral("元") : QStringLiteral("坪");
}

namespace PageEnd {

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
        double n = Val(lbSumT);
        if (d)
            n += Val(v.design.amount);
        if (l)
            n += Val(v.supervision.amount);
        v.untaxed = CStr(n);
    }

    const double untaxed = Val(v.untaxed);
    if (t) {
        if (v.taxRate.isEmpty()) {
            v.tax = QStringLiteral("0");
            v.withTax = CStr(RoundHalfEven(untaxed, 0));
        } else {
            const double r = Val(QStringView(v.taxRate).chopped(1)) / 100.0;
            v.tax = CStr(RoundHalfEven(untaxed * r, 0));
            v.withTax = CStr(RoundHalfEven((1 + r) * untaxed, 0));
        }
        v.quoted = CStr(Val(v.discount) + Val(v.withTax));
    } else {
        v.quoted = CStr(Val(v.discount) + untaxed);
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
    return true;
}

std::optional<QString> taxRateEntry(const QString& text)
{
    const auto n = Pricing::parseNumber(text);
    if (!n)
        return std::nullopt;
    return PickLists::percentText(*n);
}

} // namespace PageEnd
} // namespace varn
