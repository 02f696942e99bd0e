#include "PrintFixture.h"

#include "platform/workbook/Workbook.h"

using namespace varn;
using namespace varn::test;

namespace {

// Small blocks so that the fixture crosses pages: cover output rows 8-17, footer 18-19;
// detail output rows 8-12, footer 13-14.
QStringList smallXp()
{
    return {"A", "1", "G", "7", "A", "1", "G", "7", "A", "8", "G", "17", "A", "18", "G", "19",
            "A", "1", "J", "7", "A", "1", "J", "7", "A", "8", "J", "12", "A", "13", "J", "14"};
}

struct Layout {
    const char* command;
    const char* coverFirst;    // B8 of the cover
    const char* coverAmount;   // E8, "" when blank
    const char* coverCost;     // F8
    const char* detail[4];     // A8, B8, B9 and the first 小計's amount
};

const Layout kLayouts[] = {
    {"mPa", "客廳", "96000", "", {"壹", "客廳", " 木作", "80000"}},
    {"mPw", "木作", "128000", "", {"壹", "木作", "客廳電視櫃240cm", "128000"}},
    {"mPwa", "木作", "128000", "", {"壹", "木作", " 客廳", "80000"}},
    {"mPas", "客廳", "", "", {"壹", "客廳", " 木作", ""}},
    {"mPws", "木作", "", "", {"壹", "木作", "客廳電視櫃240cm", ""}},
    {"mPwaS", "木作", "", "", {"壹", "木作", " 客廳", ""}},
    {"mPac", "客廳", "96000", "60000", {"壹", "客廳", " 木作", "80000"}},
    {"mPwc", "木作", "128000", "82000", {"壹", "木作", "客廳電視櫃240cm", "128000"}},
    {"mPwac", "木作", "128000", "82000", {"壹", "木作", " 客廳", "80000"}},
};

class PrintLayoutsTest : public PrintFixture {
protected:
    // A copy of the layout's template with markers in the first footer row of each sheet.
    QString markedTemplate(const QString& command)
    {
        const QString out = dir.filePath(u"tpl/"_s + FindPrintCommand(command)->templateFile);
        if (QFile::exists(out))
            return out;
        QDir().mkpath(dir.filePath(u"tpl"_s));
        Workbook book = Workbook::open(templateOf(command));
        book.worksheet(1).setText(18, 1, u"首頁頁尾"_s);
        book.worksheet(2).setText(13, 1, u"明細頁尾"_s);
        book.saveAs(out);
        return out;
    }
};

} // namespace

TEST_F(PrintLayoutsTest, EveryTwoSheetLayoutFillsASavedCopyOfItsTemplate)
{
    useXp(smallXp());
    load(TwoAreas());
    for (const Layout& l : kLayouts) {
        const QString name = QString::fromLatin1(l.command);
        const std::string where = l.command;
        const QString tpl = markedTemplate(name);
        const QByteArray before = digest(tpl);
        prompts.clear();
        const QString saved = print(name, tpl);
        ASSERT_FALSE(saved.isEmpty()) << where << " " << prompts.lastMessageText().toStdString();
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << where << prompts.lastMessageText().toStdString();
        EXPECT_EQ(digest(tpl), before) << where;
        EXPECT_EQ(QFileInfo(saved).absolutePath(), QFileInfo(dir.path()).absoluteFilePath()) << where;
        EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(QFileInfo(tpl).completeBaseName() + u'_')) << where;
        const auto opened = prompts.asked(PromptKind::OpenFile);
        ASSERT_EQ(opened.size(), 1u) << where;
        EXPECT_EQ(opened[0].title, u"輸出檔案"_s) << where;
        EXPECT_EQ(opened[0].filter, u"MS Excel Files (*.xlsx)"_s) << where;
        EXPECT_EQ(opened[0].fileName, FindPrintCommand(name)->templateFile) << where;
        EXPECT_EQ(QDir(opened[0].startFolder).absolutePath(), QFileInfo(templateOf(name)).absolutePath()) << where;

        const QJsonObject book = ReadWithOpenpyxl(saved);
        // Cover: the header placeholders, the first group, the totals block on page 2.
        EXPECT_EQ(CellText(book, 1, u"B8"_s), QString::fromUtf8(l.coverFirst)) << where;
        EXPECT_EQ(CellText(book, 1, u"A8"_s), u"壹"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"E8"_s), QString::fromUtf8(l.coverAmount)) << where;
        EXPECT_EQ(CellText(book, 1, u"F8"_s), QString::fromUtf8(l.coverCost)) << where;
        EXPECT_EQ(CellText(book, 1, u"A18"_s), u"首頁頁尾"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"A30"_s), u"首頁頁尾"_s) << where;
        EXPECT_EQ(SheetOf(book, 1).value("rowBreaks").toArray(), (QJsonArray{19})) << where;
        EXPECT_EQ(CellText(book, 1, u"B21"_s), u"    合  計"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"A24"_s), u"有效期限三十天"_s) << where;
        EXPECT_TRUE(CellText(book, 1, u"A29"_s).startsWith(u"總價合計:新台幣"_s)) << where;
        const bool blank = QString::fromUtf8(l.coverAmount).isEmpty();
        EXPECT_EQ(CellText(book, 1, u"B10"_s), blank ? QString() : u"設計費"_s) << where;
        EXPECT_EQ(CellText(book, 1, u"A29"_s).endsWith(u"元整(含稅)"_s), !blank) << where;

        // Details: headings, items, the first 小計; blocks with breaks, heights, footers.
        EXPECT_EQ(CellText(book, 2, u"A8"_s), QString::fromUtf8(l.detail[0])) << where;
        EXPECT_EQ(CellText(book, 2, u"B8"_s), QString::fromUtf8(l.detail[1])) << where;
        EXPECT_EQ(CellText(book, 2, u"B9"_s), QString::fromUtf8(l.detail[2])) << where;
        const QJsonObject detail = SheetOf(book, 2);
        QString firstSubtotal;
        for (int r = 8; r < 30 && firstSubtotal.isNull(); ++r) {
            if (CellText(book, 2, u"B%1"_s.arg(r)) == u"小計"_s)
                firstSubtotal = CellText(book, 2, u"F%1"_s.arg(r));
        }
        EXPECT_EQ(firstSubtotal, QString::fromUtf8(l.detail[3])) << where;
        const QJsonArray breaks = detail.value("rowBreaks").toArray();
        ASSERT_FALSE(breaks.isEmpty()) << where;
        for (int k = 0; k < breaks.size(); ++k) {
            const int top = 8 + (k + 1) * 7;
            EXPECT_EQ(breaks[k].toInt(), top - 1) << where;
            EXPECT_EQ(CellText(book, 2, u"A%1"_s.arg(top + 5)), u"明細頁尾"_s) << where;
            EXPECT_EQ(detail.value("rows").toObject().value(QString::number(top)).toObject().value("height"),
                      detail.value("rows").toObject().value(u"8"_s).toObject().value("height"))
                << where;
        }
        EXPECT_EQ(detail.value("printTitleRows").toString(), u"$1:$7"_s) << where;
        EXPECT_EQ(detail.value("printArea").toArray(), (QJsonArray{u"$A:$J"_s})) << where;
        EXPECT_EQ(detail.value("colBreaks").toArray(), (QJsonArray{10})) << where;
    }
}

TEST_F(PrintLayoutsTest, HeaderPlaceholdersAndTheWholeQuotationsTotals)
{
    VrnContent c = TwoAreas();
    c.header.customerName = u"#單號#"_s;
    load(c);
    doc->tv_NodeClick(Path({"主臥", "木作"}));   // a leaf shown: the print still takes everything
    const QString saved = print(u"mPa"_s, templateOf(u"mPa"_s));
    ASSERT_FALSE(saved.isEmpty()) << prompts.lastMessageText().toStdString();
    const QJsonObject book = ReadWithOpenpyxl(saved);
    QStringList header;
    for (const QJsonValue& v : SheetOf(book, 1).value("cells").toObject())
        header << v.toObject().value("value").toString();
    const QString all = header.join(u'|');
    EXPECT_TRUE(all.contains(u"#單號#"_s)) << all.toStdString();        // the customer as typed
    EXPECT_TRUE(all.contains(u"1130501_1"_s)) << all.toStdString();
    EXPECT_TRUE(all.contains(u"瓦恩室內裝修"_s)) << all.toStdString();
    EXPECT_FALSE(all.contains(u"#公司名稱#"_s)) << all.toStdString();
    EXPECT_EQ(CellText(book, 1, u"B8"_s), u"客廳"_s);
    EXPECT_EQ(CellText(book, 1, u"B9"_s), u"主臥"_s);
    EXPECT_EQ(CellText(book, 1, u"E9"_s), u"48000"_s);
    EXPECT_EQ(CellText(book, 1, u"E12"_s), u"203400"_s);   // 144000 + 14400 + 45000
}

TEST_F(PrintLayoutsTest, AUserWithoutThePriceRightGetsNoPriceAnywhere)
{
    doc->setRightsWord(4095 & ~1);
    load(TwoAreas());
    for (const char* command : {"mPa", "mPwc"}) {
        const QString saved = print(QString::fromLatin1(command), templateOf(QString::fromLatin1(command)));
        ASSERT_FALSE(saved.isEmpty()) << command;
        const QJsonObject book = ReadWithOpenpyxl(saved);
        for (int sheet : {1, 2}) {
            const QJsonObject cells = SheetOf(book, sheet).value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                const QString col = it.key().left(1);
                const QJsonValue v = it.value().toObject().value("value");
                // 單價 and 金額 (E, F on the details; E on the cover), the margin, the fees.
                const bool below = it.key().mid(1).toInt() >= 8;
                const bool price = sheet == 2 ? (col == u"E"_s || col == u"F"_s || col == u"I"_s)
                                              : (col == u"E"_s || col == u"G"_s);
                EXPECT_FALSE(below && price && v.isDouble()) << command << " " << it.key().toStdString();
                EXPECT_FALSE(v.toString().contains(u"設計費"_s)) << command;
            }
        }
        EXPECT_EQ(CellText(book, 1, u"A37"_s), u"總價合計:新台幣"_s) << command;
        EXPECT_EQ(CellText(book, 1, u"F37"_s), u"NT:$"_s) << command;
    }
}

TEST_F(PrintLayoutsTest, CancelEmptyAndUnusableTemplatesSaveNothing)
{
    // Empty quotation.
    print(u"mPa"_s, std::nullopt);
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_EQ(prompts.askedCount(PromptKind::OpenFile), 0);

    load(TwoAreas());
    prompts.clear();
    EXPECT_TRUE(print(u"mPw"_s, std::nullopt).isEmpty());
    EXPECT_EQ(prompts.lastMessageText(), u"取消列印"_s);

    // A two-sheet layout on the one-sheet workbook, print ranges the template cannot hold.
    prompts.clear();
    EXPECT_TRUE(print(u"mPa"_s, templateOf(u"mPs"_s)).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"單張報價單.xlsx"_s)) << prompts.lastMessageText().toStdString();
    QStringList bad = DefaultXpValues();
    bad[24] = u"AB"_s;
    useXp(bad);
    prompts.clear();
    EXPECT_TRUE(print(u"mPa"_s, templateOf(u"mPa"_s)).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"Xp.ini"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_TRUE(savedFiles().isEmpty()) << savedFiles().join(u',').toStdString();
}

TEST_F(PrintLayoutsTest, SingleSheetsListEverythingOnTheOneSheet)
{
    load(TwoAreas());
    const QString tpl = templateOf(u"mPs"_s);
    const QByteArray before = digest(tpl);
    const QString tree = print(u"mPs"_s, tpl);
    ASSERT_FALSE(tree.isEmpty()) << prompts.lastMessageText().toStdString();
    const QString flat = print(u"mPss"_s, tpl);
    ASSERT_FALSE(flat.isEmpty()) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(digest(tpl), before);

    // By work type across the areas: 壹 木作, three items, 小計, 貳 油漆, one item, 小計: rows 8-15.
    const QJsonObject t = ReadWithOpenpyxl(tree);
    EXPECT_EQ(CellText(t, 1, u"A8"_s), u"壹"_s);
    EXPECT_EQ(CellText(t, 1, u"B9"_s), u"客廳電視櫃240cm"_s);
    EXPECT_EQ(CellText(t, 1, u"B12"_s), u"小計"_s);
    EXPECT_EQ(CellText(t, 1, u"F12"_s), u"128000"_s);
    EXPECT_EQ(CellText(t, 1, u"B15"_s), u"小計"_s);
    EXPECT_EQ(CellText(t, 1, u"B16"_s), QString());
    EXPECT_EQ(CellText(t, 1, u"B17"_s), u"設計費"_s);
    EXPECT_EQ(CellText(t, 1, u"B19"_s), u"    合  計"_s);
    EXPECT_EQ(CellText(t, 1, u"B21"_s), u"    總  價"_s);
    EXPECT_EQ(CellText(t, 1, u"A32"_s), u"有效期限三十天"_s);
    EXPECT_TRUE(CellText(t, 1, u"A37"_s).startsWith(u"總價合計:新台幣"_s));
    const QJsonObject sheet = SheetOf(t, 1);
    EXPECT_EQ(sheet.value("printTitleRows").toString(), u"$1:$7"_s);
    EXPECT_EQ(sheet.value("printArea").toArray(), (QJsonArray{u"$A:$J"_s}));
    EXPECT_TRUE(sheet.value("rowBreaks").toArray().isEmpty());

    const QJsonObject f = ReadWithOpenpyxl(flat);
    EXPECT_EQ(CellText(f, 1, u"A8"_s), u"1"_s);
    EXPECT_EQ(CellText(f, 1, u"B8"_s), u"客廳電視櫃240cm"_s);
    EXPECT_EQ(CellText(f, 1, u"A11"_s), u"4"_s);
    EXPECT_EQ(CellText(f, 1, u"G11"_s), QString());   // no 備註 on the flat list
    EXPECT_EQ(CellText(f, 1, u"B13"_s), u"設計費"_s);
}

TEST_F(PrintLayoutsTest, TheAreaLayoutWithoutWorkTypesListsItemsByArea)
{
    load(TwoAreas());
    const QString saved = print(u"mPnw"_s, templateOf(u"mPnw"_s));
    ASSERT_FALSE(saved.isEmpty()) << prompts.lastMessageText().toStdString();
    const QJsonObject book = ReadWithOpenpyxl(saved);
    EXPECT_EQ(CellText(book, 1, u"B8"_s), u"客廳"_s);
    EXPECT_EQ(CellText(book, 1, u"D11"_s), u"30 X 1500"_s);
    EXPECT_TRUE(CellOf(book, 1, u"A37"_s).value("bold").toBool());
    // 一 客廳, three items, 小計, 二 主臥, one item, 小計.
    QStringList detail;
    for (int r = 8; r <= 15; ++r)
        detail << CellText(book, 2, u"A%1"_s.arg(r)) + u'|' + CellText(book, 2, u"B%1"_s.arg(r)) + u'|'
                      + CellText(book, 2, u"F%1"_s.arg(r));
    EXPECT_EQ(detail, (QStringList{u"一|客廳|"_s, u"1|電視櫃240cm|30000"_s, u"2|書櫃|50000"_s, u"3|牆面|16000"_s,
                                   u"|小計|96000"_s, u"二|主臥|"_s, u"1|衣櫃|48000"_s, u"|小計|48000"_s}));
    EXPECT_EQ(CellText(book, 2, u"G9"_s), QString());
}
