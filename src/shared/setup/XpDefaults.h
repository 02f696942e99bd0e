#pragma once

#include <QStringList>

namespace varn {

// The 32 print-range values shipped in Xp.ini, line 1 first: four ranges (表頭, 變數, 輸出,
// 頁尾) for the cover sheet, then four for the detail sheet, each as left column letter,
// top row, right column letter, bottom row. The detail ranges reach column J because the
// cost layouts print ten columns there; the templates are generated from these values.
QStringList DefaultXpValues();

// Xp.ini as shipped: the values above, one per line, each ended by CR LF (plain ASCII, so
// the same bytes in code page 950).
QByteArray DefaultXpIniContent();

} // namespace varn
