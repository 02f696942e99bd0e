#include "excel_output/PrintCommands.h"

namespace varn {

namespace {

const QString kEstimate = QStringLiteral("報價單.xlsx");
const QString kBlank = QStringLiteral("空白報價單.xlsx");
const QString kCost = QStringLiteral("成本分析.xlsx");
const QString kSingle = QStringLiteral("單張報價單.xlsx");

} // namespace

const std::vector<PrintCommand>& PrintCommands()
{
    static const std::vector<PrintCommand> commands{
        {"mPs", "單張估價(無首頁)", PrintEngine::Cover, kSingle, "PrintNF"},
        {"mPss", "單張估價(無首頁無階層)", PrintEngine::Cover, kSingle, "PrintNF"},
        {"mPa", "區域首頁(估價)", PrintEngine::Cover, kEstimate, "PrintQ"},
        {"mPnw", "區域首頁(估價)(不印工種)", PrintEngine::AreaNoTypes, kEstimate, "PrintQ"},
        {"mAs", "區域分頁", PrintEngine::AreaPages, kEstimate, "PrintQ"},
        {"mPw", "工種首頁(估價)", PrintEngine::Cover, kEstimate, "PrintQ"},
        {"mPwa", "工種首頁(估價)(分離區域)", PrintEngine::Cover, kEstimate, "PrintQ"},
        {"mWs", "工種分頁", PrintEngine::TypePages, kEstimate, "PrintQ"},
        {"mPas", "區域首頁(空白估價)", PrintEngine::Cover, kBlank, "PrintS"},
        {"mPws", "工種首頁(空白估價)", PrintEngine::Cover, kBlank, "PrintS"},
        {"mPwaS", "工種首頁(空白估價)(分離區域)", PrintEngine::Cover, kBlank, "PrintS"},
        {"mPwsb", "工種分頁(空白估價)", PrintEngine::TypePages, kEstimate, "PrintQ"},
        {"mPac", "區域首頁(成本)", PrintEngine::Cover, kCost, "PrintC"},
        {"mPwc", "工種首頁(成本)", PrintEngine::Cover, kCost, "PrintC"},
        {"mPwac", "工種首頁(成本)(分離區域)", PrintEngine::Cover, kCost, "PrintC"},
    };
    return commands;
}

const PrintCommand* FindPrintCommand(const QString& name)
{
    for (const PrintCommand& c : PrintCommands()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

LayoutFlags CommandFlags(const PrintCommand& command, const LayoutFlags& before, const PrintRights& who)
{
    const QString& n = command.name;
    const int byTree = who.noAreaMode ? 1 : 2;
    LayoutFlags f = before;
    f.ShowCost = false;
    f.BlankPrices = who.noPriceRight;
    f.SingleSheet = false;
    f.CostReport = false;
    f.FlatList = false;
    f.CoverByArea = false;
    f.TreeMode = byTree;

    if (n == "mPs" || n == "mPss") {
        f.SingleSheet = true;
        f.FlatList = n == "mPss";
    } else if (n == "mPa" || n == "mPnw" || n == "mPas" || n == "mPac") {
        f.CoverByArea = true;
        f.TreeMode = 1;
    } else if (n == "mAs") {
        f.TreeMode = 2;   // its engine works in the tree's own order and sets 1 itself
    } else if (n == "mPwa" || n == "mPwaS" || n == "mPwac") {
        f.TreeMode = 3;
    }
    if (command.templateFile == QStringLiteral("空白報價單.xlsx") || n == "mPwsb")
        f.BlankPrices = true;
    if (command.templateFile == QStringLiteral("成本分析.xlsx")) {
        f.CostReport = true;
        f.ShowCost = !who.noCostRight;
    }
    return f;
}

LayoutFlags FlagsAfterCommand(const PrintCommand& command, const LayoutFlags& before, const LayoutFlags& during)
{
    LayoutFlags after = during;
    if (command.name == QStringLiteral("mPwsb"))
        after.BlankPrices = before.BlankPrices;
    return after;
}

} // namespace varn
