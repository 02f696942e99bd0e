// Loading, closing and starting anew: the statistics database, the pick lists, the pricing
// modes and the save question.
#include "WindowFixture.h"

#include "quotation/PickLists.h"
#include "quotation/StaDatabase.h"

namespace varn::test {
namespace {

using WindowLife = WindowTest;

TEST_F(WindowLife, AMissingStatisticsDatabaseIsMadeInTheWorkingFolderAndAnUnreadableOneKeptAside)
{
    state().m.gUserName = "王小明";
    const QString sta = QDir(folder()).filePath("王小明/sta.mdb");
    ASSERT_NE(window().staDb(), nullptr);
    EXPECT_TRUE(QFile::exists(sta));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    delete &window();
    ASSERT_TRUE(QFile::remove(sta));
    Database::create(sta, "another password", StaSchemaSql());
    QFile f(sta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();

    ASSERT_NE(window().staDb(), nullptr);
    EXPECT_TRUE(window().staDb()->tableExists("統計"));
    QFile aside(sta + ".bad");
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), bytes);
    EXPECT_TRUE(prompts.lastMessageText().contains("已重新建立"));
    // Opened again, the new one is simply kept.
    const StaDatabase again = StaDatabase::open(sta, kDatabasePassword, StaSchemaSql());
    ASSERT_NE(again.db, nullptr);
    EXPECT_FALSE(again.created);
    EXPECT_TRUE(again.keptAside.isEmpty());
}

TEST_F(WindowLife, WithoutAStatisticsDatabaseTheWindowOpensAndItsCommandsStayOff)
{
    // The working folder's name is taken by a file, so nothing can be made there.
    state().m.gUserName = "王小明";
    QFile blocker(QDir(folder()).filePath("王小明"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    frmQ& w = window();
    EXPECT_EQ(w.staDb(), nullptr);
    EXPECT_TRUE(prompts.lastMessageText().contains("統計與列印報表功能暫停使用"));
    for (const char* name : {"mPfp", "mPdt", "mCalT"})
        w.setCommandHandler(QString::fromLatin1(name), [] {});
    w.tv_MouseDown(Qt::RightButton, Q);
    for (const char* name : {"mPfp", "mPdt", "mCalT"})
        EXPECT_FALSE(enabled(name)) << name;
    pickNames(Q, "mAddA", {"客廳"});   // the quotation itself works
    EXPECT_EQ(doc().shownPath(), LeafPath({"客廳"}));
}

TEST_F(WindowLife, ListsComeFromTheLexiconAndTheAreaListFollowsTheCategory)
{
    frmQ& w = window();
    EXPECT_EQ(w.cbK()->currentText(), "住宅");
    EXPECT_EQ(editors().LsA()->count(), 3);
    w.cbK()->setEditText("店面");
    EXPECT_EQ(editors().LsA()->count(), 1);
    EXPECT_EQ(doc().header().category, "店面");

    // The settings window reopened the database elsewhere: the lists read the new one.
    std::shared_ptr<Database> moved = Database::create(file("moved.mdb"), {}, MainSchemaSql());
    moved->execute("INSERT INTO k2a (k, a, sort) VALUES ('店面', '騎樓', 0), ('店面', '櫥窗', 0)");
    state().m.gDb = moved;
    w.cbK()->setEditText("住宅");
    EXPECT_EQ(editors().LsA()->count(), 0);
    w.cbK()->setEditText("店面");
    EXPECT_EQ(editors().LsA()->count(), 2);

    // The item list takes the nearest work type; quotes are data.
    const auto items = [&](const QStringList& candidates) { return PickLists::itemsForPath(db(), candidates).entries; };
    EXPECT_EQ(items({"木作", "客廳", Q}), (QStringList{"木門", "天花板"}));
    EXPECT_TRUE(items({"客廳", Q}).isEmpty());                   // an area without work types
    EXPECT_EQ(items({"細項", "油漆", Q}), QStringList{"乳膠漆"});   // a level below a work type
    db().execute("INSERT INTO k2a (k, a, sort) VALUES (?, ?, 0)", {"O'Neil's \"家\"", "玄關"});
    EXPECT_EQ(PickLists::areasOf(db(), "O'Neil's \"家\"").entries, QStringList{"玄關"});
}

TEST_F(WindowLife, AListThatCannotBeReadIsReportedOnceAndLeftEmpty)
{
    db().execute("DROP TABLE u");
    db().execute("DROP TABLE Qps");
    frmQ& w = window();
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().contains("單位"));
    EXPECT_TRUE(prompts.lastMessageText().contains("備註"));
    EXPECT_EQ(editors().cbU()->count(), 0);
    EXPECT_EQ(editors().cbPs()->count(), 0);
    EXPECT_EQ(w.cbK()->count(), 2);
}

TEST_F(WindowLife, APricingModeClickedAgainStaysChecked)
{
    trigger("mEpCc");
    trigger("mEpCc");
    EXPECT_EQ((QList<bool>{act("mEpCc")->isChecked(), act("mEpCr")->isChecked(), act("mEcCp")->isChecked()}),
              (QList<bool>{true, false, true}));
    EXPECT_TRUE(doc().isPricingModeChecked(PricingMode::EpCc));
}

TEST_F(WindowLife, TheCloseQuestionComesAtEveryCloseAndCancelKeepsTheWindow)
{
    // An untouched, empty quotation is asked about too: Cancel keeps it, No closes it.
    QPointer<frmQ> untouched = &window();
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(untouched->close());
    EXPECT_TRUE(untouched->isVisible());
    prompts.answerMessage(PromptButton::No);
    EXPECT_TRUE(frmQ::requestClose());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(untouched.isNull());
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 2);
    for (const PromptRecord& r : prompts.asked(PromptKind::Message)) {
        EXPECT_EQ(r.text, "是否儲存報價單 ?");
        EXPECT_EQ(r.title, "Varn III");
        EXPECT_EQ(r.buttons, PromptButtons::YesNoCancel);
        EXPECT_EQ(r.icon, PromptIcon::Question);
    }
    EXPECT_EQ(prompts.askedCount(PromptKind::SaveFile), 0);
    EXPECT_TRUE(frmQ::requestClose());   // no window: nothing to ask

    frmQ& w = window();
    buildTwoAreas();
    typeInto(w.txtCn(), "陳");
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(w.close());
    EXPECT_EQ(prompts.lastMessageText(), "是否儲存報價單 ?");

    prompts.answerMessage(PromptButton::Yes);
    prompts.answerSaveFile(std::nullopt);
    prompts.answerMessage(PromptButton::Ok);
    EXPECT_FALSE(frmQ::requestClose());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(doc().header().customerName, "新客戶陳");
    EXPECT_EQ(doc().tree().nodeCount(), 4);
    EXPECT_TRUE(doc().isModified());

    const QString file = QDir(folder()).filePath("q.vrn");
    prompts.answerMessage(PromptButton::Yes);
    prompts.answerSaveFile(file);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(QFile::exists(file));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A saved quotation with rows, unchanged since: still asked.
    frmQ& again = window();
    buildTwoAreas();
    ASSERT_TRUE(doc().setCellText(1, QCol::Name, "木門"));
    ASSERT_TRUE(doc().saveTo(file));
    ASSERT_FALSE(doc().isModified());
    prompts.clear();
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(again.close());
    EXPECT_EQ(prompts.lastMessageText(), "是否儲存報價單 ?");
    prompts.answerMessage(PromptButton::No);
    EXPECT_TRUE(again.close());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    EXPECT_EQ(prompts.unexpected(), 0);
}

TEST_F(WindowLife, NewQuotationStartsAfreshInTheSameCategory)
{
    frmQ& w = window();
    buildTwoAreas();
    w.cbK()->setEditText("店面");
    doc().setHeaderField(HeaderField::Contact, "王");
    state().m.gCusFax = "02 1234";
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(w.mNew_Click());
    EXPECT_EQ(doc().tree().nodeCount(), 4);
    prompts.answerMessage(PromptButton::No);
    EXPECT_TRUE(w.mNew_Click());
    EXPECT_EQ(w.tv()->topLevelItem(0)->childCount(), 0);
    EXPECT_EQ(w.cbK()->currentText(), "店面");   // the category stays as it was
    const QuotationHeader& h = doc().header();
    EXPECT_EQ((QStringList{h.category, h.customerName, h.contact, state().m.gCusFax}),
              (QStringList{"店面", "新客戶", "", ""}));
    EXPECT_TRUE(h.quoteNo.endsWith("_"));
    EXPECT_FALSE(doc().isModified());
    EXPECT_FALSE(doc().noAreaMode());
    EXPECT_EQ(w.lbPath()->text(), Q);
    EXPECT_EQ(w.windowTitle(), "報價系統\t- 新報價單");
}

} // namespace
} // namespace varn::test
