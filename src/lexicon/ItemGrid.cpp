#include "lexicon/ItemGrid.h"

namespace varn {

ItemGrid::ItemGrid(const QStringList& captions, int hiddenCols)
    : m_captions(captions)
    , m_grid(2, static_cast<int>(captions.size()) + hiddenCols)
{
    m_grid.setFixedRows(1);
    m_grid.setFixedCols(0);
    for (int c = static_cast<int>(captions.size()); c < m_grid.cols(); ++c)
        m_grid.setColWidth(c, 0);
    load({});
}

void ItemGrid::load(const QList<QStringList>& rows)
{
    m_grid.setRedraw(false);
    m_grid.clear();
    m_grid.setRows(std::max<int>(2, static_cast<int>(rows.size()) + 1));
    for (int c = 0; c < m_captions.size(); ++c)
        m_grid.setTextMatrix(0, c, m_captions[c]);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < m_grid.cols(); ++c)
            m_grid.setTextMatrix(r + 1, c, rows[r][c]);
    for (int c = 0; c < m_grid.cols(); ++c)
        m_grid.setColAlignment(c, CellAlign::Left);
    m_grid.setRow(1);
    m_grid.setCol(0);
    m_grid.setRedraw(true);
}

QList<QStringList> ItemGrid::rows() const
{
    QList<QStringList> out;
    int last = lastRow();
    if (last >= 1 && m_grid.textMatrix(last, 0).isEmpty())
        --last;
    for (int r = 1; r <= last; ++r) {
        QStringList row;
        for (int c = 0; c < m_grid.cols(); ++c)
            row << m_grid.textMatrix(r, c);
        out << row;
    }
    return out;
}

int ItemGrid::newRow()
{
    const int last = lastRow();
    if (last >= 1 && m_grid.textMatrix(last, 0).isEmpty())
        return last;
    m_grid.insertRow(m_grid.rows());
    return lastRow();
}

bool ItemGrid::deleteRow(int row)
{
    if (row < 1 || row > lastRow())
        return false;
    m_grid.removeRow(row);
    m_grid.setRow(std::min(row, lastRow()));
    return true;
}

bool ItemGrid::move(int row, int delta)
{
    const int to = row + delta;
    if (row < 1 || row > lastRow() || to < 1 || to > lastRow())
        return false;
    // Exchanging the texts of two rows touches two rows of the view, not its whole layout.
    for (int c = 0; c < m_grid.cols(); ++c) {
        const QString moving = m_grid.textMatrix(row, c);
        m_grid.setTextMatrix(row, c, m_grid.textMatrix(to, c));
        m_grid.setTextMatrix(to, c, moving);
    }
    m_grid.setRow(to);
    return true;
}

} // namespace varn
