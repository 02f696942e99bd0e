#include "StatisticsTestSupport.h"

#include "platform/grid/GridModel.h"
#include "quotation/ItemColumns.h"
#include "statistics/StatisticsCommands.h"
#include "statistics/StatisticsExport.h"
#include "statistics/StatisticsTable.h"

#include <QDir>
#include <QFile>

using namespace varn;
using namespace varn::test;

namespace {

class StatisticsCommandsTest : public StatisticsFixture {
protected:
    void SetUp() override
    {
        StatisticsFixture::SetUp();
        commands = std::make_unique<StatisticsCommands>(*doc, *sta);
    }
    void TearDown() override
    {
        commands.reset();
        StatisticsFixture::TearDown();
    }

    // Columns 1 to 6 of every row of hfgC.
    QStringList grid() const
    {
        QStringList out;
        const GridModel& g = commands->hfgC();
        for (int r = 0; r < g.rows(); ++r) {
            QStringList f;
            for (int c = 1; c < g.cols(); ++c)
                f << g.textMatrix(r, c);
            out << f.join(QLatin1Char('|'));
        }
        return out;
    }

    QList<int> visibleColumns() const
    {
        QList<int> out;
        for (int c = 1; c < commands->hfgC().cols(); ++c) {
            if (commands->hfgC().colWidth(c) != 0)
                out << c;
        }
        return out;
    }

    std::unique_ptr<StatisticsCommands> commands;
};

} // namespace

TEST_F(StatisticsCommandsTest, ByWorkTypeListsWorkTypesWithSharesAndTotals)
{
    load(fixtureContent());
    EXPECT_TRUE(commands->run(StatisticsBy::WorkType));
    EXPECT_EQ(grid(), (QStringList{
                          "       工    種|小 計|成本複計|毛 利|平均比例|佔總價比",
                          "木作|53000|35600|17400|1.49|68%",   // 0.6777 → 0.68
                          "油漆|10200|6000|4200|1.7|13%",
                          "主浴室|15000|10000|5000|1.5|19%",
                          " 合 計 |78200|51600|26600|1.52|100%",
                      }));
    const GridModel& g = commands->hfgC();
    EXPECT_EQ(g.cellFormat(4, 1).back, QColor(255, 192, 192));
    EXPECT_EQ(g.cellFormat(4, 6).back, QColor(255, 192, 192));
    EXPECT_FALSE(g.cellFormat(3, 1).back.isValid());
    EXPECT_EQ(g.colWidth(1), 3000);
    EXPECT_EQ(g.colWidth(6), 1100);
    // The tree now shows the root.
    EXPECT_TRUE(doc->shownIsRoot());
}

TEST_F(StatisticsCommandsTest, ByAreaListsTheFirstLevel)
{
    load(fixtureContent());
    EXPECT_TRUE(commands->run(StatisticsBy::Area));
    EXPECT_EQ(grid().mid(0, 4),
              (QStringList{"       區    域|小 計|成本複計|毛 利|平均比例|佔總價比",
                           "浴室|25000|16600|8400|1.51|32%", "主臥室|48000|32000|16000|1.5|61%",
                           "陳's 書房|5200|3000|2200|1.73|7%"}));
}

TEST_F(StatisticsCommandsTest, WithoutAreasByWorkTypeUsesTheFirstLevelAndDisablesByArea)
{
    load(noAreaContent());
    EXPECT_FALSE(commands->run(StatisticsBy::WorkType));
    EXPECT_EQ(grid().mid(1, 2), (QStringList{"木作|48000|32000|16000|1.5|91%",
                                             "油漆|5000|3000|2000|1.67|9%"}));
    EXPECT_TRUE(commands->run(StatisticsBy::Area));
    EXPECT_EQ(grid().at(0).section(QLatin1Char('|'), 0, 0), QStringLiteral("       區    域"));
    EXPECT_EQ(grid().mid(1, 2).join(QLatin1Char(';')).count(QStringLiteral("木作")), 1);
}

TEST_F(StatisticsCommandsTest, ANothingTotalLeavesTheSharesEmpty)
{
    VrnContent c = noAreaContent();
    c.rows = {item(path({"木作"}), "櫃"), item(path({"油漆"}), "牆")};
    load(c);
    commands->run(StatisticsBy::WorkType);
    EXPECT_EQ(grid(), (QStringList{"       工    種|小 計|成本複計|毛 利|平均比例|佔總價比",
                                   "木作|0|0|0|0|", "油漆|0|0|0|0|", " 合 計 |0|0|0|0|"}));
}

TEST_F(StatisticsCommandsTest, ColumnsFollowTheRights)
{
    load(fixtureContent());
    const std::pair<int, QList<int>> cases[] = {
        {4095, {1, 2, 3, 4, 5, 6}},
        {4095 & ~2, {1, 2}},        // no cost right
        {4095 & ~1, {1, 3}},        // no price right
        {4095 & ~3, {1}},
    };
    for (const auto& [rights, visible] : cases) {
        doc->setRightsWord(rights);
        commands->run(StatisticsBy::WorkType);
        EXPECT_EQ(visibleColumns(), visible) << rights;
        // The export holds only what the user may see.
        const auto rows = commands->exportRows();
        EXPECT_EQ(rows.at(1).size(), visible.size()) << rights;
        if (!visible.contains(2)) {
            for (const QStringList& r : rows)
                EXPECT_FALSE(r.contains(QStringLiteral("53000"))) << rights;
        }
    }
}

TEST_F(StatisticsCommandsTest, CompactingMovesBlankRowsDownWithinTheirOwnLeaf)
{
    load(fixtureContent());
    doc->selectRoot();
    // The root shows every leaf; the first block's first row is made blank.
    doc->hfgQ().setTextMatrix(1, QCol::Name, QString());
    doc->hfgQ().setTextMatrix(1, QCol::Remark, QStringLiteral("只有備註"));
    CompactShownRows(doc->hfgQ());
    QStringList rows;
    for (int r = 1; r <= 8; ++r)
        rows << (doc->hfgQ().textMatrix(r, QCol::Path).isEmpty() ? QStringLiteral("-:") : QStringLiteral("P:"))
                    + doc->hfgQ().textMatrix(r, QCol::Name) + QLatin1Char('/')
                    + doc->hfgQ().textMatrix(r, QCol::Remark);
    EXPECT_EQ(rows, (QStringList{"P:鏡櫃/", "-:/只有備註", "-:/", "P:牆面/", "P:壁磚/", "P:衣櫃/",
                                 "P:天花板/", "-:O'Neil 漆/"}));
    EXPECT_EQ(doc->hfgQ().textMatrix(1, QCol::Path), path({"浴室", "木作"}));

    // Through the command, a shown leaf's rows without a name end up below its items and
    // every row stays in its leaf.
    load(fixtureContent());
    doc->tv_NodeClick(path({"浴室", "木作"}));
    ASSERT_TRUE(doc->setCellText(2, QCol::Remark, QStringLiteral("待補")));
    commands->run(StatisticsBy::Area);
    EXPECT_EQ(rowsOf(*sta, QStringLiteral("SELECT tre, Des, Rem FROM 統計 WHERE AoT = '浴室' ORDER BY sot")),
              (QStringList{path({"浴室", "木作"}) + "|浴櫃|備註A", path({"浴室", "木作"}) + "|鏡櫃|",
                           path({"浴室", "木作"}) + "||待補", path({"浴室", "油漆"}) + "|牆面|",
                           path({"浴室", "主浴室", "磁磚", "壁面"}) + "|壁磚|"}));
}

TEST(StatisticsShareTest, WholePercentAfterRoundingToTwoDecimals)
{
    EXPECT_EQ(SharePercent(0.2351, 1), QStringLiteral("24%"));
    EXPECT_EQ(SharePercent(1, 8), QStringLiteral("12%"));    // 0.125 → 0.12, half to even
    EXPECT_EQ(SharePercent(0, 5), QStringLiteral("0%"));
    EXPECT_EQ(SharePercent(5, 0), QString());
    EXPECT_EQ(SharePercent(7, 7), QStringLiteral("100%"));
}

TEST_F(StatisticsCommandsTest, ExportFillsANewWorkbookFromTheTemplate)
{
    const QString templ = QStringLiteral(VARN_BINARY_DIR "/templates/Pother/統計.xlsx");
    if (!QFile::exists(templ))
        GTEST_SKIP() << "template not built";
    load(fixtureContent());
    commands->run(StatisticsBy::Area);
    QFile original(templ);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    const QDateTime when(QDate(2024, 5, 1), QTime(9, 30, 0));
    const QString out = ExportStatistics(commands->exportRows(), templ, dir.filePath("out"), when);
    EXPECT_EQ(QFileInfo(out).fileName(), QStringLiteral("統計_20240501_093000.xlsx"));
    original.seek(0);
    EXPECT_EQ(original.readAll(), before);

    // Titles and names as text, figures as numbers, shares as percentages.
    const QString dump = runTool(QStringLiteral("/usr/bin/python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import openpyxl,sys\n"
                        "ws=openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                        "for row in ws.iter_rows(min_row=1,max_row=5,max_col=6):\n"
                        "  print('|'.join('' if c.value is None else repr(c.value) for c in row))\n"
                        "print(ws['F2'].number_format)\n"),
         out});
    EXPECT_EQ(dump.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{"'       區    域'|'小 計'|'成本複計'|'毛 利'|'平均比例'|'佔總價比'",
                           "'浴室'|25000|16600|8400|1.51|0.32",
                           "'主臥室'|48000|32000|16000|1.5|0.61",
                           "\"陳's 書房\"|5200|3000|2200|1.73|0.07",
                           "' 合 計 '|78200|51600|26600|1.52|1", "0%"}));

    // A second export in the same second gets a name of its own.
    const QString again = ExportStatistics(commands->exportRows(), templ, dir.filePath("out"), when);
    EXPECT_NE(again, out);
    EXPECT_TRUE(QFile::exists(out));
}
