#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace varn {

// A record as 修改 loaded it: what a save compares with the record as stored by then,
// which another workstation may have changed meanwhile.
struct LoadedRecord {
    QStringList stored;               // every column as stored, by position
    QStringList asFields;             // what the fields would store had the user changed nothing
};

struct EditComparison {
    bool changedElsewhere = false;    // a column of the record differs from the one loaded
    QVector<int> mine;                // columns this user changed
    QVector<int> conflicts;           // of those, the ones changed elsewhere to another value
};

// Compares by stored column values, not field texts: a column the fields show in two
// boxes or work out (a date, a trimmed street) counts as changed only when what it would
// store differs. Only the columns marked in `compared` are looked at.
EditComparison CompareEdit(const LoadedRecord& loaded, const QStringList& edited, const QStringList& storedNow,
                           const QVector<bool>& compared);

} // namespace varn
