#include "StatisticsTestSupport.h"

#include "platform/grid/GridModel.h"
#include "quotation/StaDatabase.h"

using namespace varn;
using namespace varn::test;

namespace {

using StatisticsTableTest = StatisticsFixture;

const QString kColumns
    = u"SELECT tre, Des, Siz, Uni, Qua, Unp, Top, Cos, Toc, Rat, Rem, AoT, T, Blk, sot, sn "
      "FROM 統計 ORDER BY rowid"_s;

} // namespace

TEST_F(StatisticsTableTest, EveryGridRowBecomesOneRowAndEachLayoutNumbersItsGroups)
{
    buildFixture();
    const QString wood = path({"浴室", "木作"}), study = path({"陳's 書房", "油漆"});
    EXPECT_EQ(staRows(kColumns),
              (QStringList{
                  wood + "|浴櫃|60cm|組|2|1000|2000|800|1600|1.25|備註A|浴室|木作|1|1|",
                  wood + "||||0|0|0|0|0|0||浴室|木作|1|2|",
                  wood + "|鏡櫃||個|1|3000|3000|2000|2000|1.5||浴室|木作|1|3|",
                  path({"浴室", "油漆"}) + "|牆面||坪|10|500|5000|300|3000|1.67||浴室|油漆|2|4|",
                  path({"浴室", "主浴室", "磁磚", "壁面"}) + "|壁磚|30x60|才|100|150|15000|100|10000|1.5||浴室|主浴室|3|5|",
                  path({"主臥室", "木作"}) + "|衣櫃||尺|8|6000|48000|4000|32000|1.5||主臥室|木作|4|6|",
                  study + "|天花板||坪|6|700|4200|400|2400|1.75||陳's 書房|油漆|5|7|",
                  study + "|O'Neil 漆||式|1|1000|1000|600|600|1.67||陳's 書房|油漆|5|8|",
              }));
    // A quoted name is bound; the areas total in tree order.
    EXPECT_EQ(sta->openRecordset(u"SELECT Tre FROM SAoT WHERE AoT = ?"_s, {u"陳's 書房"_s}).recordCount(), 1);
    EXPECT_EQ(staRows(u"SELECT AoT, STop, Ct FROM AotS"_s),
              (QStringList{"浴室|25000|5", "主臥室|48000|1", "陳's 書房|5200|2"}));

    const QStringList names = staRows(u"SELECT tre, Des FROM 統計"_s);
    NumberStatisticsGroups(*sta, false, false, 1);   // by area, nothing rewritten
    EXPECT_EQ(staRows(u"SELECT sn FROM 統計 ORDER BY sot"_s), (QStringList{"1", "1", "1", "1", "1", "2", "3", "3"}));
    EXPECT_EQ(staRows(u"SELECT tre, Des FROM 統計"_s), names);

    // Moving the area out of a path leaves a level holding its name whole (the layouts that
    // move it are the report's and the print's); a path with no level below the area keeps it.
    EXPECT_EQ(PathWithoutArea(path({"浴室", "主浴室", "磁磚"})), path({"主浴室", "磁磚"}));
    EXPECT_EQ(PathWithoutArea(path({"浴室"})) + PathWithAreaLast(path({"浴室"})), path({"浴室"}) + path({"浴室", "浴室"}));

    // Without areas the first level is numbered whatever is asked.
    load(noAreaContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    NumberStatisticsGroups(*sta, true, true, 1);
    EXPECT_EQ(staRows(u"SELECT AoT, T, sn FROM 統計 ORDER BY sot"_s), (QStringList{"木作||1", "油漆||2"}));
}

TEST_F(StatisticsTableTest, RowsAboveTheFirstPathHaveNoPathAFailedRebuildChangesNothingAndLetterCaseMakesAGroup)
{
    GridModel g(4, 13);
    g.setTextMatrix(1, 2, u"孤兒"_s);
    g.setTextMatrix(1, 5, u"3 件"_s);   // leading number only
    g.setTextMatrix(2, 1, path({"木作"}));
    g.setTextMatrix(2, 2, u"櫃"_s);
    g.setTextMatrix(2, 7, u"1,200"_s);   // stops at the comma
    g.setTextMatrix(3, 2, u"門"_s);
    BuildStatistics(*sta, g);
    EXPECT_EQ(staRows(u"SELECT tre, Des, Qua, Top, AoT, T, Blk, sot FROM 統計"_s),
              (QStringList{u"|孤兒|3|0|||0|1"_s, path({"木作"}) + u"|櫃|0|1|木作||1|2"_s,
                           path({"木作"}) + u"|門|0|0|木作||1|3"_s}));
    const QStringList before = staRows(kColumns);
    sta->executeScript(u"CREATE TRIGGER boom BEFORE INSERT ON 統計 WHEN NEW.Des = '門' "
                       "BEGIN SELECT RAISE(ABORT, 'boom'); END;"_s);
    EXPECT_THROW(BuildStatistics(*sta, g), DbError);
    EXPECT_EQ(staRows(kColumns), before);
    // The title row alone leaves an empty table and nothing to number.
    BuildStatistics(*sta, GridModel(1, 13));
    NumberStatisticsGroups(*sta, false, false, 2);
    EXPECT_TRUE(staRows(kColumns).isEmpty());

    // Paths that differ in letter case are groups of their own.
    const QString upper = path({"PVC", "管線"}), lower = path({"pvc", "管線"});
    VrnContent c;
    c.leafPaths = {upper, lower};
    c.rows = {item(upper, "管|||1|100|100|60|60"), item(lower, "管|||1|7|7|5|5")};
    load(c);
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    NumberStatisticsGroups(*sta, false, false, 1);
    EXPECT_EQ(staRows(u"SELECT * FROM Aot"_s), (QStringList{u"PVC|100|60|40|1.67"_s, u"pvc|7|5|2|1.4"_s}));
    EXPECT_EQ(staRows(u"SELECT tre, sn FROM AlbyP"_s), (QStringList{upper + u"|1"_s, lower + u"|2"_s}));

    // A statistics file of the older, case-blind schema is laid out anew.
    const QString file = dir.filePath(u"old.mdb"_s);
    Database::create(file, {}, u"PRAGMA user_version = 1;\n"
                               "CREATE TABLE 統計 (tre TEXT COLLATE NOCASE, AoT TEXT COLLATE NOCASE);\n"
                               "CREATE VIEW LC AS SELECT tre FROM 統計 GROUP BY tre;"_s)
        ->execute(u"INSERT INTO 統計 VALUES ('a', 'a')"_s);
    StaDatabase opened = StaDatabase::open(file, {}, StaSchemaSql());
    ASSERT_TRUE(opened.db);
    opened.db->execute(u"INSERT INTO 統計 (tre, sot) VALUES ('X', 1), ('x', 2)"_s);
    EXPECT_EQ(rowsOf(*opened.db, u"SELECT tre FROM LC"_s), (QStringList{u"X"_s, u"x"_s}));
}
