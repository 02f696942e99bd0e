#include "StatisticsTestSupport.h"

#include "platform/grid/GridModel.h"
#include "quotation/ItemColumns.h"
#include "statistics/PrintDatabase.h"
#include "statistics/StatisticsCommands.h"
#include "statistics/StatisticsExport.h"
#include "support/OfficeConvert.h"

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
    // Columns 1 to 6 of every row below the title of hfgC after running the command (the
    // window test reads the titles).
    QStringList run(StatisticsBy by, bool expected = true)
    {
        EXPECT_EQ(commands->run(by), expected);
        QStringList out;
        const GridModel& g = commands->hfgC();
        for (int r = 1; r < g.rows(); ++r) {
            QStringList f;
            for (int c = 1; c < g.cols(); ++c)
                f << g.textMatrix(r, c);
            out << f.join(u'|');
        }
        return out;
    }
    std::unique_ptr<StatisticsCommands> commands;
};

} // namespace

TEST_F(StatisticsCommandsTest, ByWorkTypeAndByAreaListSharesAndTotalsBlankRowsLast)
{
    load(fixtureContent());
    doc->tv_NodeClick(path({"浴室", "木作"}));   // a blank row in a leaf shown, given a remark
    ASSERT_TRUE(doc->setCellText(2, QCol::Remark, u"待補"_s));
    EXPECT_EQ(run(StatisticsBy::WorkType),
              (QStringList{"木作|53000|35600|17400|1.49|68%", "油漆|10200|6000|4200|1.7|13%",
                           "主浴室|15000|10000|5000|1.5|19%", " 合 計 |78200|51600|26600|1.52|100%"}));
    EXPECT_TRUE(doc->shownIsRoot());
    EXPECT_EQ(run(StatisticsBy::Area).mid(0, 3), (QStringList{"浴室|25000|16600|8400|1.51|32%", "主臥室|48000|32000|16000|1.5|61%",
                                                           "陳's 書房|5200|3000|2200|1.73|7%"}));
    // Blank rows move down within their own leaf.
    const QString wood = path({"浴室", "木作"});
    EXPECT_EQ(staRows(u"SELECT tre, Des, Rem FROM 統計 ORDER BY sot"_s).mid(0, 4),
              (QStringList{wood + "|浴櫃|備註A", wood + "|鏡櫃|", wood + "||待補", path({"浴室", "油漆"}) + "|牆面|"}));

    // Without areas by work type uses the first level and offers no area view; a total of
    // nothing leaves the shares empty.
    load(noAreaContent());
    EXPECT_EQ(run(StatisticsBy::WorkType, false).mid(0, 2),
              (QStringList{"木作|48000|32000|16000|1.5|91%", "油漆|5000|3000|2000|1.67|9%"}));
    VrnContent c = noAreaContent();
    c.rows = {item(path({"木作"}), "櫃"), item(path({"油漆"}), "牆")};
    load(c);
    EXPECT_EQ(run(StatisticsBy::WorkType, false),
              (QStringList{"木作|0|0|0|0|", "油漆|0|0|0|0|", " 合 計 |0|0|0|0|"}));
    // 0.125 → 0.12 (half to even), then a whole percent.
    const std::tuple<double, double, QString> shares[]
        = {{0.2351, 1, u"24%"_s}, {1, 8, u"12%"_s}, {0, 5, u"0%"_s}, {5, 0, QString()}, {7, 7, u"100%"_s}};
    for (const auto& [part, whole, share] : shares)
        EXPECT_EQ(SharePercent(part, whole), share) << part << "/" << whole;
    // Shares of a whole add up to 100%, the units to the largest remainders and the first on a
    // tie; parts that do not add up to the whole are each rounded on their own.
    const std::tuple<std::vector<double>, double, QStringList> splits[]
        = {{{1, 1, 1}, 3, {"34%", "33%", "33%"}}, {{1, 7}, 8, {"13%", "87%"}}, {{150, -50}, 100, {"150%", "-50%"}},
           {{49.4, 49.4}, 100, {"49%", "49%"}}, {{2, 3}, 0, {"", ""}}};
    for (const auto& [parts, whole, split] : splits)
        EXPECT_EQ(SharePercents(parts, whole), split) << whole;
}

TEST_F(StatisticsCommandsTest, ColumnsAndTheExportFollowTheRights)
{
    load(fixtureContent());
    const std::pair<int, QList<int>> cases[] = {
        {4095, {1, 2, 3, 4, 5, 6}}, {4095 & ~2, {1, 2}} /* no cost right */, {4095 & ~1, {1, 3}} /* no price right */,
        {4095 & ~3, {1}}};
    for (const auto& [rights, visible] : cases) {
        doc->setRightsWord(rights);
        run(StatisticsBy::WorkType);
        QList<int> shown;
        for (int c = 1; c < commands->hfgC().cols(); ++c)
            if (commands->hfgC().colWidth(c) != 0)
                shown << c;
        EXPECT_EQ(shown, visible) << rights;
        const auto rows = commands->exportRows();
        EXPECT_EQ(rows.at(1).size(), visible.size()) << rights;
        EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.contains(u"53000"_s); }),
                  visible.contains(2) ? 1 : 0) << rights;
    }
}

TEST_F(StatisticsCommandsTest, ExportFillsANewWorkbookFromTheTemplate)
{
    load(fixtureContent());
    run(StatisticsBy::Area);
    const QDateTime when(QDate(2024, 5, 1), QTime(9, 30, 0));
    const QString out = ExportStatistics(commands->exportRows(), kStatisticsTemplate, dir.filePath("out"), when);
    EXPECT_EQ(QFileInfo(out).fileName(), u"統計_20240501_093000.xlsx"_s);

    // Titles and names as text, figures as numbers (amounts with thousands separators), shares
    // as percentages.
    const QString dump = runTool(u"/usr/bin/python3"_s,
                                 {u"-c"_s,
                                  u"import openpyxl,sys\n"
                                  "ws=openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                  "for row in ws.iter_rows(min_row=1,max_row=5,max_col=6):\n"
                                  "  print('|'.join('' if c.value is None else repr(c.value) for c in row))\n"
                                  "print(ws['F2'].number_format, ws['B2'].number_format, ws['D5'].number_format)\n"_s,
                                  out});
    EXPECT_EQ(dump.split(u'\n', Qt::SkipEmptyParts),
              (QStringList{"'       區    域'|'小 計'|'成本複計'|'毛 利'|'平均比例'|'佔總價比'",
                           "'浴室'|25000|16600|8400|1.51|0.32", "'主臥室'|48000|32000|16000|1.5|0.61",
                           "\"陳's 書房\"|5200|3000|2200|1.73|0.07", "' 合 計 '|78200|51600|26600|1.52|1", "0% #,##0 #,##0"}));
    // The spreadsheet program opens it and prints it on one page under a heading naming it.
    ASSERT_EQ(ConvertWithOffice({out}, dir.path()), QString());
    const QString pdf = dir.filePath(QFileInfo(out).completeBaseName() + u".pdf"_s);
    EXPECT_EQ(pdfPages(pdf), 1);
    const QString printed = runTool(u"pdftotext"_s, {pdf, u"-"_s});
    for (const QString& text : {u"報價統計表"_s, u"78,200"_s, u"26,600"_s})
        EXPECT_TRUE(printed.contains(text)) << text.toStdString() << "\n" << printed.toStdString();
}

// The exported amounts print whole: 合計 the quotation's 小計 as its first page prints it and
// its cost rounded, the groups rounded down or up to add up to them, every 毛利 the printed
// 小計 less the printed 成本複計; the window keeps the exact figures. 油漆 costs 5 × 1,440.1 =
// 7,200.5; 燈具's 100.5 leaves 22,855.5, which 10 % tax prints as 22,855.
TEST_F(StatisticsCommandsTest, TheExportPrintsWholeAmountsThatAddUpAndSubtractOnEveryRow)
{
    VrnContent c = noAreaContent();
    c.leafPaths << path({"燈具"});
    c.rows = {item(path({"木作"}), "櫃||式|1|10000|10000|6000|6000|1.67"),
              item(path({"油漆"}), "牆面||坪|5|2551|12755|1440.1|7200.5|1.77"),
              item(path({"燈具"}), "燈||盞|1|100.5|100.5|60|60|1.68")};
    c.pageEnd.taxRate = u"10%"_s;
    load(c);
    EXPECT_EQ(run(StatisticsBy::WorkType, false),
              (QStringList{"木作|10000|6000|4000|1.67|44%", "油漆|12755|7200.5|5554.5|1.77|56%",
                           "燈具|100.5|60|40.5|1.68|0%", " 合 計 |22855.5|13260.5|9595|1.72|100%"}));

    const QString out = ExportStatistics(commands->exportRows(), kStatisticsTemplate, dir.filePath("out"));
    const QString cells = runTool(u"/usr/bin/python3"_s,
                                  {u"-c"_s,
                                   u"import openpyxl,sys\n"
                                   "ws=openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
                                   "for row in ws.iter_rows(min_row=2,max_row=5,min_col=2,max_col=4):\n"
                                   "  print('|'.join(f'{c.value!r}:{c.number_format}' for c in row))\n"_s,
                                   out});
    EXPECT_EQ(cells.split(u'\n', Qt::SkipEmptyParts),
              (QStringList{"10000:#,##0|6000:#,##0|4000:#,##0", "12755:#,##0|7200:#,##0|5555:#,##0",
                           "100:#,##0|60:#,##0|40:#,##0", "22855:#,##0|13260:#,##0|9595:#,##0"}));
    ASSERT_EQ(ConvertWithOffice({out}, dir.path()), QString());
    const QString pdf = dir.filePath(QFileInfo(out).completeBaseName() + u".pdf"_s);
    EXPECT_EQ(pdfPages(pdf), 1);
    const QString printed = runTool(u"pdftotext"_s, {pdf, u"-"_s});
    for (const QString& text : {u"7,200"_s, u"22,855"_s, u"9,595"_s})
        EXPECT_TRUE(printed.contains(text)) << text.toStdString() << "\n" << printed.toStdString();

    // The first page prints the same 燈具 and 合計.
    QStringList firstPage;
    for (const PrintRow& line : FillFirstPageTables(*doc, *sta).pfp)
        firstPage << line.at(1).trimmed() + u'|' + line.at(4);
    EXPECT_TRUE(firstPage.contains(u"燈具|100"_s) && firstPage.contains(u"合  計|22,855"_s)) << firstPage.join(u'\n').toStdString();
}
