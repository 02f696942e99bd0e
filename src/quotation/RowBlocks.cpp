#include "quotation/RowBlocks.h"

#include "platform/grid/GridModel.h"
#include "quotation/ItemColumns.h"

#include <vector>

namespace varn::RowBlocks {

BlockRange find(const GridModel& hfgB, const QString& path)
{
    BlockRange b;
    const int rows = hfgB.rows();
    for (int r = 1; r < rows; ++r) {
        if (hfgB.textMatrix(r, QCol::Path) == path) {
            b.first = r;
            break;
        }
    }
    if (!b.found())
        return b;
    b.last = rows - 1;
    for (int r = b.first + 1; r < rows; ++r) {
        if (hfgB.textMatrix(r, QCol::Path) != path) {
            b.last = r - 1;
            break;
        }
    }
    return b;
}

QHash<QString, BlockRange> index(const GridModel& hfgB)
{
    QHash<QString, BlockRange> out;
    const int rows = hfgB.rows();
    int r = 1;
    while (r < rows) {
        const QString path = hfgB.textMatrix(r, QCol::Path);
        int last = r;
        while (last + 1 < rows && hfgB.textMatrix(last + 1, QCol::Path) == path)
            ++last;
        if (!path.isEmpty() && !out.contains(path))
            out.insert(path, BlockRange{r, last});
        r = last + 1;
    }
    return out;
}

bool isRowEmpty(const GridModel& grid, int row)
{
    for (int c = QCol::Name; c <= QCol::WorkItem; ++c) {
        if (!grid.textMatrix(row, c).isEmpty())
            return false;
    }
    return true;
}

int usedRowCount(const GridModel& grid)
{
    for (int r = grid.rows() - 1; r >= 1; --r) {
        if (!isRowEmpty(grid, r))
            return r;
    }
    return 0;
}

bool trimEmptyRows(GridModel& grid)
{
    const int used = usedRowCount(grid);
    grid.setRows(std::max(used, 1) + 1);
    return used > 0;
}

void reset(GridModel& grid)
{
    grid.clear();
    grid.setRows(2);
}

namespace {

bool isEmptyMaster(const GridModel& hfgB)
{
    return hfgB.rows() <= 2 && hfgB.textMatrix(1, QCol::Path).isEmpty()
        && isRowEmpty(hfgB, 1);
}

} // namespace

int removeRows(GridModel& hfgB, const std::function<bool(const QString&)>& test)
{
    int removed = 0;
    const bool redraw = hfgB.redraw();
    hfgB.setRedraw(false);
    // From the end, a run at a time, so rows above a removed run never move twice.
    int r = hfgB.rows() - 1;
    while (r >= 1) {
        if (!test(hfgB.textMatrix(r, QCol::Path))) {
            --r;
            continue;
        }
        int first = r;
        while (first - 1 >= 1 && test(hfgB.textMatrix(first - 1, QCol::Path)))
            --first;
        hfgB.removeRows(first, r - first + 1);
        removed += r - first + 1;
        r = first - 1;
    }
    if (hfgB.rows() < 2) {
        hfgB.setRows(2);
        for (int c = 0; c < hfgB.cols(); ++c)
            hfgB.setTextMatrix(1, c, {});
    }
    hfgB.setRedraw(redraw);
    return removed;
}

int removeBlock(GridModel& hfgB, const QString& path)
{
    return removeRows(hfgB, [&path](const QString& p) { return p == path; });
}

void store(GridModel& hfgB, const GridModel& shown, int count, const QString& path)
{
    const bool redraw = hfgB.redraw();
    hfgB.setRedraw(false);
    removeBlock(hfgB, path);
    if (count > 0) {
        int at;
        if (isEmptyMaster(hfgB)) {
            at = 1;
            hfgB.setRows(1 + count);
        } else {
            at = hfgB.rows();
            hfgB.setRows(hfgB.rows() + count);
        }
        for (int i = 1; i <= count; ++i, ++at) {
            hfgB.setTextMatrix(at, QCol::Path, path);
            for (int c = QCol::Name; c <= QCol::WorkItem; ++c)
                hfgB.setTextMatrix(at, c, shown.textMatrix(i, c));
        }
    }
    hfgB.setRedraw(redraw);
}

void appendTo(GridModel& shown, const GridModel& hfgB, BlockRange block, const QString& path)
{
    if (!block.found())
        return;
    int at;
    if (shown.rows() == 2 && shown.textMatrix(1, QCol::Path).isEmpty()
        && shown.textMatrix(1, QCol::Name).isEmpty()) {
        at = 1;
        shown.setRows(2 + block.last - block.first);
    } else {
        at = shown.rows();
        shown.setRows(shown.rows() + block.size());
    }
    shown.setTextMatrix(at, QCol::Path, path);
    for (int src = block.first; src <= block.last; ++src, ++at) {
        for (int c = QCol::Name; c <= QCol::WorkItem; ++c)
            shown.setTextMatrix(at, c, hfgB.textMatrix(src, c));
    }
}

void groupBlocks(GridModel& hfgB)
{
    const int rows = hfgB.rows();
    QHash<QString, int> firstSeen;
    std::vector<std::vector<int>> groups;
    bool split = false;
    QString previous;
    for (int r = 1; r < rows; ++r) {
        const QString path = hfgB.textMatrix(r, QCol::Path);
        auto it = firstSeen.find(path);
        if (it == firstSeen.end()) {
            firstSeen.insert(path, static_cast<int>(groups.size()));
            groups.push_back({r});
        } else {
            if (path != previous)
                split = true;
            groups[*it].push_back(r);
        }
        previous = path;
    }
    if (!split)
        return;
    // Rebuild the rows in grouped order through a copy of the texts.
    std::vector<std::vector<QString>> texts;
    texts.reserve(rows);
    for (const auto& g : groups) {
        for (int r : g) {
            std::vector<QString> row(hfgB.cols());
            for (int c = 0; c < hfgB.cols(); ++c)
                row[c] = hfgB.textMatrix(r, c);
            texts.push_back(std::move(row));
        }
    }
    const bool redraw = hfgB.redraw();
    hfgB.setRedraw(false);
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        for (int c = 0; c < hfgB.cols(); ++c)
            hfgB.setTextMatrix(i + 1, c, texts[i][c]);
    }
    hfgB.setRedraw(redraw);
}

} // namespace varn::RowBlocks
