// Autosave with a clock the test moves: when it writes, what it writes, what it keeps.
#include "Window2Support.h"

#include "quotation/QuotationAutosave.h"
#include "quotation/VrnFile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

namespace varn::test {
namespace {

class AutosaveTest : public Window2Test {
protected:
    void SetUp() override
    {
        Window2Test::SetUp();
        state().m.gAutoSave = true;
        state().m.gAutoSaveMin = 2;
        autosave = std::make_unique<QuotationAutosave>(*doc, [this] { return now; });
    }
    void TearDown() override
    {
        autosave.reset();
        Window2Test::TearDown();
    }

    static qint64 minutes(double m) { return qint64(m * 60000); }

    QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    qint64 now = 0;
    std::unique_ptr<QuotationAutosave> autosave;
};

TEST_F(AutosaveTest, WritesAtTheIntervalWithoutMovingTheSelection)
{
    add(Q, {"客廳"});
    add(qpath({"客廳"}), {"木作", "油漆"}, true);
    fill(qpath({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});
    fill(qpath({"客廳", "木作"}), {{"天花板", "10", "1200"}});   // shown, not yet stored
    doc->setEditCell(1, QCol::Qty);
    QSignalSpy editorsHidden(doc.get(), &Quotation::hideCellEditorsRequested);

    autosave->start();
    EXPECT_TRUE(autosave->isRunning());
    const QString path = autosave->path();
    EXPECT_EQ(path, QDir(dir.path()).filePath("autosave.vrn"));   // the superuser's

    now = minutes(1);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::NotDue);
    now = minutes(2) - 1;
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::NotDue);
    EXPECT_FALSE(QFile::exists(path));
    now = minutes(2);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::Saved);

    EXPECT_EQ(doc->shownPath(), qpath({"客廳", "木作"}));
    EXPECT_TRUE(doc->isLeaf());
    EXPECT_EQ(doc->editRow(), 1);
    EXPECT_EQ(doc->editCol(), QCol::Qty);
    EXPECT_EQ(editorsHidden.count(), 0);
    EXPECT_EQ(doc->filePath(), QString());

    const VrnContent saved = Vrn::read(path, VrnReadMode::Strict, doc->blankPageEnd());
    QStringList names;
    for (const ItemLine& row : saved.rows)
        names << row[1];
    EXPECT_TRUE(names.contains("天花板"));
    EXPECT_TRUE(names.contains("乳膠漆"));

    // The next one comes a whole interval later.
    doc->setHeaderField(HeaderField::CustomerName, "林先生");
    now = minutes(3);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::NotDue);
    now = minutes(4);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::Saved);
}

TEST_F(AutosaveTest, TheIntervalIsTheSettingInMinutesAndAtLeastOne)
{
    EXPECT_EQ(AutosaveSchedule::intervalMs(5), minutes(5));
    EXPECT_EQ(AutosaveSchedule::intervalMs(0), minutes(1));
    EXPECT_EQ(AutosaveSchedule::intervalMs(-3), minutes(1));

    state().m.gAutoSaveMin = 0;
    add(Q, {"木作"}, true);
    fill(qpath({"木作"}), {{"天花板"}});
    autosave->start();
    now = minutes(0.5);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::NotDue);
    now = minutes(1);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::Saved);

    // A new setting applies from the next tick; restarting the count puts it off.
    state().m.gAutoSaveMin = 10;
    now = minutes(6);
    autosave->restartCount();
    now = minutes(15);
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::NotDue);
    now = minutes(16);
    doc->setHeaderField(HeaderField::CustomerName, "乙");
    EXPECT_EQ(autosave->tick(), QuotationAutosave::Outcome::Saved);
}

TEST_F(AutosaveTest, OffInTheSettingsTheTimerDoesNotRun)
{
    state().m.gAutoSave = false;
    autosave->start();
    EXPECT_FALSE(autosave->isRunning());
    state().m.gAutoSave = true;
    autosave->start();
    EXPECT_TRUE(autosave->isRunning());
    autosave->stop();
    EXPECT_FALSE(autosave->isRunning());
}

TEST_F(AutosaveTest, AnEmployeesAutosaveLiesInTheWorkingFolder)
{
    state().m.gUserName = "王小明";
    EXPECT_EQ(QuotationAutosave::defaultPath(), QDir(dir.path()).filePath("王小明/autosave.vrn"));
}

TEST_F(AutosaveTest, AnEmptyOrUnchangedQuotationDoesNotReplaceAnExistingAutosave)
{
    const QString path = autosave->path();
    // Nothing there yet: even an empty quotation is written.
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Saved);
    EXPECT_TRUE(QFile::exists(path));

    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("work from before a crash");
    }
    doc->setHeaderField(HeaderField::CustomerName, "林先生");   // changed, but no rows
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Kept);

    add(Q, {"木作"}, true);
    fill(qpath({"木作"}), {{"天花板"}});
    doc->selectRoot();
    ASSERT_TRUE(doc->saveTo(file("q.vrn")));   // saved: nothing new to recover
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Kept);
    EXPECT_EQ(bytes(path), "work from before a crash");

    doc->setHeaderField(HeaderField::QuoteNo, "1");
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Saved);
    // Unchanged since that autosave: not written again.
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Kept);
}

TEST_F(AutosaveTest, AFailureIsReportedOnceUntilASaveSucceeds)
{
    const QString folder = dir.filePath("gone");
    autosave->setPath(QDir(folder).filePath("autosave.vrn"));
    doc->setHeaderField(HeaderField::CustomerName, "林先生");

    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Failed);
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Failed);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().startsWith("存檔錯誤\r\n"));
    EXPECT_EQ(prompts.lastMessageTitle(), "Varn III");

    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Saved);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    doc->setHeaderField(HeaderField::CustomerName, "王先生");
    EXPECT_EQ(autosave->saveNow(), QuotationAutosave::Outcome::Failed);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

} // namespace
} // namespace varn::test
