// The quotation file: layout, round trip, older files, damaged files and failed saves.
#include "QuotationTestSupport.h"

#include "platform/text/Cp950.h"
#include "support/FileFaults.h"
#include "support/RichQuotation.h"

#include <QFile>
#include <QFileInfo>

#include <tuple>

namespace varn::test {
namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeLines(const QString& path, const QStringList& lines)
{
    Cp950LineWriter w;
    for (const QString& l : lines)
        w.addLine(l);
    w.commit(path);
}

class VrnFileTest : public QuotationTest {
protected:
    void buildRich() { BuildRichQuotation(*doc); }

    // Tree shape with the expanded flags left out.
    static QStringList shape(const QuotationTree& t)
    {
        QStringList out;
        for (const TreeNode* n : t.nodes())
            out << n->key;
        return out;
    }
};

TEST_F(VrnFileTest, ARichQuotationReadsBackExactlyAndGreyedBoxesStayGreyed)
{
    buildRich();
    ASSERT_TRUE(doc->saveTo(file("rich.vrn")));
    const VrnContent saved = doc->content();
    const QStringList savedNames = shownNames();

    Quotation other;
    prompts.answerOpenFile(file("rich.vrn"));
    ASSERT_TRUE(other.mOpen_Click());
    const VrnContent read = other.content();
    EXPECT_EQ(read.header, saved.header);
    EXPECT_EQ(read.leafPaths, saved.leafPaths);
    EXPECT_EQ(read.rows, saved.rows);
    EXPECT_EQ(read.pageEnd, saved.pageEnd);
    EXPECT_EQ(column(other.hfgQ(), QCol::Name), savedNames);   // the root, in tree order
    EXPECT_FALSE(other.isModified());
    EXPECT_EQ(prompts.unexpected(), 0);

    // Greyed boxes (state 2) open from the recent list and the dialog alike, and stay greyed.
    QStringList lines = ReadCp950Lines(file("rich.vrn"));
    lines.last() = "2,2,2";
    writeLines(file("rich.vrn"), lines);
    for (const bool dialog : {false, true}) {
        if (dialog)
            prompts.answerOpenFile(file("rich.vrn"));
        ASSERT_TRUE(dialog ? other.mOpen_Click() : other.mOpen_Click(file("rich.vrn"))) << dialog;
        const PageEndValues& p = other.pageEnd();
        EXPECT_EQ((std::array{p.design.checked, p.supervision.checked, p.taxChecked}), (std::array{2, 2, 2}));
        EXPECT_EQ(p.quoted, saved.pageEnd.quoted);
    }
    // A file ending after its fee lines keeps the reset totals and boxes.
    writeLines(file("rich.vrn"), lines.mid(0, lines.size() - 2));
    ASSERT_TRUE(other.mOpen_Click(file("rich.vrn")));
    const PageEndValues& p = other.pageEnd();
    EXPECT_EQ((QStringList{p.design.title, p.supervision.amount, p.quoted, p.taxRate}),
              (QStringList{"設計費(四院)", "60000", "", "5%"}));
    EXPECT_EQ(p.design.checked, CheckState::Unchecked);
    // A fee line missing fields, or holding no truth value, is refused strictly and read as far
    // as it goes tolerantly.
    lines[lines.indexOf("[D&L]") + 1] = "設計費,maybe,100";
    EXPECT_THROW(Vrn::parse(lines, VrnReadMode::Strict, PageEndValues{}), VrnError);
    EXPECT_EQ(Vrn::parse(lines, VrnReadMode::Tolerant, PageEndValues{}).pageEnd.design.base, "100");
}

TEST_F(VrnFileTest, TheFileIsCp950WithCrLfInTheDocumentedLayout)
{
    // An empty quotation writes the root alone and one empty item row.
    ASSERT_TRUE(doc->saveTo(file("empty.vrn")));
    EXPECT_EQ(ReadCp950Lines(file("empty.vrn")).mid(10, 5), (QStringList{"[Tree]", Q, "", "[Grid]", "|||||||||||"}));
    add(Q, {"客廳"});
    fill(LeafPath({"客廳"}), {{"院", "2", "100"}});
    doc->setHeaderField(HeaderField::CustomerName, "四");
    doc->setHeaderField(HeaderField::QuoteDate, "113/05/01");
    doc->setHeaderField(HeaderField::QuoteNo, "1130501_");
    ASSERT_TRUE(doc->saveTo(file("a.vrn")));
    const QByteArray bytes = readBytes(file("a.vrn"));
    EXPECT_TRUE(bytes.endsWith("0,0,1\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    const QStringList lines = ReadCp950Lines(file("a.vrn"));
    const QStringList expected{
        "0n", "[Title]", "四", "", "", "", "1130501_", "", "113/05/01", "", "[Tree]",
        LeafPath({"客廳"}), "", "[Grid]",
        LeafPath({"客廳"}) + "|院|||2|100|200||0|1||", "", "[PageEndPs]", "", "", "", "", "", "",
        "[D&L]", "設計費,True,,,", "監工費,True,,,", ":5%::::", "0,0,1"};
    EXPECT_EQ(lines, expected);
}

TEST_F(VrnFileTest, AnOlderFileReadsWithCommasAndNoPageEnd)
{
    writeLines(file("old.vrn"),
               {"1", "[Title]", "客", "案", "業務", "類", "No1", "址", "92/02/19", "", "[Tree]",
                LeafPath({"木作"}), LeafPath({"油漆"}), "", "[Grid]",
                LeafPath({"木作"}) + ",木門,,樘,1,3000,3000,2000,2000,1.5,備",
                LeafPath({"油漆"}) + ",乳膠漆,,坪,10,100,1000,80,800,1.25,", ""});
    doc->setFeeTitle(Fee::Design, "設計");
    prompts.answerMessage(PromptButton::No);   // "是否存檔?"
    prompts.answerOpenFile(file("old.vrn"));
    ASSERT_TRUE(doc->mOpen_Click());
    EXPECT_TRUE(doc->noAreaMode());
    EXPECT_EQ(doc->header().customerName + doc->header().quoteDate, "客92/02/19");
    EXPECT_EQ(shownNames(), (QStringList{"木門", "乳膠漆"}));
    EXPECT_EQ(masterColumn(QCol::Remark), (QStringList{"備", ""}));
    const PageEndValues& p = doc->pageEnd();
    EXPECT_TRUE(p.design.byTotal);
    // No page end in the file: the panel's title stays, the rest is blank.
    EXPECT_EQ((QStringList{p.remarks[0], p.design.rate, p.design.title, p.taxRate}),
              (QStringList{"", "", "設計", "5%"}));
    // Saved again, it takes the present layout and keeps the no-area mode in the mode line.
    ASSERT_TRUE(doc->saveTo(file("old.vrn")));
    EXPECT_EQ(ReadCp950Lines(file("old.vrn")).first(), "1n");
    ASSERT_TRUE(doc->mOpen_Click(file("old.vrn")));
    EXPECT_TRUE(doc->noAreaMode());
}

TEST_F(VrnFileTest, TolerantReadingThroughTheDialogTakesWhatStrictReadingRefuses)
{
    // A present file ending after its grid section was cut: refused from the recent list, it
    // opens through the dialog with a word. A node named with blanks alone keeps its rows,
    // and a leaf's rows split by another's are joined.
    const QString blank = Q + "\u2027  ";
    writeLines(file("short.vrn"),
               {"0n", "[Title]", "客", "", "", "", "", "", "", "", "[Tree]", blank, LeafPath({"a"}), LeafPath({"b"}), "",
                "[Grid]", blank + "|k|||||100|||||", LeafPath({"a"}) + "|a1||||||||||", LeafPath({"b"}) + "|b1|||||200|||||",
                LeafPath({"a"}) + "|a2||||||||||", ""});
    EXPECT_FALSE(doc->mOpen_Click(file("short.vrn")));
    EXPECT_TRUE(prompts.lastMessageText().startsWith("開啟檔案錯誤"));
    EXPECT_EQ(prompts.lastMessageTitle(), "VarnIII");
    prompts.answerOpenFile(file("short.vrn"));
    EXPECT_TRUE(doc->mOpen_Click());
    EXPECT_TRUE(prompts.lastMessageText().startsWith("檔案不完整，無法讀取：頁尾備註、")) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(shape(doc->tree()), (QStringList{Q, blank, LeafPath({"a"}), LeafPath({"b"})}));
    EXPECT_EQ(masterColumn(QCol::Name), (QStringList{"k", "a1", "a2", "b1"}));
    doc->tv_NodeClick(blank);
    EXPECT_EQ(shownNames(), QStringList{"k"});
}

TEST_F(VrnFileTest, DamagedFilesFailWithoutTouchingTheOpenQuotation)
{
    buildRich();
    ASSERT_TRUE(doc->saveTo(file("good.vrn")));
    const QStringList good = ReadCp950Lines(file("good.vrn"));
    const int treeAt = good.indexOf("[Tree]");
    const int gridAt = good.indexOf("[Grid]");

    doc->tv_NodeClick(LeafPath({"客廳", "木作"}));
    doc->setCellText(1, QCol::Remark, "未存的修改");
    const VrnContent before = doc->snapshotContent();

    // A file cut after its grid section began opens through the dialog with what it holds
    // and a word (CutFile_test); from the recent list it is refused like the others.
    const std::vector<std::tuple<const char*, QStringList, bool>> damaged = {
        {"empty", {}, true},
        {"unknown mode", QStringList{"2n"} + good.mid(1), true},
        {"no title", QStringList{"0n", "[Titel]"} + good.mid(2), true},
        {"ends in the grid", good.mid(0, gridAt + 3), false},
        {"no grid section", good.mid(0, gridAt) + good.mid(gridAt + 1), true},
        {"ends before [D&L]", good.mid(0, good.indexOf("[D&L]")), false},
        {"foreign root", good.mid(0, treeAt + 1) + QStringList{"X\u2027a"} + good.mid(treeAt + 2), true},
        {"empty tree", good.mid(0, treeAt + 1) + good.mid(gridAt - 1), true},
    };
    for (const auto& [name, lines, refusedEitherWay] : damaged) {
        writeLines(file("bad.vrn"), lines);
        for (bool strict : {true, false}) {
            if (!strict && !refusedEitherWay)
                continue;
            prompts.clear();
            if (!strict)
                prompts.answerOpenFile(file("bad.vrn"));
            prompts.answerMessage(PromptButton::No);   // "是否存檔?": go on without saving
            const bool opened = strict ? doc->mOpen_Click(file("bad.vrn")) : doc->mOpen_Click();
            EXPECT_FALSE(opened) << name << (strict ? " strict" : " tolerant");
            EXPECT_TRUE(prompts.lastMessageText().startsWith("開啟檔案錯誤")) << name;
            EXPECT_EQ(doc->filePath(), file("good.vrn")) << name;
            const VrnContent after = doc->snapshotContent();
            EXPECT_EQ(after.rows, before.rows) << name;
        }
    }
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(doc->recentFiles().paths(), QStringList{file("good.vrn")});
}

TEST_F(VrnFileTest, FieldsThatWouldShiftOnReadingAreRefusedByTheWriter)
{
    struct Case {
        const char* name;
        std::function<void(VrnContent&)> spoil;
        const char* field;
    };
    const Case cases[] = {
        {"bar in a cell", [](VrnContent& c) { c.rows[0][QCol::WorkItem - 1] = "a|b"; }, "詞庫品名"},
        {"comma in a fee title", [](VrnContent& c) { c.pageEnd.design.title = "設,計"; }, "設計費名稱"},
        {"colon in the discount", [](VrnContent& c) { c.pageEnd.discount = "1:2"; }, "折扣"},
        {"line break in the header", [](VrnContent& c) { c.header.siteAddress = "a\r\nb"; }, "工程地址"},
        {"not in CP950 in a remark", [](VrnContent& c) { c.pageEnd.remarks[3] = "한"; }, "頁尾備註 4"},
    };
    add(Q, {"客廳"});
    fill(LeafPath({"客廳"}), {{"a"}});
    ASSERT_TRUE(doc->saveTo(file("keep.vrn")));
    const QByteArray original = readBytes(file("keep.vrn"));
    for (const Case& c : cases) {
        VrnContent content = doc->content();
        c.spoil(content);
        const QString why = Vrn::refusal(content);
        EXPECT_TRUE(why.contains(QString::fromUtf8(c.field))) << c.name << ": " << why.toStdString();
        EXPECT_THROW(Vrn::write(file("keep.vrn"), content), VrnError) << c.name;
        EXPECT_EQ(readBytes(file("keep.vrn")), original) << c.name;
    }
}

TEST_F(VrnFileTest, AFailedSaveLeavesTheOldFileAndTheCurrentPath)
{
    add(Q, {"客廳"});
    fill(LeafPath({"客廳"}), {{"a"}});
    ASSERT_TRUE(doc->saveTo(file("old.vrn")));
    const QByteArray original = readBytes(file("old.vrn"));

    // Text the code page cannot hold: refused before the file is touched, naming the row
    // as the leaf shows it.
    add(Q, {"臥室"});
    fill(LeafPath({"臥室"}), {{"b1"}, {"b2"}, {"b3"}});
    doc->tv_NodeClick(LeafPath({"客廳"}));   // saving shows the root
    ensureRow(2);
    doc->hfgQ().setTextMatrix(2, QCol::Name, "汉");   // typing it is refused; a lexicon could bring it
    EXPECT_FALSE(doc->saveTo(file("old.vrn")));
    EXPECT_EQ(prompts.lastMessageText(),
              "存檔錯誤\r\n「品名(" + LeafPath({"客廳"}) + " 第 2 列)」含有無法存檔的字元「汉」:汉");
    EXPECT_EQ(readBytes(file("old.vrn")), original);
    EXPECT_TRUE(doc->isModified());
    doc->tv_NodeClick(LeafPath({"客廳"}));
    doc->setCellText(2, QCol::Name, "");
    // So is a file name the recent list could not hold.
    EXPECT_FALSE(doc->saveTo(file("報價😀.vrn")));
    EXPECT_EQ(prompts.lastMessageText(), "「檔案名稱」含有無法存檔的字元「😀」:" + file("報價😀.vrn"));
    EXPECT_FALSE(QFileInfo::exists(file("報價😀.vrn")));

    // A save that fails half-way through writing (the file-size limit is reached): the
    // old file stays, and so do the current path (in the caption) and the recent list.
    for (int r = 1; r <= 40; ++r) {
        ensureRow(r);
        doc->setCellText(r, QCol::Name, QStringLiteral("很長的品名 %1").arg(r));
    }
    for (const QString& target : {file("old.vrn"), file("new.vrn")}) {
        prompts.answerSaveFile(target);
        FileSizeLimit limit(original.size() + 100);
        EXPECT_FALSE(doc->mSaveAs_Click());
        EXPECT_TRUE(prompts.lastMessageText().startsWith("存檔錯誤\r\n75\r\n"));
        EXPECT_TRUE(SaysInChinese(prompts.lastMessageText(), QStringLiteral("檔案太大")));
    }
    EXPECT_EQ(readBytes(file("old.vrn")), original);
    EXPECT_FALSE(QFileInfo::exists(file("new.vrn")));
    EXPECT_EQ(doc->windowCaption(), "報價系統\t- " + file("old.vrn"));
    EXPECT_EQ(doc->recentFiles().paths(), QStringList{file("old.vrn")});
    EXPECT_TRUE(doc->isModified());
}

} // namespace
} // namespace varn::test
