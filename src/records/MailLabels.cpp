#include "records/MailLabels.h"

#include "output/DeliveredWorkbook.h"
#include "output/OutputTask.h"
#include "platform/db/Database.h"
#include "platform/workbook/Workbook.h"
#include "records/ListPrinting.h"
#include "shared/ProgramState.h"

namespace varn {

namespace {

constexpr int kFirstRow = 2;
constexpr int kBlockRows = 5;
constexpr int kAcross = 3;

QString labelSql(int kind)
{
    switch (kind) {
    case 1:
        return QStringLiteral("SELECT 郵遞區號, 公司地址, 客戶名稱, 連絡人, 客戶編號 FROM 客戶 ORDER BY 客戶編號, rowid");
    case 2:
        return QStringLiteral("SELECT 郵遞區號, 公司地址, 廠商名稱, 連絡人, 廠商編號 FROM 廠商 ORDER BY 廠商編號, rowid");
    default:
        throw OutputRefused(QStringLiteral("只有客戶與廠商可以列印標籤"));
    }
}

} // namespace

QString FillMailLabels(Database& db, int kind, const QString& templatePath, const QString& outputFolder,
                       const QDateTime& when)
{
    const QString sql = labelSql(kind);
    Recordset rs = db.openRecordset(sql);
    const qint64 count = rs.recordCount();
    if (count > 0)
        CheckRowsFit(kFirstRow + kBlockRows * ((count - 1) / kAcross) + 3);

    Workbook book = Workbook::open(templatePath);
    Worksheet& sheet = book.worksheet(1);
    int row = kFirstRow;
    int column = 1;
    for (; !rs.eof(); rs.moveNext()) {
        sheet.setText(row, column, rs.text(0));
        sheet.setText(row + 1, column, rs.text(1).remove(QLatin1Char(';')));
        sheet.setText(row + 2, column, QStringLiteral("    ") + rs.text(2));
        sheet.setText(row + 3, column, rs.text(3) + QStringLiteral("  君 啟") + QStringLiteral("     ") + rs.text(4));
        if (column == kAcross) {
            column = 1;
            row += kBlockRows;
        } else {
            ++column;
        }
    }
    // A long address or name wraps inside its label; its row grows so that it keeps clear of
    // the label's other lines.
    if (count > 0)
        sheet.fitRowHeights(kFirstRow, kFirstRow + kBlockRows * static_cast<int>((count - 1) / kAcross) + 3);
    return SaveNewWorkbook(book, outputFolder, QStringLiteral("Label"), when);
}

QString PrintMailLabels()
{
    const int kind = state().m.gPrintKind;
    return DeliverOutput(QStringLiteral("標籤列印中…"), [&] {
        return FillMailLabels(PrintSourceDatabase(), kind, OtherTemplatePath(QStringLiteral("Label.xlsx")), OutputFolder());
    });
}

} // namespace varn
