#include "excel_output/TemplateCheck.h"
#include "shared/setup/XpDefaults.h"
#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace varn {
namespace {

const QString kEstimate = QStringLiteral(VARN_BINARY_DIR "/templates/PrintQ/報價單.xlsx");
const QString kSingle = QStringLiteral(VARN_BINARY_DIR "/templates/PrintNF/單張報價單.xlsx");

QStringList xpWith(int line, const QString& value)
{
    QStringList xp = DefaultXpValues();
    xp[line - 1] = value;
    return xp;
}

TEST(TemplateCheck, UnusableFilesAreNamedWithTheReason)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath("報價單.xlsx");
    const QString m1 = CheckQuotationTemplate(missing, QuotationTemplateKind::CoverAndDetail, DefaultXpValues());
    EXPECT_TRUE(m1.contains(missing) && m1.contains(QStringLiteral("找不到"))) << m1.toStdString();

    QFile text(dir.filePath("text.xlsx"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("plain text");
    text.close();
    const QString m2 = CheckQuotationTemplate(text.fileName(), QuotationTemplateKind::CoverAndDetail, DefaultXpValues());
    EXPECT_TRUE(m2.contains(QStringLiteral("text.xlsx"))) << m2.toStdString();

    const QString m3 = CheckQuotationTemplate(kSingle, QuotationTemplateKind::CoverAndDetail, DefaultXpValues());
    EXPECT_TRUE(m3.contains(QStringLiteral("單張報價單.xlsx")) && m3.contains(QStringLiteral("兩個工作表"))) << m3.toStdString();
}

TEST(TemplateCheck, RangesThatDoNotFitTheTemplateAreReported)
{
    const struct {
        int line;
        const char* value;
        const char* expected;
    } table[] = {
        {25, "AA", "A 到 Z"},          // the engines count only a column's first letter
        {25, "a", "A 到 Z"},
        {26, "八", "正整數"},
        {26, "40", "左上角在右下角之後"},
        {32, "60", "超出範圍"},        // the footer runs past what the sheet lays out
        {27, "K", "超出範圍"},
        {26, "5", "A5 有內容"},        // the output rows would overwrite the header
        {10, "3", "有內容"},
        {3, "Q", "超出範圍"},
    };
    for (const auto& t : table) {
        const QString message = CheckQuotationTemplate(kEstimate, QuotationTemplateKind::CoverAndDetail,
                                                       xpWith(t.line, QString::fromUtf8(t.value)));
        EXPECT_TRUE(message.contains(QString::fromUtf8(t.expected))) << t.line << ": " << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("報價單.xlsx"))) << message.toStdString();
    }
    QStringList shortXp = DefaultXpValues();
    shortXp.removeLast();
    EXPECT_TRUE(CheckQuotationTemplate(kEstimate, QuotationTemplateKind::CoverAndDetail, shortXp)
                    .contains(QStringLiteral("32 行")));
}

TEST(TemplateCheck, TheSingleSheetIsCheckedWithBothGroupsItUses)
{
    EXPECT_EQ(CheckQuotationTemplate(kSingle, QuotationTemplateKind::SingleSheet, DefaultXpValues()), QString());
    // The grand-total line goes on the cover output range's last row of the same sheet.
    EXPECT_TRUE(CheckQuotationTemplate(kSingle, QuotationTemplateKind::SingleSheet, xpWith(12, "70"))
                    .contains(QStringLiteral("超出範圍")));
    // Both placeholder ranges are looked at on the one sheet.
    EXPECT_TRUE(CheckQuotationTemplate(kSingle, QuotationTemplateKind::SingleSheet, xpWith(8, "70"))
                    .contains(QStringLiteral("超出範圍")));
    EXPECT_TRUE(CheckQuotationTemplate(kSingle, QuotationTemplateKind::SingleSheet, xpWith(5, "a1"))
                    .contains(QStringLiteral("Xp.ini")));
}

TEST(TemplateCheck, AnOpenWorkbookCanBeCheckedBeforeItIsFilled)
{
    Workbook book = Workbook::open(kEstimate);
    EXPECT_EQ(CheckQuotationTemplate(book, QuotationTemplateKind::CoverAndDetail, DefaultXpValues()), QString());
    book.worksheet(2).setText(20, 3, QStringLiteral("舊資料"));
    EXPECT_TRUE(CheckQuotationTemplate(book, QuotationTemplateKind::CoverAndDetail, DefaultXpValues())
                    .contains(QStringLiteral("C20 有內容")));
}

} // namespace
} // namespace varn
