#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace varn {

class Database;
class RecordForm;

enum class EditMode { Browse, Add, Edit, Query };

// The first n characters of a text as the user counts them: a character outside the
// basic plane is one character, never cut in half.
QString LeadingCharacters(const QString& text, int n);

// Why a save is refused before anything is written, and where the focus goes then.
struct SaveRefusal {
    QString message;
    QString focusControl;   // empty: the focus stays where it is
};

// What one register adds to the engine's handling of its record: the rules that follow a
// typed field, a choice from a list, what a save may refuse or store differently. The
// default rules do nothing.
class RecordRules {
public:
    virtual ~RecordRules() = default;

    // A field was changed by the user or by another rule.
    virtual void fieldChanged(RecordForm& form, const QString& control);
    // An entry was chosen from a combo box's list; true moves the focus on.
    virtual bool choicePicked(RecordForm& form, const QString& control, int index);
    // A stored row was shown (every column as text, by position); the rule may read what
    // belongs to the record elsewhere in the database. Throws DbError.
    virtual void rowShown(const QStringList& row, RecordForm& form, Database& db);
    // The detail fields were emptied.
    virtual void fieldsCleared(RecordForm& form);
    // Checks beyond the required fields, before anything is written. It runs inside the
    // save's write transaction, so what it reads cannot change before the row is stored.
    // Throws DbError.
    virtual std::optional<SaveRefusal> refuseSave(const RecordForm& form, EditMode mode, Database& db);
    // The values about to be stored, by column position; a rule may change them.
    virtual void adjustRow(QStringList& row, const RecordForm& form, EditMode mode);
    // Fields besides those bound to the column that show it.
    virtual QStringList fieldsShowing(int column) const;
    // A stored value as a message names it to the user; empty: the value as stored.
    virtual QString describeStored(int column, const QString& stored) const;
};

} // namespace varn
