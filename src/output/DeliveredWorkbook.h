#pragma once

#include <QDateTime>
#include <QString>

namespace varn {

class Workbook;

// Every workbook the program hands to the user goes the same way: the template is read,
// never written; the filled copy is saved in the user's working folder under the
// template's name with a date-time stamp, and opened in the desktop's spreadsheet program.

// The signed-in user's working folder, where the filled workbooks are saved.
QString OutputFolder();

// A new file name in `folder` for an output called `base`: base_yyyyMMdd_HHmmss.xlsx, with a
// running number added when that name is taken.
QString NewOutputPath(const QString& folder, const QString& base, const QDateTime& when);

// A quotation template folder ("PrintQ", "PrintS", "PrintC", "PrintNF") under the
// print-template folder gPrintPath (relative to the program folder when not absolute).
QString QuotationTemplateFolder(const QString& folderName);
// A template of the other outputs: Pother/<fileName> in the program folder.
QString OtherTemplatePath(const QString& fileName);

// Saves the filled workbook under a new name in `folder` (made when missing). Returns the
// saved path. Throws WorkbookError naming the file and the cause; nothing is left then.
QString SaveNewWorkbook(Workbook& book, const QString& folder, const QString& base,
                        const QDateTime& when = QDateTime::currentDateTime());

enum class DeliveryOutcome {
    Opened,         // the spreadsheet program was started on the file
    NoProgram,      // there is no spreadsheet program on this desktop
    LaunchFailed,   // there is one, but it could not be started
};

// Starts the spreadsheet program on a saved file, detached. The program is looked up once
// per run, in the background (see StartSpreadsheetLookup); while the look-up is still
// running the window keeps being painted.
DeliveryOutcome OpenSavedWorkbook(const QString& path);

// What to tell the user after a delivery: empty when the file was opened; otherwise
// "系統偵測無 Excel" or that it could not be opened, with the saved file's path.
QString DeliveryMessage(DeliveryOutcome outcome, const QString& path);

// Opens the saved file and tells the user through the prompter when it could not be opened.
DeliveryOutcome DeliverSavedWorkbook(const QString& path);

// Begins looking the spreadsheet program up (at most once per run), without waiting for it.
void StartSpreadsheetLookup();

} // namespace varn
