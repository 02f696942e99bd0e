#include "platform/text/DecimalSum.h"

#include "platform/text/VbNumber.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace varn;

namespace {

double sumOf(const std::vector<double>& terms)
{
    DecimalSum sum;
    for (double term : terms)
        sum += term;
    return sum.value();
}

TEST(DecimalSumTest, SumsWriteTheDecimalResultOfTheirTerms)
{
    const struct {
        std::vector<double> terms;
        const char* text;
    } cases[] = {
        {{100000, -99999.05}, "0.95"},                  // 0.94999999999709 in binary
        {{12345.6, 87653.45, -100000}, "-0.95"},
        {{100000.4, 0.1, -100000.2}, "0.3"},
        {{1.0 / 3, 1.0 / 3}, "0.666666666666667"},      // the terms' fifteen digits kept
        {{123456789012.34, 0.01, -0.05}, "123456789012.3"},
        {{1.5e-7, 1e-8}, "1.6E-07"},
        {{}, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStr(sumOf(c.terms)), QString::fromLatin1(c.text)) << c.text;
    // From thirteen digits with cents the fifteen digits are full: the sum stays the double it is.
    for (const auto& [a, b] : {std::pair{1234567890123.45, -0.05}, std::pair{1e15, 0.25}})
        EXPECT_EQ(sumOf({a, b}), a + b) << a;
}

} // namespace
