#include "LexiconTestSupport.h"

namespace varn::test {
namespace {

using AreaGridsTest = LexiconFixture;

TEST_F(AreaGridsTest, AreasFillTwentyToAGridMoveAcrossGridsAndDeletingPullsLaterAreasUp)
{
    // Visible grids and their row counts, e.g. "20,1".
    const auto layout = [&] {
        QStringList out;
        for (int g = 0; g < editor.areas().count(); ++g)
            if (editor.areas().isVisible(g))
                out << QString::number(editor.areas().grid(g).rows());
        return out.join(u',');
    };
    const auto stored = [&] { return rows(QStringLiteral("SELECT a, sort FROM k2a WHERE k = '住宅' ORDER BY sort")); };
    const struct { int areas; const char* layout; } cases[] = {
        {0, "1"}, {1, "1"}, {20, "20"}, {21, "20,1"}, {40, "20,20"}, {41, "20,20,1"},
    };
    for (const auto& c : cases) {
        sql(QStringLiteral("DELETE FROM 別"));
        sql(QStringLiteral("DELETE FROM k2a"));
        addCategory(QStringLiteral("住宅"), c.areas);
        editor.load();
        EXPECT_EQ(layout(), QString::fromLatin1(c.layout)) << c.areas;
        EXPECT_EQ(editor.areas().names().size(), c.areas);   // an empty row is no area
    }
    EXPECT_EQ(editor.areas().grid(1).textMatrix(0, 0), QStringLiteral("A21"));

    // Down from the last area, and up from the first, beep and change nothing, yet pend.
    editor.clickArea(2, 0);
    EXPECT_EQ(editor.moveArea(+1), MoveResult::Refused);
    EXPECT_TRUE(editor.pending(LexiconGrid::Areas));
    editor.clickArea(0, 0);
    EXPECT_EQ(editor.moveArea(-1), MoveResult::Refused);
    // Up from row 0 of grid 1 lands on row 19 of grid 0.
    editor.clickArea(1, 0);
    EXPECT_EQ(editor.moveArea(-1), MoveResult::Moved);
    EXPECT_EQ(std::pair(editor.CurGrid, editor.CurRow), std::pair(0, 19));
    ASSERT_TRUE(editor.apply(LexiconGrid::Areas));
    EXPECT_FALSE(editor.pending(LexiconGrid::Areas));
    const QStringList s = stored();
    ASSERT_EQ(s.size(), 41);
    EXPECT_EQ(s.mid(19, 2), (QStringList{QStringLiteral("A21/20"), QStringLiteral("A20/21")}));
    EXPECT_EQ(s.first(), QStringLiteral("A1/1"));
    EXPECT_EQ(s.last(), QStringLiteral("A41/41"));

    editor.rightClickArea(0, 0);
    prompts.answerMessage(PromptButton::No);   // No: nothing pends
    editor.deleteRow(LexiconGrid::Areas);
    EXPECT_FALSE(editor.pending(LexiconGrid::Areas));
    prompts.answerMessage(PromptButton::Yes);
    editor.deleteRow(LexiconGrid::Areas);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("確定刪除?"));
    EXPECT_EQ(layout(), QStringLiteral("20,20"));
    EXPECT_EQ(editor.areas().grid(0).textMatrix(19, 0), QStringLiteral("A20"));
    EXPECT_EQ(editor.areas().grid(1).textMatrix(19, 0), QStringLiteral("A41"));
    ASSERT_TRUE(editor.apply(LexiconGrid::Areas));
    EXPECT_EQ(stored().first(), QStringLiteral("A2/1"));
    EXPECT_EQ(stored().size(), 40);

    // The only area deleted, grid 0 stays with no rows; a new area starts at its row 0.
    sql(QStringLiteral("DELETE FROM k2a WHERE a <> 'A2'"));
    editor.cancel(LexiconGrid::Areas);
    editor.rightClickArea(0, 0);
    prompts.answerMessage(PromptButton::Yes);
    editor.deleteRow(LexiconGrid::Areas);
    EXPECT_EQ(layout(), QStringLiteral("0"));
    editor.clickArea(0, 0);                    // nothing there to move
    EXPECT_EQ(editor.moveArea(+1), MoveResult::NoSelection);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先選取 再行調整順序"));
    ASSERT_TRUE(editor.addArea());
    EXPECT_EQ(std::pair(editor.CurGrid, editor.CurRow), std::pair(0, 0));
    editor.typeText(LexiconGrid::Areas, QStringLiteral("露台"));
    ASSERT_TRUE(editor.apply(LexiconGrid::Areas));
    EXPECT_EQ(stored(), QStringList{QStringLiteral("露台/1")});
}

} // namespace
} // namespace varn::test
