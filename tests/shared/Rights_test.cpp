#include "shared/Rights.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(RightsToBinary12, BitZeroComesFirst)
{
    EXPECT_EQ(RightsToBinary12(0), QStringLiteral("000000000000"));
    EXPECT_EQ(RightsToBinary12(1), QStringLiteral("100000000000"));
    EXPECT_EQ(RightsToBinary12(5), QStringLiteral("101000000000"));
    EXPECT_EQ(RightsToBinary12(2048), QStringLiteral("000000000001"));
    EXPECT_EQ(RightsToBinary12(4095), QStringLiteral("111111111111"));
    EXPECT_EQ(RightsToBinary12(kAllRights), QStringLiteral("111111111111"));
}

TEST(RightsToBinary12, WordsOutsideTwelveBits)
{
    EXPECT_EQ(RightsToBinary12(4096), QStringLiteral("0000000000001"));
    EXPECT_EQ(RightsToBinary12(-1), QStringLiteral("1111111111111111"));
}

TEST(Rights, BitsMatchTheCharactersWindowsRead)
{
    // Windows read character k (from 1) of RightsToBinary12 for bit k - 1.
    const struct {
        Right right;
        int character;
    } table[] = {
        {Right::PriceVisible, 1}, {Right::CostVisible, 2},   {Right::Quotation, 3},
        {Right::CustomerEdit, 4}, {Right::CustomerView, 5},  {Right::VendorEdit, 6},
        {Right::VendorView, 7},   {Right::EmployeeEdit, 8},  {Right::EmployeeView, 9},
        {Right::LexiconEdit, 10}, {Right::LexiconView, 11},  {Right::SystemSettings, 12},
    };
    for (const auto& row : table) {
        const int rights = RightMask(row.right);
        const QString text = RightsToBinary12(rights);
        EXPECT_EQ(text.indexOf(u'1'), row.character - 1);
        EXPECT_EQ(text.count(u'1'), 1);
        EXPECT_TRUE(HasRight(rights, row.right));
        EXPECT_FALSE(HasRight(kAllRights & ~rights, row.right));
    }
}

} // namespace
} // namespace varn
