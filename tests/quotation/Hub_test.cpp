// The node-click hub: storing the shown leaf, gathering a node's rows, the root contract.
#include "QuotationTestSupport.h"

namespace varn::test {
namespace {

class HubTest : public QuotationTest {
protected:
    // Ｑ ─ 客廳 ─ 木作, 油漆 ; 臥室 ─ 木作
    void buildTwoAreas()
    {
        add(Q, {"客廳", "臥室"});
        add(LeafPath({"客廳"}), {"木作", "油漆"}, true);
        add(LeafPath({"臥室"}), {"木作"}, true);
    }
};

TEST_F(HubTest, LeavingALeafStoresItsRowsAndTheRootGathersThemInTreeOrder)
{
    // A root without children keeps its rows under Ｑ; empty leaves show one empty row.
    ASSERT_TRUE(doc->setCellText(1, QCol::Name, "a"));
    EXPECT_EQ(doc->content().rows.front()[0], Q);
    doc->newQuotation();
    buildTwoAreas();
    doc->selectRoot();
    EXPECT_EQ(shownNames(), QStringList{""});
    EXPECT_EQ(doc->totals().lbSumT, "0");
    fill(LeafPath({"臥室", "木作"}), {{"床架", "1", "5000"}});
    fill(LeafPath({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});
    fill(LeafPath({"客廳", "木作"}), {{"天花板", "10", "1200"}, {"隔間", "2", "3000"}});

    doc->selectRoot();
    // hfgB holds the blocks in the order they were stored ...
    EXPECT_EQ(masterColumn(QCol::Name), (QStringList{"床架", "乳膠漆", "天花板", "隔間"}));
    // ... while the root shows them in tree order, the path on each block's first row.
    EXPECT_EQ(shownNames(), (QStringList{"天花板", "隔間", "乳膠漆", "床架"}));
    EXPECT_EQ(shownPaths(), (QStringList{LeafPath({"客廳", "木作"}), "", LeafPath({"客廳", "油漆"}),
                                         LeafPath({"臥室", "木作"})}));
    EXPECT_EQ(doc->totals().lbSumT, "26000");

    doc->tv_NodeClick(LeafPath({"客廳"}));   // an inner node gathers only its subtree
    EXPECT_EQ(shownNames(), (QStringList{"天花板", "隔間", "乳膠漆"}));

    // A leaf stored again moves its block to the end.
    fill(LeafPath({"客廳", "油漆"}), {{"乳膠漆"}, {"底漆"}});
    doc->selectRoot();
    EXPECT_EQ(masterColumn(QCol::Name), (QStringList{"床架", "天花板", "隔間", "乳膠漆", "底漆"}));

    // A double click on a block's path opens that leaf; an item name is no path.
    ASSERT_EQ(shownPaths().value(4), LeafPath({"臥室", "木作"}));
    EXPECT_FALSE(doc->hfgQ_DblClick(1, QCol::Name));
    EXPECT_EQ(doc->shownPath(), Q);
    EXPECT_TRUE(doc->hfgQ_DblClick(5, QCol::Path));
    EXPECT_EQ(doc->shownPath(), LeafPath({"臥室", "木作"}));
    EXPECT_EQ(shownNames(), QStringList{"床架"});
    // The look-up behind it finds only nodes under the starting one.
    EXPECT_FALSE(doc->GetL(LeafPath({"客廳"}), LeafPath({"臥室", "木作"})));
    EXPECT_TRUE(doc->GetL(Q, LeafPath({"客廳", "油漆"})));
    EXPECT_EQ(doc->shownPath(), LeafPath({"客廳", "油漆"}));
}

TEST_F(HubTest, BlankRowsBetweenRowsAreKeptAndTrailingOnesDropped)
{
    add(Q, {"客廳"});
    fill(LeafPath({"客廳"}), {{"a", "2", "50"}, {""}, {"c"}, {"", "3"}, {""}, {""}});   // a quantity alone is data
    const int rows = doc->hfgQ().rows();
    EXPECT_GE(rows, 7);
    // Clicking the shown node trims, stores and gathers nothing, but refreshes the totals.
    doc->tv_NodeClick(LeafPath({"客廳"}));
    EXPECT_EQ(doc->hfgQ().rows(), rows);
    EXPECT_EQ(masterColumn(QCol::Name), QStringList{""});
    EXPECT_EQ(doc->totals().lbSumT, "100");
    add(Q, {"臥室"});   // shows the new leaf, storing 客廳
    doc->tv_NodeClick(LeafPath({"客廳"}));
    EXPECT_EQ(shownNames(), (QStringList{"a", "", "c", ""}));
    EXPECT_EQ(doc->GTxM(4, QCol::Qty), "3");
}

TEST_F(HubTest, ALeafWhoseRowsWereAllDeletedStaysEmpty)
{
    add(Q, {"客廳", "臥室"});
    fill(LeafPath({"客廳"}), {{"a"}, {"b"}});
    doc->tv_NodeClick(LeafPath({"臥室"}));
    doc->tv_NodeClick(LeafPath({"客廳"}));
    doc->setRowSelection(1, 2);
    doc->mDelQ_Click();
    doc->tv_NodeClick(LeafPath({"臥室"}));
    doc->tv_NodeClick(LeafPath({"客廳"}));
    EXPECT_EQ(shownNames(), QStringList{""});
    EXPECT_EQ(masterColumn(QCol::Path), QStringList{""});   // the empty master grid

    // A node change clears the row selection.
    fill(LeafPath({"客廳"}), {{"a"}, {"b"}});
    doc->setRowSelection(1, 2);
    doc->tv_NodeClick(LeafPath({"臥室"}));
    EXPECT_EQ(doc->selRow(), -1);
    EXPECT_FALSE(doc->rowMenuState().copy);
}

TEST_F(HubTest, ColumnRightsHideColumnsAndWidenThePathAtInnerNodes)
{
    add(Q, {"客廳"});
    struct Case {
        int rights;
        QList<int> hidden;
        int pathWidth;
    };
    const Case cases[] = {
        {4095, {}, 1000},
        {4095 & ~1, {QCol::Price, QCol::Amount, QCol::Ratio}, 2200},
        {4095 & ~2, {QCol::Cost, QCol::CostTotal, QCol::Ratio}, 2200},
        {4095 & ~3, {QCol::Price, QCol::Amount, QCol::Cost, QCol::CostTotal, QCol::Ratio}, 2200},
    };
    for (const Case& c : cases) {
        doc->setRightsWord(c.rights);
        doc->selectRoot();
        for (int col = QCol::Name; col <= QCol::Remark; ++col)
            EXPECT_EQ(doc->hfgQ().colWidth(col) == 0, c.hidden.contains(col)) << c.rights << " col " << col;
        EXPECT_EQ(doc->hfgQ().colWidth(QCol::Path), c.pathWidth);
        EXPECT_EQ(doc->hfgQ().colWidth(QCol::WorkItem), 0);
    }
}

} // namespace
} // namespace varn::test
