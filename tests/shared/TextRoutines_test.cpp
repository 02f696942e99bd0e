#include "shared/Rights.h"
#include "shared/TextRoutines.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

struct TextCase {
    const char* in;
    const char* out;
};

TEST(StrokePrefix, ClassOfTheFirstCharacter)
{
    for (const TextCase& c : {
             // First level of code page 950: the first and last classes, a class boundary.
             TextCase{"乙", "01"}, {"丁", "02"}, {"鬼", "10"}, {"乾", "11"}, {"籲", "33"},
             // Taiwan counts 艹 as four strokes; the code order wins over Unihan's 6 for 芒.
             {"芒", "07"},
             // Other Han characters by their stroke count: the second level, the extension, a
             // simplified form, extension A, beyond the BMP (the whole code point counts), 48 strokes.
             {"乂", "02"}, {"碁", "13"}, {"们", "05"}, {"㐀", "05"}, {"\U00020000x", "02"}, {"龘", "33"},
             {"\U0002A6A5", "33"},
             // Anything that is not Han.
             {"", "01"}, {"a", "01"}, {"5", "01"}, {"Ａ", "01"}, {"ㄅ", "01"}, {"　", "01"}}) {
        EXPECT_EQ(StrokePrefix(QString::fromUtf8(c.in)), QString::fromLatin1(c.out)) << c.in;
    }
    // A lone surrogate is no Han character.
    EXPECT_EQ(StrokePrefix(QString(QChar(0xD840))), QStringLiteral("01"));
    EXPECT_EQ(StrokePrefix(QString(QChar(0xDC00)) + QChar(u'王')), QStringLiteral("01"));
}

TEST(GroupThousands, TextsKeepSignAndDecimalsOutOfTheGroupingAndAmountsTheirMinus)
{
    for (const TextCase& c : {TextCase{"1234567", "1,234,567"}, {"123456", "123,456"}, {"12", "12"}, {"", ""},
                              {"1234", "1,234"}, {"0", "0"}, {"-123456", "-123,456"}, {"-123", "-123"},
                              {"+1234", "+1,234"}, {"-1234567.125", "-1,234,567.125"}, {"123.4567", "123.4567"},
                              {".5", ".5"},
                              // Text that is no number comes back unchanged.
                              {"1,234", "1,234"}, {"abc", "abc"}, {"12 345", "12 345"}, {"１２３４", "１２３４"},
                              {"--1234", "--1234"}, {"1234-", "1234-"}}) {
        EXPECT_EQ(GroupThousands(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
    // Amounts are whole numbers, a minus kept.
    const std::pair<double, const char*> table[] = {
        {0, "0"},     {999, "999"},   {1000, "1,000"},   {-0.5, "0"},
        {-1, "-1"},   {-12, "-12"},   {-999, "-999"},    {-1000, "-1,000"}, {-1234567, "-1,234,567"}};
    for (const auto& [amount, text] : table)
        EXPECT_EQ(GroupThousands(amount), QString::fromLatin1(text)) << amount;
}

TEST(AmountToChinese, DigitsAndAmountsGiveBothStylesAndAnythingElseEmptyText)
{
    const struct {
        const char* digits;
        const char* plain;
        const char* formal;
    } table[] = {
        {"0", "", ""},
        {"5", "五", "伍"},
        {"10", "一十", "壹拾"},
        {"101", "一佰零一", "壹佰零壹"},
        {"1010", "一仟零一十", "壹仟零壹拾"},
        {"100005", "一十萬零五", "壹拾萬零伍"},
        {"1000500", "一佰萬零五佰", "壹佰萬零伍佰"},
        {"123456789", "一億二仟三佰四十五萬六仟七佰八十九", "壹億貳仟參佰肆拾伍萬陸仟柒佰捌拾玖"},
        // Hundreds of millions with an empty ten-thousands group: no stray 萬, one 零 for the gap.
        {"100000000", "一億", "壹億"},
        {"100005000", "一億零五仟", "壹億零伍仟"},
        {"100000005", "一億零五", "壹億零伍"},
        {"100500000", "一億零五十萬", "壹億零伍拾萬"},
        {"120000000", "一億二仟萬", "壹億貳仟萬"},
        {"1000000001", "一十億零一", "壹拾億零壹"},
        // Beyond 10^12 the part above 億 is written like a smaller amount.
        {"11000000000000", "一十一萬億", "壹拾壹萬億"},
    };
    for (const auto& c : table) {
        const QString digits = QString::fromLatin1(c.digits);
        // An amount is written through its digits: each style once, each form once.
        EXPECT_EQ(AmountToChinese(digits), QString::fromUtf8(c.plain));
        EXPECT_EQ(AmountToChineseFormal(digits.toDouble()), QString::fromUtf8(c.formal));
    }
    EXPECT_EQ(AmountToChinese(QStringLiteral("007")), QStringLiteral("七"));   // leading zeros ignored
    // Anything but digits gives empty text.
    for (const char* text : {"-5", "+5", "12.5", " 12", "1,000", "１２", "abc"})
        EXPECT_EQ(AmountToChinese(QString::fromUtf8(text)) + AmountToChineseFormal(QString::fromUtf8(text)), QString());
    EXPECT_EQ(AmountToChinese(-5.0) + AmountToChineseFormal(-120000.0), QString());
}

// The rights column is a 16-bit integer: a negative word reads as its two's complement.
TEST(RightsToBinary12, ANegativeWordShowsItsSixteenBits)
{
    EXPECT_EQ(RightsToBinary12(-1), QStringLiteral("1111111111111111"));
}

} // namespace
} // namespace varn
