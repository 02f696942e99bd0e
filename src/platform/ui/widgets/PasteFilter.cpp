#include "platform/ui/widgets/PasteFilter.h"

#include "platform/ui/Prompter.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

namespace varn {

namespace {

// Lives as long as its line edit (its child) and watches its events.
class PasteFilter : public QObject {
public:
    PasteFilter(QLineEdit* edit, PasteRule rule, QString refusal)
        : QObject(edit), m_edit(edit), m_rule(std::move(rule)), m_refusal(std::move(refusal))
    {
        edit->installEventFilter(this);
        // An editable combo box takes the keys and the context menu for its line edit and
        // hands them on past the line edit's filters.
        if (auto* combo = qobject_cast<QComboBox*>(edit->parentWidget()); combo && combo->lineEdit() == edit) {
            m_combo = combo;
            combo->installEventFilter(this);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool combo = m_combo && watched == m_combo;
        if ((watched != m_edit && !combo) || m_edit->isReadOnly())
            return false;
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste))
                return false;
            paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
            return true;
        case QEvent::ContextMenu:
            showContextMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        case QEvent::MouseButtonRelease:
            // The X11 selection paste of the middle button.
            if (combo || static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton
                || !QGuiApplication::clipboard()->supportsSelection())
                return false;
            m_edit->deselect();
            paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            // Text moved within the field is the field's own editing.
            if (combo || drop->source() == m_edit || !drop->mimeData()->hasText())
                return false;
            m_edit->setCursorPosition(m_edit->cursorPositionAt(drop->position().toPoint()));
            if (paste(drop->mimeData()->text()))
                drop->acceptProposedAction();
            else
                drop->ignore();
            return true;
        }
        default:
            return false;
        }
    }

private:
    bool paste(const QString& pasted)
    {
        if (pasted.isEmpty())
            return false;
        const std::optional<QString> put = m_rule(pasted);
        if (!put) {
            prompter().inform(m_refusal, PromptIcon::Warning);
            return false;
        }
        m_edit->insert(*put);
        return true;
    }

    // The line edit's own menu, its paste judged as the paste keys are.
    void showContextMenu(const QPoint& at)
    {
        const std::unique_ptr<QMenu> menu(m_edit->createStandardContextMenu());
        for (QAction* action : menu->actions()) {
            // Only the paste entry is connected to paste(): that is how it is found, in any
            // language (Qt connects it by name).
            if (QObject::disconnect(action, SIGNAL(triggered()), m_edit, SLOT(paste()))
                || QObject::disconnect(action, &QAction::triggered, m_edit, &QLineEdit::paste))
                connect(action, &QAction::triggered, this,
                        [this] { paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
        }
        menu->exec(at);
    }

    QLineEdit* m_edit;
    QComboBox* m_combo = nullptr;
    PasteRule m_rule;
    QString m_refusal;
};

} // namespace

void FilterPastes(QLineEdit* edit, PasteRule rule, const QString& refusal)
{
    new PasteFilter(edit, std::move(rule), refusal);
}

} // namespace varn
