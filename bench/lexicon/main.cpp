// Times the lexicon window on a large lexicon: 200 work types holding 20,000 work items
// (one of them 2,000), 60,000 details, 20 categories with 2,000 areas, 13 lookup lists of
// 500. Prints the figures next to the targets.
#include "lexicon/LexiconEditor.h"
#include "lexicon/OrderedList.h"
#include "lexicon/widgets/frmEng.h"
#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "shared/LookupLists.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/Schema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace varn;

namespace {

constexpr int kWorkTypes = 200;
constexpr int kBigType = 2000;
constexpr int kItems = 20000;
constexpr int kDetailsPerItem = 3;
constexpr int kCategories = 20;
constexpr int kAreasPerCategory = 100;
constexpr int kListEntries = 500;

QString typeName(int t) { return QStringLiteral("工種%1").arg(t, 3, 10, QLatin1Char('0')); }

void seed(Database& db)
{
    Transaction tx(db);
    for (int k = 0; k < kCategories; ++k) {
        const QString category = QStringLiteral("類別%1").arg(k);
        db.execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"), {k + 1, category});
        for (int a = 0; a < kAreasPerCategory; ++a)
            db.execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, ?)"),
                       {category, QStringLiteral("區域%1-%2").arg(k).arg(a), a + 1});
    }
    // The big work type is the last one; the others share the rest of the items.
    const int perSmall = (kItems - kBigType) / (kWorkTypes - 1);
    int item = 0;
    for (int t = 0; t < kWorkTypes; ++t) {
        db.execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (?, ?)"), {t + 1, typeName(t)});
        const int count = t == kWorkTypes - 1 ? kItems - item : perSmall;
        for (int i = 0; i < count; ++i, ++item) {
            const QString w = QStringLiteral("施工%1").arg(item);
            db.execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, '式', 1200, 1.3)"),
                       {typeName(t), w, i + 2});
            for (int d = 0; d < kDetailsPerItem; ++d)
                db.execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, 100, ?)"),
                           {w, QStringLiteral("細項%1").arg(d), d + 2});
        }
    }
    for (const LookupListInfo& list : LookupLists())
        for (int i = 0; i < kListEntries; ++i)
            db.execute(list.insertSql(), {i + 1, list.numeric ? QVariant(1 + i / 100.0)
                                                             : QVariant(QStringLiteral("詞%1").arg(i))});
    tx.commit();
}

void report(const char* what, double ms, double target)
{
    std::printf("%-58s %9.4f ms   (target < %g ms)%s\n", what, ms, target, ms < target ? "" : "  OVER");
}

double msSince(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::shared_ptr<Database> db = Database::create(dir.filePath(QStringLiteral("varn3.mdb")),
                                                    QStringLiteral("bench"), MainSchemaSql());
    QElapsedTimer t;
    t.start();
    seed(*db);
    std::printf("seeded in %.0f ms\n", msSince(t));
    state().m.gDb = db;
    state().m.gRights = kAllRights;
    ScriptedPrompter prompts;
    ScopedPrompter scope(prompts);

    {
        LexiconEditor editor;
        t.restart();
        editor.load();
        report("load: combos, first category, first work type, 13 lists", msSince(t), 150);
    }
    {
        t.restart();
        frmEng window;
        report("load of the window itself (controls included)", msSince(t), 150);
    }

    LexiconEditor editor;
    editor.load();
    t.restart();
    editor.chooseWorkType(typeName(kWorkTypes - 1));
    report("showing the work type of 2,000 items", msSince(t), 50);

    const int moves = 1000;
    editor.workItems().model().setRow(1000);
    editor.workItems().model().setCol(0);
    int moved = 0;
    t.restart();
    for (int i = 0; i < moves; ++i)
        moved += editor.moveWorkItem(i % 2 ? -1 : +1) == MoveResult::Moved;
    if (moved != moves)
        std::printf("  (only %d of the moves were made)\n", moved);
    report("one move of a work item (mean of 1,000)", msSince(t) / moves, 1);

    {
        // The same through the window, its grid showing the 2,000 rows.
        frmEng window;
        window.show();
        QApplication::processEvents();
        t.restart();
        window.editor().chooseWorkType(typeName(kWorkTypes - 1));
        QApplication::processEvents();
        report("showing it through the window, painted", msSince(t), 50);
        window.editor().workItems().model().setRow(1000);
        window.editor().workItems().model().setCol(0);
        t.restart();
        for (int i = 0; i < moves; ++i) {
            if (i % 2)
                window.cmdUpW_Click();
            else
                window.cmdDnW_Click();
        }
        QApplication::processEvents();
        report("one move through the window, grid shown (mean of 1,000)", msSince(t) / moves, 1);
    }

    editor.cancel(LexiconGrid::WorkItems);
    editor.editGrid(LexiconGrid::WorkItems);
    for (int i = 0; i < 10; ++i) {
        editor.CurRow = 10 + i * 50;
        editor.CurCol = 0;
        editor.typeText(LexiconGrid::WorkItems, QStringLiteral("新名稱%1").arg(i));
    }
    prompts.clear();
    for (int i = 0; i < 10; ++i) {
        editor.rightClickWorkItem(1500 + i);
        prompts.answerMessage(PromptButton::Yes);
        editor.deleteRow(LexiconGrid::WorkItems);
    }
    t.restart();
    const bool applied = editor.apply(LexiconGrid::WorkItems);
    report("apply of 2,000 items with 10 renames and 10 deletions", msSince(t), 150);
    if (!applied)
        std::printf("  (the apply failed: %s)\n", qPrintable(prompts.lastMessageText()));

    // SaveList of 500 names, in a list of its own.
    {
        Transaction tx(*db);
        for (int i = kCategories; i < kListEntries; ++i)
            db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"), {i + 1, QStringLiteral("類別%1").arg(i)});
        tx.commit();
    }
    OrderedList list(QStringLiteral("k"));
    list.load(*db);
    list.moveDown(0);
    t.restart();
    list.save(*db);
    report("SaveList of 500 names", msSince(t), 50);
    return 0;
}
