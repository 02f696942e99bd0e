#include "../StatisticsTestSupport.h"

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
