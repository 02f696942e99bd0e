#include "LexiconTestSupport.h"

namespace varn::test {
namespace {

class QuestionsTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        addCategory(QStringLiteral("住宅"), 2);
        addCategory(QStringLiteral("辦公室"), 1);
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板")});
        editor.load();
    }
};

TEST_F(QuestionsTest, AnotherCategoryOrClosingAsksAboutPendingAreas)
{
    const struct { bool closing; PromptButton answer; bool left; const char16_t* firstArea; } cases[] = {
        {false, PromptButton::No, true, u"A1"}, {false, PromptButton::Cancel, false, u"A1"},
        {true, PromptButton::Cancel, false, u"A1"}, {true, PromptButton::Yes, true, u"客廳"},
    };
    for (const auto& c : cases) {
        sql(QStringLiteral("UPDATE k2a SET a = 'A1' WHERE k = '住宅' AND sort = 1"));
        editor.chooseCategory(QStringLiteral("住宅"));
        editor.editGrid(LexiconGrid::Areas);
        type(LexiconGrid::Areas, 0, 0, QStringLiteral("客廳"));
        prompts.clear();
        prompts.answerMessage(c.answer);
        EXPECT_EQ(c.closing ? editor.close() : editor.chooseCategory(QStringLiteral("辦公室")), c.left);
        EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("正在編輯中\r\n是否套用?"));
        EXPECT_EQ(prompts.asked().back().buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(rows(QStringLiteral("SELECT a FROM k2a WHERE k = '住宅' ORDER BY sort")).first(),
                  QString::fromUtf16(c.firstArea));
        EXPECT_EQ(editor.category(), c.left && !c.closing ? QStringLiteral("辦公室") : QStringLiteral("住宅"));
        EXPECT_EQ(editor.pending(LexiconGrid::Areas), !c.left);
        if (!c.left)
            editor.cancel(LexiconGrid::Areas);
    }
}

TEST_F(QuestionsTest, PendingDetailsAreAskedForBeforeAnotherItemAndBothGridsWhenLeavingTheTab)
{
    editor.editGrid(LexiconGrid::WorkItems);
    editor.cancel(LexiconGrid::WorkItems);
    editor.clickWorkItem(1, 0);
    editor.rightClickDetail(1);
    prompts.answerMessage(PromptButton::Yes);
    editor.deleteRow(LexiconGrid::Details);
    // 新增 on the work items empties the details grid: Cancel keeps the deletion pending.
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(editor.addWorkItem());
    EXPECT_TRUE(editor.pending(LexiconGrid::Details));
    editor.workItems().model().setRow(1);
    editor.moveWorkItem(+1);                     // refused, yet pending
    ASSERT_TRUE(editor.pending(LexiconGrid::WorkItems));
    // Leaving the tab asks for both grids, even after Cancel for the first.
    prompts.clear();
    prompts.answerMessage(PromptButton::Cancel);
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_FALSE(editor.leaveTab(1));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    EXPECT_TRUE(editor.pending(LexiconGrid::WorkItems));
    EXPECT_FALSE(editor.pending(LexiconGrid::Details));
    EXPECT_TRUE(detailsOf(QStringLiteral("天花板")).isEmpty());
    EXPECT_TRUE(editor.leaveTab(2));
}

using EmptyLexiconTest = LexiconFixture;

TEST_F(EmptyLexiconTest, AddingWithoutACategoryOrWorkTypeSaysWhatToCreateFirst)
{
    editor.load();
    EXPECT_FALSE(editor.addArea());
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先新增工程類別"));
    EXPECT_FALSE(editor.addWorkItem());
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先新增工程種類"));
    editor.editGrid(LexiconGrid::WorkItems);
    EXPECT_FALSE(editor.apply(LexiconGrid::WorkItems));
    EXPECT_TRUE(rows(QStringLiteral("SELECT * FROM t2w")).isEmpty());
}

} // namespace
} // namespace varn::test
