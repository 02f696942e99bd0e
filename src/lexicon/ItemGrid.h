#pragma once

#include "platform/grid/GridModel.h"

#include <QList>
#include <QStringList>

namespace varn {

// A lexicon grid with one header row (work items hfgW, details hfgD): row 0 the captions,
// then one row per entry. Columns past the captions are kept hidden (width 0).
class ItemGrid {
public:
    ItemGrid(const QStringList& captions, int hiddenCols = 0);

    GridModel& model() { return m_grid; }
    const GridModel& model() const { return m_grid; }
    int lastRow() const { return m_grid.rows() - 1; }
    int lastCol() const { return static_cast<int>(m_captions.size()) - 1; }
    QString text(int row, int col) const { return m_grid.textMatrix(row, col); }

    // The header and one row per entry (each its column texts); no entry: one empty row.
    void load(const QList<QStringList>& rows);
    // The rows an apply stores: every data row, except an empty-named last row.
    QList<QStringList> rows() const;

    // The row a new entry goes to: the last row when its name is empty, else a new row.
    int newRow();
    // Removes a data row (the header row stays); false for the header row.
    bool deleteRow(int row);
    // Moves a data row one place up (-1) or down (+1); false at either end.
    bool move(int row, int delta);

private:
    QStringList m_captions;
    GridModel m_grid;
};

} // namespace varn
