#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace varn {

class RecordForm;
class RegisterEngine;

// One Tab keystroke to the widget: the focus moves to the next field of the tab order.
void SendTab(QWidget* from);

// Keeps the detail controls of a register window and the engine's RecordForm in step:
// what the user types goes into the form (and through the register's rules), what the
// form gets from the engine or a rule shows in the control. Enter in a single-line field
// moves the focus to the next field of the tab order; Ctrl+Enter in a memo starts a new
// line.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(RegisterEngine& engine, QObject* parent = nullptr);

    enum class MemoEnter { NewLine, MovesOn };

    // The control's object name becomes the field's name.
    void bindLine(QLineEdit* edit);
    // An editable combo box; its list follows the form's choices for the field. Only an
    // entry picked from the open list counts as a choice (RecordForm::choose): typing a
    // text that happens to be in the list, and leaving the box, do not.
    void bindCombo(QComboBox* combo);
    // A memo; Enter either starts a new line there or moves on like a single-line field.
    void bindMemo(QPlainTextEdit* memo, MemoEnter enter = MemoEnter::NewLine);
    // A date picker whose changes the engine turns into the register date of its box.
    void bindDate(QDateEdit* picker);
    // A check box: its field is "1" when ticked, else "0"; the user's toggles, by mouse or
    // keyboard, go to the engine (RegisterEngine::checkToggled).
    void bindCheck(QCheckBox* box);
    // A list box that shows the form's choices for its name (the vendor's links).
    void bindList(QListWidget* list);

    QWidget* widget(const QString& control) const { return m_widgets.value(control); }
    // The caption of the label beside a bound control, by which messages name its field.
    void setCaption(QWidget* control, const QString& caption);
    // Enter in this widget (a box that is no field of the record) moves on too.
    void enterMovesOn(QWidget* w);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& control, const QString& text);
    void fillChoices(const QString& control);

    RegisterEngine& m_engine;
    RecordForm& m_form;
    QHash<QString, QPointer<QWidget>> m_widgets;
    QHash<QObject*, MemoEnter> m_memos;
    bool m_updating = false;
};

} // namespace varn
