#pragma once

#include "excel_output/PrintCommands.h"

namespace varn {

class Database;
class Quotation;

// A print command's Click handler without the window: the flags set, an empty quotation
// refused with "空白表單無法列印", the template and its folder chosen and the engine called;
// the window keeps the flags FlagsAfterCommand leaves. While one print runs no other starts.
// Returns the saved workbook, or empty.
QString RunPrintCommand(const PrintCommand& command, Quotation& q, Database* staDb, LayoutFlags& flags);

} // namespace varn
