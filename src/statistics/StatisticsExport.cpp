#include "statistics/StatisticsExport.h"

#include "output/DeliveredWorkbook.h"
#include "platform/workbook/Workbook.h"

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
    return OtherTemplatePath(QStringLiteral("統計.xlsx"));
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
    return SaveNewWorkbook(book, outputFolder, QStringLiteral("統計"), when);
}

} // namespace varn
