// The totals blocks as they come out on paper: the first page report (its PDF) and the
// spreadsheet prints (LibreOffice's PDF), read back with pdftotext. Every block adds up and
// every printout of one quotation shows the same figures.
#include "excel_output/PrintCommandRunner.h"
#include "excel_output/paged/PagedEngines.h"
#include "shared/setup/XpDefaults.h"
#include "statistics/ReportMenu.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "statistics/StatisticsTestSupport.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <numeric>

using namespace varn;
using namespace varn::test;

namespace {

const QString kTemplates = QStringLiteral(VARN_BINARY_DIR "/templates");

// The labelled amounts of one printed totals block.
struct Block {
    std::vector<long long> groups;   // lines numbered 壹, 貳 … with "式"
    std::map<QString, long long> lines;   // 小計, 設計費, 監工費, 合計, 稅金, 折扣, 總計 (總價 on a single sheet)
    long long aboveTotal = 0;        // every amount in the amount column above 合計

    long long at(const QString& label) const { return lines.count(label) ? lines.at(label) : 0; }
    long long groupSum() const { return std::accumulate(groups.begin(), groups.end(), 0LL); }
};

const QString kLabels[] = {u"設計費"_s, u"監工費"_s, u"小計"_s, u"合計"_s, u"稅金"_s, u"折扣"_s, u"總計"_s, u"總價"_s};

// A line of page 1 of a PDF: the words sharing a baseline, left to right.
struct Line {
    QString text;
    std::vector<std::pair<double, long long>> figures;   // (right edge, value)
};

std::vector<Line> pageLines(const QString& pdf)
{
    std::vector<PdfWord> words = pdfWords(pdf, 1);
    std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.bottom() < b.box.bottom(); });
    std::vector<std::vector<PdfWord>> rows;
    for (const PdfWord& w : words) {
        if (rows.empty() || w.box.bottom() - rows.back().front().box.bottom() > 2)
            rows.emplace_back();
        rows.back().push_back(w);
    }
    std::vector<Line> lines;
    static const QRegularExpression figure(u"^-?[0-9][0-9,]*$"_s);
    for (std::vector<PdfWord>& row : rows) {
        std::sort(row.begin(), row.end(), [](const PdfWord& a, const PdfWord& b) { return a.box.left() < b.box.left(); });
        Line& line = lines.emplace_back();
        for (const PdfWord& w : row) {
            const QString text = w.text.normalized(QString::NormalizationForm_KC);
            line.text += text + u' ';
            if (figure.match(text).hasMatch())
                line.figures.push_back({w.box.right(), QString(text).remove(u',').toLongLong()});
        }
    }
    return lines;
}

// The block on page 1 of a PDF. The amount column ends where the figure of the 總計 (or
// 總價) line ends, the amounts standing right-aligned in it.
Block readBlock(const QString& pdf)
{
    const std::vector<Line> lines = pageLines(pdf);
    auto labelOf = [](QString text) {
        text.remove(u' ');
        if (text.contains(u"新台幣"_s))
            return QString();   // the total in words
        for (const QString& label : kLabels)
            if (text.contains(label))
                return label == u"總價"_s ? u"總計"_s : label;
        static const QRegularExpression group(u"^[壹貳參肆伍陸柒捌玖拾].*式"_s);
        return group.match(text).hasMatch() ? u"式"_s : QString();
    };
    double column = -1;
    for (const Line& l : lines)
        if (labelOf(l.text) == u"總計"_s && l.figures.size() == 1)
            column = l.figures[0].first;
    EXPECT_GE(column, 0) << "no 總計 in " << pdf.toStdString();

    Block b;
    bool pastTotal = false;
    for (const Line& l : lines) {
        const auto amount = std::find_if(l.figures.begin(), l.figures.end(),
                                         [&](const auto& f) { return std::abs(f.first - column) < 4; });
        if (amount == l.figures.end())
            continue;
        const QString label = labelOf(l.text);
        if (label == u"合計"_s)
            pastTotal = true;
        if (!pastTotal)
            b.aboveTotal += amount->second;
        if (label == u"式"_s)
            b.groups.push_back(amount->second);
        else if (!label.isEmpty() && !b.lines.count(label))
            b.lines[label] = amount->second;
    }
    return b;
}

class PrintedTotalsTest : public StatisticsFixture {
protected:
    void SetUp() override
    {
        StatisticsFixture::SetUp();
        installReportLayouts();
        preparePrints();
        InstallPagedEngines();
    }

    // A workbook print with the command's own template.
    QString printed(const char* command)
    {
        const PrintCommand& c = *FindPrintCommand(QString::fromLatin1(command));
        prompts.answerOpenFile(kTemplates + u'/' + c.folder + u'/' + c.templateFile);
        const QString saved = RunPrintCommand(c, *doc, sta.get(), flags);
        EXPECT_FALSE(saved.isEmpty()) << command << ": " << prompts.lastMessageText().toStdString();
        workbooks << saved;
        return pdfOf(saved);
    }
    // 列印首頁 as PDF.
    QString firstPage(const QString& name)
    {
        ReportMenu menu(*doc, *sta);
        std::optional<Report> report = menu.prepare(ReportKind::FirstPage);
        EXPECT_TRUE(report.has_value()) << prompts.lastMessageText().toStdString();
        const QString pdf = dir.filePath(name + u".pdf"_s);
        if (report)
            report->writePdf(pdf);
        return pdf;
    }
    QString pdfOf(const QString& xlsx) const
    {
        return dir.filePath(u"pdf/"_s + QFileInfo(xlsx).completeBaseName() + u".pdf"_s);
    }
    // The workbooks printed so far, through LibreOffice.
    void convert()
    {
        ASSERT_EQ(ConvertWithOffice(workbooks, dir.filePath(u"pdf"_s)), QString());
    }

    // The workbooks printed so far open in LibreOffice on the pages given, in order.
    void expectPagesInOffice(const std::vector<int>& pages)
    {
        convert();
        ASSERT_EQ(size_t(workbooks.size()), pages.size());
        for (qsizetype i = 0; i < workbooks.size(); ++i)
            EXPECT_EQ(pdfPages(pdfOf(workbooks[i])), pages[size_t(i)]) << workbooks[i].toStdString();
    }

    LayoutFlags flags;
    QStringList workbooks;
};

// 小計 (or the groups, where no 小計 is printed) and the fees add up to 合計; the groups add up
// to 小計; 合計, 稅金 and 折扣 add up to 總計.
void expectAddsUp(const Block& b, const std::string& where)
{
    const long long fees = b.at(u"設計費"_s) + b.at(u"監工費"_s);
    if (b.lines.count(u"小計"_s)) {
        EXPECT_EQ(b.groupSum(), b.at(u"小計"_s)) << where;
        EXPECT_EQ(b.at(u"小計"_s) + fees, b.at(u"合計"_s)) << where;
    } else {
        EXPECT_EQ(b.groupSum() + fees, b.at(u"合計"_s)) << where;
    }
    EXPECT_EQ(b.at(u"合計"_s) + b.at(u"稅金"_s) + b.at(u"折扣"_s), b.at(u"總計"_s)) << where;
}

QString figures(const Block& b)
{
    QStringList out;
    for (long long g : b.groups)
        out << QString::number(g);
    for (const QString& label : kLabels)
        if (b.lines.count(label))
            out << label + QString::number(b.lines.at(label));
    return out.join(u' ');
}

// The first page's figures (its PDF first) are `expected` and add up; the workbook beside it
// shows the same without 小計 and adds up too.
void expectFirstPageAndWorkbook(const QStringList& pdfs, const char* expected)
{
    const Block report = readBlock(pdfs[0]), workbook = readBlock(pdfs[1]);
    EXPECT_EQ(figures(report), QString::fromUtf8(expected)) << pdfs[0].toStdString();
    expectAddsUp(report, pdfs[0].toStdString());
    Block sameFigures = report;
    sameFigures.lines.erase(u"小計"_s);
    if (pdfs[1].contains(u"單張"_s)) {
        sameFigures.groups.clear();   // the list shows items, not groups
        // The 複價 column: items and the fee add up to 合計.
        EXPECT_EQ(workbook.aboveTotal, workbook.at(u"合計"_s));
    } else {
        expectAddsUp(workbook, pdfs[1].toStdString());
    }
    EXPECT_EQ(figures(workbook), figures(sameFigures)) << pdfs[1].toStdString();
}

// The words of the first line on page 1 whose text holds `part` (its words joined by
// blanks); empty when there is none.
QStringList wordsOfLine(const QString& pdf, const QString& part)
{
    for (const Line& l : pageLines(pdf))
        if (QString(l.text).remove(u' ').contains(part))
            return l.text.split(u' ', Qt::SkipEmptyParts);
    return {};
}

// The figures of that line.
std::vector<long long> figuresOfLine(const QString& pdf, const QString& part)
{
    std::vector<long long> out;
    for (const Line& l : pageLines(pdf))
        if (QString(l.text).remove(u' ').contains(part)) {
            for (const auto& f : l.figures)
                out.push_back(f.second);
            break;
        }
    return out;
}

// Two areas 客廳 and 主臥 with 木作 and 油漆 each: one item in each of 客廳‧木作, 客廳‧油漆,
// 主臥‧木作 and 主臥‧油漆, in that order; tax charged.
VrnContent twoAreas(const std::array<const char*, 4>& items)
{
    VrnContent c;
    c.leafPaths = {path({"客廳", "木作"}), path({"客廳", "油漆"}), path({"主臥", "木作"}), path({"主臥", "油漆"})};
    for (size_t i = 0; i < items.size(); ++i)
        c.rows.push_back(item(c.leafPaths[qsizetype(i)], items[i]));
    c.pageEnd.taxChecked = CheckState::Checked;
    return c;
}

// 木作 54,824 with a cost of 37,501.5, 油漆 36,820 with 27,600; the areas 50,000 (cost
// 35,000.5) and 41,644 (30,101).
VrnContent twoAreasWithCosts()
{
    return twoAreas({"電視櫃||組|1|30000|30000|20000.5|20000.5|1.5", "牆面||坪|1|20000|20000|15000|15000|1.33",
                     "衣櫃||尺|1|24824|24824|17501|17501|1.42", "天花板||坪|1|16820|16820|12600|12600|1.33"});
}

// The cells of a sheet of a saved workbook by row and column letter, rows in order.
using SheetRows = std::map<int, std::map<QString, QJsonValue>>;

SheetRows cellsByRow(const QString& xlsx, int sheet)
{
    SheetRows rows;
    static const QRegularExpression ref(u"^([A-Z]+)([0-9]+)$"_s);
    const QJsonObject cells = SheetOf(ReadWithOpenpyxl(xlsx), sheet).value("cells").toObject();
    for (auto it = cells.begin(); it != cells.end(); ++it) {
        const auto m = ref.match(it.key());
        const QJsonValue value = it.value().toObject().value("value");
        if (m.hasMatch() && !value.isNull())
            rows[m.captured(2).toInt()][m.captured(1)] = value;
    }
    return rows;
}

// The figure in a column of a row as the tests write it: "9180.5" where it is not whole, "-"
// where the cell holds no number.
QString figureAt(const std::map<QString, QJsonValue>& cells, const QString& column)
{
    const auto it = cells.find(column);
    return it != cells.end() && it->second.isDouble() ? QString::number(it->second.toDouble(), 'g', 15) : u"-"_s;
}

QString textAt(const std::map<QString, QJsonValue>& cells, const QString& column)
{
    const auto it = cells.find(column);
    return it != cells.end() ? it->second.toString() : QString();
}

// The cover's group lines (式 in C): the name and 複價, with 成本複計 and 毛利 on a cost cover.
QString coverFigures(const QString& xlsx, bool costs)
{
    QStringList out;
    for (const auto& [row, cells] : cellsByRow(xlsx, 1)) {
        if (textAt(cells, u"C"_s) != u"式"_s)
            continue;
        out << textAt(cells, u"B"_s) << figureAt(cells, u"E"_s);
        if (costs)
            out.last() += u'/' + figureAt(cells, u"F"_s) + u'/' + figureAt(cells, u"G"_s);
    }
    return out.join(u' ');
}

// The detail sheet's figures in order: each item row's 複價 (and "/" 成本複計), each 小計 as
// "=" its 複價 (and 成本複計 and 毛利), the 小計s parted by "|".
QString detailFigures(const QString& xlsx, int sheet, bool costs)
{
    QStringList out;
    for (const auto& [row, cells] : cellsByRow(xlsx, sheet)) {
        if (figureAt(cells, u"A"_s) != u"-"_s) {
            out << figureAt(cells, u"F"_s) + (costs ? u'/' + figureAt(cells, u"H"_s) : QString());
        } else if (textAt(cells, u"B"_s) == u"小計"_s) {
            out << u'=' + figureAt(cells, u"F"_s)
                       + (costs ? u'/' + figureAt(cells, u"H"_s) + u'/' + figureAt(cells, u"I"_s) : QString())
                << u"|"_s;
        }
    }
    if (!out.isEmpty() && out.last() == u"|"_s)
        out.removeLast();
    return out.join(u' ');
}

} // namespace

// The faults as they were filed, each through the printouts it was seen on.
TEST_F(PrintedTotalsTest, FiledCasesPrintWholeLinesThatAddUpAndAgree)
{
    const QString wood = path({"木作"}), paint = path({"油漆"});
    auto noAreas = [&](std::vector<ItemLine> rows) {
        VrnContent c;
        c.noAreaMode = true;
        c.leafPaths = {wood, paint};
        c.rows = std::move(rows);
        c.pageEnd.taxChecked = CheckState::Checked;
        return c;
    };
    // 設計費 8 % of 91,644 (7,331.52), tax 5 %.
    VrnContent designFee = noAreas({item(wood, "衣櫃||尺|8|6000|48000"), item(paint, "牆面||坪|1|43644|43644")});
    designFee.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"91644"_s, u"0.08"_s, u"7331.52"_s};
    load(designFee);
    const QStringList first = {firstPage(u"designFee"_s), printed("mPw")};
    // 2.5 × 1,001 and 監工費 30 坪 × 2,000: the whole fee keeps its figure.
    VrnContent wholeFee = noAreas({item(wood, "櫃||組|2.5|1001|2502.5")});
    wholeFee.leafPaths = {wood};
    wholeFee.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"2000"_s, u"60000"_s};
    load(wholeFee);
    const QStringList second = {firstPage(u"wholeFee"_s), printed("mPw")};
    // Two work types of 0.5 × 201 each, no fee: the lines above 合計 are the work types.
    load(noAreas({item(wood, "櫃||組|0.5|201|100.5"), item(paint, "牆||坪|0.5|201|100.5")}));
    const QStringList halves = {firstPage(u"halves"_s), printed("mPw")};
    // 單張估價(無首頁無階層) with 監工費 30.5 坪 × 1,001.
    VrnContent list = noAreas({item(wood, "衣櫃||尺|10|10000|100000"), item(paint, "牆面||坪|1|58400|58400")});
    list.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30.5"_s, u"1001"_s, u"30530.5"_s};
    load(list);
    const QStringList single = {firstPage(u"list"_s), printed("mPss")};
    convert();

    const struct {
        QStringList pdfs;
        const char* expected;   // the first page's figures; the workbook's are the same without 小計
    } cases[] = {
        {first, "48000 43644 設計費7331 小計91644 合計98975 稅金4949 總計103924"},
        {second, "2503 監工費60000 小計2503 合計62503 稅金3125 總計65628"},
        {halves, "101 100 合計201 稅金10 總計211"},
        {single, "100000 58400 監工費30530 小計158400 合計188930 稅金9447 總計198377"},
    };
    for (const auto& c : cases)
        expectFirstPageAndWorkbook(c.pdfs, c.expected);
}

// A fee on the total prints its rate with the decimals the rate holds on every cover, both
// single sheets and 列印首頁; in the workbooks the rate stays a number under a percentage
// format showing exactly those decimals.
TEST_F(PrintedTotalsTest, AFeesRateOnTheTotalPrintsWithItsOwnDecimalsEverywhere)
{
    VrnContent c = twoAreasWithCosts();
    c.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"91644"_s, u"0.075"_s, u"6873.3"_s};
    c.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, true, u"91644"_s, u"0.1225"_s, u"11226.39"_s};
    load(c);
    std::vector<std::pair<std::string, QString>> pdfs{{"列印首頁", firstPage(u"rates"_s)}};
    for (const char* command : {"mPa", "mPnw", "mAs", "mPw", "mPwa", "mWs", "mPac", "mPwc", "mPwac", "mPs", "mPss"})
        pdfs.push_back({command, printed(command)});
    convert();

    const struct {
        QString fee, shown;
        double rate;
        const char* format;
    } fees[] = {{u"設計費"_s, u"7.5%"_s, 0.075, "0.0%"}, {u"監工費"_s, u"12.25%"_s, 0.1225, "0.00%"}};
    for (const auto& [command, pdf] : pdfs) {
        for (const auto& f : fees) {
            const QStringList words = wordsOfLine(pdf, f.fee);
            EXPECT_EQ(words.filter(u"%"_s), QStringList{f.shown}) << command << ": " << words.join(u' ').toStdString();
        }
    }
    for (const QString& saved : workbooks) {
        const QJsonObject cells = SheetOf(ReadWithOpenpyxl(saved), 1).value("cells").toObject();
        for (const auto& f : fees) {
            QStringList formats;
            for (const QJsonValue& cell : cells)
                if (cell.toObject().value("value").toDouble() == f.rate)
                    formats << cell.toObject().value("format").toString();
            EXPECT_EQ(formats, QStringList{QString::fromLatin1(f.format)}) << saved.toStdString();
        }
    }
}

// The cost covers: each cost whole, the groups' adding up to 合計's, and each margin the
// printed amount less the printed cost.
TEST_F(PrintedTotalsTest, CostCoversPrintWholeCostsAndMarginsThatSubtract)
{
    VrnContent c = twoAreasWithCosts();
    // 設計費 8 % of 91,644: 合計 98,975 against a cost of 65,101.5.
    c.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"91644"_s, u"0.08"_s, u"7331.52"_s};
    load(c);
    std::vector<std::pair<std::string, QString>> pdfs;
    for (const char* command : {"mPwc", "mPac", "mPwac"})
        pdfs.push_back({command, printed(command)});
    convert();

    using Figures = std::vector<long long>;
    const Figures wood{1, 54824, 37502, 17322}, living{1, 50000, 35001, 14999}, total{98975, 65102, 33873};
    const std::map<std::string, std::pair<QString, Figures>> firstGroup{
        {"mPwc", {u"木作"_s, wood}}, {"mPwac", {u"木作"_s, wood}}, {"mPac", {u"客廳"_s, living}}};
    for (const auto& [command, pdf] : pdfs) {
        const auto& [name, figures] = firstGroup.at(command);
        EXPECT_EQ(figuresOfLine(pdf, name), figures) << command;
        EXPECT_EQ(figuresOfLine(pdf, u"合計"_s), total) << command;
        long long costs = 0;
        for (const Line& l : pageLines(pdf)) {
            if (!l.text.contains(u"式"_s) || l.figures.size() != 4)
                continue;
            const long long amount = l.figures[1].second, cost = l.figures[2].second;
            EXPECT_EQ(l.figures[3].second, amount - cost) << command << ": " << l.text.toStdString();
            costs += cost;
        }
        EXPECT_EQ(costs, total[1]) << command;
    }
}

// Cents in the items, in both fees and in the tax, a discount with cents: every printout
// with prices shows one set of figures, the groups alike wherever they group alike.
TEST_F(PrintedTotalsTest, EveryPrintoutOfAQuotationWithCentsShowsTheSameFiguresAndEachAddsUp)
{
    VrnContent c = twoAreas({"電視櫃||組|2.5|1001|2502.5|600|1500|1.67", "牆面||坪|3.3|333|1098.9|200|660|1.67",
                             "衣櫃||尺|1.5|1001|1501.5|600|900|1.67", "天花板||坪|0.7|777|543.9|400|280|1.94"});
    c.header.customerName = u"林先生"_s;
    c.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"5646.8"_s, u"0.045555"_s, {}};
    c.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30.5"_s, u"1234.4"_s, u"37649.2"_s};
    c.pageEnd.taxChecked = CheckState::Checked;
    c.pageEnd.discount = u"-100.6"_s;
    load(c);

    const char* byArea[] = {"mPa", "mPnw", "mAs", "mPac"};
    const char* byWorkType[] = {"mPw", "mPwa", "mWs", "mPwc", "mPwac"};
    const QString report = firstPage(u"first"_s);   // by work type
    std::vector<std::pair<std::string, QString>> areaPrints, typePrints{{"列印首頁", report}}, lists;
    for (const char* command : byArea)
        areaPrints.push_back({command, printed(command)});
    for (const char* command : byWorkType)
        typePrints.push_back({command, printed(command)});
    for (const char* command : {"mPs", "mPss"})
        lists.push_back({command, printed(command)});
    convert();

    // The first page: 小計 5,646.8 takes a unit, the fees 257.24 and 37,649.2 none.
    const Block first = readBlock(report);
    EXPECT_EQ(figures(first),
              u"4004 1643 設計費257 監工費37649 小計5647 合計43553 稅金2178 折扣-101 總計45630"_s);
    Block common = first;   // what every printout shows alike
    common.groups.clear();
    common.lines.erase(u"小計"_s);

    std::vector<long long> areaGroups;
    for (const auto& [command, pdf] : areaPrints) {
        const Block b = readBlock(pdf);
        expectAddsUp(b, command);
        Block rest = b;
        rest.groups.clear();
        EXPECT_EQ(figures(rest), figures(common)) << command;
        EXPECT_EQ(b.groupSum(), first.at(u"小計"_s)) << command;
        if (areaGroups.empty())
            areaGroups = b.groups;
        EXPECT_EQ(b.groups, areaGroups) << command;
    }
    EXPECT_EQ(areaGroups, (std::vector<long long>{3602, 2045}));
    for (const auto& [command, pdf] : typePrints) {
        const Block b = readBlock(pdf);
        expectAddsUp(b, command);
        EXPECT_EQ(b.groups, first.groups) << command;
        Block rest = b;
        rest.groups.clear();
        rest.lines.erase(u"小計"_s);
        EXPECT_EQ(figures(rest), figures(common)) << command;
    }
    for (const auto& [command, pdf] : lists) {
        Block b = readBlock(pdf);   // the items and, on the one with headings, their own 小計 rows
        b.groups.clear();
        b.lines.erase(u"小計"_s);
        EXPECT_EQ(figures(b), figures(common)) << command;
    }
}

// A tax whose exact amount is a half, with 含稅總價 a half too: the lines above 合計 keep
// their whole amounts on the first page and on a cover, and the tax is the window's.
TEST_F(PrintedTotalsTest, ATaxAtAHalfLeavesTheLinesAboveTheTotalWhole)
{
    const QString wood = path({"木作"}), paint = path({"油漆"});
    VrnContent c;
    c.noAreaMode = true;
    c.leafPaths = {wood, paint};
    c.pageEnd.taxChecked = CheckState::Checked;
    // 10 %: 2,275.5 and 25,030.5.
    c.rows = {item(wood, "衣櫃||式|1|10000|10000"), item(paint, "牆面||式|1|12755|12755")};
    c.pageEnd.taxRate = u"10%"_s;
    load(c);
    const QStringList tenPercent = {firstPage(u"tenPercent"_s), printed("mPw")};
    const QString tenPercentTax = doc->pageEnd().tax;
    // 6 % with 監工費 25 坪 × 41 and a discount: 1,501.5 and 26,526.5.
    c.rows = {item(wood, "衣櫃||式|1|10000|10000"), item(paint, "牆面||式|1|14000|14000")};
    c.pageEnd.taxRate = u"6%"_s;
    c.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"25"_s, u"41"_s, u"1025"_s};
    c.pageEnd.discount = u"-25"_s;
    load(c);
    const QStringList sixPercent = {firstPage(u"sixPercent"_s), printed("mPw")};
    convert();

    EXPECT_EQ(tenPercentTax, u"2275"_s);
    // The first page's figures; the cover's are the same without 小計.
    expectFirstPageAndWorkbook(tenPercent, "10000 12755 合計22755 稅金2275 總計25030");
    expectFirstPageAndWorkbook(sixPercent, "10000 14000 監工費1025 小計24000 合計25025 稅金1501 折扣-25 總計26501");
}

// Items with cents on every layout with prices: each row prints whole, the rows add up to
// the 小計 under them and the 小計s under a cover line to that line.
TEST_F(PrintedTotalsTest, DetailRowsPrintWholeAndAddUpToSubtotalsThatAddUpToTheCover)
{
    const QString light = path({"客廳", "照明電工"}), livingPaint = path({"客廳", "油漆"}),
                  bedroomPaint = path({"主臥", "油漆"});
    VrnContent c;
    c.leafPaths = {light, livingPaint, bedroomPaint};
    c.rows = {item(light, "崁燈||式|1|19240|19240"), item(light, "投射燈||盞|10|918.05|9180.5"),
              item(light, "吊燈||盞|4|2100.125|8400.5"), item(livingPaint, "牆面||坪|0.5|201|100.5"),
              item(bedroomPaint, "天花板||坪|0.5|201|100.5")};
    load(c);

    const char* byType = "照明電工 36821 油漆 201";
    const char* byArea = "客廳 36922 主臥 100";
    const char* areasAlone = "19240 9181 8401 100 =36922 | 100 =100";
    const struct {
        const char* command;
        const char* cover;    // none on a single sheet
        const char* detail;
    } cases[] = {
        {"mPw", byType, "19240 9181 8400 =36821 | 101 100 =201"},
        {"mWs", byType, "19240 9181 8400 =36821 | 101 100 =201"},
        {"mPwa", byType, "19240 9181 8400 =36821 | 101 =101 | 100 =100"},
        {"mPa", byArea, "19240 9181 8400 =36821 | 101 =101 | 100 =100"},
        {"mPnw", byArea, areasAlone},
        {"mAs", byArea, areasAlone},
        {"mPs", nullptr, "19240 9181 8400 =36821 | 101 100 =201"},
        {"mPss", nullptr, "19240 9181 8401 100 100"},
    };
    for (const auto& k : cases) {
        printed(k.command);
        const QString xlsx = workbooks.back();
        if (k.cover) {
            EXPECT_EQ(coverFigures(xlsx, false), QString::fromUtf8(k.cover)) << k.command;
        }
        EXPECT_EQ(detailFigures(xlsx, k.cover ? 2 : 1, false), QString::fromUtf8(k.detail)) << k.command;
    }
    // A cover and its detail pages: a page an area or work type on the paged layouts.
    expectPagesInOffice({2, 3, 2, 2, 2, 3, 1, 1});
}

// The cost layouts: the 明細 sheet's 成本複計 whole and agreeing with the cover's, each 小計's
// 毛利 its printed 複價 less its printed 成本複計.
TEST_F(PrintedTotalsTest, CostDetailSheetsPrintTheCoversCostsAndMarginsThatSubtract)
{
    const QString livingWood = path({"客廳", "木作"}), bedroomWood = path({"主臥", "木作"}),
                  bedroomPaint = path({"主臥", "油漆"});
    VrnContent c;
    c.leafPaths = {livingWood, bedroomWood, bedroomPaint};
    c.rows = {item(livingWood, "電視櫃||組|1|40000|40000|33600|33600|1.19"),
              item(bedroomWood, "衣櫃||尺|1|14824|14824|3901.5|3901.5|3.8"),
              item(bedroomPaint, "天花板||坪|5|7364|36820|1440.1|7200.5|5.11")};
    load(c);

    const char* byType = "木作 54824/37502/17322 油漆 36820/7200/29620";
    const char* byPath = "40000/33600 =40000/33600/6400 | 14824/3902 =14824/3902/10922 | 36820/7200 =36820/7200/29620";
    const struct {
        const char* command;
        const char* cover;
        const char* detail;
    } cases[] = {
        {"mPwc", byType, "40000/33600 14824/3902 =54824/37502/17322 | 36820/7200 =36820/7200/29620"},
        {"mPwac", byType, byPath},
        {"mPac", "客廳 40000/33600/6400 主臥 51644/11102/40542", byPath},
    };
    for (const auto& k : cases) {
        printed(k.command);
        const QString xlsx = workbooks.back();
        EXPECT_EQ(coverFigures(xlsx, true), QString::fromUtf8(k.cover)) << k.command;
        EXPECT_EQ(detailFigures(xlsx, 2, true), QString::fromUtf8(k.detail)) << k.command;
    }
    expectPagesInOffice({2, 2, 2});
}
