#include "SetupTestSupport.h"
#include "shared/setup/Schema.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace varn;
using namespace Qt::StringLiterals;
using varn::setup_test::rowsOf;

namespace {

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override { db = Database::create(dir.filePath(u"varn3.mdb"_s), kDatabasePassword, MainSchemaSql()); }
    QTemporaryDir dir;
    std::unique_ptr<Database> db;
};

TEST_F(SchemaTest, UniqueNamesCollideRegardlessOfLetterCase)
{
    for (const QString& sql : {u"INSERT INTO 客戶 (客戶名稱) VALUES (?)"_s, u"INSERT INTO 廠商 (廠商名稱) VALUES (?)"_s,
                               u"INSERT INTO 員工 (中文姓名) VALUES (?)"_s, u"INSERT INTO 別 (k_id, k) VALUES (1, ?)"_s,
                               u"INSERT INTO 種 (t_id, t) VALUES (1, ?)"_s}) {
        db->execute(sql, {u"ABC"_s});
        EXPECT_THROW(db->execute(sql, {u"abc"_s}), DbError) << sql.toStdString();
        db->execute(sql, {u"ABD"_s});   // a different name is welcome
    }
}

TEST_F(SchemaTest, LexiconViewsKeepEachGroupTogetherInListOrder)
{
    // Work types listed 油漆 before 木作, rows stored the other way round; likewise categories.
    db->executeScript(
        u"INSERT INTO 種 VALUES (1, '油漆'), (2, '木作');"
        "INSERT INTO t2w VALUES ('木作', '門', 3, '樘', 100, 1.2), ('油漆', '乳膠漆', 2, '坪', 50, 1.5),"
        "                       ('木作', '櫃', 2, '尺', 200, 1.3);"
        "INSERT INTO w2d VALUES ('門', '雙開', 300, 3), ('乳膠漆', '雙色', 20, 2), ('門', '單開', 0, 2);"
        "INSERT INTO 別 VALUES (1, '辦公室'), (2, '住宅');"
        "INSERT INTO k2a VALUES ('住宅', '客廳', 1), ('辦公室', '會議室', 2), ('辦公室', '接待區', 1);"
        "INSERT INTO Ctp VALUES (1, '一般客戶'), (2, '建設公司');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('甲', '建設公司'), ('乙', '自訂'), ('丙', '建設公司'),"
        "                                        ('丁', ''), ('戊', '一般客戶');"_s);
    // Every field, so that a column out of place shows.
    EXPECT_EQ(rowsOf(*db, u"Pt2w"_s, -1),
              (QStringList{u"油漆/乳膠漆/坪/50/1.5"_s, u"木作/櫃/尺/200/1.3"_s, u"木作/門/樘/100/1.2"_s}));
    EXPECT_EQ(rowsOf(*db, u"Pt2w2d"_s, -1),
              (QStringList{u"油漆/乳膠漆/雙色/20"_s, u"木作/門/單開/0"_s, u"木作/門/雙開/300"_s}));
    EXPECT_EQ(rowsOf(*db, u"Pk2a"_s, -1), (QStringList{u"辦公室/接待區"_s, u"辦公室/會議室"_s, u"住宅/客廳"_s}));
    // The category filter: the listed categories in use in list order, then the others.
    EXPECT_EQ(rowsOf(*db, u"Tp4C"_s, -1), (QStringList{u"一般客戶"_s, u"建設公司"_s, u"自訂"_s}));
}

TEST_F(SchemaTest, StatisticsFiguresReadAsPlainNumberText)
{
    // The statistics window shows the figures' texts as they come: no 1e+06, no adding noise.
    auto sta = Database::create(dir.filePath(u"sta.mdb"_s), kDatabasePassword, StaSchemaSql());
    sta->executeScript(u"INSERT INTO 統計 (tre, Top, Toc, AoT, T, sot) VALUES ('Ｑ‧A‧B', 0.5, 0.1, 'A', 'B', 1),"
                       "                                                ('Ｑ‧A‧B', 999999.5, 0.2, 'A', 'B', 2);"_s);
    EXPECT_EQ(rowsOf(*sta, u"TOTAL"_s, 2), QStringList{u"1000000/0.3"_s});
    EXPECT_EQ(rowsOf(*sta, u"AotS"_s, 2), QStringList{u"A/1000000"_s});
}

} // namespace
