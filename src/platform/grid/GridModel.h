#pragma once

#include <QColor>
#include <QObject>
#include <QString>

#include <utility>
#include <vector>

namespace varn {

// Horizontal alignment codes of the original grid: 1 left (vertically centred), 4 centred,
// 7 right. 0 means the grid's default for the cell.
enum class CellAlign : int { Default = 0, Left = 1, Center = 4, Right = 7 };

struct CellFormat {
    QColor back;          // invalid colour: the grid's default
    QColor fore;
    CellAlign align = CellAlign::Default;
    bool bold = false;
    double fontSize = 0;  // 0: the grid's default
    bool operator==(const CellFormat&) const = default;
};

// The text matrix behind every item grid: rows and columns of texts with per-cell formats,
// fixed rows at the top and fixed columns at the left. It knows nothing of widgets; a
// GridView shows it. Row 0 / column 0 are fixed by default.
//
// Change notifications are signals. While redraw is off no signal is sent; turning it on
// again sends one reset, so filling thousands of cells repaints once.
class GridModel : public QObject {
    Q_OBJECT
public:
    explicit GridModel(int rows = 2, int cols = 2, QObject* parent = nullptr);

    int rows() const { return static_cast<int>(m_rows.size()); }
    int cols() const { return m_cols; }
    // Growing adds empty rows/columns at the end; shrinking drops them from the end.
    void setRows(int rows);
    void setCols(int cols);

    int fixedRows() const { return m_fixedRows; }
    int fixedCols() const { return m_fixedCols; }
    void setFixedRows(int n);
    void setFixedCols(int n);

    // Reading outside the grid gives an empty text; writing outside it is ignored.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell; formats set through setCell* apply to it.
    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int row);
    void setCol(int col);
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString& t) { setTextMatrix(m_row, m_col, t); }
    // The other end of the current row selection (equal to row() when one row is selected).
    int rowSel() const { return m_rowSel; }
    void setRowSel(int row);

    CellFormat cellFormat(int row, int col) const;
    void setCellFormat(int row, int col, const CellFormat& f);
    void setCellBackColor(const QColor& c);
    void setCellForeColor(const QColor& c);
    void setCellAlignment(CellAlign a);
    void setCellFontBold(bool bold);
    void setCellFontSize(double size);

    // Width in twips; 0 hides the column, which keeps its texts. -1: default width.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // Alignment applied to every cell of a column that has no alignment of its own.
    CellAlign colAlignment(int col) const;
    void setColAlignment(int col, CellAlign a);

    // Empties every cell, the fixed rows included, and drops cell formats; the row and
    // column counts stay.
    void clear();

    // Moves row `row` to position `pos`; the rows between shift by one.
    void setRowPosition(int row, int pos);
    // Inserts an empty row before `row` (at the end when row == rows()); removes a row.
    void insertRow(int row);
    void removeRow(int row);
    // Removes `count` rows from `first` on, as many as the grid has; one change.
    void removeRows(int first, int count);

    // With merging on, equal adjacent texts of that row are shown as one cell.
    bool mergeRow(int row) const;
    void setMergeRow(int row, bool merge);
    // The columns [first, last] of the merged span holding (row, col); first == last when
    // the cell is not merged.
    std::pair<int, int> mergedSpan(int row, int col) const;

    bool redraw() const { return m_redraw; }
    void setRedraw(bool on);

    QString toolTipText() const { return m_toolTip; }
    void setToolTipText(const QString& t) { m_toolTip = t; }

signals:
    void cellChanged(int row, int col);       // text or format of one cell
    void currentCellChanged(int row, int col);
    void rowSelChanged(int rowSel);           // the other end of the row selection moved
    void structureChanged();                  // rows, columns, order, widths, merges, clear

private:
    struct RowData {
        std::vector<QString> text;
        std::vector<CellFormat> format;       // empty until a format is set in the row
        bool merge = false;
    };
    bool inside(int row, int col) const;
    void notifyCell(int row, int col);
    void notifyStructure();
    void notifyCurrent(int oldRow, int oldCol, int oldRowSel);
    void clampCurrent();
    RowData emptyRow() const;

    std::vector<RowData> m_rows;
    int m_cols;
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    std::vector<int> m_colWidth;
    std::vector<CellAlign> m_colAlign;
    bool m_redraw = true;
    bool m_pendingReset = false;
    QString m_toolTip;
};

} // namespace varn
