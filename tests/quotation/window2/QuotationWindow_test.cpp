// The extras on a real quotation window: open, save, save-as and the recent files with the
// dialogs answered from a script, a quotation with a page end saved and reopened from the
// recent list after the window was closed; the customer pick; autosave; the page-end panel
// driven through its controls; 品名加入施工資料庫.
#include "quotation/widgets/WindowFixture.h"

#include "platform/text/Cp950.h"
#include "quotation/LexiconAdditions.h"
#include "quotation/VrnSaveNames.h"
#include "quotation/widgets/LexiconAdditionCommand.h"
#include "quotation/widgets/QuotationFileCommands.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmAddw.h"
#include "quotation/widgets/frmPe.h"
#include "records/CustomerRecord.h"
#include "shared/RocDate.h"

namespace varn::test {
namespace {

class QuotationWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        QuotationWindowExtras::setCustomerPicker({});
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QuotationWindowExtras::setCustomerPicker({});
    }
    void windowMade(frmQ& w) override { extras = QuotationWindowExtras::attach(w, [this] { return now; }); }

    // Closes the window without saving (writing Of.ini); the next use opens a new one.
    void closeWindow()
    {
        QPointer<frmQ> w = &window();
        prompts.answerMessage(PromptButton::No);   // 是否儲存報價單 ?
        ASSERT_TRUE(w->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(w.isNull());
    }

    // The extras of the window, opened on first use.
    frmPe& panel()
    {
        window();
        return extras->pageEnd();
    }
    QuotationFileCommands& files()
    {
        window();
        return extras->files();
    }
    // One work type with one row, and the page end opened.
    void openPanel(const char* qty, const char* price)
    {
        ASSERT_TRUE(doc().AddChildNodes(Q, {"木作"}, true));
        doc().tv_NodeClick(LeafPath({"木作"}));
        ASSERT_TRUE(doc().setCellText(1, QCol::Name, "甲"));
        ASSERT_TRUE(doc().cellEdited(1, QCol::Qty, qty));
        ASSERT_TRUE(doc().cellEdited(1, QCol::Price, price));
        QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    }
    QStringList totals()
    {
        return {panel().lbNtax()->text(), panel().lbTax()->text(), panel().lbHtax()->text(), panel().lbApr()->text()};
    }
    LexiconAdditionCommand& additions()
    {
        window();
        return extras->lexicon();
    }
    // The t2w rows of a work type as "w sort u c s", in order number order.
    QStringList lexicon(const QString& t)
    {
        QStringList out;
        Recordset rs = db().openRecordset("select w, sort, u, c, s from t2w where t = ? order by sort", {t});
        for (; !rs.eof(); rs.moveNext())
            out << QStringLiteral("%1 %2 %3 %4 %5").arg(rs.text(0)).arg(rs.value(1).toInt()).arg(rs.text(2))
                       .arg(rs.value(3).toDouble()).arg(rs.value(4).toDouble());
        return out;
    }
    // Rows of 品名, 單位, 成本, 比例 on the shown leaf, from row 1.
    void setRows(const QList<QStringList>& rows)
    {
        for (int r = 1; r <= rows.size(); ++r) {
            while (doc().hfgQ().rows() <= r)
                doc().editRowForClick(doc().hfgQ().rows() - 1);
            const QStringList& cells = rows[r - 1];
            if (!cells[0].isEmpty()) {
                ASSERT_TRUE(doc().setCellText(r, QCol::Name, cells[0]));
            }
            ASSERT_TRUE(doc().setCellText(r, QCol::Unit, cells[1]));
            doc().hfgQ().setTextMatrix(r, QCol::Cost, cells[2]);
            doc().hfgQ().setTextMatrix(r, QCol::Ratio, cells[3]);
        }
    }
    QStringList recentCaptions()
    {
        QStringList out;
        for (int i = 0; i < 5; ++i) {
            if (QAction* a = window().action(QStringLiteral("mRF%1").arg(i)); a->isVisible())
                out << a->text();
        }
        return out;
    }

    QuotationWindowExtras* extras = nullptr;
    qint64 now = 0;
};

TEST_F(QuotationWindowTest, AQuotationWithItsPageEndComesBackFromTheRecentList)
{
    // The page end, whole in the smallest window: a design fee of 30 坪 at 2000, tax at 5%.
    window().resize(300, 200);
    openPanel("10", "1200");
    EXPECT_TRUE(window().rect().contains(panel().geometry()));
    retype(window().txtNo(), "1120301_1");
    retype(window().txtCn(), "林'宅");
    db().execute("INSERT INTO 客戶 (客戶編號, 客戶名稱, 電話1, 連絡人) VALUES ('C001', ?, '02;2345', '林太太')",
                {doc().header().customerName});
    QTest::mouseClick(panel().ckD(), Qt::LeftButton);
    QTest::mouseClick(panel().Dop2(), Qt::LeftButton);
    retype(panel().txtDp(), "30");
    retype(panel().txtdx(), "2000");
    const PageEndValues pageEnd = doc().pageEnd();

    prompts.answerSaveFile(file("林宅"));
    act("mSaveAs")->trigger();
    const QString saved = file("林宅.vrn");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(window().windowTitle(), "報價系統\t- " + saved);

    closeWindow();
    act("mRF0")->trigger();
    EXPECT_EQ(prompts.unexpected(), 0);
    EXPECT_EQ(window().txtNo()->text(), "1120301_1");
    EXPECT_EQ(window().lbConn()->text(), "林太太");   // the register gives back what the file does not hold
    EXPECT_EQ(window().lbCtel()->text(), "02 2345");
    EXPECT_EQ(doc().hfgQ().textMatrix(1, QCol::Amount), "12000");
    EXPECT_EQ(doc().pageEnd(), pageEnd);
}

TEST_F(QuotationWindowTest, ASaveWithABareRateStillInItsBoxStoresTheRateAsEnterReadsIt)
{
    openPanel("1", "1000");
    QComboBox* tax = panel().cbTax();
    retype(tax->lineEdit(), "12");
    ASSERT_EQ(doc().pageEnd().taxRate, "12");
    // Saved from the menu while the box still has the rate: it is entered first, as leaving
    // the box would enter it, and the file holds it with the figures worked out with it.
    prompts.answerSaveFile(file("a.vrn"));
    act("mSaveAs")->trigger();
    const QStringList lines = ReadCp950Lines(file("a.vrn"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], "1000:1200%:12000:13000::13000");
    EXPECT_EQ(tax->currentText(), "1200%");
    EXPECT_EQ(totals(), (QStringList{"1000", "12000", "13000", "13000"}));

    // It comes back as saved, without a word.
    prompts.clear();
    act("mRF0")->trigger();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(tax->currentText(), "1200%");
    EXPECT_EQ(totals(), (QStringList{"1000", "12000", "13000", "13000"}));
}

// An autosave comes while a bare rate is still being typed: the rate is not entered yet,
// and the file holds the rate its figures were worked out with.
TEST_F(QuotationWindowTest, AnAutosaveWhileABareRateIsTypedKeepsTheRateOfItsFigures)
{
    QuotationAutosave& autosave = files().autosave();
    openPanel("1", "1000");
    QComboBox* tax = panel().cbTax();
    retype(tax->lineEdit(), "12");
    ASSERT_EQ(autosave.saveNow(), QuotationAutosave::Outcome::Saved);
    QStringList lines = ReadCp950Lines(autosave.path());
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], "1000:5%:50:1050::1050");
    EXPECT_EQ(tax->currentText(), "12");
    EXPECT_EQ(totals(), (QStringList{"1000", "50", "1050", "1050"}));

    // Opened and saved untouched, it keeps its figures.
    prompts.answerMessage(PromptButton::No);   // 是否存檔?
    prompts.answerOpenFile(autosave.path());
    act("mOpen")->trigger();
    EXPECT_EQ(tax->currentText(), "5%");
    prompts.answerSaveFile(file("b.vrn"));
    act("mSaveAs")->trigger();
    lines = ReadCp950Lines(file("b.vrn"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[lines.size() - 2], "1000:5%:50:1050::1050");
    EXPECT_EQ(prompts.unexpected(), 0);
}

TEST_F(QuotationWindowTest, CancelledDialogsChangeNothingAndStartWhereTheFileIs)
{
    state().m.gFilePath = file("quotes");
    prompts.answerSaveFile(file("a.vrn"));
    ASSERT_TRUE(files().mSaveAs_Click());
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).front().startFolder, file("quotes"));
    EXPECT_TRUE(prompts.asked(PromptKind::SaveFile).front().fileName.isEmpty());
    const QString caption = window().windowTitle();

    prompts.answerSaveFile(std::nullopt);
    act("mSaveAs")->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消另存檔案");
    // 儲存檔案 starts from the current file.
    prompts.answerSaveFile(std::nullopt);
    act("mSaveF")->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消存檔");
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().fileName, file("a.vrn"));
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().startFolder, folder());
    prompts.answerOpenFile(std::nullopt);
    act("mOpen")->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消開啟檔案");

    EXPECT_EQ(window().windowTitle(), caption);
    EXPECT_EQ(doc().filePath(), file("a.vrn"));
    EXPECT_EQ(recentCaptions(), QStringList{file("a.vrn")});
}

TEST_F(QuotationWindowTest, ACompletedNameOverwritesOnlyAfterYes)
{
    const QString old = file("old.vrn");
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    prompts.answerSaveFile(file("old"));
    prompts.answerMessage(PromptButton::No);
    prompts.answerSaveFile(std::nullopt);   // the dialog comes back; then cancelled
    EXPECT_FALSE(files().mSaveAs_Click());
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).size(), 2u);
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().fileName, old);
    EXPECT_EQ(ReadCp950Lines(old), QStringList{"keep"});

    prompts.answerSaveFile(file("old"));
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(files().mSaveAs_Click());
    EXPECT_EQ(doc().filePath(), old);
    EXPECT_EQ(ReadCp950Lines(old).value(1), "[Title]");

    // Only a name without extension is completed.
    for (auto [typed, completed] : {std::pair{"/a/b/q1", "/a/b/q1.vrn"}, {"/a/b/q1.", "/a/b/q1.vrn"},
                                    {"/a/b.d/q1", "/a/b.d/q1.vrn"}, {"/a/b/q1.vrn", ""}, {"/a/b/q1.txt", ""}})
        EXPECT_EQ(VrnSavePrompter::completedName(typed).value_or(""), completed) << typed;
}

TEST_F(QuotationWindowTest, RecentListAfterSixOpensAndAReopen)
{
    // A hand-edited list: a repeat and a blank line are left out; paths compare case and all.
    Cp950LineWriter ini;
    for (const char* line : {"/x/a.vrn", "/x/a.vrn", "", "/x/A.vrn"})
        ini.addLine(line);
    ini.commit(file("Of.ini"));
    EXPECT_EQ(recentCaptions(), (QStringList{"/x/a.vrn", "/x/A.vrn"}));

    QStringList f;
    for (int i = 1; i <= 6; ++i) {
        f << file(QStringLiteral("f%1.vrn").arg(i));
        Vrn::write(f.last(), Quotation().content());
        prompts.answerOpenFile(f.last());
        ASSERT_TRUE(files().mOpen_Click()) << i;
    }
    const QStringList newestFirst{f[5], f[4], f[3], f[2], f[1]};
    EXPECT_EQ(recentCaptions(), newestFirst);

    closeWindow();
    EXPECT_EQ(ReadCp950Lines(file("Of.ini")), newestFirst);
    EXPECT_EQ(recentCaptions(), newestFirst);
    act("mRF3")->trigger();   // f3
    EXPECT_EQ(doc().filePath(), f[2]);
    EXPECT_EQ(recentCaptions(), (QStringList{f[2], f[5], f[4], f[3], f[1]}));

    // Saving under a name the list holds does not repeat it.
    prompts.answerSaveFile(f[4]);
    ASSERT_TRUE(files().mSaveAs_Click());
    EXPECT_EQ(recentCaptions(), (QStringList{f[4], f[2], f[5], f[3], f[1]}));

    // A recent file that is gone is reported and kept.
    ASSERT_TRUE(QFile::remove(f[2]));
    act("mRF1")->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "檔案不存在");
    EXPECT_EQ(doc().filePath(), f[4]);
    EXPECT_EQ(recentCaptions(), (QStringList{f[4], f[2], f[5], f[3], f[1]}));
}

TEST_F(QuotationWindowTest, TheCustomerPickFillsTheHeader)
{
    EXPECT_FALSE(window().cmdC()->isEnabled());   // no register to pick from
    closeWindow();
    int shown = 0;
    QuotationWindowExtras::setCustomerPicker([&shown](QWidget*) {
        ++shown;
        EXPECT_TRUE(state().m.gPickCustomer);
        EXPECT_FALSE(state().m.gCustomerPicked);
        HandBackCustomer(CustomerPick{"林先生", "台北市信義路一段1號", "0223456789", "0223456780", "林太太"});
        return true;
    });
    ASSERT_TRUE(window().cmdC()->isEnabled());
    QTest::mouseClick(window().cmdC(), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    const QStringList header{window().txtCn()->text(), window().cbEcn()->currentText(), window().txtAddr()->text(),
                             window().lbConn()->text(), window().lbCtel()->text(), doc().header().fax};
    EXPECT_EQ(header, (QStringList{"林先生", "林先生", "台北市信義路一段1號", "林太太", "0223456789", "0223456780"}));

    // Closed without 傳回報價單: the header keeps its values.
    QuotationWindowExtras::setCustomerPicker([](QWidget*) { return false; });
    state().m.gCusName = "別人";
    extras->cmdC_Click();
    EXPECT_EQ(window().txtCn()->text(), "林先生");
}

TEST_F(QuotationWindowTest, AProjectKindFollowsTheCustomerAndTheCalendarWritesAnRocDate)
{
    db().execute("insert into 案 (sort, 案) values (2, '店面裝修')");
    retype(window().txtCn(), "林先生");
    window().cbEcn()->setFocus();
    window().cbEcn()->showPopup();
    QTest::keyClick(window().cbEcn()->view(), Qt::Key_Down);
    QTest::keyClick(window().cbEcn()->view(), Qt::Key_Return);
    EXPECT_EQ(window().cbEcn()->currentText(), "林先生店面裝修");
    EXPECT_EQ(doc().header().projectName, "林先生店面裝修");

    // A date chosen with the keys is the quotation's date; an opened file's date is the
    // picker's.
    auto* dtp = window().findChild<QDateEdit*>("DTP");
    ASSERT_NE(dtp, nullptr);
    const QDate today = dtp->date();
    dtp->setFocus();
    QTest::keyClick(dtp, Qt::Key_Up);
    ASSERT_NE(dtp->date(), today);
    EXPECT_EQ(window().txtQD()->text(), FormatRocDate(dtp->date()));
    EXPECT_EQ(doc().header().quoteDate, FormatRocDate(dtp->date()));
    VrnContent opened = doc().snapshotContent();
    opened.header.quoteDate = "92/02/09";
    doc().load(opened, file("x.vrn"));
    EXPECT_EQ(dtp->date(), QDate(2003, 2, 9));

    // Closing the calendar without choosing another date writes the picker's date over
    // what was typed.
    retype(window().txtQD(), "下週一");
    ASSERT_EQ(doc().header().quoteDate, "下週一");
    ASSERT_EQ(dtp->date(), QDate(2003, 2, 9));
    QTest::mouseClick(dtp, Qt::LeftButton, {}, QPoint(dtp->width() - 4, dtp->height() / 2));
    QWidget* calendar = dtp->calendarWidget()->window();
    ASSERT_TRUE(calendar->isVisible());
    QTest::keyClick(calendar, Qt::Key_Escape);
    EXPECT_FALSE(calendar->isVisible());
    EXPECT_EQ(window().txtQD()->text(), "92/02/09");
    EXPECT_EQ(doc().header().quoteDate, "92/02/09");

    EXPECT_EQ(panel().cbPe(4)->count(), 1);   // the panel offers the remarks the window loaded
}

using Outcome = QuotationAutosave::Outcome;

TEST_F(QuotationWindowTest, AutosaveWritesAtTheIntervalOfTheSettingWithoutMovingTheSelection)
{
    state().m.gAutoSave = true;
    state().m.gAutoSaveMin = 2;
    QuotationAutosave& autosave = files().autosave();   // counting from the window's load
    ASSERT_TRUE(doc().AddChildNodes(Q, {"客廳"}, false));
    ASSERT_TRUE(doc().AddChildNodes(LeafPath({"客廳"}), {"木作", "油漆"}, true));
    doc().tv_NodeClick(LeafPath({"客廳", "油漆"}));
    ASSERT_TRUE(doc().setCellText(1, QCol::Name, "乳膠漆"));
    doc().tv_NodeClick(LeafPath({"客廳", "木作"}));
    ASSERT_TRUE(doc().setCellText(1, QCol::Name, "天花板"));   // shown, not yet stored
    doc().setEditCell(1, QCol::Qty);
    QSignalSpy editorsHidden(&doc(), &Quotation::hideCellEditorsRequested);

    const QString saved = autosave.path();
    EXPECT_EQ(saved, file("autosave.vrn"));   // the superuser's
    now = 2 * 60000 - 1;
    EXPECT_EQ(autosave.tick(), Outcome::NotDue);
    EXPECT_FALSE(QFile::exists(saved));
    now = 2 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::Saved);
    EXPECT_EQ(doc().shownPath(), LeafPath({"客廳", "木作"}));
    EXPECT_EQ((QList<int>{doc().editRow(), doc().editCol(), int(editorsHidden.count())}), (QList<int>{1, QCol::Qty, 0}));
    EXPECT_EQ(doc().filePath(), QString());
    QStringList names;
    for (const ItemLine& row : Vrn::read(saved, VrnReadMode::Strict, doc().blankPageEnd()).rows)
        names << row[1];
    EXPECT_EQ(names, (QStringList{"乳膠漆", "天花板"}));

    // A manual save does not put the next one off, nor does a new quotation.
    now = 3 * 60000;
    ASSERT_TRUE(doc().saveTo(file("manual.vrn")));
    doc().setHeaderField(HeaderField::CustomerName, "林先生");
    now = 4 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::Saved);
    now = 5 * 60000;
    prompts.answerMessage(PromptButton::No);
    ASSERT_TRUE(window().mNew_Click());
    now = 6 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::Kept);   // due, but an empty quotation keeps the last

    // Anything below a minute counts as one; a new setting applies from the next tick and
    // restarting the count puts it off.
    state().m.gAutoSaveMin = 0;
    ASSERT_TRUE(doc().setCellText(1, QCol::Name, "甲"));
    now = 6.5 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::NotDue);
    now = 7 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::Saved);
    state().m.gAutoSaveMin = 10;
    now = 8 * 60000;
    autosave.restartCount();
    doc().setHeaderField(HeaderField::CustomerName, "乙");
    now = 17 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::NotDue);
    now = 18 * 60000;
    EXPECT_EQ(autosave.tick(), Outcome::Saved);

    // An employee's goes into the working folder.
    state().m.gUserName = "王小明";
    EXPECT_EQ(QuotationAutosave::defaultPath(), file("王小明/autosave.vrn"));
}

TEST_F(QuotationWindowTest, AnEmptyOrUnchangedQuotationKeepsAnExistingAutosaveAndAFailureIsReportedOnce)
{
    QuotationAutosave& autosave = files().autosave();
    const QString saved = autosave.path();
    // Nothing there yet: even an empty quotation is written.
    EXPECT_EQ(autosave.saveNow(), Outcome::Saved);
    EXPECT_TRUE(QFile::exists(saved));

    {
        QFile f(saved);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("work from before a crash");
    }
    doc().setHeaderField(HeaderField::CustomerName, "林先生");   // changed, but no rows
    EXPECT_EQ(autosave.saveNow(), Outcome::Kept);
    ASSERT_TRUE(doc().setCellText(1, QCol::Name, "天花板"));
    ASSERT_TRUE(doc().saveTo(file("q.vrn")));   // saved: nothing new to recover
    EXPECT_EQ(autosave.saveNow(), Outcome::Kept);
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "work from before a crash");

    doc().setHeaderField(HeaderField::QuoteNo, "1");
    EXPECT_EQ(autosave.saveNow(), Outcome::Saved);
    EXPECT_EQ(autosave.saveNow(), Outcome::Kept);   // unchanged since that autosave

    // A failure is reported once until a save succeeds.
    const QString gone = file("gone");
    autosave.setPath(QDir(gone).filePath("autosave.vrn"));
    doc().setHeaderField(HeaderField::CustomerName, "林先生");
    prompts.clear();

    EXPECT_EQ(autosave.saveNow(), Outcome::Failed);
    EXPECT_EQ(autosave.saveNow(), Outcome::Failed);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().startsWith("存檔錯誤\r\n"));

    ASSERT_TRUE(QDir().mkpath(gone));
    EXPECT_EQ(autosave.saveNow(), Outcome::Saved);
    ASSERT_TRUE(QDir(gone).removeRecursively());
    doc().setHeaderField(HeaderField::CustomerName, "王先生");
    EXPECT_EQ(autosave.saveNow(), Outcome::Failed);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

TEST_F(QuotationWindowTest, PageEndFeesByTotalAndByAreaAddToTheTotalUnrounded)
{
    openPanel("1", "987");
    QTest::mouseClick(panel().ckD(), Qt::LeftButton);
    retype(panel().txtdx(), "0.1");
    EXPECT_EQ(panel().txtDt()->text(), "98.7");

    QTest::mouseClick(panel().ckL(), Qt::LeftButton);
    QTest::mouseClick(panel().Lop2(), Qt::LeftButton);
    EXPECT_EQ(panel().lbl()->text(), "坪");
    EXPECT_EQ(panel().txtLp()->text(), "987");   // kept until the area is typed
    retype(panel().txtLp(), "2.5");
    retype(panel().txtlx(), "200");
    EXPECT_EQ(panel().txtLt()->text(), "500");
    EXPECT_EQ(totals(), (QStringList{"1585.7", "79", "1665", "1665"}));
    EXPECT_FALSE(doc().pageEnd().supervision.byTotal);

    // Clearing a rate empties its amount, which then counts as nothing.
    retype(panel().txtlx(), "");
    EXPECT_EQ(panel().txtLt()->text(), "");
    EXPECT_EQ(panel().lbNtax()->text(), "1085.7");
    // Back to by total: the base becomes the shown total again.
    QTest::mouseClick(panel().Lop1(), Qt::LeftButton);
    EXPECT_EQ(panel().lbl()->text(), "元");
    EXPECT_EQ(panel().txtLp()->text(), "987");
}

TEST_F(QuotationWindowTest, OpeningThePageEndSelectsTheWholeQuotationAndTheTaxRateIsEnteredWithEnterOrFromTheList)
{
    openPanel("1", "1000");
    EXPECT_TRUE(panel().isVisible());
    EXPECT_EQ(doc().shownPath(), Q);
    EXPECT_EQ(panel().txtDp()->text(), "1000");   // both fee bases go by total
    EXPECT_EQ(panel().txtLp()->text(), "1000");
    QLineEdit* rate = panel().cbTax()->lineEdit();
    retype(rate, "0.1");
    EXPECT_EQ(panel().lbTax()->text(), "50");   // typing alone recomputes nothing
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel().cbTax()->currentText(), "10%");
    EXPECT_EQ(panel().lbTax()->text(), "100");

    // A text that is not a number as a whole is left as typed, and the tax follows it.
    retype(rate, "5%");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel().cbTax()->currentText(), "5%");
    EXPECT_EQ(panel().lbTax()->text(), "50");

    // Picking from the list recomputes.
    QCoreApplication::processEvents();
    panel().cbTax()->setFocus();
    panel().cbTax()->showPopup();
    QTest::keyClick(panel().cbTax()->view(), Qt::Key_Up);
    QTest::keyClick(panel().cbTax()->view(), Qt::Key_Return);
    EXPECT_EQ(panel().cbTax()->currentText(), "120%");
    EXPECT_EQ(panel().lbTax()->text(), "1200");

    // An empty rate charges nothing at the next recomputation, the discount's.
    retype(rate, "");
    retype(panel().txtOff(), "-1000");
    EXPECT_EQ(totals(), (QStringList{"1000", "0", "1000", "0"}));

    QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    EXPECT_FALSE(panel().isVisible());
}

TEST_F(QuotationWindowTest, APasteIntoAPageEndNumberBoxMustBeOnePlainNumber)
{
    openPanel("1", "1000");
    QTest::mouseClick(panel().ckD(), Qt::LeftButton);
    retype(panel().txtdx(), "0.1");
    QTest::mouseClick(panel().Lop2(), Qt::LeftButton);
    retype(panel().txtLp(), "30");
    retype(panel().txtOff(), "-100");
    // The keys go where the user's keys go: the tax rate's to its combo box.
    const auto paste = [](QLineEdit* into, const QString& text) {
        auto* combo = qobject_cast<QComboBox*>(into->parentWidget());
        QWidget* keys = combo ? static_cast<QWidget*>(combo) : into;
        keys->setFocus();
        pasteWithKeys(keys, text);
    };
    // Each is refused as a whole, with a word; the box and the totals keep their values.
    const std::pair<QLineEdit*, const char*> refused[] = {
        {panel().txtdx(), "2\n3"},   {panel().txtdx(), "0.1.5"}, {panel().txtLp(), "30坪"},
        {panel().txtLp(), "12,00"},   {panel().txtOff(), "-1 000"}, {panel().txtOff(), "abc"},
        {panel().txtOff(), "x"},      {panel().cbTax()->lineEdit(), "5 %"},
        {panel().cbTax()->lineEdit(), "5%\n6%"}, {panel().cbTax()->lineEdit(), "x"}};
    const PageEndValues before = doc().pageEnd();
    for (const auto& [into, text] : refused) {
        const QString shown = into->text();
        prompts.clear();
        paste(into, QString::fromUtf8(text));
        EXPECT_EQ(into->text(), shown) << text;
        EXPECT_EQ(prompts.lastMessageText(), "此欄只能輸入數字") << text;
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1) << text;
    }
    EXPECT_TRUE(doc().pageEnd() == before);
    EXPECT_EQ(totals(), (QStringList{"1100", "55", "1155", "1055"}));

    // One number is taken, signs and per cents where the box has them, without the line
    // break a spreadsheet cell brings along.
    prompts.clear();
    paste(panel().txtdx(), " 0.2\r\n");
    EXPECT_EQ(panel().txtdx()->text(), "0.2");
    EXPECT_EQ(panel().txtDt()->text(), "200");
    paste(panel().txtOff(), "-500");
    paste(panel().cbTax()->lineEdit(), "10%");
    EXPECT_EQ(doc().pageEnd().taxRate, "10%");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    // Text dropped from another program is a paste too.
    const auto drop = [](QLineEdit* into, const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(into, &enter);
        QDropEvent event(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(into, &event);
    };
    drop(panel().txtOff(), "2\n3");
    EXPECT_EQ(doc().pageEnd().discount, "-500");
    EXPECT_EQ(prompts.lastMessageText(), "此欄只能輸入數字");
    panel().txtOff()->clear();
    drop(panel().txtOff(), "-300\n");
    EXPECT_EQ(doc().pageEnd().discount, "-300");
    prompts.clear();

    // Letters typed into the discount are refused as they come, without a word; undoing stays free.
    retype(panel().txtOff(), "ab");
    EXPECT_EQ(doc().pageEnd().discount, "");
    retype(panel().txtOff(), "-3");
    QTest::keyClick(panel().txtOff(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(panel().txtOff(), "5");
    QTest::keyClick(panel().txtOff(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().pageEnd().discount, "-3");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(QuotationWindowTest, PageEndRemarksAndTitlesReachTheQuotationAndRefusedTextIsUndone)
{
    QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    retype(panel().cbPe(2)->lineEdit(), "工期30天");
    EXPECT_EQ(doc().pageEnd().remarks[2], "工期30天");

    // The fee line is stored with "," between its fields: the comma is refused and dropped.
    retype(panel().tD(), "設計,規劃費");
    EXPECT_EQ(doc().pageEnd().design.title, "設計規劃費");
    EXPECT_EQ(panel().tD()->text(), "設計規劃費");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(QuotationWindowTest, APageEndComboHoldsWhatItShowsWhenItsListMatchesTheTyping)
{
    openPanel("1", "1000");
    // A remark the box completes from its phrases is the remark kept, left by Tab or saved.
    QComboBox* remark = panel().cbPe(0);
    retype(remark->lineEdit(), "本");
    EXPECT_EQ(remark->currentText(), "本報價有效期限三十天");
    EXPECT_EQ(doc().pageEnd().remarks[0], "本報價有效期限三十天");
    QTest::keyClick(remark, Qt::Key_Tab);
    EXPECT_EQ(remark->currentText(), "本報價有效期限三十天");
    ASSERT_TRUE(doc().saveTo(file("remark.vrn")));
    ASSERT_TRUE(doc().mOpen_Click(file("remark.vrn")));
    EXPECT_EQ(doc().pageEnd().remarks[0], "本報價有效期限三十天");
    // Typed on past the phrase, the remark is what was typed.
    retype(remark->lineEdit(), "本月");
    EXPECT_EQ(doc().pageEnd().remarks[0], "本月");

    // The tax rate box shows the rate as typed, never a rate of its list ("5%", "120%") that
    // only begins with it while the typed number is what counts.
    QLineEdit* rate = panel().cbTax()->lineEdit();
    for (const char* typed : {"5", "1", "12"}) {
        retype(rate, typed);
        EXPECT_EQ(rate->text(), typed);
        EXPECT_EQ(doc().pageEnd().taxRate, typed);
    }
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel().cbTax()->currentText(), "1200%");
    EXPECT_EQ(panel().lbTax()->text(), "12000");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(QuotationWindowTest, ThePageEndShowsValuesLoadedIntoTheQuotation)
{
    VrnContent c;
    c.leafPaths = QStringList{Q};
    c.rows.push_back(ItemLine{});
    PageEndValues& v = c.pageEnd;
    v.remarks[4] = "付款方式";
    v.design.checked = CheckState::Checked;
    v.design.byTotal = false;
    v.design.amount = "60000";
    v.taxChecked = CheckState::Greyed;
    v.untaxed = "1";
    doc().load(c, file("x.vrn"));
    EXPECT_EQ(panel().cbPe(4)->currentText(), "付款方式");
    EXPECT_TRUE(panel().ckD()->isChecked());
    EXPECT_TRUE(panel().Dop2()->isChecked());
    EXPECT_EQ(panel().txtDt()->text(), "60000");
    EXPECT_EQ(panel().ckTax()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(panel().lbNtax()->text(), "1");
    // A click on the greyed box takes it out of the third state.
    QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    QTest::mouseClick(panel().ckTax(), Qt::LeftButton);
    EXPECT_EQ(doc().pageEnd().taxChecked, CheckState::Checked);
    EXPECT_FALSE(panel().ckTax()->isTristate());
}

// ---- 品名加入施工資料庫 ----------------------------------------------------------------------

TEST_F(QuotationWindowTest, NewItemNamesFollowTheLargestOrderNumberAndKnownOnesAreListed)
{
    db().execute("DELETE FROM t2w");
    // Another work type's item does not count.
    for (const QVariantList& row : {QVariantList{"木作", "天花板", 7}, {"木作", "踢腳板", 3}, {"木作", "PVC 地板", 1},
                                    {"油漆", "隔間", 20}})
        db().execute("insert into t2w (t, w, sort, u, c, s) values (?, ?, ?, '式', 1, 1)", row);
    ASSERT_TRUE(doc().AddChildNodes(Q, {"客廳"}, false));
    ASSERT_TRUE(doc().AddChildNodes(LeafPath({"客廳"}), {"木作"}, true));
    setRows({{"天花板", "坪", "1200", "1.3"},
             {"隔間", "式", "3000元", "1.25倍"},
             {"", "", "", ""},   // an empty row is neither added nor listed
             {"系統櫃", "", "abc", ""},
             {"隔間", "尺", "1", "1"},   // met twice: added once, then listed
             {"pvc 地板", "坪", "1", "1"}});   // differing only in case: another item

    EXPECT_TRUE(additions().mAdd2W_Click());
    EXPECT_EQ(lexicon("木作"), (QStringList{"PVC 地板 1 式 1 1", "踢腳板 3 式 1 1", "天花板 7 式 1 1",
                                             "隔間 8 式 3000 1.25", "系統櫃 9  0 0", "pvc 地板 10 坪 1 1"}));
    ASSERT_NE(additions().dialog(), nullptr);
    EXPECT_EQ(additions().dialog()->listedNames(), (QStringList{"天花板", "隔間"}));
    EXPECT_EQ(additions().dialog()->countText(), "總共加入3筆");
}

TEST_F(QuotationWindowTest, ItemNamesOfAWorkTypeWithoutItemsNumberFromOneAndQuotesAreStoredAsTyped)
{
    db().execute("DELETE FROM t2w");
    ASSERT_TRUE(doc().AddChildNodes(Q, {"木作"}, true));   // no-area mode: the work type stands under the root
    setRows({{"O'Neil's 櫃", "組", "5", "1"}, {"\"雙\"門", "組", "6", "1"}});
    EXPECT_TRUE(additions().mAdd2W_Click());
    EXPECT_EQ(lexicon("木作"), (QStringList{"O'Neil's 櫃 1 組 5 1", "\"雙\"門 2 組 6 1"}));

    // A second run finds both, lists only them, and counts nothing.
    EXPECT_FALSE(additions().mAdd2W_Click());
    EXPECT_EQ(lexicon("木作").size(), 2);
    EXPECT_EQ(additions().dialog()->listedNames(), (QStringList{"O'Neil's 櫃", "\"雙\"門"}));
    EXPECT_EQ(additions().dialog()->countText(), "總共加入0筆");

    // An append that fails half-way adds nothing.
    setRows({{"甲", "組", "1", "1"}, {"乙", "組", "1", "1"}});
    db().execute("create trigger refuse_b before insert on t2w when new.w = '乙' "
                "begin select raise(abort, 'refused'); end");
    EXPECT_FALSE(additions().mAdd2W_Click());
    EXPECT_EQ(lexicon("木作").size(), 2);
    EXPECT_TRUE(prompts.lastMessageText().startsWith("品名加入失敗"));
}

TEST_F(QuotationWindowTest, ItemNamesAreAddedOnlyAtAWorkTypeLeaf)
{
    db().execute("DELETE FROM t2w");
    ASSERT_TRUE(doc().AddChildNodes(Q, {"客廳", "臥室"}, false));
    ASSERT_TRUE(doc().AddChildNodes(LeafPath({"臥室"}), {"木作"}, true));
    // An area without work types (its name is no work type), an area with them, the root.
    doc().tv_NodeClick(LeafPath({"客廳"}));
    setRows({{"天花板", "坪", "1", "1"}});
    EXPECT_FALSE(additions().mAdd2W_Click());
    EXPECT_EQ(additions().dialog(), nullptr);
    doc().tv_NodeClick(LeafPath({"臥室"}));
    EXPECT_FALSE(additions().mAdd2W_Click());
    doc().selectRoot();
    EXPECT_FALSE(additions().mAdd2W_Click());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(db().openRecordset("select count(*) from t2w").value(0).toInt(), 0);

    // A work type added below a work type is a work type too.
    ASSERT_TRUE(doc().AddChildNodes(LeafPath({"臥室", "木作"}), {"門框"}, true));
    EXPECT_EQ(LexiconAdditions::targetWorkType(doc()), "門框");
    setRows({{"門檔", "支", "1", "1"}});
    EXPECT_TRUE(additions().mAdd2W_Click());
    EXPECT_EQ(lexicon("門框"), QStringList{"門檔 1 支 1 1"});
}

} // namespace
} // namespace varn::test
