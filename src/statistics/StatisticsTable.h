#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace varn {

class Database;
class GridModel;

// The path separator "‧" and the root "Ｑ" of the quotation tree.
inline const QChar kPathSeparator(0x2027);
inline const QString kRootName = QStringLiteral("\uFF31");

// The levels of a path, the root "Ｑ" as level 0. An empty path has no level.
QStringList PathLevels(const QString& path);

// One row of 統計: columns 0 to 14 in table order.
struct StatisticsRow {
    QString tre;                 // leaf path
    QString des, siz, uni;       // 品名, 規格, 單位
    double qua = 0, unp = 0, top = 0, cos = 0, toc = 0, rat = 0;
    QString rem;                 // 備註
    std::optional<QString> aot;  // level 1 of the path, when it has one
    std::optional<QString> t;    // level 2 of the path, when it has one
    int blk = 0;                 // how many 階層 cells were met up to this row
    int sot = 0;                 // grid row

    bool operator==(const StatisticsRow&) const = default;
};

// One row per data row of the shown grid hfgQ (rows 1 to the last): the row's leaf path
// is the last non-empty 階層 cell at or above it; numbers are read by the editor's number
// rule, an empty cell giving 0. Blank rows are kept.
std::vector<StatisticsRow> StatisticsRowsFromGrid(const GridModel& hfgQ);

// `BuildStatistics`: 統計 emptied and refilled from hfgQ in one transaction, so a failure
// leaves the previous rows. Throws DbError.
void BuildStatistics(Database& staDb, const GridModel& hfgQ);
void WriteStatistics(Database& staDb, const std::vector<StatisticsRow>& rows);

// Rewrites of the print layouts, applied to a path level by level (never by searching the
// text, so an area named 浴室 leaves a deeper 主浴室 alone).
// Layout 2: the area (level 1) leaves a path that goes deeper: Ｑ‧A‧B becomes Ｑ‧B.
QString PathWithoutArea(const QString& path);
// Layout 3: the area moves to the end: Ｑ‧A‧B becomes Ｑ‧B‧A.
QString PathWithAreaLast(const QString& path);

// `NumberStatisticsGroups`: every group of the first level (AoT), or of the second (T) when
// bySecondLevel is set outside the no-area mode, gets its running number sn in the order
// of the saved query Aot or T; then treeMode 2 moves the area from the path into the item
// name and treeMode 3 to the end of the path. Nothing happens when the query returns no
// group. Runs in one transaction. Throws DbError.
void NumberStatisticsGroups(Database& staDb, bool bySecondLevel, bool noAreaMode, int treeMode);

} // namespace varn
