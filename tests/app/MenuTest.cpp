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

using MenuTest = ShellFixture;

TEST_F(MenuTest, TheStripHidesShowsItsTipsOpensWhatTheRightsAllowAndEveryWayOutAsksTheOpenWindows)
{
    EXPECT_EQ(MenuPosition(QRect(1920, 32, 1232, 1048), 351, 60), QPoint(1920 + 1232 - 351 - 60, 32));
    frmMenu menu(1 << 4);
    EXPECT_TRUE(menu.button(MenuButton::Customers)->isEnabled() && !menu.button(MenuButton::Vendors)->isEnabled());
    const int expanded = menu.height();
    menu.Command2_Click();
    EXPECT_TRUE(menu.isCollapsed() && menu.height() < expanded && menu.y() == 0);
    // Passing over the hide button leaves it collapsed, over another button expands it.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(menu.button(MenuButton::Hide), &enter);
    EXPECT_TRUE(menu.isCollapsed());
    QCoreApplication::sendEvent(menu.button(MenuButton::Customers), &enter);
    EXPECT_EQ(menu.height(), expanded);

    menu.show();
    QWidget other;
    other.setGeometry(0, 200, 200, 100);   // clear of the menu
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    QApplication::setActiveWindow(&other);
    QToolButton* b = menu.button(MenuButton::Customers);
    QTest::mouseMove(b, b->rect().center());
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_EQ(QToolTip::text(), u"客戶資料"_s);

    // The rights gate the controller too, and the customer register opens for browsing.
    MenuController gate(1 << 4);
    state().m.gPickCustomer = true;
    gate.setWindowOpener(MenuButton::Vendors, [] { ADD_FAILURE() << "a forbidden window opened"; });
    gate.setWindowOpener(MenuButton::Customers, [] { EXPECT_FALSE(state().m.gPickCustomer); });
    gate.click(MenuButton::Vendors);
    gate.click(MenuButton::Customers);
    // A button without a window says so instead of pretending.
    MenuController(4095).click(MenuButton::Lexicon);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"工程資料&詞庫"_s));
    // 結束 answered No asks no window; closing the menu otherwise asks no question, but
    // the open windows still get theirs and a refusal keeps the program running.
    bool willClose = false;
    int closeAsked = 0;
    SetWindowCloser([&] { return ++closeAsked, willClose; });
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(MenuController(0).exitClicked());
    EXPECT_EQ(prompts.last()->defaultButton, PromptButton::No);
    EXPECT_FALSE(menu.close());
    EXPECT_TRUE(menu.isVisible() && !endCode.has_value());
    willClose = true;
    EXPECT_TRUE(menu.close() && endCode.has_value());
    EXPECT_EQ(closeAsked, 2);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
}

} // namespace
} // namespace varn::test
