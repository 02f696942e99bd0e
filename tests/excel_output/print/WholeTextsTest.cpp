// The widest figures and the longest header texts of a quotation as LibreOffice prints them,
// in every layout: whole, grouped, and large enough to read.

#include "PrintFixture.h"

#include "platform/workbook/XlsxTestSupport.h"

#include <QJsonArray>
#include <QLocale>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

class WholeTextsTest : public PrintFixture {
protected:
    // The layouts of `commands` printed from the loaded quotation, converted in one run.
    QStringList printEveryLayout(const QStringList& commands)
    {
        QStringList files;
        for (const QString& command : commands)
            files << printed(command.toLatin1().constData());
        const QString problem = ConvertWithOffice(files, dir.filePath(u"pdf"_s));
        EXPECT_EQ(problem, QString());
        return files;
    }
};

QStringList allCommands()
{
    QStringList names;
    for (const PrintCommand& c : PrintCommands())
        names << c.name;
    return names;
}

// A figure as the format "#,##0" shows it.
QString grouped(double value)
{
    return QLocale(QLocale::English).toString(qlonglong(std::llround(value)));
}

// The words of every page, as pdftotext reads them (compatibility forms folded).
QSet<QString> wordsOf(const QString& pdf)
{
    QSet<QString> words;
    for (int page = 1; page <= pdfPages(pdf); ++page)
        for (const PdfWord& w : pdfWords(pdf, page))
            words.insert(w.text.normalized(QString::NormalizationForm_KC));
    return words;
}

// 數量 999,999,999,999 at 1 each under 客廳, and one item of the largest price the editor
// takes, 13 digits, under 主臥, each costing as much: the totals pass 13 digits.
TEST_F(WholeTextsTest, TheLargestAmountsAndCostsPrintWholeAndGroupedInEveryLayout)
{
    VrnContent c = TwoAreas();
    c.rows[0] = GridItem(c.leafPaths[0], "電視櫃|240cm|組|999999999999|1|999999999999|1|999999999999|1");
    c.rows[3] = GridItem(c.leafPaths[2], "衣櫃||式|1|9999999999999|9999999999999|9999999999999|9999999999999|1|實木");
    load(c);
    const QStringList commands = allCommands();
    ASSERT_EQ(commands.size(), 15);
    const QStringList files = printEveryLayout(commands);

    for (int f = 0; f < files.size(); ++f) {
        const std::string where = commands[f].toStdString();
        const QString pdf = pdfOf(files[f]);
        for (int page = 1; page <= pdfPages(pdf); ++page)
            EXPECT_FALSE(pdfText(pdf, page).contains(u'#')) << where << " page " << page;

        // Every grouped figure of the workbook stands in the PDF as one word, whole.
        const QSet<QString> words = wordsOf(pdf);
        const QJsonObject book = ReadWithOpenpyxl(files[f]);
        int figures = 0;
        for (const QJsonValue& sheet : book.value("sheets").toArray()) {
            const QJsonObject cells = sheet.toObject().value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                const QJsonObject cell = it.value().toObject();
                const QJsonValue value = cell.value("value");
                if (!value.isDouble() || std::abs(value.toDouble()) < 1000
                    || !cell.value("format").toString().contains(u"#,##0"_s))
                    continue;
                ++figures;
                EXPECT_TRUE(words.contains(grouped(value.toDouble())))
                    << where << " " << it.key().toStdString() << " " << grouped(value.toDouble()).toStdString();
            }
        }
        // The quantity as typed, and unless prices are blank the amount it makes.
        EXPECT_TRUE(words.contains(u"999999999999"_s)) << where;
        const bool blank = FindPrintCommand(commands[f])->templateFile == u"空白報價單.xlsx"_s || commands[f] == u"mPwsb"_s;
        EXPECT_EQ(words.contains(u"999,999,999,999"_s) && words.contains(u"9,999,999,999,999"_s), !blank) << where;
        EXPECT_EQ(figures > 0, !blank) << where;
    }
}

// The header's customer block on one page: the words left of the contact block's label
// "聯" and below the firm's details, in reading order, and the height of that label.
struct CustomerBlock {
    QString text;                 // joined, compatibility forms folded
    std::vector<PdfWord> words;
    double labelHeight = 0;       // of "聯", drawn at the template's 10 pt
};

CustomerBlock customerBlock(const QString& pdf, int page)
{
    const std::vector<PdfWord> all = pdfWords(pdf, page);
    CustomerBlock block;
    QRectF label, firm;
    for (const PdfWord& w : all) {
        if (w.text == u"聯"_s && label.isNull())
            label = w.box;
        if (w.text.contains(u"統一編號"_s))
            firm = w.box;
    }
    if (label.isNull() || firm.isNull())
        return block;
    block.labelHeight = label.height();
    for (const PdfWord& w : all)
        if (w.box.right() <= label.left() && w.box.top() >= firm.bottom() && w.box.top() < label.bottom() + 40)
            block.words.push_back(w);
    std::sort(block.words.begin(), block.words.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::abs(a.box.top() - b.box.top()) > 1 ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    });
    for (const PdfWord& w : block.words)
        block.text += w.text;
    block.text = block.text.normalized(QString::NormalizationForm_KC);
    return block;
}

// A 60-character customer name, project and site address together: on every page of every
// layout each stands whole in the customer block, at 8 pt or more (its glyphs' height to
// that of the 10 pt label), the other header texts beside them, and the pages are those of a
// short header, one page wide.
TEST_F(WholeTextsTest, SixtyCharacterNamesAndAddressesPrintWholeAtEightPointsInEveryHeader)
{
    const QString name = u"林氏建設股份有限公司暨林宅家族信託管理委員會代表人林大明先生及其配偶林陳美華女士共同委託之住宅整修工程案主委託人代表本人"_s;
    const QString project = u"臺北市大安區忠孝東路四段林宅十六樓全室翻修含廚房衛浴更新、木作天花板、系統櫥櫃、全室油漆及地板更換工程第二期施工範圍全區"_s;
    const QString address = u"臺北市大安區忠孝東路四段216巷27弄16號7樓之3，大安森林公園旁社區大樓Ｂ棟，請由信義路側門地下停車場入口進入搭電梯"_s;
    ASSERT_EQ((QList<qsizetype>{name.size(), project.size(), address.size()}), (QList<qsizetype>{60, 60, 60}));
    const QStringList commands = allCommands();

    load(TwoAreas());
    const QStringList shortFiles = printEveryLayout(commands);
    VrnContent c = TwoAreas();
    c.header.customerName = name;
    c.header.projectName = project;
    c.header.siteAddress = address;
    load(c);
    const QStringList files = printEveryLayout(commands);

    const QStringList expected = {u"客戶名稱："_s + name, u"工程名稱："_s + project, u"工程地址："_s + address};
    for (int f = 0; f < files.size(); ++f) {
        const QString pdf = pdfOf(files[f]);
        EXPECT_EQ(pdfPages(pdf), pdfPages(pdfOf(shortFiles[f]))) << commands[f].toStdString();
        for (int page = 1; page <= pdfPages(pdf); ++page) {
            const std::string where = commands[f].toStdString() + " page " + std::to_string(page);
            const CustomerBlock block = customerBlock(pdf, page);
            ASSERT_GT(block.labelHeight, 0) << where;
            for (const QString& text : expected)
                EXPECT_TRUE(block.text.contains(text.normalized(QString::NormalizationForm_KC)))
                    << where << ": " << block.text.toStdString();
            double smallest = 99;
            for (const PdfWord& w : block.words)
                smallest = std::min(smallest, 10 * w.box.height() / block.labelHeight);
            EXPECT_GE(smallest, 7.95) << where;
            double width = 0;
            for (const PdfWord& w : pdfWords(pdf, page, &width))
                EXPECT_LT(w.box.right(), width) << where << ": " << w.text.toStdString();
            const QString all = pdfText(pdf, page);
            for (const char* beside : {"報價日期:113/05/01", "報價單號:1130501_1", "聯絡人:", "業務人員:"})
                EXPECT_TRUE(all.contains(QString::fromUtf8(beside))) << where << " " << beside;
        }
    }
}

} // namespace

// An item's remark as one page prints it: its lines, beside the item's own words and in
// the item's row.
struct PrintedRemark {
    QString text;        // the lines joined
    int lines = 0;
    double points = 0;   // of the smallest line, from its height against the 10 pt label's
    bool insideRow = true;
};

// `item` is in the first word of the item's row (after the area's name in some layouts);
// rows are `pitch` apart and a text stands in the middle of its row. The remark's lines are
// the words right of the item, near its row, that are pieces of the remark.
std::optional<PrintedRemark> remarkBeside(const std::vector<PdfWord>& words, const QString& item, const QString& remark,
                                          double labelHeight, double pitch)
{
    const auto anchor = std::find_if(words.begin(), words.end(),
                                     [&](const PdfWord& w) { return w.text.contains(item); });
    if (anchor == words.end())
        return std::nullopt;
    const double middle = anchor->box.center().y();
    std::vector<PdfWord> lines;
    for (const PdfWord& w : words)
        if (w.box.left() > anchor->box.right() && std::abs(w.box.center().y() - middle) < pitch
            && remark.contains(w.text))
            lines.push_back(w);
    std::sort(lines.begin(), lines.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.top() < b.box.top(); });
    PrintedRemark printed;
    printed.points = 99;
    for (const PdfWord& w : lines) {
        printed.text += w.text;
        ++printed.lines;
        printed.points = std::min(printed.points, 10 * w.box.height() / labelHeight);
        printed.insideRow = printed.insideRow && w.box.top() >= middle - pitch / 2 && w.box.bottom() <= middle + pitch / 2;
    }
    return printed;
}

// Item remarks in every layout that prints them: a remark too long for one line of its
// column wraps onto two lines inside its row rather than shrinking out of reach, ten
// characters at 6.5 pt or more on the estimate details, six on the narrower cost details
// (where ten still get 4.5 pt, not the 2.5 or so of one shrunk line); a short one keeps the body's size,
// and the pages are those of short remarks.
TEST_F(WholeTextsTest, LongItemRemarksWrapInsideTheirRowsAtReadableSizes)
{
    const QString ten = u"含四角收邊及防潮處理"_s;
    const QString six = u"門片加裝緩衝"_s;
    const QStringList commands = allCommands();

    load(TwoAreas());
    const QStringList shortFiles = printEveryLayout(commands);
    VrnContent c = TwoAreas();
    c.rows[0] = GridItem(c.leafPaths[0], "電視櫃|240cm|組|1|30000|30000|20000|20000|1.5|含四角收邊及防潮處理");
    c.rows[1] = GridItem(c.leafPaths[0], "書櫃||尺|10|5000|50000|3000|30000|1.67|門片加裝緩衝");
    load(c);
    const QStringList files = printEveryLayout(commands);

    int withRemarks = 0;
    for (int f = 0; f < files.size(); ++f) {
        const std::string where = commands[f].toStdString();
        const QString pdf = pdfOf(files[f]);
        EXPECT_EQ(pdfPages(pdf), pdfPages(pdfOf(shortFiles[f]))) << where;
        const bool cost = FindPrintCommand(commands[f])->templateFile == u"成本分析.xlsx"_s;
        const bool listsRemarks = commands[f] != u"mPss"_s && commands[f] != u"mPnw"_s;
        const double body = cost ? 10 : 11;
        int items = 0;
        for (int page = 1; page <= pdfPages(pdf); ++page) {
            const std::vector<PdfWord> words = pdfWords(pdf, page);
            const double label = customerBlock(pdf, page).labelHeight;
            ASSERT_GT(label, 0) << where;
            double pitch = 18;   // the template's, when the two rows are not on this page
            QRectF first, second;
            for (const PdfWord& w : words) {
                if (w.text.contains(u"電視櫃"_s))
                    first = w.box;
                if (w.text.contains(u"書櫃"_s))
                    second = w.box;
            }
            if (!first.isNull() && !second.isNull())
                pitch = second.center().y() - first.center().y();
            const std::string at = where + " page " + std::to_string(page);

            if (const auto p = remarkBeside(words, u"電視櫃"_s, ten, label, pitch)) {
                ++items;
                EXPECT_EQ(p->text, listsRemarks ? ten : QString()) << at;
                EXPECT_TRUE(p->insideRow) << at;
                if (listsRemarks) {
                    EXPECT_EQ(p->lines, 2) << at;
                    EXPECT_GE(p->points, cost ? 4.4 : 6.5) << at;
                }
            }
            if (const auto p = remarkBeside(words, u"書櫃"_s, six, label, pitch); p && listsRemarks) {
                ++items;
                EXPECT_EQ(p->text, six) << at;
                EXPECT_TRUE(p->insideRow) << at;
                EXPECT_GE(p->points, 6.5) << at;
                EXPECT_EQ(p->lines, cost ? 2 : 1) << at;
            }
            if (const auto p = remarkBeside(words, u"衣櫃"_s, u"實木"_s, label, pitch); p && listsRemarks) {
                ++items;
                EXPECT_EQ(p->text, u"實木"_s) << at;
                EXPECT_NEAR(p->points, body, 0.3) << at;
            }
        }
        EXPECT_EQ(items, listsRemarks ? 3 : 1) << where;
        withRemarks += listsRemarks;
    }
    EXPECT_EQ(withRemarks, 13);
}
