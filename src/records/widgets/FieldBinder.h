#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QDateEdit;
class QLineEdit;
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
// moves the focus to the next field of the tab order; the memo keeps Enter.
class FieldBinder : public QObject {
    Q_OBJECT
public:
    explicit FieldBinder(RegisterEngine& engine, QObject* parent = nullptr);

    // The control's object name becomes the field's name.
    void bindLine(QLineEdit* edit);
    // An editable combo box; its list follows the form's choices for the field.
    void bindCombo(QComboBox* combo);
    void bindMemo(QPlainTextEdit* memo);
    // A date picker whose changes the engine turns into the register date of its box.
    void bindDate(QDateEdit* picker);

    QWidget* widget(const QString& control) const { return m_widgets.value(control); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void show(const QString& control, const QString& text);
    void fillChoices(const QString& control);
    void enterMovesOn(QWidget* w);

    RegisterEngine& m_engine;
    RecordForm& m_form;
    QHash<QString, QPointer<QWidget>> m_widgets;
    bool m_updating = false;
};

} // namespace varn
