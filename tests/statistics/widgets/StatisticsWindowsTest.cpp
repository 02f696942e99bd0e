#include "../StatisticsTestSupport.h"

#include "output/DeliveredWorkbook.h"
#include "platform/report/ReportTestSupport.h"
#include "platform/grid/widgets/GridView.h"
#include "quotation/widgets/frmQ.h"
#include "statistics/widgets/RunReport.h"
#include "statistics/widgets/StatisticsWindowHooks.h"
#include "statistics/widgets/frmCal.h"
#include "support/TreeClicks.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

using namespace varn;
using namespace varn::test;

namespace {

// Runs the steps one after another, each once the event loop of a modal window runs.
void whenModal(std::vector<std::function<void()>> steps)
{
    auto queue = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::function<void()>>();
    *next = [queue, next] {
        if (queue->empty())
            return;
        if (QApplication::activeModalWidget()) {
            auto step = queue->front();
            queue->erase(queue->begin());
            step();
        }
        QTimer::singleShot(10, *next);
    };
    QTimer::singleShot(10, *next);
}

using StatisticsWindowsTest = StatisticsFixture;

} // namespace

TEST_F(StatisticsWindowsTest, TheWindowsCommandsOpenTheGridSwitchItInPlaceSaveItAndReportItemsShowThePreview)
{
    auto window = std::make_unique<frmQ>();
    StatisticsWindowHooks* hooks = StatisticsWindowHooks::attach(*window);
    ASSERT_NE(hooks, nullptr);
    window->quotation().load(fixtureContent(), dir.filePath(u"x.vrn"_s));
    frmCal& cal = hooks->cal();
    QStringList seen;
    const auto title = [&] {   // the heading and the first name
        seen << cal.commands().hfgC().textMatrix(0, 1).simplified() + cal.commands().hfgC().textMatrix(1, 1);
    };
    whenModal({
        [&] { title(); cal.command2()->click(); },
        [&] { title(); cal.command1()->click(); },
        [&] { title(); cal.cmdExit_Click(); },
    });
    window->action(u"mCalT"_s)->trigger();
    EXPECT_EQ(seen, (QStringList{"工 種木作", "區 域浴室", "工 種木作"}));
    EXPECT_FALSE(cal.isVisible());

    // Without areas 區域 stays disabled until the window closes.
    window->quotation().load(noAreaContent(), dir.filePath(u"x.vrn"_s));
    QList<bool> enabled;
    whenModal({
        [&] { enabled << cal.command2()->isEnabled(); cal.command1()->click(); },
        [&] { enabled << cal.command2()->isEnabled(); cal.cmdExit_Click(); },
    });
    window->action(u"mCalT"_s)->trigger();
    whenModal({[&] { enabled << cal.command2()->isEnabled(); cal.cmdExit_Click(); }});
    window->action(u"mCalA"_s)->trigger();
    EXPECT_EQ(enabled, (QList<bool>{false, false, true}));

    // Its print says the template is missing, or saves the grid as a workbook.
    prompts.clear();
    EXPECT_TRUE(ExportStatisticsGrid(cal.commands()).isEmpty());
    QDir(dir.path()).mkdir(u"Pother"_s);
    ASSERT_TRUE(QFile::copy(kStatisticsTemplate, dir.filePath(u"Pother/統計.xlsx"_s))) << "the build writes it";
    qputenv("VARN_SPREADSHEET", "/bin/true");
    const QString saved = ExportStatisticsGrid(cal.commands());
    qunsetenv("VARN_SPREADSHEET");
    EXPECT_TRUE(QFile::exists(saved) && prompts.askedCount(PromptKind::Message) == 1);

    // A report item rebuilds the print tables and shows the preview.
    installReportLayouts();
    load(fixtureContent());
    ReportMenu menu(*doc, *sta);
    QDialog* preview = nullptr;
    whenModal({[&] {
        preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        QApplication::activeModalWidget()->close();
    }});
    RunReport(menu, ReportKind::Detail, window.get());
    EXPECT_NE(preview, nullptr);
    EXPECT_EQ(ptRows(u"pbody"_s).size(), 33);

    // Without the price right the report items are not offered.
    state().m.gRights = 4095 & ~1;
    auto limited = std::make_unique<frmQ>();
    limited->quotation().setRightsWord(state().m.gRights);
    StatisticsWindowHooks::attach(*limited);
    EXPECT_FALSE(limited->action(u"mPdt"_s)->isVisible());
}

TEST_F(StatisticsWindowsTest, AReportRefusedForABlankQuotationLeavesTheShownNodeAndItsGrid)
{
    installReportLayouts();
    frmQ window;
    ASSERT_NE(StatisticsWindowHooks::attach(window), nullptr);
    VrnContent blank = noAreaContent();
    blank.rows.clear();
    window.quotation().load(blank, dir.filePath(u"x.vrn"_s));
    window.resize(1200, 800);
    window.show();
    QTreeWidgetItem* paint = window.tv()->topLevelItem(0)->child(1);
    clickTreeItem(window.tv(), paint);
    const Quotation& q = window.quotation();
    const QString shown = path({"油漆"});
    ASSERT_EQ(q.shownPath(), shown);
    const int rows = q.hfgQ().rows();

    for (const char* item : {"mPfp", "mPdt"}) {
        prompts.clear();
        window.action(QString::fromLatin1(item))->trigger();
        EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s) << item;
        EXPECT_EQ(window.tv()->currentItem(), paint) << item;
        EXPECT_EQ(q.shownPath(), shown) << item;
        EXPECT_EQ(window.lbPath()->text(), shown) << item;
        EXPECT_TRUE(q.isLeaf()) << item;
        EXPECT_EQ(q.hfgQ().rows(), rows) << item;
    }
    EXPECT_TRUE(ptRows(u"pbody"_s).isEmpty());
}

// Each group's 佔總價比 is its exact share rounded down or up, so that the column adds up to
// the 100% of its totals row, on the window and in the workbook its print saves: six work
// types of 24.15, 6.44, 29.28, 5.32, 7.37 and 27.45% (each rounded on its own: 98%) and three
// areas of 30.59, 34.6 and 34.82% (each on its own: 101%).
TEST_F(StatisticsWindowsTest, TheSharesOfTheGroupsAddUpToTheHundredPercentUnderThemOnTheWindowAndItsPrint)
{
    VrnContent c;   // 10001 in all
    const std::pair<QString, const char*> items[] = {
        {path({"客廳", "木作"}), "櫃||式|1|2415|2415"}, {path({"客廳", "油漆"}), "牆||式|1|644|644"},
        {path({"主臥室", "水電"}), "線||式|1|2928|2928"}, {path({"主臥室", "泥作"}), "磚||式|1|532|532"},
        {path({"廚房", "燈具"}), "燈||式|1|737|737"}, {path({"廚房", "地板"}), "木||式|1|2745|2745"}};
    for (const auto& [leaf, fields] : items) {
        c.leafPaths << leaf;
        c.rows.push_back(item(leaf, fields));
    }
    auto window = std::make_unique<frmQ>();
    frmCal& cal = StatisticsWindowHooks::attach(*window)->cal();
    window->quotation().load(c, dir.filePath(u"x.vrn"_s));
    QDir(dir.path()).mkdir(u"Pother"_s);
    ASSERT_TRUE(QFile::copy(kStatisticsTemplate, dir.filePath(u"Pother/統計.xlsx"_s)));
    qputenv("VARN_SPREADSHEET", "/bin/true");

    QStringList shown, saved;
    const auto sharesAndPrint = [&] {
        QStringList shares;
        for (int r = 1; r < cal.commands().hfgC().rows(); ++r)
            shares << cal.commands().hfgC().textMatrix(r, 6);
        shown << shares.join(u' ');
        const QStringList before = QDir(OutputFolder()).entryList({u"*.xlsx"_s});
        cal.command3()->click();
        for (const QString& name : QDir(OutputFolder()).entryList({u"*.xlsx"_s}))
            if (!before.contains(name))
                saved << QDir(OutputFolder()).filePath(name);
    };
    whenModal({[&] { sharesAndPrint(); cal.command2()->click(); }, [&] { sharesAndPrint(); cal.cmdExit_Click(); }});
    window->action(u"mCalT"_s)->trigger();
    qunsetenv("VARN_SPREADSHEET");
    EXPECT_EQ(shown, (QStringList{"24% 7% 29% 5% 7% 28% 100%", "30% 35% 35% 100%"}));

    // The workbooks hold the same shares as numbers shown as percentages.
    ASSERT_EQ(saved.size(), 2);
    const QString cells = runTool(u"/usr/bin/python3"_s,
                                  QStringList{u"-c"_s,
                                   u"import openpyxl,sys\n"
                                   "for f in sys.argv[1:]:\n"
                                   "  ws=openpyxl.load_workbook(f).worksheets[0]\n"
                                   "  print(' '.join(f'{c.value!r}:{c.number_format}' for (c,) in\n"
                                   "    ws.iter_rows(min_row=2,min_col=6,max_col=6) if c.value is not None))\n"_s}
                                      + saved);
    EXPECT_EQ(cells.split(u'\n', Qt::SkipEmptyParts),
              (QStringList{"0.24:0% 0.07:0% 0.29:0% 0.05:0% 0.07:0% 0.28:0% 1:0%", "0.3:0% 0.35:0% 0.35:0% 1:0%"}));
}
