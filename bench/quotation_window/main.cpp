// Times the quotation window on a large quotation (10,000 item rows over 200 leaves, four
// levels deep), offscreen, with a main database behind it as in use: opening a file until
// the grid is painted, switching root -> leaf and back, and one cell edit with its totals.
// Every figure includes the repaint that follows. Prints figures; asserts nothing.
#include "platform/db/Database.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmQ.h"
#include "shared/ProgramState.h"
#include "support/LargeQuotation.h"
#include "shared/setup/Schema.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

using namespace varn;

namespace {

// A main database with a small lexicon, as the window reads its pick lists from it.
std::shared_ptr<Database> makeMainDb(const QString& path)
{
    auto db = Database::create(path, kDatabasePassword, MainSchemaSql());
    for (const char* sql :
         {"INSERT INTO 別 (k_id, k) VALUES (1, '住宅')",
          "INSERT INTO k2a (k, a, sort) VALUES ('住宅', '區域1', 0), ('住宅', '區域2', 0)",
          "INSERT INTO 種 (t) VALUES ('工種1'), ('工種2'), ('工種3'), ('工種4')",
          "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('工種1', '木門', 1, '樘', 5000, 1.3), "
          "('工種2', '天花板', 2, '坪', 3000, 1.5), ('工種3', '乳膠漆', 1, '坪', 800, 1.25)",
          "INSERT INTO u (sort, u) VALUES (0, '式'), (0, '坪'), (0, '樘')",
          "INSERT INTO sc (sort, sc) VALUES (1, 1.25), (2, 0.05)",
          "INSERT INTO 案 (sort, 案) VALUES (1, '新建工程')"})
        db->execute(QString::fromUtf8(sql));
    return db;
}

// Lets the window handle everything the step queued: its repaints, and the layouts and
// repaints that item views put off until control returns to the event loop.
void settle()
{
    QAbstractEventDispatcher* events = QAbstractEventDispatcher::instance();
    for (int pass = 0; pass < 100 && events->processEvents(QEventLoop::AllEvents); ++pass) {
    }
}

// Counts the paints a widget receives.
struct PaintCount : QObject {
    explicit PaintCount(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++n;
        return false;
    }
    int n = 0;
};

struct Figures {
    double first = 0;    // the first run: nothing cached yet
    double median = 0;
    double worst = 0;
};

// Several runs, in milliseconds.
Figures time(const std::function<void()>& before, const std::function<void()>& run, int runs)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    Figures f;
    f.first = ms.front();
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    f.worst = ms.back();
    return f;
}

void report(const char* what, const Figures& f, double target)
{
    std::printf("%-40s %8.2f ms  first %8.2f  worst %8.2f   (target < %g ms)%s\n", what,
                f.median, f.first, f.worst, target, f.worst < target ? "" : "   SLOW");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // "--once": one run of each step (for a profiler).
    const bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
    const int runs = once ? 1 : 9;

    QTemporaryDir dir;
    state().programFolder = state().m.gFilePath = dir.path();
    state().m.gRights = 4095;
    state().m.gDb = makeMainDb(dir.filePath(QStringLiteral("varn3.mdb")));
    ScriptedPrompter prompts;
    Prompter::install(&prompts);

    QStringList leaves;
    const VrnContent content = bench::LargeQuotation(leaves);
    const QString source = dir.filePath(QStringLiteral("large.vrn"));
    Vrn::write(source, content);
    std::printf("quotation window: %zu item rows over %lld leaves, 4 levels deep, offscreen\n",
                content.rows.size(), static_cast<long long>(leaves.size()));

    // The window as the program opens it, with its file commands.
    frmQ::addLoadHook([](frmQ& window) { QuotationWindowExtras::attach(window); });
    auto* w = new frmQ;
    w->resize(1920, 1040);
    w->show();
    settle();
    Quotation& doc = w->quotation();
    PaintCount gridPaints(w->hfgQ()->viewport());

    const Figures open = time(
        [&] {
            doc.newQuotation();
            settle();
            prompts.answerOpenFile(source);
        },
        [&] {
            w->action(QStringLiteral("mOpen"))->trigger();
            settle();
        },
        runs);
    if (doc.hfgQ().rows() != static_cast<int>(content.rows.size()) + 1) {
        std::printf("the file did not open\n");
        return 1;
    }
    report("open a file until the grid is painted", open, 300);

    const QString leaf = leaves[leaves.size() / 2];
    gridPaints.n = 0;
    const Figures toLeaf = time([&] { w->tv_NodeClick(QuotationTree::RootKey); settle(); },
                                [&] { w->tv_NodeClick(leaf); settle(); }, runs);
    report("switch root -> leaf", toLeaf, 50);
    const Figures toRoot = time([&] { w->tv_NodeClick(leaf); settle(); },
                                [&] { w->tv_NodeClick(QuotationTree::RootKey); settle(); }, runs);
    report("switch leaf -> root", toRoot, 50);
    std::printf("  the grid was painted %.1f times per switch\n", gridPaints.n / (4.0 * runs));

    w->tv_NodeClick(leaf);
    settle();
    int qty = 1;
    const Figures edit = time([] {}, [&] {
        doc.cellEdited(5, QCol::Qty, QString::number(++qty));
        settle();
    }, once ? 1 : 51);
    report("cell edit at a leaf (row, totals, repaint)", edit, 16);

    delete w;
    Prompter::install(nullptr);
    return 0;
}
