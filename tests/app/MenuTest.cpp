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

#include <set>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

using Buttons = std::set<MenuButton>;

const Buttons windowButtons{MenuButton::Quotation, MenuButton::Customers, MenuButton::Vendors,
                            MenuButton::Employees, MenuButton::Lexicon,   MenuButton::Settings};

TEST(MenuRights, EachBitOpensItsOwnWindow)
{
    // Prices and costs visible (bits 0 and 1) act only inside the quotation window.
    std::vector<std::pair<int, Buttons>> table{{0, {}}, {4095, windowButtons}, {0b11, {}}};
    const MenuButton byBit[] = {MenuButton::Quotation, MenuButton::Customers, MenuButton::Customers,
                                MenuButton::Vendors,   MenuButton::Vendors,   MenuButton::Employees,
                                MenuButton::Employees, MenuButton::Lexicon,   MenuButton::Lexicon,
                                MenuButton::Settings};
    for (int bit = 2; bit <= 11; ++bit)
        table.push_back({1 << bit, {byBit[bit - 2]}});
    for (const auto& [rights, expected] : table) {
        Buttons on;
        for (MenuButton b : windowButtons) {
            if (MenuButtonEnabled(b, rights))
                on.insert(b);
        }
        EXPECT_EQ(on, expected) << "rights " << rights;
        EXPECT_TRUE(MenuButtonEnabled(MenuButton::Exit, rights));
        EXPECT_TRUE(MenuButtonEnabled(MenuButton::Hide, rights));
    }
}

TEST(MenuPlacement, TopRightOfTheAreaLeftToWindows)
{
    // A panel along the top or the right takes its part of the screen away.
    const struct {
        QRect area;
        QPoint at;
    } cases[] = {{QRect(0, 0, 1920, 1080), QPoint(1920 - 351 - 60, 0)},
                 {QRect(0, 32, 1920, 1048), QPoint(1920 - 351 - 60, 32)},
                 {QRect(1920, 0, 1232, 1080), QPoint(1920 + 1232 - 351 - 60, 0)}};
    for (const auto& c : cases)
        EXPECT_EQ(MenuPosition(c.area, 351, 60), c.at) << c.area.y();
}

using MenuControllerTest = ShellFixture;

TEST_F(MenuControllerTest, ButtonsOpenTheirWindowsWhenTheRightsAllow)
{
    MenuController menu(4095);
    int opened = 0;
    menu.setWindowOpener(MenuButton::Vendors, [&] { ++opened; });
    menu.click(MenuButton::Vendors);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(prompts.asked().size(), 0u);

    // A button without a window says so instead of pretending.
    menu.click(MenuButton::Lexicon);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"工程資料&詞庫"_s));

    // A button the rights forbid does nothing; the customer register opens for browsing.
    MenuController viewer(1 << 4);
    viewer.setWindowOpener(MenuButton::Vendors, [&] { ++opened; });
    viewer.click(MenuButton::Vendors);
    EXPECT_EQ(opened, 1);
    state().m.gPickCustomer = true;
    bool pickWhenOpened = true;
    viewer.setWindowOpener(MenuButton::Customers, [&] { pickWhenOpened = state().m.gPickCustomer; });
    viewer.click(MenuButton::Customers);
    EXPECT_FALSE(pickWhenOpened);
    EXPECT_EQ(prompts.asked().size(), 1u);
}

TEST_F(MenuControllerTest, ExitAsksAndRespectsTheOpenWindows)
{
    MenuController menu(0);
    int closeAsked = 0;
    bool willClose = false;
    SetWindowCloser([&] {
        ++closeAsked;
        return willClose;
    });
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(menu.exitClicked());
    EXPECT_EQ(closeAsked, 0);
    EXPECT_EQ(prompts.last()->defaultButton, PromptButton::No);

    // Yes, but a window stays open: the program goes on.
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_FALSE(menu.exitClicked());
    EXPECT_EQ(closeAsked, 1);
    // Closing by other means asks nothing but still respects the quotation window.
    EXPECT_FALSE(menu.closeRequested());
    EXPECT_FALSE(endCode.has_value());
    willClose = true;
    EXPECT_TRUE(menu.closeRequested());
    EXPECT_TRUE(endCode.has_value());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

using MenuWindowTest = ShellFixture;

TEST_F(MenuWindowTest, HideCollapsesAndPassingMouseExpands)
{
    frmMenu menu(4095);
    const int expanded = menu.height();
    menu.Command2_Click();
    EXPECT_TRUE(menu.isCollapsed());
    EXPECT_LT(menu.height(), expanded);
    EXPECT_EQ(menu.y(), 0);

    // Passing over 隱藏 itself does not unfold the strip; passing over another button does.
    const auto enter = [&](MenuButton b) {
        QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
        QCoreApplication::sendEvent(menu.button(b), &e);
    };
    enter(MenuButton::Hide);
    EXPECT_TRUE(menu.isCollapsed());
    enter(MenuButton::Quotation);
    EXPECT_FALSE(menu.isCollapsed());
    EXPECT_EQ(menu.height(), expanded);
}

TEST_F(MenuWindowTest, PictureButtonsShowTheirTipsWhileAnotherWindowIsActive)
{
    frmMenu menu(4095);
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

TEST_F(MenuWindowTest, ButtonsFollowTheRightsAndExitRespectsTheOpenWindows)
{
    frmMenu menu(1 << 4);
    EXPECT_TRUE(menu.button(MenuButton::Customers)->isEnabled());
    EXPECT_FALSE(menu.button(MenuButton::Vendors)->isEnabled());
    // Closing the window itself respects the open windows too.
    bool willClose = false;
    SetWindowCloser([&] { return willClose; });
    menu.show();
    EXPECT_FALSE(menu.close());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_FALSE(endCode.has_value());
    willClose = true;
    EXPECT_TRUE(menu.close());
    EXPECT_TRUE(endCode.has_value());
}

} // namespace
} // namespace varn::test
