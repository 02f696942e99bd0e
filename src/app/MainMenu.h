#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <map>

namespace varn {

// The eight buttons of the main menu, left to right.
enum class MenuButton {
    Quotation,   // cmdQ 報價單
    Customers,   // cmdC 客戶資料
    Vendors,     // cmdP 廠商資料
    Employees,   // cmdSt 員工資料
    Lexicon,     // cmdSa 工程資料&詞庫
    Settings,    // cmdPws 系統設定
    Exit,        // Command1 結束
    Hide,        // Command2 隱藏
};

struct MenuButtonInfo {
    MenuButton button;
    const char* controlName;
    QString toolTip;
    int leftTwips;
    int widthTwips;
};

// Placement of the buttons in the bar, in twips.
const std::array<MenuButtonInfo, 8>& MenuButtons();

constexpr int MenuWidthTwips = 5265;
constexpr int MenuExpandedHeightTwips = 615;
constexpr int MenuCollapsedHeightTwips = 10;
constexpr int MenuButtonHeightTwips = 600;
constexpr int MenuRightMarginTwips = 900;

// A window button is enabled when any of the rights bits that open its window is set;
// 結束 and 隱藏 always are.
bool MenuButtonEnabled(MenuButton button, int rights);

// 隱藏 toggles between the two heights; any other height stays as it is.
int ToggledMenuHeight(int heightTwips);

// Top left corner of the bar: at the top right of the area the desktop leaves to windows
// (its panels excluded, so none covers the bar or its folded strip), clear of the right edge.
QPoint MenuPosition(const QRect& availableArea, int windowWidth, int rightMargin);

// What the menu does apart from its looks: the rights, the registry of the windows its
// buttons open, and the way out of the program.
class MenuController {
public:
    explicit MenuController(int rights);

    bool isEnabled(MenuButton button) const { return MenuButtonEnabled(button, m_rights); }

    // Hooks a window to a button; the later subsystems register theirs here.
    void setWindowOpener(MenuButton button, std::function<void()> opener);
    bool hasWindowOpener(MenuButton button) const;

    // A window button pressed: opens its window, or says plainly that it is not there yet.
    // Buttons the rights disable do nothing.
    void click(MenuButton button);

    // 結束: asks "是否要結束瓦恩工房?" (No by default); on Yes ends the program, which
    // first closes the open windows with their own questions (see EndProgram). Returns true
    // when the program is ending.
    bool exitClicked();

    // The menu window closed by other means: no question of its own, but the open windows
    // still get theirs. Returns true when the program is ending.
    bool closeRequested();

private:
    int m_rights;
    std::map<MenuButton, std::function<void()>> m_openers;
};

// LoadAutoSave of the menu: gAutoSave and gAutoSaveMin from Auto.ini (off when missing).
void LoadAutoSave();

} // namespace varn
