#pragma once

#include "lexicon/LexiconTables.h"
#include "platform/grid/GridModel.h"
#include "shared/LookupLists.h"

#include <QStringList>

#include <array>
#include <memory>

namespace varn {

class Database;

// The thirteen lookup lists of the tab 其他詞庫, each a one-column grid without header
// (hfgS(0..12)) holding a working copy of its table from the window's opening to its close.
class LookupListSet {
public:
    LookupListSet();

    GridModel& grid(int i) { return *m_grids.at(i); }

    // Fills every grid from its table; an empty table shows one empty row.
    void load(Database& db);
    // A cell was clicked for editing: when the last row of the list holds a text, an empty
    // row is added so that a new entry can be typed at the end.
    void prepareEdit(int list);
    // The row a left click on the list edits, after prepareEdit: the clicked row, or for a
    // click below the entries (belowRows, row being the last one) the empty row at the end,
    // as an entry is changed only by a click on it.
    int editRowForClick(int list, int row, bool belowRows);

    // The list as it would be stored: every row, except an empty last row.
    QStringList entries(int list) const;
    // The lists whose entries differ from what was loaded.
    bool changed(int list) const;
    bool anyChanged() const;

    // Writes what changed in each list since the load (edited and added entries, a
    // dropped last entry), numbered 1..n in display order with entries another
    // workstation added meanwhile after them, all in one transaction (DbError on
    // failure, and then no table has changed). Afterwards the grids show the stored lists.
    void save(Database& db);

private:
    std::array<std::unique_ptr<GridModel>, kLookupListCount> m_grids;
    std::array<QStringList, kLookupListCount> m_loaded;
    std::array<QList<LexiconRow>, kLookupListCount> m_rows;   // as loaded
};

} // namespace varn
