#include "records/widgets/ListPick.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

namespace varn {

namespace {

bool isPickKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Select;
}

bool isStepKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}

// Watches the box and its list for the events by which the user chooses an entry; the box
// selects while that event is handled, so "activated" counts only then.
class ListPickFilter : public QObject {
public:
    ListPickFilter(QComboBox* combo, ArrowKeys arrows, std::function<void(int)> picked)
        : QObject(combo), m_picked(std::move(picked)), m_arrowsPick(arrows == ArrowKeys::Pick)
    {
        // view() makes the list with its own filters; ours, installed later, runs first.
        QAbstractItemView* list = combo->view();
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        combo->installEventFilter(this);
        m_combo = combo;
        connect(combo, &QComboBox::activated, this, [this](int index) {
            if (!m_picking)
                return;
            m_picking = false;
            m_picked(index);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        bool picks = false;
        const QEvent::Type type = event->type();
        if (watched == m_combo) {
            picks = m_arrowsPick && type == QEvent::KeyPress && isStepKey(static_cast<QKeyEvent*>(event)->key());
        } else if (type == QEvent::MouseButtonRelease) {
            picks = true;
        } else if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
            // The list takes Enter as its shortcut override, before the key press itself.
            picks = isPickKey(static_cast<QKeyEvent*>(event)->key());
        }
        if (picks) {
            m_picking = true;
            QTimer::singleShot(0, this, [this] { m_picking = false; });
        }
        return false;
    }

private:
    std::function<void(int)> m_picked;
    bool m_arrowsPick;
    QComboBox* m_combo = nullptr;
    bool m_picking = false;
};

} // namespace

void OnListPick(QComboBox* combo, ArrowKeys arrows, std::function<void(int)> picked)
{
    new ListPickFilter(combo, arrows, std::move(picked));
}

} // namespace varn
