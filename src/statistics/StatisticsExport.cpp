#include "statistics/StatisticsExport.h"

#include "platform/workbook/Workbook.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace varn {

namespace {

// A whole plain number as the statistics grid writes it ("-12.5", "3000").
std::optional<double> plainNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(R"(^-?\d+(\.\d+)?$)"));
    if (!re.match(text).hasMatch())
        return std::nullopt;
    return text.toDouble();
}

} // namespace

QString StatisticsTemplatePath()
{
    return QDir(state().programFolder).filePath(QString(kOtherTemplatesFolder) + QStringLiteral("/統計.xlsx"));
}

QString NewOutputPath(const QString& folder, const QString& base, const QDateTime& when)
{
    const QDir dir(folder);
    const QString stem = base + QLatin1Char('_') + when.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1_%2.xlsx").arg(stem).arg(n));
    return path;
}

QString ExportStatistics(const QVector<QStringList>& rows, const QString& templatePath,
                         const QString& outputFolder, const QDateTime& when)
{
    Workbook book = Workbook::open(templatePath);
    Worksheet& sheet = book.worksheet(1);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& line = rows.at(r);
        for (int c = 0; c < line.size(); ++c) {
            const QString& text = line.at(c);
            const int row = r + 1;
            const int col = c + 1;
            if (r > 0 && text.endsWith(QLatin1Char('%'))) {
                if (const auto v = plainNumber(text.chopped(1))) {
                    sheet.setNumber(row, col, *v / 100);
                    sheet.setNumberFormat(row, col, QStringLiteral("0%"));
                    continue;
                }
            }
            if (r > 0) {
                if (const auto v = plainNumber(text)) {
                    sheet.setNumber(row, col, *v);
                    continue;
                }
            }
            if (text.isEmpty())
                sheet.clearValue(row, col);
            else
                sheet.setText(row, col, text);
        }
    }
    if (!QDir().mkpath(outputFolder))
        throw WorkbookError(QStringLiteral("無法建立資料夾 %1").arg(outputFolder));
    const QString out = NewOutputPath(outputFolder, QStringLiteral("統計"), when);
    book.saveAs(out);
    return out;
}

} // namespace varn
