#include "lexicon/AreaGrids.h"

#include <algorithm>

namespace varn {

AreaGrids::AreaGrids()
{
    ensureGrids(1);
    m_grids[0]->setRows(1);
}

AreaGrids::~AreaGrids() = default;

void AreaGrids::ensureGrids(int n)
{
    while (count() < n) {
        auto g = std::make_unique<GridModel>(1, 1);
        g->setFixedRows(0);
        g->setFixedCols(0);
        m_grids.push_back(std::move(g));
        m_visible.push_back(count() == 1);
    }
}

int AreaGrids::lastVisible() const
{
    int last = 0;
    for (int i = 0; i < count(); ++i)
        if (m_visible[i])
            last = i;
    return last;
}

void AreaGrids::layOut(const QStringList& cells, bool keepEmptyGrid0)
{
    const int n = static_cast<int>(cells.size());
    const int used = n == 0 ? 1 : (n - 1) / PerGrid + 1;
    ensureGrids(used);
    for (int g = 0; g < count(); ++g) {
        GridModel& grid = *m_grids[g];
        grid.setRedraw(false);
        grid.clear();
        if (g < used) {
            const int rows = std::min(PerGrid, n - g * PerGrid);
            grid.setRows(std::max(rows, n == 0 && !keepEmptyGrid0 ? 1 : 0));
            for (int r = 0; r < rows; ++r)
                grid.setTextMatrix(r, 0, cells[g * PerGrid + r]);
        } else {
            grid.setRows(1);
        }
        m_visible[g] = g < used;
        grid.setRedraw(true);
    }
    emit layoutChanged();
}

void AreaGrids::show(const QStringList& areas, const QList<qint64>& ids)
{
    m_ids = ids;
    layOut(areas, false);
}

QList<qint64> AreaGrids::ids() const
{
    QList<qint64> out = m_ids;
    const qsizetype n = names().size();
    out.resize(n);   // new areas beyond the loaded ones: 0
    return out;
}

QStringList AreaGrids::cells() const
{
    QStringList out;
    for (int g = 0; g <= lastVisible(); ++g)
        for (int r = 0; r < m_grids[g]->rows(); ++r)
            out << m_grids[g]->textMatrix(r, 0);
    return out;
}

QStringList AreaGrids::names() const
{
    QStringList out = cells();
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

QString AreaGrids::text(Cell c) const
{
    return c.grid < count() ? m_grids[c.grid]->textMatrix(c.row, 0) : QString();
}

AreaGrids::Cell AreaGrids::addArea()
{
    int g = lastVisible();
    GridModel* grid = m_grids[g].get();
    if (grid->rows() >= PerGrid && !grid->textMatrix(PerGrid - 1, 0).isEmpty()) {
        // The next grid starts empty: a text left from earlier use would come before the new area.
        ++g;
        ensureGrids(g + 1);
        grid = m_grids[g].get();
        grid->clear();
        grid->setRows(1);
        m_visible[g] = true;
        emit layoutChanged();
        return {g, 0};
    }
    if (grid->rows() == 0) {
        grid->setRows(1);
        return {g, 0};
    }
    const int last = grid->rows() - 1;
    if (grid->textMatrix(last, 0).isEmpty())
        return {g, last};
    grid->setRows(last + 2);
    return {g, last + 1};
}

void AreaGrids::deleteArea(Cell c)
{
    QStringList all = cells();
    const int p = c.grid * PerGrid + c.row;
    if (p < 0 || p >= all.size())
        return;
    all.removeAt(p);
    if (p < m_ids.size())
        m_ids.removeAt(p);
    layOut(all, true);
}

void AreaGrids::swap(Cell a, Cell b)
{
    const QString ta = text(a);
    m_grids[a.grid]->setTextMatrix(a.row, 0, text(b));
    m_grids[b.grid]->setTextMatrix(b.row, 0, ta);
    m_grids[b.grid]->setRow(b.row);
    const qsizetype pa = a.grid * PerGrid + a.row, pb = b.grid * PerGrid + b.row;
    if (std::max(pa, pb) >= m_ids.size())
        m_ids.resize(std::max(pa, pb) + 1);
    m_ids.swapItemsAt(pa, pb);
}

std::optional<AreaGrids::Cell> AreaGrids::moveDown(Cell c)
{
    if (!isVisible(c.grid))
        return std::nullopt;
    const GridModel& grid = *m_grids[c.grid];
    Cell to{c.grid, c.row + 1};
    if (c.row >= grid.rows() - 1) {
        if (c.row != PerGrid - 1 || !isVisible(c.grid + 1))
            return std::nullopt;
        to = {c.grid + 1, 0};
    }
    swap(c, to);
    return to;
}

std::optional<AreaGrids::Cell> AreaGrids::moveUp(Cell c)
{
    if (!isVisible(c.grid))
        return std::nullopt;
    Cell to{c.grid, c.row - 1};
    if (c.row == 0) {
        if (c.grid == 0)
            return std::nullopt;
        to = {c.grid - 1, PerGrid - 1};
    }
    swap(c, to);
    return to;
}

} // namespace varn
