#include "SetupTestSupport.h"
#include "shared/setup/Schema.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QTemporaryDir>

#include <map>

using namespace varn;
using namespace Qt::StringLiterals;
using varn::setup_test::rowsOf;

namespace {

class SchemaTest : public ::testing::Test {
protected:
    std::unique_ptr<Database> make(const QString& name, const QString& sql)
    {
        return Database::create(m_dir.filePath(name), kDatabasePassword, sql);
    }
    QTemporaryDir m_dir;
};

TEST_F(SchemaTest, ColumnsReadByPositionStandWhereCallersLookForThem)
{
    auto main = make(u"varn3.mdb"_s, MainSchemaSql());
    auto sta = make(u"sta.mdb"_s, StaSchemaSql());
    const struct {
        Database* db;
        QString table;
        int count;
        std::map<int, QString> names;
    } tables[] = {
        {main.get(), u"客戶"_s, 35, {{0, u"客戶編號"_s}, {1, u"客戶名稱"_s}, {4, u"公司地址"_s}, {5, u"郵遞區號"_s},
                                   {9, u"電話1"_s}, {11, u"公司傳真"_s}, {18, u"連絡人"_s}, {34, u"type"_s}}},
        {main.get(), u"廠商"_s, 38, {{0, u"廠商編號"_s}, {1, u"廠商名稱"_s}, {8, u"電話1"_s}, {37, u"type"_s}}},
        {main.get(), u"員工"_s, 19, {{0, u"員工編號"_s}, {1, u"中文姓名"_s}, {16, u"權限"_s}, {17, u"pass"_s}}},
        {main.get(), u"t2w"_s, 6, {{0, u"t"_s}, {1, u"w"_s}, {3, u"u"_s}, {4, u"c"_s}, {5, u"s"_s}}},
        {sta.get(), u"統計"_s, 16, {{0, u"tre"_s}, {1, u"Des"_s}, {4, u"Qua"_s}, {8, u"Toc"_s}, {11, u"AoT"_s},
                                  {12, u"T"_s}, {13, u"Blk"_s}, {14, u"sot"_s}, {15, u"sn"_s}}},
    };
    for (const auto& t : tables) {
        // Opened by name, as the callers do.
        const Recordset rs = t.db->openRecordset(t.table);
        QStringList columns;
        for (int i = 0; i < rs.fieldCount(); ++i)
            columns << rs.fieldName(i);
        ASSERT_EQ(columns.size(), t.count) << t.table.toStdString();
        for (const auto& [pos, name] : t.names)
            EXPECT_EQ(columns[pos], name) << t.table.toStdString() << " column " << pos;
        // List printing puts the registers' column names into SQL text unquoted.
        EXPECT_EQ(QSet<QString>(columns.begin(), columns.end()).size(), columns.size());
        for (const QString& c : columns)
            EXPECT_FALSE(c.contains(u' ') || c.contains(u'(')) << c.toStdString();
    }
}

TEST_F(SchemaTest, UniqueNamesCollideRegardlessOfLetterCase)
{
    auto db = make(u"varn3.mdb"_s, MainSchemaSql());
    for (const QString& sql : {u"INSERT INTO 客戶 (客戶名稱) VALUES (?)"_s,
                               u"INSERT INTO 廠商 (廠商名稱) VALUES (?)"_s,
                               u"INSERT INTO 員工 (中文姓名) VALUES (?)"_s,
                               u"INSERT INTO 別 (k_id, k) VALUES (1, ?)"_s,
                               u"INSERT INTO 種 (t_id, t) VALUES (1, ?)"_s}) {
        db->execute(sql, {u"ABC"_s});
        try {
            db->execute(sql, {u"abc"_s});
            ADD_FAILURE() << sql.toStdString() << " took abc beside ABC";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), DbErr::DuplicateKey) << sql.toStdString();
        }
        db->execute(sql, {u"ABD"_s});   // a different name is welcome
    }
    EXPECT_EQ(rowsOf(*db, u"SELECT 客戶名稱 FROM 客戶 WHERE 客戶名稱 = 'abc'"_s), QStringList{u"ABC"_s});
    // Names that are not unique: two areas of one name, two identical vendor links.
    EXPECT_NO_THROW(db->executeScript(u"INSERT INTO k2a VALUES ('住宅', '客廳', 1), ('住宅', '客廳', 2);"
                                      "INSERT INTO 商vs工 VALUES ('甲', '木工班'), ('甲', '木工班');"_s));
}

TEST_F(SchemaTest, LexiconViewsKeepEachGroupTogetherInListOrder)
{
    auto db = make(u"varn3.mdb"_s, MainSchemaSql());
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
        "                                        ('丁', ''), ('戊', '一般客戶');"
        "INSERT INTO 廠商 (廠商名稱, type) VALUES ('甲', '材料商');"_s);
    // Every field, so that a column out of place shows.
    EXPECT_EQ(rowsOf(*db, u"Pt2w"_s, -1),
              (QStringList{u"油漆/乳膠漆/坪/50/1.5"_s, u"木作/櫃/尺/200/1.3"_s, u"木作/門/樘/100/1.2"_s}));
    EXPECT_EQ(rowsOf(*db, u"Pt2w2d"_s, -1),
              (QStringList{u"油漆/乳膠漆/雙色/20"_s, u"木作/門/單開/0"_s, u"木作/門/雙開/300"_s}));
    EXPECT_EQ(rowsOf(*db, u"Pk2a"_s, -1), (QStringList{u"辦公室/接待區"_s, u"辦公室/會議室"_s, u"住宅/客廳"_s}));
    // The category filters: the listed categories in use in list order, then the others.
    EXPECT_EQ(rowsOf(*db, u"Tp4C"_s, -1), (QStringList{u"一般客戶"_s, u"建設公司"_s, u"自訂"_s}));
    EXPECT_EQ(rowsOf(*db, u"Tp4P"_s, -1), QStringList{u"材料商"_s});
}

// ---- sta.mdb

class StaViewsTest : public SchemaTest {
protected:
    void SetUp() override { m_db = make(u"sta.mdb"_s, StaSchemaSql()); }

    // Two areas; 木作 under both, 油漆 under one; the last row is an empty item row.
    void addQuotation()
    {
        m_db->executeScript(u"INSERT INTO 統計 (tre, Des, Qua, Unp, Top, Cos, Toc, AoT, T, Blk, sot) VALUES"
                            "  ('Ｑ‧客廳‧木作', '天花板', 10, 100, 1000, 80, 800, '客廳', '木作', 1, 1),"
                            "  ('Ｑ‧客廳‧木作', '隔間', 5, 100, 500, 80, 400, '客廳', '木作', 1, 2),"
                            "  ('Ｑ‧客廳‧油漆', '乳膠漆', 3, 100, 300, 66.67, 200, '客廳', '油漆', 2, 3),"
                            "  ('Ｑ‧臥室‧木作', '衣櫃', 1, 2000, 2000, 1500, 1500, '臥室', '木作', 3, 4),"
                            "  ('Ｑ‧臥室‧木作', NULL, 0, 0, 0, 0, 0, '臥室', '木作', 3, 5);"_s);
    }

    // Numbers the groups of a column in the order the given view lists them.
    void numberBy(const QString& view, const QString& column)
    {
        const QStringList groups = rowsOf(*m_db, view);
        for (int n = 0; n < groups.size(); ++n)
            m_db->execute(u"UPDATE 統計 SET sn = ? WHERE %1 = ?"_s.arg(column), {n + 1, groups[n]});
    }

    int count(const QString& view) { return m_db->openRecordset(view).recordCount(); }

    std::unique_ptr<Database> m_db;
};

TEST_F(StaViewsTest, TotalsByQuotationAreaAndWorkType)
{
    for (const char* view : {"Aot", "AoT", "T", "LC", "AlbyP", "SAoT", "ST", "AotS"})
        EXPECT_EQ(count(QString::fromLatin1(view)), 0) << view;   // each runs on an empty table
    EXPECT_EQ(rowsOf(*m_db, u"TOTAL"_s, -1), QStringList{u"0/0/0/0"_s});
    addQuotation();
    EXPECT_EQ(rowsOf(*m_db, u"TOTAL"_s, -1), QStringList{u"3800/2900/900/1.31"_s});
    EXPECT_EQ(rowsOf(*m_db, u"AoT"_s, -1), (QStringList{u"客廳/1800/1400/400/1.29"_s, u"臥室/2000/1500/500/1.33"_s}));
    // 木作 of both areas together, in the order work types first appear.
    EXPECT_EQ(rowsOf(*m_db, u"T"_s, -1), (QStringList{u"木作/3500/2700/800/1.3"_s, u"油漆/300/200/100/1.5"_s}));
    EXPECT_EQ(rowsOf(*m_db, u"AotS"_s, -1), (QStringList{u"客廳/1800/3"_s, u"臥室/2000/2"_s}));
    EXPECT_EQ(rowsOf(*m_db, u"select Ct, AoT, Tre from SAoT where AoT = ?"_s, -1, {u"客廳"_s}),
              (QStringList{u"2/客廳/Ｑ‧客廳‧木作"_s, u"1/客廳/Ｑ‧客廳‧油漆"_s}));
    EXPECT_EQ(count(u"SAoT"_s), 3);

    // Numbered by area, the print order follows the tree.
    numberBy(u"Aot"_s, u"AoT"_s);
    EXPECT_EQ(rowsOf(*m_db, u"select sot from AlbyP"_s), (QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s}));
    // The cover engine's estimate of the detail rows: items + headings + subtotals.
    const int nodes = 1 + 2 + 3;   // root, two areas, three work types
    EXPECT_EQ(count(u"AlbyP"_s) + nodes + count(u"LC"_s) - 1, 5 + 5 + 3);
}

TEST_F(StaViewsTest, FiguresReadAsPlainNumberText)
{
    // The statistics window shows the figures' texts as they come: no 1e+06, no adding noise.
    m_db->executeScript(u"INSERT INTO 統計 (tre, Top, Toc, AoT, T, sot) VALUES ('Ｑ‧A‧B', 0.5, 0.1, 'A', 'B', 1),"
                        "                                                ('Ｑ‧A‧B', 999999.5, 0.2, 'A', 'B', 2);"_s);
    EXPECT_EQ(rowsOf(*m_db, u"TOTAL"_s, 2), QStringList{u"1000000/0.3"_s});
    EXPECT_EQ(rowsOf(*m_db, u"Aot"_s, 3), QStringList{u"A/1000000/0.3"_s});
    EXPECT_EQ(rowsOf(*m_db, u"T"_s, 3), QStringList{u"B/1000000/0.3"_s});
    EXPECT_EQ(rowsOf(*m_db, u"AotS"_s, 2), QStringList{u"A/1000000"_s});
}

TEST_F(StaViewsTest, WorkTypeLayoutGroupsEveryAreasItemsUnderTheirWorkType)
{
    addQuotation();
    // Numbering by work type, then the layout that moves the area from the path into the item.
    numberBy(u"T"_s, u"T"_s);
    m_db->execute(u"UPDATE 統計 SET tre = replace(tre, AoT || '‧', ''), Des = AoT || coalesce(Des, '')"_s);

    EXPECT_EQ(m_db->openRecordset(u"AlbyP"_s).fieldCount(), 16);
    EXPECT_EQ(rowsOf(*m_db, u"select tre, Des, Aot from AlbyP"_s, -1),
              (QStringList{u"Ｑ‧木作/客廳天花板/客廳"_s, u"Ｑ‧木作/客廳隔間/客廳"_s, u"Ｑ‧木作/臥室衣櫃/臥室"_s,
                           u"Ｑ‧木作/臥室/臥室"_s, u"Ｑ‧油漆/客廳乳膠漆/客廳"_s}));
    EXPECT_EQ(rowsOf(*m_db, u"ST"_s, -1), (QStringList{u"4/木作/Ｑ‧木作"_s, u"1/油漆/Ｑ‧油漆"_s}));
    // Estimate of the detail rows: one heading and one subtotal per work type, one row per item.
    const int nodes = 6, areas = 2;
    EXPECT_EQ(count(u"AlbyP"_s) + nodes - areas - count(u"SAoT"_s) + 2 * count(u"LC"_s) - 1, 5 + 2 + 2);
}

} // namespace
