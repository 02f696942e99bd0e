// The whole figures every printout shows in a quotation's totals block.
#include "QuotationTestSupport.h"

#include "platform/text/VbNumber.h"
#include "quotation/PageEnd.h"
#include "quotation/PrintedTotals.h"

#include <tuple>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

using Figures = std::vector<double>;

TEST(SplitWhole, EachAmountMovesToItsFloorOrCeilingAndTheUnitsGoToTheLargestCents)
{
    const struct {
        Figures amounts;
        double sum;
        std::optional<Figures> expected;
    } cases[] = {
        // An amount without cents stays; the unit goes to the one with cents.
        {{2502.5, 60000}, 62503, Figures{2503, 60000}},
        {{91644, 7331.52}, 98975, Figures{91644, 7331}},
        // Largest cents first; on a tie the first line.
        {{78200, 3562.401, 37649.2}, 119412, Figures{78200, 3563, 37649}},
        {{0.3, 0.7, 0.5}, 2, Figures{0, 1, 1}},
        {{100.5, 100.5}, 201, Figures{101, 100}},
        // Cents equal in decimals tie, whatever their last binary digits say.
        {{30.4, 1234.4}, 1265, Figures{31, 1234}},
        {{10.1, 20.2, 30.3}, 61, Figures{10, 20, 31}},
        {{-2.5, 10}, 8, Figures{-2, 10}},
        // 13 digits hold only their cents: equal cents tie there too, and a sum of items ties
        // as its 15-digit text does.
        {{0.6, 1234567890123.6}, 1234567890124, Figures{1, 1234567890123}},
        {{1234567890123.45, 0.45}, 1234567890124, Figures{1234567890124, 0}},
        {{1234567890000 + 123.1 + 0.35, 0.45}, 1234567890124, Figures{1234567890124, 0}},
        {{}, 0, Figures{}},
        // No split within the amounts' own rounding.
        {{60000}, 60001, std::nullopt},
        {{100.5, 200}, 302, std::nullopt},
        {{100.5}, 99, std::nullopt},
        {{}, 1, std::nullopt},
    };
    for (const auto& c : cases) {
        std::string where;
        for (double a : c.amounts)
            where += std::to_string(a) + " ";
        EXPECT_EQ(SplitWhole(c.amounts, c.sum), c.expected) << where << "to " << c.sum;
    }
}

// A panel as the window computes it: fees by total on the item total, tax 5%.
struct Panel {
    const char* items;
    Figures groups;
    FeeValues design, supervision;
    bool tax = true;
    const char* discount = "";
};

FeeValues byTotal(const char* rate)
{
    return {u"設計費"_s, CheckState::Checked, true, {}, QString::fromLatin1(rate), {}};
}

FeeValues byArea(const char* area, const char* rate)
{
    FeeValues f{u"監工費"_s, CheckState::Checked, false, QString::fromLatin1(area), QString::fromLatin1(rate), {}};
    f.amount = PageEnd::feeAmount(f);
    return f;
}

PrintedTotals printed(const Panel& p)
{
    PageEndValues pe;
    pe.design = p.design;
    pe.supervision = p.supervision;
    pe.taxChecked = p.tax ? CheckState::Checked : CheckState::Unchecked;
    pe.discount = QString::fromLatin1(p.discount);
    PageEnd::recalcBlock(pe, QString::fromLatin1(p.items));
    return SplitPrintedTotals(ExactTotalsOf(pe, Val(QString::fromLatin1(p.items)), p.groups));
}

// groups | 小計 | design | supervision | 合計 | 稅金 | 折扣 | 總計 ("-" a fee without an amount).
QString shown(const PrintedTotals& t)
{
    QStringList groups;
    for (double g : t.groups)
        groups << CStr(g);
    auto fee = [](const std::optional<double>& f) { return f ? CStr(*f) : u"-"_s; };
    return QStringList{groups.join(u'+'), CStr(t.subtotal), fee(t.design), fee(t.supervision), CStr(t.untaxed),
                       CStr(t.tax), CStr(t.discount), CStr(t.total)}
        .join(u" | ");
}

TEST(PrintedTotals, TheLinesAddUpToTheQuotationsOwnTaxAndTotal)
{
    const FeeValues none{u"監工費"_s, CheckState::Unchecked, true, {}, {}, {}};
    const struct {
        Panel panel;
        const char* expected;
    } cases[] = {
        // 設計費 7,331.52 on 91,644: 98,975.52 before tax, 4,949 tax, 103,924 with it.
        {{"91644", {53000, 38644}, byTotal("0.08"), none}, "53000+38644 | 91644 | 7331 | - | 98975 | 4949 | 0 | 103924"},
        // A whole fee keeps its figure; the items' half takes the unit.
        {{"2502.5", {2502.5}, FeeValues{}, byArea("30", "2000")}, "2503 | 2503 | - | 60000 | 62503 | 3125 | 0 | 65628"},
        // Two halves: the first takes the unit.
        {{"201", {100.5, 100.5}, FeeValues{}, none}, "101+100 | 201 | - | - | 201 | 10 | 0 | 211"},
        {{"158400", {}, FeeValues{}, byArea("30.5", "1001")}, " | 158400 | - | 30530 | 188930 | 9447 | 0 | 198377"},
        // Cents in the items, both fees and the tax; a discount with cents is whole.
        {{"78200.75", {53000.5, 25200.25}, byTotal("0.045555"), byArea("30.5", "1234.4"), true, "-100.4"},
         "53001+25200 | 78201 | 3562 | 37649 | 119412 | 5971 | -100 | 125283"},
        {{"78200.75", {53000.5, 25200.25}, byTotal("0.045555"), byArea("30.5", "1234.4"), false, "-8000"},
         "53001+25200 | 78201 | 3562 | 37649 | 119412 | 0 | -8000 | 111412"},
        // A discount of a half: 合計 and 折扣 are rounded together, so that 合計 stays a
        // rounding of the items (100.4 with 104.5 quoted, 99.8 with two groups of .9).
        {{"100.4", {60.2, 40.2}, FeeValues{}, none, true, "-0.5"}, "60+40 | 100 | - | - | 100 | 5 | -1 | 104"},
        {{"99.8", {50.9, 48.9}, FeeValues{}, none, true, "-0.5"}, "51+49 | 100 | - | - | 100 | 5 | -1 | 104"},
        {{"99.8", {50.9, 48.9}, FeeValues{}, none, false, "-1234.5"}, "51+49 | 100 | - | - | 100 | 0 | -1235 | -1135"},
        // A fee charged without a rate has no amount and takes no unit.
        {{"100.5", {100.5}, byTotal(""), none, false}, "100 | 100 | - | - | 100 | 0 | 0 | 100"},
    };
    for (const auto& c : cases) {
        const PrintedTotals t = printed(c.panel);
        EXPECT_EQ(shown(t), QString::fromUtf8(c.expected)) << c.panel.items;
    }
}

TEST(PrintedTotals, TotalsKeptAsTypedPrintEachLineRoundedAndPassNothingOffAsAFee)
{
    // A file saved with the tax box greyed: the window keeps its totals as typed.
    PageEndValues pe;
    pe.design = byTotal("0.1");
    pe.design.amount = u"10000.05"_s;
    pe.supervision = byArea("0.5", "90001");   // 45,000.5
    pe.taxChecked = CheckState::Greyed;
    std::tie(pe.untaxed, pe.tax, pe.quoted) = std::tuple{u"120000"_s, u"6000.5"_s, u"500000"_s};
    PageEnd::recalcGrandTotal(pe, u"100000.5"_s);
    const PrintedTotals t = SplitPrintedTotals(ExactTotalsOf(pe, 100000.5, {60000.5, 40000}));
    // The lines cannot add up to 合計: each on its own, halves to even; the groups still add
    // up to that 小計.
    EXPECT_EQ(shown(t), u"60000+40000 | 100000 | 10000 | 45000 | 494000 | 6000 | 0 | 500000"_s);

    // A tax no longer charged is no line, whatever its label last showed. A total the lines
    // reach within their own rounding is split; one beyond it is taken up by no fee.
    pe.taxChecked = CheckState::Unchecked;
    pe.quoted = u"155003"_s;
    EXPECT_EQ(shown(SplitPrintedTotals(ExactTotalsOf(pe, 100000.5))), u" | 100001 | 10001 | 45001 | 155003 | 0 | 0 | 155003"_s);
    pe.quoted = u"155004"_s;
    EXPECT_EQ(shown(SplitPrintedTotals(ExactTotalsOf(pe, 100000.5))), u" | 100000 | 10000 | 45000 | 155004 | 0 | 0 | 155004"_s);
}

} // namespace
} // namespace varn::test
