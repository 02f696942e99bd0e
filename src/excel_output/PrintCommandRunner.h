#pragma once

#include "excel_output/PrintCommands.h"

#include <functional>

namespace varn {

class Database;
class Quotation;
struct PrintJob;

// A print command's Click handler without the window: the flags set, an empty quotation
// refused with "空白表單無法列印", the template and its folder chosen and the engine called;
// the window keeps the flags FlagsAfterCommand leaves. While one print runs no other starts.
// Returns the saved workbook, or empty.
// The engines of modules built on this one (the paged layouts) are handed in by whoever
// wires the commands; a command whose engine is missing says it is not there.
void SetPrintEngine(PrintEngine engine, std::function<QString(const PrintJob&)> run);

QString RunPrintCommand(const PrintCommand& command, Quotation& q, Database* staDb, LayoutFlags& flags);

} // namespace varn
