// The generated templates printed by the spreadsheet program the workbooks open in: each
// template as shipped, and a copy filled the way the program fills it (the engines' page
// set-up from the shipped Xp.ini, the widest values, the most columns), converted to PDF in
// one run and read back page by page.

#include "platform/report/ReportTestSupport.h"
#include "shared/setup/XpDefaults.h"
#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>
#include <memory>

namespace varn {
namespace {

using test::pdfPages;
using test::runTool;

QString templatePath(const QString& relative)
{
    return QStringLiteral(VARN_BINARY_DIR "/templates/") + relative;
}

// The texts of one page without any white space, so that "聯 絡 人" reads 聯絡人 and
// pdftotext's line breaking does not matter.
QString pageText(const QString& pdf, int page)
{
    QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                                     QString::number(page), pdf, QStringLiteral("-")});
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{3000}]")));
    return text;
}

// How far right the words of a page reach, and the page's width, in points.
struct RightEdge {
    double text = 0;
    double page = 0;
};

RightEdge rightEdge(const QString& pdf, int page)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"),
                                                           QString::number(page), QStringLiteral("-l"),
                                                           QString::number(page), pdf, QStringLiteral("-")});
    RightEdge edge;
    const auto pageWidth = QRegularExpression(QStringLiteral("<page width=\"([0-9.]+)\"")).match(html);
    edge.page = pageWidth.hasMatch() ? pageWidth.captured(1).toDouble() : 0;
    static const QRegularExpression word(QStringLiteral("<word xMin=\"[0-9.]+\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\""));
    for (auto it = word.globalMatch(html); it.hasNext();)
        edge.text = std::max(edge.text, it.next().captured(1).toDouble());
    return edge;
}

// The engines' page set-up of one sheet from one group of print ranges: zoom 100, title
// rows, title columns and print area as whole columns.
void applyEnginePageSetup(Worksheet& sheet, int firstLine)
{
    const QStringList xp = DefaultXpValues();
    auto line = [&](int n) { return xp[firstLine - 1 + n - 1]; };
    const QString columns = QStringLiteral("$%1:$%2").arg(line(1), line(3));
    sheet.setZoom(100);
    sheet.setPrintTitleRows(QStringLiteral("$%1:$%2").arg(line(2), line(4)));
    sheet.setPrintTitleColumns(columns);
    sheet.setPrintArea(columns);
}

// Values from column A: a QString as text, a double as a number.
void writeRow(Worksheet& sheet, int row, const QVariantList& cells)
{
    for (int c = 0; c < cells.size(); ++c) {
        const QVariant& v = cells[c];
        if (v.typeId() == QMetaType::QString)
            sheet.setText(row, c + 1, v.toString());
        else if (v.isValid())
            sheet.setNumber(row, c + 1, v.toDouble());
    }
}

const QVariantList kEstimateCoverRow = {"壹", "室內裝修工程", "式", 1.0, 99999999.0};
const QVariantList kCostCoverRow = {"壹", "室內裝修工程", "式", 1.0, 99999999.0, 99999999.0, 99999999.0};
const QVariantList kEstimateDetailRow = {999.0, "矽酸鈣板天花板", "才", 9999.5, 9999999.0, 99999999.0, "依現場丈量"};
const QVariantList kCostDetailRow = {999.0, "矽酸鈣板天花板", "才", 9999.5, 9999999.0, 99999999.0,
                                     9999999.0, 99999999.0, 1.35, "依現場"};
// 小計 rows of the cost detail: the margin (amount less cost) goes into the 比例 column.
const QVariantList kCostSubtotalRow = {{}, "小計", {}, {}, {}, 99999999.0, {}, 12345678.5, 87654320.5};
const QVariantList kCostLossRow = {{}, "小計", {}, {}, {}, 12345678.0, {}, 99999999.0, -87654321.0};

// Thirty-eight headings, as many columns as the widest register (vendors) offers.
const QStringList kVendorColumns = {
    "廠商編號", "廠商名稱", "廠商代號", "統一編號", "公司地址", "郵遞區號", "發票地址", "電子郵件",
    "電話1", "電話2", "公司傳真", "負責人", "負責人身分證號", "負責人公司電話", "負責人大哥大",
    "負責人住家電話", "負責人職稱", "連絡人", "連絡人公司電話", "連絡人大哥大", "連絡人職稱", "介紹人",
    "負責業務", "會計人員", "會計職稱", "會計電話", "地區性", "行業別", "登錄日期", "結帳日", "請款日",
    "付款方式", "備註", "支票抬頭", "發票抬頭", "供應類別", "敘述", "末欄",
};

struct PrintCase {
    QString name;                     // the PDF's base name
    int pages;
    std::vector<QStringList> texts;   // texts each page shows, page by page
};

// Every case converted once for the whole suite.
class TemplatePages : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<QTemporaryDir>();
        s_problem.clear();
        const QString in = s_dir->filePath(QStringLiteral("in"));
        QDir().mkpath(in);
        QStringList inputs;
        try {
            for (const QString& rel : shippedFiles()) {
                const QString target = in + u'/' + QFileInfo(rel).fileName();
                if (!QFile::copy(templatePath(rel), target))
                    s_problem += QStringLiteral("cannot copy %1\n").arg(rel);
                inputs << target;
            }
            for (const auto& [name, fill] : filledBooks()) {
                Workbook book = Workbook::open(templatePath(name.first));
                fill(book);
                const QString target = in + QStringLiteral("/filled-") + name.second + QStringLiteral(".xlsx");
                book.saveAs(target);
                inputs << target;
            }
        } catch (const WorkbookError& e) {
            s_problem += e.message();
            return;
        }
        // Its own profile folder, so that runs at the same time do not share one.
        const QString profile = QUrl::fromLocalFile(s_dir->filePath(QStringLiteral("profile"))).toString();
        QProcess soffice;
        soffice.start(QStringLiteral("soffice"),
                      QStringList{QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                                  QStringLiteral("--convert-to"), QStringLiteral("pdf"), QStringLiteral("--outdir"),
                                  s_dir->filePath(QStringLiteral("pdf"))}
                          + inputs);
        if (!soffice.waitForStarted(20000)) {
            s_problem += QStringLiteral("soffice cannot be started: ") + soffice.errorString();
            return;
        }
        if (!soffice.waitForFinished(300000) || soffice.exitCode() != 0)
            s_problem += QStringLiteral("soffice failed: ") + QString::fromUtf8(soffice.readAllStandardError());
    }

    static void TearDownTestSuite() { s_dir.reset(); }

    static QStringList shippedFiles()
    {
        return {"PrintQ/報價單.xlsx", "PrintS/空白報價單.xlsx", "PrintC/成本分析.xlsx", "PrintNF/單張報價單.xlsx",
                "Pother/客戶資料.xlsx", "Pother/廠商資料.xlsx", "Pother/員工資料.xlsx", "Pother/Label.xlsx",
                "Pother/其他詞庫.xlsx", "Pother/細項加成.xlsx", "Pother/工程類別.xlsx", "Pother/工程種類.xlsx",
                "Pother/統計.xlsx"};
    }

    using Fill = std::function<void(Workbook&)>;
    // (template, name of the filled copy) and how it is filled.
    static std::vector<std::pair<std::pair<QString, QString>, Fill>> filledBooks()
    {
        auto twoSheets = [](QVariantList cover, QVariantList detail) {
            return [cover, detail](Workbook& book) {
                applyEnginePageSetup(book.worksheet(1), 1);
                applyEnginePageSetup(book.worksheet(2), 17);
                writeRow(book.worksheet(1), 8, cover);
                writeRow(book.worksheet(2), 8, detail);
            };
        };
        auto registerList = [](Workbook& book) {
            Worksheet& sheet = book.worksheet(1);
            for (int c = 0; c < kVendorColumns.size(); ++c) {
                sheet.setText(2, c + 1, kVendorColumns[c]);
                for (int r = 3; r <= 14; ++r)
                    sheet.setText(r, c + 1, c % 4 == 0 ? QStringLiteral("新北市三重區重新路五段609巷12號")
                                                       : QStringLiteral("02-29876543"));
            }
            sheet.setThinBorders(CellRange{{2, 1}, {2, static_cast<int>(kVendorColumns.size())}},
                                 BorderEdge::Outline | BorderEdge::InsideVertical);
        };
        return {
            {{"PrintQ/報價單.xlsx", "報價單"}, twoSheets(kEstimateCoverRow, kEstimateDetailRow)},
            {{"PrintQ/報價單.xlsx", "兩頁明細"},
             [twoSheets](Workbook& book) {   // a second page block, copied as the engines copy it
                 twoSheets(kEstimateCoverRow, kEstimateDetailRow)(book);
                 Worksheet& detail = book.worksheet(2);
                 detail.copyRange(CellRange::fromText(u"A8:J39"), CellRef{40, 1});
                 detail.addRowPageBreak(40);
                 for (int r = 8; r <= 39; ++r)
                     detail.copyRowHeight(r, r + 32);
                 writeRow(detail, 40, {1000.0, "第二頁的品名"});
             }},
            {{"PrintS/空白報價單.xlsx", "空白報價單"}, twoSheets(kEstimateCoverRow, kEstimateDetailRow)},
            {{"PrintC/成本分析.xlsx", "成本分析"},
             [twoSheets](Workbook& book) {
                 twoSheets(kCostCoverRow, kCostDetailRow)(book);
                 writeRow(book.worksheet(2), 9, kCostSubtotalRow);
                 writeRow(book.worksheet(2), 10, kCostLossRow);
             }},
            {{"PrintNF/單張報價單.xlsx", "單張報價單"},
             [](Workbook& book) {
                 applyEnginePageSetup(book.worksheet(1), 17);
                 writeRow(book.worksheet(1), 8, kEstimateDetailRow);
             }},
            {{"Pother/客戶資料.xlsx", "客戶資料"}, registerList},
            {{"Pother/廠商資料.xlsx", "廠商資料"}, registerList},
            {{"Pother/員工資料.xlsx", "員工資料"}, registerList},
            {{"Pother/Label.xlsx", "Label"},
             [](Workbook& book) {   // nine labels, three across
                 Worksheet& sheet = book.worksheet(1);
                 for (int k = 0; k < 9; ++k) {
                     const int r = 2 + 5 * (k / 3), c = k % 3 + 1;
                     sheet.setText(r, c, QStringLiteral("241"));
                     sheet.setText(r + 1, c, QStringLiteral("新北市三重區重新路五段609巷12號5樓之3"));
                     sheet.setText(r + 2, c, QStringLiteral("    大明室內裝修設計工程有限公司"));
                     sheet.setText(r + 3, c, QStringLiteral("王小明  君 啟     V0%1").arg(k + 1, 2, 10, QChar(u'0')));
                 }
             }},
            {{"Pother/其他詞庫.xlsx", "其他詞庫"},
             [](Workbook& book) {   // twelve lists side by side
                 for (int c = 1; c <= 12; ++c)
                     for (int r = 3; r <= 20; ++r)
                         book.worksheet(1).setText(r, c, QStringLiteral("清單%1之第%2項").arg(c).arg(r - 2));
             }},
            {{"Pother/工程類別.xlsx", "工程類別"},
             [](Workbook& book) {   // 25 categories, a pair of columns each
                 for (int k = 0; k < 25; ++k) {
                     book.worksheet(1).setText(3, 2 * k + 1, QStringLiteral("類別%1").arg(k + 1));
                     for (int r = 3; r <= 8; ++r)
                         book.worksheet(1).setText(r, 2 * k + 2, QStringLiteral("區域%1之%2").arg(k + 1).arg(r - 2));
                 }
             }},
            {{"Pother/工程種類.xlsx", "工程種類"},
             [](Workbook& book) {
                 Worksheet& sheet = book.worksheet(1);
                 sheet.setText(1, 1, QStringLiteral("工程種類列表："));
                 for (int r = 3; r <= 20; ++r) {
                     sheet.setText(r, 1, r == 3 ? QStringLiteral("木作工程") : QString());
                     sheet.setText(r, 2, QStringLiteral("矽酸鈣板天花板（含角材）"));
                     sheet.setText(r, 3, QStringLiteral("坪"));
                     sheet.setNumber(r, 4, 9999999);
                     sheet.setNumber(r, 5, 1.35);
                 }
             }},
            {{"Pother/細項加成.xlsx", "細項加成"},
             [](Workbook& book) {
                 for (int r = 3; r <= 20; ++r) {
                     book.worksheet(1).setText(r, 1, QStringLiteral("木作工程"));
                     book.worksheet(1).setText(r, 2, QStringLiteral("矽酸鈣板天花板（含角材）"));
                     book.worksheet(1).setText(r, 3, QStringLiteral("防火矽酸鈣板加厚九厘米"));
                     book.worksheet(1).setNumber(r, 4, 1.35);
                 }
             }},
            {{"Pother/統計.xlsx", "統計"},
             [](Workbook& book) {
                 const QStringList titles = {"       區    域", "小 計", "成本複計", "毛 利", "平均比例", "佔總價比"};
                 for (int c = 0; c < titles.size(); ++c)
                     book.worksheet(1).setText(1, c + 1, titles[c]);
                 for (int r = 2; r <= 20; ++r) {
                     book.worksheet(1).setText(r, 1, QStringLiteral("客廳及餐廳區域"));
                     for (int c = 2; c <= 5; ++c)
                         book.worksheet(1).setText(r, c, QStringLiteral("99999999"));
                     book.worksheet(1).setText(r, 6, QStringLiteral("24%"));
                 }
             }},
        };
    }

    static QString pdf(const QString& name) { return s_dir->filePath(QStringLiteral("pdf/") + name + ".pdf"); }

    // Checks the page count, the texts of every page, and that no text runs past the right
    // edge of the paper.
    static void check(const PrintCase& c)
    {
        ASSERT_TRUE(s_problem.isEmpty()) << s_problem.toStdString();
        const QString file = pdf(c.name);
        ASSERT_TRUE(QFile::exists(file)) << c.name.toStdString() << " was not converted";
        EXPECT_EQ(pdfPages(file), c.pages) << c.name.toStdString();
        for (size_t p = 0; p < c.texts.size(); ++p) {
            const QString text = pageText(file, static_cast<int>(p) + 1);
            for (const QString& expected : c.texts[p])
                EXPECT_TRUE(text.contains(expected))
                    << c.name.toStdString() << " page " << p + 1 << " lacks " << expected.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("###")))
                << c.name.toStdString() << " page " << p + 1 << " shows a value too wide for its column";
        }
        for (int p = 1; p <= c.pages; ++p) {
            const RightEdge edge = rightEdge(file, p);
            EXPECT_GT(edge.page, 0) << c.name.toStdString();
            EXPECT_LT(edge.text, edge.page) << c.name.toStdString() << " page " << p << " runs past the right edge";
        }
    }

    static std::unique_ptr<QTemporaryDir> s_dir;
    static QString s_problem;
};

std::unique_ptr<QTemporaryDir> TemplatePages::s_dir;
QString TemplatePages::s_problem;

const QStringList kInfoLabels = {"客戶名稱", "工程名稱", "工程地址", "聯絡人", "電話", "傳真",
                                 "報價日期", "報價單號", "業務人員", "#公司名稱#"};

QStringList withInfo(const QStringList& texts)
{
    return kInfoLabels + texts;
}

TEST_F(TemplatePages, EmptyQuotationTemplatesPrintOnePagePerSheetWithTheWholeHeader)
{
    const QStringList estimateCover = withInfo({"報價單", "項次", "工程項目", "單位", "數量", "複價", "備註", "客戶簽認"});
    const QStringList estimateDetail = withInfo({"報價明細表", "項次", "品名規格", "單位", "數量", "單價", "複價", "備註", "公司簽章"});
    const std::vector<PrintCase> cases = {
        {"報價單", 2, {estimateCover, estimateDetail}},
        {"空白報價單", 2,
         {withInfo({"估價單", "工程項目", "複價", "報價廠商"}), withInfo({"估價明細表", "品名規格", "單價", "複價", "簽章"})}},
        {"成本分析", 2,
         {withInfo({"成本分析表", "工程項目", "金額", "成本", "毛利", "審核"}),
          withInfo({"成本分析明細", "項次", "品名規格", "單位", "數量", "單價", "金額", "成本", "成本複計", "比例", "備註", "審核"})}},
        {"單張報價單", 1, {withInfo({"報價單", "項次", "品名規格", "單位", "數量", "單價", "複價", "備註", "公司簽章"})}},
    };
    for (const PrintCase& c : cases)
        check(c);
}

TEST_F(TemplatePages, FilledQuotationsKeepOnePagePerSheetAndShowEveryAmountWhole)
{
    const std::vector<PrintCase> cases = {
        {"filled-報價單", 2, {{"99,999,999", "室內裝修工程"}, {"99,999,999", "9999999", "9999.5", "依現場丈量"}}},
        {"filled-空白報價單", 2, {{"99,999,999"}, {"99,999,999", "9999999"}}},
        {"filled-成本分析", 2,
         {{"99,999,999", "室內裝修工程"}, {"99,999,999", "9999999", "9999.5", "1.35", "依現場", "成本複計", "87,654,321", "-87,654,321"}}},
        {"filled-單張報價單", 1, {{"99,999,999", "9999999", "依現場丈量", "報價日期"}}},
        // Each page block with the repeated header rows is one printed page.
        {"filled-兩頁明細", 3, {{}, {"99,999,999", "客戶簽認"}, withInfo({"報價明細表", "品名規格", "第二頁的品名", "客戶簽認"})}},
    };
    for (const PrintCase& c : cases)
        check(c);
}

TEST_F(TemplatePages, ListLabelLexiconAndStatisticsTemplatesPrintOnePageWide)
{
    const std::vector<PrintCase> cases = {
        {"客戶資料", 1, {{"客戶資料列表"}}},
        {"廠商資料", 1, {{"廠商資料列表"}}},
        {"員工資料", 1, {{"員工資料列表"}}},
        {"Label", 1, {}},
        {"其他詞庫", 1, {{"單位", "報價單項備註"}}},
        {"細項加成", 1, {{"細項加成表", "加成"}}},
        {"工程類別", 1, {{"工程類別及區域"}}},
        {"工程種類", 1, {{"工程項目", "比例"}}},
        {"統計", 1, {}},
        // Filled as the program fills them: every one still one page wide.
        {"filled-客戶資料", 1, {{"廠商編號", "負責人身分證號", "末欄"}}},
        {"filled-廠商資料", 1, {{"廠商編號", "末欄"}}},
        {"filled-員工資料", 1, {{"廠商編號", "末欄"}}},
        {"filled-Label", 1, {{"V001", "V003", "V009", "君啟", "大明室內裝修設計工程有限公司"}}},
        {"filled-其他詞庫", 1, {{"清單1之第1項", "清單12之第18項", "報價單項備註"}}},
        {"filled-工程類別", 1, {{"類別1", "類別25", "區域25之6"}}},
        {"filled-工程種類", 1, {{"工程種類列表：", "矽酸鈣板天花板（含角材）", "1.35"}}},
        {"filled-細項加成", 1, {{"防火矽酸鈣板加厚九厘米", "1.35"}}},
        {"filled-統計", 1, {{"佔總價比", "99999999", "24%"}}},
    };
    for (const PrintCase& c : cases)
        check(c);
}

} // namespace
} // namespace varn
