#include "platform/text/VbNumber.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace varn;

namespace {

TEST(ValTest, ReadsTheLeadingNumber)
{
    const struct {
        const char16_t* text;
        double expected;
    } cases[] = {
        {u"", 0},         {u"   ", 0},        {u" 1 2", 12},      {u"\t1\t2 . 5", 12.5}, {u"1\r\n2", 12},
        {u"1,200", 1},    {u"12.5kg", 12.5},  {u"0x10", 0},       {u"inf", 0},           {u"nan", 0},
        {u"-3.5e2x", -350}, {u"  .5", 0.5},   {u".", 0},          {u"-", 0},             {u"- 7", -7},
        {u"+7", 7},       {u"--7", 0},        {u"1.2.3", 1.2},    {u"5-", 5},            {u"12e", 12},
        {u"12e+", 12},    {u"1E3", 1000},     {u"1e-2", 0.01},    {u"2D2", 200},         {u"2 e 2", 200},
        {u"50%", 50},     {u"１２", 0},       {u"元12", 0},       {u"&H10", 16},         {u"&hff", 255},
        {u"&HFFFF", 65535}, {u"&O17", 15},    {u"&O8", 0},        {u"&", 0},             {u"&x", 0},
        {u"1e400", 0},    {u"-1e400", 0},     {u"1e-400", 0},     {u"0.1", 0.1},
        {u"123456789012345678901234567890", 1.2345678901234568e29},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Val(QString::fromUtf16(c.text)), c.expected) << QString::fromUtf16(c.text).toStdString();
    EXPECT_FALSE(std::signbit(Val(u"-0")) || std::signbit(Val(u"-0.000")));
    for (double v : {0.1 + 0.2, 1.0 / 3, -1234567.5, 1e20, 1.5e-7, 123456789012345.0})
        EXPECT_EQ(CStr(Val(CStr(v))), CStr(v)) << v;
}

TEST(CStrTest, PlainTextWithExponentOnlyBeyondOrdinaryMagnitudes)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0"}, {-0.0, "0"}, {1200, "1200"}, {0.35, "0.35"}, {-12.5, "-12.5"}, {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"}, {2.0 / 3, "0.666666666666667"}, {1.005 * 1000, "1005"},
        {123456789012345.0, "123456789012345"}, {1e15, "1E+15"}, {-2.5e20, "-2.5E+20"}, {1e100, "1E+100"},
        {999999999999999.9, "1E+15"},   // 15 digits round this up to the next power of ten
        {0.00001, "0.00001"}, {0.0000123, "0.0000123"}, {0.000001, "1E-06"}, {1.5e-7, "1.5E-07"},
        {INFINITY, "0"}, {NAN, "0"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(CStr(value), QString::fromLatin1(text)) << value;
}

TEST(RoundHalfEvenTest, ExactHalvesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {0.5, 0, 0},        {1.5, 0, 2},        {2.5, 0, 2},        {12.5, 0, 12},     {13.5, 0, 14},
        {-0.5, 0, 0},       {-1.5, 0, -2},      {-2.5, 0, -2},      {2.4999, 0, 2},    {2.5001, 0, 3},
        {0.125, 2, 0.12},   {0.375, 2, 0.38},   {-0.125, 2, -0.12}, {2.675, 2, 2.68},  {2.665, 2, 2.66},
        {1.005, 2, 1.0},    {1.015, 2, 1.02},   {0.1 + 0.2, 1, 0.3}, {0.005, 2, 0},    {0.0051, 2, 0.01},
        {99.5, 0, 100},     {999.95, 1, 1000},  {1.23456, 3, 1.235}, {1250, -2, 1200}, {1350, -2, 1400},
        {0.333333333333333, 20, 0.333333333333333}, {4503599627370497.0, 0, 4503599627370497.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(RoundHalfEven(c.value, c.decimals), c.expected) << c.value << " at " << c.decimals;
    // The result is the nearest double to the rounded decimal, so it writes as expected.
    EXPECT_EQ(CStr(RoundHalfEven(1234.5678, 2)), "1234.57");
    EXPECT_EQ(CStr(RoundHalfEven(12.5 * 1.1, 0)), "14");
    EXPECT_EQ(CStr(RoundHalfEven(-0.4, 0)), "0");
}

} // namespace
