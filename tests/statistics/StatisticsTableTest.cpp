#include "StatisticsTestSupport.h"

#include "platform/grid/GridModel.h"
#include "statistics/StatisticsTable.h"

using namespace varn;
using namespace varn::test;

namespace {

const QString kColumns = QStringLiteral(
    "SELECT tre, Des, Siz, Uni, Qua, Unp, Top, Cos, Toc, Rat, Rem, AoT, T, Blk, sot, sn "
    "FROM 統計 ORDER BY rowid");

class StatisticsTableTest : public StatisticsFixture {};

} // namespace

TEST_F(StatisticsTableTest, EveryGridRowBecomesOneRowWithItsPathAndLevels)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    const QStringList rows = rowsOf(*sta, kColumns);
    const QStringList expected = {
        path({"浴室", "木作"}) + "|浴櫃|60cm|組|2|1000|2000|800|1600|1.25|備註A|浴室|木作|1|1|",
        path({"浴室", "木作"}) + "||||0|0|0|0|0|0||浴室|木作|1|2|",
        path({"浴室", "木作"}) + "|鏡櫃||個|1|3000|3000|2000|2000|1.5||浴室|木作|1|3|",
        path({"浴室", "油漆"}) + "|牆面||坪|10|500|5000|300|3000|1.67||浴室|油漆|2|4|",
        path({"浴室", "主浴室", "磁磚", "壁面"}) + "|壁磚|30x60|才|100|150|15000|100|10000|1.5||浴室|主浴室|3|5|",
        path({"主臥室", "木作"}) + "|衣櫃||尺|8|6000|48000|4000|32000|1.5||主臥室|木作|4|6|",
        path({"陳's 書房", "油漆"}) + "|天花板||坪|6|700|4200|400|2400|1.75||陳's 書房|油漆|5|7|",
        path({"陳's 書房", "油漆"}) + "|O'Neil 漆||式|1|1000|1000|600|600|1.67||陳's 書房|油漆|5|8|",
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(StatisticsTableTest, RowsAboveTheFirstPathHaveNoPathBlockOrLevels)
{
    GridModel g(4, 13);
    g.setTextMatrix(1, 2, QStringLiteral("孤兒"));
    g.setTextMatrix(1, 5, QStringLiteral("3 件"));     // leading number only
    g.setTextMatrix(2, 1, path({"木作"}));
    g.setTextMatrix(2, 2, QStringLiteral("櫃"));
    g.setTextMatrix(2, 7, QStringLiteral("1,200"));    // stops at the comma
    g.setTextMatrix(3, 2, QStringLiteral("門"));
    BuildStatistics(*sta, g);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT tre, Des, Qua, Top, AoT, T, Blk, sot FROM 統計")),
              (QStringList{QStringLiteral("|孤兒|3|0|||0|1"),
                           path({"木作"}) + QStringLiteral("|櫃|0|1|木作||1|2"),
                           path({"木作"}) + QStringLiteral("|門|0|0|木作||1|3")}));
}

TEST_F(StatisticsTableTest, EmptyGridLeavesAnEmptyTableAndNothingToNumber)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    BuildStatistics(*sta, GridModel(1, 13));   // title row only
    EXPECT_TRUE(rowsOf(*sta, kColumns).isEmpty());
    NumberStatisticsGroups(*sta, false, false, 2);
    EXPECT_TRUE(rowsOf(*sta, kColumns).isEmpty());
}

TEST_F(StatisticsTableTest, AFailedRebuildLeavesThePreviousRows)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    const QStringList before = rowsOf(*sta, kColumns);
    sta->executeScript(QStringLiteral(
        "CREATE TRIGGER boom BEFORE INSERT ON 統計 WHEN NEW.Des = '門' "
        "BEGIN SELECT RAISE(ABORT, 'boom'); END;"));
    GridModel g(3, 13);
    g.setTextMatrix(1, 1, path({"木作"}));
    g.setTextMatrix(1, 2, QStringLiteral("櫃"));
    g.setTextMatrix(2, 2, QStringLiteral("門"));
    EXPECT_THROW(BuildStatistics(*sta, g), DbError);
    EXPECT_EQ(rowsOf(*sta, kColumns), before);
}

TEST_F(StatisticsTableTest, ViewsTotalTheTableInTreeOrder)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    const QString wood = path({"浴室", "木作"});
    const QString paint = path({"浴室", "油漆"});
    const QString deep = path({"浴室", "主浴室", "磁磚", "壁面"});
    const QString bedroom = path({"主臥室", "木作"});
    const QString study = path({"陳's 書房", "油漆"});

    // 小計, 成本複計, 毛利, 平均比例 (小計 ÷ 成本複計).
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("TOTAL")), QStringList{"78200|51600|26600|1.52"});
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("Aot")),
              (QStringList{"浴室|25000|16600|8400|1.51", "主臥室|48000|32000|16000|1.5",
                           "陳's 書房|5200|3000|2200|1.73"}));
    // "AoT" is the same query.
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("AoT")), rowsOf(*sta, QStringLiteral("Aot")));
    // Work types of all areas together, in the order they first appear.
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("T")),
              (QStringList{"木作|53000|35600|17400|1.49", "油漆|10200|6000|4200|1.7",
                           "主浴室|15000|10000|5000|1.5"}));
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT count(*) FROM LC")), QStringList{"5"});
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT Ct, AoT, Tre FROM SAoT")),
              (QStringList{"3|浴室|" + wood, "1|浴室|" + paint, "1|浴室|" + deep,
                           "1|主臥室|" + bedroom, "2|陳's 書房|" + study}));
    // The statement the per-area engine runs, with the quoted name bound.
    Recordset one = sta->openRecordset(QStringLiteral("SELECT AoT, Tre FROM SAoT WHERE AoT = ?"),
                                       {QStringLiteral("陳's 書房")});
    EXPECT_EQ(one.recordCount(), 1);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT AoT, STop, Ct FROM AotS")),
              (QStringList{"浴室|25000|5", "主臥室|48000|1", "陳's 書房|5200|2"}));
}

TEST_F(StatisticsTableTest, NumbersFirstLevelGroupsWithoutRewriting)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    const QStringList before = rowsOf(*sta, QStringLiteral("SELECT tre, Des FROM 統計"));
    NumberStatisticsGroups(*sta, false, false, 1);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT sn FROM 統計 ORDER BY sot")),
              (QStringList{"1", "1", "1", "1", "1", "2", "3", "3"}));
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT tre, Des FROM 統計")), before);
    // AlbyP: every column of 統計 in its order, grouped by area.
    Recordset all = sta->openRecordset(QStringLiteral("AlbyP"));
    EXPECT_EQ(all.fieldName(0).toLower(), QStringLiteral("tre"));
    EXPECT_EQ(all.fieldName(10), QStringLiteral("Rem"));
    EXPECT_EQ(all.text(QStringLiteral("Aot")), QStringLiteral("浴室"));
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT Des FROM AlbyP")),
              (QStringList{"浴櫃", "", "鏡櫃", "牆面", "壁磚", "衣櫃", "天花板", "O'Neil 漆"}));
}

TEST_F(StatisticsTableTest, LayoutTwoMovesTheAreaIntoTheItemNameByLevel)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    NumberStatisticsGroups(*sta, true, false, 2);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT tre, Des, AoT, T, sn FROM 統計 ORDER BY sot")),
              (QStringList{
                  path({"木作"}) + "|浴室浴櫃|浴室|木作|1",
                  path({"木作"}) + "|浴室|浴室|木作|1",
                  path({"木作"}) + "|浴室鏡櫃|浴室|木作|1",
                  path({"油漆"}) + "|浴室牆面|浴室|油漆|2",
                  // 主浴室 holds the area's name and is left whole.
                  path({"主浴室", "磁磚", "壁面"}) + "|浴室壁磚|浴室|主浴室|3",
                  path({"木作"}) + "|主臥室衣櫃|主臥室|木作|1",
                  path({"油漆"}) + "|陳's 書房天花板|陳's 書房|油漆|2",
                  path({"油漆"}) + "|陳's 書房O'Neil 漆|陳's 書房|油漆|2",
              }));
    // AlbyP keeps the rows of one path together, groups in their number order.
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT Des FROM AlbyP")),
              (QStringList{"浴室浴櫃", "浴室", "浴室鏡櫃", "主臥室衣櫃", "浴室牆面",
                           "陳's 書房天花板", "陳's 書房O'Neil 漆", "浴室壁磚"}));
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT Ct, T, tre FROM ST")),
              (QStringList{"4|木作|" + path({"木作"}), "3|油漆|" + path({"油漆"}),
                           "1|主浴室|" + path({"主浴室", "磁磚", "壁面"})}));
}

TEST_F(StatisticsTableTest, LayoutThreeMovesTheAreaToTheEndOfThePath)
{
    load(fixtureContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    NumberStatisticsGroups(*sta, true, false, 3);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT DISTINCT tre FROM 統計 ORDER BY sot")),
              (QStringList{path({"木作", "浴室"}), path({"油漆", "浴室"}),
                           path({"主浴室", "磁磚", "壁面", "浴室"}), path({"木作", "主臥室"}),
                           path({"油漆", "陳's 書房"})}));
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT Des FROM 統計 WHERE sot = 1")), QStringList{"浴櫃"});
    // Paths of one work type stand together, each area's rows in grid order.
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT sot FROM AlbyP")),
              (QStringList{"1", "2", "3", "6", "4", "7", "8", "5"}));
}

TEST_F(StatisticsTableTest, WithoutAreasTheFirstLevelIsNumberedWhateverIsAsked)
{
    load(noAreaContent());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT AoT, T FROM 統計")),
              (QStringList{"木作|", "油漆|"}));
    NumberStatisticsGroups(*sta, true, true, 1);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT sn FROM 統計 ORDER BY sot")),
              (QStringList{"1", "2"}));
}

TEST(StatisticsPathTest, RewritesWorkOnLevels)
{
    const QString area = path({"浴室", "主浴室", "浴室"});
    EXPECT_EQ(PathWithoutArea(area), path({"主浴室", "浴室"}));
    EXPECT_EQ(PathWithAreaLast(area), path({"主浴室", "浴室", "浴室"}));
    // A path with no level below the area keeps it.
    EXPECT_EQ(PathWithoutArea(path({"浴室"})), path({"浴室"}));
    EXPECT_EQ(PathWithAreaLast(path({"浴室"})), path({"浴室", "浴室"}));
    EXPECT_EQ(PathWithoutArea(QString()), QString());
    EXPECT_EQ(PathLevels(QString()).size(), 0);
}
