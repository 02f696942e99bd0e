#pragma once

#include <QDateTime>
#include <QString>

namespace varn {

class Database;

// Fills the label template with one address label for every customer (kind 1) or vendor
// (kind 2) in code order, three across: the k-th label stands in column k mod 3 + 1 from
// row 2 + 5 × (k div 3), four lines high (postal code; address without ";"; four blanks and
// the name; contact, "  君 啟", five blanks and the code), the fifth row untouched. Saves
// the result under a new name in outputFolder; the template is never written. Throws
// OutputRefused (another kind, too many labels), DbError or WorkbookError.
QString FillMailLabels(Database& db, int kind, const QString& templatePath, const QString& outputFolder,
                       const QDateTime& when = QDateTime::currentDateTime());

// 列印標籤 of the print chooser: the labels of the register gPrintKind from the shared
// connection into a new workbook, opened in the spreadsheet program; failures are told.
// Returns the saved path, or empty.
QString PrintMailLabels();

} // namespace varn
