#include "XlsxTestSupport.h"

#include "platform/workbook/CellText.h"
#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>

namespace varn {
namespace {

class WorkbookValuesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A1 shared "Old", B1 number 7 with format 3, A2 rich text from the shared table,
        // A3 inline rich text, row 5 formatted bold as a row, column D bordered.
        test::BookLayout layout;
        layout.sharedStrings = {"<t>Old</t>",
                              "<r><t>#客戶</t></r><r><rPr><b/></rPr><t>名稱#</t></r><rPh sb=\"0\" eb=\"1\"><t>ㄎㄜˋ</t></rPh>",
                              "<t xml:space=\"preserve\"> 前導_x0009_</t>"};
        layout.sheets.push_back({"S",
                               "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"3\"><v>7</v></c>"
                               "<c r=\"C1\" t=\"s\"><v>2</v></c><c r=\"D1\" t=\"b\"><v>1</v></c></row>"
                               "<row r=\"2\"><c r=\"A2\" s=\"1\" t=\"s\"><v>1</v></c></row>"
                               "<row r=\"3\"><c r=\"A3\" t=\"inlineStr\"><is><r><t>甲</t></r><r><t>乙</t></r></is></c></row>"
                               "<row r=\"5\" s=\"2\" customFormat=\"1\"/>",
                               "<cols><col min=\"4\" max=\"4\" width=\"9\" style=\"1\" customWidth=\"1\"/></cols>",
                               ""});
        test::WriteBook(path("in.xlsx"), layout);
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    // Saves, then opens the result with our reader and with openpyxl.
    QJsonObject saveAndRead(Workbook& book)
    {
        book.saveAs(path("out.xlsx"));
        return test::ReadWithOpenpyxl(path("out.xlsx"));
    }

    static QString text(const QJsonObject& read, const char* ref, const char* key = "value")
    {
        return test::CellOf(read, 1, ref).value(key).toString();
    }
    static double number(const QJsonObject& read, const char* ref, const char* key = "value")
    {
        return test::CellOf(read, 1, ref).value(key).toDouble();
    }

    QTemporaryDir dir;
};

// A text beyond the cell limit is cut there, never inside a surrogate pair.
TEST_F(WorkbookValuesTest, TextsStayTextsWithBlanksTabsAndControlCharactersUpToTheLimit)
{
    const QStringList texts = {
        "02", " name", "\tTab", "a\nb", "trailing  ", "x" + QString(QChar(1)) + "y", "\r\n",
        "_x0041_", "&<>\"'", "中文‧𠀀", "", QString(kMaxCellTextLength - 1, u'a') + QString::fromUtf16(u"𠀀"),
    };
    Workbook book = Workbook::open(path("in.xlsx"));
    for (int i = 0; i < texts.size(); ++i)
        book.worksheet(1).setText(10 + i, 1, texts[i]);
    book.worksheet(1).setText(1, 1, QString(40000, u'字'));
    const QJsonObject read = saveAndRead(book);

    Workbook again = Workbook::open(path("out.xlsx"));
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(again.worksheet(1).text(10 + i, 1), i == 11 ? texts[i].left(kMaxCellTextLength - 1) : texts[i]) << i;
    EXPECT_EQ(text(read, "A1").size(), kMaxCellTextLength);
    for (int i : {0, 1, 2, 3, 4, 9}) {
        const QJsonObject cell = test::CellOf(read, 1, QStringLiteral("A%1").arg(10 + i));
        EXPECT_EQ(cell.value("type").toString(), QStringLiteral("s")) << i;
        EXPECT_EQ(cell.value("value").toString(), texts[i]) << i;
    }
    // openpyxl shows the format's escapes as they are stored.
    EXPECT_EQ((QStringList{text(read, "A15"), text(read, "A16"), text(read, "A17")}),
              (QStringList{"x_x0001_y", "_x000D_\n", "_x005F_x0041_"}));
    EXPECT_TRUE(test::CellOf(read, 1, "A20").value("value").toVariant().isNull());   // an empty text empties
}

// Texts read as the sheet shows them: rich-text runs joined, the phonetic guide left out.
TEST_F(WorkbookValuesTest, TextsReadAsShownNumbersStayNumbersAndEmptyKeepsTheFormat)
{
    Workbook book = Workbook::open(path("in.xlsx"));
    Worksheet& s = book.worksheet(1);
    EXPECT_EQ((QStringList{s.text(1, 1), s.text(1, 2), s.text(1, 3), s.text(1, 4), s.text(2, 1), s.text(3, 1), s.text(9, 9)}),
              (QStringList{"Old", "7", " 前導\t", "TRUE", "#客戶名稱#", "甲乙", ""}));
    EXPECT_TRUE(s.hasValue(1, 1));
    EXPECT_FALSE(s.hasValue(5, 1));
    EXPECT_THROW(s.text(0, 1), WorkbookError);
    s.setNumber(1, 1, 12.5);       // over a shared text
    s.setNumber(6, 1, 0.1 + 0.2);
    s.setNumber(6, 2, -3);
    s.setNumber(6, 3, 1e20);
    s.clearValue(1, 2);            // its number format "0.00" stays
    s.clearValue(2, 1);            // bordered cell
    s.clearValue(7, 7);            // nothing there
    EXPECT_THROW(s.setNumber(6, 4, std::nan("")), WorkbookError);
    EXPECT_THROW(s.setNumber(6, 4, INFINITY), WorkbookError);
    const QJsonObject read = saveAndRead(book);

    EXPECT_EQ(text(read, "A1", "type"), QStringLiteral("n"));
    EXPECT_EQ((std::vector{number(read, "A1"), number(read, "A6"), number(read, "B6"), number(read, "C6")}),
              (std::vector{12.5, 0.1 + 0.2, -3.0, 1e20}));
    EXPECT_TRUE(test::CellOf(read, 1, "D6").isEmpty());
    EXPECT_TRUE(test::CellOf(read, 1, "B1").value("value").isNull());
    EXPECT_EQ(text(read, "B1", "format"), QStringLiteral("0.00"));
    EXPECT_TRUE(test::CellOf(read, 1, "A2").value("value").isNull());
    EXPECT_EQ(test::CellOf(read, 1, "A2").value("border").toArray().at(0).toString(), QStringLiteral("thin"));
}

// Formats derive from the cell's own one; a new cell starts from its row's or column's; thin
// borders go on the chosen edges.
TEST_F(WorkbookValuesTest, FormatsAreDerivedFromTheCellsOwnAndBordersFollowTheChosenEdges)
{
    Workbook book = Workbook::open(path("in.xlsx"));
    Worksheet& s = book.worksheet(1);
    s.setText(5, 1, "row");
    s.setText(8, 4, "column");
    s.setThinBorders(*CellRange::parse(u"F2:H3"), BorderEdge::Outline | BorderEdge::InsideVertical);
    s.setThinBorders(*CellRange::parse(u"F6:G7"));
    s.setNumber(2, 2, 0.05);
    s.setNumberFormat(2, 2, "0%");
    s.setHorizontalAlignment(2, 2, HorizontalAlignment::Right);
    s.setHorizontalAlignment(2, 1, HorizontalAlignment::Left);   // bordered text keeps its border
    s.setBold(2, 1, true);
    s.setFontSize(2, 1, 14);
    s.setFontSize(1, 2, 12);                                       // "0.00" kept
    s.setNumberFormat(3, 3, "#,##0.0 \"坪\"");
    EXPECT_THROW(s.setFontSize(1, 1, 0), WorkbookError);
    const QJsonObject read = saveAndRead(book);

    EXPECT_EQ((QStringList{text(read, "B2", "format"), text(read, "B2", "align"), text(read, "A2", "align"),
                           text(read, "A2"), text(read, "B1", "format"), text(read, "C3", "format")}),
              (QStringList{"0%", "right", "left", "#客戶名稱#", "0.00", "#,##0.0 \"坪\""}));
    const QJsonObject a2 = test::CellOf(read, 1, "A2");
    EXPECT_TRUE(a2.value("bold").toBool());
    EXPECT_EQ(a2.value("size").toDouble(), 14);
    EXPECT_EQ(a2.value("border").toArray().at(2).toString(), QStringLiteral("thin"));
    EXPECT_EQ(number(read, "B1", "size"), 12);
    EXPECT_TRUE(test::CellOf(read, 1, "A5").value("bold").toBool());
    auto borders = [&](const char* ref) {
        QStringList b;
        for (const auto& v : test::CellOf(read, 1, ref).value("border").toArray())
            b << (v.isNull() ? QStringLiteral("-") : v.toString());
        return b.join(u',');   // left, top, bottom, right
    };
    EXPECT_EQ((QStringList{borders("D8"), borders("F2"), borders("G2"), borders("H3"), borders("G3"), borders("F6")}),
              (QStringList{"thin,thin,thin,thin", "thin,thin,-,thin", "thin,thin,-,thin", "thin,-,thin,thin",
                           "thin,-,thin,thin", "thin,thin,thin,thin"}));
}

TEST_F(WorkbookValuesTest, EqualFormatsAreNotDuplicated)
{
    Workbook book = Workbook::open(path("in.xlsx"));
    Worksheet& s = book.worksheet(1);
    for (int r = 10; r < 110; ++r) {
        s.setNumber(r, 1, r);
        s.setNumberFormat(r, 1, "0%");
        s.setHorizontalAlignment(r, 1, HorizontalAlignment::Right);
        s.setBold(r, 2, true);   // bold on the default format is format 2, which exists
    }
    book.saveAs(path("out.xlsx"));
    const std::string styles = test::ReadZip(path("out.xlsx"))["xl/styles.xml"];
    const QString text = QString::fromStdString(styles);
    EXPECT_EQ(text.count(QStringLiteral("<xf ")), 1 + 4 + 2) << styles;   // two new cell formats
    EXPECT_TRUE(text.contains(QStringLiteral("<cellXfs count=\"6\">")));
    EXPECT_EQ(text.count(QStringLiteral("<font>")), 2);
}

} // namespace
} // namespace varn
