#include "platform/grid/GridModel.h"

#include <algorithm>

namespace varn {

GridModel::GridModel(int rows, int cols, QObject* parent)
    : QObject(parent), m_cols(std::max(cols, 0))
{
    m_colWidth.assign(m_cols, -1);
    m_colAlign.assign(m_cols, CellAlign::Default);
    m_rows.assign(std::max(rows, 0), emptyRow());
}

GridModel::RowData GridModel::emptyRow() const
{
    RowData r;
    r.text.resize(m_cols);
    return r;
}

bool GridModel::inside(int row, int col) const
{
    return row >= 0 && row < rows() && col >= 0 && col < m_cols;
}

void GridModel::notifyCell(int row, int col)
{
    if (m_redraw)
        emit cellChanged(row, col);
    else
        m_pendingReset = true;
}

void GridModel::notifyStructure()
{
    if (m_redraw)
        emit structureChanged();
    else
        m_pendingReset = true;
}

void GridModel::notifyCurrent(int oldRow, int oldCol, int oldRowSel)
{
    if (!m_redraw) {
        if (oldRow != m_row || oldCol != m_col || oldRowSel != m_rowSel)
            m_pendingReset = true;
        return;
    }
    if (oldRow != m_row || oldCol != m_col)
        emit currentCellChanged(m_row, m_col);
    if (oldRowSel != m_rowSel)
        emit rowSelChanged(m_rowSel);
}

// Keeps the current cell and the selection inside the grid after it shrank.
void GridModel::clampCurrent()
{
    const int oldRow = m_row, oldCol = m_col, oldSel = m_rowSel;
    const int lastRow = std::max(rows() - 1, 0);
    const int lastCol = std::max(m_cols - 1, 0);
    m_row = std::clamp(m_row, 0, lastRow);
    m_rowSel = std::clamp(m_rowSel, 0, lastRow);
    m_col = std::clamp(m_col, 0, lastCol);
    notifyCurrent(oldRow, oldCol, oldSel);
}

void GridModel::setRows(int n)
{
    n = std::max(n, 0);
    if (n == rows())
        return;
    m_rows.resize(n, emptyRow());
    notifyStructure();
    clampCurrent();
}

void GridModel::setCols(int n)
{
    n = std::max(n, 0);
    if (n == m_cols)
        return;
    m_cols = n;
    for (RowData& r : m_rows) {
        r.text.resize(n);
        if (!r.format.empty())
            r.format.resize(n);
    }
    m_colWidth.resize(n, -1);
    m_colAlign.resize(n, CellAlign::Default);
    notifyStructure();
    clampCurrent();
}

void GridModel::setFixedRows(int n)
{
    n = std::max(n, 0);
    if (n == m_fixedRows)
        return;
    m_fixedRows = n;
    notifyStructure();
}

void GridModel::setFixedCols(int n)
{
    n = std::max(n, 0);
    if (n == m_fixedCols)
        return;
    m_fixedCols = n;
    notifyStructure();
}

QString GridModel::textMatrix(int row, int col) const
{
    if (!inside(row, col))
        return {};
    return m_rows[row].text[col];
}

void GridModel::setTextMatrix(int row, int col, const QString& text)
{
    if (!inside(row, col))
        return;
    QString& cell = m_rows[row].text[col];
    if (cell == text)
        return;
    cell = text;
    notifyCell(row, col);
}

void GridModel::setRow(int row)
{
    const int oldRow = m_row, oldCol = m_col, oldSel = m_rowSel;
    m_row = std::clamp(row, 0, std::max(rows() - 1, 0));
    // Moving the current row collapses the selection onto it, as a click does.
    m_rowSel = m_row;
    notifyCurrent(oldRow, oldCol, oldSel);
}

void GridModel::setCol(int col)
{
    const int oldRow = m_row, oldCol = m_col, oldSel = m_rowSel;
    m_col = std::clamp(col, 0, std::max(m_cols - 1, 0));
    notifyCurrent(oldRow, oldCol, oldSel);
}

void GridModel::setRowSel(int row)
{
    const int oldRow = m_row, oldCol = m_col, oldSel = m_rowSel;
    m_rowSel = std::clamp(row, 0, std::max(rows() - 1, 0));
    notifyCurrent(oldRow, oldCol, oldSel);
}

CellFormat GridModel::cellFormat(int row, int col) const
{
    if (!inside(row, col))
        return {};
    const RowData& r = m_rows[row];
    if (r.format.empty())
        return {};
    return r.format[col];
}

void GridModel::setCellFormat(int row, int col, const CellFormat& f)
{
    if (!inside(row, col))
        return;
    RowData& r = m_rows[row];
    if (r.format.empty()) {
        if (f == CellFormat{})
            return;
        r.format.resize(m_cols);
    }
    if (r.format[col] == f)
        return;
    r.format[col] = f;
    notifyCell(row, col);
}

void GridModel::setCellBackColor(const QColor& c)
{
    CellFormat f = cellFormat(m_row, m_col);
    f.back = c;
    setCellFormat(m_row, m_col, f);
}

void GridModel::setCellForeColor(const QColor& c)
{
    CellFormat f = cellFormat(m_row, m_col);
    f.fore = c;
    setCellFormat(m_row, m_col, f);
}

void GridModel::setCellAlignment(CellAlign a)
{
    CellFormat f = cellFormat(m_row, m_col);
    f.align = a;
    setCellFormat(m_row, m_col, f);
}

void GridModel::setCellFontBold(bool bold)
{
    CellFormat f = cellFormat(m_row, m_col);
    f.bold = bold;
    setCellFormat(m_row, m_col, f);
}

void GridModel::setCellFontSize(double size)
{
    CellFormat f = cellFormat(m_row, m_col);
    f.fontSize = std::max(size, 0.0);
    setCellFormat(m_row, m_col, f);
}

int GridModel::colWidth(int col) const
{
    if (col < 0 || col >= m_cols)
        return -1;
    return m_colWidth[col];
}

void GridModel::setColWidth(int col, int twips)
{
    if (col < 0 || col >= m_cols)
        return;
    if (twips < 0)
        twips = -1;
    if (m_colWidth[col] == twips)
        return;
    m_colWidth[col] = twips;
    notifyStructure();
}

CellAlign GridModel::colAlignment(int col) const
{
    if (col < 0 || col >= m_cols)
        return CellAlign::Default;
    return m_colAlign[col];
}

void GridModel::setColAlignment(int col, CellAlign a)
{
    if (col < 0 || col >= m_cols || m_colAlign[col] == a)
        return;
    m_colAlign[col] = a;
    notifyStructure();
}

void GridModel::clear()
{
    for (RowData& r : m_rows) {
        std::fill(r.text.begin(), r.text.end(), QString());
        r.format.clear();
        r.format.shrink_to_fit();
    }
    notifyStructure();
}

void GridModel::setRowPosition(int row, int pos)
{
    if (row < 0 || row >= rows() || pos < 0 || pos >= rows() || row == pos)
        return;
    auto first = m_rows.begin();
    if (row < pos)
        std::rotate(first + row, first + row + 1, first + pos + 1);
    else
        std::rotate(first + pos, first + row, first + row + 1);
    notifyStructure();
}

void GridModel::insertRow(int row)
{
    if (row < 0 || row > rows())
        return;
    m_rows.insert(m_rows.begin() + row, emptyRow());
    notifyStructure();
}

void GridModel::removeRow(int row)
{
    removeRows(row, 1);
}

void GridModel::removeRows(int first, int count)
{
    if (first < 0 || first >= rows() || count <= 0)
        return;
    const int last = std::min(first + count, rows());
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last);
    notifyStructure();
    clampCurrent();
}

bool GridModel::mergeRow(int row) const
{
    return row >= 0 && row < rows() && m_rows[row].merge;
}

void GridModel::setMergeRow(int row, bool merge)
{
    if (row < 0 || row >= rows() || m_rows[row].merge == merge)
        return;
    m_rows[row].merge = merge;
    notifyStructure();
}

std::pair<int, int> GridModel::mergedSpan(int row, int col) const
{
    if (!inside(row, col) || !m_rows[row].merge)
        return {col, col};
    const std::vector<QString>& t = m_rows[row].text;
    // Blank cells stay single: merging them would only blur where a click lands.
    if (t[col].isEmpty())
        return {col, col};
    int first = col;
    while (first > 0 && t[first - 1] == t[col])
        --first;
    int last = col;
    while (last + 1 < m_cols && t[last + 1] == t[col])
        ++last;
    return {first, last};
}

void GridModel::setRedraw(bool on)
{
    if (on == m_redraw)
        return;
    m_redraw = on;
    if (on) {
        m_pendingReset = false;
        emit structureChanged();
    }
}

} // namespace varn
