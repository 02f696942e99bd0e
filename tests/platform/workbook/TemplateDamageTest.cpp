#include "XlsxTestSupport.h"

#include "platform/workbook/Workbook.h"
#include "support/FileFaults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace varn {
namespace {

// A print reads a worksheet of the template when it first fills it: a template cut short
// after it was opened is told in words (the print's own tests empty it before the save).
TEST(TemplateDamageTest, AWorksheetOfATemplateCutShortIsReportedInWords)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("報價單.xlsx"));
    // Rows enough that the parts lie well beyond what a read buffer holds.
    std::string rows;
    for (int r = 1; r <= 3000; ++r)
        rows += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\" t=\"inlineStr\"><is><t>"
                + std::to_string(r * 7919) + "</t></is></c></row>";
    for (double keep : {0.0, 0.3}) {
        test::WriteBook(file, {{{"首頁", rows}, {"明細", rows}}});
        Workbook book = Workbook::open(file);
        ASSERT_TRUE(QFile(file).resize(qint64(QFile(file).size() * keep)));
        std::optional<QString> message;
        try {
            book.worksheet(2);
        } catch (const WorkbookError& e) {
            message = e.message();
        }
        EXPECT_TRUE(test::SaysInChinese(message, QStringLiteral("範本檔案不完整"))) << keep;
        EXPECT_TRUE(message && message->contains(file) && message->contains(QStringLiteral("xl/worksheets/")))
            << message.value_or(QString()).toStdString();
    }
}

} // namespace
} // namespace varn
