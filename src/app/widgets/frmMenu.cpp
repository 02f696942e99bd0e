#include "app/widgets/frmMenu.h"

#include "app/widgets/MenuIcons.h"
#include "platform/ui/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace varn {

namespace {

int px(int twips)
{
    return TwipsToPixels(twips);
}

} // namespace

frmMenu::frmMenu(int rights, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_controller(rights)
{
    setObjectName(QStringLiteral("frmMenu"));
    setWindowTitle(QStringLiteral("瓦恩工房 III"));
    // The bar stays on top of the other windows, so its tips must show while another
    // window is the active one.
    setAttribute(Qt::WA_AlwaysShowToolTips);

    for (const MenuButtonInfo& info : MenuButtons()) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(info.controlName));
        b->setToolTip(info.toolTip);
        b->setAccessibleName(info.toolTip);
        b->setIcon(MenuIcon(info.button));
        b->setAutoRaise(false);
        b->setGeometry(px(info.leftTwips), 0, px(info.widthTwips), px(MenuButtonHeightTwips));
        const int side = std::min(b->width(), b->height()) - 8;
        b->setIconSize(QSize(side, side));
        b->setEnabled(m_controller.isEnabled(info.button));
        const MenuButton which = info.button;
        if (which == MenuButton::Exit)
            connect(b, &QToolButton::clicked, this, [this] { Command1_Click(); });
        else if (which == MenuButton::Hide)
            connect(b, &QToolButton::clicked, this, [this] { Command2_Click(); });
        else
            connect(b, &QToolButton::clicked, this, [this, which] { m_controller.click(which); });
        if (which != MenuButton::Hide) {
            b->setMouseTracking(true);
            b->installEventFilter(this);
        }
        m_buttons[which] = b;
    }

    applyHeight(MenuExpandedHeightTwips);
    LoadAutoSave();
}

void frmMenu::setWindowOpener(MenuButton button, std::function<void()> opener)
{
    m_controller.setWindowOpener(button, std::move(opener));
}

QToolButton* frmMenu::button(MenuButton b) const
{
    const auto it = m_buttons.find(b);
    return it == m_buttons.end() ? nullptr : it->second;
}

void frmMenu::Command1_Click()
{
    if (m_controller.exitClicked()) {
        m_ending = true;
        close();
    }
}

void frmMenu::Command2_Click()
{
    const int toggled = ToggledMenuHeight(m_heightTwips);
    if (toggled != m_heightTwips)
        applyHeight(toggled);
}

void frmMenu::closeEvent(QCloseEvent* event)
{
    // Closed by other means than 結束: no question, but the open windows still get
    // theirs, and a refusal keeps the program running.
    if (m_ending || m_controller.closeRequested()) {
        m_ending = true;
        event->accept();
    } else {
        event->ignore();
    }
}

bool frmMenu::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) && isCollapsed())
        applyHeight(MenuExpandedHeightTwips);
    return QWidget::eventFilter(watched, event);
}

void frmMenu::applyHeight(int heightTwips)
{
    m_heightTwips = heightTwips;
    // The strip keeps at least two pixels, so the mouse can find it.
    setFixedSize(px(MenuWidthTwips), std::max(2, px(heightTwips)));
    placeTopRight();
}

void frmMenu::placeTopRight()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    move(MenuPosition(s->availableGeometry(), width(), px(MenuRightMarginTwips)));
}

} // namespace varn
