#include "StatisticsTestSupport.h"

#include "quotation/StaDatabase.h"

using namespace varn;
using namespace varn::test;

namespace {

class ExactPathsTest : public StatisticsFixture {
protected:
    // Sibling areas "PVC" and "pvc", each with a work type 管線.
    static VrnContent twoCases()
    {
        VrnContent c;
        const QString upper = path({"PVC", "管線"});
        const QString lower = path({"pvc", "管線"});
        c.leafPaths = {upper, lower};
        c.rows = {item(upper, "管|||1|100|100|60|60"), item(lower, "管|||1|7|7|5|5")};
        return c;
    }
};

} // namespace

TEST_F(ExactPathsTest, PathsThatDifferInLetterCaseAreGroupsOfTheirOwn)
{
    load(twoCases());
    doc->selectRoot();
    BuildStatistics(*sta, doc->hfgQ());
    NumberStatisticsGroups(*sta, false, false, 1);
    EXPECT_EQ(staRows(u"SELECT * FROM Aot"_s), (QStringList{u"PVC|100|60|40|1.67"_s, u"pvc|7|5|2|1.4"_s}));
    EXPECT_EQ(staRows(u"SELECT tre, Ct FROM LC"_s).size(), 2);
    EXPECT_EQ(staRows(u"SELECT tre, sn FROM AlbyP"_s),
              (QStringList{path({"PVC", "管線"}) + u"|1"_s, path({"pvc", "管線"}) + u"|2"_s}));
}

TEST_F(ExactPathsTest, AStatisticsFileOfTheOlderSchemaIsLaidOutAnew)
{
    const QString file = dir.filePath(u"old.mdb"_s);
    {
        auto old = Database::create(file, {}, u"PRAGMA user_version = 1;\n"
                                              "CREATE TABLE 統計 (tre TEXT COLLATE NOCASE, AoT TEXT COLLATE NOCASE);\n"
                                              "CREATE VIEW LC AS SELECT tre FROM 統計 GROUP BY tre;"_s);
        old->execute(u"INSERT INTO 統計 VALUES ('a', 'a')"_s);
    }
    StaDatabase opened = StaDatabase::open(file, {}, StaSchemaSql());
    ASSERT_TRUE(opened.db);
    EXPECT_FALSE(opened.created);
    EXPECT_EQ(rowsOf(*opened.db, u"PRAGMA user_version"_s), QStringList{u"2"_s});
    opened.db->execute(u"INSERT INTO 統計 (tre, sot) VALUES ('X', 1), ('x', 2)"_s);
    EXPECT_EQ(rowsOf(*opened.db, u"SELECT tre FROM LC"_s), (QStringList{u"X"_s, u"x"_s}));
}
