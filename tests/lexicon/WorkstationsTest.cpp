#include "LexiconTestSupport.h"

namespace varn::test {
namespace {

// This window on the shared connection, another workstation on a second connection to
// the same file.
class WorkstationsTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        addCategory(QStringLiteral("住宅"), 2);
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板"), QStringLiteral("隔間")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板")});
        sql(QStringLiteral("INSERT INTO u (sort, u) VALUES (1, '式'), (2, '坪')"));
        editor.load();
        editor.clickWorkItem(1, 0);
        other = Database::open(dir.filePath(QStringLiteral("varn3.mdb")));
    }
    std::unique_ptr<Database> other;
};

TEST_F(WorkstationsTest, AnApplyChangesOnlyWhatThisWindowChanged)
{
    for (const char* s : {"INSERT INTO k2a (k, a, sort) VALUES ('住宅', '陽台', 3)", "DELETE FROM k2a WHERE a = 'A2'",
                          "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '櫃子', 4, '式', 1, 1)",
                          "UPDATE t2w SET c = 300 WHERE w = '天花板'",
                          "INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '角材', 5, 3)",
                          "INSERT INTO u (sort, u) VALUES (3, '才')"})
        other->execute(QString::fromUtf8(s));

    ASSERT_TRUE(editor.addDetail());
    editor.typeText(LexiconGrid::Details, QStringLiteral("封板"));
    ASSERT_TRUE(editor.apply(LexiconGrid::Details));
    editor.editGrid(LexiconGrid::Areas);
    type(LexiconGrid::Areas, 0, 0, QStringLiteral("客廳"));
    ASSERT_TRUE(editor.apply(LexiconGrid::Areas));
    editor.editGrid(LexiconGrid::WorkItems);
    type(LexiconGrid::WorkItems, 2, 0, QStringLiteral("輕隔間"));
    ASSERT_TRUE(editor.apply(LexiconGrid::WorkItems));
    editor.lookups().grid(0).setTextMatrix(0, 0, QStringLiteral("一式"));
    ASSERT_TRUE(editor.close());

    EXPECT_EQ(rows(QStringLiteral("SELECT a, sort FROM k2a ORDER BY sort")),
              (QStringList{QStringLiteral("客廳/1"), QStringLiteral("陽台/2")}));
    EXPECT_EQ(editor.areas().names(), (QStringList{QStringLiteral("客廳"), QStringLiteral("陽台")}));
    EXPECT_EQ(rows(QStringLiteral("SELECT w, sort, c FROM t2w ORDER BY sort")),
              (QStringList{QStringLiteral("天花板/2/300"), QStringLiteral("輕隔間/3/100"), QStringLiteral("櫃子/4/1")}));
    EXPECT_EQ(editor.workItems().text(3, 0), QStringLiteral("櫃子"));
    EXPECT_EQ(detailsOf(QStringLiteral("天花板")),
              (QStringList{QStringLiteral("矽酸鈣板"), QStringLiteral("封板"), QStringLiteral("角材")}));
    EXPECT_EQ(editor.details().text(3, 0), QStringLiteral("角材"));
    EXPECT_EQ(rows(QStringLiteral("SELECT u FROM u ORDER BY sort")),
              (QStringList{QStringLiteral("一式"), QStringLiteral("坪"), QStringLiteral("才")}));
}

TEST_F(WorkstationsTest, NothingIsWrittenUnderAnOwnerAnotherWorkstationRemovedAndALockedReadSaysSo)
{
    const struct { LexiconGrid grid; const char* removal; const char16_t* message; const char* stored; } cases[] = {
        {LexiconGrid::Details, "DELETE FROM t2w WHERE w = '天花板'", u"施工項目【天花板】已被其他使用者刪除",
         "SELECT count(*) FROM w2d WHERE d = '新'"},
        {LexiconGrid::Areas, "DELETE FROM 別", u"工程類別【住宅】已被其他使用者刪除", "SELECT count(*) FROM k2a"},
        {LexiconGrid::WorkItems, "UPDATE 種 SET t = '木工'", u"工程種類【木作】已被其他使用者刪除",
         "SELECT count(*) FROM t2w WHERE w = '新'"},
    };
    for (const auto& c : cases) {
        editor.editGrid(c.grid);
        type(c.grid, 1, 0, QStringLiteral("新"));
        other->execute(QString::fromUtf8(c.removal));
        other->execute(QStringLiteral("DELETE FROM k2a"));
        EXPECT_FALSE(editor.apply(c.grid));
        EXPECT_TRUE(prompts.lastMessageText().contains(QString::fromUtf16(c.message)))
            << prompts.lastMessageText().toStdString();
        EXPECT_EQ(rows(QString::fromUtf8(c.stored)), QStringList{QStringLiteral("0")});
        editor.cancel(c.grid);
    }
    // A read kept out by the other workstation's write says it could not read.
    db->setBusyTimeout(50);
    other->execute(QStringLiteral("BEGIN EXCLUSIVE"));
    editor.cancel(LexiconGrid::Areas);
    other->execute(QStringLiteral("ROLLBACK"));
    EXPECT_TRUE(prompts.lastMessageText().startsWith(QStringLiteral("詞庫無法讀取：無法讀取"))) << prompts.lastMessageText().toStdString();
}

} // namespace
} // namespace varn::test
