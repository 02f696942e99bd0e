#include "PrintFixture.h"

#include "platform/ui/BusyIndicator.h"
#include "platform/workbook/XlsxTestSupport.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

constexpr auto* Item = &GridItem;

class PrintLayoutsTest : public PrintFixture {};

// Text of a cell as openpyxl reads it ("" when empty; whole numbers without ".0").
QString CellText(const QJsonObject& book, int sheet, const QString& ref)
{
    const QJsonValue v = CellOf(book, sheet, ref).value("value");
    if (v.isDouble()) {
        const double d = v.toDouble();
        return d == qint64(d) ? QString::number(qint64(d)) : QString::number(d);
    }
    return v.toString();
}

// Column A..last of one row as openpyxl reads it, joined by "|".
QString rowOf(const QJsonObject& book, int sheet, int row, char last)
{
    QStringList out;
    for (char c = 'A'; c <= last; ++c)
        out << CellText(book, sheet, QChar(c) + QString::number(row));
    return out.join(u'|');
}

const QString kLongName = u"一樓客廳屋頂防水塗佈加鋪玻璃纖維網及女兒牆排水溝清理"_s;

// The figures printed on page 1 under the column heading `heading`, by their right edges
// (amounts stand right-aligned, short of the column's right border) between the centres of
// that heading and of the heading `right` of the next column, as (line top, value) from the top.
std::vector<std::pair<double, double>> printedColumn(const QString& pdf, const QString& heading, const QString& right)
{
    const std::vector<PdfWord> words = pdfWords(pdf, 1);
    auto centre = [&](const QString& text) {
        for (const PdfWord& w : words)
            if (w.text == text)
                return w.box.center().x();
        ADD_FAILURE() << "no heading " << text.toStdString();
        return 0.0;
    };
    const double from = centre(heading), to = centre(right);
    static const QRegularExpression figure(u"^-?[0-9][0-9,]*(\\.[0-9]+)?$"_s);
    std::vector<std::pair<double, double>> column;
    for (const PdfWord& w : words)
        if (w.box.right() > from && w.box.right() <= to && figure.match(w.text).hasMatch())
            column.push_back({w.box.top(), QString(w.text).remove(u',').toDouble()});
    std::sort(column.begin(), column.end());
    return column;
}

// The box of the first word on page 1 holding `part` (on the line at `top`, when given).
QRectF wordBox(const QString& pdf, const QString& part, double top = -1)
{
    for (const PdfWord& w : pdfWords(pdf, 1))
        if (w.text.contains(part) && (top < 0 || std::abs(w.box.top() - top) < 3))
            return w.box;
    return {};
}

} // namespace

TEST_F(PrintLayoutsTest, EveryTwoSheetLayoutFillsASavedCopyOfItsTemplate)
{
    useXp(SmallXp());   // cover output rows 8-17, footer 18-19; detail 8-12, footer 13-14
    load(TwoAreas());
    doc->tv_NodeClick(Q({"主臥", "木作"}));   // a leaf shown: the print still takes everything
    const struct {
        const char* command;
        const char* cover;    // A8..F8 and D11 (the supervision fee's floor area) of the cover
        const char* detail;   // B8 and B9
    } layouts[] = {
        {"mPa", "壹|客廳|式|1|96000||30", "客廳| 木作"},
        {"mPw", "壹|木作|式|1|128000||30", "木作|客廳電視櫃240cm"},
        {"mPwa", "壹|木作|式|1|128000||30", "木作| 客廳"},
        {"mPas", "壹|客廳|式|1|||", "客廳| 木作"},
        {"mPws", "壹|木作|式|1|||", "木作|客廳電視櫃240cm"},
        {"mPwaS", "壹|木作|式|1|||", "木作| 客廳"},
        {"mPac", "壹|客廳|式|1|96000|60000|30", "客廳| 木作"},
        {"mPwc", "壹|木作|式|1|128000|82000|30", "木作|客廳電視櫃240cm"},
        {"mPwac", "壹|木作|式|1|128000|82000|30", "木作| 客廳"},
        // The paged layouts: the cover by the first path level, every group from a block's top.
        {"mAs", "壹|客廳|式|1|96000||30 X 1500", "客廳| 木作"},
        {"mWs", "壹|木作|式|1|128000||30 X 1500", "木作|客廳電視櫃240cm"},
        {"mPwsb", "壹|木作|式|1|||", "木作|客廳電視櫃240cm"},
    };
    for (const auto& l : layouts) {
        const QString name = QString::fromLatin1(l.command);
        const std::string where = l.command;
        const QString tpl = markedTemplate(name);
        prompts.clear();
        const QString saved = print(name, tpl);
        ASSERT_FALSE(saved.isEmpty()) << where << " " << prompts.lastMessageText().toStdString();
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << where << prompts.lastMessageText().toStdString();
        EXPECT_EQ(QFileInfo(saved).absolutePath(), QFileInfo(dir.path()).absoluteFilePath()) << where;

        // Cover: the first group, the footers kept, the totals block at the foot of page 2.
        const QJsonObject book = ReadWithOpenpyxl(saved);
        const bool blank = QString::fromLatin1(l.cover).endsWith(u"|||"_s);
        EXPECT_EQ(rowOf(book, 1, 8, 'F') + u'|' + CellText(book, 1, u"D11"_s), QString::fromUtf8(l.cover)) << where;
        EXPECT_EQ(CellText(book, 1, u"B10"_s), blank ? QString() : u"設計費"_s) << where;
        QString header;   // the placeholders replaced
        for (const QJsonValue& v : SheetOf(book, 1).value("cells").toObject())
            header += v.toObject().value("value").toString() + u'|';
        EXPECT_TRUE(header.contains(u"1130501_1"_s) && !header.contains(u"#公司名稱#"_s)) << where;
        EXPECT_EQ(CellText(book, 1, u"A18"_s) + CellText(book, 1, u"A30"_s), u"首頁頁尾首頁頁尾"_s) << where;
        EXPECT_EQ(SheetOf(book, 1).value("rowBreaks").toArray(), (QJsonArray{19})) << where;
        EXPECT_EQ(CellText(book, 1, u"B21"_s), u"    合  計"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"A24"_s), u"有效期限三十天"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"A29"_s),
                  blank ? u"總價合計:新台幣"_s : u"總價合計:新台幣貳拾壹萬參仟伍佰柒拾元整(含稅)"_s) << where;

        // Details: the first rows (the rest is the plans'); page blocks with breaks, row heights and footers.
        EXPECT_EQ(CellText(book, 2, u"B8"_s) + u'|' + CellText(book, 2, u"B9"_s), QString::fromUtf8(l.detail)) << where;
        const QJsonObject detail = SheetOf(book, 2);
        const QJsonObject rows = detail.value("rows").toObject();
        const QJsonArray breaks = detail.value("rowBreaks").toArray();
        ASSERT_FALSE(breaks.isEmpty()) << where;
        for (int k = 0; k < breaks.size(); ++k) {
            const int top = 8 + (k + 1) * 7;
            EXPECT_EQ(breaks[k].toInt(), top - 1) << where;
            EXPECT_EQ(CellText(book, 2, u"A%1"_s.arg(top + 5)), u"明細頁尾"_s) << where;
            EXPECT_EQ(rows.value(QString::number(top)).toObject().value("height"),
                      rows.value(u"8"_s).toObject().value("height")) << where;
        }
        EXPECT_EQ(detail.value("printTitleRows").toString(), u"$1:$7"_s) << where;
    }
}

TEST_F(PrintLayoutsTest, AUserWithoutThePriceRightGetsNoPriceAnywhere)
{
    doc->setRightsWord(4095 & ~1);
    load(TwoAreas());
    for (const char* command : {"mPa", "mPwc", "mAs", "mWs"}) {
        const QJsonObject book = ReadWithOpenpyxl(printed(command));
        for (int sheet : {1, 2}) {
            const QJsonObject cells = SheetOf(book, sheet).value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                // 單價, 金額 and the margin (E, F, I) on the details; the amount and margin (E, G) on the cover.
                const QChar col = it.key().front();
                const bool price = it.key().mid(1).toInt() >= 8
                                   && QString(sheet == 2 ? u"EFI"_s : u"EG"_s).contains(col);
                const QJsonValue v = it.value().toObject().value("value");
                EXPECT_FALSE(price && v.isDouble()) << command << " " << it.key().toStdString();
                EXPECT_FALSE(v.toString().contains(u"設計費"_s)) << command;
            }
        }
        EXPECT_EQ(CellText(book, 1, u"A37"_s) + CellText(book, 1, u"F37"_s), u"總價合計:新台幣NT:$"_s) << command;
    }
}

TEST_F(PrintLayoutsTest, CancelEmptyAndUnusableTemplatesSaveNothing)
{
    print(u"mPa"_s, std::nullopt);
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_EQ(prompts.askedCount(PromptKind::OpenFile), 0);

    prompts.clear();   // the unused answer
    load(TwoAreas());
    EXPECT_TRUE(print(u"mPw"_s, std::nullopt).isEmpty());
    EXPECT_EQ(prompts.lastMessageText(), u"取消列印"_s);
    // A two-sheet layout on the one-sheet workbook.
    EXPECT_TRUE(print(u"mPa"_s, templateOf(u"mPs"_s)).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"單張報價單.xlsx"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList({u"*.xlsx"_s}).isEmpty());
}

// A step that throws what no handler names ends the print there: the failure told once,
// nothing saved or opened, nothing left busy.
TEST_F(PrintLayoutsTest, AStepThrowingSomethingUnnamedEndsThePrintAfterSayingSo)
{
    struct Busy : BusyIndicator {
        int begun = 0, ended = 0;
        void begin(const QString&) override { ++begun; }
        void end() override { ++ended; }
    } busy;
    BusyIndicator::install(&busy);
    load(TwoAreas());
    TwoSheetLayout throwing;
    throwing.plan = [](Database&, const LayoutFlags&, const QStringList&, CoverPlan&, DetailPlan&) { throw 42; };
    prompts.answerOpenFile(templateOf(u"mPa"_s));
    const PrintJob job{*doc, sta.get(), flags, kTemplates + u"/PrintQ"_s, u"報價單.xlsx"_s};
    const QString saved = PrintExcelCover(job, throwing);
    BusyIndicator::install(nullptr);
    EXPECT_EQ(saved, QString());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1) << prompts.lastMessageText().toStdString();
    EXPECT_TRUE(prompts.lastMessageText().contains(u"未預期的錯誤"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(busy.begun, 2);   // preparing, printing
    EXPECT_EQ(busy.ended, 2);
    EXPECT_TRUE(QDir(dir.path()).entryList({u"*.xlsx"_s}).isEmpty());
}

// LibreOffice converts the saved workbooks in one run: the pages are the plan's, with the
// total line on the cover's last page and never run onto another.
TEST_F(PrintLayoutsTest, LibreOfficePrintsThePlannedPages)
{
    VrnContent many;   // 28 areas with one item each: the cover needs a second page
    for (int i = 1; i <= 28; ++i) {
        const QString leaf = Q({"區", "木作"}).replace(u"區"_s, u"區%1"_s.arg(i));
        many.leafPaths << leaf;
        many.rows.push_back(Item(leaf, "櫃||組|1|1000|1000|600|600|1.67"));
    }
    many.pageEnd.taxChecked = CheckState::Unchecked;
    many.pageEnd.discount = u"-1000"_s;
    load(many);
    const QStringList manyFiles = {printed("mPa"), printed("mPss")};
    VrnContent longArea;   // an area whose 30 items take two blocks, and a small one
    longArea.leafPaths = {Q({"客廳", "木作"}), Q({"主臥", "木作"})};
    longArea.rows.assign(30, Item(longArea.leafPaths[0], "櫃||組|1|1000|1000|600|600|1.67"));
    longArea.rows.push_back(Item(longArea.leafPaths[1], "衣櫃||尺|8|6000|48000|4000|32000|1.5|實木"));
    load(longArea);
    const QStringList longFiles = {printed("mAs"), printed("mWs")};
    // A discount, a long name and a long remark.
    VrnContent two = TwoAreas();
    two.pageEnd.discount = u"-570"_s;
    two.rows[1][1] = kLongName;
    two.pageEnd.remarks[0] = u"本報價單有效期限為三十日，逾期請重新報價，付款方式為訂金三成"_s;
    load(two);
    const QStringList twoFiles = {printed("mPnw"), printed("mPs")};
    // The widest figures: an amount of eight digits, a 小計 whose cost exceeds its amount.
    VrnContent wide;
    wide.leafPaths = {Q({"客廳", "木作"}), Q({"主臥", "油漆"})};
    wide.rows = {Item(wide.leafPaths[0], "矽酸鈣板天花板|60x60|才|9999.5|9999999|99999998|0|0|0|依現場丈量"),
                 Item(wide.leafPaths[1], "櫃||式|1|1|1|87654322|87654322|0")};
    load(wide);
    const QStringList files
        = manyFiles + twoFiles + QStringList{printed("mPa"), printed("mPwc"), printed("mPas"), printed("mPs")};
    // By work type across the areas: 壹 木作, three items, 小計 (row 12); the flat list numbers
    // straight through; without work types 一 客廳, three items, 小計 (row 12).
    const QJsonObject tree = ReadWithOpenpyxl(files[3]), flat = ReadWithOpenpyxl(files[1]);
    EXPECT_EQ(rowOf(tree, 1, 9, 'B') + rowOf(tree, 1, 12, 'F'), u"1|客廳電視櫃240cm|小計||||128000"_s);
    EXPECT_EQ(rowOf(flat, 1, 8, 'B') + u'/' + rowOf(flat, 1, 35, 'B'), u"1|區1櫃/28|區28櫃"_s);
    const QJsonObject areas = ReadWithOpenpyxl(files[2]);
    EXPECT_EQ(rowOf(areas, 2, 8, 'B') + u'/' + rowOf(areas, 2, 12, 'F'), u"一|客廳/|小計||||96000"_s);

    ASSERT_EQ(ConvertWithOffice(files + longFiles, dir.filePath(u"pdf"_s)), QString());
    // Per file: pages, then a text each page must (+) or must not (-) show. The totals
    // add up line by line: 203,400 + 10,170 − 570 = 213,000; 28,000 − 1,000 = 27,000.
    const QString sums = u"合計203,400稅金10,170折扣-570總計213,000"_s;
    const std::vector<std::pair<int, QStringList>> expected = {
        {6, {"-1 總價合計", "+2 合計28,000折扣-1,000總計27,000", "+2 總價合計:新台幣貳萬柒仟元整(未稅)", "+6 區28"}},
        {2, {"+2 總價合計:新台幣貳萬柒仟元整(未稅)", "+2 折扣-1,000總價27,000"}},   // past the remarks
        {2, {"+1 元整(含稅)", "+1 " + sums, "+1 逾期請重新報價,付款方式為訂金三成", "+2 主臥"}},
        {1, {"+1 元整(含稅)", "+1 NT:$", "+1 折扣-570總價213,000"}},
        {2, {"+1 99,999,999", "+1 客戶名稱", "+2 業務人員", "+2 99,999,998", "+2 9999999", "+2 依現場丈量"}},
        {2, {"+1 87,654,322", "+2 87,654,322", "+2 -87,654,321"}},
        {2, {"+1 報價日期", "+2 報價日期"}},
        {1, {"+1 99,999,998", "+1 依現場丈量", "+1 報價單號"}},
    };
    for (size_t f = 0; f < expected.size(); ++f) {
        const QString pdf = pdfOf(files[qsizetype(f)]);
        EXPECT_EQ(pdfPages(pdf), expected[f].first) << files[qsizetype(f)].toStdString();
        for (const QString& check : expected[f].second) {
            const QString text = pdfText(pdf, check.mid(1, 1).toInt());
            EXPECT_EQ(text.contains(check.mid(3)), check.startsWith(u'+')) << check.toStdString() << " in " << text.toStdString();
        }
    }
    // Every page of every print shows its figures whole and stays one page wide.
    for (const QString& file : files + longFiles) {
        const QString pdf = pdfOf(file);
        for (int page = 1; page <= pdfPages(pdf); ++page) {
            const std::string where = file.toStdString() + " page " + std::to_string(page);
            EXPECT_FALSE(pdfText(pdf, page).contains(u"###"_s)) << where;
            double width = 0;
            for (const PdfWord& w : pdfWords(pdf, page, &width))
                EXPECT_LT(w.box.right(), width) << where << ": " << w.text.toStdString();
        }
    }
    // 區域分頁: 客廳's 31 rows take two blocks, 主臥 one; 工種分頁: 木作's 31 items two.
    // Each plus the cover page.
    for (int k : {0, 1})
        EXPECT_EQ(pdfPages(pdfOf(longFiles[k])), 4 - k) << longFiles[k].toStdString();
    // The long name is drawn smaller than the unit beside it: shrunk to its column, not cut.
    const QString single = pdfOf(twoFiles.last());
    const QRectF name = wordBox(single, kLongName), unit = wordBox(single, u"尺"_s, name.top());
    ASSERT_FALSE(name.isNull() || unit.isNull());
    EXPECT_LT(name.height(), unit.height() - 0.3);
    EXPECT_LT(name.right(), unit.left());
}

// The fee rows as LibreOffice prints them: on the single sheet under 複價 with the other
// amounts, so that the column adds up to 合計; on the covers with the area times the rate whole.
TEST_F(PrintLayoutsTest, FeeRowsAddUpOnTheSingleSheetAndShowTheirAreaWholeOnTheCovers)
{
    VrnContent c = TwoAreas();   // items 144,000, the design fee 10% of them
    c.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"2000"_s, u"60000"_s};
    load(c);
    const QStringList files = {printed("mPss"), printed("mAs"), printed("mWs"), printed("mPnw")};

    // The flat list: four items in rows 8-11, B = 12, the fees in 13 and 14, 合計 in 15.
    const QJsonObject book = ReadWithOpenpyxl(files[0]);
    double listed = 0;
    for (int row = 8; row <= 14; ++row)
        listed += CellOf(book, 1, u"F%1"_s.arg(row)).value("value").toDouble();
    EXPECT_EQ(CellText(book, 1, u"B15"_s), u"    合  計"_s);
    EXPECT_EQ(listed, CellOf(book, 1, u"F15"_s).value("value").toDouble());
    for (const char* row : {"13", "14"}) {
        EXPECT_EQ(CellText(book, 1, u'E' + QString::fromLatin1(row)), QString()) << row;
        EXPECT_EQ(CellOf(book, 1, u'F' + QString::fromLatin1(row)).value("format").toString(), u"#,##0"_s) << row;
    }
    EXPECT_EQ(CellText(book, 1, u"F13"_s) + u'|' + CellText(book, 1, u"F14"_s), u"14400|60000"_s);

    ASSERT_EQ(ConvertWithOffice(files, dir.filePath(u"pdf"_s)), QString());
    // The shrunk cells and the fee rows under 複價 keep every layout on its planned pages:
    QList<int> pages;
    for (const QString& file : files)
        pages << pdfPages(pdfOf(file));
    EXPECT_EQ(pages, (QList<int>{1, 3, 3, 2}));   // the list; cover and one page per area or work type
    const QString single = pdfOf(files[0]);
    double total = -1, above = 0;
    double totalTop = -1;
    for (const PdfWord& w : pdfWords(single, 1))
        if (w.text == u"合" || w.text == u"合計")
            totalTop = w.box.top();
    ASSERT_GE(totalTop, 0);
    QStringList seen;
    for (const auto& [top, value] : printedColumn(single, u"複價"_s, u"備註"_s)) {
        seen << QString::number(value, 'f', 0);
        if (std::abs(top - totalTop) < 3)
            total = value;
        else if (top < totalTop)
            above += value;
    }
    EXPECT_EQ(total, 218400) << seen.join(u' ').toStdString();
    EXPECT_EQ(above, total) << seen.join(u' ').toStdString();
    EXPECT_TRUE(pdfText(single, 1).contains(u"60,000"_s));

    // The heading 數量 stands centred over the column, the fee's area right-aligned in it: a
    // text drawn whole begins no further left of the heading's centre than it ends right of it.
    for (const QString& cover : files.mid(1)) {
        const QString pdf = pdfOf(cover);
        const std::string where = cover.toStdString();
        EXPECT_TRUE(pdfText(pdf, 1).contains(u"30X2000"_s)) << where;
        QRectF area, rate, heading;
        for (const PdfWord& w : pdfWords(pdf, 1)) {
            for (auto [text, box] : {std::pair{u"30"_s, &area}, std::pair{u"2000"_s, &rate}, std::pair{u"數量"_s, &heading}})
                if (w.text == text)
                    *box = w.box;
        }
        const double centre = heading.center().x();
        ASSERT_FALSE(area.isNull() || rate.isNull() || heading.isNull()) << where;
        EXPECT_GE(area.left() - centre, -(rate.right() - centre) - 1) << where << " cut on the left";
    }
}

TEST_F(PrintLayoutsTest, PagedPrintsTakeNoFlagsOfEarlierPrintsAndWithoutAreasNumberTheFirstLevel)
{
    useXp(SmallXp());
    load(TwoAreas());
    // What a single-sheet cost print leaves: no cost on the cover, 備註 (not the cost) in
    // G, nothing on the footer rows. (After a cost print: the layouts' table.)
    flags.SingleSheet = flags.FlatList = flags.ShowCost = flags.CostReport = true;
    const QJsonObject book = ReadWithOpenpyxl(printed("mWs"));
    EXPECT_EQ(CellText(book, 1, u"F8"_s) + CellText(book, 2, u"G10"_s) + u'|' + CellText(book, 2, u"G11"_s)
                  + CellText(book, 2, u"H11"_s) + CellText(book, 2, u"B13"_s) + CellText(book, 2, u"B14"_s),
              u"|實木"_s);
    // 工種分頁(空白估價) puts BlankPrices back after a cancel too.
    flags.BlankPrices = false;
    print(u"mPwsb"_s, std::nullopt);
    EXPECT_FALSE(flags.BlankPrices);

    // Without areas 工種分頁 numbers the first level; work types differing in letter case print apart.
    VrnContent c;
    c.noAreaMode = true;
    const QString deep = Q({"木作", "櫃", "上櫃", "門", "x"}), upper = Q({"Tom's 房"}), lower = Q({"tom's 房"});
    c.leafPaths = {deep, upper, lower};
    c.rows = {Item(deep, "門片||片|1|100|100"), Item(upper, "a||式|1|1|1"), Item(lower, "b||式|1|2|2")};
    load(c);
    const QJsonObject noAreas = ReadWithOpenpyxl(printed("mWs"));
    EXPECT_EQ(flags.TreeMode, 1);
    EXPECT_EQ(rowOf(noAreas, 1, 8, 'E') + u'/' + rowOf(noAreas, 1, 10, 'E'), u"壹|木作|式|1|100/參|tom's 房|式|1|2"_s);
    EXPECT_EQ(SheetOf(noAreas, 2).value("rowBreaks").toArray(), (QJsonArray{14, 21, 28}));
}
