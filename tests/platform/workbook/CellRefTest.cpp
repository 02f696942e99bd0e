#include "platform/workbook/CellRef.h"
#include "platform/workbook/Formula.h"
#include "platform/workbook/WorkbookError.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(ColumnLetters, RoundTripsOneTwoAndThreeLettersAndRefusesWhatIsNotAColumn)
{
    const std::pair<int, const char*> table[] = {
        {1, "A"}, {26, "Z"}, {27, "AA"}, {37, "AK"}, {52, "AZ"}, {53, "BA"},
        {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"},
    };
    for (const auto& [number, letters] : table) {
        EXPECT_EQ(ColumnLetters(number), QString::fromLatin1(letters));
        EXPECT_EQ(ColumnNumber(QString::fromLatin1(letters)), number) << letters;
    }
    EXPECT_EQ(ColumnNumber(u"ak"), 37);
    for (const char* bad : {"", "A1", "XFE", "AAAA", "1", "$A", "A B"})
        EXPECT_FALSE(ColumnNumber(QString::fromLatin1(bad))) << bad;
    EXPECT_FALSE(ColumnNumber(u"Ä"));
    EXPECT_EQ(ColumnLetters(0), QString());
    EXPECT_EQ(ColumnLetters(16385), QString());
}

TEST(CellRef, CellsAndRangesParsePlainAbsoluteAndLowerCaseAddressesAndRefuseBadOnes)
{
    EXPECT_EQ(CellRef::parse(u"A1"), (CellRef{1, 1}));
    EXPECT_EQ(CellRef::parse(u"$AK$12"), (CellRef{12, 37}));
    EXPECT_EQ(CellRef::parse(u"aa3"), (CellRef{3, 27}));
    EXPECT_EQ(CellRef::parse(u"XFD1048576"), (CellRef{1048576, 16384}));
    EXPECT_EQ((CellRef{40, 27}).toString(), QStringLiteral("AA40"));
    for (const char* bad : {"", "A", "7", "A0", "A01", "1A", "A1048577", "XFE1", " A1", "A1 ", "A-1", "A1:B2", "$$A1"})
        EXPECT_FALSE(CellRef::parse(QString::fromLatin1(bad))) << bad;
    EXPECT_THROW(CellRef::fromText(u"G0"), WorkbookError);

    // Ranges in either order, containing and intersecting.
    const auto r = CellRange::parse(u"A8:J39");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->rows(), 32);
    EXPECT_EQ(r->columns(), 10);
    EXPECT_EQ(CellRange::parse(u"J39:A8"), r);
    EXPECT_EQ(CellRange::parse(u"$A$8:$J$39"), r);
    EXPECT_EQ(CellRange::parse(u"A40")->toString(), QStringLiteral("A40"));
    for (const char* bad : {"A8:", ":J39", "A8:J", "A8-J39", "A8:J39:K40"})
        EXPECT_FALSE(CellRange::parse(QString::fromLatin1(bad))) << bad;
    EXPECT_THROW(CellRange::fromText(u"A8:AAAA1"), WorkbookError);

    const CellRange block = *CellRange::parse(u"A8:G39");
    EXPECT_TRUE(block.contains(*CellRange::parse(u"B10:C11")));
    EXPECT_FALSE(block.contains(*CellRange::parse(u"F38:H38")));
    EXPECT_TRUE(block.intersects(*CellRange::parse(u"F38:H38")));
    EXPECT_FALSE(block.intersects(*CellRange::parse(u"A40:G71")));
}

TEST(ShiftFormula, MovesRelativeReferencesOnly)
{
    const struct {
        const char* formula;
        int rows, columns;
        const char* expected;
    } table[] = {
        {"B8*2", 32, 0, "B40*2"},
        {"SUM(E8:E37)", 32, 0, "SUM(E40:E69)"},
        {"$B$8+B$8+$B8", 32, 1, "$B$8+C$8+$B40"},
        {"\"A1\"&A1", 1, 0, "\"A1\"&A2"},
        {"'Sheet A1'!A1+Sheet2!B2", 1, 1, "'Sheet A1'!B2+Sheet2!C3"},
        {"LOG10(A1)", 1, 0, "LOG10(A2)"},
        {"SUM(A:A)+SUM(3:4)", 2, 1, "SUM(B:B)+SUM(5:6)"},
        {"A1*1.5E+3", 0, 0, "A1*1.5E+3"},
        {"A2-1", -2, 0, "#REF!-1"},
        {"Table1[Amount]+A1", 1, 0, "Table1[Amount]+A2"},
    };
    for (const auto& t : table)
        EXPECT_EQ(ShiftFormula(t.formula, t.rows, t.columns), t.expected) << t.formula;
}

} // namespace
} // namespace varn
