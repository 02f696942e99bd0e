#include "shared/Rights.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(RightsToBinary12, BitZeroComesFirst)
{
    for (const auto& [word, text] : {std::pair{0, "000000000000"}, {5, "101000000000"}, {2048, "000000000001"},
                                     {kAllRights, "111111111111"}, {4096, "0000000000001"},
                                     {-1, "1111111111111111"}})
        EXPECT_EQ(RightsToBinary12(word), QString::fromLatin1(text)) << word;
    // Windows read character k (from 1) for bit k - 1: the first and last rights show where.
    EXPECT_EQ(RightMask(Right::PriceVisible), 1);
    EXPECT_EQ(RightMask(Right::SystemSettings), 2048);
    EXPECT_TRUE(HasRight(RightMask(Right::VendorView), Right::VendorView));
    EXPECT_FALSE(HasRight(kAllRights & ~RightMask(Right::VendorView), Right::VendorView));
}

} // namespace
} // namespace varn
