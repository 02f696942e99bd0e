#include "platform/ui/widgets/QtBusyIndicator.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

namespace varn {

QtBusyIndicator::~QtBusyIndicator()
{
    if (m_active)
        end();
}

void QtBusyIndicator::begin(const QString& text)
{
    // Widgets belong to the window thread; work elsewhere shows nothing.
    if (m_active || !qApp || QThread::currentThread() != qApp->thread())
        return;
    m_active = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);

    auto* window = new QWidget(QApplication::activeWindow(),
                               Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(new QLabel(text, window));
    auto* bar = new QProgressBar(window);
    bar->setRange(0, 0);     // moves without a known end
    bar->setTextVisible(false);
    layout->addWidget(bar);
    window->setFixedWidth(240);
    window->adjustSize();
    if (QWidget* parent = window->parentWidget())
        window->move(parent->geometry().center() - window->rect().center());
    window->show();
    // The operation keeps the event loop busy, so paint now. No processEvents here: timers
    // (the autosave tick) must not run in the middle of the operation.
    window->repaint();
    m_window = window;
}

void QtBusyIndicator::end()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_window)
        m_window->close();
    m_window = nullptr;
    QApplication::restoreOverrideCursor();
}

} // namespace varn
