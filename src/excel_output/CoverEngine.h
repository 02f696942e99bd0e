#pragma once

#include "quotation/LayoutFlags.h"

#include <QString>

namespace varn {

class Database;
class Quotation;

// What a print command hands to its engine: the quotation, the user's statistics database,
// the layout flags, and where the workbook dialog starts (the layout's template).
struct PrintJob {
    Quotation& q;
    Database* staDb = nullptr;
    LayoutFlags flags;
    QString startFolder;
    QString templateFile;
};

// `PrintExcelCover` for the two-sheet layouts: the root selected and the totals recomputed,
// the statistics rebuilt and numbered, the header values taken, the dialog "輸出檔案" for
// the template to fill, then the placeholders, the cover, the detail sheet and the page
// set-up laid out and written into a copy that is saved in the user's working folder and
// opened in the spreadsheet program. Every failure is told through the prompter and
// nothing is saved then. Returns the saved file, or empty.
QString PrintExcelCover(const PrintJob& job);

} // namespace varn
