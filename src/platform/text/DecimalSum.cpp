#include "platform/text/DecimalSum.h"

#include "platform/text/VbNumber.h"

#include <QString>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

namespace varn {

namespace {

// The decimals of a number's plain text: "12.25" two, "1.5E-07" eight, "1E+16" none.
int decimalsOf(double x)
{
    const QString text = CStr(x);
    const qsizetype e = text.indexOf(u'E');
    const QStringView mantissa = QStringView(text).left(e < 0 ? text.size() : e);
    const qsizetype point = mantissa.indexOf(u'.');
    int decimals = point < 0 ? 0 : int(mantissa.size() - point - 1);
    if (e >= 0)
        decimals -= QStringView(text).mid(e + 1).toInt();
    return std::max(decimals, 0);
}

// A plain decimal text ("-1234.50"): digits with at most one point and a leading minus,
// fifteen significant digits at most, which a double holds exactly as CStr writes it again.
// Its value is what Val reads, its decimals those of the text without trailing zeros.
struct PlainDecimal {
    double value = 0;
    int decimals = 0;
};

std::optional<PlainDecimal> readPlainDecimal(QStringView text)
{
    const bool negative = !text.isEmpty() && text.front() == u'-';
    const QStringView body = text.mid(negative ? 1 : 0);
    std::array<char, 40> digits;
    if (body.isEmpty() || body.size() > qsizetype(digits.size()))
        return std::nullopt;
    int significant = 0, decimals = 0, trailingZeros = 0;
    bool point = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const char16_t c = body[i].unicode();
        digits[size_t(i)] = char(c);
        if (c == u'.') {
            if (point)
                return std::nullopt;
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        decimals += point;
        significant += significant > 0 || c != u'0';
        trailingZeros = c == u'0' ? trailingZeros + 1 : 0;
    }
    if (significant > 15)
        return std::nullopt;
    PlainDecimal out;
    if (significant > 0) {
        const auto end = digits.data() + body.size();
        if (std::from_chars(digits.data(), end, out.value).ptr != end)
            return std::nullopt;
        out.value = negative ? -out.value : out.value;
    }
    out.decimals = point ? std::max(decimals - trailingZeros, 0) : 0;
    return out;
}

} // namespace

DecimalSum& DecimalSum::addText(QStringView text)
{
    const std::optional<PlainDecimal> plain = readPlainDecimal(text);
    if (!plain)
        return *this += Val(text);
    m_sum += plain->value;
    m_decimals = std::max(m_decimals, plain->decimals);
    return *this;
}

DecimalSum& DecimalSum::operator+=(double term)
{
    m_sum += term;
    m_decimals = std::max(m_decimals, decimalsOf(term));
    return *this;
}

double DecimalSum::value() const
{
    // Beyond 15 digits before the point a rounding would only move the binary value.
    if (std::fabs(m_sum) >= 1e15)
        return m_sum;
    return RoundHalfEven(m_sum, m_decimals);
}

} // namespace varn
