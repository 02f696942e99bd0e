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

// A column summed from its cells' texts gives what summing the numbers Val reads gives,
// whatever the cells hold: plain decimals, trailing zeros, exponents, blanks, other text.
TEST(DecimalSumTest, SummingTextsGivesWhatSummingTheirNumbersGives)
{
    const std::vector<std::vector<const char*>> columns = {
        {"100000", "-99999.05"},
        {"12345.60", "87653.450", "-100000.000"},
        {"0.1", "0.2", "-0.3"},
        {"1.5E-07", "1e-8"},
        {"0.00000015", "0.00000001"},
        {"123456789012.34", "0.01", "-0.05"},
        {"1234567890123456.7", "0.25"},          // beyond fifteen digits: read as Val reads it
        {"0.333333333333333333", "0.1"},
        {" 1 2.5", "1,200.75", "12.5kg", "&H1F", "", "-", ".", "-.5", "1..2", "-0"},
        {"999999999999999", "0.5"},
    };
    for (const auto& column : columns) {
        DecimalSum fromTexts, fromNumbers;
        for (const char* text : column) {
            fromTexts.addText(QString::fromLatin1(text));
            fromNumbers += Val(QString::fromLatin1(text));
        }
        EXPECT_EQ(CStr(fromTexts.value()), CStr(fromNumbers.value())) << column.front();
        EXPECT_EQ(fromTexts.value(), fromNumbers.value()) << column.front();
    }
}
