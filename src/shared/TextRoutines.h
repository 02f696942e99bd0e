#pragma once

#include <QString>
#include <QtGlobal>

namespace varn {

// Small text and number routines shared by every window and output. Printed documents and
// stored record codes depend on their output character by character. None keeps state or
// reports anything.

// The two-digit stroke class of the first character of the text: "01" to "30", or "33"
// for more than 30 strokes ("31" and "32" never occur). A character of the first level of
// code page 950 is classed by its code against the last code of each stroke count, which is
// how the Taiwan collation orders them; any other Han character by its Traditional stroke
// count. Anything that is not Han (letters, digits, signs, an empty text) gives "01".
QString StrokePrefix(const QString& text);

// Compound columns "a;b".
// The part before the first ";"; empty when there is none (";abc" and "abc" give "").
QString TextBeforeSemicolon(const QString& text);
// The part after the first ";"; the whole text when there is none.
QString TextAfterSemicolon(const QString& text);
// Every ";" becomes one blank.
QString SemicolonToBlank(const QString& text);
// A telephone or fax number as the customer page shows it, the area code and the number
// apart: "02;27751234" (or the two boxes "02" and "27751234") gives "02 27751234". Without
// an area code it is the number alone ("27751234" gives "27751234"); an empty number part
// gives an empty text, for an area code alone is no number ("02;" gives "").
QString PhoneNumberText(const QString& compound);
QString PhoneNumberText(const QString& areaCode, const QString& number);

// A whole, non-negative amount in Chinese numerals: plain style (一 二 三, 一十, 一佰, 一仟)
// and formal style (壹 貳 參, 壹拾, 壹佰, 壹仟). 0 gives an empty text. The text forms take
// the amount's digits; leading zeros are ignored, and a text that is not all digits (a sign,
// a decimal point, a blank) gives an empty text, as does a negative number. The number
// forms write every digit of the number's whole part, however large (amounts are doubles:
// going through a 64-bit integer would wrap past 19 digits); round a fractional amount
// before passing it, as it is cut to its whole part.
QString AmountToChinese(const QString& digits);
QString AmountToChinese(double amount);
QString AmountToChineseFormal(const QString& digits);
QString AmountToChineseFormal(double amount);

// Whole digits grouped by "," every three from the right: "1234567" gives "1,234,567".
// A leading sign and a decimal part are kept out of the grouping ("-123456" gives
// "-123,456", "12345.5" gives "12,345.5"); a text whose whole part is not all digits
// comes back unchanged. The number form groups every digit of the number's whole part,
// however large, with "-" before a negative one; a value that is not finite writes "0".
QString GroupThousands(const QString& text);
QString GroupThousands(double amount);

} // namespace varn
