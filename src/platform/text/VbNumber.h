#pragma once

#include <QString>
#include <QStringView>

namespace varn {

// The number rules the quotation relies on, as the original runtime applied them.

// Reads the leading number of a text: blanks (spaces, tabs) anywhere before or between
// digits are skipped, one '.' and an exponent are taken, reading stops at the first other
// character; a text with no leading number gives 0. "1,200" gives 1, "12.5kg" 12.5,
// " 1 2" 12, "0x10" 0, "inf" 0.
double Val(QStringView text);

// Writes a number as plain text: at most 15 significant digits, no trailing zeros,
// no exponent for ordinary magnitudes, "-0" written as "0".
QString CStr(double value);

// Rounds to the given number of decimals; an exact half goes to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 0.125 at 2 decimals -> 0.12).
double RoundHalfEven(double value, int decimals = 0);

} // namespace varn
