#include "shared/TextRoutines.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

struct AmountCase {
    const char* digits;
    const char* plain;
    const char* formal;
};

void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.digits; }

class AmountInWords : public ::testing::TestWithParam<AmountCase> {};

TEST_P(AmountInWords, TextAndNumberGiveBothStyles)
{
    const AmountCase& c = GetParam();
    const QString digits = QString::fromLatin1(c.digits);
    EXPECT_EQ(AmountToChinese(digits), QString::fromUtf8(c.plain));
    EXPECT_EQ(AmountToChineseFormal(digits), QString::fromUtf8(c.formal));
    const qint64 amount = digits.toLongLong();
    EXPECT_EQ(AmountToChinese(amount), QString::fromUtf8(c.plain));
    EXPECT_EQ(AmountToChineseFormal(amount), QString::fromUtf8(c.formal));
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, AmountInWords, ::testing::Values(
    AmountCase{"0", "", ""},
    AmountCase{"5", "五", "伍"},
    AmountCase{"10", "一十", "壹拾"},
    AmountCase{"20", "二十", "貳拾"},
    AmountCase{"101", "一佰零一", "壹佰零壹"},
    AmountCase{"110", "一佰一十", "壹佰壹拾"},
    AmountCase{"1005", "一仟零五", "壹仟零伍"},
    AmountCase{"1010", "一仟零一十", "壹仟零壹拾"},
    AmountCase{"10000", "一萬", "壹萬"},
    AmountCase{"10010", "一萬零一十", "壹萬零壹拾"},
    AmountCase{"12345", "一萬二仟三佰四十五", "壹萬貳仟參佰肆拾伍"},
    AmountCase{"100005", "一十萬零五", "壹拾萬零伍"},
    AmountCase{"120000", "一十二萬", "壹拾貳萬"},
    AmountCase{"1000500", "一佰萬零五佰", "壹佰萬零伍佰"},
    AmountCase{"123456789", "一億二仟三佰四十五萬六仟七佰八十九",
               "壹億貳仟參佰肆拾伍萬陸仟柒佰捌拾玖"}));

INSTANTIATE_TEST_SUITE_P(Edges, AmountInWords, ::testing::Values(
    AmountCase{"11", "一十一", "壹拾壹"},
    AmountCase{"100000", "一十萬", "壹拾萬"},
    AmountCase{"100010", "一十萬零一十", "壹拾萬零壹拾"},
    AmountCase{"99999999", "九仟九佰九十九萬九仟九佰九十九", "玖仟玖佰玖拾玖萬玖仟玖佰玖拾玖"},
    // Hundreds of millions with an empty ten-thousands group: no stray 萬, one 零 for the gap.
    AmountCase{"100000000", "一億", "壹億"},
    AmountCase{"100005000", "一億零五仟", "壹億零伍仟"},
    AmountCase{"100000005", "一億零五", "壹億零伍"},
    AmountCase{"100500000", "一億零五十萬", "壹億零伍拾萬"},
    AmountCase{"120000000", "一億二仟萬", "壹億貳仟萬"},
    AmountCase{"1000000001", "一十億零一", "壹拾億零壹"},
    // Beyond 10^12 the part above 億 is written like a smaller amount.
    AmountCase{"1000000000000", "一萬億", "壹萬億"},
    AmountCase{"11000000000000", "一十一萬億", "壹拾壹萬億"}));

TEST(AmountToChinese, LeadingZerosAreIgnored)
{
    EXPECT_EQ(AmountToChinese(QStringLiteral("007")), QStringLiteral("七"));
    EXPECT_EQ(AmountToChineseFormal(QStringLiteral("0000")), QString());
}

TEST(AmountToChinese, AnythingButDigitsGivesEmptyText)
{
    for (const char* text : {"-5", "+5", "12.5", " 12", "1,000", "１２", "abc"}) {
        EXPECT_EQ(AmountToChinese(QString::fromUtf8(text)), QString()) << text;
        EXPECT_EQ(AmountToChineseFormal(QString::fromUtf8(text)), QString()) << text;
    }
    EXPECT_EQ(AmountToChinese(qint64(-5)), QString());
    EXPECT_EQ(AmountToChineseFormal(qint64(-120000)), QString());
    EXPECT_EQ(AmountToChinese(QString()), QString());
}

} // namespace
} // namespace varn
