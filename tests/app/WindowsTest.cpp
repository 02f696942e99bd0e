#include "ShellFixture.h"

#include "app/widgets/Shell.h"
#include "platform/grid/widgets/GridView.h"
#include "shared/ProgramState.h"
#include "shared/setup/SeedData.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace varn::test {

namespace {

using WindowsTest = ShellFixture;

TEST_F(WindowsTest, SplashShowsVersionAndAsksForTheLoginOnce)
{
    frmSplash splash;
    EXPECT_TRUE(splash.l()->text().startsWith(QStringLiteral("Version: ")));
    EXPECT_TRUE(splash.l()->text().endsWith(QStringLiteral(".5 網路版")));
    EXPECT_TRUE(splash.lb()->text().startsWith(QStringLiteral("Build: ")));
    QSignalSpy wanted(&splash, &frmSplash::showLoginRequested);
    ASSERT_TRUE(wanted.wait(5000));
    EXPECT_FALSE(splash.Timer1()->isActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(wanted.count(), 1);
}

TEST_F(WindowsTest, LoginEnterKeysAndSuccess)
{
    frmLogin login;
    ASSERT_TRUE(login.databaseOpen());
    EXPECT_EQ(login.windowTitle(), QStringLiteral("登入"));
    EXPECT_EQ(login.txtPassword()->echoMode(), QLineEdit::Password);
    login.show();
    QApplication::setActiveWindow(&login);
    login.txtUserName()->setFocus();
    QTest::keyClicks(login.txtUserName(), QStringLiteral("varn"));
    login.txtPassword()->setText(QStringLiteral("old"));
    QTest::keyClick(login.txtUserName(), Qt::Key_Return);
    EXPECT_TRUE(login.txtPassword()->hasFocus());
    EXPECT_EQ(login.txtPassword()->selectedText(), QStringLiteral("old"));

    QSignalSpy signedIn(&login, &frmLogin::signedIn);
    login.txtPassword()->setText(QString(kFirstSuperPassword));
    QTest::keyClick(login.txtPassword(), Qt::Key_Return);
    EXPECT_EQ(signedIn.count(), 1);
    EXPECT_FALSE(login.isVisible());
    EXPECT_FALSE(endCode.has_value());
}

TEST_F(WindowsTest, LoginFailureSelectsTheNameAndCancelEnds)
{
    frmLogin login;
    login.show();
    login.txtUserName()->setText(QStringLiteral("varn"));
    login.txtPassword()->setText(QStringLiteral("nope"));
    login.cmdOK()->click();
    EXPECT_TRUE(login.isVisible());
    EXPECT_EQ(login.txtUserName()->selectedText(), QStringLiteral("varn"));
    EXPECT_EQ(state().m.gLoginFailures, 1);
    login.cmdCancel()->click();
    EXPECT_TRUE(endCode.has_value());
    EXPECT_FALSE(login.isVisible());
}

class SettingsWindowTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(QStringLiteral("E01"), QStringLiteral("張三"), QStringLiteral("Zhang"), QStringLiteral("p"), 0);
        openMainDb();
        ASSERT_EQ(SignIn::attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)),
                  SignInResult::Superuser);
        prompts.clear();
    }
};

TEST_F(SettingsWindowTest, LoadFillsEveryPart)
{
    db().execute(QStringLiteral("UPDATE company SET con = ?, coe = ?"),
                 {QStringLiteral("瓦恩工房"), QStringLiteral("a@b.tw")});
    state().m.gAutoSave = true;
    state().m.gAutoSaveMin = 3;
    frmSet set;
    EXPECT_EQ(set.windowTitle(), QStringLiteral("系統設定"));
    EXPECT_EQ(set.SSTab()->count(), 2);
    EXPECT_EQ(set.rightsGrid().textMatrix(2, 1), QStringLiteral("張三"));
    EXPECT_EQ(set.companyBox(0)->text(), QStringLiteral("瓦恩工房"));
    EXPECT_EQ(set.companyBox(5)->text(), QStringLiteral("a@b.tw"));
    EXPECT_EQ(set.txtMdbPath()->text(), state().m.gMdbPath);
    EXPECT_TRUE(set.ckAutosv()->isChecked());
    EXPECT_EQ(set.txtAutosv()->text(), QStringLiteral("3"));
    EXPECT_FALSE(set.cmdCp()->isEnabled());
    EXPECT_EQ(prompts.asked().size(), 0u);

    // The old password unlocks the change boxes.
    set.opstxt()->setText(QString(kFirstSuperPassword));
    EXPECT_TRUE(set.npstxt()->isEnabled());
    EXPECT_TRUE(set.cmdCp()->isEnabled());
}

TEST_F(SettingsWindowTest, IntervalBoxTakesDigitsOnly)
{
    frmSet set;
    set.show();
    set.txtAutosv()->clear();
    QTest::keyClicks(set.txtAutosv(), QStringLiteral("1a2-"));
    EXPECT_EQ(set.txtAutosv()->text(), QStringLiteral("12"));
    QTest::keyClick(set.txtAutosv(), Qt::Key_Backspace);
    EXPECT_EQ(set.txtAutosv()->text(), QStringLiteral("1"));
}

TEST_F(SettingsWindowTest, ClickOnTheGridMarksTheCell)
{
    frmSet set;
    set.resize(1200, 700);
    set.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&set));
    GridView* view = set.hfgSec();
    const QRect cell = view->cellRect(2, 5);
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->viewport()->mapFrom(view, cell.center()));
    EXPECT_EQ(set.rightsGrid().textMatrix(2, 5), QStringLiteral("★"));
    EXPECT_EQ(set.rightsGrid().textMatrix(2, 6), QStringLiteral("★"));
}

TEST_F(WindowsTest, ShellOpensTheMenuAfterSignIn)
{
    Shell shell;
    shell.start();
    QSignalSpy menuShown(&shell, &Shell::menuShown);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shell.login() != nullptr; }, 5000));
    shell.login()->txtUserName()->setText(QStringLiteral("varn"));
    shell.login()->txtPassword()->setText(QString(kFirstSuperPassword));
    shell.login()->cmdOK_Click();
    ASSERT_EQ(menuShown.count(), 1);
    ASSERT_NE(shell.menu(), nullptr);
    EXPECT_TRUE(shell.menu()->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell.splash() == nullptr; }, 5000));
    // 系統設定 is hooked up by the shell itself.
    shell.menu()->button(MenuButton::Settings)->click();
    ASSERT_NE(shell.settings(), nullptr);
    EXPECT_TRUE(shell.settings()->isVisible());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

} // namespace

} // namespace varn::test
