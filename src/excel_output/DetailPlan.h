#pragma once

#include "excel_output/PrintRanges.h"
#include "excel_output/SheetPlan.h"
#include "quotation/LayoutFlags.h"

#include <QStringList>

#include <array>
#include <vector>

namespace varn {

// One item row of the statistics in print order (the saved query AlbyP): its leaf path and
// its columns.
struct DetailRow {
    QString tre;                  // leaf path, levels joined by "‧", the root first
    QString des, siz, uni, rem;   // 品名, 規格, 單位, 備註
    QString aot;                  // the first path level (the area)
    QString t;                    // the second path level (the work type under an area)
    double qua = 0, unp = 0, top = 0, cos = 0, toc = 0, rat = 0;
};

// Numbers the headings of a detail sheet (壹 / 一 / A / a): a path level gets a heading when it
// differs from the last path's, and so does every level below one that got a heading, with its
// counter restarted. Levels past the fourth get none.
class HeadingCounter {
public:
    static constexpr int kLevels = 4;

    // Calls heading(level, number, name) for each heading the path's levels need, top first.
    template <class Heading>
    void enter(const QStringList& levels, Heading&& heading)
    {
        bool higherWritten = false;
        for (int k = 1; k < levels.size() && k <= kLevels; ++k) {
            const bool differs = k >= shown_.size() || levels[k] != shown_[k];
            if (!differs && !higherWritten)
                continue;
            higherWritten = true;
            ++counters_[size_t(k)];
            for (int deeper = k + 1; deeper <= kLevels; ++deeper)
                counters_[size_t(deeper)] = 0;
            heading(k, counters_[size_t(k)], levels[k]);
        }
        shown_ = levels;
    }

private:
    std::array<int, kLevels + 1> counters_{};   // index 1..4
    QStringList shown_;                         // levels of the last path
};

struct DetailPlan : SheetPlan {
    int rowsWritten = 0;   // headings, items and 小計 rows
    int nextRow = 0;       // the row after the last one written
};

// The detail sheet: for each run of rows with the same path (compared exactly), heading
// rows for the levels that changed (壹 / 一 / A / a, levels past the fourth get none), the
// numbered item rows and a 小計 row holding the sum of the 金額 printed above it. Every row
// advances the same way: when a block's output rows are full, the next row is the first
// output row of the next block. The plan has exactly the blocks its rows occupy.
// noPriceRight hides the 小計 cost figures as well. On a single sheet (SingleSheet) every
// row goes on the next row and no block is copied; with FlatList as well the items alone
// are listed, numbered straight through (number, 品名 & 規格, 單位, 數量, 單價, 金額).
DetailPlan PlanDetail(const std::vector<DetailRow>& rows, const LayoutFlags& flags, bool noPriceRight,
                      const SheetRanges& ranges);

// The detail sheet of the area layout without work types: per run of rows of one area a
// heading (一, 二, … and the area's name), the items (number, 品名 & 規格, 單位, 數量, 單價,
// 金額) and a 小計 row holding the sum of the 金額 printed above it; the same advance rule
// and blocks as PlanDetail. BlankPrices leaves 單價, 金額 and the 小計 amount empty.
DetailPlan PlanAreaDetail(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges);

} // namespace varn
