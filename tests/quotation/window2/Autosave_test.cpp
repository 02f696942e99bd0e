// Autosave with a clock the test moves: when it writes, what it writes, what it keeps.
#include "quotation/widgets/WindowFixture.h"

#include "quotation/QuotationAutosave.h"
#include "quotation/VrnFile.h"

namespace varn::test {
namespace {

class AutosaveTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        state().m.gAutoSave = true;
        state().m.gAutoSaveMin = 2;
        autosave = std::make_unique<QuotationAutosave>(*doc, [this] { return now; });
    }
    void TearDown() override
    {
        autosave.reset();
        QuotationTest::TearDown();
    }

    // Moves the clock to `m` minutes and ticks.
    QuotationAutosave::Outcome tickAt(double m)
    {
        now = qint64(m * 60000);
        return autosave->tick();
    }

    qint64 now = 0;
    std::unique_ptr<QuotationAutosave> autosave;
};

using Outcome = QuotationAutosave::Outcome;

TEST_F(AutosaveTest, WritesAtTheIntervalOfTheSettingWithoutMovingTheSelection)
{
    add(Q, {"客廳"});
    add(path({"客廳"}), {"木作", "油漆"}, true);
    fill(path({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});
    fill(path({"客廳", "木作"}), {{"天花板", "10", "1200"}});   // shown, not yet stored
    doc->setEditCell(1, QCol::Qty);
    QSignalSpy editorsHidden(doc.get(), &Quotation::hideCellEditorsRequested);

    autosave->start();
    const QString saved = autosave->path();
    EXPECT_EQ(saved, file("autosave.vrn"));   // the superuser's
    now = 2 * 60000 - 1;
    EXPECT_EQ(autosave->tick(), Outcome::NotDue);
    EXPECT_FALSE(QFile::exists(saved));
    EXPECT_EQ(tickAt(2), Outcome::Saved);

    EXPECT_EQ(doc->shownPath(), path({"客廳", "木作"}));
    EXPECT_EQ(doc->editRow(), 1);
    EXPECT_EQ(doc->editCol(), QCol::Qty);
    EXPECT_EQ(editorsHidden.count(), 0);
    EXPECT_EQ(doc->filePath(), QString());
    QStringList names;
    for (const ItemLine& row : Vrn::read(saved, VrnReadMode::Strict, doc->blankPageEnd()).rows)
        names << row[1];
    EXPECT_EQ(names, (QStringList{"乳膠漆", "天花板"}));

    // The next one comes a whole interval later; anything below a minute counts as one.
    doc->setHeaderField(HeaderField::CustomerName, "林先生");
    EXPECT_EQ(tickAt(3), Outcome::NotDue);
    EXPECT_EQ(tickAt(4), Outcome::Saved);
    state().m.gAutoSaveMin = 0;
    doc->setHeaderField(HeaderField::CustomerName, "甲");
    EXPECT_EQ(tickAt(4.5), Outcome::NotDue);
    EXPECT_EQ(tickAt(5), Outcome::Saved);

    // A new setting applies from the next tick; restarting the count puts it off.
    state().m.gAutoSaveMin = 10;
    now = 6 * 60000;
    autosave->restartCount();
    doc->setHeaderField(HeaderField::CustomerName, "乙");
    EXPECT_EQ(tickAt(15), Outcome::NotDue);
    EXPECT_EQ(tickAt(16), Outcome::Saved);

    // An employee's goes into the working folder.
    state().m.gUserName = "王小明";
    EXPECT_EQ(QuotationAutosave::defaultPath(), file("王小明/autosave.vrn"));
}

TEST_F(AutosaveTest, AnEmptyOrUnchangedQuotationDoesNotReplaceAnExistingAutosave)
{
    const QString saved = autosave->path();
    // Nothing there yet: even an empty quotation is written.
    EXPECT_EQ(autosave->saveNow(), Outcome::Saved);
    EXPECT_TRUE(QFile::exists(saved));

    {
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("work from before a crash");
    }
    doc->setHeaderField(HeaderField::CustomerName, "林先生");   // changed, but no rows
    EXPECT_EQ(autosave->saveNow(), Outcome::Kept);
    fill(Q, {{"天花板"}});
    ASSERT_TRUE(doc->saveTo(file("q.vrn")));   // saved: nothing new to recover
    EXPECT_EQ(autosave->saveNow(), Outcome::Kept);
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "work from before a crash");

    doc->setHeaderField(HeaderField::QuoteNo, "1");
    EXPECT_EQ(autosave->saveNow(), Outcome::Saved);
    EXPECT_EQ(autosave->saveNow(), Outcome::Kept);   // unchanged since that autosave
}

TEST_F(AutosaveTest, AFailureIsReportedOnceUntilASaveSucceeds)
{
    const QString folder = file("gone");
    autosave->setPath(QDir(folder).filePath("autosave.vrn"));
    doc->setHeaderField(HeaderField::CustomerName, "林先生");

    EXPECT_EQ(autosave->saveNow(), Outcome::Failed);
    EXPECT_EQ(autosave->saveNow(), Outcome::Failed);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().startsWith("存檔錯誤\r\n"));

    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(autosave->saveNow(), Outcome::Saved);
    ASSERT_TRUE(QDir(folder).removeRecursively());
    doc->setHeaderField(HeaderField::CustomerName, "王先生");
    EXPECT_EQ(autosave->saveNow(), Outcome::Failed);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

} // namespace
} // namespace varn::test
