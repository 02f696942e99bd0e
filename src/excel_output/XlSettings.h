#pragma once

#include <QString>

#include <array>

namespace varn {

// The print-range settings as the window 列印設定 edits them: the 32 texts as typed and
// the 固定表頭 switch.
struct XlSettingsValues {
    std::array<QString, 32> xp;
    bool fixedHeader = false;
};

// The values in force (read afresh from Xp.ini and fastP.ini in the program folder).
XlSettingsValues LoadXlSettingsValues();

// 套用: print ranges out of order (CheckPrintRangeOrder) are refused and nothing is
// written; otherwise each file written and its values put in force at once. A file that cannot be
// written keeps its old content and its values stay in force as they were; the message
// names the range or the file and the reason (empty when both were written).
QString ApplyXlSettings(const XlSettingsValues& values);

} // namespace varn
