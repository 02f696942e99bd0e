#pragma once

#include <QString>

#include <array>
#include <optional>

namespace varn {

// Check-box values as the panel and the file keep them.
namespace CheckState {
constexpr int Unchecked = 0;
constexpr int Checked = 1;
constexpr int Greyed = 2;
}

// One fee line of the page-end panel: the design fee (設計費) or the supervision fee (監工費).
struct FeeValues {
    QString title;                       // tD / tL
    int checked = CheckState::Unchecked; // ckD / ckL: the fee is charged
    bool byTotal = true;                 // Dop1 / Lop1 (依總價); false: Dop2 / Lop2 (依坪數)
    QString base;                        // txtDp / txtLp: the total in 元 or the floor area in 坪
    QString rate;                        // txtdx / txtlx: multiplier of the base
    QString amount;                      // txtDt / txtLt: the fee

    // lbd / lbl: "元" by total, "坪" by floor area.
    QString unit() const;
    bool operator==(const FeeValues&) const = default;
};

// The values of the page-end panel, which the panel binds to and the file stores.
struct PageEndValues {
    std::array<QString, 5> remarks;      // cbPe(0..4)
    FeeValues design = titled(QStringLiteral("設計費"));
    FeeValues supervision = titled(QStringLiteral("監工費"));
    int taxChecked = CheckState::Checked;  // ckTax
    QString taxRate = QStringLiteral("5%"); // cbTax
    QString untaxed;                     // lbNtax 總價
    QString tax;                         // lbTax 稅金
    QString withTax;                     // lbHtax 含稅總價
    QString discount;                    // txtOff 折扣, as typed
    QString quoted;                      // lbApr 報價總價

    bool operator==(const PageEndValues&) const = default;

private:
    static FeeValues titled(const QString& title)
    {
        FeeValues f;
        f.title = title;
        return f;
    }
};

enum class Fee { Design, Supervision };

namespace PageEnd {

// `ResetPageEnd`: remarks, fees, totals and discount emptied, both fees unchecked and by
// total, tax rate "5%". The fee titles and the tax box keep their values.
void reset(PageEndValues& values);

// The fee amount: empty when the rate is empty, else rate × base, not rounded.
QString feeAmount(const FeeValues& fee);

// `RecalcGrandTotal`: the total without tax, the tax, the total with tax and the quoted
// total from the item total `lbSumT` and the panel's fees, tax rate and discount.
void recalcGrandTotal(PageEndValues& values, const QString& lbSumT);

// The block as every recomputation forms it: a fee by total takes the item total as its
// base (and its amount follows), then `recalcGrandTotal`. So a printed fee is always its
// rate times the printed total.
void recalcBlock(PageEndValues& values, const QString& lbSumT);

// Every amount of the block can be written in Chinese numerals (see Pricing::fitsNumerals),
// and no typed number is too long to be read.
bool fitsNumerals(const PageEndValues& values);

// The tax rate typed and confirmed with Enter: a text that is a number as a whole becomes
// that number as a percentage ("0.05" gives "5%"), halves rounded away from zero as the
// rate list rounds them; nullopt for any other text.
std::optional<QString> taxRateEntry(const QString& text);

// A rate a file holds as a bare number ("12", "5", "0.05"), which the earlier program worked
// its figures out with by dropping the last character: that rate with its sign ("1%", "0%",
// "0%"). nullopt for a rate with its sign or empty.
std::optional<QString> bareFileRate(const QString& text);

// How a rate a file holds as a bare number is read.
struct BareRateReading {
    QString rate;              // shown with its sign
    bool found = true;         // `rate` gives the file's 總價 the tax and total with tax it holds
    bool keepsFigures = true;  // the next computation (at `rate` from the rows, `lbSumT`) gives the
                               // tax, total with tax and quoted total the block holds
    QString quoted;            // the quoted total the next computation gives at `rate`
};

// The rate a bare file rate stands for: the first of its older reading (bareFileRate), Enter's
// reading (taxRateEntry) and the rate the stored tax and total give, to a whole percent and
// then to two decimals, that computed as the window computes (recalcGrandTotal from the
// block's own 總價) gives the tax and the total with tax the block holds. When none does, or
// the block holds no totals, the older reading. nullopt for a rate with its sign or empty.
std::optional<BareRateReading> readBareFileRate(const PageEndValues& stored, const QString& lbSumT);

// The tax rate a computation uses, as a fraction: the rate the box shows ("5%" is 0.05). A
// bare number counts as Enter or leaving the box shows it ("0.05" as 5%, "12" as 1200%), so
// a rate typed without "%" never loses a digit.
double taxRateValue(const QString& text);

} // namespace PageEnd
} // namespace varn
