#pragma once

#include <QDateTime>
#include <QString>

namespace varn {

class Database;

// The four workbooks the lexicon window prints (its 列印 buttons).
enum class LexiconExport {
    LookupLists,   // 其他詞庫: twelve lookup lists side by side, one column each
    Categories,    // 工程類別: a pair of columns per project category, its areas below
    WorkTypes,     // 工程種類: a row per work item under its work type's heading
    Details,       // 細項加成: a row per detail under its work type and work item
};

// The template in Pother and the first part of the saved file's name.
QString LexiconExportTemplate(LexiconExport which);
QString LexiconExportName(LexiconExport which);

// Fills the export's template from the lexicon tables as stored, from row 3 (numbers as
// numbers, texts as text, headings followed by "："), and saves it under a new name in
// outputFolder; the template is never written. Throws OutputRefused (more rows than a sheet
// holds), DbError or WorkbookError.
QString FillLexiconExport(Database& db, LexiconExport which, const QString& templatePath,
                          const QString& outputFolder, const QDateTime& when = QDateTime::currentDateTime());

// A 列印 button of the lexicon window: the export from the shared connection into a new
// workbook, opened in the spreadsheet program; failures are told. Returns the saved path,
// or empty.
QString PrintLexiconExport(LexiconExport which);

} // namespace varn
