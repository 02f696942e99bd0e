#pragma once

#include <string>
#include <string_view>

namespace varn {

// Moves the relative references of an A1-style formula by the given rows and columns, as a
// copy to another place does: "B2*$C$1" moved one row down gives "B3*$C$1". Strings, sheet
// names, function names and structured references are left alone; a reference pushed off
// the sheet becomes #REF!.
std::string ShiftFormula(std::string_view formula, int rows, int columns);

} // namespace varn
