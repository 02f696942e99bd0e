#include "records/widgets/FieldBinder.h"

#include "records/RegisterEngine.h"
#include "records/widgets/ListPick.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
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

void FieldBinder::setCaption(QWidget* control, const QString& caption)
{
    m_form.setCaption(control->objectName(), caption);
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
    OnListPick(combo, ArrowKeys::Look, [this, control, combo](int index) {
        if (!m_updating && m_form.choose(control, index))
            SendTab(combo);
    });
    enterMovesOn(combo);
    if (combo->lineEdit())
        enterMovesOn(combo->lineEdit());
}

void FieldBinder::bindMemo(QPlainTextEdit* memo, MemoEnter enter)
{
    const QString control = memo->objectName();
    m_widgets.insert(control, memo);
    m_memos.insert(memo, enter);
    memo->setTabChangesFocus(true);   // Tab walks the fields there too
    memo->installEventFilter(this);
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

void FieldBinder::bindCheck(QCheckBox* box)
{
    const QString control = box->objectName();
    m_widgets.insert(control, box);
    box->setChecked(m_form.field(control) == QLatin1String("1"));
    // clicked: the user's toggles only (mouse or Space), not the ones shown from the form.
    connect(box, &QCheckBox::clicked, this, [this, control](bool checked) {
        if (!m_updating)
            m_engine.checkToggled(control, checked);
    });
    enterMovesOn(box);
}

void FieldBinder::bindList(QListWidget* list)
{
    m_widgets.insert(list->objectName(), list);
    fillChoices(list->objectName());
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
    } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
        box->setChecked(text == QLatin1String("1"));
    } else if (auto* picker = qobject_cast<QDateEdit*>(w)) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            picker->setDate(date);
    }
    m_updating = false;
}

void FieldBinder::fillChoices(const QString& control)
{
    if (auto* list = qobject_cast<QListWidget*>(m_widgets.value(control).data())) {
        list->clear();
        list->addItems(m_form.choices(control));
        return;
    }
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
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return QObject::eventFilter(watched, event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(watched)) {
        if (ctrl) {
            memo->insertPlainText(QStringLiteral("\n"));
            return true;
        }
        if (m_memos.value(memo) == MemoEnter::MovesOn) {
            SendTab(memo);
            return true;
        }
        return false;
    }
    if (!ctrl) {
        if (auto* w = qobject_cast<QWidget*>(watched)) {
            SendTab(w);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varn
