#include "excel_output/PrintCommands.h"

#include <gtest/gtest.h>

using namespace varn;

TEST(PrintCommandsTest, EngineFolderAndFlagsOfEveryCommandForEveryUser)
{
    // TreeMode 0: 1 without areas, 2 with; showCost 'C': with the cost right; blank 'P': for
    // a user without the price right.
    const struct {
        const char* name;
        PrintEngine engine;
        const char* folder;
        bool byArea;
        int tree;
        char showCost, blank;
        bool single, cost, flat;
    } table[] = {
        {"mPs", PrintEngine::Cover, "PrintNF", false, 0, 'F', 'P', true, false, false},
        {"mPss", PrintEngine::Cover, "PrintNF", false, 0, 'F', 'P', true, false, true},
        {"mPa", PrintEngine::Cover, "PrintQ", true, 1, 'F', 'P', false, false, false},
        {"mPnw", PrintEngine::AreaNoTypes, "PrintQ", true, 1, 'F', 'P', false, false, false},
        {"mAs", PrintEngine::AreaPages, "PrintQ", false, 2, 'F', 'P', false, false, false},
        {"mPw", PrintEngine::Cover, "PrintQ", false, 0, 'F', 'P', false, false, false},
        {"mPwa", PrintEngine::Cover, "PrintQ", false, 3, 'F', 'P', false, false, false},
        {"mWs", PrintEngine::TypePages, "PrintQ", false, 0, 'F', 'P', false, false, false},
        {"mPas", PrintEngine::Cover, "PrintS", true, 1, 'F', 'T', false, false, false},
        {"mPws", PrintEngine::Cover, "PrintS", false, 0, 'F', 'T', false, false, false},
        {"mPwaS", PrintEngine::Cover, "PrintS", false, 3, 'F', 'T', false, false, false},
        {"mPwsb", PrintEngine::TypePages, "PrintQ", false, 0, 'F', 'T', false, false, false},
        {"mPac", PrintEngine::Cover, "PrintC", true, 1, 'C', 'P', false, true, false},
        {"mPwc", PrintEngine::Cover, "PrintC", false, 0, 'C', 'P', false, true, false},
        {"mPwac", PrintEngine::Cover, "PrintC", false, 3, 'C', 'P', false, true, false},
    };
    const LayoutFlags leftOver{true, 3, true, false, true, true, true};   // must not matter
    ASSERT_EQ(PrintCommands().size(), std::size(table));
    for (size_t i = 0; i < std::size(table); ++i) {
        const auto& row = table[i];
        const PrintCommand& command = PrintCommands()[i];
        ASSERT_EQ(command.name, QString::fromLatin1(row.name));
        EXPECT_EQ(command.engine, row.engine) << row.name;
        EXPECT_EQ(command.folder, QString::fromLatin1(row.folder)) << row.name;
        for (int mask = 0; mask < 8; ++mask) {
            const PrintRights who{bool(mask & 1), bool(mask & 2), bool(mask & 4)};
            const LayoutFlags f = CommandFlags(command, leftOver, who);
            const LayoutFlags expected{row.byArea, row.tree == 0 ? (who.noAreaMode ? 1 : 2) : row.tree,
                                       row.showCost == 'C' && !who.noCostRight,
                                       row.blank == 'T' || (row.blank == 'P' && who.noPriceRight), row.single,
                                       row.cost, row.flat};
            EXPECT_EQ(f, expected) << row.name << " rights " << mask;
        }
    }
}
