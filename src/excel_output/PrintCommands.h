#pragma once

#include "quotation/LayoutFlags.h"

#include <QString>

#include <vector>

namespace varn {

// Which engine a print command calls.
enum class PrintEngine {
    Cover,         // PrintExcelCover: cover sheet and detail sheet, or one sheet
    AreaNoTypes,   // PrintExcelAreaNoTypes
    AreaPages,     // PrintExcelAreaPages
    TypePages,     // PrintExcelTypePages
};

// One entry of the menu 列印(Excel)(&P).
struct PrintCommand {
    QString name;           // "mPa"
    QString caption;        // "區域首頁(估價)"
    PrintEngine engine;
    QString templateFile;   // "報價單.xlsx"
    QString folder;         // "PrintQ"
};

// The fifteen commands in menu order.
const std::vector<PrintCommand>& PrintCommands();
// The command of that control name, or null.
const PrintCommand* FindPrintCommand(const QString& name);

// Who prints, and on what quotation.
struct PrintRights {
    bool noPriceRight = false;
    bool noCostRight = false;
    bool noAreaMode = false;
};

// The flags a command runs its engine with. Every command writes all seven, so that a
// paged print never carries prices or costs a cover command left behind; 工種分頁(空白估價)
// prints blank prices (its caller puts the earlier BlankPrices back afterwards, see
// FlagsAfterCommand).
LayoutFlags CommandFlags(const PrintCommand& command, const LayoutFlags& before, const PrintRights& who);
// The flags the window keeps once the command is over, whatever its outcome.
LayoutFlags FlagsAfterCommand(const PrintCommand& command, const LayoutFlags& before, const LayoutFlags& during);

} // namespace varn
