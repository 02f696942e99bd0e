// The generated quotation and lexicon templates printed by the spreadsheet program the
// workbooks open in: each filled with the widest values the program writes (the engines'
// page set-up from the shipped Xp.ini), converted to PDF in one run and read back page by
// page.

#include "platform/report/ReportTestSupport.h"
#include "platform/workbook/Workbook.h"
#include "shared/setup/XpDefaults.h"
#include "support/OfficeConvert.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

namespace varn {
namespace {

using namespace Qt::StringLiterals;
using test::pdfPages;

// The engines' page set-up of one sheet from one group of print ranges.
void applyEnginePageSetup(Worksheet& sheet, int firstLine)
{
    const QStringList xp = DefaultXpValues().mid(firstLine - 1);
    const QString columns = u"$%1:$%2"_s.arg(xp[0], xp[2]);
    sheet.setZoom(100);
    sheet.setPrintTitleRows(u"$%1:$%2"_s.arg(xp[1], xp[3]));
    sheet.setPrintTitleColumns(columns);
    sheet.setPrintArea(columns);
}

// Values from column A: a QString as text, a double as a number, an invalid one skipped.
void writeRow(Worksheet& sheet, int row, const QVariantList& cells, int column = 1)
{
    for (int c = 0; c < cells.size(); ++c) {
        if (cells[c].typeId() == QMetaType::QString)
            sheet.setText(row, column + c, cells[c].toString());
        else if (cells[c].isValid())
            sheet.setNumber(row, column + c, cells[c].toDouble());
    }
}

// Rows 3..last of columns 1..columns, each cell `text(row, column)`.
void fillGrid(Worksheet& sheet, int last, int columns, const std::function<QString(int, int)>& text)
{
    for (int r = 3; r <= last; ++r)
        for (int c = 1; c <= columns; ++c)
            sheet.setText(r, c, text(r, c));
}

const QVariantList kCoverRow = {"壹", "室內裝修工程", "式", 1.0, 99999999.0, 99999999.0, 99999999.0};
const QVariantList kDetailRow = {999.0, "矽酸鈣板天花板", "才", 9999.5, 9999999.0, 99999999.0, "依現場丈量"};
const QVariantList kCostDetailRow = {999.0, "矽酸鈣板天花板", "才", 9999.5, 9999999.0, 99999999.0,
                                     9999999.0, 99999999.0, 1.35, "依現場"};
// 小計 rows of the cost detail: the margin (amount less cost) goes into the 比例 column.
const QVariantList kCostSubtotals = {99999999.0, {}, 12345678.5, 87654320.5, 12345678.0, {}, 99999999.0, -87654321.0};

using Fill = std::function<void(Workbook&)>;

Fill twoSheets(int coverColumns, const QVariantList& detail, const Fill& more = {})
{
    return [=](Workbook& book) {
        applyEnginePageSetup(book.worksheet(1), 1);
        applyEnginePageSetup(book.worksheet(2), 17);
        writeRow(book.worksheet(1), 8, kCoverRow.mid(0, coverColumns));
        writeRow(book.worksheet(2), 8, detail);
        if (more)
            more(book);
    };
}

struct PrintCase {
    QString file;                     // the template
    QString name;                     // the PDF's base name
    Fill fill;
    int pages;
    std::vector<QStringList> texts;   // texts each page shows, page by page
};

const QStringList kInfo = {"客戶名稱", "工程名稱", "工程地址", "聯絡人", "電話", "傳真", "報價日期", "報價單號", "業務人員"};

std::vector<PrintCase> cases()
{
    const QString q = u"PrintQ/報價單.xlsx"_s, s = u"PrintS/空白報價單.xlsx"_s, c = u"PrintC/成本分析.xlsx"_s,
                  nf = u"PrintNF/單張報價單.xlsx"_s;
    return {
        // Every heading and the widest amounts whole, one page per sheet.
        {q, u"filled-報價單"_s, twoSheets(5, kDetailRow), 2,
         {kInfo + QStringList{"99,999,999"}, kInfo + QStringList{"9999999", "依現場丈量"}}},
        {s, u"filled-空白報價單"_s, twoSheets(5, kDetailRow), 2,
         {{"99,999,999"}, {"99,999,999"}}},
        {c, u"filled-成本分析"_s,
         twoSheets(7, kCostDetailRow,
                   [](Workbook& b) {
                       writeRow(b.worksheet(2), 9, kCostSubtotals.mid(0, 4), 6);
                       writeRow(b.worksheet(2), 10, kCostSubtotals.mid(4), 6);
                   }),
         2, {{"99,999,999"}, {"1.35", "依現場", "87,654,321", "-87,654,321"}}},
        {nf, u"filled-單張報價單"_s,
         [](Workbook& b) {
             applyEnginePageSetup(b.worksheet(1), 17);
             writeRow(b.worksheet(1), 8, kDetailRow);
         },
         1, {kInfo + QStringList{"99,999,999", "依現場丈量"}}},
        // The lexicon lists at their widest: one page wide. (The registers, labels and the
        // statistics export are printed by their own engines' tests.)
        {u"Pother/其他詞庫.xlsx"_s, u"其他詞庫"_s,
         [](Workbook& b) { fillGrid(b.worksheet(1), 20, 12, [](int r, int c) { return u"清單%1之第%2項"_s.arg(c).arg(r - 2); }); },
         1, {{"清單1之第1項", "清單12之第18項"}}},
        {u"Pother/工程類別.xlsx"_s, u"工程類別"_s,
         [](Workbook& b) {   // 25 categories, a pair of columns each
             fillGrid(b.worksheet(1), 8, 50, [](int r, int c) {
                 return c % 2 ? (r == 3 ? u"類別%1"_s.arg(c / 2 + 1) : QString()) : u"區域%1之%2"_s.arg(c / 2).arg(r - 2);
             });
         },
         1, {{"類別25", "區域25之6"}}},
        {u"Pother/工程種類.xlsx"_s, u"工程種類"_s,
         [](Workbook& b) {
             for (int r = 3; r <= 20; ++r)
                 writeRow(b.worksheet(1), r, {r == 3 ? u"木作工程"_s : QString(), "矽酸鈣板天花板（含角材）", "坪", 9999999.0, 1.35});
         },
         1, {{"矽酸鈣板天花板(含角材)", "1.35"}}},
        {u"Pother/細項加成.xlsx"_s, u"細項加成"_s,
         [](Workbook& b) {
             for (int r = 3; r <= 20; ++r)
                 writeRow(b.worksheet(1), r, {"木作工程", "矽酸鈣板天花板（含角材）", "防火矽酸鈣板加厚九厘米", 1.35});
         },
         1, {{"防火矽酸鈣板加厚九厘米", "1.35"}}},
    };
}

TEST(TemplatePages, EveryTemplateAsShippedAndFilledPrintsItsPagesWhole)
{
    QTemporaryDir dir;
    QStringList inputs;
    const std::vector<PrintCase> all = cases();
    for (const PrintCase& c : all) {
        const QString target = dir.filePath(c.name + u".xlsx"_s);
        Workbook book = Workbook::open(QStringLiteral(VARN_BINARY_DIR "/templates/") + c.file);
        c.fill(book);
        book.saveAs(target);
        inputs << target;
    }
    ASSERT_EQ(test::ConvertWithOffice(inputs, dir.filePath(u"pdf"_s)), QString());
    for (const PrintCase& c : all) {
        const QString pdf = dir.filePath(u"pdf/"_s + c.name + u".pdf"_s);
        const std::string name = c.name.toStdString();
        EXPECT_EQ(pdfPages(pdf), c.pages) << name;
        for (int p = 1; p <= c.pages; ++p) {
            const QString text = test::pdfText(pdf, p).remove(u' ');   // 電　　話 reads 電話
            for (const QString& expected : p <= int(c.texts.size()) ? c.texts[size_t(p - 1)] : QStringList())
                EXPECT_TRUE(text.contains(expected)) << name << " page " << p << " lacks " << expected.toStdString();
            EXPECT_FALSE(text.contains(u"###"_s)) << name << " page " << p << " shows a value too wide for its column";
            double width = 0;
            for (const test::PdfWord& w : test::pdfWords(pdf, p, &width))
                EXPECT_LT(w.box.right(), width) << name << " page " << p << ": " << w.text.toStdString() << " past the edge";
        }
    }
}

} // namespace
} // namespace varn
