#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace varn {

// Finding the desktop's spreadsheet program (the original drove Excel).

// How the spreadsheet program is started: the program and the arguments that come before
// the file.
struct SpreadsheetCommand {
    QString program;
    QStringList arguments;
};

// The command in VARN_SPREADSHEET when it names an executable program (arguments may follow,
// split as a command line, never through a shell); otherwise xdg-open, or "gio open", when
// the desktop has a default application for .xlsx files (xdg-mime query default); otherwise
// LibreOffice Calc on PATH: localc, "libreoffice --calc" or "soffice --calc". nullopt when
// there is none.
std::optional<SpreadsheetCommand> FindSpreadsheetProgram();

// A program that opens .xlsx files is found.
bool HasSpreadsheetProgram();

} // namespace varn
