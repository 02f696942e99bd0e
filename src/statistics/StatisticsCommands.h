#pragma once

#include "platform/grid/GridModel.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace varn {

class Database;
class Quotation;

enum class StatisticsBy {
    WorkType,   // 依工種 (mCalT_Click)
    Area,       // 依區域 (mCalA_Click)
};

// Moves the rows of the shown grid whose 品名 is empty below the other rows of their own
// block (walking up, each to the block's end: named rows keep their order, the others end
// up reversed). The 階層 cell that heads a block stays on the
// block's first row, so no row changes leaf.
void CompactShownRows(GridModel& hfgQ);

// Titles and widths of the statistics grid hfgC (7 columns, the title row fixed).
void SetStatisticsGridTitles(GridModel& hfgC);

// A fraction as a whole percentage after rounding to two decimals: 0.2351 gives "24%".
QString SharePercent(double part, double whole);

// The parts' shares of a whole they add up to, as whole percentages that add up to 100%:
// each its exact share rounded down or up, the units to the largest remainders. Parts that
// do not add up to the whole each take SharePercent; a whole of 0 leaves every share empty.
QStringList SharePercents(const std::vector<double>& parts, double whole);

// The statistics commands of the quotation window and the grid of frmCal.
class StatisticsCommands {
public:
    StatisticsCommands(Quotation& q, Database& staDb);

    GridModel& hfgC() { return m_hfgC; }
    const GridModel& hfgC() const { return m_hfgC; }

    // `mCalT_Click` / `mCalA_Click` without the window: the shown node compacted, the root
    // selected, 統計 rebuilt and hfgC filled with one row per group and a totals row, the
    // columns the user may not see hidden. Returns false when 依 區 域 must be disabled
    // (by work type without areas). Throws DbError when 統計 cannot be rebuilt or read.
    bool run(StatisticsBy by);

    // The grid as a table for the spreadsheet: the title row and every row, the columns
    // from 1 on that the user may see (hidden columns are left out, not blanked). Its
    // amounts print whole, as the quotation's other printouts do: 合計's 小計 is the
    // quotation's 小計 as its first page prints it (its totals recomputed first, as every
    // print does), its 成本複計 the cost rounded; each group's is rounded down or up so that
    // the groups add up to them, and every 毛利 is the printed 小計 less the printed 成本複計.
    // The window keeps the exact figures.
    QVector<QStringList> exportRows();

private:
    void fill(StatisticsBy by);
    void hideByRights();

    Quotation& m_q;
    Database& m_staDb;
    GridModel m_hfgC;
};

} // namespace varn
