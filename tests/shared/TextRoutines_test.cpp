#include "shared/TextRoutines.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

struct TextCase {
    const char* in;
    const char* out;
};

TEST(CompoundColumn, TextBeforeSemicolon)
{
    for (const TextCase& c : {TextCase{"台北市;中山路", "台北市"}, TextCase{";abc", ""},
                              TextCase{"abc;", "abc"}, TextCase{"abc", ""}, TextCase{"", ""},
                              TextCase{"a;b;c", "a"}, TextCase{";", ""}}) {
        EXPECT_EQ(TextBeforeSemicolon(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(CompoundColumn, TextAfterSemicolon)
{
    for (const TextCase& c : {TextCase{"02;2345678", "2345678"}, TextCase{"2345678", "2345678"},
                              TextCase{"abc;", ""}, TextCase{";abc", "abc"}, TextCase{"", ""},
                              TextCase{"a;b;c", "b;c"}, TextCase{"台北市;中山路", "中山路"}}) {
        EXPECT_EQ(TextAfterSemicolon(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(CompoundColumn, SemicolonToBlank)
{
    for (const TextCase& c : {TextCase{"a;b;c", "a b c"}, TextCase{";;", "  "},
                              TextCase{"台北市;中山路", "台北市 中山路"}, TextCase{"abc", "abc"},
                              TextCase{"", ""}, TextCase{" ; ", "   "}}) {
        EXPECT_EQ(SemicolonToBlank(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(GroupThousands, WholeDigitTexts)
{
    for (const TextCase& c : {TextCase{"1234567", "1,234,567"}, TextCase{"123456", "123,456"},
                              TextCase{"12", "12"}, TextCase{"", ""}, TextCase{"123", "123"},
                              TextCase{"1234", "1,234"}, TextCase{"0", "0"},
                              TextCase{"1000000000", "1,000,000,000"}}) {
        EXPECT_EQ(GroupThousands(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(GroupThousands, SignAndDecimalsStayOutOfTheGrouping)
{
    for (const TextCase& c : {TextCase{"-123456", "-123,456"}, TextCase{"-123", "-123"},
                              TextCase{"+1234", "+1,234"}, TextCase{"12345.5", "12,345.5"},
                              TextCase{"-1234567.125", "-1,234,567.125"},
                              TextCase{"123.4567", "123.4567"}, TextCase{".5", ".5"}}) {
        EXPECT_EQ(GroupThousands(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
    }
}

TEST(GroupThousands, TextThatIsNoNumberComesBackUnchanged)
{
    for (const char* text : {"1,234", "abc", "12 345", "１２３４", "--1234", "1234-"})
        EXPECT_EQ(GroupThousands(QString::fromUtf8(text)), QString::fromUtf8(text)) << text;
}

TEST(GroupThousands, Numbers)
{
    EXPECT_EQ(GroupThousands(qint64(0)), QStringLiteral("0"));
    EXPECT_EQ(GroupThousands(qint64(999)), QStringLiteral("999"));
    EXPECT_EQ(GroupThousands(qint64(1000)), QStringLiteral("1,000"));
    EXPECT_EQ(GroupThousands(qint64(-1234567)), QStringLiteral("-1,234,567"));
}

} // namespace
} // namespace varn
