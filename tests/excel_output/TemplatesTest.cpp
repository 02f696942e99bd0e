#include "platform/workbook/XlsxTestSupport.h"

#include "excel_output/TemplateCheck.h"
#include "shared/setup/XpDefaults.h"
#include "platform/workbook/CellRef.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
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

struct SheetCase {
    QString variableRange;   // where the engines look for placeholders
    QString lastColumn;      // print area's last column
    QStringList headings;    // row 7 from A on
};

struct QuotationCase {
    QString file;
    QuotationTemplateKind kind;
    std::vector<SheetCase> sheets;
    QSet<int> hiddenDetailColumns;   // on the last sheet
};

const QStringList kEstimateCover = {"項次", "工程項目", "單位", "數量", "複價", "備註", ""};
const QStringList kEstimateDetail = {"項次", "品名規格", "單位", "數量", "單價", "複價", "備註"};

const std::vector<QuotationCase> kQuotations = {
    {"PrintQ/報價單.xlsx", QuotationTemplateKind::CoverAndDetail,
     {{"A1:G7", "G", kEstimateCover}, {"A1:J7", "J", kEstimateDetail}}, {8, 9, 10}},
    {"PrintS/空白報價單.xlsx", QuotationTemplateKind::CoverAndDetail,
     {{"A1:G7", "G", kEstimateCover}, {"A1:J7", "J", kEstimateDetail}}, {8, 9, 10}},
    {"PrintC/成本分析.xlsx", QuotationTemplateKind::CoverAndDetail,
     {{"A1:G7", "G", {"項次", "工程項目", "單位", "數量", "金額", "成本", "毛利"}},
      {"A1:J7", "J", {"項次", "品名規格", "單位", "數量", "單價", "金額", "成本", "成本複計", "比例", "備註"}}}, {}},
    // The single sheet is searched with both groups' 變數 ranges; its placeholders lie in both.
    {"PrintNF/單張報價單.xlsx", QuotationTemplateKind::SingleSheet, {{"A1:G7", "J", kEstimateDetail}}, {8, 9, 10}},
};

TEST(ShippedXpIni, HoldsTheDefaultRangesWithTheDetailRangesReachingJ)
{
    QFile file(templatePath("Xp.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), DefaultXpIniContent());
    const QStringList values = DefaultXpValues();   // the cost layouts print ten detail columns
    EXPECT_EQ((QStringList{values.value(18), values.value(22), values.value(26), values.value(30)}), QStringList(4, "J"));
}

// Each sheet passes the template check, holds its headings in row 7 and every placeholder in
// its 變數 range, and shows nothing outside the printed columns and the first page block
// (that these fit one A4 page the printed template pages show).
TEST(QuotationTemplates, SheetsHoldTheirHeadingsAndPlaceholdersInsideTheirPrintRanges)
{
    for (const QuotationCase& c : kQuotations) {
        EXPECT_EQ(CheckQuotationTemplate(templatePath(c.file), c.kind, DefaultXpValues()), QString()) << c.file.toStdString();
        const QJsonObject book = test::ReadWithOpenpyxl(templatePath(c.file));
        ASSERT_EQ(book.value("sheets").toArray().size(), static_cast<qsizetype>(c.sheets.size())) << c.file.toStdString();
        for (int s = 1; s <= static_cast<int>(c.sheets.size()); ++s) {
            const SheetCase& sc = c.sheets[static_cast<size_t>(s - 1)];
            const QJsonObject sheet = test::SheetOf(book, s);
            const std::string where = c.file.toStdString() + " " + sheet.value("name").toString().toStdString();
            const CellRange variables = CellRange::fromText(sc.variableRange);
            const CellRange printed = CellRange::fromText(QStringLiteral("A1:%1%2").arg(sc.lastColumn).arg(39));
            for (int col = 0; col < sc.headings.size(); ++col)
                EXPECT_EQ(test::CellOf(book, s, ColumnLetters(col + 1) + "7").value("value").toString(), sc.headings[col]) << where;
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

            const QString columns = QStringLiteral("$A:$") + sc.lastColumn;
            EXPECT_EQ((QVariantList{sheet.value("paperSize").toInt(), sheet.value("fitToPage").toBool(),
                                    sheet.value("printTitleRows").toString(), sheet.value("printTitleCols").toString(),
                                    sheet.value("printArea").toArray().at(0).toString()}),
                      (QVariantList{9, false, "$1:$7", columns, columns})) << where;
            QSet<int> hidden;
            for (const QJsonValue v : sheet.value("cols").toObject())
                for (int col = v["min"].toInt(); v["hidden"].toBool() && col <= v["max"].toInt(); ++col)
                    hidden.insert(col);
            EXPECT_EQ(hidden, s == static_cast<int>(c.sheets.size()) ? c.hiddenDetailColumns : QSet<int>{}) << where;
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
