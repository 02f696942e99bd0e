#pragma once

#include <QString>
#include <QStringView>

namespace varn {

// The number rules the quotation relies on, as the original runtime applied them.

// Reads the leading number of a text: blanks (spaces, tabs) anywhere before or between
// digits are skipped, one '.' and an exponent are taken, reading stops at the first other
// character; a text with no leading number gives 0. "1,200" gives 1, "12.5kg" 12.5,
// " 1 2" 12, "0x10" 0, "inf" 0. Blanks are space, tab, CR and LF. "&H1F" and "&O17" read
// as hexadecimal and octal (never negative). A number beyond the range of a double reads 0.
double Val(QStringView text);
// The leading number Val reads lies beyond the range of a double ("1" and 400 zeros, "1e999"),
// which Val reads as 0: a limit must count such a text as too large, not as nothing.
bool ValOverflows(QStringView text);

// Writes a number as plain text: at most 15 significant digits, no trailing zeros,
// no exponent for magnitudes from 1E-05 up to below 1E+15 ("1E+16", "1.5E-07" beyond),
// "-0" written as "0". A value that is not finite writes "0".
QString CStr(double value);

// Rounds to the given number of decimals; an exact half goes to the even neighbour
// (0.5 -> 0, 1.5 -> 2, 2.5 -> 2, 0.125 at 2 decimals -> 0.12). Halves are judged on the
// 15-digit decimal form CStr writes, so 2.675 is a half and gives 2.68. Negative decimals
// round to tens, hundreds...
double RoundHalfEven(double value, int decimals = 0);
// The value lies exactly halfway between its two roundings to the given decimals, judged as
// RoundHalfEven judges it: 22755 × 0.1 is the half 2275.5 though its double lies above it.
bool IsHalfway(double value, int decimals = 0);

} // namespace varn
