#include "ShellFixture.h"

#include "app/widgets/ApplicationSetup.h"
#include "app/widgets/Shell.h"
#include "app/widgets/WindowHooks.h"
#include "lexicon/widgets/frmEng.h"
#include "platform/grid/widgets/GridView.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/frmQ.h"
#include "records/CustomerRegister.h"
#include "records/widgets/frmCus.h"
#include "records/widgets/frmPrv.h"
#include "records/widgets/frmSta.h"
#include "shared/ProgramState.h"
#include "shared/setup/SeedData.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// The shell with every window hooked up, signed in as the superuser at its menu.
class WindowsTest : public ShellFixture {
protected:
    void startSignedIn(Shell& shell)
    {
        ConnectWindows(shell);
        shell.start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return shell.login() != nullptr; }, 5000));
        shell.login()->txtUserName()->setText(u"varn"_s);
        shell.login()->txtPassword()->setText(QString(kFirstSuperPassword));
        shell.login()->cmdOK_Click();
        ASSERT_NE(shell.menu(), nullptr);
        EXPECT_TRUE(shell.menu()->isVisible());
    }
};

TEST_F(WindowsTest, LoginEnterKeysFailureSuccessAndCancel)
{
    frmLogin login;
    ASSERT_TRUE(login.databaseOpen());
    login.show();
    QApplication::setActiveWindow(&login);
    login.txtUserName()->setFocus();
    QTest::keyClicks(login.txtUserName(), u"varn"_s);
    login.txtPassword()->setText(u"old"_s);
    QTest::keyClick(login.txtUserName(), Qt::Key_Return);
    EXPECT_TRUE(login.txtPassword()->hasFocus());
    EXPECT_EQ(login.txtPassword()->selectedText(), u"old"_s);

    // Enter on the focused 確定 signs in as a click does; a failure selects the name for
    // retyping. Titles are exactly their own.
    SetUpApplication(*qApp);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    login.cmdOK()->setFocus();
    QTest::keyClick(login.cmdOK(), Qt::Key_Return);
    EXPECT_EQ(prompts.lastMessageTitle(), u"登入"_s);
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(login.txtUserName()->selectedText(), u"varn"_s);

    QSignalSpy signedIn(&login, &frmLogin::signedIn);
    login.txtPassword()->setText(QString(kFirstSuperPassword));
    QTest::keyClick(login.txtPassword(), Qt::Key_Return);
    EXPECT_EQ(signedIn.count(), 1);
    EXPECT_FALSE(login.isVisible());
    EXPECT_FALSE(endCode.has_value());

    frmLogin second;
    second.show();
    second.cmdCancel()->click();
    EXPECT_TRUE(endCode.has_value());
    EXPECT_FALSE(second.isVisible());
}

TEST_F(WindowsTest, SplashAsksForTheLoginOnceAndTheMenuOpensEveryRegister)
{
    frmSplash splash;
    QSignalSpy wanted(&splash, &frmSplash::showLoginRequested);
    ASSERT_TRUE(wanted.wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(wanted.count(), 1);

    Shell shell;
    startSignedIn(shell);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell.splash() == nullptr; }, 5000));
    prompts.clear();
    shell.menu()->button(MenuButton::Settings)->click();
    ASSERT_NE(shell.settings(), nullptr);
    EXPECT_TRUE(shell.settings()->isVisible());
    shell.menu()->button(MenuButton::Vendors)->click();
    QPointer<frmPrv> vendors = frmPrv::existing();
    ASSERT_NE(vendors, nullptr);
    EXPECT_FALSE(vendors->isModal());
    shell.menu()->button(MenuButton::Employees)->click();
    QPointer<frmSta> employees = frmSta::existing();
    ASSERT_NE(employees, nullptr);
    EXPECT_TRUE(employees->isVisible());
    // 工程資料&詞庫 again brings back a lexicon window that was minimised from maximised.
    shell.menu()->button(MenuButton::Lexicon)->click();
    QPointer<frmEng> lexicon = frmEng::existing();
    ASSERT_NE(lexicon, nullptr);
    lexicon->setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
    shell.menu()->button(MenuButton::Lexicon)->click();
    EXPECT_EQ(frmEng::existing(), lexicon.data());
    EXPECT_TRUE(lexicon->isVisible());
    EXPECT_EQ(lexicon->windowState(), Qt::WindowNoState);
    for (const PromptRecord& asked : prompts.asked(PromptKind::Message))
        EXPECT_FALSE(asked.text.contains(u"尚未提供"_s)) << asked.text.toStdString();
    // Every password box hides what is typed behind the same character.
    frmLogin login;
    QSet<QString> echoes;
    for (QWidget* w : {static_cast<QWidget*>(&login), static_cast<QWidget*>(shell.settings()),
                       static_cast<QWidget*>(employees.data())}) {
        for (QLineEdit* box : w->findChildren<QLineEdit*>()) {
            if (box->echoMode() == QLineEdit::Password) {
                box->setText(u"ab"_s);
                echoes << box->displayText();
            }
        }
    }
    EXPECT_EQ(echoes, QSet<QString>{u"**"_s});
    delete vendors.data();
    delete employees.data();
    delete lexicon.data();
}

// The quotation window from the menu; every end of the program asks the open windows first.
TEST_F(WindowsTest, MenuOpensTheQuotationWindowAndEveryEndAsksTheOpenWindowsFirst)
{
    Shell shell;
    startSignedIn(shell);

    // The window reads the print ranges as it loads: a missing Xp.ini is said once.
    ASSERT_TRUE(QFile::remove(QDir(programFolder()).filePath(u"Xp.ini"_s)));
    prompts.clear();
    shell.menu()->button(MenuButton::Quotation)->click();
    QPointer<frmQ> q = frmQ::existing();
    ASSERT_NE(q, nullptr);
    EXPECT_TRUE(q->isVisible());
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"Xp.ini"_s));
    EXPECT_TRUE(q->action(u"mSaveAs"_s)->isEnabled());   // the file commands came with it
    // Nothing opens under the menu strip: neither the maximised window nor a dialog.
    const QRect strip = shell.menu()->frameGeometry();
    EXPECT_FALSE(q->frameGeometry().intersects(strip));
    QDialog dialog;
    dialog.setGeometry(strip.translated(-20, 0));
    dialog.show();
    EXPECT_FALSE(dialog.frameGeometry().intersects(strip));
    q->quotation().setHeaderField(HeaderField::SiteAddress, u"台北市"_s);
    ASSERT_TRUE(q->quotation().isModified());

    // The database has gone when 系統設定 opens it again, and the prompt for it is
    // cancelled: the end that follows asks about the quotation, and Cancel keeps it.
    const QByteArray mdbpath = readFile(u"Mdbpath.ini"_s);
    writeFile(u"Mdbpath.ini"_s, QDir(programFolder()).filePath(u"gone"_s).toUtf8() + "\r\n");
    prompts.clear();
    prompts.answerInput(std::nullopt);
    prompts.answerMessage(PromptButton::Ok);
    prompts.answerMessage(PromptButton::Cancel);
    shell.menu()->button(MenuButton::Settings)->click();
    EXPECT_EQ(prompts.lastMessageText(), u"是否儲存報價單 ?"_s);
    EXPECT_FALSE(endCode.has_value());
    ASSERT_TRUE(q && q->isVisible());
    EXPECT_TRUE(q->quotation().isModified());
    writeFile(u"Mdbpath.ini"_s, mdbpath);

    // 結束 while a customer is being added: the register asks its own question too.
    shell.menu()->button(MenuButton::Customers)->click();
    QPointer<frmCus> customers = frmCus::existing();
    ASSERT_NE(customers, nullptr);
    customers->cmdAdd_Click();
    prompts.clear();
    prompts.answerMessage(PromptButton::Yes);   // 是否要結束瓦恩工房?
    prompts.answerMessage(PromptButton::No);    // 是否儲存報價單 ?
    prompts.answerMessage(PromptButton::No);    // the register's question: keep the record
    shell.menu()->button(MenuButton::Exit)->click();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_FALSE(endCode.has_value());
    ASSERT_TRUE(customers && customers->isVisible());

    // With the register closed, 結束 and No at the save question end the program.
    customers->customers().cancel();
    customers->close();
    delete customers.data();
    prompts.answerMessage(PromptButton::Yes);
    prompts.answerMessage(PromptButton::No);
    shell.menu()->button(MenuButton::Exit)->click();
    EXPECT_TRUE(endCode.has_value());
    EXPECT_EQ(prompts.unexpected(), 0);
}

class SettingsWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(u"E01"_s, u"張三"_s, u"Zhang"_s, u"p"_s, 0);
        signInSuperuser();
    }
};

TEST_F(SettingsWindowTest, LoadFillsEveryPartAndTheBoxesTakeInput)
{
    db().execute(u"UPDATE company SET coe = ?"_s, {u"a@b.tw"_s});
    state().m.gAutoSave = true;
    state().m.gAutoSaveMin = 3;
    frmSet set;
    EXPECT_EQ(set.companyBox(5)->text(), u"a@b.tw"_s);
    EXPECT_EQ(set.txtAutosv()->text(), u"3"_s);
    EXPECT_FALSE(set.cmdCp()->isEnabled());

    // Typing an old password unlocks the change boxes; it is checked once, at 變更.
    set.opstxt()->setText(u"wrong"_s);
    EXPECT_TRUE(set.npstxt()->isEnabled());
    set.npstxt()->setText(u"new"_s);
    set.cpstxt()->setText(u"new"_s);
    set.cmdCp()->click();
    EXPECT_EQ(prompts.lastMessageText(), u"原始密碼錯誤，密碼未變更"_s);
    set.opstxt()->clear();
    EXPECT_FALSE(set.cmdCp()->isEnabled());

    // At its opening size the grid shows its last column whole.
    set.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&set));
    EXPECT_LE(set.hfgSec()->cellRect(1, 13).right(), set.hfgSec()->viewport()->geometry().right());

    set.resize(1600, 700);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&set));
    // Every heading of the rights grid shows whole in the grid's font, a merged one over
    // its two columns, with room on both sides.
    const GridModel& g = set.rightsGrid();
    const QFontMetrics fm(set.hfgSec()->font());
    for (int col = 1; col <= 13; ++col) {
        const QString title = g.textMatrix(0, col);
        if (col > 2 && g.textMatrix(0, col - 1) == title)
            continue;
        int width = set.hfgSec()->cellRect(1, col).width();
        if (col < 13 && g.textMatrix(0, col + 1) == title)
            width += set.hfgSec()->cellRect(1, col + 1).width();
        EXPECT_GE(width, fm.horizontalAdvance(title) + 8) << title.toStdString();
        EXPECT_GE(set.hfgSec()->cellRect(1, col).width(), fm.horizontalAdvance(g.textMatrix(1, col)) + 8) << col;
    }
    set.txtAutosv()->clear();
    QTest::keyClicks(set.txtAutosv(), u"1a2-"_s);
    EXPECT_EQ(set.txtAutosv()->text(), u"12"_s);
}

} // namespace
} // namespace varn::test
