// What a number field takes, typed or pasted, how a number too long for a double meets the
// limits, and how the tax rate is read.
#include "QuotationTestSupport.h"

#include "quotation/EditorRules.h"
#include "quotation/PageEnd.h"
#include "quotation/Pricing.h"

#include <cmath>

namespace varn::test {
namespace {

// Typing `typed` into a field holding `text` with [from, to) selected; "-" for refused.
QString typedInto(const char* text, int from, int to, const QString& typed, NumberForm form)
{
    return EditorRules::numberFieldEntry(QString::fromUtf8(text), from, to, typed, form, false)
        .value_or(QStringLiteral("-refused-"));
}

TEST(NumberFieldEntry, AKeyIsJudgedOnTheTextTheFieldWouldHoldAndTheWayToANumberStaysOpen)
{
    struct Case {
        const char* text;
        int from, to;
        const char* typed;
        NumberForm form;
        bool taken;
    };
    const Case cases[] = {
        // the partial states on the way to a number
        {"", 0, 0, "-", NumberForm::Signed, true},     {"", 0, 0, ".", NumberForm::Unsigned, true},
        {"1", 1, 1, ".", NumberForm::Unsigned, true},   {"0", 1, 1, ".", NumberForm::Signed, true},
        {"-", 1, 1, ".", NumberForm::Signed, true},     {"5", 1, 1, "%", NumberForm::Rate, true},
        {"5.", 2, 2, "%", NumberForm::Rate, true},      {"12", 0, 2, "3", NumberForm::Unsigned, true},
        // a character that cannot be part of the number where it would go
        {"", 0, 0, "a", NumberForm::Signed, false},     {"1.5", 3, 3, ".", NumberForm::Unsigned, false},
        {"12", 2, 2, "-", NumberForm::Signed, false},   {"", 0, 0, "-", NumberForm::Unsigned, false},
        {"5%", 2, 2, "5", NumberForm::Rate, false},     {"", 0, 0, "%", NumberForm::Rate, false},
        {"5", 1, 1, "-", NumberForm::Rate, false},      {"12", 1, 1, ",", NumberForm::Unsigned, false},
        {"1", 1, 1, " ", NumberForm::Unsigned, false},  {"1", 1, 1, "e", NumberForm::Signed, false},
        // a selection is replaced: "1.5" with ".5" selected takes another point
        {"1.5", 1, 3, ".", NumberForm::Unsigned, true}, {"-12", 0, 1, "-", NumberForm::Signed, true},
    };
    for (const Case& c : cases) {
        const QString after = typedInto(c.text, c.from, c.to, QString::fromUtf8(c.typed), c.form);
        EXPECT_EQ(after != "-refused-", c.taken) << c.text << " + " << c.typed;
    }
    // An input method's full-width characters go in as ASCII.
    EXPECT_EQ(typedInto("1", 1, 1, QStringLiteral("２．５"), NumberForm::Unsigned), "2.5");
    EXPECT_EQ(typedInto("", 0, 0, QStringLiteral("－"), NumberForm::Signed), "-");
}

TEST(NumberFieldEntry, APasteIsOneNumberGroupedOrNotAndMustLeaveOneNumber)
{
    const auto paste = [](const char* text, int from, int to, const QString& pasted, NumberForm form) {
        return EditorRules::numberFieldEntry(QString::fromUtf8(text), from, to, pasted, form, true);
    };
    struct Case {
        const char16_t* pasted;
        NumberForm form;
        std::optional<QString> put;
    };
    const Case cases[] = {
        {u"1,200", NumberForm::Unsigned, "1200"},           {u"12,345.5", NumberForm::Unsigned, "12345.5"},
        {u"１，２００", NumberForm::Unsigned, "1200"},      {u"1,234,567", NumberForm::Signed, "1234567"},
        {u"-1,200", NumberForm::Signed, "-1200"},           {u"1,000%", NumberForm::Rate, "1000%"},
        {u"\u2212" u"300", NumberForm::Signed, "-300"},     {u"\u2212" u"300", NumberForm::Unsigned, std::nullopt},
        {u"\u200B1,200\uFEFF", NumberForm::Unsigned, "1200"}, {u"\u200E-5\u200F\u2060", NumberForm::Signed, "-5"},
        {u" \u202A12\u202C\r\n", NumberForm::Unsigned, std::nullopt}, {u"1\u200B200", NumberForm::Unsigned, std::nullopt},
        // A direction override, embedding or isolate shows the digits otherwise than they count.
        {u"\u202E12\u202C", NumberForm::Rate, std::nullopt}, {u"\u2067-5\u2069", NumberForm::Signed, std::nullopt},
        {u"\u202D12\u202C", NumberForm::Unsigned, std::nullopt}, {u"\uFEFF\u200D12\u200C", NumberForm::Unsigned, "12"},
        {u"1,2,3", NumberForm::Unsigned, std::nullopt},     {u"12,34", NumberForm::Signed, std::nullopt},
        {u"1,2345", NumberForm::Unsigned, std::nullopt},    {u",123", NumberForm::Unsigned, std::nullopt},
        {u"1234,567", NumberForm::Unsigned, std::nullopt},  {u"1,200,", NumberForm::Unsigned, std::nullopt},
        {u".", NumberForm::Unsigned, std::nullopt},         {u"-", NumberForm::Signed, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(paste("", 0, 0, QString::fromUtf16(c.pasted), c.form), c.put) << QString::fromUtf16(c.pasted).toStdString();
    // The paste must leave one number in the field, where it goes.
    EXPECT_EQ(paste("12", 2, 2, "-5", NumberForm::Signed), std::nullopt);
    EXPECT_EQ(paste("12", 0, 0, "-5", NumberForm::Signed), "-5");   // -512
    EXPECT_EQ(paste("-12", 0, 0, "5", NumberForm::Signed), std::nullopt);
    EXPECT_EQ(paste("12", 0, 2, "-5", NumberForm::Signed), "-5");
    EXPECT_EQ(paste("1.", 2, 2, "5", NumberForm::Unsigned), "5");
    EXPECT_EQ(paste("1.5", 3, 3, ".5", NumberForm::Unsigned), std::nullopt);
    EXPECT_EQ(paste("5", 1, 1, "1,000", NumberForm::Unsigned), "1000");
}

TEST(TaxRateReading, EveryComputationReadsTheRateTheBoxShowsAfterEnterNeverADigitShort)
{
    const std::pair<const char*, double> cases[] = {
        {"5%", 0.05}, {"5", 5}, {"12", 12}, {"0.05", 0.05}, {"0.055", 0.06}, {"5.", 5},
        {"12.5%", 0.125}, {"5％", 0.05}, {"%", 0}, {"", 0}, {"abc", 0},
    };
    for (const auto& [text, rate] : cases)
        EXPECT_DOUBLE_EQ(PageEnd::taxRateValue(QString::fromUtf8(text)), rate) << text;

    PageEndValues v;
    v.taxRate = "12";
    PageEnd::recalcGrandTotal(v, "1000");
    EXPECT_EQ((QStringList{v.tax, v.withTax}), (QStringList{"12000", "13000"}));
    v.taxRate = "0.05";
    PageEnd::recalcGrandTotal(v, "1000");
    EXPECT_EQ((QStringList{v.tax, v.withTax}), (QStringList{"50", "1050"}));
}

TEST(NumberLimits, ANumberTooLongForADoubleIsBeyondEveryLimitNotZero)
{
    const QString huge = u'1' + QString(u'0').repeated(309);
    EXPECT_TRUE(std::isinf(Pricing::limitValue(huge)));
    EXPECT_EQ(Pricing::limitValue("12.5kg"), 12.5);

    // A row: any number cell that long makes the row too large, whatever multiplies it.
    for (int col : {QCol::Qty, QCol::Price, QCol::Cost, QCol::Ratio}) {
        const auto cell = [&](int c) { return c == col ? huge : QString(); };
        EXPECT_FALSE(Pricing::fitsNumerals(Pricing::rowMagnitude(cell))) << col;
    }

    // The page end: a typed base, rate, discount or tax rate that long.
    const auto fits = [](const std::function<void(PageEndValues&)>& change) {
        PageEndValues v;
        change(v);
        return PageEnd::fitsNumerals(v);
    };
    EXPECT_TRUE(fits([](PageEndValues&) {}));
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.discount = huge; }));
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.design.base = huge; }));
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.supervision.rate = huge; }));
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.taxRate = huge + u'%'; }));
    // A fee or a tax whose product no double holds is too large, not 0.
    const QString e200 = u'1' + QString(u'0').repeated(200);
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.design.base = v.design.rate = e200; }));
    EXPECT_FALSE(fits([&](PageEndValues& v) { v.untaxed = "1000000000000"; v.taxRate = u'1' + QString(u'0').repeated(306) + u'%'; }));
    // A bare rate whose percentage no double holds is as large as it reads, never "0%".
    for (const QString& rate : {QString(u'9').repeated(307), QString(u'9').repeated(308), u'1' + QString(u'0').repeated(308)}) {
        EXPECT_EQ(PageEnd::taxRateEntry(rate), std::nullopt) << rate.size();
        EXPECT_FALSE(fits([&](PageEndValues& v) { v.taxRate = rate; })) << rate.size();
    }
}

TEST(TaxRateReading, ABareRateInAFileIsTheRateItsFiguresWereWorkedOutWith)
{
    const std::pair<const char*, std::optional<QString>> cases[] = {
        {"12", "1%"}, {"5", "0%"}, {"0.05", "0%"}, {"12.5", "12%"}, {"1.25", "1.2%"},
        {"5%", std::nullopt}, {"", std::nullopt}, {"abc", std::nullopt},
    };
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(PageEnd::bareFileRate(QString::fromUtf8(text)), shown) << text;
}

// The candidates in their order, each judged by the figures it gives as the window computes.
TEST(TaxRateReading, ABareRateReadsAsTheFirstRateThatGivesTheFiguresTheFileHolds)
{
    const struct {
        const char* rate;
        const char* totals;   // 總價:稅金:含稅總價
        int taxChecked;
        const char* read;
        bool kept;
    } cases[] = {
        {"12", "1000:10:1010", CheckState::Checked, "1%", true},        // the older reading
        {"0.05", "1000:50:1050", CheckState::Checked, "5%", true},      // Enter's reading
        {"12", "1000:50:1050", CheckState::Checked, "5%", true},        // the whole percent
        {"12", "1000:125:1125", CheckState::Checked, "12.5%", true},    // 13 % would give 130
        {"12", "1000:124:1125", CheckState::Checked, "1%", false},      // no rate gives both
        {"12", "1000:50:1050", CheckState::Unchecked, "1%", true},      // no tax to work out
        {"12", "::", CheckState::Checked, "1%", true},                  // never computed
    };
    for (const auto& c : cases) {
        PageEndValues v;
        v.taxRate = QString::fromUtf8(c.rate);
        v.taxChecked = c.taxChecked;
        const QStringList t = QString::fromUtf8(c.totals).split(u':');
        v.untaxed = t[0];
        v.tax = t[1];
        v.withTax = t[2];
        // Without tax the quoted total is the total without tax, as the window forms it.
        v.quoted = c.taxChecked == CheckState::Checked ? t[2] : t[0];
        const std::optional<PageEnd::BareRateReading> read = PageEnd::readBareFileRate(v, "1000");
        ASSERT_TRUE(read) << c.totals;
        EXPECT_EQ(read->rate, QString::fromUtf8(c.read)) << c.rate << " " << c.totals;
        EXPECT_EQ(read->keepsFigures, c.kept) << c.rate << " " << c.totals;
        if (!c.kept) {
            EXPECT_EQ(read->quoted, "1010");
        }
    }
    // The rows changed after a design fee by total and the tax were worked out: the rate is
    // judged by the file's 總價, fee included, and the next computation is another block.
    PageEndValues stale;
    stale.taxRate = "12";
    stale.design.checked = CheckState::Checked;
    stale.design.base = "900";
    stale.design.rate = "0.1";
    stale.design.amount = "90";
    stale.untaxed = "990";
    stale.tax = "119";
    stale.withTax = stale.quoted = "1109";
    const std::optional<PageEnd::BareRateReading> read = PageEnd::readBareFileRate(stale, "1000");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rate, "12%");
    EXPECT_TRUE(read->found);
    EXPECT_FALSE(read->keepsFigures);
    EXPECT_EQ(read->quoted, "1232");

    PageEndValues signed_;
    signed_.taxRate = "12%";
    EXPECT_FALSE(PageEnd::readBareFileRate(signed_, "1000"));
}

} // namespace
} // namespace varn::test
