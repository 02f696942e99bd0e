#include "records/widgets/FieldBinder.h"

#include "records/RegisterEngine.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace varn {

void SendTab(QWidget* from)
{
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(from, &tab);
}

FieldBinder::FieldBinder(RegisterEngine& engine, QObject* parent)
    : QObject(parent)
    , m_engine(engine)
    , m_form(engine.form())
{
    connect(&m_form, &RecordForm::fieldChanged, this, &FieldBinder::show);
    connect(&m_form, &RecordForm::choicesChanged, this, &FieldBinder::fillChoices);
}

void FieldBinder::enterMovesOn(QWidget* w)
{
    w->installEventFilter(this);
}

void FieldBinder::bindLine(QLineEdit* edit)
{
    const QString control = edit->objectName();
    m_widgets.insert(control, edit);
    edit->setText(m_form.field(control));
    connect(edit, &QLineEdit::textEdited, this, [this, control](const QString& text) {
        m_form.setField(control, text);
    });
    enterMovesOn(edit);
}

void FieldBinder::bindCombo(QComboBox* combo)
{
    const QString control = combo->objectName();
    m_widgets.insert(control, combo);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    fillChoices(control);
    connect(combo, &QComboBox::editTextChanged, this, [this, control](const QString& text) {
        if (!m_updating)
            m_form.setField(control, text);
    });
    connect(combo, &QComboBox::activated, this, [this, control, combo](int index) {
        if (m_updating)
            return;
        if (m_form.choose(control, index))
            SendTab(combo);
    });
    enterMovesOn(combo);
    if (combo->lineEdit())
        enterMovesOn(combo->lineEdit());
}

void FieldBinder::bindMemo(QPlainTextEdit* memo)
{
    const QString control = memo->objectName();
    m_widgets.insert(control, memo);
    memo->setPlainText(m_form.field(control));
    connect(memo, &QPlainTextEdit::textChanged, this, [this, control, memo] {
        if (!m_updating)
            m_form.setField(control, memo->toPlainText());
    });
}

void FieldBinder::bindDate(QDateEdit* picker)
{
    const QString control = picker->objectName();
    m_widgets.insert(control, picker);
    connect(picker, &QDateEdit::dateChanged, this, [this, control](const QDate& date) {
        if (!m_updating)
            m_engine.pickDate(control, date);
    });
}

void FieldBinder::show(const QString& control, const QString& text)
{
    QWidget* w = m_widgets.value(control);
    if (!w)
        return;
    m_updating = true;
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != text)
            edit->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->currentText() != text)
            combo->setEditText(text);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) {
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
    } else if (auto* picker = qobject_cast<QDateEdit*>(w)) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            picker->setDate(date);
    }
    m_updating = false;
}

void FieldBinder::fillChoices(const QString& control)
{
    auto* combo = qobject_cast<QComboBox*>(m_widgets.value(control).data());
    if (!combo)
        return;
    m_updating = true;
    const QString text = m_form.field(control);
    combo->clear();
    combo->addItems(m_form.choices(control));
    combo->setEditText(text);
    m_updating = false;
}

bool FieldBinder::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & Qt::ControlModifier)) {
            if (auto* w = qobject_cast<QWidget*>(watched)) {
                SendTab(w);
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varn
