#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace varn {

class GridModel;

// The rows of one leaf in the master grid hfgB: rows first..last (both 0 when none).
struct BlockRange {
    int first = 0;
    int last = 0;
    bool found() const { return first > 0; }
    int size() const { return found() ? last - first + 1 : 0; }
};

// Row-block operations behind the node-click hub. The master grid hfgB holds one block of
// contiguous rows per leaf, every row carrying the leaf's path in column 1; an empty master
// grid has two rows and an empty row 1.
namespace RowBlocks {

// The first block of `path` in hfgB (`FindNodeRows`).
BlockRange find(const GridModel& hfgB, const QString& path);
// The first block of every path, found in one pass over hfgB.
QHash<QString, BlockRange> index(const GridModel& hfgB);

// Columns 2 to 12 of the row are all empty (column 1 does not count).
bool isRowEmpty(const GridModel& grid, int row);
// Data rows up to the last one that is not empty; 0 when every row is empty.
int usedRowCount(const GridModel& grid);
// Drops empty data rows from the end, never row 1 (`TrimEmptyRows`); true when a
// non-empty row is left (`GridHasData`).
bool trimEmptyRows(GridModel& grid);
// Every cell emptied, two rows left.
void reset(GridModel& grid);

// Removes every hfgB row whose path satisfies the test; an hfgB left without rows goes
// back to the empty two-row form. Returns the number of rows removed.
int removeRows(GridModel& hfgB, const std::function<bool(const QString& path)>& test);
// Removes the rows of one path.
int removeBlock(GridModel& hfgB, const QString& path);

// Stores data rows 1..count of the shown grid as the block of `path`: the old block goes,
// the new one is appended at the end (`StoreLeafRows`).
void store(GridModel& hfgB, const GridModel& shown, int count, const QString& path);

// Appends a block of hfgB to the shown grid (one leaf of `LstNd`): the path goes into
// column 1 of the block's first row, columns 2 to 12 are copied. The first block of an
// empty shown grid takes row 1.
void appendTo(GridModel& shown, const GridModel& hfgB, BlockRange block, const QString& path);

// Puts the rows of each path together at the place of its first row, keeping their order
// (a master grid read from a file whose blocks were split).
void groupBlocks(GridModel& hfgB);

} // namespace RowBlocks
} // namespace varn
