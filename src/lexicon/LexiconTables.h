#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace varn {

class Database;

// A row of a lexicon table as a window holds it: which loaded row it is (its rowid at the
// load, 0 for a row added in the window) and its texts, column by column.
struct LexiconRow {
    qint64 id = 0;
    QStringList values;
};

// A table of rows kept in order under a key: k2a (per category), t2w (per work type),
// w2d (per work item), or a lookup list (no key).
struct RowTable {
    QString table;
    QString key;              // empty: the whole table is one list
    QStringList columns;      // the columns a window edits, in its order
    QList<bool> numeric;      // per column: stored as a number (StoredNumber)
    QString sort;
    int firstSort = 1;        // order number of the first row

    static const RowTable& areas();
    static const RowTable& workItems();
    static const RowTable& details();
    static RowTable lookupList(int list);
};

// Reads and writes of the lexicon tables k2a, t2w and w2d. Every write is one transaction
// (on failure, DbError, nothing has changed) that changes only what the window changed
// since it loaded: rows it added, edited, moved or deleted, applied to the rows as they
// are stored now. Rows another workstation added meanwhile stay, after the window's rows.
namespace LexiconTables {

// Inserts rows of bound values under one statement head ("INSERT INTO t (a, b)"), many
// rows a statement.
void insertRows(Database& db, const QString& head, const QList<QVariantList>& rows);

QStringList categories(Database& db);
QStringList workTypes(Database& db);
QStringList units(Database& db);

// The rows stored under the key, in their order.
QList<LexiconRow> read(Database& db, const RowTable& table, const QString& key = {});

// Writes the window's rows (display order) over the rows it loaded, inside the caller's
// transaction. Loaded rows are found among the stored ones by their texts (else by their
// name): rows the window deleted go, rows it changed take its texts, rows it left alone
// keep what is stored now, and a row another workstation removed comes back only when this
// window changed it. Rows stored since the load follow the window's rows. The key's rows
// are written again in that order, numbered from firstSort.
void merge(Database& db, const RowTable& table, const QString& key, const QList<LexiconRow>& loaded,
           const QList<LexiconRow>& rows);

// The applies of the three grids. Each first checks that its owner (the category, the
// work type, the work item) still stands; if another workstation removed it, nothing is
// written and DbError says so. The areas and work items refuse a name their key would
// hold once more than it does, letter case aside, and again with blanks before or after
// it aside too (DbError DuplicateKey, "【name】已經存在"): names stored twice already
// stay, and nothing is written.
void writeAreas(Database& db, const QString& category, const QList<LexiconRow>& loaded,
                const QList<LexiconRow>& rows);

// Details follow their work items: a renamed row carries the details of its old name to
// the new one (copies them when the old name is still held elsewhere); where the new name
// already has details, the carried ones join them and a detail name both hold keeps the
// existing markup. The details of a name no work type holds any more are deleted. Returns
// a notice for every such joining.
QStringList writeWorkItems(Database& db, const QString& workType, const QList<LexiconRow>& loaded,
                           const QList<LexiconRow>& rows);

void writeDetails(Database& db, const QString& workItem, const QList<LexiconRow>& loaded,
                  const QList<LexiconRow>& rows);

// Deletes the details of those names that no work type holds any more (inside the
// caller's transaction).
void dropOrphanDetails(Database& db, const QStringList& names);

} // namespace LexiconTables
} // namespace varn
