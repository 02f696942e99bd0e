#include "excel_output/print/PrintFixture.h"

#include "excel_output/paged/PagedEngines.h"

using namespace varn;
using namespace varn::test;

namespace {

struct PagedLayout {
    const char* command;
    const char* cover[2];        // B8, B9 of the cover
    const char* coverAmount;     // E8, "" when blank
    const char* lines[4];        // "A|B" of the detail rows 8, 9, 15 and 22
    std::vector<std::pair<int, const char*>> subtotals;   // row of each 小計, its amount ("" blank)
    int blocks;
};

const PagedLayout kLayouts[] = {
    {"mAs", {"客廳", "主臥"}, "96000", {"壹|客廳", "一| 木作", "1|牆面", "貳|主臥"}, {{16, "96000"}, {25, "48000"}}, 3},
    {"mWs", {"木作", "油漆"}, "128000", {"壹|木作", "1|客廳電視櫃240cm", "貳|油漆", "|"}, {{12, "128000"}, {17, "16000"}}, 2},
    {"mPwsb", {"木作", "油漆"}, "", {"壹|木作", "1|客廳電視櫃240cm", "貳|油漆", "|"}, {{12, ""}, {17, ""}}, 2},
};

class PagedPrintTest : public PrintFixture {
protected:
    void SetUp() override
    {
        PrintFixture::SetUp();
        InstallPagedEngines();
    }

    static QString line(const QJsonObject& book, int row)
    {
        return CellText(book, 2, u"A%1"_s.arg(row)) + u'|' + CellText(book, 2, u"B%1"_s.arg(row));
    }
};

// An area whose 30 items take two blocks of 30 rows, and a small one.
VrnContent longArea()
{
    VrnContent c;
    const QString a = Path({"客廳", "木作"}), b = Path({"主臥", "木作"});
    c.leafPaths = {a, b};
    for (int i = 1; i <= 30; ++i)
        c.rows.push_back(Item(a, "櫃||組|1|1000|1000|600|600|1.67"));
    c.rows.push_back(Item(b, "衣櫃||尺|8|6000|48000|4000|32000|1.5|實木"));
    c.pageEnd.taxChecked = CheckState::Unchecked;
    return c;
}

} // namespace

TEST_F(PagedPrintTest, ThePagedCommandsFillTheirLayoutsFromTheQuotationWindow)
{
    useXp(SmallXp());
    load(TwoAreas());
    const QString tpl = markedTemplate(u"mAs"_s);   // the three share one template file
    const QByteArray before = digest(tpl);
    for (const PagedLayout& l : kLayouts) {
        const QString name = QString::fromLatin1(l.command);
        const std::string where = l.command;
        prompts.clear();
        const QString saved = print(name, tpl);
        ASSERT_FALSE(saved.isEmpty()) << where << " " << prompts.lastMessageText().toStdString();
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << where << prompts.lastMessageText().toStdString();
        expectOneOutputDialog(name);
        EXPECT_EQ(digest(tpl), before) << where;

        const QJsonObject book = ReadWithOpenpyxl(saved);
        EXPECT_EQ(CellText(book, 1, u"A8"_s), u"壹"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"B8"_s), QString::fromUtf8(l.cover[0])) << where;
        EXPECT_EQ(CellText(book, 1, u"B9"_s), QString::fromUtf8(l.cover[1])) << where;
        EXPECT_EQ(CellText(book, 1, u"E8"_s), QString::fromUtf8(l.coverAmount)) << where;
        EXPECT_EQ(CellText(book, 1, u"F8"_s), QString()) << where;
        const bool blank = QString::fromUtf8(l.coverAmount).isEmpty();
        // The supervision fee by floor area shows the area and its rate; no fee when blank.
        EXPECT_EQ(CellText(book, 1, u"B11"_s).startsWith(u"監工費"_s), !blank) << where;
        EXPECT_EQ(CellText(book, 1, u"D11"_s), blank ? QString() : u"30 X 1500"_s) << where;

        const int probe[4] = {8, 9, 15, 22};
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(line(book, probe[k]), QString::fromUtf8(l.lines[k])) << where << " row " << probe[k];
        for (const auto& [row, amount] : l.subtotals) {
            EXPECT_EQ(CellText(book, 2, u"B%1"_s.arg(row)), u"小計"_s) << where << " row " << row;
            EXPECT_EQ(CellText(book, 2, u"F%1"_s.arg(row)), QString::fromUtf8(amount)) << where << " row " << row;
            if (*amount) {
                EXPECT_TRUE(CellOf(book, 2, u"F%1"_s.arg(row)).value("value").isDouble()) << where;
            }
        }
        const QJsonObject detail = SheetOf(book, 2);
        const QJsonArray breaks = detail.value("rowBreaks").toArray();
        ASSERT_EQ(breaks.size(), l.blocks - 1) << where;
        for (int k = 0; k < breaks.size(); ++k) {
            const int top = 8 + (k + 1) * 7;
            EXPECT_EQ(breaks[k].toInt(), top - 1) << where;
            EXPECT_EQ(CellText(book, 2, u"A%1"_s.arg(top + 5)), u"明細頁尾"_s) << where;
        }
        EXPECT_EQ(CellText(book, 2, u"A13"_s), u"明細頁尾"_s) << where;
        EXPECT_EQ(detail.value("printTitleRows").toString(), u"$1:$7"_s) << where;
        EXPECT_EQ(detail.value("colBreaks").toArray(), (QJsonArray{10})) << where;
    }
}

TEST_F(PagedPrintTest, FlagsOfEarlierPrintsNeverLeakAndBlankPricesComeBack)
{
    useXp(SmallXp());
    load(TwoAreas());
    // A cost print, or what a single-sheet one leaves, comes before the paged print.
    for (const char* earlier : {"mPwc", "single"}) {
        if (earlier == std::string("mPwc")) {
            ASSERT_FALSE(print(u"mPwc"_s, templateOf(u"mPwc"_s)).isEmpty());
        } else {
            flags.SingleSheet = flags.FlatList = flags.ShowCost = flags.CostReport = true;
        }
        const QString saved = print(u"mWs"_s, templateOf(u"mWs"_s));
        ASSERT_FALSE(saved.isEmpty()) << earlier << " " << prompts.lastMessageText().toStdString();
        const QJsonObject book = ReadWithOpenpyxl(saved);
        EXPECT_EQ(CellText(book, 1, u"F8"_s), QString()) << earlier;   // no cost on the cover
        EXPECT_EQ(CellText(book, 2, u"G10"_s), QString()) << earlier;  // 備註 column, not the cost
        EXPECT_EQ(CellText(book, 2, u"G11"_s), u"實木"_s) << earlier;
        EXPECT_EQ(CellText(book, 2, u"H11"_s), QString()) << earlier;
        // Headings stay on output rows: nothing on the footer rows but the template's own.
        EXPECT_EQ(CellText(book, 2, u"B13"_s), QString()) << earlier;
        EXPECT_EQ(CellText(book, 2, u"B14"_s), QString()) << earlier;
    }

    // 工種分頁(空白估價) puts BlankPrices back, after a print, a cancel and a refusal alike.
    for (bool earlierBlank : {false, true}) {
        flags.BlankPrices = earlierBlank;
        print(u"mPwsb"_s, templateOf(u"mPwsb"_s));
        EXPECT_EQ(flags.BlankPrices, earlierBlank);
        print(u"mPwsb"_s, std::nullopt);
        EXPECT_EQ(flags.BlankPrices, earlierBlank);
    }
    load(VrnContent{});
    flags.BlankPrices = false;
    print(u"mPwsb"_s, std::nullopt);
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_FALSE(flags.BlankPrices);
}

TEST_F(PagedPrintTest, AUserWithoutThePriceRightGetsNoPriceInAnyPagedLayout)
{
    doc->setRightsWord(4095 & ~1);
    load(TwoAreas());
    for (const char* command : {"mAs", "mWs", "mPwsb"}) {
        const QString saved = print(QString::fromLatin1(command), templateOf(QString::fromLatin1(command)));
        ASSERT_FALSE(saved.isEmpty()) << command;
        const QJsonObject book = ReadWithOpenpyxl(saved);
        for (int sheet : {1, 2}) {
            const QJsonObject cells = SheetOf(book, sheet).value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                const QString col = it.key().left(1);
                const QJsonValue v = it.value().toObject().value("value");
                const bool below = it.key().mid(1).toInt() >= 8;
                const bool price = col == u"E"_s || col == u"F"_s || col == u"G"_s;
                EXPECT_FALSE(below && price && v.isDouble()) << command << " " << it.key().toStdString();
                EXPECT_FALSE(v.toString().contains(u"設計費"_s)) << command;
            }
        }
        EXPECT_EQ(CellText(book, 1, u"A37"_s), u"總價合計:新台幣"_s) << command;
    }
}

// LibreOffice reads every paged output: one conversion for the three, and each has the
// cover page and the page blocks its plan prepared.
TEST_F(PagedPrintTest, LibreOfficePrintsTheCoverAndEveryPlannedBlock)
{
    load(longArea());
    QStringList saved;
    for (const char* command : {"mAs", "mWs", "mPwsb"}) {
        saved << print(QString::fromLatin1(command), templateOf(QString::fromLatin1(command)));
        ASSERT_FALSE(saved.last().isEmpty()) << command << " " << prompts.lastMessageText().toStdString();
    }
    ASSERT_EQ(toPdf(saved), QString());

    // 區域分頁: 客廳 needs 33 rows (two blocks), 主臥 one. 工種分頁: 木作 with all 31 items
    // needs two blocks. Each plus the cover page.
    const int pages[] = {4, 3, 3};
    for (int i = 0; i < saved.size(); ++i) {
        const QJsonObject book = ReadWithOpenpyxl(saved[i]);
        const int blocks = int(SheetOf(book, 2).value("rowBreaks").toArray().size()) + 1;
        EXPECT_EQ(blocks + 1, pages[i]) << saved[i].toStdString();
        EXPECT_EQ(pdfPages(pdfOf(saved[i])), pages[i]) << saved[i].toStdString();
    }
}

// Without areas 工種分頁 numbers the first level: a five-level path leaves its 小計 alone at
// the top of the next block; work types that differ in letter case, with an apostrophe,
// print apart, each 小計 its own items.
TEST_F(PagedPrintTest, WorkTypesWithoutAreasEachTakeTheirOwnBlocks)
{
    useXp(SmallXp());
    VrnContent c;
    c.noAreaMode = true;
    const QString deep = Path({"木作", "櫃", "上櫃", "門", "x"}), upper = Path({"Tom's 房"}), lower = Path({"tom's 房"});
    c.leafPaths = {deep, upper, lower};
    c.rows = {Item(deep, "門片||片|1|100|100"), Item(upper, "a||式|1|1|1"), Item(lower, "b||式|1|2|2")};
    load(c);
    const QString saved = print(u"mWs"_s, templateOf(u"mWs"_s));
    ASSERT_FALSE(saved.isEmpty()) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(flags.TreeMode, 1);
    const QJsonObject book = ReadWithOpenpyxl(saved);
    const QStringList cover{CellText(book, 1, u"B8"_s), CellText(book, 1, u"E8"_s), CellText(book, 1, u"B9"_s),
                            CellText(book, 1, u"E9"_s), CellText(book, 1, u"B10"_s), CellText(book, 1, u"E10"_s)};
    EXPECT_EQ(cover, (QStringList{u"木作"_s, u"100"_s, u"Tom's 房"_s, u"1"_s, u"tom's 房"_s, u"2"_s}));
    QStringList rows;
    for (int r : {8, 9, 10, 11, 12, 15, 22, 23, 24, 29, 30, 31})
        rows << line(book, r) + u'|' + CellText(book, 2, u"F%1"_s.arg(r));
    EXPECT_EQ(rows, (QStringList{u"壹|木作|"_s, u"一| 櫃|"_s, u"A|  上櫃|"_s, u"a|   門|"_s, u"1|門片|100"_s,
                                 u"|小計|100"_s, u"貳|Tom's 房|"_s, u"1|a|1"_s, u"|小計|1"_s, u"參|tom's 房|"_s,
                                 u"1|b|2"_s, u"|小計|2"_s}));
    EXPECT_EQ(SheetOf(book, 2).value("rowBreaks").toArray(), (QJsonArray{14, 21, 28}));
}
