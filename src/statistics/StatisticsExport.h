#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

namespace varn {

// The statistics template: "Pother/統計.xlsx" under the program folder.
QString StatisticsTemplatePath();

// Writes the rows into the first worksheet of the template from cell A1 on (numbers as
// numbers, "24%" as 0.24 shown as a percentage, other texts as text) and saves the result
// under a new name in outputFolder; the template itself is never written. Returns the
// saved file. Throws WorkbookError.
QString ExportStatistics(const QVector<QStringList>& rows, const QString& templatePath,
                         const QString& outputFolder,
                         const QDateTime& when = QDateTime::currentDateTime());

} // namespace varn
