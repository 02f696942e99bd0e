#pragma once

#include "platform/grid/GridModel.h"

#include <QPointer>
#include <QTableView>

#include <utility>

namespace varn {

class GridRegionModel;
class FrozenHeader;

// Shows a GridModel. The body (scrolling rows and columns) is this table itself; the fixed
// rows, the fixed columns and their corner are separate tables laid over the header areas,
// so they stay in place while the body scrolls and merged header cells span as in the model.
//
// The view edits nothing: windows place their own editor widgets over cellRect(). A left
// click on a data cell makes it the model's current cell; a left press in the fixed
// columns starts a row selection that dragging extends (model row and rowSel). Mouse
// positions in the signals are in this widget's pixels.
//
// Column widths, alignment, formats and spans come from the model only; do not size or
// hide the view's columns directly.
class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void setGridModel(GridModel* grid);
    GridModel* gridModel() const { return m_grid; }

    // The cell under the mouse at its last press, move or release. Past the last row or
    // column it is the last one, as with the grids the windows were designed for.
    int mouseRow() const { return m_mouseRow; }
    int mouseCol() const { return m_mouseCol; }
    // That position lay in the empty part of the body below the last row (mouseRow then
    // still names the last row).
    bool mouseBelowRows() const { return m_mouseBelowRows; }

    // The cell under a point of this widget, clamped as mouseRow/mouseCol; (-1, -1) when
    // the grid has no cells.
    std::pair<int, int> cellAt(const QPoint& pos) const;
    // A cell's rectangle in this widget's pixels, following the scrolling (it may lie
    // outside the visible area). A hidden column gives a rectangle of width 0. Invalid
    // for a cell outside the grid.
    QRect cellRect(int row, int col) const;
    // The point lies in the body below its last row, where no cell is.
    bool belowLastRow(const QPoint& pos) const;
    // Height of every row in pixels (300 twips).
    int gridRowHeight() const { return m_rowHeight; }

signals:
    void cellClicked(int row, int col);
    void cellDoubleClicked(int row, int col);
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void mouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint& pos);
    void scrolled();
    void currentCellChanged(int row, int col);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QTableView* makeFrozenView(QWidget* parent, GridRegionModel* model);
    void disconnectGrid();
    void onStructureChanged();
    void onCellChanged(int row, int col);
    void onCurrentChanged();
    void applyStructure();
    void applyColumns(QTableView* view, int firstCol, int count);
    void applySpans();
    void applyColors();
    void updateHighlight();
    void repaintAll();
    int colWidthPixels(int col) const;
    int fixedColsWidth() const;
    int columnOffsetIn(int firstCol, int col) const;
    bool handleMouse(QWidget* viewport, QEvent* event);

    QPointer<GridModel> m_grid;
    QList<QMetaObject::Connection> m_connections;
    GridRegionModel* m_body = nullptr;
    GridRegionModel* m_top = nullptr;
    GridRegionModel* m_left = nullptr;
    GridRegionModel* m_corner = nullptr;
    FrozenHeader* m_hHeader = nullptr;
    FrozenHeader* m_vHeader = nullptr;
    QTableView* m_topView = nullptr;
    QTableView* m_leftView = nullptr;
    QTableView* m_cornerView = nullptr;
    int m_rowHeight = 20;
    int m_mouseRow = 0;
    int m_mouseCol = 0;
    bool m_mouseBelowRows = false;
    bool m_dragSelecting = false;   // left button went down in the fixed columns
    bool m_selectorRow = false;     // the shown selection came from the fixed columns
    bool m_suppressClick = false;   // the release that ends a double click
};

} // namespace varn
