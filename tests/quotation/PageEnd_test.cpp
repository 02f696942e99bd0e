// Fees, tax, discount and the quoted total of the page-end panel.
#include "QuotationTestSupport.h"

#include "quotation/PageEnd.h"
#include "quotation/VrnFile.h"

namespace varn::test {
namespace {

// Item total 1001, design fee 98.7, supervision fee 500, tax 5%, discount -1000; the tax
// labels start as "old" so that keys without tax show they are kept.
TEST(GrandTotal, TheThreeBoxesMakeTheKey)
{
    struct Case {
        int design, supervision, tax;
        QStringList after;   // untaxed, tax, with tax, quoted
    };
    const Case cases[] = {
        {0, 0, 0, {"1001", "old", "old", "1"}},      {0, 1, 1, {"1501", "75", "1576", "576"}},
        {1, 0, 1, {"1099.7", "55", "1155", "155"}},  {1, 1, 0, {"1599.7", "old", "old", "599.7"}},
    };
    for (const Case& c : cases) {
        PageEndValues v;
        v.design.checked = c.design;
        v.design.amount = "98.7";
        v.supervision.checked = c.supervision;
        v.supervision.amount = "500";
        v.taxChecked = c.tax;
        v.tax = v.withTax = "old";
        v.discount = "-1000";
        PageEnd::recalcGrandTotal(v, "1001");
        EXPECT_EQ((QStringList{v.untaxed, v.tax, v.withTax, v.quoted}), c.after)
            << c.design << c.supervision << c.tax;
    }
}

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

// Where the exact tax is a half and rounding it to even leaves 含稅總價 − 稅金 a unit off a
// whole 總價, the tax is rounded the other way; 含稅總價 and 報價總價 are never moved.
TEST(GrandTotal, ATaxAtAHalfKeepsTheUntaxedTotalWholeUnderTheTotalWithTax)
{
    struct Case {
        const char* itemTotal;
        const char* taxRate;
        const char* design;     // a charged design fee, or none
        const char* discount;
        QStringList after;      // untaxed, tax, with tax, quoted
    };
    const Case cases[] = {
        {"22755", "10%", "", "", {"22755", "2275", "25030", "25030"}},        // 2,275.5 and 25,030.5
        {"22765", "10%", "", "", {"22765", "2277", "25042", "25042"}},        // 2,276.5 and 25,041.5
        {"22750", "10%", "", "", {"22750", "2275", "25025", "25025"}},        // no half
        {"25", "6%", "", "", {"25", "1", "26", "26"}},                        // 1.5 and 26.5
        {"75", "2%", "", "", {"75", "1", "76", "76"}},                        // 1.5 and 76.5
        {"125", "2%", "", "", {"125", "3", "128", "128"}},                    // 2.5 and 127.5
        {"101", "2%", "", "", {"101", "2", "103", "103"}},                    // no half
        {"10", "5%", "", "", {"10", "0", "10", "10"}},                        // 0.5 and 10.5 agree
        {"30", "5%", "", "", {"30", "2", "32", "32"}},                        // 1.5 and 31.5 agree
        {"22000", "10%", "755", "-0.5", {"22755", "2275", "25030", "25029.5"}},
        {"22000", "10%", "754.5", "", {"22754.5", "2275", "25030", "25030"}},  // no half with cents
        {"12.5", "20%", "", "", {"12.5", "2", "15", "15"}},                   // a half that agrees
        {"22755", "", "", "", {"22755", "0", "22755", "22755"}},              // no rate, no tax
    };
    for (const Case& c : cases) {
        PageEndValues v;
        v.taxRate = c.taxRate;
        if (*c.design) {
            v.design.checked = CheckState::Checked;
            v.design.amount = c.design;
        }
        v.discount = c.discount;
        PageEnd::recalcGrandTotal(v, c.itemTotal);
        EXPECT_EQ((QStringList{v.untaxed, v.tax, v.withTax, v.quoted}), c.after) << c.itemTotal << " at " << c.taxRate;
    }
}

TEST(GrandTotal, ATaxRateIsEnteredAsAWholeNumberOnlyRoundedAsTheListRoundsIt)
{
    EXPECT_EQ(PageEnd::taxRateEntry("0.05"), "5%");
    EXPECT_EQ(PageEnd::taxRateEntry("5"), "500%");
    EXPECT_EQ(PageEnd::taxRateEntry("0.125"), "13%");   // a half goes up, as in the list
    EXPECT_EQ(PageEnd::taxRateEntry("5%"), std::nullopt);
    EXPECT_EQ(PageEnd::taxRateEntry(""), std::nullopt);
}

class PageEndPanelTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        add(Q, {"客廳", "臥室"});
        fill(LeafPath({"客廳"}), {{"a", "1", "1000"}});
        fill(LeafPath({"臥室"}), {{"b", "1", "2000"}});
    }
};

TEST_F(PageEndPanelTest, SeparatorsAreRefusedEditsMarkTheQuotationChangedAndATypedRateWaits)
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

    // A typed tax rate without "%" is read by other recomputations as Enter shows it, never
    // without its last digit.
    doc->pageEndPanelToggled(true);
    ASSERT_TRUE(doc->typeTaxRate("12"));
    EXPECT_EQ(doc->pageEnd().tax, "150");   // typing alone recomputes nothing
    doc->setDiscount("-100");      // the next recomputation reads 12 as Enter does: 1200%
    EXPECT_EQ(doc->pageEnd().tax, "36000");
    EXPECT_EQ(doc->pageEnd().quoted, "38900");
}

TEST_F(PageEndPanelTest, AFeeByTotalFollowsTheTotalIntoTheFileAndThePrints)
{
    doc->pageEndPanelToggled(true);
    doc->setFeeChecked(Fee::Design, CheckState::Checked);
    ASSERT_TRUE(doc->setFeeRate(Fee::Design, "0.1"));
    EXPECT_EQ(doc->pageEnd().design.amount, "300");
    doc->pageEndPanelToggled(false);

    doc->tv_NodeClick(LeafPath({"客廳"}));
    ASSERT_TRUE(doc->cellEdited(1, QCol::Qty, "2"));   // the total becomes 4000
    ASSERT_TRUE(doc->saveTo(file("q.vrn")));
    const PageEndValues saved = Vrn::read(file("q.vrn"), VrnReadMode::Strict, doc->blankPageEnd()).pageEnd;
    EXPECT_EQ((QStringList{saved.design.base, saved.design.amount, saved.untaxed, saved.quoted}),
              (QStringList{"4000", "400", "4400", "4620"}));

    // What a print does: the root, then the block.
    doc->tv_NodeClick(LeafPath({"臥室"}));
    ASSERT_TRUE(doc->cellEdited(1, QCol::Price, "1000"));
    doc->selectRoot();
    doc->RecalcGrandTotal();
    EXPECT_EQ((QStringList{doc->pageEnd().design.amount, doc->pageEnd().untaxed}),
              (QStringList{"300", "3300"}));
}

TEST_F(PageEndPanelTest, NothingTypedMayCarryATotalPastThirteenDigits)
{
    const QString tooLarge = Pricing::tooLargeMessage();
    struct Case {
        const char* name;
        std::function<bool()> edit;
    };
    const Case cases[] = {
        {"quantity of twenty digits", [&] { return doc->cellEdited(1, QCol::Qty, "99999999999999999999"); }},
        {"row amount of fourteen digits", [&] { return doc->cellEdited(1, QCol::Price, "10000000000000"); }},
        {"the other leaf tips the total", [&] { return doc->cellEdited(1, QCol::Price, "9999999999000"); }},
        {"cost total", [&] { return doc->cellEdited(1, QCol::Cost, "99999999999999"); }},
        {"tax on a total just inside", [&] { return doc->cellEdited(1, QCol::Price, "9999999990000"); }},
        {"fee rate", [&] { return doc->setFeeRate(Fee::Design, "1e10"); }},
        {"discount", [&] { return doc->setDiscount("-99999999999999"); }},
    };
    doc->setFeeChecked(Fee::Design, CheckState::Checked);
    doc->tv_NodeClick(LeafPath({"客廳"}));
    for (const Case& c : cases) {
        prompts.clear();
        EXPECT_FALSE(c.edit()) << c.name;
        EXPECT_EQ(prompts.lastMessageText(), tooLarge) << c.name;
        EXPECT_EQ((QStringList{doc->GTxM(1, QCol::Qty), doc->GTxM(1, QCol::Price), doc->GTxM(1, QCol::Amount),
                               doc->GTxM(1, QCol::Cost)}),
                  (QStringList{"1", "1000", "1000", ""}))
            << c.name;
        EXPECT_EQ(doc->pageEnd().discount, "") << c.name;
    }
    EXPECT_EQ(doc->totals().lbSumT, "1000");

    // A bulk edit that would pass it changes no row.
    doc->selectRoot();
    prompts.answerInput("1e12");
    prompts.answerInput("9e15");
    doc->lbSc_DblClick();
    doc->lbSum_DblClick();
    EXPECT_EQ(prompts.lastMessageText(), tooLarge);
    EXPECT_EQ(column(doc->hfgQ(), QCol::Amount), (QStringList{"1000", "2000"}));
    EXPECT_EQ(doc->totals().lbSumT, "3000");

    // Nor a product too large for a double, which the amount cell would show as 0.
    doc->tv_NodeClick(LeafPath({"客廳"}));
    const QString huge = QStringLiteral("1") + QString(250, u'0');
    ASSERT_TRUE(doc->cellEdited(1, QCol::Qty, "0"));
    ASSERT_TRUE(doc->cellEdited(1, QCol::Price, huge));
    EXPECT_FALSE(doc->cellEdited(1, QCol::Qty, huge));
    EXPECT_EQ(doc->GTxM(1, QCol::Qty), "0");
}

} // namespace
} // namespace varn::test
