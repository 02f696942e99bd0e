#pragma once

#include "excel_output/CoverEngine.h"

namespace varn {

// 區域分頁: groups numbered by work type, the rows in the tree's order; a cover with one
// row per area, and every area from the top of a detail block of its own.
TwoSheetLayout AreaPagesLayout(const Quotation& q);
// 工種分頁: a cover with one row per work type (the first level of the numbered rows), and
// every leaf group, across the areas, from the top of a detail block of its own.
TwoSheetLayout TypePagesLayout(const Quotation& q, const LayoutFlags& commandFlags);

// `PrintExcelAreaPages`: the frame of PrintExcelCover in the tree's order (TreeMode 1)
// with AreaPagesLayout. Returns the saved file, or empty.
QString PrintExcelAreaPages(const PrintJob& job);
// `PrintExcelTypePages` (工種分頁, 工種分頁(空白估價)): the frame with TypePagesLayout.
QString PrintExcelTypePages(const PrintJob& job);

// Hands both engines to the print commands.
void InstallPagedEngines();

} // namespace varn
