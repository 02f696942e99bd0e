#include "LexiconTestSupport.h"

#include "lexicon/OrderedList.h"
#include "shared/LookupLists.h"

namespace varn::test {
namespace {

using LookupListTest = LexiconFixture;

TEST_F(LookupListTest, OnlyChangedListsAreRewrittenRenumberedAllOrNone)
{
    for (const auto& [table, order, text] : {std::tuple{"u", "sort", "u"}, std::tuple{"Ctp", "tp_id", "tp"},
                                             std::tuple{"sc", "sort", "sc"}})
        for (int i : {3, 7, 9})
            sql(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)").arg(table, order, text),
                {i, QStringLiteral("%1%2").arg(table).arg(i)});
    editor.load();
    EXPECT_EQ(editor.lookups().grid(1).rows(), 1);   // an empty list shows one empty row
    editor.lookups().prepareEdit(0);
    editor.lookups().prepareEdit(0);                  // the empty last row is not doubled
    EXPECT_EQ(editor.lookups().grid(0).rows(), 4);
    editor.lookups().grid(0).setTextMatrix(3, 0, QStringLiteral("坪"));
    editor.lookups().grid(0).setTextMatrix(1, 0, QString());   // an emptied middle entry stays
    editor.lookups().prepareEdit(9);                  // opened, nothing typed
    editor.lookups().grid(12).setTextMatrix(0, 0, QStringLiteral("1.5"));
    // A failure in one list leaves every list as it was; Yes closes without saving.
    sql(QStringLiteral("CREATE TRIGGER no_sc BEFORE INSERT ON sc BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(editor.close());
    EXPECT_TRUE(prompts.lastMessageText().contains(QStringLiteral("locked")));
    EXPECT_EQ(rows(QStringLiteral("SELECT sort, u FROM u ORDER BY sort")).first(), QStringLiteral("3/u3"));
    sql(QStringLiteral("DROP TRIGGER no_sc"));
    EXPECT_TRUE(editor.close());
    EXPECT_EQ(rows(QStringLiteral("SELECT sort, u FROM u ORDER BY sort")),
              (QStringList{QStringLiteral("1/u3"), QStringLiteral("2/"), QStringLiteral("3/u9"), QStringLiteral("4/坪")}));
    EXPECT_EQ(rows(QStringLiteral("SELECT tp_id FROM Ctp ORDER BY tp_id")),
              (QStringList{QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("9")}));
    EXPECT_EQ(rows(QStringLiteral("SELECT sc FROM sc ORDER BY sort")).first(), QStringLiteral("1.5"));
}

class OrderedListTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        addCategory(QStringLiteral("住宅"), 2);
        addCategory(QStringLiteral("店面"), 1);
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板")});
        addWorkType(QStringLiteral("泥作"), {QStringLiteral("粉光")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板")});
    }
};

TEST_F(OrderedListTest, RenamesAndDeletionsReachTheDependentRowsAndBadNamesAreRefused)
{
    OrderedList k(QStringLiteral("k"));
    k.load(*db);
    ASSERT_TRUE(k.rename(*db, 0, QStringLiteral("透天 \"A\" 'B'")));
    EXPECT_EQ(rows(QStringLiteral("SELECT k_id, k FROM 別 ORDER BY k_id")),
              (QStringList{QStringLiteral("1/透天 \"A\" 'B'"), QStringLiteral("2/店面")}));
    EXPECT_EQ(rows(QStringLiteral("SELECT count(*) FROM k2a WHERE k = '透天 \"A\" ''B'''")), QStringList{QStringLiteral("2")});
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(k.remove(*db, 0));
    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(k.remove(*db, 0));
    EXPECT_EQ(rows(QStringLiteral("SELECT k FROM k2a")), QStringList{QStringLiteral("店面")});

    OrderedList t(QStringLiteral("t"));
    t.load(*db);
    ASSERT_TRUE(t.rename(*db, 1, QStringLiteral("泥作工程")));
    EXPECT_EQ(rows(QStringLiteral("SELECT t FROM t2w WHERE w = '粉光'")), QStringList{QStringLiteral("泥作工程")});
    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(t.remove(*db, 0));   // its work items go, and the details no other work type holds
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("確定刪除【木作】\r\n如果刪除會將所包含的施工一並刪除"));
    EXPECT_EQ(rows(QStringLiteral("SELECT t_id, t FROM 種")), QStringList{QStringLiteral("1/泥作工程")});
    EXPECT_TRUE(rows(QStringLiteral("SELECT w FROM t2w WHERE t = '木作'")).isEmpty());
    EXPECT_TRUE(detailsOf(QStringLiteral("天花板")).isEmpty());

    const struct { const char16_t* name; const char16_t* message; } refused[] = {
        {u"   ", u"請在空格中輸入 工程種類"},
        {u"泥作工程", u"【泥作工程】已經存在"},
        {u"a\nb", u"名稱不可含有換行"},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(t.add(*db, QString::fromUtf16(c.name)));
        EXPECT_EQ(prompts.lastMessageText(), QString::fromUtf16(c.message));
    }
    sql(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (2, 'Abc')"));
    EXPECT_FALSE(t.add(*db, QStringLiteral("aBC")));   // added elsewhere meanwhile
    EXPECT_EQ(t.count(), 2);
    ASSERT_TRUE(t.add(*db, QStringLiteral("油漆")));
    EXPECT_EQ(t.names().last(), QStringLiteral("油漆"));
    EXPECT_TRUE(t.rename(*db, 0, QStringLiteral("泥作工程")));   // its own name again
}

TEST_F(OrderedListTest, ANameThatDiffersOnlyByBlanksIsRefusedYetLookAlikesStoredStay)
{
    sql(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (3, '店面 ')"));   // stored before names were checked
    OrderedList k(QStringLiteral("k"));
    k.load(*db);
    sql(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (4, '別墅')"));    // added elsewhere meanwhile
    const struct { int index; const char16_t* name; const char16_t* message; } refused[] = {
        {-1, u"住宅　", u"【住宅】已經存在"},
        {-1, u"\t住宅", u"【住宅】已經存在"},
        {-1, u"　店面", u"【店面】已經存在"},
        {-1, u"別墅 ", u"【別墅】已經存在"},
        {0, u"店面\t", u"【店面】已經存在"},
    };
    for (const auto& c : refused) {
        const QString name = QString::fromUtf16(c.name);
        EXPECT_FALSE(c.index < 0 ? k.add(*db, name) : k.rename(*db, c.index, name)) << name.toStdString();
        EXPECT_EQ(prompts.lastMessageText(), QString::fromUtf16(c.message));
    }
    // An entry stored beside its look-alike keeps working, and may be respelt.
    ASSERT_TRUE(k.rename(*db, 2, QStringLiteral("店面　")));
    EXPECT_EQ(rows(QStringLiteral("SELECT k FROM 別 ORDER BY k_id")),
              (QStringList{QStringLiteral("住宅"), QStringLiteral("店面"), QStringLiteral("店面　"), QStringLiteral("別墅")}));

    OrderedList t(QStringLiteral("t"));
    t.load(*db);
    EXPECT_FALSE(t.add(*db, QStringLiteral("木作 ")));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【木作】已經存在"));
    EXPECT_EQ(t.count(), 2);
}

TEST_F(OrderedListTest, SaveKeepsNamesAddedElsewhereAndDropsNamesDeletedElsewhere)
{
    OrderedList k(QStringLiteral("k"));
    k.load(*db);
    ASSERT_EQ(k.moveDown(0), 1);
    EXPECT_FALSE(k.moveDown(1));
    EXPECT_FALSE(k.moveUp(0));
    sql(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (9, '別墅')"));
    sql(QStringLiteral("DELETE FROM 別 WHERE k = '住宅'"));
    ASSERT_TRUE(k.save(*db));
    EXPECT_EQ(rows(QStringLiteral("SELECT k_id, k FROM 別 ORDER BY k_id")),
              (QStringList{QStringLiteral("1/店面"), QStringLiteral("2/別墅")}));
}

} // namespace
} // namespace varn::test
