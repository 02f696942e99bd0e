#include "ShellFixture.h"

#include "app/MainMenu.h"
#include "app/widgets/frmMenu.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QToolButton>

#include <set>

namespace varn::test {

namespace {

const std::set<MenuButton> windowButtons{MenuButton::Quotation, MenuButton::Customers,
                                         MenuButton::Vendors,   MenuButton::Employees,
                                         MenuButton::Lexicon,   MenuButton::Settings};

std::set<MenuButton> enabledWindowButtons(int rights)
{
    std::set<MenuButton> on;
    for (MenuButton b : windowButtons) {
        if (MenuButtonEnabled(b, rights))
            on.insert(b);
    }
    return on;
}

TEST(MenuRights, WholeWordsEnableAsExpected)
{
    EXPECT_EQ(enabledWindowButtons(0), std::set<MenuButton>{});
    EXPECT_EQ(enabledWindowButtons(4095), windowButtons);
    EXPECT_EQ(enabledWindowButtons(1 << 4), std::set<MenuButton>{MenuButton::Customers});
    // Prices and costs visible act only inside the quotation window.
    EXPECT_EQ(enabledWindowButtons(0b11), std::set<MenuButton>{});
    for (int rights : {0, 3, 16, 4095}) {
        EXPECT_TRUE(MenuButtonEnabled(MenuButton::Exit, rights));
        EXPECT_TRUE(MenuButtonEnabled(MenuButton::Hide, rights));
    }
}

TEST(MenuRights, EachBitOpensItsOwnWindow)
{
    const std::vector<std::pair<int, MenuButton>> table{
        {2, MenuButton::Quotation}, {3, MenuButton::Customers}, {4, MenuButton::Customers},
        {5, MenuButton::Vendors},   {6, MenuButton::Vendors},   {7, MenuButton::Employees},
        {8, MenuButton::Employees}, {9, MenuButton::Lexicon},   {10, MenuButton::Lexicon},
        {11, MenuButton::Settings},
    };
    for (const auto& [bit, button] : table)
        EXPECT_EQ(enabledWindowButtons(1 << bit), std::set<MenuButton>{button}) << "bit " << bit;
}

using MenuControllerTest = ShellFixture;

TEST_F(MenuControllerTest, ButtonOpensItsRegisteredWindow)
{
    MenuController menu(4095);
    int opened = 0;
    menu.setWindowOpener(MenuButton::Vendors, [&] { ++opened; });
    menu.click(MenuButton::Vendors);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(prompts.asked().size(), 0u);

    // A button the rights forbid does nothing.
    MenuController viewer(1 << 4);
    viewer.setWindowOpener(MenuButton::Vendors, [&] { ++opened; });
    viewer.click(MenuButton::Vendors);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(prompts.asked().size(), 0u);
}

TEST_F(MenuControllerTest, MissingWindowSaysSoInsteadOfPretending)
{
    MenuController menu(4095);
    menu.click(MenuButton::Lexicon);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().contains(QStringLiteral("工程資料&詞庫")));
}

TEST_F(MenuControllerTest, CustomerRegisterOpensForBrowsing)
{
    MenuController menu(1 << 4);
    state().m.gPickCustomer = true;
    bool pickWhenOpened = true;
    menu.setWindowOpener(MenuButton::Customers, [&] { pickWhenOpened = state().m.gPickCustomer; });
    menu.click(MenuButton::Customers);
    EXPECT_FALSE(pickWhenOpened);
}

TEST_F(MenuControllerTest, ExitAnsweredNoKeepsEverything)
{
    MenuController menu(0);
    int closeAsked = 0;
    menu.setQuotationCloser([&] { ++closeAsked; return true; });
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(menu.exitClicked());
    EXPECT_EQ(closeAsked, 0);
    EXPECT_FALSE(endCode.has_value());
    const PromptRecord& q = *prompts.last();
    EXPECT_EQ(q.text, QStringLiteral("是否要結束瓦恩工房?"));
    EXPECT_EQ(q.icon, PromptIcon::Question);
    EXPECT_EQ(q.buttons, PromptButtons::YesNo);
    EXPECT_EQ(q.defaultButton, PromptButton::No);
    EXPECT_EQ(q.title, QStringLiteral("Varn III"));
}

TEST_F(MenuControllerTest, QuotationThatStaysOpenKeepsTheProgramRunning)
{
    MenuController menu(0);
    menu.setQuotationCloser([] { return false; });
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_FALSE(menu.exitClicked());
    EXPECT_FALSE(endCode.has_value());
    // Closing by other means asks nothing but still respects the quotation window.
    EXPECT_FALSE(menu.closeRequested());
    EXPECT_FALSE(endCode.has_value());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(MenuControllerTest, LoadAutoSaveReadsAutoIni)
{
    WriteAutoFile(programFolder(), AutoSaveSettings{true, QStringLiteral("5")});
    LoadAutoSave();
    EXPECT_TRUE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 5);

    writeFile(QStringLiteral("Auto.ini"), "1 \r\n\r\n");
    LoadAutoSave();
    EXPECT_FALSE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 0);

    ASSERT_TRUE(QFile::remove(QDir(programFolder()).filePath(QStringLiteral("Auto.ini"))));
    state().m.gAutoSave = true;
    LoadAutoSave();
    EXPECT_FALSE(state().m.gAutoSave);
}

using MenuWindowTest = ShellFixture;

TEST_F(MenuWindowTest, ButtonsFollowTheRights)
{
    frmMenu menu(1 << 4);
    EXPECT_EQ(menu.windowTitle(), QStringLiteral("瓦恩工房 III"));
    EXPECT_TRUE(menu.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(menu.windowFlags() & Qt::WindowStaysOnTopHint);
    for (const MenuButtonInfo& info : MenuButtons()) {
        QToolButton* b = menu.button(info.button);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->toolTip(), info.toolTip);
        EXPECT_FALSE(b->icon().isNull());
        const bool expected = info.button == MenuButton::Customers || info.button == MenuButton::Exit
                              || info.button == MenuButton::Hide;
        EXPECT_EQ(b->isEnabled(), expected) << info.controlName;
    }
}

TEST_F(MenuWindowTest, HideCollapsesAndPassingMouseExpands)
{
    frmMenu menu(4095);
    const int expanded = menu.height();
    menu.Command2_Click();
    EXPECT_TRUE(menu.isCollapsed());
    EXPECT_LT(menu.height(), expanded);
    EXPECT_EQ(menu.y(), 0);

    // Passing over 隱藏 itself does not unfold the strip; passing over another button does.
    QEnterEvent overHide(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(menu.button(MenuButton::Hide), &overHide);
    EXPECT_TRUE(menu.isCollapsed());
    QEnterEvent overQuotation(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(menu.button(MenuButton::Quotation), &overQuotation);
    EXPECT_FALSE(menu.isCollapsed());
    EXPECT_EQ(menu.height(), expanded);

    menu.Command2_Click();
    menu.Command2_Click();
    EXPECT_FALSE(menu.isCollapsed());
}

TEST_F(MenuWindowTest, ClosingTheWindowRespectsTheQuotationWindow)
{
    frmMenu menu(4095);
    bool willClose = false;
    menu.setQuotationCloser([&] { return willClose; });
    menu.show();
    EXPECT_FALSE(menu.close());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(endCode.has_value());
    willClose = true;
    EXPECT_TRUE(menu.close());
    EXPECT_TRUE(endCode.has_value());
    EXPECT_EQ(prompts.asked().size(), 0u);
}

TEST_F(MenuWindowTest, ExitButtonAsksFirst)
{
    frmMenu menu(4095);
    menu.show();
    prompts.answerMessage(PromptButton::No);
    menu.button(MenuButton::Exit)->click();
    EXPECT_TRUE(menu.isVisible());
    prompts.answerMessage(PromptButton::Yes);
    menu.button(MenuButton::Exit)->click();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(endCode.has_value());
}

} // namespace

} // namespace varn::test
