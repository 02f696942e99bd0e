#include "../StatisticsTestSupport.h"

#include "platform/grid/widgets/GridView.h"
#include "platform/report/ReportResources.h"
#include "statistics/widgets/ReportMenuActions.h"
#include "statistics/widgets/frmCal.h"
#include "statistics/widgets/StatisticsWindowHooks.h"
#include "quotation/widgets/frmQ.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTimer>

#include <functional>

using namespace varn;
using namespace varn::test;

namespace {

void ensureApp()
{
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "statistics_gui_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
}

// Runs the steps one after another, each once the event loop of a modal window runs.
void whenModal(std::vector<std::function<void()>> steps)
{
    auto queue = std::make_shared<std::vector<std::function<void()>>>(std::move(steps));
    auto next = std::make_shared<std::function<void()>>();
    *next = [queue, next] {
        if (queue->empty())
            return;
        if (!QApplication::activeModalWidget()) {
            QTimer::singleShot(10, *next);
            return;
        }
        auto step = queue->front();
        queue->erase(queue->begin());
        step();
        QTimer::singleShot(10, *next);
    };
    QTimer::singleShot(10, *next);
}

class StatisticsWindowsTest : public StatisticsFixture {
protected:
    void SetUp() override
    {
        ensureApp();
        StatisticsFixture::SetUp();
    }
};

} // namespace

TEST_F(StatisticsWindowsTest, ViewButtonsSwitchTheGridWithoutReopeningTheWindow)
{
    load(fixtureContent());
    frmCal cal(*doc, *sta);
    QStringList seen;
    whenModal({
        [&] { seen << cal.commands().hfgC().textMatrix(0, 1).simplified(); cal.command2()->click(); },
        [&] { seen << cal.commands().hfgC().textMatrix(0, 1).simplified(); cal.command1()->click(); },
        [&] { seen << cal.commands().hfgC().textMatrix(0, 1).simplified(); cal.cmdExit_Click(); },
    });
    cal.mCalT_Click();
    EXPECT_EQ(seen, (QStringList{"工 種", "區 域", "工 種"}));
    EXPECT_FALSE(cal.isVisible());
    EXPECT_EQ(cal.hfgC()->gridModel(), &cal.commands().hfgC());
}

TEST_F(StatisticsWindowsTest, WithoutAreasByAreaStaysDisabledUntilTheWindowCloses)
{
    load(noAreaContent());
    frmCal cal(*doc, *sta);
    QList<bool> enabled;
    whenModal({
        [&] { enabled << cal.command2()->isEnabled(); cal.command1()->click(); },
        [&] { enabled << cal.command2()->isEnabled(); cal.cmdExit_Click(); },
    });
    cal.mCalT_Click();
    whenModal({[&] { enabled << cal.command2()->isEnabled(); cal.cmdExit_Click(); }});
    cal.mCalA_Click();
    EXPECT_EQ(enabled, (QList<bool>{false, false, true}));
}

TEST_F(StatisticsWindowsTest, PrintSavesTheWorkbookAndOpensIt)
{
    const QString templ = QStringLiteral(VARN_BINARY_DIR "/templates/Pother/統計.xlsx");
    if (!QFile::exists(templ))
        GTEST_SKIP() << "template not built";
    QDir(dir.path()).mkdir(QStringLiteral("Pother"));
    ASSERT_TRUE(QFile::copy(templ, dir.filePath(QStringLiteral("Pother/統計.xlsx"))));
    qputenv("VARN_SPREADSHEET", "/bin/true");
    load(fixtureContent());
    frmCal cal(*doc, *sta);
    cal.commands().run(StatisticsBy::Area);
    const QString saved = ExportStatisticsGrid(cal.commands());
    qunsetenv("VARN_SPREADSHEET");
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(QFileInfo(saved).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(StatisticsWindowsTest, PrintWithoutTheTemplateSaysSo)
{
    load(fixtureContent());
    frmCal cal(*doc, *sta);
    cal.commands().run(StatisticsBy::Area);
    EXPECT_TRUE(ExportStatisticsGrid(cal.commands()).isEmpty());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(StatisticsWindowsTest, ReportItemRebuildsAndShowsThePreview)
{
    InitReportResources();
    for (const char* name : {"fp.rpt", "pb.rpt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(":/reports/") + QLatin1String(name),
                                dir.filePath(QLatin1String(name))));
    load(fixtureContent());
    ReportMenu menu(*doc, *sta);
    QWidget window;
    ReportMenuActions actions(menu, &window);
    EXPECT_TRUE(actions.mPfp()->isVisible());
    EXPECT_EQ(actions.mP()->title(), QStringLiteral("列印(&R)"));

    // Opening the menu rebuilds nothing.
    emit actions.mP()->aboutToShow();
    EXPECT_EQ(openPt()->openRecordset(QStringLiteral("pbody")).recordCount(), 0);

    QString shown;
    whenModal({[&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        shown = preview->windowTitle();
        preview->reject();
    }});
    actions.mPdt()->trigger();
    EXPECT_EQ(shown, QStringLiteral("列印明細"));
    EXPECT_EQ(openPt()->openRecordset(QStringLiteral("pbody")).recordCount(), 33);

    doc->setRightsWord(4095 & ~1);
    emit actions.mP()->aboutToShow();
    EXPECT_FALSE(actions.mPfp()->isVisible());
    EXPECT_FALSE(actions.mPdt()->isVisible());
}

TEST_F(StatisticsWindowsTest, HooksPutTheCommandsOnTheQuotationWindow)
{
    InitReportResources();
    for (const char* name : {"fp.rpt", "pb.rpt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(":/reports/") + QLatin1String(name),
                                dir.filePath(QLatin1String(name))));
    auto* window = new frmQ;
    StatisticsWindowHooks* hooks = StatisticsWindowHooks::attach(*window);
    ASSERT_NE(hooks, nullptr);
    window->quotation().load(fixtureContent(), dir.filePath(QStringLiteral("x.vrn")));
    for (const char* name : {"mCalT", "mCalA", "mPfp", "mPdt"})
        EXPECT_TRUE(window->hasCommandHandler(QLatin1String(name))) << name;
    EXPECT_TRUE(window->action(QStringLiteral("mPfp"))->isVisible());

    QString area;
    whenModal({[&] {
        area = hooks->cal().commands().hfgC().textMatrix(1, 1);
        hooks->cal().cmdExit_Click();
    }});
    window->action(QStringLiteral("mCalA"))->trigger();
    EXPECT_EQ(area, QStringLiteral("浴室"));

    whenModal({[&] { QApplication::activeModalWidget()->close(); }});
    window->action(QStringLiteral("mPfp"))->trigger();
    auto pt = openPt();
    EXPECT_EQ(pt->openRecordset(QStringLiteral("pfp")).recordCount(), 29);
    delete window;

    // Without the price right the report items are not offered.
    state().m.gRights = 4095 & ~1;
    auto* limited = new frmQ;
    limited->quotation().setRightsWord(state().m.gRights);
    StatisticsWindowHooks::attach(*limited);
    EXPECT_FALSE(limited->action(QStringLiteral("mPdt"))->isVisible());
    delete limited;
}
