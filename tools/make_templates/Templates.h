#pragma once

#include <string>

namespace templates {

// Where a sheet's rows lie, read from the shipped print ranges (one group of Xp.ini).
struct Geometry {
    int headerTop, headerBottom;     // 表頭範圍 rows: repeated on every printed page
    int lastColumn;                  // 表頭範圍 right column: the print area's last column
    int outputTop, outputBottom;     // 輸出範圍 rows: left empty for the engines
    int footerTop, footerBottom;     // 頁尾範圍 rows: the end of a page block
};

Geometry CoverGeometry();    // Xp.ini lines 1-16
Geometry DetailGeometry();   // Xp.ini lines 17-32

// Each writes its templates under dir; false when a file could not be written.
bool WriteQuotationTemplates(const std::string& dir);
bool WriteOtherTemplates(const std::string& dir);

} // namespace templates
