// The tree's popup and name pick list, the no-area mode and its print commands, and the
// row popup: copy, paste, insert and delete.
#include "WindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTreeWidget>

namespace varn::test {
namespace {

using TreeAndRows = WindowTest;

QStringList childNames(QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

bool areaPrintEnabled(frmQ& w)
{
    bool all = true, any = false;
    for (const char* name : {"mPa", "mAs", "mPnw", "mPac", "mPas", "mPwaS", "mPwa", "mPwac"}) {
        const bool on = w.action(QString::fromLatin1(name))->isEnabled();
        all = all && on;
        any = any || on;
    }
    EXPECT_EQ(all, any) << "the eight area print commands go together";
    return all;
}

TEST_F(TreeAndRows, TheAreaPickAddsTheChosenNodesInListOrder)
{
    frmQ& w = window();
    w.tv_MouseDown(Qt::RightButton, Q);   // an empty quotation offers only the add commands
    EXPECT_TRUE(w.mTV()->isVisible());
    w.mTV()->hide();
    EXPECT_TRUE(w.action(QStringLiteral("mAddT"))->isEnabled());
    EXPECT_FALSE(w.action(QStringLiteral("mInsN"))->isEnabled());
    EXPECT_FALSE(w.action(QStringLiteral("mDelN"))->isEnabled());
    w.action(QStringLiteral("mAddA"))->trigger();
    QListWidget* list = w.lstAK();
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("???..."));
    // Nothing chosen: 確定 stays off.
    w.lstAK_MouseDown(Qt::RightButton);
    EXPECT_FALSE(w.action(QStringLiteral("mADakO"))->isEnabled());
    w.mADAK()->hide();

    list->item(3)->setSelected(true);   // 廚房, chosen first
    list->item(1)->setSelected(true);   // 客廳
    w.lstAK_MouseDown(Qt::RightButton);
    w.mADAK()->hide();
    w.action(QStringLiteral("mADakO"))->trigger();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(childNames(w.tv()->topLevelItem(0)), (QStringList{QStringLiteral("客廳"), QStringLiteral("廚房")}));
    EXPECT_EQ(doc().shownPath(), path({"客廳"}));
    EXPECT_EQ(w.tv()->currentItem()->text(0), QStringLiteral("客廳"));
    EXPECT_EQ(w.lbPath()->text(), path({"客廳"}));

    // The add list no longer offers names the node's children have.
    w.tv_MouseDown(Qt::RightButton, Q);
    w.mTV()->hide();
    w.action(QStringLiteral("mAddA"))->trigger();
    EXPECT_EQ(list->count(), 2);
    w.mADakC_Click();
    EXPECT_FALSE(list->isVisible());

    // Inserting puts the names before the node, in list order.
    pickNames(path({"廚房"}), "mInsA", {QStringLiteral("主臥室")});
    EXPECT_EQ(childNames(w.tv()->topLevelItem(0)),
              (QStringList{QStringLiteral("客廳"), QStringLiteral("主臥室"), QStringLiteral("廚房")}));
}

TEST_F(TreeAndRows, ATypedNameIsAskedForAndADuplicateIsRefused)
{
    frmQ& w = window();
    prompts.answerInput(QStringLiteral("O'Brien \"小\" 房"));
    pickNames(Q, "mAddA", {QStringLiteral("???..."), QStringLiteral("客廳")});
    EXPECT_EQ(childNames(w.tv()->topLevelItem(0)),
              (QStringList{QStringLiteral("O'Brien \"小\" 房"), QStringLiteral("客廳")}));

    for (const QString& refused : {QStringLiteral("客廳"), QStringLiteral("臥室‧二")}) {
        prompts.answerInput(refused);
        prompts.answerMessage(PromptButton::Ok);
        pickNames(Q, "mAddA", {QStringLiteral("???...")});
    }
    EXPECT_EQ(doc().tree().nodeCount(), 3);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

TEST_F(TreeAndRows, DeletingTheOnlyWorkTypeReturnsToAreaModeAndItsPrintCommands)
{
    frmQ& w = window();
    ASSERT_TRUE(areaPrintEnabled(w));
    prompts.answerInput(std::nullopt);   // a cancelled name becomes 未知工種
    pickNames(Q, "mAddT", {QStringLiteral("???...")});
    EXPECT_EQ(childNames(w.tv()->topLevelItem(0)), QStringList{QStringLiteral("未知工種")});
    EXPECT_TRUE(doc().noAreaMode());
    EXPECT_FALSE(areaPrintEnabled(w));

    // At the root of a no-area quotation only work types are added.
    w.tv_MouseDown(Qt::RightButton, Q);
    w.mTV()->hide();
    EXPECT_FALSE(w.action(QStringLiteral("mAddA"))->isEnabled());
    EXPECT_TRUE(w.action(QStringLiteral("mAddT"))->isEnabled());

    const QString key = path({"未知工種"});
    w.tv_MouseDown(Qt::RightButton, key);
    w.mTV()->hide();
    ASSERT_TRUE(w.action(QStringLiteral("mDelN"))->isEnabled());
    prompts.answerMessage(PromptButton::No);
    w.action(QStringLiteral("mDelN"))->trigger();
    EXPECT_EQ(doc().tree().nodeCount(), 2);

    prompts.answerMessage(PromptButton::Yes);
    w.action(QStringLiteral("mDelN"))->trigger();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("確定刪除 (%1)").arg(key));
    EXPECT_EQ(doc().tree().nodeCount(), 1);
    EXPECT_FALSE(doc().noAreaMode());
    EXPECT_TRUE(areaPrintEnabled(w));
    EXPECT_EQ(w.tv()->topLevelItem(0)->childCount(), 0);
}

TEST_F(TreeAndRows, RowsAreCopiedFromOneWorkTypeAndPastedIntoAnother)
{
    frmQ& w = window();
    buildTwoAreas();
    for (auto [row, col, text] : {std::tuple{1, QCol::Name, "甲"}, {1, QCol::Qty, "1"}, {1, QCol::Price, "10"},
                                  {2, QCol::Name, "乙"}}) {
        clickCell(row, col);
        type(QString::fromUtf8(text));
    }

    // The row popup opened on the selector column, then one of its commands.
    const auto popup = [&](const char* command) {
        clickCell(1, QCol::Selector, Qt::RightButton);
        ASSERT_TRUE(w.mQ()->isVisible());
        w.mQ()->hide();
        ASSERT_TRUE(w.action(QString::fromLatin1(command))->isEnabled()) << command;
        w.action(QString::fromLatin1(command))->trigger();
    };
    selectRows(2, 1);   // dragged upward
    popup("mCpq");
    w.tv_NodeClick(path({"廚房"}));
    popup("mPstQ");
    EXPECT_EQ(cell(1, QCol::Name), QStringLiteral("甲"));
    EXPECT_EQ(cell(2, QCol::Name), QStringLiteral("乙"));
    EXPECT_EQ(w.lbSumT()->text(), QStringLiteral("10"));

    // Insert the copies above the first row, then delete the first two rows again.
    popup("mInsQcp");
    EXPECT_EQ(cell(3, QCol::Name), QStringLiteral("甲"));
    selectRows(1, 2);
    popup("mDelQ");
    EXPECT_EQ(cell(1, QCol::Name), QStringLiteral("甲"));
    EXPECT_EQ(cell(2, QCol::Name), QStringLiteral("乙"));

    // The whole quotation at the root shows both leaves' rows, in tree order.
    w.tv_NodeClick(Q);
    EXPECT_EQ(cell(1, QCol::Path), path({"客廳", "木作"}));
    EXPECT_EQ(w.lbSumT()->text(), QStringLiteral("20"));
}

} // namespace
} // namespace varn::test
