#include "platform/workbook/XlsxTestSupport.h"

#include "excel_output/TemplateCheck.h"
#include "shared/setup/XpDefaults.h"
#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QSet>

#include <cmath>

namespace varn {
namespace {

QString templatePath(const QString& relative)
{
    return QStringLiteral(VARN_BINARY_DIR "/templates/") + relative;
}

const QStringList kPlaceholders = {
    "#客戶名稱#", "#工程名稱#", "#工程地址#", "#客戶電話#", "#客戶傳真#", "#客戶聯絡人#",
    "#年#", "#月#", "#日#", "#單號#", "#業務#", "#公司名稱#", "#公司地址#", "#公司電話#",
    "#公司傳真#", "#公司統編#", "#公司email#",
};

struct SheetCase {
    QString name;
    QString variableRange;       // where the engines look for placeholders
    QString lastColumn;          // print area's last column
    QStringList headings;        // row 7 from A on
};

struct QuotationCase {
    QString file;
    QuotationTemplateKind kind;
    std::vector<SheetCase> sheets;
};

const QStringList kEstimateCoverHeadings = {"項次", "工程項目", "單位", "數量", "複價", "備註", ""};
const QStringList kEstimateDetailHeadings = {"項次", "品名規格", "單位", "數量", "單價", "複價", "備註"};

const std::vector<QuotationCase>& quotationCases()
{
    static const std::vector<QuotationCase> cases = {
        {"PrintQ/報價單.xlsx", QuotationTemplateKind::CoverAndDetail,
         {{"首頁", "A1:G7", "G", kEstimateCoverHeadings}, {"明細", "A1:J7", "J", kEstimateDetailHeadings}}},
        {"PrintS/空白報價單.xlsx", QuotationTemplateKind::CoverAndDetail,
         {{"首頁", "A1:G7", "G", kEstimateCoverHeadings}, {"明細", "A1:J7", "J", kEstimateDetailHeadings}}},
        {"PrintC/成本分析.xlsx", QuotationTemplateKind::CoverAndDetail,
         {{"首頁", "A1:G7", "G", {"項次", "工程項目", "單位", "數量", "金額", "成本", "毛利"}},
          {"明細", "A1:J7", "J", {"項次", "品名規格", "單位", "數量", "單價", "金額", "成本", "成本複計", "比例", "備註"}}}},
        // The single sheet is searched with both groups' 變數 ranges; its placeholders lie in both.
        {"PrintNF/單張報價單.xlsx", QuotationTemplateKind::SingleSheet,
         {{"報價單", "A1:G7", "J", kEstimateDetailHeadings}}},
    };
    return cases;
}

// Each sheet of each quotation template as openpyxl reads it, with its case and a name for messages.
template <typename Check>
void forEachSheet(Check check)
{
    for (const auto& c : quotationCases()) {
        const QJsonObject book = test::ReadWithOpenpyxl(templatePath(c.file));
        ASSERT_EQ(book.value("sheets").toArray().size(), static_cast<qsizetype>(c.sheets.size())) << c.file.toStdString();
        for (size_t s = 0; s < c.sheets.size(); ++s) {
            const QJsonObject sheet = test::SheetOf(book, static_cast<int>(s) + 1);
            check(book, static_cast<int>(s) + 1, sheet, c.sheets[s],
                  c.file.toStdString() + " " + sheet.value("name").toString().toStdString());
        }
    }
}

TEST(ShippedXpIni, Holds32CrlfLinesOfTheDefaultRanges)
{
    QFile file(templatePath("Xp.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes, DefaultXpIniContent());
    QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 33);   // 32 lines, each ended by CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    const QStringList values = DefaultXpValues();
    ASSERT_EQ(values.size(), 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_TRUE(lines[i].endsWith('\r')) << i;
        EXPECT_EQ(QString::fromLatin1(lines[i].chopped(1)), values[i]) << i;
    }
    // The cost layouts print ten detail columns: the detail ranges reach J.
    for (int line : {19, 23, 27, 31})
        EXPECT_EQ(values[line - 1], QStringLiteral("J"));
}

TEST(QuotationTemplates, PassTheTemplateCheckWithTheShippedRanges)
{
    for (const auto& c : quotationCases())
        EXPECT_EQ(CheckQuotationTemplate(templatePath(c.file), c.kind, DefaultXpValues()), QString()) << c.file.toStdString();
}

TEST(QuotationTemplates, HeaderRowsHoldEveryPlaceholderInsideTheVariableRange)
{
    forEachSheet([](const QJsonObject&, int, const QJsonObject& sheet, const SheetCase& sc, const std::string& where) {
        const CellRange range = CellRange::fromText(sc.variableRange);
        const QJsonObject cells = sheet.value("cells").toObject();
        QSet<QString> found;
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const QString text = it.value().toObject().value("value").toString();
            if (!text.contains(u'#'))
                continue;
            const CellRef ref = CellRef::fromText(it.key());
            EXPECT_TRUE(range.contains(ref.row, ref.column)) << where << " " << it.key().toStdString();
            // Read from the left so that "#年#/#月#" gives #年# and #月#, as the replacement does.
            for (const QString& p : kPlaceholders)
                if (text.contains(p))
                    found.insert(p);
        }
        for (const QString& p : kPlaceholders)
            EXPECT_TRUE(found.contains(p)) << where << " lacks " << p.toStdString();
    });
}

// What a template shows must lie where the engines print: inside the print area's columns
// and the rows of the header and the first page block.
TEST(QuotationTemplates, EveryTextAndMergedAreaLiesInsideThePrintRanges)
{
    forEachSheet([](const QJsonObject&, int, const QJsonObject& sheet, const SheetCase& sc, const std::string& where) {
        const CellRange printed = CellRange::fromText(QStringLiteral("A1:%1%2").arg(sc.lastColumn).arg(39));
        const QJsonObject cells = sheet.value("cells").toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            if (it.value().toObject().value("value").toString().isEmpty())
                continue;
            const CellRef ref = CellRef::fromText(it.key());
            EXPECT_TRUE(printed.contains(ref.row, ref.column)) << where << " " << it.key().toStdString();
        }
        for (const QJsonValue& merge : sheet.value("merges").toArray()) {
            const CellRange area = CellRange::fromText(merge.toString());
            EXPECT_TRUE(printed.contains(area)) << where << " " << merge.toString().toStdString();
        }
    });
}

TEST(QuotationTemplates, HeadingsNameTheColumnsTheEnginesWrite)
{
    forEachSheet([](const QJsonObject& book, int s, const QJsonObject& sheet, const SheetCase& sc, const std::string& where) {
        EXPECT_EQ(sheet.value("name").toString(), sc.name);
        for (int col = 0; col < sc.headings.size(); ++col) {
            const QString ref = ColumnLetters(col + 1) + QStringLiteral("7");
            EXPECT_EQ(test::CellOf(book, s, ref).value("value").toString(), sc.headings[col]) << where << " " << ref.toStdString();
        }
    });
}

// Pixels of a column of the given stored width, with the default font's 7-pixel digits.
double columnPoints(double width)
{
    return std::floor((256 * width + std::floor(128.0 / 7)) / 256 * 7) * 0.75;
}

TEST(QuotationTemplates, TheHeaderAndOnePageBlockFitOneA4PageAt100Percent)
{
    const double a4Width = 8.27 * 72, a4Height = 11.69 * 72;
    forEachSheet([&](const QJsonObject&, int, const QJsonObject& sheet, const SheetCase& sc, const std::string& where) {
        EXPECT_EQ(sheet.value("paperSize").toInt(), 9) << where;
        EXPECT_FALSE(sheet.value("fitToPage").toBool()) << where;
        EXPECT_EQ(sheet.value("printTitleRows").toString(), QStringLiteral("$1:$7")) << where;
        const QString columns = QStringLiteral("$A:$") + sc.lastColumn;
        EXPECT_EQ(sheet.value("printTitleCols").toString(), columns) << where;
        EXPECT_EQ(sheet.value("printArea").toArray(), QJsonArray{columns}) << where;

        const int lastColumn = ColumnNumber(sc.lastColumn).value();
        double width = 0;
        const QJsonObject cols = sheet.value("cols").toObject();
        for (auto it = cols.begin(); it != cols.end(); ++it) {
            const QJsonObject dim = it.value().toObject();
            if (dim.value("hidden").toBool())
                continue;
            for (int col = dim.value("min").toInt(); col <= std::min(dim.value("max").toInt(), lastColumn); ++col)
                width += columnPoints(dim.value("width").toDouble());
        }
        const QJsonArray margins = sheet.value("margins").toArray();
        EXPECT_LE(width, a4Width - (margins[0].toDouble() + margins[1].toDouble()) * 72) << where;

        double height = 0;
        const QJsonObject rows = sheet.value("rows").toObject();
        for (int r = 1; r <= 39; ++r) {
            const QJsonObject row = rows.value(QString::number(r)).toObject();
            EXPECT_TRUE(row.value("custom").toBool()) << where << " row " << r;
            height += row.value("height").toDouble();
        }
        EXPECT_LE(height, a4Height - (margins[2].toDouble() + margins[3].toDouble()) * 72) << where;
    });
}

TEST(QuotationTemplates, EstimateDetailsHideTheCostColumns)
{
    const QJsonObject book = test::ReadWithOpenpyxl(templatePath("PrintQ/報價單.xlsx"));
    const QJsonObject cols = test::SheetOf(book, 2).value("cols").toObject();
    QSet<int> hidden;
    for (auto it = cols.begin(); it != cols.end(); ++it) {
        const QJsonObject dim = it.value().toObject();
        if (dim.value("hidden").toBool())
            for (int col = dim.value("min").toInt(); col <= dim.value("max").toInt(); ++col)
                hidden.insert(col);
    }
    EXPECT_EQ(hidden, (QSet<int>{8, 9, 10}));
}

TEST(OtherTemplates, OpenWithASheetLaidOutForWhatTheProgramWrites)
{
    const QStringList files = {"客戶資料", "廠商資料", "員工資料", "Label", "其他詞庫",
                               "細項加成", "工程類別", "工程種類", "統計"};
    for (const QString& name : files) {
        Workbook book = Workbook::open(templatePath("Pother/" + name + ".xlsx"));
        ASSERT_GE(book.worksheetCount(), 1) << name.toStdString();
        EXPECT_TRUE(book.worksheet(1).laidOutRange().has_value()) << name.toStdString();
    }

    // The register lists: the headings the program writes into row 2 take the row's format.
    Workbook customers = Workbook::open(templatePath("Pother/客戶資料.xlsx"));
    customers.worksheet(1).setText(2, 1, QStringLiteral("客戶編號"));
    customers.worksheet(1).setThinBorders(CellRange::fromText(u"A2:AD2"), BorderEdge::Outline | BorderEdge::InsideVertical);
    QTemporaryDir dir;
    customers.saveAs(dir.filePath("list.xlsx"));
    const QJsonObject read = test::ReadWithOpenpyxl(dir.filePath("list.xlsx"));
    EXPECT_TRUE(test::CellOf(read, 1, "A2").value("bold").toBool());
    EXPECT_EQ(test::CellOf(read, 1, "AD2").value("border").toArray().at(3).toString(), QStringLiteral("thin"));
    EXPECT_EQ(test::CellOf(read, 1, "A1").value("value").toString(), QStringLiteral("客戶資料列表"));

    // The work-type export writes its own title into A1; the template leaves it empty.
    Workbook types = Workbook::open(templatePath("Pother/工程種類.xlsx"));
    EXPECT_FALSE(types.worksheet(1).hasValue(1, 1));
    EXPECT_EQ(types.worksheet(1).text(2, 2), QStringLiteral("工程項目"));
}

} // namespace
} // namespace varn
