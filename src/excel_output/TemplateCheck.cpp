#include "excel_output/TemplateCheck.h"

#include "platform/workbook/Workbook.h"

#include <QFileInfo>

#include <optional>

namespace varn {

namespace {

const char* const kRangeNames[] = {"表頭範圍", "變數範圍", "輸出範圍", "頁尾範圍"};

struct RangeCheck {
    std::optional<CellRange> range;
    QString problem;
};

// The range of Xp.ini lines first..first+3 (1-based): column letters must be one letter
// A-Z, because the engines count a column by its first character.
RangeCheck readRange(const QStringList& xp, int first, const QString& group, int which)
{
    const QString where = QStringLiteral("%1的%2（Xp.ini 第 %3 到 %4 行）")
                              .arg(group, QString::fromUtf8(kRangeNames[which]))
                              .arg(first)
                              .arg(first + 3);
    int columns[2];
    int rows[2];
    for (int k = 0; k < 2; ++k) {
        const QString col = xp[first - 1 + 2 * k];
        const QString row = xp[first + 2 * k];
        if (col.size() != 1 || col[0] < u'A' || col[0] > u'Z')
            return {std::nullopt, QStringLiteral("%1：欄「%2」必須是 A 到 Z 的一個大寫字母").arg(where, col)};
        bool ok = false;
        const int r = row.toInt(&ok);
        if (!ok || r < 1 || r > kMaxRows)
            return {std::nullopt, QStringLiteral("%1：列「%2」必須是正整數").arg(where, row)};
        columns[k] = col[0].unicode() - u'A' + 1;
        rows[k] = r;
    }
    if (rows[0] > rows[1] || columns[0] > columns[1])
        return {std::nullopt, QStringLiteral("%1：左上角在右下角之後").arg(where)};
    return {CellRange{{rows[0], columns[0]}, {rows[1], columns[1]}}, {}};
}

// Checks the four ranges of one group (first line 1 or 17) against a sheet; fills `output`
// with the group's output range.
QString checkGroup(Worksheet& sheet, const QStringList& xp, int first, const QString& group,
                   const QString& file, std::optional<CellRange>& output, int only = -1)
{
    const auto laidOut = sheet.laidOutRange();
    for (int which = 0; which < 4; ++which) {
        if (only >= 0 && which != only)
            continue;
        const RangeCheck check = readRange(xp, first + 4 * which, group, which);
        if (!check.range)
            return QStringLiteral("列印設定無法用於範本 %1：%2").arg(file, check.problem);
        if (!laidOut || !laidOut->contains(*check.range))
            return QStringLiteral("範本 %1 的工作表「%2」只排到 %3，%4的%5 %6 超出範圍（Xp.ini 第 %7 到 %8 行）")
                .arg(file, sheet.name(), laidOut ? laidOut->bottomRight.toString() : QStringLiteral("A1"), group,
                     QString::fromUtf8(kRangeNames[which]), check.range->toString())
                .arg(first + 4 * which)
                .arg(first + 4 * which + 3);
        if (which == 2)
            output = check.range;
    }
    return {};
}

QString checkOutputEmpty(Worksheet& sheet, const CellRange& output, const QString& file)
{
    for (int r = output.topLeft.row; r <= output.bottomRight.row; ++r)
        for (int c = output.topLeft.column; c <= output.bottomRight.column; ++c)
            if (sheet.hasValue(r, c))
                return QStringLiteral("範本 %1 的工作表「%2」輸出範圍 %3 應該是空白的，但 %4 有內容")
                    .arg(file, sheet.name(), output.toString(), CellRef{r, c}.toString());
    return {};
}

} // namespace

QString CheckQuotationTemplate(Workbook& workbook, QuotationTemplateKind kind, const QStringList& xp)
{
    const QString file = QFileInfo(workbook.path()).fileName();
    if (xp.size() < 32)
        return QStringLiteral("列印設定 Xp.ini 應有 32 行，只有 %1 行").arg(xp.size());
    const QString coverGroup = QStringLiteral("首頁設定");
    const QString detailGroup = QStringLiteral("明細設定");
    const int needed = kind == QuotationTemplateKind::CoverAndDetail ? 2 : 1;
    if (workbook.worksheetCount() < needed)
        return needed == 2 ? QStringLiteral("範本 %1 需要首頁與明細兩個工作表，只有 %2 個").arg(file).arg(workbook.worksheetCount())
                           : QStringLiteral("範本 %1 沒有工作表").arg(file);
    try {
        std::optional<CellRange> coverOutput, detailOutput;
        QString problem;
        if (kind == QuotationTemplateKind::CoverAndDetail) {
            Worksheet& cover = workbook.worksheet(1);
            Worksheet& detail = workbook.worksheet(2);
            problem = checkGroup(cover, xp, 1, coverGroup, file, coverOutput);
            if (problem.isEmpty())
                problem = checkGroup(detail, xp, 17, detailGroup, file, detailOutput);
            if (problem.isEmpty())
                problem = checkOutputEmpty(cover, *coverOutput, file);
            if (problem.isEmpty())
                problem = checkOutputEmpty(detail, *detailOutput, file);
        } else {
            Worksheet& sheet = workbook.worksheet(1);
            problem = checkGroup(sheet, xp, 17, detailGroup, file, detailOutput);
            // The placeholders are looked for in the cover's variable range too, and the
            // grand-total line goes on the cover output range's last row.
            if (problem.isEmpty())
                problem = checkGroup(sheet, xp, 1, coverGroup, file, coverOutput, 1);
            if (problem.isEmpty())
                problem = checkGroup(sheet, xp, 1, coverGroup, file, coverOutput, 2);
            if (problem.isEmpty())
                problem = checkOutputEmpty(sheet, *detailOutput, file);
        }
        return problem;
    } catch (const WorkbookError& e) {
        return e.message();
    }
}

QString CheckQuotationTemplate(const QString& path, QuotationTemplateKind kind, const QStringList& xp)
{
    try {
        Workbook workbook = Workbook::open(path);
        return CheckQuotationTemplate(workbook, kind, xp);
    } catch (const WorkbookError& e) {
        return e.message();
    }
}

} // namespace varn
