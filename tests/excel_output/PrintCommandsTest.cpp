#include "excel_output/PrintCommands.h"

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Expected flags: CoverByArea, TreeMode (0 = 1 without areas, 2 with), ShowCost (C = the
// cost right), BlankPrices (P = no price right), SingleSheet, CostReport, FlatList.
struct Row {
    const char* name;
    PrintEngine engine;
    const char* folder;
    bool byArea;
    int tree;
    char showCost;   // 'F' or 'C'
    char blank;      // 'F', 'T' or 'P'
    bool single, cost, flat;
};

const Row kTable[] = {
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

} // namespace

TEST(PrintCommandsTest, EngineFolderAndFlagsOfEveryCommandForEveryUserAndTree)
{
    // Whatever a previous command left must not matter.
    LayoutFlags leftOver{true, 3, true, false, true, true, true};
    ASSERT_EQ(PrintCommands().size(), std::size(kTable));
    for (size_t i = 0; i < std::size(kTable); ++i) {
        const Row& row = kTable[i];
        const PrintCommand& command = PrintCommands()[i];
        ASSERT_EQ(command.name, QString::fromLatin1(row.name));
        EXPECT_EQ(command.engine, row.engine) << row.name;
        EXPECT_EQ(command.folder, QString::fromLatin1(row.folder)) << row.name;
        for (int mask = 0; mask < 8; ++mask) {
            const PrintRights who{bool(mask & 1), bool(mask & 2), bool(mask & 4)};
            const LayoutFlags f = CommandFlags(command, leftOver, who);
            const std::string where = std::string(row.name) + " rights " + std::to_string(mask);
            EXPECT_EQ(f.CoverByArea, row.byArea) << where;
            EXPECT_EQ(f.TreeMode, row.tree == 0 ? (who.noAreaMode ? 1 : 2) : row.tree) << where;
            EXPECT_EQ(f.ShowCost, row.showCost == 'C' && !who.noCostRight) << where;
            EXPECT_EQ(f.BlankPrices, row.blank == 'T' || (row.blank == 'P' && who.noPriceRight)) << where;
            EXPECT_EQ(f.SingleSheet, row.single) << where;
            EXPECT_EQ(f.CostReport, row.cost) << where;
            EXPECT_EQ(f.FlatList, row.flat) << where;
            // A user without the price right never gets a print with prices.
            if (who.noPriceRight) {
                EXPECT_TRUE(f.BlankPrices) << where;
            }
        }
    }
}

TEST(PrintCommandsTest, OnlyTheBlankTypePagesPutBlankPricesBack)
{
    const PrintRights who{false, false, false};
    for (bool blankBefore : {false, true}) {
        LayoutFlags before;
        before.BlankPrices = blankBefore;
        before.SingleSheet = true;
        const PrintCommand& blankPages = *FindPrintCommand(QStringLiteral("mPwsb"));
        const LayoutFlags during = CommandFlags(blankPages, before, who);
        EXPECT_TRUE(during.BlankPrices);
        const LayoutFlags after = FlagsAfterCommand(blankPages, before, during);
        EXPECT_EQ(after.BlankPrices, blankBefore);
        EXPECT_FALSE(after.SingleSheet);

        const PrintCommand& estimate = *FindPrintCommand(QStringLiteral("mPas"));
        EXPECT_EQ(FlagsAfterCommand(estimate, before, CommandFlags(estimate, before, who)).BlankPrices, true);
    }
}
