#include "app/widgets/frmMenu.h"

#include "app/widgets/MenuIcons.h"
#include "platform/ui/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
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
    // Every other window of the program opens clear of the strip.
    qApp->installEventFilter(this);
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
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange) {
        auto* w = qobject_cast<QWidget*>(watched);
        if (w && w != this && w->isWindow() && isVisible()
            && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)) {
            keepClear(w);
            // Once the window has its frame, the frame is what must stay clear.
            QTimer::singleShot(100, w, [self = QPointer<frmMenu>(this), w] {
                if (self)
                    self->keepClear(w);
            });
        }
        return false;
    }
    // The buttons' own events: the filter sees every window's.
    const bool onButton = watched->parent() == this && watched != button(MenuButton::Hide);
    if (onButton && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) && isCollapsed())
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

QRect frmMenu::stripArea() const
{
    // The strip as it is when unfolded: a folded one unfolds under the mouse.
    return QRect(frameGeometry().topLeft(), QSize(frameGeometry().width(), px(MenuExpandedHeightTwips)));
}

void frmMenu::keepClear(QWidget* w)
{
    const QRect strip = stripArea();
    const QScreen* s = w->screen();
    if (!s || !w->isVisible() || !s->availableGeometry().intersects(strip))
        return;
    QRect area = s->availableGeometry();
    area.setTop(std::max(area.top(), strip.bottom() + 1));
    const QRect frame = w->frameGeometry();
    const QMargins border(w->x() - frame.x(), w->geometry().y() - frame.y(), frame.right() - w->geometry().right(),
                          frame.bottom() - w->geometry().bottom());
    if (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        // Maximised is the area less the strip.
        w->setWindowState(w->windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        w->setGeometry(area - border);
        return;
    }
    if (!frame.intersects(strip))
        return;
    QRect placed = frame;
    placed.moveTop(area.top());
    if (placed.bottom() > area.bottom())
        placed.setBottom(area.bottom());
    w->setGeometry(placed - border);
}

void frmMenu::placeTopRight()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    move(MenuPosition(s->availableGeometry(), width(), px(MenuRightMarginTwips)));
}

} // namespace varn
