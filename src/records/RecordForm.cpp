#include "records/RecordForm.h"

#include "records/RecordRules.h"

namespace varn {

namespace {
// A rule that sets a field whose rule sets the first one again would never end.
constexpr int kMaxRuleDepth = 8;
}

RecordForm::RecordForm(QObject* parent)
    : QObject(parent)
{
}

void RecordForm::store(const QString& control, const QString& text)
{
    auto it = m_fields.find(control);
    if (it != m_fields.end() && *it == text)
        return;
    m_fields.insert(control, text);
    emit fieldChanged(control, text);
}

void RecordForm::setField(const QString& control, const QString& text)
{
    const bool changed = !m_fields.contains(control) || m_fields.value(control) != text;
    store(control, text);
    if (!changed || !m_rules || m_ruleDepth >= kMaxRuleDepth)
        return;
    ++m_ruleDepth;
    m_rules->fieldChanged(*this, control);
    --m_ruleDepth;
}

void RecordForm::assign(const QString& control, const QString& text)
{
    store(control, text);
}

void RecordForm::clear()
{
    const QStringList names = m_fields.keys();
    for (const QString& name : names)
        store(name, QString());
}

void RecordForm::setChoices(const QString& control, const QStringList& items)
{
    m_choices.insert(control, items);
    emit choicesChanged(control);
}

bool RecordForm::choose(const QString& control, int index)
{
    const QStringList items = m_choices.value(control);
    if (index < 0 || index >= items.size())
        return false;
    setField(control, items.at(index));
    return m_rules ? m_rules->choicePicked(*this, control, index) : false;
}

} // namespace varn
