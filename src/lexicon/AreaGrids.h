#pragma once

#include "platform/grid/GridModel.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace varn {

// The areas of one category as the row of one-column grids hfgA(0..n) shows them: area p
// (from 0) stands in grid p / 20, row p % 20; every grid before the last visible one is
// full. Grids are made on demand and never destroyed; grid 0 is always visible.
class AreaGrids : public QObject {
    Q_OBJECT
public:
    static constexpr int PerGrid = 20;

    struct Cell {
        int grid = 0;
        int row = 0;
        bool operator==(const Cell&) const = default;
    };

    AreaGrids();
    ~AreaGrids() override;

    int count() const { return static_cast<int>(m_grids.size()); }
    GridModel& grid(int i) { return *m_grids.at(i); }
    bool isVisible(int i) const { return i >= 0 && i < count() && m_visible[i]; }
    int lastVisible() const;

    // Lays the areas out over the grids (an empty list: grid 0 with one empty row); ids:
    // the stored row of each area, which follows it through moves and deletions.
    void show(const QStringList& areas, const QList<qint64>& ids = {});
    // The areas in display order as stored by an apply: an empty last row is left out,
    // empty rows before it are kept.
    QStringList names() const;
    // Every cell in display order, empty ones included.
    QStringList cells() const;
    QString text(Cell c) const;
    // The stored row of each area of names() (0 for one added here).
    QList<qint64> ids() const;

    // The cell for a new area after the last one: the last row when it is empty, else a
    // new row, opening the next grid when the last is full.
    Cell addArea();
    // Removes the area and pulls every later one up one place, across the grids.
    void deleteArea(Cell c);
    // Exchanges the area with its neighbour (across grids); the cell it moved to, or
    // nothing at either end.
    std::optional<Cell> moveDown(Cell c);
    std::optional<Cell> moveUp(Cell c);

signals:
    // Grids were made, shown or hidden.
    void layoutChanged();

private:
    void ensureGrids(int n);
    void layOut(const QStringList& cells, bool keepEmptyGrid0);
    void swap(Cell a, Cell b);

    std::vector<std::unique_ptr<GridModel>> m_grids;
    std::vector<bool> m_visible;
    QList<qint64> m_ids;   // by display position
};

} // namespace varn
