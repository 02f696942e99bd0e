#pragma once

#include <QStringView>

#include <initializer_list>

namespace varn {

// A sum or difference of amounts as a calculator gives it. The terms are decimals held in
// binary, so their sum can miss its decimal result by a trace that fifteen digits still show
// (1000000 − 999999.05 as 0.950000000011642). The sum is taken to the most decimals a term
// holds as CStr writes it, which is that decimal result: an exact sum stays as it is, and so
// does a sum whose fifteen digits do not reach those decimals (13 digits with cents).
class DecimalSum {
public:
    DecimalSum() = default;
    DecimalSum(std::initializer_list<double> terms)
    {
        for (double term : terms)
            *this += term;
    }
    DecimalSum& operator+=(double term);
    // Adds the number a text holds (as Val reads it), its decimals counted from the text
    // itself where it is a plain decimal: a long column is summed without writing every
    // term back to text.
    DecimalSum& addText(QStringView text);
    double value() const;

private:
    double m_sum = 0;
    int m_decimals = 0;
};

} // namespace varn
