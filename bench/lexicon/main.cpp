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
#include "support/LexiconData.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

using namespace varn;
using namespace varn::bench;

namespace {

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
    SeedLexicon(*db);
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
    editor.chooseWorkType(TypeName(kWorkTypes - 1));
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
        window.editor().chooseWorkType(TypeName(kWorkTypes - 1));
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
