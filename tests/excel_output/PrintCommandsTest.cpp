#include "excel_output/PrintCommands.h"

#include <gtest/gtest.h>

using namespace varn;

TEST(PrintCommandsTest, FlagsFollowTheCommandAndTheUsersRightsAlone)
{
    // TreeMode 0: 1 without areas, 2 with; showCost 'C': with the cost right; blank 'P': for
    // a user without the price right. (What each command prints is the layout tests'.)
    const struct {
        const char* name;
        bool byArea;
        int tree;
        char showCost, blank;
        bool single, cost, flat;
    } table[] = {
        {"mPs", false, 0, 'F', 'P', true, false, false},
        {"mPss", false, 0, 'F', 'P', true, false, true},
        {"mPa", true, 1, 'F', 'P', false, false, false},
        {"mPnw", true, 1, 'F', 'P', false, false, false},
        {"mAs", false, 2, 'F', 'P', false, false, false},
        {"mPw", false, 0, 'F', 'P', false, false, false},
        {"mPwa", false, 3, 'F', 'P', false, false, false},
        {"mWs", false, 0, 'F', 'P', false, false, false},
        {"mPas", true, 1, 'F', 'T', false, false, false},
        {"mPws", false, 0, 'F', 'T', false, false, false},
        {"mPwaS", false, 3, 'F', 'T', false, false, false},
        {"mPwsb", false, 0, 'F', 'T', false, false, false},
        {"mPac", true, 1, 'C', 'P', false, true, false},
        {"mPwc", false, 0, 'C', 'P', false, true, false},
        {"mPwac", false, 3, 'C', 'P', false, true, false},
    };
    const LayoutFlags leftOver{true, 3, true, false, true, true, true};   // must not matter
    ASSERT_EQ(PrintCommands().size(), std::size(table));
    for (const auto& row : table) {
        for (int mask = 0; mask < 8; ++mask) {
            const PrintRights who{bool(mask & 1), bool(mask & 2), bool(mask & 4)};
            const LayoutFlags expected{row.byArea, row.tree == 0 ? (who.noAreaMode ? 1 : 2) : row.tree,
                                       row.showCost == 'C' && !who.noCostRight,
                                       row.blank == 'T' || (row.blank == 'P' && who.noPriceRight), row.single,
                                       row.cost, row.flat};
            EXPECT_EQ(CommandFlags(*FindPrintCommand(QString::fromLatin1(row.name)), leftOver, who), expected)
                << row.name << " rights " << mask;
        }
    }
}
