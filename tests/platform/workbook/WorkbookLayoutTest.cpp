#include "XlsxTestSupport.h"

#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <xlsxwriter.h>

namespace varn {
namespace {

// A two-sheet template made by libxlsxwriter: sheet 2 has header rows 1-2, a page block
// A3:C6 with formats, a merge, a formula, and rows of their own heights (row 5 hidden).
void MakeTemplate(const QString& path)
{
    lxw_workbook* book = workbook_new(path.toUtf8().constData());
    lxw_worksheet* cover = workbook_add_worksheet(book, "首頁");
    lxw_worksheet* s = workbook_add_worksheet(book, "明細");
    lxw_format* border = workbook_add_format(book);
    format_set_border(border, LXW_BORDER_THIN);
    lxw_format* money = workbook_add_format(book);
    format_set_num_format(money, "#,##0");
    format_set_bold(money);
    worksheet_write_string(cover, 0, 0, "cover", nullptr);
    worksheet_write_string(s, 0, 0, "#客戶名稱#", nullptr);
    worksheet_write_string(s, 2, 0, "項次", border);
    worksheet_write_number(s, 2, 1, 5, money);
    worksheet_write_formula(s, 3, 2, "=B3*2", nullptr);
    worksheet_merge_range(s, 4, 1, 4, 2, "合計", border);
    worksheet_write_blank(s, 5, 0, border);
    worksheet_set_row(s, 2, 30, nullptr);
    lxw_row_col_options hidden = {1, 0, 0};
    worksheet_set_row_opt(s, 4, 12, nullptr, &hidden);
    worksheet_fit_to_pages(s, 1, 0);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);
}

class WorkbookLayoutTest : public ::testing::Test {
protected:
    void SetUp() override { MakeTemplate(path("t.xlsx")); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QJsonObject saveAndRead(Workbook& book)
    {
        book.saveAs(path("out.xlsx"));
        return test::ReadWithOpenpyxl(path("out.xlsx"));
    }
    std::string sheetXml(int n) { return test::ReadZip(path("out.xlsx"))["xl/worksheets/sheet" + std::to_string(n) + ".xml"]; }

    QTemporaryDir dir;
};

// Row heights are copied as they stand: a row of default height makes the other one default.
// A merged row span dissolves the merges it overlaps.
TEST_F(WorkbookLayoutTest, ARangeCopyCarriesValuesFormatsFormulasAndMergesRowHeightsFollowAndMergesReplaceOverlaps)
{
    Workbook book = Workbook::open(path("t.xlsx"));
    Worksheet& s = book.worksheet(2);
    s.setText(10, 2, "stale");
    s.copyRange(CellRange::fromText(u"A3:C6"), CellRef::fromText(u"A7"));
    s.copyRange(CellRange::fromText(u"A3:C6"), CellRef::fromText(u"A11"));
    for (int r = 3; r <= 6; ++r)
        s.copyRowHeight(r, r + 4);
    s.copyRowHeight(4, 3);
    s.mergeCells(CellRange::fromText(u"B13:B14"));   // over half of the copied B13:C13
    s.mergeCells(CellRange::fromText(u"A8:A8"));     // one cell: no merge
    EXPECT_THROW(s.mergeCells(CellRange{{1, 1}, {1, 16385}}), WorkbookError);
    const QJsonObject read = saveAndRead(book);
    const QJsonObject rows = test::SheetOf(read, 2).value("rows").toObject();
    const auto row = [&](const char* r, const char* key) { return rows.value(r).toObject().value(key).toVariant(); };
    EXPECT_EQ((QVariantList{row("7", "height"), row("7", "custom"), row("9", "height"), row("9", "hidden")}),
              (QVariantList{30.0, true, 12.0, true}));
    EXPECT_FALSE(row("8", "custom").toBool() || row("3", "custom").toBool());

    for (int base : {3, 7, 11}) {
        auto cell = [&](const char* col, int offset) {
            return test::CellOf(read, 2, QStringLiteral("%1%2").arg(col).arg(base + offset));
        };
        EXPECT_EQ((QStringList{cell("A", 0).value("value").toString(), cell("A", 0).value("border").toArray().at(0).toString(),
                               cell("B", 0).value("format").toString(), cell("C", 1).value("value").toString(),
                               cell("B", 2).value("value").toString(), cell("A", 3).value("border").toArray().at(3).toString()}),
                  (QStringList{"項次", "thin", "#,##0", QStringLiteral("=B%1*2").arg(base), "合計", "thin"}));
        EXPECT_EQ(cell("B", 0).value("value").toDouble(), 5);
        EXPECT_TRUE(cell("B", 0).value("bold").toBool());
    }
    EXPECT_EQ(test::SheetOf(read, 2).value("merges").toArray(), (QJsonArray{"B13:B14", "B5:C5", "B9:C9"}));
    EXPECT_TRUE(test::CellOf(read, 2, "B10").value("value").toVariant().isNull());   // the empty source cell wins
    EXPECT_TRUE(test::CellOf(read, 2, "A1").value("value").toString() == QStringLiteral("#客戶名稱#"));
}

// Also: a copy replaces the merges where it lands; one past the sheet changes nothing.
// Rows grow to hold their wrapped texts, by the number of lines; a text of one line, a text
// that does not wrap, a merged cell or a row that is high enough leave the row as it is.
TEST_F(WorkbookLayoutTest, RowsGrowToTheLinesOfTheirWrappedTextsAndNeverShrink)
{
    lxw_workbook* made = workbook_new(path("w.xlsx").toUtf8().constData());
    lxw_worksheet* ws = workbook_add_worksheet(made, "S");
    lxw_format* wrap = workbook_add_format(made);
    format_set_text_wrap(wrap);
    worksheet_set_column(ws, 0, 1, 20, wrap);   // A:B wrap, about nine wide characters a line
    worksheet_set_row(ws, 5, 80, nullptr);
    worksheet_merge_range(ws, 6, 0, 6, 1, "", wrap);
    ASSERT_EQ(workbook_close(made), LXW_NO_ERROR);

    Workbook book = Workbook::open(path("w.xlsx"));
    Worksheet& s = book.worksheet(1);
    const QString wide(30, QChar(u'字'));
    for (const auto& [row, column, text] :
         {std::tuple{1, 1, QStringLiteral("短")}, {2, 1, wide}, {3, 2, wide + wide}, {4, 3, wide},
          {5, 2, QStringLiteral("abc def\nxyz")}, {6, 1, wide}, {7, 1, wide}, {8, 1, wide}})
        s.setText(row, column, text);
    s.fitRowHeights(1, 7);
    s.setText(9, 1, QString(2000, QChar(u'字')));
    s.fitRowHeights(9, 9);
    EXPECT_THROW(s.fitRowHeights(0, 7), WorkbookError);
    const QJsonObject rows = test::SheetOf(saveAndRead(book), 1).value("rows").toObject();
    const auto height = [&](int r) {
        const QJsonObject row = rows.value(QString::number(r)).toObject();
        return row.value("custom").toBool() ? row.value("height").toDouble() : 0.0;
    };
    EXPECT_GT(height(5), 15);
    EXPECT_GT(height(2), height(5));
    EXPECT_GT(height(3), height(2) * 1.5);
    EXPECT_EQ((std::vector{height(1), height(4), height(6), height(7), height(8)}),
              (std::vector{0.0, 0.0, 80.0, 0.0, 0.0}));
    EXPECT_EQ(height(9), 409.0);   // the most a row can be
}

TEST_F(WorkbookLayoutTest, PageBreaksPrintTitlesPrintAreaAndMergesUnderACopy)
{
    Workbook book = Workbook::open(path("t.xlsx"));
    Worksheet& s = book.worksheet(2);
    s.copyRange(CellRange::fromText(u"A1:A2"), CellRef::fromText(u"B5"));   // onto the merged B5:C5
    EXPECT_THROW(s.copyRange(CellRange::fromText(u"A3:C6"), CellRef{1048575, 1}), WorkbookError);
    EXPECT_THROW(s.copyRange(CellRange::fromText(u"A3:C6"), CellRef{0, 1}), WorkbookError);
    s.addRowPageBreak(72);
    s.addRowPageBreak(40);
    s.addRowPageBreak(40);
    s.addRowPageBreak(1);   // nothing to break above the first row
    s.addColumnPageBreak(ColumnNumber(u"K").value());
    s.setPrintTitleRows("$1:$7");
    s.setPrintTitleColumns("$A:$J");
    s.setPrintArea("$A:$J");
    book.worksheet(1).setPrintTitleColumns("a:g");
    book.worksheet(1).setPrintArea("A1:G39,A41:G79");
    EXPECT_THROW(s.setPrintTitleRows("$A:$7"), WorkbookError);
    EXPECT_THROW(s.setPrintArea("$A1:"), WorkbookError);
    const QJsonObject read = saveAndRead(book);
    const QJsonObject sheet = test::SheetOf(read, 2), cover = test::SheetOf(read, 1);
    EXPECT_TRUE(sheet.value("merges").toArray().isEmpty());
    EXPECT_EQ(test::CellOf(read, 2, "B5").value("value").toString(), QStringLiteral("#客戶名稱#"));
    EXPECT_EQ((QJsonArray{sheet.value("rowBreaks"), sheet.value("colBreaks"), sheet.value("printTitleRows"),
                          sheet.value("printTitleCols"), sheet.value("printArea")}),
              (QJsonArray{QJsonArray{39, 71}, QJsonArray{10}, "$1:$7", "$A:$J", QJsonArray{"$A:$J"}}));
    EXPECT_EQ((QJsonArray{cover.value("printTitleCols"), cover.value("printTitleRows"), cover.value("printArea")}),
              (QJsonArray{"$A:$G", QJsonValue::Null, QJsonArray{"$A$1:$G$39", "$A$41:$G$79"}}));

    // Setting the rows again keeps the columns; an empty text removes its part.
    Workbook again = Workbook::open(path("out.xlsx"));
    again.worksheet(2).setPrintTitleRows("$2:$3");
    again.worksheet(2).setPrintArea("");
    again.worksheet(1).setPrintTitleColumns("");
    again.saveAs(path("out2.xlsx"));
    const QJsonObject read2 = test::ReadWithOpenpyxl(path("out2.xlsx"));
    const QJsonObject sheet2 = test::SheetOf(read2, 2);
    EXPECT_EQ((QJsonArray{sheet2.value("printTitleRows"), sheet2.value("printTitleCols"), sheet2.value("printArea"),
                          test::SheetOf(read2, 1).value("printTitleCols")}),
              (QJsonArray{"$2:$3", "$A:$J", QJsonValue::Null, QJsonValue::Null}));
}

// The child elements of the worksheet in file order, by local name.
QStringList elementOrder(const std::string& xml)
{
    QStringList names;
    QXmlStreamReader reader(QByteArray::fromStdString(xml));
    int depth = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (depth == 1)
                names << reader.name().toString();
            ++depth;
        } else if (reader.isEndElement()) {
            --depth;
        }
    }
    return names;
}

// A sheet whose elements carry a namespace prefix keeps it.
TEST_F(WorkbookLayoutTest, ElementsRowsAndCellsAreWrittenInSchemaOrderAndKeepTheirPrefix)
{
    const std::string margins = R"(<x:pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)";
    test::WriteBook(path("m.xlsx"), {{{"S", R"(<x:row r="1"><x:c r="A1"><x:v>1</x:v></x:c></x:row>)", "", margins, "x"}}});
    Workbook book = Workbook::open(path("m.xlsx"));
    Worksheet& s = book.worksheet(1);
    EXPECT_EQ(s.text(1, 1), QStringLiteral("1"));
    s.setText(2, 2, " b");
    s.addColumnPageBreak(8);
    s.addRowPageBreak(40);
    s.setZoom(100);
    s.setText(10, 10, "J10");
    s.setText(10, 1, "A10");
    s.setNumber(2, 3, 1);
    s.setText(2, 27, "AA2");
    s.copyRange(CellRange::fromText(u"A10:J10"), CellRef::fromText(u"A12"));
    s.setBold(12, 2, true);
    book.worksheet(1).copyRowHeight(1, 3);
    const QJsonObject read = saveAndRead(book);
    EXPECT_EQ(test::CellOf(read, 1, "AA2").value("value").toString(), QStringLiteral("AA2"));
    EXPECT_EQ(test::CellOf(read, 1, "B2").value("value").toString(), QStringLiteral(" b"));

    const std::string xml = sheetXml(1);
    EXPECT_NE(xml.find(R"(<x:c r="B2" t="inlineStr"><x:is><x:t xml:space="preserve"> b</x:t></x:is></x:c>)"), std::string::npos);
    EXPECT_EQ(elementOrder(xml),
              (QStringList{"dimension", "sheetData", "pageMargins", "pageSetup", "rowBreaks", "colBreaks"}));
    EXPECT_NE(xml.find("<x:dimension ref=\"A1:AA12\"/>"), std::string::npos) << xml;
    const std::vector<const char*> inOrder = {"r=\"1\"", "r=\"2\"", "r=\"C2\"", "r=\"AA2\"", "r=\"10\"", "r=\"A10\"", "r=\"J10\"", "r=\"12\"", "r=\"A12\"", "r=\"B12\""};
    size_t at = 0;
    for (const char* token : inOrder) {
        const size_t found = xml.find(token, at);
        ASSERT_NE(found, std::string::npos) << token << " after " << at << " in " << xml;
        at = found;
    }
}

TEST_F(WorkbookLayoutTest, CopiedSharedFormulasBecomeFormulasOfTheirOwn)
{
    test::BookLayout layout;
    layout.sheets.push_back({"S",
                           "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B1\"><f t=\"shared\" ref=\"B1:B3\" si=\"0\">A1*2</f><v>2</v></c></row>"
                           "<row r=\"2\"><c r=\"A2\"><v>2</v></c><c r=\"B2\"><f t=\"shared\" si=\"0\"/><v>4</v></c></row>"
                           "<row r=\"3\"><c r=\"A3\"><v>3</v></c><c r=\"B3\"><f t=\"shared\" si=\"0\"/><v>6</v></c></row>",
                           "", ""});
    layout.withCalcChain = true;
    layout.calcChain = "<c r=\"B1\" i=\"1\"/><c r=\"B2\"/><c r=\"B3\"/>";
    test::WriteBook(path("f.xlsx"), layout);
    Workbook book = Workbook::open(path("f.xlsx"));
    Worksheet& s = book.worksheet(1);
    s.copyRange(CellRange::fromText(u"A2:B3"), CellRef::fromText(u"D5"));
    s.setNumber(1, 2, 99);   // the shared formula's own cell: the others keep their formulas
    const QJsonObject read = saveAndRead(book);
    QJsonArray values;
    for (const char* ref : {"E5", "E6", "B1", "B2", "B3"})
        values.append(test::CellOf(read, 1, ref).value("value"));
    EXPECT_EQ(values, (QJsonArray{"=D5*2", "=D6*2", 99, "=A2*2", "=A3*2"}));

    // The calculation chain no longer matches the cells: it is dropped, and the spreadsheet
    // recalculates on opening.
    auto parts = test::ReadZip(path("out.xlsx"));
    EXPECT_EQ(parts.count("xl/calcChain.xml"), 0u);
    EXPECT_EQ(parts["[Content_Types].xml"].find("calcChain"), std::string::npos);
    EXPECT_EQ(parts["xl/_rels/workbook.xml.rels"].find("calcChain"), std::string::npos);
    EXPECT_NE(parts["xl/workbook.xml"].find("fullCalcOnLoad=\"1\""), std::string::npos);
}

TEST_F(WorkbookLayoutTest, UntouchedPartsAreWrittenBackByteForByte)
{
    std::vector<std::string> order, sameOrder;
    const auto original = test::ReadZip(path("t.xlsx"), &order);
    {
        Workbook book = Workbook::open(path("t.xlsx"));
        book.worksheet(2).text(1, 1);   // reading changes nothing
        book.saveAs(path("same.xlsx"));
    }
    EXPECT_EQ(test::ReadZip(path("same.xlsx"), &sameOrder), original);
    EXPECT_EQ(sameOrder, order);

    Workbook book = Workbook::open(path("t.xlsx"));
    book.worksheet(2).setText(1, 1, "王先生");   // one use of the string table fewer, two more
    book.worksheet(2).copyRange(CellRange::fromText(u"A3:C6"), CellRef::fromText(u"A7"));
    book.saveAs(path("changed.xlsx"));
    auto changed = test::ReadZip(path("changed.xlsx"));
    for (const auto& [name, data] : original) {
        if (name == "xl/worksheets/sheet2.xml" || name == "xl/workbook.xml" || name == "xl/calcChain.xml")
            continue;
        if (name == "xl/sharedStrings.xml") {
            EXPECT_NE(changed[name].find(" count=\"5\" uniqueCount=\"4\""), std::string::npos) << changed[name];
        } else {
            EXPECT_EQ(changed[name], data) << name;
        }
    }
    EXPECT_NE(changed["xl/worksheets/sheet2.xml"], original.at("xl/worksheets/sheet2.xml"));
}

} // namespace
} // namespace varn
