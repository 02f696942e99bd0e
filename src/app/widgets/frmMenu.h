#pragma once

#include "app/MainMenu.h"

#include <QWidget>

#include <functional>
#include <map>

class QToolButton;

namespace varn {

// The main menu: a borderless, always-on-top bar of eight buttons at the top right of the
// screen. It folds to a thin strip with 隱藏 and unfolds when the mouse passes over it.
class frmMenu : public QWidget {
    Q_OBJECT
public:
    // Form_Load: placement, the buttons the rights allow, and LoadAutoSave.
    explicit frmMenu(int rights, QWidget* parent = nullptr);

    // Hooks a window to a button (see MenuController).
    void setWindowOpener(MenuButton button, std::function<void()> opener);

    QToolButton* button(MenuButton b) const;
    MenuController& controller() { return m_controller; }

    bool isCollapsed() const { return m_heightTwips == MenuCollapsedHeightTwips; }
    int heightTwips() const { return m_heightTwips; }

    // Command1 結束 and Command2 隱藏.
    void Command1_Click();
    void Command2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyHeight(int heightTwips);
    void placeTopRight();
    QRect stripArea() const;
    // Moves a window that would open under the strip to below it; a maximised one takes
    // the screen's area less the strip.
    void keepClear(QWidget* w);

    MenuController m_controller;
    std::map<MenuButton, QToolButton*> m_buttons;
    int m_heightTwips = MenuExpandedHeightTwips;
    bool m_ending = false;
};

} // namespace varn
