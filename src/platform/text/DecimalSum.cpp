#include "platform/text/DecimalSum.h"

#include "platform/text/VbNumber.h"

#include <QString>

#include <algorithm>
#include <cmath>

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

} // namespace

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
