#include "platform/ui/widgets/TabPageFocus.h"

#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace varn {

namespace {

// The tab widget whose page `page` is (a page sits in the tab widget's stack).
QTabWidget* tabWidgetOfPage(QWidget* page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    if (!stack)
        return nullptr;
    auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
    return tabs && tabs->indexOf(page) >= 0 ? tabs : nullptr;
}

// True when `w` would show once the tab pages it lies on come to the front; `hiddenPage`
// is set to the outermost such page that is not in front now.
bool shownBehindTabs(QWidget* w, QWidget* window, QWidget** hiddenPage)
{
    *hiddenPage = nullptr;
    for (QWidget* p = w; p && p != window; p = p->parentWidget()) {
        if (!p->isHidden())
            continue;
        QTabWidget* tabs = tabWidgetOfPage(p);
        if (!tabs || !tabs->isTabEnabled(tabs->indexOf(p)))
            return false;
        *hiddenPage = p;
    }
    return true;
}

bool takesTabFocus(QWidget* w, QWidget* window)
{
    // A compound control (an editable combo box) is entered through itself, not through
    // the inner box that hands its focus on.
    return w->window() == window && !w->focusProxy() && w->isEnabled()
        && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

void bringToFront(QWidget* w, QWidget* window)
{
    for (QWidget* p = w; p && p != window; p = p->parentWidget()) {
        if (!p->isHidden())
            continue;
        if (QTabWidget* tabs = tabWidgetOfPage(p))
            tabs->setCurrentWidget(p);
    }
}

} // namespace

bool FocusAcrossTabPages(QWidget* window, bool next)
{
    QWidget* current = window->focusWidget();
    if (!current)
        return false;
    for (QWidget* w = next ? current->nextInFocusChain() : current->previousInFocusChain();
         w && w != current; w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (!takesTabFocus(w, window))
            continue;
        QWidget* hiddenPage = nullptr;
        if (!shownBehindTabs(w, window, &hiddenPage))
            continue;
        if (!hiddenPage)
            return false;   // the next field is in sight: Qt's own walk finds it
        bringToFront(w, window);
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

} // namespace varn
