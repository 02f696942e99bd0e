#include "platform/ui/widgets/EntryFilter.h"

#include "platform/ui/Prompter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

namespace varn {

namespace {

// Lives as long as its line edit (its child) and watches its events.
class EntryFilter : public QObject {
public:
    EntryFilter(QLineEdit* edit, EntryRule rule, QString refusal, KeyRefusal keys)
        : QObject(edit), m_edit(edit), m_rule(std::move(rule)), m_refusal(std::move(refusal)), m_keys(keys)
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
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Paste)) {
                paste(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
                return true;
            }
            return typed(key);
        }
        case QEvent::InputMethod:
            return committed(static_cast<QInputMethodEvent*>(event));
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
    // The selection, or the cursor when nothing is selected.
    std::pair<qsizetype, qsizetype> selection() const
    {
        if (!m_edit->hasSelectedText())
            return {m_edit->cursorPosition(), m_edit->cursorPosition()};
        return {m_edit->selectionStart(), m_edit->selectionEnd()};
    }

    std::optional<QString> judged(const QString& inserted, bool pasted) const
    {
        const auto [from, to] = selection();
        return m_rule(m_edit->text(), from, to, inserted, pasted);
    }

    bool paste(const QString& pasted)
    {
        if (pasted.isEmpty())
            return false;
        const std::optional<QString> put = judged(pasted, true);
        if (!put) {
            prompter().inform(m_refusal, PromptIcon::Warning);
            return false;
        }
        m_edit->insert(*put);
        return true;
    }

    // A key whose text the line edit types. It leaves out only editing keys (no text, or a
    // control character) and Ctrl or Ctrl+Shift shortcuts; a key held with Alt or Meta that
    // no shortcut took is typed like any other, as is an invisible formatting mark.
    static bool typesText(const QKeyEvent* key)
    {
        const QString text = key->text();
        if (text.isEmpty() || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
            return false;
        if (text.at(0).category() == QChar::Other_Format)
            return true;
        const Qt::KeyboardModifiers mods = key->modifiers();
        return mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier);
    }

    // A typed character; shortcuts and editing keys pass.
    bool typed(const QKeyEvent* key)
    {
        if (!typesText(key))
            return false;
        const QString text = key->text();
        const std::optional<QString> put = judged(text, false);
        if (!put) {
            refuseKey();
            return true;
        }
        if (*put == text)
            return false;   // the line edit types it itself
        m_edit->insert(*put);
        return true;
    }

    // What an input method commits is typed text too; its composition goes on as it was.
    bool committed(const QInputMethodEvent* event)
    {
        if (m_resending || event->commitString().isEmpty())
            return false;
        const std::optional<QString> put = judged(event->commitString(), false);
        if (put && *put == event->commitString())
            return false;
        if (!put)
            refuseKey();
        QInputMethodEvent changed(event->preeditString(), event->attributes());
        changed.setCommitString(put.value_or(QString()), event->replacementStart(), event->replacementLength());
        m_resending = true;
        QCoreApplication::sendEvent(m_edit, &changed);
        m_resending = false;
        return true;
    }

    void refuseKey() const
    {
        if (m_keys == KeyRefusal::Message)
            prompter().inform(m_refusal, PromptIcon::Warning);
        else
            QApplication::beep();
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
    EntryRule m_rule;
    QString m_refusal;
    KeyRefusal m_keys;
    bool m_resending = false;
};

} // namespace

void FilterEntry(QLineEdit* edit, EntryRule rule, const QString& refusal, KeyRefusal keys)
{
    new EntryFilter(edit, std::move(rule), refusal, keys);
}

} // namespace varn
