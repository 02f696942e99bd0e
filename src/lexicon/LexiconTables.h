#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace varn {

class Database;

// A work item as the grid holds it: name, unit, cost, ratio, and the name it was loaded
// under (empty for a row added in the window), so that its details can follow a rename.
struct WorkItemRow {
    QString name, unit, cost, ratio;
    QString origin;
};

struct DetailRow {
    QString name, markup;
};

// Reads and writes of the lexicon tables k2a, t2w and w2d. Every write is one transaction
// that deletes the key's rows and inserts the given rows in order: on failure (DbError)
// nothing has changed.
namespace LexiconTables {

// Inserts rows of bound values under one statement head ("INSERT INTO t (a, b)"), many
// rows a statement.
void insertRows(Database& db, const QString& head, const QList<QVariantList>& rows);

QStringList categories(Database& db);
QStringList workTypes(Database& db);
QStringList units(Database& db);
QStringList areas(Database& db, const QString& category);
QList<WorkItemRow> workItems(Database& db, const QString& workType);
QList<DetailRow> details(Database& db, const QString& workItem);

// Order numbers 1, 2, 3 ... across the grids.
void writeAreas(Database& db, const QString& category, const QStringList& areas);

// Order numbers from 2 (grid row + 1). Details follow their work items: a renamed row
// carries the details of its old name to the new one (unless another work type holds the
// new name, whose details then stay), and the details of a name that neither this work
// type nor any other holds any more are deleted. loadedNames: the names as loaded.
void writeWorkItems(Database& db, const QString& workType, const QList<WorkItemRow>& rows,
                    const QStringList& loadedNames);

// Order numbers from 2 (grid row + 1).
void writeDetails(Database& db, const QString& workItem, const QList<DetailRow>& rows);

// Deletes the details of those names that no work type holds any more (inside the
// caller's transaction).
void dropOrphanDetails(Database& db, const QStringList& names);

} // namespace LexiconTables
} // namespace varn
