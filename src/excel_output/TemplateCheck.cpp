#include "excel_output/TemplateCheck.h"

#include "platform/workbook/Workbook.h"
#include "shared/TextRoutines.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace varn {

namespace {

const char* const kRangeNames[] = {"表頭範圍", "變數範圍", "輸出範圍", "頁尾範圍"};

// "首頁設定的輸出範圍" for the range whose first Xp.ini line is `first`.
QString frameOf(int first)
{
    return QStringLiteral("%1的%2").arg(first <= 16 ? QStringLiteral("首頁設定") : QStringLiteral("明細設定"),
                                       QString::fromUtf8(kRangeNames[((first - 1) % 16) / 4]));
}

QString linesOf(int first)
{
    return QStringLiteral("Xp.ini 第 %1 到 %2 行").arg(first).arg(first + 3);
}

struct RangeCheck {
    std::optional<CellRange> range;
    QString problem;
    bool wellFormed = false;   // letters and row numbers as the engines need them, in any order
};

// The range of Xp.ini lines first..first+3 (1-based): column letters must be one letter
// A-Z, because the engines count a column by its first character; rows are digits alone,
// because they also stand as typed in the print titles.
RangeCheck readRange(const QStringList& xp, int first)
{
    int columns[2];
    int rows[2];
    for (int k = 0; k < 2; ++k) {
        const int line = first + 2 * k;
        const QString col = xp.value(line - 1);
        const QString row = xp.value(line);
        if (col.size() != 1 || col[0] < u'A' || col[0] > u'Z')
            return {std::nullopt, QStringLiteral("%1（Xp.ini 第 %2 行）：欄「%3」必須是 A 到 Z 的一個大寫字母")
                                      .arg(frameOf(first)).arg(line).arg(col)};
        const bool digits = !row.isEmpty() && std::all_of(row.begin(), row.end(), [](QChar c) {
            return c >= u'0' && c <= u'9';
        });
        const int r = digits ? row.toInt() : 0;
        if (r < 1 || r > kMaxRows)
            return {std::nullopt, QStringLiteral("%1（Xp.ini 第 %2 行）：列「%3」必須是正整數")
                                      .arg(frameOf(first)).arg(line + 1).arg(row)};
        columns[k] = col[0].unicode() - u'A' + 1;
        rows[k] = r;
    }
    const CellRef topLeft{rows[0], columns[0]}, bottomRight{rows[1], columns[1]};
    if (rows[0] > rows[1] || columns[0] > columns[1])
        return {std::nullopt, QStringLiteral("%1 %2:%3 的左上角在右下角之後（%4）")
                                  .arg(frameOf(first), topLeft.toString(), bottomRight.toString(), linesOf(first)),
                true};
    return {CellRange{topLeft, bottomRight}, {}, true};
}

// The page block runs from the first output row to the footer's last row: a footer that
// does not lie wholly below the output rows ends the block above them or prints over them.
QString footerProblem(const CellRange& output, const CellRange& footer, int group)
{
    if (footer.topLeft.row > output.bottomRight.row)
        return {};
    return QStringLiteral("%1 %2 必須整個在輸出範圍 %3 之下（%4）")
        .arg(frameOf(group + 12), footer.toString(), output.toString(), linesOf(group + 12));
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
        const RangeCheck check = readRange(xp, first + 4 * which);
        const QString problem = check.range && which == 3 ? footerProblem(*output, *check.range, first) : check.problem;
        if (!problem.isEmpty())
            return QStringLiteral("列印設定無法用於範本 %1：%2").arg(file, problem);
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

QString CheckPrintRangeOrder(const QStringList& xp)
{
    for (int group : {1, 17}) {
        std::optional<CellRange> ranges[4];
        for (int which = 0; which < 4; ++which) {
            const RangeCheck check = readRange(xp, group + 4 * which);
            if (check.wellFormed && !check.range)
                return check.problem;
            ranges[which] = check.range;
        }
        if (ranges[2] && ranges[3]) {
            if (const QString problem = footerProblem(*ranges[2], *ranges[3], group); !problem.isEmpty())
                return problem;
        }
    }
    return {};
}

QString CheckSheetPages(int coverPages, int detailPages)
{
    for (const auto& [pages, sheet] : {std::pair{coverPages, "首頁"}, std::pair{detailPages, "明細"}}) {
        if (pages > kMaxSheetPages)
            return QStringLiteral("%1工作表需要 %2 頁，一個工作表最多只能有 %3 頁（%4 個分頁），請分成幾份報價單列印")
                .arg(QString::fromUtf8(sheet), GroupThousands(pages), GroupThousands(kMaxSheetPages),
                     GroupThousands(kMaxSheetPages - 1));
    }
    return {};
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
