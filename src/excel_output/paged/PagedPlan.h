#pragma once

#include "excel_output/CoverPlan.h"
#include "excel_output/DetailPlan.h"
#include "excel_output/PrintRanges.h"
#include "quotation/LayoutFlags.h"

#include <vector>

namespace varn {

// The detail sheet of the paged layouts: every page group (an area, or a leaf path) starts
// on the first output row of a page block of its own, with the headings of the levels
// that changed (壹 / 一 / A / a, levels past the fourth get none), its item rows numbered
// from 1 in each path, and one 小計 row holding the sum of the 金額 printed in the group.
// Item rows show 品名 and 規格, 單位, 數量, 單價, 金額 and 備註; no cost. With
// BlankPrices the 單價, 金額 and 小計 amount stay empty. Every row advances the same way
// and the plan has exactly the blocks its rows occupy.

// 區域分頁: rows in the tree's order; one page group per area (path level 1).
DetailPlan PlanAreaPages(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges);
// 工種分頁: rows in print order; one page group per leaf path, the rows of one path taken
// together at the place of its first row (paths compared exactly).
DetailPlan PlanTypePages(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges);

// A row's first path level: its page group on 區域分頁, its cover line on both layouts.
QString FirstPathLevel(const DetailRow& d);

// The cover's groups: one per first path level in order of first appearance, its amount
// the sum of the rows' 金額 (names compared exactly), so each cover row equals the 小計s
// printed for it.
std::vector<CoverGroup> FirstLevelGroups(const std::vector<DetailRow>& rows);

} // namespace varn
