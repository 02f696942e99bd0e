// The six pricing modes, the page-end totals and the two bulk edits, through the quotation.
#include "QuotationTestSupport.h"

namespace varn::test {
namespace {

// ---- the pricing-mode matrix --------------------------------------------------------------

// One row: 數量 2, 單價 150, 金額 300, 成本 100, 成本複計 200, 比例 1.5, then one cell typed
// under a mode.
using PricingModes = QuotationTest;

TEST_F(PricingModes, EachModeRecomputesItsColumns)
{
    struct Case {
        const char* name;
        PricingMode mode;
        int col;
        const char* typed;
        QStringList after;   // 數量 單價 金額 成本 成本複計 比例
        QStringList before = {"2", "150", "300", "100", "200", "1.5"};
    };
    const Case cases[] = {
        {"EpCr", PricingMode::EpCr, QCol::Price, "200", {"2", "200", "400", "100", "200", "2"}},
        {"EpCc", PricingMode::EpCc, QCol::Price, "200", {"2", "200", "400", "133.33", "266.66", "1.5"}},
        {"EcCp", PricingMode::EcCp, QCol::Cost, "80.3", {"2", "120", "240", "80.3", "160.6", "1.5"}},
        {"EcCr", PricingMode::EcCr, QCol::Cost, "80", {"2", "150", "300", "80", "160", "1.88"}},
        {"ErCp", PricingMode::ErCp, QCol::Ratio, "2", {"2", "200", "400", "100", "200", "2"}},
        {"ErCc", PricingMode::ErCc, QCol::Ratio, "2", {"2", "150", "300", "75", "150", "2"}},
        // A quantity reprices alike in every mode: the amount rounded half to even, the cost
        // total not rounded.
        {"qty rounding", PricingMode::EcCr, QCol::Qty, "0.5", {"0.5", "5", "2", "12.345", "6.1725", "0.41"},
         {"2", "5", "10", "12.345", "24.69", "0.41"}},
        {"price without ratio keeps the cost", PricingMode::EpCc, QCol::Price, "90",
         {"2", "90", "180", "100", "200", "0"}, {"2", "150", "300", "100", "200", "0"}},
        {"ratio without price or cost", PricingMode::EpCr, QCol::Ratio, "1.2",
         {"2", "0", "0", "", "", "1.2"}, {"2", "", "", "", "", "1.5"}},
    };
    const int cols[] = {QCol::Qty, QCol::Price, QCol::Amount, QCol::Cost, QCol::CostTotal, QCol::Ratio};
    for (const Case& c : cases) {
        doc = std::make_unique<Quotation>();
        add(Q, {"客廳"});
        for (int i = 0; i < 6; ++i)
            ASSERT_TRUE(doc->setCellText(1, cols[i], c.before[i]));
        doc->setPricingMode(c.mode);
        ASSERT_TRUE(doc->cellEdited(1, c.col, QString::fromUtf8(c.typed)));
        QStringList row;
        for (int col : cols)
            row << doc->GTxM(1, col);
        EXPECT_EQ(row, c.after) << c.name;
    }
}

// A greyed box (only an older file brings one) matches no case of the total: the page-end
// totals stay as they were while the items change.
TEST_F(PricingModes, AGreyedBoxLeavesThePageEndTotalsAlone)
{
    for (int box = 0; box < 3; ++box) {
        doc = std::make_unique<Quotation>();
        add(Q, {"客廳"});
        fill(LeafPath({"客廳"}), {{"a", "1", "1000"}});
        doc->setFeeChecked(Fee::Design, CheckState::Checked);
        doc->setFeeRate(Fee::Design, "0.1");
        doc->setTaxChecked(CheckState::Checked);
        const PageEndValues before = doc->pageEnd();
        ASSERT_EQ(before.quoted, "1155");
        // Without costs the ratio shows the amount, and all of it is margin.
        EXPECT_EQ((QStringList{doc->totals().lbScT, doc->totals().lbProT}), (QStringList{"1000", "1000"}));
        if (box == 2)
            doc->setTaxChecked(CheckState::Greyed);
        else
            doc->setFeeChecked(box == 0 ? Fee::Design : Fee::Supervision, CheckState::Greyed);
        ASSERT_TRUE(doc->cellEdited(1, QCol::Price, "3000"));
        doc->RecalcGrandTotal();
        const PageEndValues& after = doc->pageEnd();
        EXPECT_EQ((QStringList{after.untaxed, after.tax, after.withTax, after.quoted}),
                  (QStringList{before.untaxed, before.tax, before.withTax, before.quoted}))
            << box;
    }
}

// ---- bulk edits -----------------------------------------------------------------------------

class BulkEditTest : public QuotationTest {
protected:
    // 客廳‧木作: a (cost 100, ratio 1.5), b (no cost); 臥室: c (cost 400, ratio 1.25).
    void SetUp() override
    {
        QuotationTest::SetUp();
        add(Q, {"客廳", "臥室"});
        add(LeafPath({"客廳"}), {"木作"}, true);
        fill(LeafPath({"客廳", "木作"}), {{"a", "2", "150"}, {"b", "1", "40"}});
        doc->setCellText(1, QCol::Cost, "100");
        doc->setCellText(1, QCol::Ratio, "1.5");
        doc->setCellText(2, QCol::Cost, "0");
        fill(LeafPath({"臥室"}), {{"c", "1", "500"}});
        doc->setCellText(1, QCol::Cost, "400");
        doc->setCellText(1, QCol::Ratio, "1.25");
    }
    QStringList cells(int row) const
    {
        return {doc->GTxM(row, QCol::Ratio), doc->GTxM(row, QCol::Price), doc->GTxM(row, QCol::Amount)};
    }
};

TEST_F(BulkEditTest, RatioCoefficientAtALeafRepricesEveryRowAndAnInnerNodeIsRefused)
{
    doc->tv_NodeClick(LeafPath({"客廳"}));
    doc->lbSum_DblClick();
    EXPECT_EQ(prompts.lastMessageText(), "修改比例只能在最上層或最底層修改 OK ");
    EXPECT_EQ(prompts.askedCount(PromptKind::Input), 0);

    // A letter answer asks again; an empty second answer changes nothing.
    doc->tv_NodeClick(LeafPath({"客廳", "木作"}));
    for (const char* answer : {"abc", "", "abc", "1.2"})
        prompts.answerInput(QString::fromUtf8(answer));
    doc->lbSc_DblClick();
    EXPECT_EQ(prompts.lastMessageText(), "請輸入數字");
    EXPECT_EQ(doc->GTxM(1, QCol::Ratio), "1.5");
    doc->lbSc_DblClick();
    EXPECT_EQ(cells(1), (QStringList{"1.2", "120", "240"}));
    EXPECT_EQ(doc->GTxM(2, QCol::Price), "40");   // no cost: the price stays
    EXPECT_EQ(doc->totals().lbSumT, "280");

    // An empty leaf gets its blank row filled.
    add(LeafPath({"客廳"}), {"油漆"}, true);
    prompts.answerInput(QStringLiteral("1.2"));
    doc->lbSc_DblClick();
    EXPECT_EQ(doc->hfgQ().rows(), 2);
    EXPECT_EQ(cells(1), (QStringList{"1.2", "0", "0"}));
}

TEST_F(BulkEditTest, TargetAmountReachesTheStoredRowsRoundsTheRatioAndNeedsATotal)
{
    doc->selectRoot();
    ASSERT_EQ(doc->totals().lbSumT, "840");
    prompts.answerInput(QStringLiteral("1,680"));
    doc->lbSum_DblClick();
    // Factor 2 on the ratios; b keeps its price (no cost).
    EXPECT_EQ(doc->totals().lbSumT, "1640");
    doc->tv_NodeClick(LeafPath({"客廳", "木作"}));
    EXPECT_EQ(cells(1), (QStringList{"3", "300", "600"}));
    EXPECT_EQ(doc->GTxM(2, QCol::Price), "40");
    doc->tv_NodeClick(LeafPath({"臥室"}));
    EXPECT_EQ(cells(1), (QStringList{"2.5", "1000", "1000"}));

    // At a leaf the scaled ratio is rounded to three decimals (1000 = 400 × 2.5).
    for (auto [target, ratio] : {std::pair{"600", "1.5"}, {"700", "1.75"}, {"1000", "2.5"}, {"333", "0.833"}}) {
        prompts.answerInput(QString::fromUtf8(target));
        doc->lbSum_DblClick();
        EXPECT_EQ(doc->GTxM(1, QCol::Ratio), ratio) << target;
    }
    add(Q, {"廚房"});
    prompts.answerInput(QStringLiteral("1000"));
    doc->lbSum_DblClick();
    EXPECT_EQ(prompts.lastMessageText(), "目前合計為 0,無法依金額調整比例");
    EXPECT_EQ(doc->GTxM(1, QCol::Ratio), "");
}

} // namespace
} // namespace varn::test
