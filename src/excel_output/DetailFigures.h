#pragma once

#include "excel_output/CoverPlan.h"
#include "excel_output/DetailPlan.h"

#include <functional>
#include <vector>

namespace varn {

// Which line of the cover, or which 小計 of the detail sheet, a row's figures go under.
using DetailKey = std::function<QString(const DetailRow&)>;

// The rows with the 金額 and 成本複計 the detail sheet prints, whole and agreeing with the
// cover: the rows of one `coverLine` share the figures `cover` prints on the line of that
// name (a line it lacks takes its rows' sum rounded), and among them the rows of one
// `subtotal` share a 小計. Each line's figures go to its 小計s and each 小計's to its rows,
// every figure its exact amount rounded down or up with the units to the largest cents
// (SplitWhole), so that summing the rows printed gives each 小計, and the 小計s under a
// line give the line. Other columns stay as they are.
std::vector<DetailRow> WholeDetailRows(std::vector<DetailRow> rows, const std::vector<CoverGroup>& cover,
                                       const DetailKey& coverLine, const DetailKey& subtotal);

} // namespace varn
