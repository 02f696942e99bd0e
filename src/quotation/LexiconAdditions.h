#pragma once

#include <QString>
#include <QStringList>

namespace varn {

class Database;
class GridModel;
class Quotation;

// What one run of 品名加入施工資料庫 did: the names the lexicon already held, in grid order,
// and how many rows it appended to t2w.
struct LexiconAddition {
    QStringList skipped;
    int added = 0;
};

namespace LexiconAdditions {

// The work type whose items the command would add: the shown node's name when that node is
// a leaf that is a work type (any level below the root in the no-area mode, any level below
// the areas otherwise). Empty when the command cannot run here (the root, an inner node, or
// an area that has no work types), since the names would be filed under an area's name.
QString targetWorkType(const Quotation& q);

// `hasw`: t2w holds the work item w for the work type t, compared exactly (the table's
// columns compare without regard to case, the names here do not).
bool hasw(Database& db, const QString& w, const QString& t);

// Appends to t2w every row of the grid (rows 1 onward) whose 品名 is not empty and that
// the work type does not hold yet: unit, the leading numbers of 成本 and 比例, and order
// numbers following the work type's largest (from 1 when it has none). A name met twice
// is added once and then listed as present. All rows go in one transaction, so a failure
// adds nothing. Throws DbError.
LexiconAddition addItems(Database& db, const QString& workType, const GridModel& grid);

} // namespace LexiconAdditions
} // namespace varn
