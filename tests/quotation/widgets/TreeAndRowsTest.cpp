// The tree's popup and name pick list, the no-area mode and its print commands, and the
// row popup: copy, paste, insert and delete.
#include "WindowFixture.h"

namespace varn::test {
namespace {

class TreeAndRows : public WindowTest {
protected:
    // The names under the root of the tree view.
    QStringList areas()
    {
        QStringList out;
        QTreeWidgetItem* root = window().tv()->topLevelItem(0);
        for (int i = 0; i < root->childCount(); ++i)
            out << root->child(i)->text(0);
        return out;
    }
    // The tree popup on a node, closed again so that its commands can be triggered.
    void treeMenu(const QString& key)
    {
        window().tv_MouseDown(Qt::RightButton, key);
        window().mTV()->hide();
    }
    bool areaPrintEnabled()
    {
        const char* names[] = {"mPa", "mAs", "mPnw", "mPac", "mPas", "mPwaS", "mPwa", "mPwac"};
        const auto on = std::count_if(std::begin(names), std::end(names), [&](const char* n) { return enabled(n); });
        EXPECT_TRUE(on == 0 || on == 8) << "the eight area print commands go together";
        return on == 8;
    }
};

TEST_F(TreeAndRows, TheAreaPickAddsTheChosenNodesInListOrder)
{
    frmQ& w = window();
    treeMenu(Q);   // an empty quotation offers only the add commands
    EXPECT_TRUE(enabled("mAddT"));
    EXPECT_FALSE(enabled("mInsN") || enabled("mDelN"));
    trigger("mAddA");
    QListWidget* list = w.lstAK();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 4);   // ???... and the category's three areas
    w.lstAK_MouseDown(Qt::RightButton);
    w.mADAK()->hide();
    EXPECT_FALSE(enabled("mADakO"));   // nothing chosen

    list->item(3)->setSelected(true);   // 廚房, chosen first
    list->item(1)->setSelected(true);   // 客廳
    w.lstAK_MouseDown(Qt::RightButton);
    w.mADAK()->hide();
    trigger("mADakO");
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(areas(), (QStringList{"客廳", "廚房"}));
    EXPECT_EQ(w.tv()->currentItem()->text(0), "客廳");
    EXPECT_EQ(w.lbPath()->text(), LeafPath({"客廳"}));

    // The popup acts on the node under the pointer, which it selects first.
    treeMenu(LeafPath({"廚房"}));
    EXPECT_EQ(w.lbPath()->text(), LeafPath({"廚房"}));

    // Inserting puts the names before the node.
    pickNames(LeafPath({"廚房"}), "mInsA", {"主臥室"});
    EXPECT_EQ(areas(), (QStringList{"客廳", "主臥室", "廚房"}));
}

TEST_F(TreeAndRows, DeletingTheOnlyWorkTypeReturnsToAreaModeAndItsPrintCommands)
{
    ASSERT_TRUE(areaPrintEnabled());
    prompts.answerInput(std::nullopt);   // a cancelled name becomes 未知工種
    pickNames(Q, "mAddT", {"???..."});
    EXPECT_EQ(areas(), QStringList{"未知工種"});
    EXPECT_TRUE(doc().noAreaMode());
    EXPECT_FALSE(areaPrintEnabled());
    treeMenu(Q);   // at the root of a no-area quotation only work types are added
    EXPECT_FALSE(enabled("mAddA"));
    EXPECT_TRUE(enabled("mAddT"));

    const QString key = LeafPath({"未知工種"});
    treeMenu(key);
    prompts.answerMessage(PromptButton::No);
    trigger("mDelN");
    EXPECT_EQ(doc().tree().nodeCount(), 2);
    prompts.answerMessage(PromptButton::Yes);
    trigger("mDelN");
    EXPECT_EQ(prompts.lastMessageText(), "確定刪除 (" + key + ")");
    EXPECT_EQ(areas(), QStringList{});
    EXPECT_FALSE(doc().noAreaMode());
    EXPECT_TRUE(areaPrintEnabled());
}

TEST_F(TreeAndRows, RowsAreCopiedFromOneWorkTypeAndPastedIntoAnother)
{
    frmQ& w = window();
    buildTwoAreas();
    enter(1, QCol::Name, "甲");
    enter(1, QCol::Qty, "1");
    enter(1, QCol::Price, "10");
    enter(2, QCol::Name, "乙");
    const auto names = [&] { return QStringList{cell(1, QCol::Name), cell(2, QCol::Name), cell(3, QCol::Name)}; };
    selectRows(2, 1);   // dragged upward
    rowPopup("mCpq");
    w.tv_NodeClick(LeafPath({"廚房"}));
    rowPopup("mPstQ");
    EXPECT_EQ(names(), (QStringList{"甲", "乙", ""}));
    EXPECT_EQ(w.lbSumT()->text(), "10");

    // Insert the copies above the first row, then delete the first two rows again.
    rowPopup("mInsQcp");
    EXPECT_EQ(names(), (QStringList{"甲", "乙", "甲"}));
    selectRows(1, 2);
    rowPopup("mDelQ");
    EXPECT_EQ(names(), (QStringList{"甲", "乙", ""}));

    // The whole quotation at the root shows both leaves' rows, in tree order.
    w.tv_NodeClick(Q);
    EXPECT_EQ(cell(1, QCol::Path), LeafPath({"客廳", "木作"}));
    EXPECT_EQ(w.lbSumT()->text(), "20");
}

} // namespace
} // namespace varn::test
