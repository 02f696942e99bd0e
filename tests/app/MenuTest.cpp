#include "ShellFixture.h"

#include "app/MainMenu.h"
#include "app/ProgramEnd.h"
#include "app/widgets/frmMenu.h"
#include "shared/ProgramState.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

TEST(Menu, RightsEnableTheirOwnButtonAndTheStripSitsTopRightOfTheFreeArea)
{
    // Prices and costs visible (bits 0 and 1) act only inside the quotation window.
    const std::pair<int, MenuButton> owners[] = {{1 << 2, MenuButton::Quotation}, {1 << 4, MenuButton::Customers},
                                                 {1 << 5, MenuButton::Vendors},   {1 << 8, MenuButton::Employees},
                                                 {1 << 9, MenuButton::Lexicon},   {1 << 11, MenuButton::Settings}};
    for (const auto& [rights, owner] : owners) {
        for (const auto& [unused, b] : owners) {
            EXPECT_EQ(MenuButtonEnabled(b, rights), b == owner) << rights;
            EXPECT_TRUE(MenuButtonEnabled(b, 4095) && !MenuButtonEnabled(b, 0b11));
        }
    }
    EXPECT_TRUE(MenuButtonEnabled(MenuButton::Exit, 0) && MenuButtonEnabled(MenuButton::Hide, 0));
    // A panel along the top or the right takes its part of the screen away.
    EXPECT_EQ(MenuPosition(QRect(0, 32, 1920, 1048), 351, 60), QPoint(1920 - 351 - 60, 32));
    EXPECT_EQ(MenuPosition(QRect(1920, 0, 1232, 1080), 351, 60), QPoint(1920 + 1232 - 351 - 60, 0));
}

using MenuTest = ShellFixture;

TEST_F(MenuTest, ButtonsOpenTheirWindowsWhenTheRightsAllow)
{
    MenuController menu(1 << 4);
    int opened = 0;
    menu.setWindowOpener(MenuButton::Vendors, [&] { ++opened; });
    menu.click(MenuButton::Vendors);   // forbidden: nothing happens
    EXPECT_EQ(opened, 0);
    // The customer register opens for browsing, not for picking.
    state().m.gPickCustomer = true;
    menu.setWindowOpener(MenuButton::Customers, [&] { opened = state().m.gPickCustomer ? 2 : 1; });
    menu.click(MenuButton::Customers);
    EXPECT_EQ(opened, 1);
    // A button without a window says so instead of pretending.
    MenuController(4095).click(MenuButton::Lexicon);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"工程資料&詞庫"_s));
    EXPECT_EQ(prompts.asked().size(), 1u);
}

TEST_F(MenuTest, EveryWayOutAsksTheOpenWindows)
{
    bool willClose = false;
    int closeAsked = 0;
    SetWindowCloser([&] { return ++closeAsked, willClose; });
    MenuController menu(0);
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(menu.exitClicked());
    EXPECT_EQ(closeAsked, 0);
    EXPECT_EQ(prompts.last()->defaultButton, PromptButton::No);
    // Yes, but a window stays open: the program goes on, whether asked or closed otherwise.
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_FALSE(menu.exitClicked());
    frmMenu window(4095);
    window.show();
    EXPECT_FALSE(menu.closeRequested() || window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(endCode.has_value());
    EXPECT_EQ(closeAsked, 3);
    willClose = true;
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(endCode.has_value());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

TEST_F(MenuTest, HideCollapsesPassingOverAnotherButtonExpandsAndTipsShowWhileAnotherWindowIsActive)
{
    frmMenu menu(1 << 4);
    EXPECT_FALSE(menu.button(MenuButton::Vendors)->isEnabled());
    const int expanded = menu.height();
    menu.Command2_Click();
    EXPECT_TRUE(menu.isCollapsed() && menu.height() < expanded && menu.y() == 0);
    for (MenuButton b : {MenuButton::Hide, MenuButton::Customers}) {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(menu.button(b), &e);
        EXPECT_EQ(menu.isCollapsed(), b == MenuButton::Hide);
    }
    EXPECT_EQ(menu.height(), expanded);

    menu.show();
    QWidget other;
    other.setGeometry(0, 200, 200, 100);   // clear of the menu
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QApplication::setActiveWindow(&other);
    ASSERT_FALSE(menu.isActiveWindow());
    QToolButton* b = menu.button(MenuButton::Customers);
    QTest::mouseMove(b, b->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_EQ(QToolTip::text(), u"客戶資料"_s);
    QToolTip::hideText();
}

} // namespace
} // namespace varn::test
