#include "platform/text/VbNumber.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace varn;

namespace {

struct ValCase {
    const char16_t* text;
    double expected;
};

class ValReads : public testing::TestWithParam<ValCase> {};

TEST_P(ValReads, LeadingNumber)
{
    const ValCase c = GetParam();
    const QString text = QString::fromUtf16(c.text);
    EXPECT_DOUBLE_EQ(Val(text), c.expected) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Texts, ValReads, testing::Values(
    ValCase{u"", 0},
    ValCase{u"   ", 0},
    ValCase{u"42", 42},
    ValCase{u" 1 2", 12},
    ValCase{u"\t1\t2 . 5", 12.5},
    ValCase{u"1\r\n2", 12},
    ValCase{u"1,200", 1},
    ValCase{u"12.5kg", 12.5},
    ValCase{u"0x10", 0},
    ValCase{u"inf", 0},
    ValCase{u"nan", 0},
    ValCase{u"-3.5e2x", -350},
    ValCase{u"  .5", 0.5},
    ValCase{u".", 0},
    ValCase{u"-", 0},
    ValCase{u"- 7", -7},
    ValCase{u"+7", 7},
    ValCase{u"--7", 0},
    ValCase{u"1.2.3", 1.2},
    ValCase{u"5-", 5},
    ValCase{u"12e", 12},
    ValCase{u"12e+", 12},
    ValCase{u"1E3", 1000},
    ValCase{u"1e-2", 0.01},
    ValCase{u"2D2", 200},
    ValCase{u"2 e 2", 200},
    ValCase{u"50%", 50},
    ValCase{u"１２", 0},
    ValCase{u"元12", 0},
    ValCase{u"&H10", 16},
    ValCase{u"&hff", 255},
    ValCase{u"&HFFFF", 65535},
    ValCase{u"&O17", 15},
    ValCase{u"&O8", 0},
    ValCase{u"&", 0},
    ValCase{u"&x", 0},
    ValCase{u"1e400", 0},
    ValCase{u"-1e400", 0},
    ValCase{u"1e-400", 0},
    ValCase{u"0.1", 0.1},
    ValCase{u"123456789012345678901234567890", 1.2345678901234568e29}));

TEST(ValTest, NeverNegativeZero)
{
    EXPECT_FALSE(std::signbit(Val(u"-0")));
    EXPECT_FALSE(std::signbit(Val(u"-0.000")));
}

TEST(ValTest, ReadsWhatCStrWrites)
{
    for (double v : {0.1 + 0.2, 1.0 / 3, -1234567.5, 1e20, 1.5e-7, 123456789012345.0})
        EXPECT_EQ(CStr(Val(CStr(v))), CStr(v)) << v;
}

TEST(CStrTest, PlainNumberText)
{
    EXPECT_EQ(CStr(0), "0");
    EXPECT_EQ(CStr(-0.0), "0");
    EXPECT_EQ(CStr(1200), "1200");
    EXPECT_EQ(CStr(0.35), "0.35");
    EXPECT_EQ(CStr(12345.7), "12345.7");
    EXPECT_EQ(CStr(-12.5), "-12.5");
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(CStr(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(CStr(1234567.5), "1234567.5");
    EXPECT_EQ(CStr(100), "100");
    EXPECT_EQ(CStr(1.005 * 1000), "1005");
}

TEST(CStrTest, ExponentOnlyBeyondOrdinaryMagnitudes)
{
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(1e16), "1E+16");
    EXPECT_EQ(CStr(-2.5e20), "-2.5E+20");
    EXPECT_EQ(CStr(1e100), "1E+100");
    // 15 digits round this up to the next power of ten.
    EXPECT_EQ(CStr(999999999999999.9), "1E+15");
    EXPECT_EQ(CStr(0.00001), "0.00001");
    EXPECT_EQ(CStr(0.0000123), "0.0000123");
    EXPECT_EQ(CStr(0.000001), "1E-06");
    EXPECT_EQ(CStr(1.5e-7), "1.5E-07");
}

TEST(CStrTest, NonFiniteWritesZero)
{
    EXPECT_EQ(CStr(INFINITY), "0");
    EXPECT_EQ(CStr(NAN), "0");
}

struct RoundCase {
    double value;
    int decimals;
    double expected;
};

class RoundsHalfEven : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundsHalfEven, Value)
{
    const RoundCase c = GetParam();
    EXPECT_DOUBLE_EQ(RoundHalfEven(c.value, c.decimals), c.expected)
        << c.value << " at " << c.decimals;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundsHalfEven, testing::Values(
    RoundCase{0.5, 0, 0},
    RoundCase{1.5, 0, 2},
    RoundCase{2.5, 0, 2},
    RoundCase{3.5, 0, 4},
    RoundCase{12.5, 0, 12},
    RoundCase{13.5, 0, 14},
    RoundCase{-0.5, 0, 0},
    RoundCase{-1.5, 0, -2},
    RoundCase{-2.5, 0, -2},
    RoundCase{2.4999, 0, 2},
    RoundCase{2.5001, 0, 3},
    RoundCase{0.125, 2, 0.12},
    RoundCase{0.375, 2, 0.38},
    RoundCase{-0.125, 2, -0.12},
    RoundCase{2.675, 2, 2.68},
    RoundCase{2.665, 2, 2.66},
    RoundCase{1.005, 2, 1.0},
    RoundCase{1.015, 2, 1.02},
    RoundCase{0.1 + 0.2, 1, 0.3},
    RoundCase{0.004, 2, 0},
    RoundCase{0.005, 2, 0},
    RoundCase{0.0051, 2, 0.01},
    RoundCase{0.015, 2, 0.02},
    RoundCase{99.5, 0, 100},
    RoundCase{999.95, 1, 1000},
    RoundCase{1234567.5, 0, 1234568},
    RoundCase{1.23456, 3, 1.235},
    RoundCase{7, 0, 7},
    RoundCase{0.333333333333333, 20, 0.333333333333333},
    RoundCase{1250, -2, 1200},
    RoundCase{1350, -2, 1400},
    RoundCase{4503599627370497.0, 0, 4503599627370497.0}));

TEST(RoundHalfEvenTest, ResultWritesShort)
{
    // The result is the nearest double to the rounded decimal, so it writes as expected.
    EXPECT_EQ(CStr(RoundHalfEven(1234.5678, 2)), "1234.57");
    EXPECT_EQ(CStr(RoundHalfEven(12.5 * 1.1, 0)), "14");
    EXPECT_EQ(CStr(RoundHalfEven(-0.4, 0)), "0");
}

} // namespace
