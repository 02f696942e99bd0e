#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

namespace varn {

class RecordRules;

// The detail fields of a register window as plain texts, keyed by control name ("t2",
// "cb1", "T35"...). The window mirrors its widgets into it; everything that works on the
// record (showing, saving, the follow-on rules, the pick) reads and writes only this.
class RecordForm : public QObject {
    Q_OBJECT
public:
    explicit RecordForm(QObject* parent = nullptr);

    QString field(const QString& control) const { return m_fields.value(control); }

    // A change made by the user or by a rule: stores the text and runs the register's
    // follow-on rules (the short name that follows the name, copied phone numbers).
    void setField(const QString& control, const QString& text);
    // A change that runs no rule: showing a stored row.
    void assign(const QString& control, const QString& text);

    // Empties every field (the lists of the combo boxes stay).
    void clear();
    QStringList controls() const { return m_fields.keys(); }
    QHash<QString, QString> fields() const { return m_fields; }

    // List entries of a combo box (or of a hidden parallel list such as the area codes).
    QStringList choices(const QString& control) const { return m_choices.value(control); }
    void setChoices(const QString& control, const QStringList& items);

    // The user chose entry `index` from the list of a combo box: its text becomes the
    // field's and the register's rule for that choice runs. Returns true when the rule
    // asks for the focus to move on to the next field.
    bool choose(const QString& control, int index);

    void setRules(RecordRules* rules) { m_rules = rules; }

    // The caption of the label the window shows beside a field ("連絡人:"); empty when
    // the window gives it none.
    QString caption(const QString& control) const { return m_captions.value(control); }
    void setCaption(const QString& control, const QString& caption) { m_captions.insert(control, caption); }

signals:
    void fieldChanged(const QString& control, const QString& text);
    void choicesChanged(const QString& control);

private:
    void store(const QString& control, const QString& text);

    QHash<QString, QString> m_fields;
    QHash<QString, QStringList> m_choices;
    QHash<QString, QString> m_captions;
    RecordRules* m_rules = nullptr;
    int m_ruleDepth = 0;
};

} // namespace varn
