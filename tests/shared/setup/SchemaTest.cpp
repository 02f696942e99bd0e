#include "platform/db/Database.h"
#include "shared/setup/Schema.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <QSet>

#include <functional>
#include <map>

using namespace varn;

namespace {

QStringList columnsOf(Database& db, const QString& table)
{
    Recordset rs = db.openRecordset(QStringLiteral("PRAGMA table_info(%1)").arg(QuoteIdentifier(table)));
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.text(QStringLiteral("name"));
    return names;
}

QStringList firstColumn(Database& db, const QString& source)
{
    Recordset rs = db.openRecordset(source);
    QStringList values;
    for (; !rs.eof(); rs.moveNext())
        values << rs.text(0);
    return values;
}

int errorNumberOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const DbError& e) {
        return e.number();
    }
    return 0;
}

class SchemaTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::unique_ptr<Database> make(const QString& name, const QString& password, const QString& sql)
    {
        return Database::create(m_dir.filePath(name), password, sql);
    }

    QTemporaryDir m_dir;
};

// ---- Main database

TEST_F(SchemaTest, MainTablesHaveTheirColumnsInOrder)
{
    auto db = make(QStringLiteral("varn3.mdb"), QString(kDatabasePassword), MainSchemaSql());
    const std::map<QString, QStringList> expected = {
        {QStringLiteral("super"), {"super_id", "super_pass"}},
        {QStringLiteral("company"), {"con", "coa", "cot", "cof", "cono", "coe"}},
        {QStringLiteral("別"), {"k_id", "k"}},
        {QStringLiteral("種"), {"t_id", "t"}},
        {QStringLiteral("k2a"), {"k", "a", "sort"}},
        {QStringLiteral("t2w"), {"t", "w", "sort", "u", "c", "s"}},
        {QStringLiteral("w2d"), {"w", "d", "c", "sort"}},
        {QStringLiteral("商vs工"), {QStringLiteral("廠商名稱"), QStringLiteral("工")}},
        {QStringLiteral("商vs料"), {QStringLiteral("廠商名稱"), QStringLiteral("料")}},
        {QStringLiteral("u"), {"sort", "u"}},
        {QStringLiteral("行業"), {"sort", QStringLiteral("行")}},
        {QStringLiteral("地區"), {"sort", QStringLiteral("地")}},
        {QStringLiteral("收款"), {"sort", QStringLiteral("收")}},
        {QStringLiteral("付款"), {"sort", QStringLiteral("付")}},
        {QStringLiteral("ps"), {"sort", "ps"}},
        {QStringLiteral("工班"), {"w_id", QStringLiteral("工班")}},
        {QStringLiteral("材料"), {"p_id", QStringLiteral("材料")}},
        {QStringLiteral("案"), {"sort", QStringLiteral("案")}},
        {QStringLiteral("Ctp"), {"tp_id", "tp"}},
        {QStringLiteral("Ptp"), {"tp_id", "tp"}},
        {QStringLiteral("Qps"), {"sort", "ps"}},
        {QStringLiteral("sc"), {"sort", "sc"}},
    };
    for (const auto& [table, columns] : expected)
        EXPECT_EQ(columnsOf(*db, table), columns) << table.toStdString();

    EXPECT_EQ(columnsOf(*db, QStringLiteral("縣市")).size(), 3);
}

TEST_F(SchemaTest, RegisterColumnsReadByNameStandAtTheirPositions)
{
    auto db = make(QStringLiteral("varn3.mdb"), QString(kDatabasePassword), MainSchemaSql());
    struct Named {
        const char16_t* table;
        int count;
        std::map<int, QString> names;
    };
    const Named registers[] = {
        {u"客戶", 35,
         {{0, "客戶編號"}, {1, "客戶名稱"}, {4, "公司地址"}, {5, "郵遞區號"}, {9, "電話1"},
          {11, "公司傳真"}, {18, "連絡人"}, {20, "連絡人大哥大"}, {34, "type"}}},
        {u"廠商", 38,
         {{0, "廠商編號"}, {1, "廠商名稱"}, {4, "公司地址"}, {5, "郵遞區號"}, {8, "電話1"},
          {17, "連絡人"}, {19, "連絡人大哥大"}, {37, "type"}}},
        {u"員工", 19,
         {{0, "員工編號"}, {1, "中文姓名"}, {2, "英文姓名"}, {5, "地址"}, {8, "住家電話"},
          {9, "行動電話"}, {16, "權限"}, {17, "pass"}}},
    };
    for (const Named& r : registers) {
        const QString table = QString::fromUtf16(r.table);
        const QStringList columns = columnsOf(*db, table);
        ASSERT_EQ(columns.size(), r.count) << table.toStdString();
        for (const auto& [pos, name] : r.names)
            EXPECT_EQ(columns[pos], name) << table.toStdString() << " column " << pos;
        // List printing puts every column name into SQL text unquoted and shows it as a
        // heading: each must be distinct and a plain word.
        EXPECT_EQ(QSet<QString>(columns.begin(), columns.end()).size(), columns.size());
        for (const QString& c : columns)
            EXPECT_FALSE(c.contains(u' ') || c.contains(u'(')) << c.toStdString();
    }
}

TEST_F(SchemaTest, UniqueNamesCollideRegardlessOfLetterCase)
{
    auto db = make(QStringLiteral("varn3.mdb"), QString(kDatabasePassword), MainSchemaSql());
    const struct {
        const char* insert;
    } cases[] = {
        {"INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES ('A001', ?)"},
        {"INSERT INTO 廠商 (廠商編號, 廠商名稱) VALUES ('A001', ?)"},
        {"INSERT INTO 員工 (員工編號, 中文姓名) VALUES ('A001', ?)"},
        {"INSERT INTO 別 (k_id, k) VALUES (1, ?)"},
        {"INSERT INTO 種 (t_id, t) VALUES (1, ?)"},
    };
    for (const auto& c : cases) {
        const QString sql = QString::fromUtf8(c.insert);
        db->execute(sql, {QStringLiteral("ABC")});
        EXPECT_EQ(errorNumberOf([&] { db->execute(sql, {QStringLiteral("abc")}); }), DbErr::DuplicateKey)
            << c.insert;
        EXPECT_EQ(errorNumberOf([&] { db->execute(sql, {QStringLiteral("ABC")}); }), DbErr::DuplicateKey)
            << c.insert;
        db->execute(sql, {QStringLiteral("ABD")});   // a different name is welcome
    }
    EXPECT_EQ(firstColumn(*db, QStringLiteral("SELECT 客戶名稱 FROM 客戶 WHERE 客戶名稱 = 'abc'")),
              QStringList{"ABC"});
    // Names that are not unique: two areas of one name, two identical vendor links.
    db->execute(QStringLiteral("INSERT INTO k2a VALUES ('住宅', '客廳', 1)"));
    db->execute(QStringLiteral("INSERT INTO k2a VALUES ('住宅', '客廳', 2)"));
    db->execute(QStringLiteral("INSERT INTO 商vs工 VALUES ('甲', '木工班')"));
    db->execute(QStringLiteral("INSERT INTO 商vs工 VALUES ('甲', '木工班')"));
}

TEST_F(SchemaTest, LexiconViewsKeepEachGroupTogetherInListOrder)
{
    auto db = make(QStringLiteral("varn3.mdb"), QString(kDatabasePassword), MainSchemaSql());
    // Work types listed 油漆 before 木作, rows stored the other way round.
    db->executeScript(QStringLiteral(
        "INSERT INTO 種 VALUES (1, '油漆'); INSERT INTO 種 VALUES (2, '木作');"
        "INSERT INTO t2w VALUES ('木作', '門', 3, '樘', 100, 1.2);"
        "INSERT INTO t2w VALUES ('油漆', '乳膠漆', 2, '坪', 50, 1.5);"
        "INSERT INTO t2w VALUES ('木作', '櫃', 2, '尺', 200, 1.3);"
        "INSERT INTO w2d VALUES ('門', '雙開', 300, 3);"
        "INSERT INTO w2d VALUES ('乳膠漆', '雙色', 20, 2);"
        "INSERT INTO w2d VALUES ('門', '單開', 0, 2);"
        "INSERT INTO 別 VALUES (1, '辦公室'); INSERT INTO 別 VALUES (2, '住宅');"
        "INSERT INTO k2a VALUES ('住宅', '客廳', 1);"
        "INSERT INTO k2a VALUES ('辦公室', '會議室', 2);"
        "INSERT INTO k2a VALUES ('辦公室', '接待區', 1);"));

    Recordset pt2w = db->openRecordset(QStringLiteral("Pt2w"));
    ASSERT_EQ(pt2w.fieldCount(), 5);
    QStringList rows;
    for (; !pt2w.eof(); pt2w.moveNext())
        rows << pt2w.text(0) + u'/' + pt2w.text(1) + u'/' + pt2w.text(2);
    EXPECT_EQ(rows, (QStringList{"油漆/乳膠漆/坪", "木作/櫃/尺", "木作/門/樘"}));

    Recordset pt2w2d = db->openRecordset(QStringLiteral("Pt2w2d"));
    ASSERT_EQ(pt2w2d.fieldCount(), 4);
    rows.clear();
    for (; !pt2w2d.eof(); pt2w2d.moveNext())
        rows << pt2w2d.text(0) + u'/' + pt2w2d.text(1) + u'/' + pt2w2d.text(2) + u'/' + pt2w2d.text(3);
    EXPECT_EQ(rows, (QStringList{"油漆/乳膠漆/雙色/20", "木作/門/單開/0", "木作/門/雙開/300"}));

    Recordset pk2a = db->openRecordset(QStringLiteral("Pk2a"));
    ASSERT_EQ(pk2a.fieldCount(), 2);
    rows.clear();
    for (; !pk2a.eof(); pk2a.moveNext())
        rows << pk2a.text(0) + u'/' + pk2a.text(1);
    EXPECT_EQ(rows, (QStringList{"辦公室/接待區", "辦公室/會議室", "住宅/客廳"}));
}

TEST_F(SchemaTest, CategoryFiltersListTheCategoriesInUse)
{
    auto db = make(QStringLiteral("varn3.mdb"), QString(kDatabasePassword), MainSchemaSql());
    db->executeScript(QStringLiteral(
        "INSERT INTO Ctp VALUES (1, '一般客戶'); INSERT INTO Ctp VALUES (2, '建設公司');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('甲', '建設公司');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('乙', '自訂');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('丙', '建設公司');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('丁', '');"
        "INSERT INTO 客戶 (客戶名稱, type) VALUES ('戊', '一般客戶');"
        "INSERT INTO 廠商 (廠商名稱, type) VALUES ('甲', '材料商');"));
    EXPECT_EQ(firstColumn(*db, QStringLiteral("Tp4C")),
              (QStringList{"一般客戶", "建設公司", "自訂"}));
    EXPECT_EQ(firstColumn(*db, QStringLiteral("Tp4P")), QStringList{"材料商"});
}

// ---- sta.mdb

class StaViewsTest : public SchemaTest {
protected:
    void SetUp() override
    {
        SchemaTest::SetUp();
        m_db = make(QStringLiteral("sta.mdb"), QString(kDatabasePassword), StaSchemaSql());
    }

    // Writes one row the way the statistics rebuild does: positions 0 to 14 of the table
    // opened by name; a path without a second level leaves T unwritten.
    void addRow(const QString& tre, const QString& des, double qua, double unp, double top,
                double cos, double toc, int blk, int sot)
    {
        Recordset rs = m_db->openRecordset(QStringLiteral("統計"));
        rs.addNew();
        const QStringList levels = tre.split(u'‧');
        const QVariant values[] = {tre, des, QString(), QStringLiteral("式"), qua, unp, top, cos,
                                   toc, 1.0, QString()};
        for (int i = 0; i < 11; ++i)
            rs.setValue(i, values[i]);
        if (levels.size() > 1)
            rs.setValue(11, levels[1]);
        if (levels.size() > 2)
            rs.setValue(12, levels[2]);
        rs.setValue(13, blk);
        rs.setValue(14, sot);
        rs.update();
    }

    // Two areas; 木作 under both, 油漆 under one; the last row is an empty item row.
    void addQuotation()
    {
        addRow(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("天花板"), 10, 100, 1000, 80, 800, 1, 1);
        addRow(QStringLiteral("Ｑ‧客廳‧木作"), QStringLiteral("隔間"), 5, 100, 500, 80, 400, 1, 2);
        addRow(QStringLiteral("Ｑ‧客廳‧油漆"), QStringLiteral("乳膠漆"), 3, 100, 300, 66.67, 200, 2, 3);
        addRow(QStringLiteral("Ｑ‧臥室‧木作"), QStringLiteral("衣櫃"), 1, 2000, 2000, 1500, 1500, 3, 4);
        addRow(QStringLiteral("Ｑ‧臥室‧木作"), QString(), 0, 0, 0, 0, 0, 3, 5);
    }

    // What the group numbering does by work type, then the layout that moves the area from
    // the path into the item name.
    void numberByWorkTypeAndMoveAreas()
    {
        const QStringList types = firstColumn(*m_db, QStringLiteral("T"));
        for (int n = 0; n < types.size(); ++n)
            m_db->execute(QStringLiteral("UPDATE 統計 SET sn = ? WHERE T = ?"), {n + 1, types[n]});
        m_db->execute(QStringLiteral("UPDATE 統計 SET tre = replace(tre, AoT || '‧', ''), Des = AoT || coalesce(Des, '')"));
    }

    int count(const QString& view) { return m_db->openRecordset(view).recordCount(); }

    std::unique_ptr<Database> m_db;
};

TEST_F(StaViewsTest, StatisticsTableHasItsColumnsInOrder)
{
    EXPECT_EQ(columnsOf(*m_db, QStringLiteral("統計")),
              (QStringList{"tre", "Des", "Siz", "Uni", "Qua", "Unp", "Top", "Cos", "Toc", "Rat", "Rem",
                           "AoT", "T", "Blk", "sot", "sn"}));
}

TEST_F(StaViewsTest, EveryViewRunsOnAnEmptyTable)
{
    for (const char* view : {"TOTAL", "Aot", "AoT", "T", "LC", "AlbyP", "SAoT", "ST", "AotS"})
        EXPECT_NO_THROW(m_db->openRecordset(QString::fromLatin1(view))) << view;
    Recordset total = m_db->openRecordset(QStringLiteral("TOTAL"));
    ASSERT_EQ(total.recordCount(), 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(total.value(i).toDouble(), 0.0) << i;
    EXPECT_EQ(count(QStringLiteral("Aot")), 0);
    EXPECT_EQ(count(QStringLiteral("AlbyP")), 0);
}

TEST_F(StaViewsTest, TotalsByQuotationAreaAndWorkType)
{
    addQuotation();

    Recordset total = m_db->openRecordset(QStringLiteral("TOTAL"));
    EXPECT_DOUBLE_EQ(total.value(0).toDouble(), 3800);
    EXPECT_DOUBLE_EQ(total.value(1).toDouble(), 2900);
    EXPECT_DOUBLE_EQ(total.value(2).toDouble(), 900);
    EXPECT_DOUBLE_EQ(total.value(3).toDouble(), 1.31);

    Recordset aot = m_db->openRecordset(QStringLiteral("AoT"));
    ASSERT_EQ(aot.recordCount(), 2);
    ASSERT_EQ(aot.fieldCount(), 5);
    EXPECT_EQ(aot.text(0), QStringLiteral("客廳"));
    EXPECT_DOUBLE_EQ(aot.value(1).toDouble(), 1800);
    EXPECT_DOUBLE_EQ(aot.value(2).toDouble(), 1400);
    EXPECT_DOUBLE_EQ(aot.value(3).toDouble(), 400);
    aot.moveNext();
    EXPECT_EQ(aot.text(0), QStringLiteral("臥室"));
    EXPECT_DOUBLE_EQ(aot.value(1).toDouble(), 2000);

    Recordset t = m_db->openRecordset(QStringLiteral("T"));
    ASSERT_EQ(t.recordCount(), 2);
    EXPECT_EQ(t.text(0), QStringLiteral("木作"));   // both areas together
    EXPECT_DOUBLE_EQ(t.value(1).toDouble(), 3500);
    EXPECT_DOUBLE_EQ(t.value(3).toDouble(), 800);
    EXPECT_DOUBLE_EQ(t.value(4).toDouble(), 1.3);
    t.moveNext();
    EXPECT_EQ(t.text(0), QStringLiteral("油漆"));
    EXPECT_DOUBLE_EQ(t.value(4).toDouble(), 1.5);

    Recordset aots = m_db->openRecordset(QStringLiteral("AotS"));
    ASSERT_EQ(aots.recordCount(), 2);
    EXPECT_EQ(aots.text(0), QStringLiteral("客廳"));
    EXPECT_DOUBLE_EQ(aots.value(1).toDouble(), 1800);
    EXPECT_EQ(aots.value(QStringLiteral("Ct")).toInt(), 3);
    aots.moveNext();
    EXPECT_EQ(aots.value(QStringLiteral("Ct")).toInt(), 2);
}

TEST_F(StaViewsTest, PathsOfOneAreaAndTheirItemCounts)
{
    addQuotation();
    Recordset saot = m_db->openRecordset(QStringLiteral("SAoT"));
    ASSERT_EQ(saot.recordCount(), 3);
    EXPECT_EQ(saot.value(0).toInt(), 2);
    EXPECT_EQ(saot.text(2), QStringLiteral("Ｑ‧客廳‧木作"));

    Recordset living = m_db->openRecordset(QStringLiteral("select AoT, Tre from SAoT where AoT = ?"),
                                           {QStringLiteral("客廳")});
    QStringList paths;
    for (; !living.eof(); living.moveNext())
        paths << living.text(QStringLiteral("Tre"));
    EXPECT_EQ(paths, (QStringList{"Ｑ‧客廳‧木作", "Ｑ‧客廳‧油漆"}));
}

TEST_F(StaViewsTest, PrintOrderFollowsTheTreeWhenNumberedByArea)
{
    addQuotation();
    const QStringList areas = firstColumn(*m_db, QStringLiteral("Aot"));
    for (int n = 0; n < areas.size(); ++n)
        m_db->execute(QStringLiteral("UPDATE 統計 SET sn = ? WHERE AoT = ?"), {n + 1, areas[n]});

    Recordset all = m_db->openRecordset(QStringLiteral("AlbyP"));
    ASSERT_EQ(all.recordCount(), 5);
    QStringList order;
    for (; !all.eof(); all.moveNext())
        order << all.text(QStringLiteral("sot"));
    EXPECT_EQ(order, (QStringList{"1", "2", "3", "4", "5"}));

    // The cover engine's estimate of the detail rows: items + headings + subtotals.
    const int items = count(QStringLiteral("AlbyP"));
    const int nodes = 1 + 2 + 3;   // root, two areas, three work types
    EXPECT_EQ(items + nodes + count(QStringLiteral("LC")) - 1, 5 + 5 + 3);
}

TEST_F(StaViewsTest, WorkTypeLayoutGroupsEveryAreasItemsUnderTheirWorkType)
{
    addQuotation();
    numberByWorkTypeAndMoveAreas();

    Recordset all = m_db->openRecordset(QStringLiteral("AlbyP"));
    ASSERT_EQ(all.fieldCount(), 16);
    QStringList rows;
    for (; !all.eof(); all.moveNext())
        rows << all.text(0) + u'|' + all.text(QStringLiteral("Des")) + u'|' + all.text(QStringLiteral("Aot"));
    EXPECT_EQ(rows, (QStringList{"Ｑ‧木作|客廳天花板|客廳", "Ｑ‧木作|客廳隔間|客廳",
                                 "Ｑ‧木作|臥室衣櫃|臥室", "Ｑ‧木作|臥室|臥室",
                                 "Ｑ‧油漆|客廳乳膠漆|客廳"}));

    Recordset st = m_db->openRecordset(QStringLiteral("ST"));
    ASSERT_EQ(st.recordCount(), 2);
    EXPECT_EQ(st.value(0).toInt(), 4);
    EXPECT_EQ(st.text(2), QStringLiteral("Ｑ‧木作"));
    st.moveNext();
    EXPECT_EQ(st.value(0).toInt(), 1);
    EXPECT_EQ(st.text(2), QStringLiteral("Ｑ‧油漆"));

    // Estimate of the detail rows in this layout: one heading and one subtotal per work
    // type, one row per item.
    const int items = count(QStringLiteral("AlbyP"));
    const int nodes = 6, areas = 2;
    EXPECT_EQ(items + nodes - areas - count(QStringLiteral("SAoT")) + 2 * count(QStringLiteral("LC")) - 1,
              5 + 2 + 2);
}

TEST_F(StaViewsTest, FiguresReadAsPlainNumberText)
{
    // The statistics window shows the figures' texts as they come.
    addRow(QStringLiteral("Ｑ‧A‧B"), QStringLiteral("a"), 1, 0.5, 0.5, 0.1, 0.1, 1, 1);
    addRow(QStringLiteral("Ｑ‧A‧B"), QStringLiteral("b"), 1, 999999.5, 999999.5, 0.2, 0.2, 1, 2);
    for (const char* view : {"TOTAL", "Aot", "T", "AotS"}) {
        Recordset rs = m_db->openRecordset(QString::fromLatin1(view));
        const int first = QLatin1String(view) == QLatin1String("TOTAL") ? 0 : 1;
        EXPECT_EQ(rs.text(first), QStringLiteral("1000000")) << view;
        if (QLatin1String(view) != QLatin1String("AotS")) {
            EXPECT_EQ(rs.text(first + 1), QStringLiteral("0.3")) << view;
        }
    }
}

// ---- pt.mdb

TEST_F(SchemaTest, PrintTablesHoldTheReportFields)
{
    auto db = make(QStringLiteral("pt.mdb"), QString(), PtSchemaSql());
    QStringList phead = columnsOf(*db, QStringLiteral("phead"));
    phead.sort();
    QStringList wanted{"con", "coa", "cot", "cof", "cono", "coe", "cn", "ct", "cf", "en", "ea", "dy", "qno", "sl"};
    wanted.sort();
    EXPECT_EQ(phead, wanted);
    EXPECT_EQ(columnsOf(*db, QStringLiteral("pfp")).size(), 5);
    EXPECT_EQ(columnsOf(*db, QStringLiteral("pbody")).size(), 7);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(columnsOf(*db, QStringLiteral("ps%1").arg(k)).size(), 1) << k;
}

} // namespace
