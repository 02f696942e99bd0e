#include "lexicon/exports/LexiconExports.h"

#include "output/DeliveredWorkbook.h"
#include "output/OutputTask.h"
#include "platform/db/Database.h"
#include "platform/workbook/Workbook.h"
#include "shared/LookupLists.h"
#include "shared/ProgramState.h"

#include <algorithm>

namespace varn {

namespace {

constexpr int kFirstRow = 3;
const QString kHeadingMark = QStringLiteral("：");

// A value as the field delivers it: a number stays a number, a text stays text, a null
// leaves the cell as the template has it.
void putValue(Worksheet& sheet, int row, int column, const QVariant& value)
{
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double:
        sheet.setNumber(row, column, value.toDouble());
        break;
    default:
        sheet.setText(row, column, value.toString());
    }
}

void fillLookupLists(Database& db, Worksheet& sheet)
{
    QVector<Recordset> lists;
    qint64 longest = 0;
    for (const LookupListInfo& info : LookupLists()) {
        if (!info.exported)
            continue;
        lists << db.openRecordset(info.selectSql());
        longest = std::max<qint64>(longest, lists.last().recordCount());
    }
    CheckRowsFit(kFirstRow + longest - 1);
    for (int k = 0; k < lists.size(); ++k) {
        Recordset& rs = lists[k];
        for (int row = kFirstRow; !rs.eof(); rs.moveNext(), ++row)
            putValue(sheet, row, k + 1, rs.value(0));
    }
}

void fillCategories(Database& db, Worksheet& sheet)
{
    Recordset rs = db.openRecordset(QStringLiteral("SELECT k, a FROM Pk2a"));
    // Rows of the longest category first, so that nothing is written when it cannot fit.
    qint64 longest = 0;
    qint64 run = 0;
    QString previous;
    for (; !rs.eof(); rs.moveNext()) {
        run = (rs.position() > 0 && rs.text(0) == previous) ? run + 1 : 1;
        previous = rs.text(0);
        longest = std::max(longest, run);
    }
    CheckRowsFit(kFirstRow + longest - 1);

    rs.moveFirst();
    int column = -1;
    int row = kFirstRow;
    for (; !rs.eof(); rs.moveNext()) {
        if (column < 0 || rs.text(0) != previous) {
            column += 2;
            row = kFirstRow;
            previous = rs.text(0);
            sheet.setText(kFirstRow, column, previous + kHeadingMark);
        }
        putValue(sheet, row++, column + 1, rs.value(1));
    }
}

void fillWorkTypes(Database& db, Worksheet& sheet)
{
    sheet.setText(1, 1, QStringLiteral("工程種類列表："));
    Recordset rs = db.openRecordset(QStringLiteral("SELECT t, w, u, c, s FROM Pt2w"));
    CheckRowsFit(kFirstRow + qint64(rs.recordCount()) - 1);
    QString previous;
    for (int row = kFirstRow; !rs.eof(); rs.moveNext(), ++row) {
        if (rs.position() == 0 || rs.text(0) != previous) {
            previous = rs.text(0);
            sheet.setText(row, 1, previous + kHeadingMark);
        }
        for (int f = 1; f <= 4; ++f)
            putValue(sheet, row, f + 1, rs.value(f));
    }
}

void fillDetails(Database& db, Worksheet& sheet)
{
    Recordset rs = db.openRecordset(QStringLiteral("SELECT t, w, d, c FROM Pt2w2d"));
    CheckRowsFit(kFirstRow + qint64(rs.recordCount()) - 1);
    // A work item listed under two work types is a group under each: the group is the pair.
    QString previousType;
    QString previousItem;
    for (int row = kFirstRow; !rs.eof(); rs.moveNext(), ++row) {
        if (rs.position() == 0 || rs.text(0) != previousType || rs.text(1) != previousItem) {
            previousType = rs.text(0);
            previousItem = rs.text(1);
            sheet.setText(row, 1, previousType + kHeadingMark);
            sheet.setText(row, 2, previousItem + kHeadingMark);
        }
        putValue(sheet, row, 3, rs.value(2));
        putValue(sheet, row, 4, rs.value(3));
    }
}

} // namespace

QString LexiconExportTemplate(LexiconExport which)
{
    return LexiconExportName(which) + QStringLiteral(".xlsx");
}

QString LexiconExportName(LexiconExport which)
{
    switch (which) {
    case LexiconExport::LookupLists:
        return QStringLiteral("其他詞庫");
    case LexiconExport::Categories:
        return QStringLiteral("工程類別");
    case LexiconExport::WorkTypes:
        return QStringLiteral("工程種類");
    case LexiconExport::Details:
        return QStringLiteral("細項加成");
    }
    return {};
}

QString FillLexiconExport(Database& db, LexiconExport which, const QString& templatePath, const QString& outputFolder,
                          const QDateTime& when)
{
    Workbook book = Workbook::open(templatePath);
    Worksheet& sheet = book.worksheet(1);
    switch (which) {
    case LexiconExport::LookupLists:
        fillLookupLists(db, sheet);
        break;
    case LexiconExport::Categories:
        fillCategories(db, sheet);
        break;
    case LexiconExport::WorkTypes:
        fillWorkTypes(db, sheet);
        break;
    case LexiconExport::Details:
        fillDetails(db, sheet);
        break;
    }
    return SaveNewWorkbook(book, outputFolder, LexiconExportName(which), when);
}

QString PrintLexiconExport(LexiconExport which)
{
    return DeliverOutput(QStringLiteral("詞庫列印中…"), [which] {
        const auto& db = state().m.gDb;
        if (!db)
            throw OutputRefused(QStringLiteral("資料庫尚未開啟"));
        return FillLexiconExport(*db, which, OtherTemplatePath(LexiconExportTemplate(which)), OutputFolder());
    });
}

} // namespace varn
