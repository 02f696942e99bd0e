#pragma once

#include "platform/grid/GridModel.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QPointer>

namespace varn {

// One rectangle of a GridModel as a Qt item model: the fixed corner, the fixed rows, the
// fixed columns or the scrolling body. GridView shows each in its own table so the fixed
// parts stay put while the body scrolls.
//
// The shape is cached and only re-read by refresh(): while the grid's redraw is off the
// GridModel sends nothing, and the views must not see rows appear one by one.
class GridRegionModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Region { Corner, Top, Left, Body };

    explicit GridRegionModel(Region region, QObject* parent = nullptr);

    void setGrid(GridModel* grid);
    GridModel* grid() const { return m_grid; }
    Region region() const { return m_region; }

    int firstRow() const { return m_firstRow; }
    int firstCol() const { return m_firstCol; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Re-reads the region's place in the grid: a reset when it moved or its columns
    // changed; otherwise rows added or removed at the end and one change notice over all
    // of its cells.
    void refresh();
    // A cell of the grid (grid coordinates) changed; ignored when outside this region.
    void gridCellChanged(int row, int col);
    // The grid cell of a local index and back; invalid index when outside.
    QModelIndex localIndex(int row, int col) const;
    int gridRow(const QModelIndex& index) const { return m_firstRow + index.row(); }
    int gridCol(const QModelIndex& index) const { return m_firstCol + index.column(); }

    void setBaseFont(const QFont& font);
    void setHighlightColors(const QColor& back, const QColor& fore);
    // Grid rows [first, last] are shown selected; first > last selects none.
    void setHighlightRows(int first, int last);

    // The grid's effective fixed rows/columns: never more than the grid has.
    static int fixedRowsOf(const GridModel& g);
    static int fixedColsOf(const GridModel& g);

private:
    void computeShape(int& firstRow, int& rows, int& firstCol, int& cols) const;
    bool highlighted(int gridRow) const;
    void notifyRows(int first, int last);

    Region m_region;
    QPointer<GridModel> m_grid;
    int m_firstRow = 0;
    int m_rows = 0;
    int m_firstCol = 0;
    int m_cols = 0;
    QFont m_font;
    QColor m_highlightBack;
    QColor m_highlightFore;
    int m_selFirst = 0;
    int m_selLast = -1;
};

} // namespace varn
