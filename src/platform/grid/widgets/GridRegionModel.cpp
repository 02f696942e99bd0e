#include "platform/grid/widgets/GridRegionModel.h"

#include <algorithm>

namespace varn {

namespace {

// The grid's general alignment: numbers to the right, other text to the left.
bool looksNumeric(const QString& text)
{
    QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    if (t.endsWith(QLatin1Char('%')))
        t.chop(1);
    t.remove(QLatin1Char(','));
    bool ok = false;
    t.toDouble(&ok);
    return ok;
}

Qt::Alignment toQt(CellAlign a, const QString& text)
{
    switch (a) {
    case CellAlign::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case CellAlign::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case CellAlign::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellAlign::Default:
        break;
    }
    return (looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

} // namespace

GridRegionModel::GridRegionModel(Region region, QObject* parent)
    : QAbstractTableModel(parent), m_region(region)
{
}

int GridRegionModel::fixedRowsOf(const GridModel& g)
{
    return std::clamp(g.fixedRows(), 0, g.rows());
}

int GridRegionModel::fixedColsOf(const GridModel& g)
{
    return std::clamp(g.fixedCols(), 0, g.cols());
}

void GridRegionModel::setGrid(GridModel* grid)
{
    beginResetModel();
    m_grid = grid;
    computeShape(m_firstRow, m_rows, m_firstCol, m_cols);
    endResetModel();
}

void GridRegionModel::computeShape(int& firstRow, int& rows, int& firstCol, int& cols) const
{
    firstRow = rows = firstCol = cols = 0;
    if (!m_grid)
        return;
    const int fr = fixedRowsOf(*m_grid);
    const int fc = fixedColsOf(*m_grid);
    const bool fixedRowPart = m_region == Region::Corner || m_region == Region::Top;
    const bool fixedColPart = m_region == Region::Corner || m_region == Region::Left;
    firstRow = fixedRowPart ? 0 : fr;
    rows = fixedRowPart ? fr : m_grid->rows() - fr;
    firstCol = fixedColPart ? 0 : fc;
    cols = fixedColPart ? fc : m_grid->cols() - fc;
}

int GridRegionModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int GridRegionModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cols;
}

bool GridRegionModel::highlighted(int gridRow) const
{
    return m_region == Region::Body && gridRow >= m_selFirst && gridRow <= m_selLast;
}

QVariant GridRegionModel::data(const QModelIndex& index, int role) const
{
    if (!m_grid || !index.isValid())
        return {};
    const int row = gridRow(index);
    const int col = gridCol(index);
    switch (role) {
    case Qt::DisplayRole:
        return m_grid->textMatrix(row, col);
    case Qt::BackgroundRole: {
        if (highlighted(row) && m_highlightBack.isValid())
            return m_highlightBack;
        const QColor c = m_grid->cellFormat(row, col).back;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::ForegroundRole: {
        if (highlighted(row) && m_highlightFore.isValid())
            return m_highlightFore;
        const QColor c = m_grid->cellFormat(row, col).fore;
        return c.isValid() ? QVariant(c) : QVariant();
    }
    case Qt::FontRole: {
        const CellFormat f = m_grid->cellFormat(row, col);
        if (!f.bold && f.fontSize <= 0)
            return {};
        QFont font = m_font;
        font.setBold(f.bold);
        if (f.fontSize > 0)
            font.setPointSizeF(f.fontSize);
        return font;
    }
    case Qt::TextAlignmentRole: {
        CellAlign a = m_grid->cellFormat(row, col).align;
        if (a == CellAlign::Default)
            a = m_grid->colAlignment(col);
        return QVariant::fromValue(toQt(a, m_grid->textMatrix(row, col)));
    }
    default:
        return {};
    }
}

void GridRegionModel::refresh()
{
    int firstRow, rows, firstCol, cols;
    computeShape(firstRow, rows, firstCol, cols);
    if (firstRow != m_firstRow || firstCol != m_firstCol || cols != m_cols) {
        beginResetModel();
        m_firstRow = firstRow;
        m_rows = rows;
        m_firstCol = firstCol;
        m_cols = cols;
        endResetModel();
        return;
    }
    // Only the number of rows changed, as when a grid is filled with other rows: they come
    // and go at the end. A reset would make the views drop their column sizes and lay
    // everything out, and paint, once more.
    if (rows > m_rows) {
        beginInsertRows({}, m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows({}, rows, m_rows - 1);
        m_rows = rows;
        endRemoveRows();
    }
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1));
}

QModelIndex GridRegionModel::localIndex(int row, int col) const
{
    const int r = row - m_firstRow;
    const int c = col - m_firstCol;
    if (r < 0 || r >= m_rows || c < 0 || c >= m_cols)
        return {};
    return index(r, c);
}

void GridRegionModel::gridCellChanged(int row, int col)
{
    const QModelIndex i = localIndex(row, col);
    if (i.isValid())
        emit dataChanged(i, i);
}

void GridRegionModel::setBaseFont(const QFont& font)
{
    m_font = font;
}

void GridRegionModel::setHighlightColors(const QColor& back, const QColor& fore)
{
    m_highlightBack = back;
    m_highlightFore = fore;
}

void GridRegionModel::notifyRows(int first, int last)
{
    first = std::max(first - m_firstRow, 0);
    last = std::min(last - m_firstRow, m_rows - 1);
    if (first > last || m_cols == 0)
        return;
    emit dataChanged(index(first, 0), index(last, m_cols - 1),
                     {Qt::BackgroundRole, Qt::ForegroundRole});
}

void GridRegionModel::setHighlightRows(int first, int last)
{
    if (first > last) {
        first = 0;
        last = -1;
    }
    if (first == m_selFirst && last == m_selLast)
        return;
    const int oldFirst = m_selFirst, oldLast = m_selLast;
    m_selFirst = first;
    m_selLast = last;
    if (m_region != Region::Body)
        return;
    notifyRows(oldFirst, oldLast);
    notifyRows(first, last);
}

} // namespace varn
