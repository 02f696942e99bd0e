// Fees, tax, discount and the quoted total of the page-end panel.
#include "QuotationTestSupport.h"

#include "quotation/PageEnd.h"

namespace varn::test {
namespace {

struct KeyCase {
    const char* name;
    int design, supervision, tax;
    const char* untaxed;
    const char* taxAmount;
    const char* withTax;
    const char* quoted;
};

class GrandTotalKeys : public ::testing::TestWithParam<KeyCase> {};

// Item total 1001, design fee 98.7, supervision fee 500, tax 5%, discount -1000; the tax
// labels start as "old" so that keys without tax show they are kept.
TEST_P(GrandTotalKeys, FollowTheThreeBoxes)
{
    const KeyCase& c = GetParam();
    PageEndValues v;
    v.design.checked = c.design;
    v.design.amount = "98.7";
    v.supervision.checked = c.supervision;
    v.supervision.amount = "500";
    v.taxChecked = c.tax;
    v.tax = v.withTax = "old";
    v.discount = "-1000";
    PageEnd::recalcGrandTotal(v, "1001");
    EXPECT_EQ(v.untaxed, c.untaxed);
    EXPECT_EQ(v.tax, c.taxAmount);
    EXPECT_EQ(v.withTax, c.withTax);
    EXPECT_EQ(v.quoted, c.quoted);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, GrandTotalKeys,
    ::testing::Values(
        KeyCase{"k000", 0, 0, 0, "1001", "old", "old", "1"},
        KeyCase{"k001", 0, 0, 1, "1001", "50", "1051", "51"},
        KeyCase{"k010", 0, 1, 0, "1501", "old", "old", "501"},
        KeyCase{"k011", 0, 1, 1, "1501", "75", "1576", "576"},
        KeyCase{"k100", 1, 0, 0, "1099.7", "old", "old", "99.7"},
        KeyCase{"k101", 1, 0, 1, "1099.7", "55", "1155", "155"},
        KeyCase{"k110", 1, 1, 0, "1599.7", "old", "old", "599.7"},
        KeyCase{"k111", 1, 1, 1, "1599.7", "80", "1680", "680"},
        KeyCase{"greyed", 2, 0, 1, "", "old", "old", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GrandTotal, TaxAndTotalWithTaxAreRoundedEachFromTheUntaxedTotal)
{
    struct Case {
        const char* itemTotal;
        const char* taxRate;
        QStringList after;   // untaxed, tax, with tax, quoted
    };
    const Case cases[] = {
        {"101", "5%", {"101", "5", "106", "106"}},          // 5.05 and 106.05
        {"12.50", "5%", {"12.50", "1", "13", "13"}},         // the item total as it stands
        {"100.5", "", {"100.5", "0", "100", "100"}},         // no rate: no tax, to the even neighbour
    };
    for (const Case& c : cases) {
        PageEndValues v;
        v.taxRate = c.taxRate;
        PageEnd::recalcGrandTotal(v, c.itemTotal);
        EXPECT_EQ((QStringList{v.untaxed, v.tax, v.withTax, v.quoted}), c.after) << c.itemTotal;
    }
}

TEST(GrandTotal, TaxRateEntryAndFeeAmount)
{
    EXPECT_EQ(PageEnd::taxRateEntry("0.05"), "5%");
    EXPECT_EQ(PageEnd::taxRateEntry("5"), "500%");
    EXPECT_EQ(PageEnd::taxRateEntry("5%"), std::nullopt);
    EXPECT_EQ(PageEnd::taxRateEntry(""), std::nullopt);
    FeeValues f;
    f.base = "987";
    f.rate = "0.1";
    EXPECT_EQ(PageEnd::feeAmount(f), "98.7");   // unrounded
    f.rate.clear();
    EXPECT_EQ(PageEnd::feeAmount(f), "");
}

class PageEndPanelTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        add(Q, {"客廳", "臥室"});
        fill(path({"客廳"}), {{"a", "1", "1000"}});
        fill(path({"臥室"}), {{"b", "1", "2000"}});
    }
};

TEST_F(PageEndPanelTest, OpeningThePanelTotalsTheWholeQuotation)
{
    EXPECT_EQ(doc->totals().lbSumT, "2000");
    doc->pageEndPanelToggled(true);
    EXPECT_EQ(doc->shownPath(), Q);
    EXPECT_EQ(doc->pageEnd().design.base, "3000");
    EXPECT_EQ(doc->pageEnd().supervision.base, "3000");
    EXPECT_EQ(doc->pageEnd().untaxed, "3000");
    EXPECT_EQ(doc->pageEnd().quoted, "3150");
}

TEST_F(PageEndPanelTest, ByFloorAreaKeepsTheBaseUntilTheAreaIsTyped)
{
    doc->pageEndPanelToggled(true);
    doc->setFeeByTotal(Fee::Supervision, false);
    EXPECT_EQ(doc->pageEnd().supervision.unit(), "坪");
    EXPECT_EQ(doc->pageEnd().supervision.base, "3000");
    ASSERT_TRUE(doc->setFeeBase(Fee::Supervision, "30"));
    ASSERT_TRUE(doc->setFeeRate(Fee::Supervision, "2000"));
    EXPECT_EQ(doc->pageEnd().supervision.amount, "60000");
    doc->tv_NodeClick(path({"客廳"}));
    doc->setFeeByTotal(Fee::Supervision, true);
    EXPECT_EQ(doc->pageEnd().supervision.unit(), "元");
    EXPECT_EQ(doc->pageEnd().supervision.base, "1000");   // the shown total
}

TEST_F(PageEndPanelTest, TaxRateTypingRecomputesOnlyOnEnter)
{
    doc->pageEndPanelToggled(true);
    ASSERT_TRUE(doc->typeTaxRate("0.1"));
    EXPECT_EQ(doc->pageEnd().tax, "150");
    EXPECT_TRUE(doc->enterTaxRate());
    EXPECT_EQ(doc->pageEnd().taxRate, "10%");
    EXPECT_EQ(doc->pageEnd().tax, "300");
    ASSERT_TRUE(doc->typeTaxRate("12"));
    doc->setDiscount("-100");      // the next recomputation drops the last character: 1%
    EXPECT_EQ(doc->pageEnd().tax, "30");
    EXPECT_EQ(doc->pageEnd().quoted, "2930");
}

TEST_F(PageEndPanelTest, SeparatorsAreRefusedAndEditsMarkTheQuotationChanged)
{
    EXPECT_FALSE(doc->setDiscount("1:2"));
    EXPECT_FALSE(doc->setFeeTitle(Fee::Design, "設計,費"));
    EXPECT_FALSE(doc->setRemark(0, "a\nb"));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(doc->pageEnd().discount, "");
    EXPECT_EQ(doc->pageEnd().design.title, "設計費");

    doc->selectRoot();
    doc->RecalcGrandTotal();
    ASSERT_TRUE(doc->saveTo(file("a.vrn")));
    EXPECT_FALSE(doc->isModified());
    doc->RecalcGrandTotal();             // recomputing to the same values changes nothing
    EXPECT_FALSE(doc->isModified());
    doc->setRemark(2, "保固一年");
    EXPECT_TRUE(doc->isModified());
}

} // namespace
} // namespace varn::test
