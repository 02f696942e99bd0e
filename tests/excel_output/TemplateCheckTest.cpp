#include "excel_output/TemplateCheck.h"
#include "platform/workbook/Workbook.h"
#include "shared/setup/XpDefaults.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace varn {
namespace {

const QString kEstimate = QStringLiteral(VARN_BINARY_DIR "/templates/PrintQ/報價單.xlsx");
const QString kSingle = QStringLiteral(VARN_BINARY_DIR "/templates/PrintNF/單張報價單.xlsx");
constexpr auto kTwo = QuotationTemplateKind::CoverAndDetail;
constexpr auto kOne = QuotationTemplateKind::SingleSheet;

QStringList xpWith(int line, const QString& value)
{
    QStringList xp = DefaultXpValues();
    xp[line - 1] = value;
    return xp;
}

TEST(TemplateCheck, UnusableFilesRangesOpenWorkbooksAndPlansAreNamedWithTheReason)
{
    QTemporaryDir dir;
    QStringList shortXp = DefaultXpValues();
    shortXp.removeLast();
    const struct {
        QString file;
        QuotationTemplateKind kind;
        QStringList xp;
        QStringList expected;   // texts the message holds
    } cases[] = {
        {dir.filePath("報價單.xlsx"), kTwo, DefaultXpValues(), {dir.filePath("報價單.xlsx"), "找不到"}},
        {kSingle, kTwo, DefaultXpValues(), {"單張報價單.xlsx", "兩個工作表"}},
        {kEstimate, kTwo, xpWith(25, "AA"), {"報價單.xlsx", "A 到 Z"}},   // only a first letter counts
        {kEstimate, kTwo, xpWith(26, "八"), {"正整數"}},
        {kEstimate, kTwo, xpWith(26, "40"), {"左上角在右下角之後"}},
        {kEstimate, kTwo, xpWith(14, "30"), {"首頁設定的頁尾範圍 A30:G39 必須整個在輸出範圍 A8:G37 之下"}},
        {kEstimate, kTwo, xpWith(32, "60"), {"超出範圍"}},   // the footer past the laid-out rows
        {kEstimate, kTwo, xpWith(26, "5"), {"A5 有內容"}},   // output rows over the header
        {kEstimate, kTwo, shortXp, {"32 行"}},
        // The single sheet holds the total line (cover output's last row) and both placeholder ranges.
        {kSingle, kOne, xpWith(12, "70"), {"超出範圍"}},
        {kSingle, kOne, xpWith(8, "70"), {"超出範圍"}},
        {kSingle, kOne, xpWith(5, "a1"), {"Xp.ini"}},
        {kSingle, kOne, xpWith(30, "20"), {"明細設定的頁尾範圍"}},
    };
    for (const auto& c : cases) {
        const QString message = CheckQuotationTemplate(c.file, c.kind, c.xp);
        EXPECT_FALSE(message.isEmpty());
        for (const QString& part : c.expected)
            EXPECT_TRUE(message.contains(part)) << part.toStdString() << ": " << message.toStdString();
    }

    // An open workbook is checked before it is filled, its plan before it is written.
    Workbook book = Workbook::open(kEstimate);
    EXPECT_EQ(CheckQuotationTemplate(book, kTwo, DefaultXpValues()), QString());
    book.worksheet(2).setText(20, 3, QStringLiteral("舊資料"));
    EXPECT_TRUE(CheckQuotationTemplate(book, kTwo, DefaultXpValues()).contains(QStringLiteral("C20 有內容")));
    // A sheet holds at most 1,023 page breaks.
    EXPECT_EQ(CheckSheetPages(1, 1024), QString());
    EXPECT_TRUE(CheckSheetPages(1025, 2).startsWith(QStringLiteral("首頁工作表需要 1,025 頁，一個工作表最多只能有 1,024 頁")));
}

} // namespace
} // namespace varn
