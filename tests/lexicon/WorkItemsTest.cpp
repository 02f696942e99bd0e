#include "LexiconTestSupport.h"

namespace varn::test {
namespace {

class WorkItemsTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        seed();
    }
    void seed()
    {
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板"), QStringLiteral("隔間"), QStringLiteral("櫃子")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板"), QStringLiteral("間接照明")});
        addDetails(QStringLiteral("隔間"), {QStringLiteral("隔音棉")});
        editor.load();
    }
    QStringList stored(const QString& t = QStringLiteral("木作"))
    {
        return rows(QStringLiteral("SELECT w, sort, u, c, s FROM t2w WHERE t = ? ORDER BY sort"), {t});
    }
};

TEST_F(WorkItemsTest, AFailedApplyKeepsTheStoredRowsAndTheGridThenNumbersOrZeroAreStored)
{
    sql(QStringLiteral("CREATE TRIGGER fail_third AFTER INSERT ON t2w WHEN NEW.sort = 4 "
                       "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    editor.editGrid(LexiconGrid::WorkItems);
    type(LexiconGrid::WorkItems, 1, 0, QStringLiteral("新天花板"));
    type(LexiconGrid::WorkItems, 1, 2, QStringLiteral("abc"));
    type(LexiconGrid::WorkItems, 2, 0, QString());                  // an empty name in the middle is kept
    type(LexiconGrid::WorkItems, 3, 3, QString());                  // an emptied ratio holds "0"
    ASSERT_TRUE(editor.addWorkItem());         // a new row left empty is not stored
    EXPECT_FALSE(editor.apply(LexiconGrid::WorkItems));
    EXPECT_TRUE(prompts.lastMessageText().contains(QStringLiteral("disk full")));
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("天花板/2/式/100/1.2"), QStringLiteral("隔間/3/式/100/1.2"),
                                     QStringLiteral("櫃子/4/式/100/1.2")}));
    EXPECT_TRUE(editor.pending(LexiconGrid::WorkItems));
    EXPECT_EQ(editor.workItems().text(1, 0), QStringLiteral("新天花板"));
    EXPECT_EQ(editor.workItems().text(3, 3), QStringLiteral("0"));
    sql(QStringLiteral("DROP TRIGGER fail_third"));
    ASSERT_TRUE(editor.apply(LexiconGrid::WorkItems));
    EXPECT_EQ(stored(), (QStringList{QStringLiteral("新天花板/2/式/0/1.2"), QStringLiteral("/3/式/100/1.2"),
                                     QStringLiteral("櫃子/4/式/100/0")}));
}

TEST_F(WorkItemsTest, DetailsFollowRenames)
{
    // Rows 1 and 2 renamed to row1, row2; 泥作 holds `other` too. Details as "name:d=c,...".
    const struct { const char16_t *row1, *row2, *other; bool joined; std::vector<const char16_t*> details; } cases[] = {
        {u"平頂天花板", u"隔間", u"", false, {u"平頂天花板:矽酸鈣板=10,間接照明=10", u"天花板:"}},
        {u"隔間", u"天花板", u"", false, {u"隔間:矽酸鈣板=10,間接照明=10", u"天花板:隔音棉=10"}},
        {u"平頂天花板", u"隔間", u"天花板", false, {u"平頂天花板:矽酸鈣板=10,間接照明=10", u"天花板:矽酸鈣板=10,間接照明=10"}},
        {u"粉光", u"隔間", u"粉光", true, {u"粉光:間接照明=50,打底=20,矽酸鈣板=10", u"天花板:"}},
        {u"隔間", u"天花板", u"隔間", true, {u"隔間:隔音棉=10,矽酸鈣板=10,間接照明=10", u"天花板:隔音棉=10"}},
    };
    for (const auto& c : cases) {
        for (const char* table : {"w2d", "t2w", "種"})
            sql(QStringLiteral("DELETE FROM %1").arg(QString::fromUtf8(table)));
        seed();
        if (!QString::fromUtf16(c.other).isEmpty())
            addWorkType(QStringLiteral("泥作"), {QString::fromUtf16(c.other)});
        sql(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES ('粉光', '間接照明', 50, 2), ('粉光', '打底', 20, 3)"));
        prompts.clear();
        editor.editGrid(LexiconGrid::WorkItems);
        type(LexiconGrid::WorkItems, 1, 0, QString::fromUtf16(c.row1));
        type(LexiconGrid::WorkItems, 2, 0, QString::fromUtf16(c.row2));
        ASSERT_TRUE(editor.apply(LexiconGrid::WorkItems));
        EXPECT_EQ(prompts.lastMessageText().contains(u"】原已有細項加成，【天花板】的細項已併入"), c.joined)
            << prompts.lastMessageText().toStdString();
        for (const char16_t* d : c.details) {
            const QString name = QString::fromUtf16(d).section(u':', 0, 0);
            EXPECT_EQ(rows(QStringLiteral("SELECT d || '=' || c FROM w2d WHERE w = ? ORDER BY sort"), {name}).join(u','),
                      QString::fromUtf16(d).section(u':', 1))
                << QString::fromUtf16(d).toStdString();
        }
    }
}

TEST_F(WorkItemsTest, DeletedItemsTakeTheirDetailsOnlyFromTheirLastWorkType)
{
    addWorkType(QStringLiteral("輕隔間"), {QStringLiteral("隔間")});
    for (const QString& type : {QStringLiteral("木作"), QStringLiteral("輕隔間")}) {
        ASSERT_TRUE(editor.chooseWorkType(type));
        editor.rightClickWorkItem(type == QStringLiteral("木作") ? 2 : 1);
        prompts.answerMessage(PromptButton::Yes);
        editor.deleteRow(LexiconGrid::WorkItems);
        EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("確定刪除? 【隔間】\r\n如刪除會將所有加成一並刪除"));
        ASSERT_TRUE(editor.apply(LexiconGrid::WorkItems));
        EXPECT_EQ(detailsOf(QStringLiteral("隔間")).isEmpty(), type != QStringLiteral("木作"));
    }
}

TEST_F(WorkItemsTest, AfterARenameTheStoredDetailsShowAndADetailsApplyAddsToThem)
{
    const QString quoted = QStringLiteral("5\" 'A' 管");
    editor.clickWorkItem(2, 0);
    editor.editGrid(LexiconGrid::WorkItems);
    type(LexiconGrid::WorkItems, 2, 0, quoted);
    editor.clickWorkItem(2, 0);                    // not yet stored: no details under the new name
    EXPECT_TRUE(editor.details().rows().isEmpty());
    ASSERT_TRUE(editor.apply(LexiconGrid::WorkItems));
    EXPECT_EQ(editor.detailCaption(), quoted + QStringLiteral(" 的"));
    EXPECT_EQ(editor.details().text(1, 0), QStringLiteral("隔音棉"));
    ASSERT_TRUE(editor.rightClickDetail(1));
    ASSERT_TRUE(editor.addDetail());
    EXPECT_FALSE(editor.workGridEnabled());
    editor.typeText(LexiconGrid::Details, QStringLiteral("白鐵"));
    editor.nextDetailCell();
    editor.typeText(LexiconGrid::Details, QString());
    EXPECT_EQ(editor.details().text(2, 1), QStringLiteral("0"));
    editor.nextDetailCell();                      // past the last column: a new row
    EXPECT_EQ(std::pair(editor.CurRow, editor.CurCol), std::pair(3, 0));
    ASSERT_TRUE(editor.apply(LexiconGrid::Details));
    EXPECT_TRUE(editor.workGridEnabled());
    EXPECT_EQ(rows(QStringLiteral("SELECT d, c, sort FROM w2d WHERE w = ? ORDER BY sort"), {quoted}),
              (QStringList{QStringLiteral("隔音棉/10/2"), QStringLiteral("白鐵/0/3")}));
}

TEST_F(WorkItemsTest, EditingExistingRowsWalksTheirCellsAndWarnsForNamesWithDetails)
{
    EXPECT_FALSE(editor.rightClickDetail(1));      // no work item chosen
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請選取一施工項目"));
    editor.editGrid(LexiconGrid::WorkItems);
    // (row, column) -> next cell; the name warning is due in the name column of items with details
    const struct { int row, col, nextRow, nextCol; bool warning; } cases[] = {
        {1, 0, 1, 1, true}, {2, 0, 2, 1, true}, {3, 0, 3, 1, false}, {1, 1, 1, 2, false},
        {2, 3, 3, 0, false}, {3, 3, 3, 0, false},   // the last row: back to its first column
    };
    for (const auto& c : cases) {
        editor.CurRow = c.row;
        editor.CurCol = c.col;
        EXPECT_EQ(editor.nameWarningDue(), c.warning) << c.row << "," << c.col;
        editor.nextWorkCell();
        EXPECT_EQ(std::pair(editor.CurRow, editor.CurCol), std::pair(c.nextRow, c.nextCol)) << c.row << "," << c.col;
    }
}

} // namespace
} // namespace varn::test
