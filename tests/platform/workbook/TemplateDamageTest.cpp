#include "XlsxTestSupport.h"

#include "platform/workbook/Workbook.h"
#include "support/FileFaults.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace varn {
namespace {

// A template that changes on disk after it was opened: a print reads its worksheets when
// it first fills them and copies the untouched parts only when it saves.
class TemplateDamageTest : public ::testing::Test {
protected:
    void SetUp() override { writeTemplate(); }
    void writeTemplate()
    {
        // Rows enough that the parts lie well beyond what a read buffer holds.
        std::string rows;
        for (int r = 1; r <= 3000; ++r)
            rows += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\" t=\"inlineStr\"><is><t>"
                    + std::to_string(r * 7919) + "</t></is></c></row>";
        test::WriteBook(file(), {{{"首頁", rows}, {"明細", rows}}});
    }
    QString file() const { return dir.filePath(QStringLiteral("報價單.xlsx")); }
    void cutShort(qint64 keep) { ASSERT_TRUE(QFile(file()).resize(keep)); }

    // The message of the failure the step gives.
    template <typename Step>
    std::optional<QString> failureOf(Step step)
    {
        try {
            step();
        } catch (const WorkbookError& e) {
            return e.message();
        }
        return std::nullopt;
    }

    QTemporaryDir dir;
};

TEST_F(TemplateDamageTest, AWorksheetOfATemplateCutShortIsReportedInWords)
{
    const qint64 whole = QFile(file()).size();
    for (qint64 keep : {qint64(0), whole / 3}) {
        writeTemplate();
        Workbook book = Workbook::open(file());
        cutShort(keep);
        const auto message = failureOf([&] { book.worksheet(2); });
        EXPECT_TRUE(test::SaysInChinese(message, QStringLiteral("範本檔案不完整"))) << keep;
        EXPECT_TRUE(message && message->contains(file()) && message->contains(QStringLiteral("xl/worksheets/")))
            << message.value_or(QString()).toStdString();
    }
}

// Saving copies the parts nothing changed from the template: a template emptied by then
// fails the save itself, never with the library's English alone.
TEST_F(TemplateDamageTest, ATemplateThatCannotBeReadBackWhenSavingIsReportedInWordsAndNothingIsSaved)
{
    Workbook book = Workbook::open(file());
    cutShort(0);
    const QString target = dir.filePath(QStringLiteral("out.xlsx"));
    const auto message = failureOf([&] { book.saveAs(target); });
    EXPECT_TRUE(test::SaysInChinese(message, QStringLiteral("範本檔案不完整")));
    EXPECT_TRUE(message && message->startsWith(QStringLiteral("無法儲存活頁簿 ") + target)
                && message->contains(QStringLiteral("範本 ") + file() + QStringLiteral(" 無法讀取")))
        << message.value_or(QString()).toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

} // namespace
} // namespace varn
