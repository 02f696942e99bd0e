// The generated lexicon templates printed by the spreadsheet program the workbooks open in:
// each filled with the widest values the program writes, converted to PDF in one run and
// read back. (The quotation templates are printed whole by the layout tests.)

#include "platform/report/ReportTestSupport.h"
#include "platform/workbook/Workbook.h"
#include "support/OfficeConvert.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

namespace varn {
namespace {

using namespace Qt::StringLiterals;
using test::pdfPages;

// Values from column A: a QString as text, a double as a number.
void writeRow(Worksheet& sheet, int row, const QVariantList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        if (cells[c].typeId() == QMetaType::QString)
            sheet.setText(row, 1 + c, cells[c].toString());
        else
            sheet.setNumber(row, 1 + c, cells[c].toDouble());
    }
}

// Rows 3..last of columns 1..columns, each cell `text(row, column)`.
void fillGrid(Worksheet& sheet, int last, int columns, const std::function<QString(int, int)>& text)
{
    for (int r = 3; r <= last; ++r)
        for (int c = 1; c <= columns; ++c)
            sheet.setText(r, c, text(r, c));
}

using Fill = std::function<void(Workbook&)>;

struct PrintCase {
    QString name;        // the template in Pother and the PDF's base name
    Fill fill;
    QStringList texts;   // texts the one page shows
};

std::vector<PrintCase> cases()
{
    return {
        {u"其他詞庫"_s,
         [](Workbook& b) {
             fillGrid(b.worksheet(1), 20, 12, [](int r, int c) { return u"清單%1之第%2項"_s.arg(c).arg(r - 2); });
         },
         {"清單1之第1項", "清單12之第18項"}},
        {u"工程類別"_s,
         [](Workbook& b) {   // 25 categories, a pair of columns each
             fillGrid(b.worksheet(1), 8, 50, [](int r, int c) {
                 return c % 2 ? (r == 3 ? u"類別%1"_s.arg(c / 2 + 1) : QString()) : u"區域%1之%2"_s.arg(c / 2).arg(r - 2);
             });
         },
         {"類別25", "區域25之6"}},
        {u"工程種類"_s,
         [](Workbook& b) {
             for (int r = 3; r <= 20; ++r)
                 writeRow(b.worksheet(1), r, {r == 3 ? u"木作工程"_s : QString(), "矽酸鈣板天花板（含角材）", "坪", 9999999.0, 1.35});
         },
         {"矽酸鈣板天花板(含角材)", "1.35"}},
        {u"細項加成"_s,
         [](Workbook& b) {
             for (int r = 3; r <= 20; ++r)
                 writeRow(b.worksheet(1), r, {"木作工程", "矽酸鈣板天花板（含角材）", "防火矽酸鈣板加厚九厘米", 1.35});
         },
         {"防火矽酸鈣板加厚九厘米", "1.35"}},
    };
}

TEST(TemplatePages, EveryLexiconListAtItsWidestPrintsOnOnePageWhole)
{
    QTemporaryDir dir;
    QStringList inputs;
    const std::vector<PrintCase> all = cases();
    for (const PrintCase& c : all) {
        Workbook book = Workbook::open(QStringLiteral(VARN_BINARY_DIR "/templates/Pother/") + c.name + u".xlsx"_s);
        c.fill(book);
        inputs << dir.filePath(c.name + u".xlsx"_s);
        book.saveAs(inputs.last());
    }
    ASSERT_EQ(test::ConvertWithOffice(inputs, dir.filePath(u"pdf"_s)), QString());
    for (const PrintCase& c : all) {
        const QString pdf = dir.filePath(u"pdf/"_s + c.name + u".pdf"_s);
        const std::string name = c.name.toStdString();
        EXPECT_EQ(pdfPages(pdf), 1) << name;
        const QString text = test::pdfText(pdf, 1);
        for (const QString& expected : c.texts)
            EXPECT_TRUE(text.contains(expected)) << name << " lacks " << expected.toStdString();
        EXPECT_FALSE(text.contains(u"###"_s)) << name << " shows a value too wide for its column";
        double width = 0;
        for (const test::PdfWord& w : test::pdfWords(pdf, 1, &width))
            EXPECT_LT(w.box.right(), width) << name << ": " << w.text.toStdString() << " past the edge";
    }
}

} // namespace
} // namespace varn
