#include "platform/text/VbNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace varn {

namespace {

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\r';
}

bool isDigit(QChar c)
{
    const char16_t u = c.unicode();
    return u >= u'0' && u <= u'9';
}

// Index of the next character that is not a blank, from i on.
qsizetype skipBlanks(QStringView text, qsizetype i)
{
    while (i < text.size() && isBlank(text[i]))
        ++i;
    return i;
}

// "&H1F" and "&O17": the runtime read these prefixes as hexadecimal and octal. We keep
// that, but give the plain non-negative value: the runtime's 16-bit wrap ("&HFFFF" as -1)
// would turn a typed quantity negative.
double readRadix(QStringView text, qsizetype i, int radix)
{
    double value = 0;
    bool any = false;
    for (i = skipBlanks(text, i); i < text.size(); i = skipBlanks(text, i + 1)) {
        const char16_t u = text[i].unicode();
        int d = -1;
        if (u >= u'0' && u <= u'9')
            d = u - u'0';
        else if (radix == 16 && u >= u'a' && u <= u'f')
            d = u - u'a' + 10;
        else if (radix == 16 && u >= u'A' && u <= u'F')
            d = u - u'A' + 10;
        if (d < 0 || d >= radix)
            break;
        value = value * radix + d;
        any = true;
    }
    if (!any || !std::isfinite(value))
        return 0;
    return value;
}

// Splits a finite, non-zero value into its 15 significant digits and the decimal
// exponent of the first one: value = 0.d1d2...d15 * 10^(exponent + 1).
void significantDigits(double value, std::string& digits, int& exponent)
{
    // to_chars, unlike printf, ignores the locale's decimal point.
    char buf[40];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, 14);
    *res.ptr = '\0';
    // buf: "d.dddddddddddddde[+-]xx"
    digits.clear();
    digits.push_back(buf[0]);
    digits.append(buf + 2, 14);
    exponent = std::atoi(buf + 17);
}

} // namespace

namespace {

// The leading number of a text, as Val reads it; `overflow` tells a number too large for a
// double (read as 0) from one that is not there or vanishingly small.
double readLeadingNumber(QStringView text, bool& overflow)
{
    overflow = false;
    qsizetype i = skipBlanks(text, 0);
    if (i < text.size() && text[i] == u'&') {
        const qsizetype j = skipBlanks(text, i + 1);
        if (j < text.size()) {
            const char16_t p = text[j].unicode();
            if (p == u'H' || p == u'h')
                return readRadix(text, j + 1, 16);
            if (p == u'O' || p == u'o')
                return readRadix(text, j + 1, 8);
        }
        return 0;
    }

    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        i = skipBlanks(text, i + 1);
    }

    // Gather the number without its blanks, then let from_chars convert it exactly.
    std::string number;
    bool mantissaDigits = false;
    bool point = false;
    // Decimal exponent of the first significant digit, to tell an overflow from an underflow.
    long long magnitude = 0;
    bool significant = false;
    for (; i < text.size(); i = skipBlanks(text, i + 1)) {
        if (isDigit(text[i])) {
            number.push_back(char(text[i].unicode()));
            mantissaDigits = true;
            if (!significant && text[i] != u'0')
                significant = true;
            if (significant && !point)
                ++magnitude;
            else if (!significant && point)
                --magnitude;
        } else if (text[i] == u'.' && !point) {
            number.push_back('.');
            point = true;
        } else {
            break;
        }
    }
    if (!mantissaDigits)
        return 0;

    // Exponent: E or D, an optional sign, then digits; without digits it is not part of
    // the number ("12e" reads 12).
    long long exponentValue = 0;
    if (i < text.size()) {
        const char16_t e = text[i].unicode();
        if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
            std::string exponent = "e";
            bool exponentNegative = false;
            qsizetype j = skipBlanks(text, i + 1);
            if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) {
                exponent.push_back(char(text[j].unicode()));
                exponentNegative = text[j] == u'-';
                j = skipBlanks(text, j + 1);
            }
            bool expDigits = false;
            for (; j < text.size() && isDigit(text[j]); j = skipBlanks(text, j + 1)) {
                exponent.push_back(char(text[j].unicode()));
                exponentValue = std::min(exponentValue * 10 + (text[j].unicode() - u'0'), 1000000000LL);
                expDigits = true;
            }
            if (expDigits)
                number += exponent;
            if (exponentNegative)
                exponentValue = -exponentValue;
        }
    }

    double value = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), value,
                                     std::chars_format::general);
    // Beyond the range of a double the runtime stopped with an overflow error; a text
    // cell reads as 0 instead (and a vanishingly small one is 0 anyway).
    if (res.ec != std::errc() || !std::isfinite(value)) {
        overflow = significant && magnitude + exponentValue > 0;
        return 0;
    }
    if (value == 0)
        return 0;
    return negative ? -value : value;
}

} // namespace

double Val(QStringView text)
{
    bool overflow = false;
    return readLeadingNumber(text, overflow);
}

bool ValOverflows(QStringView text)
{
    bool overflow = false;
    readLeadingNumber(text, overflow);
    return overflow;
}

QString CStr(double value)
{
    if (!std::isfinite(value) || value == 0)
        return QStringLiteral("0");

    std::string digits;
    int exponent = 0;
    significantDigits(value, digits, exponent);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (value < 0)
        out.push_back('-');

    if (exponent >= 15 || exponent < -5) {
        // Exponent form as the runtime wrote it: "1E+16", "1.5E-07".
        out.push_back(digits[0]);
        if (digits.size() > 1) {
            out.push_back('.');
            out.append(digits, 1, std::string::npos);
        }
        char buf[16];
        std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += buf;
    } else if (exponent < 0) {
        out += "0.";
        out.append(size_t(-exponent - 1), '0');
        out += digits;
    } else {
        const size_t intDigits = size_t(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, intDigits);
            out.push_back('.');
            out.append(digits, intDigits, std::string::npos);
        }
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

namespace {

// Where rounding to `decimals` cuts the value's 15-digit decimal form: the digits that stay
// (as a number) and what the digits cut off come to beside half of the last one kept.
struct Cut {
    long long head = 0;
    bool headOdd = false;
    int dropped = 0;   // -1 below a half, 0 exactly a half, 1 above
};

std::optional<Cut> cutAt(double value, int decimals)
{
    std::string digits;
    int exponent = 0;
    significantDigits(value, digits, exponent);

    // Number of significant digits that stay.
    const int kept = exponent + 1 + decimals;
    if (kept >= 15)
        return std::nullopt;   // nothing beyond the fifteen digits to round away
    Cut cut;
    if (kept < 0) {
        cut.dropped = -1;
        return cut;
    }
    const std::string head = digits.substr(0, size_t(kept));
    const char next = digits[size_t(kept)];
    const bool restNonZero = digits.find_first_not_of('0', size_t(kept) + 1) != std::string::npos;
    cut.head = head.empty() ? 0 : std::stoll(head);
    cut.headOdd = cut.head % 2 == 1;
    cut.dropped = next < '5' ? -1 : (next > '5' || restNonZero ? 1 : 0);
    return cut;
}

} // namespace

// Halves are judged on the value's 15-significant-digit decimal form, the same form
// CStr writes and users see: 2.675 (stored in binary as 2.67499999...) is the half it
// looks like and goes to 2.68. Rounding the binary value directly would give 2.67.
double RoundHalfEven(double value, int decimals)
{
    if (!std::isfinite(value) || value == 0)
        return value;

    if (std::fabs(value) >= 1e15) {
        // Fifteen digits no longer reach the units; the binary value is the best guide.
        if (decimals > 2)
            return value;
        const double scale = std::pow(10.0, decimals);
        return std::nearbyint(value * scale) / scale;
    }

    const std::optional<Cut> cut = cutAt(value, decimals);
    if (!cut)
        return value;
    long long n = cut->head;
    if (cut->dropped > 0 || (cut->dropped == 0 && cut->headOdd))
        ++n;
    if (n == 0)
        return 0;

    // n * 10^-decimals, converted once from text so the result is the nearest double.
    char buf[48];
    const int len = std::snprintf(buf, sizeof buf, "%llde%d", value < 0 ? -n : n, -decimals);
    double result = 0;
    std::from_chars(buf, buf + len, result);
    return result;
}

bool IsHalfway(double value, int decimals)
{
    if (!std::isfinite(value) || value == 0 || std::fabs(value) >= 1e15)
        return false;
    const std::optional<Cut> cut = cutAt(value, decimals);
    return cut && cut->dropped == 0;
}

} // namespace varn
