// Adding, inserting and deleting tree nodes, the menu states and the no-area mode.
#include "QuotationTestSupport.h"

namespace varn::test {
namespace {

using TreeCommandsTest = QuotationTest;

QStringList childNames(const TreeNode* n)
{
    QStringList out;
    for (const auto& c : n->children)
        out << c->name;
    return out;
}

TEST_F(TreeCommandsTest, MenuStatesFollowTheNodeAndTheMode)
{
    using S = TreeMenuState;
    // addArea addWorkType insert insertArea insertWorkType remove stats byWorkType byArea
    EXPECT_EQ(doc->treeMenuState(Q), (S{true, true, false, false, false, false, false, false, false}));

    add(Q, {"客廳"});
    add(LeafPath({"客廳"}), {"木作"}, true);
    EXPECT_EQ(doc->treeMenuState(Q), (S{true, false, false, false, false, false, true, true, true}));
    EXPECT_EQ(doc->treeMenuState(LeafPath({"客廳"})), (S{false, true, true, true, false, true, true, true, true}));
    EXPECT_EQ(doc->treeMenuState(LeafPath({"客廳", "木作"})),
              (S{false, true, true, false, true, true, true, true, true}));

    doc->newQuotation();
    add(Q, {"木作"}, true);
    ASSERT_TRUE(doc->noAreaMode());
    EXPECT_EQ(doc->treeMenuState(Q), (S{false, true, false, false, false, false, true, true, false}));
    EXPECT_EQ(doc->treeMenuState(LeafPath({"木作"})), (S{false, true, true, false, true, true, true, true, false}));
}

TEST_F(TreeCommandsTest, PickListsLeaveOutNamesAlreadyUsedAndInsertedNamesStandBeforeTheNode)
{
    add(Q, {"客廳", "臥室"});
    const QStringList lexicon{"客廳", "廚房", "臥室", "浴室"};
    EXPECT_EQ(doc->pickListEntries(TreeCommand::AddArea, Q, lexicon),
              (QStringList{"???...", "廚房", "浴室"}));
    EXPECT_EQ(doc->pickListEntries(TreeCommand::InsertArea, LeafPath({"臥室"}), lexicon),
              (QStringList{"廚房", "浴室"}));
    EXPECT_EQ(doc->pickListEntries(TreeCommand::AddWorkType, LeafPath({"臥室"}), {"木作"}),
              (QStringList{"???...", "木作"}));

    // Inserted names stand before the node, in order; the shown node stays.
    ASSERT_TRUE(doc->InsertPickedNodes(LeafPath({"客廳"}), {"玄關", "餐廳", "廚房"}));
    EXPECT_EQ(childNames(doc->tree().root()), (QStringList{"玄關", "餐廳", "廚房", "客廳", "臥室"}));
    EXPECT_EQ(doc->shownPath(), LeafPath({"客廳"}));
    EXPECT_FALSE(doc->InsertPickedNodes(LeafPath({"客廳"}), {"廚房"}));
    EXPECT_FALSE(doc->InsertPickedNodes(Q, {"x"}));
}

TEST_F(TreeCommandsTest, ATypedWorkTypeEntersTheNoAreaModeAndACancelledNameBecomesUnknown)
{
    prompts.answerInput(QStringLiteral("O'Brien \"水電\""));
    ASSERT_TRUE(doc->AddChildNodes(Q, {"???...", "木作"}, true));
    EXPECT_EQ(childNames(doc->tree().root()), (QStringList{"O'Brien \"水電\"", "木作"}));
    EXPECT_EQ(prompts.askedCount(PromptKind::Input), 1);
    EXPECT_TRUE(doc->noAreaMode());
    EXPECT_EQ(doc->shownPath(), LeafPath({"O'Brien \"水電\""}));   // the first new child, as an editable leaf
    EXPECT_TRUE(doc->isLeaf());
    EXPECT_TRUE(doc->tree().root()->expanded);

    // A cancelled name becomes 未知區域.
    doc->newQuotation();
    prompts.clear();
    prompts.answerInput(std::nullopt);
    ASSERT_TRUE(doc->AddChildNodes(Q, {"???..."}, false));
    EXPECT_EQ(childNames(doc->tree().root()), QStringList{"未知區域"});
    EXPECT_FALSE(doc->noAreaMode());

    // A second unknown area would share the name: refused with a message.
    prompts.answerInput(QString());
    EXPECT_FALSE(doc->AddChildNodes(Q, {"???..."}, false));
    EXPECT_EQ(childNames(doc->tree().root()), QStringList{"未知區域"});
    EXPECT_EQ(prompts.lastMessageText(), "同一層已有「未知區域」,名稱不可重複");
}

TEST_F(TreeCommandsTest, NamesThatWouldBreakAPathOrTheFileAreRefusedAndTheOthersStillGoIn)
{
    for (const char* bad : {"客\u2027廳", "a|b", "a\nb", "  "}) {
        prompts.answerInput(QString::fromUtf8(bad));
        EXPECT_FALSE(doc->AddChildNodes(Q, {"???..."}, false)) << bad;
    }
    EXPECT_TRUE(doc->tree().root()->isLeaf());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 4);

    // A name code page 950 cannot hold is refused as a save would refuse it.
    prompts.clear();
    ASSERT_TRUE(doc->AddChildNodes(Q, {"浴😀室", "客廳", "臥室"}, false));
    EXPECT_EQ(childNames(doc->tree().root()), (QStringList{"客廳", "臥室"}));
    EXPECT_EQ(prompts.lastMessageText(), "「名稱」含有無法存檔的字元「😀」:浴😀室");
    ASSERT_TRUE(doc->AddChildNodes(LeafPath({"客廳"}), {"木作", "木作", "油漆"}, true));
    EXPECT_EQ(childNames(doc->tree().find(LeafPath({"客廳"}))), (QStringList{"木作", "油漆"}));
    EXPECT_FALSE(doc->InsertPickedNodes(LeafPath({"客廳"}), {"玄😀關"}));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_TRUE(doc->saveTo(file("q.vrn")));
}

TEST_F(TreeCommandsTest, AddingUnderALeafWithRowsAsksAndMovesThemOnYes)
{
    add(Q, {"客廳"});
    fill(LeafPath({"客廳"}), {{"", "3"}});   // only a quantity: still data
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(doc->AddChildNodes(LeafPath({"客廳"}), {"木作"}, true));
    const auto q = prompts.asked(PromptKind::Message).front();
    EXPECT_EQ(q.text, "此階層含有資料！\r\n是否要新增子階層？\r\n如果點選是,會將資料移至子階層");
    EXPECT_EQ(q.defaultButton, PromptButton::No);
    EXPECT_TRUE(doc->tree().find(LeafPath({"客廳"}))->isLeaf());
    EXPECT_EQ(doc->GTxM(1, QCol::Qty), "3");

    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(doc->AddChildNodes(LeafPath({"客廳"}), {"木作", "油漆"}, true));
    EXPECT_EQ(doc->shownPath(), LeafPath({"客廳", "木作"}));
    EXPECT_EQ(doc->GTxM(1, QCol::Qty), "3");
    doc->selectRoot();
    EXPECT_EQ(shownPaths(), QStringList{LeafPath({"客廳", "木作"})});
    EXPECT_EQ(masterColumn(QCol::Path), QStringList{LeafPath({"客廳", "木作"})});
    EXPECT_FALSE(doc->noAreaMode());   // work types under an area are not the no-area mode

    // A node not shown is selected first, and its rows are in question.
    add(Q, {"臥室"});
    fill(LeafPath({"臥室"}), {{"b"}});
    doc->tv_NodeClick(LeafPath({"客廳"}));
    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(doc->AddChildNodes(LeafPath({"臥室"}), {"木作"}, true));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(shownNames(), QStringList{"b"});
    EXPECT_EQ(doc->shownPath(), LeafPath({"臥室", "木作"}));
}

TEST_F(TreeCommandsTest, DeletingAsksAndTakesTheRowsOfTheSubtree)
{
    add(Q, {"客廳", "臥室"});
    add(LeafPath({"客廳"}), {"木作"}, true);
    fill(LeafPath({"客廳", "木作"}), {{"a", "1", "100"}});
    fill(LeafPath({"臥室"}), {{"b", "1", "200"}});

    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(doc->mDelN_Click(LeafPath({"客廳"})));
    EXPECT_EQ(prompts.asked(PromptKind::Message).back().defaultButton, PromptButton::No);
    EXPECT_FALSE(doc->tree().contains(LeafPath({"客廳", "木作"})));
    EXPECT_EQ(doc->shownPath(), LeafPath({"臥室"}));   // an unrelated shown leaf stays
    doc->selectRoot();
    EXPECT_EQ(masterColumn(QCol::Name), QStringList{"b"});

    // A node of the same path starts empty.
    add(Q, {"客廳"});
    add(LeafPath({"客廳"}), {"木作"}, true);
    EXPECT_EQ(shownNames(), QStringList{""});
    doc->selectRoot();
    EXPECT_EQ(shownNames(), QStringList{"b"});

    prompts.answerMessage(PromptButton::Yes);
    EXPECT_FALSE(doc->mDelN_Click(Q));   // the root is never deleted
    EXPECT_EQ(doc->tree().nodeCount(), 4);

    // Deleting the shown leaf shows its parent with its totals.
    add(LeafPath({"客廳"}), {"油漆"}, true);
    fill(LeafPath({"客廳", "油漆"}), {{"漆", "1", "100"}});
    fill(LeafPath({"客廳", "木作"}), {{"板", "1", "50"}});
    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(doc->mDelN_Click(LeafPath({"客廳", "木作"})));
    EXPECT_EQ(doc->shownPath(), LeafPath({"客廳"}));
    EXPECT_EQ(shownNames(), QStringList{"漆"});
    EXPECT_EQ(doc->totals().lbSumT, "100");
}

} // namespace
} // namespace varn::test
