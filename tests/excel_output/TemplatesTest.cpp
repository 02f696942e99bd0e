#include "platform/workbook/XlsxTestSupport.h"

#include "excel_output/TemplateCheck.h"
#include "platform/workbook/CellRef.h"
#include "shared/setup/XpDefaults.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>

namespace varn {
namespace {

QString templatePath(const QString& relative)
{
    return QStringLiteral(VARN_BINARY_DIR "/templates/") + relative;
}

const QStringList kPlaceholders = {"#客戶名稱#", "#工程名稱#", "#工程地址#", "#客戶電話#", "#客戶傳真#", "#客戶聯絡人#",
                                   "#年#", "#月#", "#日#", "#單號#", "#業務#", "#公司名稱#", "#公司地址#",
                                   "#公司電話#", "#公司傳真#", "#公司統編#", "#公司email#"};

struct QuotationCase {
    QString file;
    QuotationTemplateKind kind;
    QStringList sheets;   // per sheet its 變數 range and its print area's last column
};

const std::vector<QuotationCase> kQuotations = {
    {"PrintQ/報價單.xlsx", QuotationTemplateKind::CoverAndDetail, {"A1:G7", "G", "A1:J7", "J"}},
    {"PrintS/空白報價單.xlsx", QuotationTemplateKind::CoverAndDetail, {"A1:G7", "G", "A1:J7", "J"}},
    {"PrintC/成本分析.xlsx", QuotationTemplateKind::CoverAndDetail, {"A1:G7", "G", "A1:J7", "J"}},
    // The single sheet is searched with both groups' 變數 ranges; its placeholders lie in both.
    {"PrintNF/單張報價單.xlsx", QuotationTemplateKind::SingleSheet, {"A1:G7", "J"}},
};

// Each sheet passes the template check, holds every placeholder in its 變數 range, and shows
// nothing outside the printed columns and the first page block (that these fit one A4 page
// the printed template pages show).
TEST(QuotationTemplates, SheetsHoldTheirPlaceholdersInsideTheirPrintRanges)
{
    for (const QuotationCase& c : kQuotations) {
        EXPECT_EQ(CheckQuotationTemplate(templatePath(c.file), c.kind, DefaultXpValues()), QString()) << c.file.toStdString();
        const QJsonObject book = test::ReadWithOpenpyxl(templatePath(c.file));
        ASSERT_EQ(book.value("sheets").toArray().size(), c.sheets.size() / 2) << c.file.toStdString();
        for (int s = 1; s <= book.value("sheets").toArray().size(); ++s) {
            const QJsonObject sheet = test::SheetOf(book, s);
            const std::string where = c.file.toStdString() + " " + sheet.value("name").toString().toStdString();
            const CellRange variables = CellRange::fromText(c.sheets[2 * s - 2]);
            const CellRange printed = CellRange::fromText(QStringLiteral("A1:") + c.sheets[2 * s - 1] + QStringLiteral("39"));
            QSet<QString> found;
            const QJsonObject cells = sheet.value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                const QString text = it.value().toObject().value("value").toString();
                const CellRef ref = CellRef::fromText(it.key());
                EXPECT_TRUE(text.isEmpty() || printed.contains(ref.row, ref.column)) << where << " " << it.key().toStdString();
                for (const QString& p : kPlaceholders)
                    if (text.contains(p) && variables.contains(ref.row, ref.column))
                        found.insert(p);
            }
            EXPECT_EQ(found.size(), kPlaceholders.size()) << where;
            for (const QJsonValue& merge : sheet.value("merges").toArray())
                EXPECT_TRUE(printed.contains(CellRange::fromText(merge.toString()))) << where << " " << merge.toString().toStdString();
        }
    }
}

// Readers disagree on widths and default formats of a column that two <col> ranges cover.
TEST(Templates, EveryColumnIsDescribedOnceInAscendingOrder)
{
    static const QRegularExpression col(QStringLiteral(R"re(<col min="(\d+)" max="(\d+)")re"));
    int files = 0;
    for (QDirIterator it(templatePath(QString()), {"*.xlsx"}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++files) {
        const QString file = it.next();
        for (const auto& [part, xml] : test::ReadZip(file)) {
            int last = 0;
            for (const auto& m : col.globalMatch(QString::fromStdString(xml))) {
                EXPECT_GT(m.captured(1).toInt(), last) << file.toStdString() << " " << part;
                last = m.captured(2).toInt();
            }
        }
    }
    EXPECT_EQ(files, 13);
}

} // namespace
} // namespace varn
