#pragma once

#include <QString>
#include <QStringList>

namespace varn {

class Database;

// One pick list of the quotation window as read from the main database: its entries in the
// order the database gives them, or why it could not be read (the list is then empty).
struct PickList {
    QStringList entries;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// The look-ups behind the quotation window's lists: header combos, row editors, the tax and
// page-end lists, the tree's name pick list. Every value goes in as a bound parameter, so
// names holding quotes are looked up like any other.
namespace PickLists {

PickList categories(Database& db);                              // 別.k        -> cbK
PickList areasOf(Database& db, const QString& category);        // k2a.a       -> LsA, lstAK
PickList workTypes(Database& db);                               // 種.t        -> lstAK
PickList salespersons(Database& db);                            // 員工.中文姓名 -> cbSal
PickList caseKinds(Database& db);                               // 案.案       -> cbEcn
PickList units(Database& db);                                   // u.u         -> cbU
PickList ratios(Database& db);                                  // sc.sc       -> cbS
PickList remarkPhrases(Database& db);                           // Qps.ps      -> cbPs
PickList pageEndPhrases(Database& db);                          // ps.ps       -> cbPe(0..4)
PickList detailsOf(Database& db, const QString& workItem);      // w2d.d       -> cbD

// The work items of the nearest work type on the shown path (`LoadItemPickList`): the
// candidates are tried in order (the path's parts from the last to the first) and the
// first that names a work type with items gives the list; none gives an empty list.
PickList itemsForPath(Database& db, const QStringList& workTypeCandidates);

// A ratio as the tax list shows it, a whole percentage: 0.05 gives "5%".
QString percentText(double ratio);
// The tax list: the ratio list as percentages.
QStringList taxRates(const QStringList& ratios);
// What the tax combo shows after loading, whatever the list holds.
inline QString defaultTaxRate() { return QStringLiteral("5%"); }

} // namespace PickLists
} // namespace varn
