#include "shared/TextRoutines.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

struct StrokeCase {
    const char* text;
    const char* prefix;
};

void PrintTo(const StrokeCase& c, std::ostream* os) { *os << c.text << " -> " << c.prefix; }

class StrokePrefixOf : public ::testing::TestWithParam<StrokeCase> {};

TEST_P(StrokePrefixOf, Character)
{
    EXPECT_EQ(StrokePrefix(QString::fromUtf8(GetParam().text)), QString::fromLatin1(GetParam().prefix));
}

// Each boundary closes its class; the next code of the first level opens the next one.
INSTANTIATE_TEST_SUITE_P(Level1Boundaries, StrokePrefixOf, ::testing::Values(
    StrokeCase{"乙", "01"}, StrokeCase{"丁", "02"},
    StrokeCase{"又", "02"}, StrokeCase{"三", "03"},
    StrokeCase{"才", "03"}, StrokeCase{"丑", "04"},
    StrokeCase{"王", "04"}, StrokeCase{"丙", "05"},
    StrokeCase{"立", "05"}, StrokeCase{"丞", "06"},
    StrokeCase{"阡", "06"}, StrokeCase{"串", "07"},
    StrokeCase{"阬", "07"}, StrokeCase{"並", "08"},
    StrokeCase{"非", "08"}, StrokeCase{"亟", "09"},
    StrokeCase{"香", "09"}, StrokeCase{"乘", "10"},
    StrokeCase{"鬼", "10"}, StrokeCase{"乾", "11"},
    StrokeCase{"麻", "11"}, StrokeCase{"傢", "12"},
    StrokeCase{"黑", "12"}, StrokeCase{"亂", "13"},
    StrokeCase{"鼠", "13"}, StrokeCase{"僧", "14"},
    StrokeCase{"齊", "14"}, StrokeCase{"億", "15"},
    StrokeCase{"齒", "15"}, StrokeCase{"儒", "16"},
    StrokeCase{"龜", "16"}, StrokeCase{"優", "17"},
    StrokeCase{"齋", "17"}, StrokeCase{"叢", "18"},
    StrokeCase{"鼬", "18"}, StrokeCase{"儳", "19"},
    StrokeCase{"嚨", "19"}, StrokeCase{"嚷", "20"},
    StrokeCase{"齡", "20"}, StrokeCase{"儷", "21"},
    StrokeCase{"齧", "21"}, StrokeCase{"儼", "22"},
    StrokeCase{"龔", "22"}, StrokeCase{"囌", "23"},
    StrokeCase{"黴", "23"}, StrokeCase{"囑", "24"},
    StrokeCase{"齲", "24"}, StrokeCase{"廳", "25"},
    StrokeCase{"黌", "25"}, StrokeCase{"灤", "26"},
    StrokeCase{"驢", "26"}, StrokeCase{"驥", "27"},
    StrokeCase{"黷", "27"}, StrokeCase{"豔", "28"},
    StrokeCase{"鸚", "28"}, StrokeCase{"爨", "29"},
    StrokeCase{"鸛", "29"}, StrokeCase{"鸞", "30"},
    StrokeCase{"籲", "33"}));

INSTANTIATE_TEST_SUITE_P(Level1, StrokePrefixOf, ::testing::Values(
    StrokeCase{"一", "01"},
    StrokeCase{"二", "02"},
    // Taiwan counts 艹 as four strokes; the code order wins over Unihan's 6 for 芒.
    StrokeCase{"芒", "07"},
    StrokeCase{"王小明", "04"},
    StrokeCase{"陳", "11"}));

INSTANTIATE_TEST_SUITE_P(OtherHan, StrokePrefixOf, ::testing::Values(
    StrokeCase{"乂", "02"},         // second level of code page 950
    StrokeCase{"碁", "13"},         // code page 950 extension
    StrokeCase{"们", "05"},         // simplified form, not in code page 950
    StrokeCase{"㐀", "05"},         // extension A
    StrokeCase{"\U00020000", "02"}, // 𠀀, beyond the BMP: the whole code point counts
    StrokeCase{"\U00020000x", "02"},
    StrokeCase{"龘", "33"},         // 48 strokes
    StrokeCase{"\U0002A6A5", "33"}));

INSTANTIATE_TEST_SUITE_P(NotHan, StrokePrefixOf, ::testing::Values(
    StrokeCase{"", "01"},
    StrokeCase{"a", "01"},
    StrokeCase{"Z", "01"},
    StrokeCase{"5", "01"},
    StrokeCase{"Ａ", "01"},
    StrokeCase{"１", "01"},
    StrokeCase{"(", "01"},
    StrokeCase{"ㄅ", "01"},
    StrokeCase{"　", "01"}));

TEST(StrokePrefix, LoneSurrogateIsNoHanCharacter)
{
    EXPECT_EQ(StrokePrefix(QString(QChar(0xD840))), QStringLiteral("01"));
    EXPECT_EQ(StrokePrefix(QString(QChar(0xDC00)) + QChar(u'王')), QStringLiteral("01"));
}

} // namespace
} // namespace varn
