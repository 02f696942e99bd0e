// The extras on a real quotation window: a quotation with a page end saved, the window
// closed and opened again, the file reopened from the recent list; the customer pick;
// autosave at the interval of the settings.
#include "quotation/widgets/WindowFixture.h"

#include "platform/text/Cp950.h"
#include "quotation/widgets/QuotationFileCommands.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmPe.h"
#include "records/CustomerRecord.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace varn::test {
namespace {

class QuotationWindowTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        openDatabase();
        QuotationWindowExtras::setCustomerPicker({});
        openWindow();
    }
    void TearDown() override
    {
        delete window.data();
        QuotationWindowExtras::setCustomerPicker({});
        QuotationTest::TearDown();
    }

    void openWindow()
    {
        delete window.data();
        window = new frmQ;
        extras = QuotationWindowExtras::attach(*window, [this] { return now; });
        window->show();
    }

    Quotation& q() { return window->quotation(); }
    frmPe& panel() { return extras->pageEnd(); }

    QPointer<frmQ> window;
    QuotationWindowExtras* extras = nullptr;
    qint64 now = 0;
};

TEST_F(QuotationWindowTest, AQuotationWithItsPageEndComesBackFromTheRecentList)
{
    ASSERT_TRUE(q().AddChildNodes(Q, {"木作"}, true));
    q().tv_NodeClick(path({"木作"}));
    ASSERT_TRUE(q().setCellText(1, QCol::Name, "天花板"));
    ASSERT_TRUE(q().cellEdited(1, QCol::Qty, "10"));
    ASSERT_TRUE(q().cellEdited(1, QCol::Price, "1200"));
    retype(window->txtNo(), "1120301_1");
    retype(window->txtCn(), "林'宅");
    db->execute("INSERT INTO 客戶 (客戶編號, 客戶名稱, 電話1, 連絡人) VALUES ('C001', ?, '02;2345', '林太太')",
                {q().header().customerName});

    // The page end: a design fee of 30 坪 at 2000, tax at 5%.
    QTest::mouseClick(window->cmdPe(), Qt::LeftButton);
    EXPECT_EQ(window->cmdPe()->text(), "頁尾備註 <<");
    QTest::mouseClick(panel().ckD(), Qt::LeftButton);
    QTest::mouseClick(panel().Dop2(), Qt::LeftButton);
    retype(panel().txtDp(), "30");
    retype(panel().txtdx(), "2000");
    EXPECT_EQ(panel().lbApr()->text(), "75600");
    const PageEndValues pageEnd = q().pageEnd();

    prompts.answerSaveFile(file("林宅"));
    window->action("mSaveAs")->trigger();
    const QString saved = file("林宅.vrn");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + saved);
    EXPECT_EQ(window->action("mRF0")->text(), saved);
    EXPECT_FALSE(window->action("mRF1")->isVisible());

    ASSERT_TRUE(window->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(ReadCp950Lines(file("Of.ini")), QStringList{saved});

    openWindow();
    ASSERT_TRUE(window->action("mRF0")->isVisible());
    window->action("mRF0")->trigger();
    EXPECT_EQ(prompts.unexpected(), 0);
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + saved);
    EXPECT_EQ(window->txtNo()->text(), "1120301_1");
    EXPECT_EQ(window->lbConn()->text(), "林太太");   // the register gives back what the file does not hold
    EXPECT_EQ(window->lbCtel()->text(), "02 2345");
    EXPECT_EQ(q().hfgQ().textMatrix(1, QCol::Amount), "12000");
    EXPECT_EQ(q().pageEnd(), pageEnd);
    EXPECT_TRUE(panel().ckD()->isChecked());
    EXPECT_TRUE(panel().Dop2()->isChecked());
    EXPECT_EQ(panel().lbd()->text(), "坪");
    EXPECT_EQ(panel().txtDp()->text(), "30");
    EXPECT_EQ(panel().txtDt()->text(), "60000");
    EXPECT_EQ(panel().lbApr()->text(), "75600");
}

TEST_F(QuotationWindowTest, TheCustomerPickFillsTheHeader)
{
    EXPECT_FALSE(window->cmdC()->isEnabled());   // no register to pick from
    int shown = 0;
    QuotationWindowExtras::setCustomerPicker([&shown](QWidget*) {
        ++shown;
        EXPECT_TRUE(state().m.gPickCustomer);
        EXPECT_FALSE(state().m.gCustomerPicked);
        HandBackCustomer(CustomerPick{"林先生", "台北市信義路一段1號", "0223456789", "0223456780", "林太太"});
        return true;
    });
    openWindow();
    ASSERT_TRUE(window->cmdC()->isEnabled());
    QTest::mouseClick(window->cmdC(), Qt::LeftButton);
    EXPECT_EQ(shown, 1);
    const QStringList header{window->txtCn()->text(), window->cbEcn()->currentText(), window->txtAddr()->text(),
                             window->lbConn()->text(), window->lbCtel()->text(), q().header().fax};
    EXPECT_EQ(header, (QStringList{"林先生", "林先生", "台北市信義路一段1號", "林太太", "0223456789", "0223456780"}));

    // Closed without 傳回報價單: the header keeps its values.
    QuotationWindowExtras::setCustomerPicker([](QWidget*) { return false; });
    state().m.gCusName = "別人";
    extras->cmdC_Click();
    EXPECT_EQ(window->txtCn()->text(), "林先生");
    EXPECT_EQ(window->lbConn()->text(), "林太太");
}

TEST_F(QuotationWindowTest, AProjectKindFollowsTheCustomerAndTheCalendarWritesAnRocDate)
{
    db->execute("insert into 案 (sort, 案) values (1, '住宅新建'), (2, '店面裝修')");
    db->execute("insert into ps (sort, ps) values (1, '保固一年')");
    db->execute("insert into sc (sort, sc) values (1, 0.05), (2, 0.1)");
    openWindow();
    retype(window->txtCn(), "林先生");
    window->cbEcn()->setFocus();
    window->cbEcn()->showPopup();
    QTest::keyClick(window->cbEcn()->view(), Qt::Key_Down);
    QTest::keyClick(window->cbEcn()->view(), Qt::Key_Return);
    EXPECT_EQ(window->cbEcn()->currentText(), "林先生店面裝修");
    EXPECT_EQ(q().header().projectName, "林先生店面裝修");

    auto* dtp = window->findChild<QDateEdit*>("DTP");
    ASSERT_NE(dtp, nullptr);
    emit dtp->calendarWidget()->clicked(QDate(2003, 2, 9));
    EXPECT_EQ(window->txtQD()->text(), "92/02/09");
    EXPECT_EQ(q().header().quoteDate, "92/02/09");

    // The panel offers the lists the window loaded.
    EXPECT_EQ(panel().cbPe(4)->count(), 1);
    EXPECT_EQ(panel().cbTax()->itemText(1), "10%");
}

TEST_F(QuotationWindowTest, AutosaveWritesAtTheIntervalOfTheSettings)
{
    state().m.gAutoSave = true;
    state().m.gAutoSaveMin = 3;
    openWindow();
    QuotationAutosave& autosave = extras->files().autosave();
    EXPECT_TRUE(autosave.isRunning());
    ASSERT_TRUE(q().AddChildNodes(Q, {"木作"}, true));
    ASSERT_TRUE(q().setCellText(1, QCol::Name, "天花板"));

    now = 3 * 60000 - 1;
    EXPECT_EQ(autosave.tick(), QuotationAutosave::Outcome::NotDue);
    now = 3 * 60000;
    EXPECT_EQ(autosave.tick(), QuotationAutosave::Outcome::Saved);
    EXPECT_TRUE(QFile::exists(file("autosave.vrn")));
    EXPECT_EQ(q().shownPath(), path({"木作"}));
    EXPECT_EQ(window->windowTitle(), "報價系統\t- 新報價單");
    EXPECT_FALSE(window->action("mRF0")->isVisible());
}

} // namespace
} // namespace varn::test
