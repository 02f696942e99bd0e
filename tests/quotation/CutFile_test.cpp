// Quotation files cut short (a full disk, a broken copy, a stick pulled out): every cut of a
// rich quotation opens with a word, is refused, or is exactly an older layout of its own kind.
#include "QuotationTestSupport.h"

#include "platform/text/Cp950.h"
#include "support/RichQuotation.h"

#include <QFile>

namespace varn::test {
namespace {

const QString kIncomplete = QStringLiteral("檔案不完整，無法讀取：");

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class CutFileTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        BuildRichQuotation(*doc);
        ASSERT_TRUE(doc->saveTo(file("whole.vrn")));
        whole = bytesOf(file("whole.vrn"));
        ASSERT_TRUE(doc->mOpen_Click(file("whole.vrn")));
        held = doc->snapshotContent();
        doc->newQuotation();
        prompts.clear();
    }

    // Opens the bytes from the dialog (tolerant) or from the recent list (strict).
    bool open(const QByteArray& bytes, bool fromDialog)
    {
        writeBytes(file("cut.vrn"), bytes);
        prompts.clear();
        if (fromDialog)
            prompts.answerOpenFile(file("cut.vrn"));
        return fromDialog ? doc->mOpen_Click() : doc->mOpen_Click(file("cut.vrn"));
    }

    QByteArray whole;
    VrnContent held;   // what the whole file opens as
};

QStringList feeText(const FeeValues& f)
{
    return {f.title, QString::number(f.byTotal), f.base, f.rate, f.amount};
}

// Each part of the page end a message can name (in its words) and the values it covers:
// a part the message does not name must open as the whole file held it.
const std::pair<const char*, std::function<QStringList(const PageEndValues&)>> kParts[] = {
    {"設計費", [](const PageEndValues& p) { return feeText(p.design); }},
    {"監工費", [](const PageEndValues& p) { return feeText(p.supervision); }},
    {"稅率", [](const PageEndValues& p) { return QStringList{p.taxRate}; }},
    {"折扣", [](const PageEndValues& p) { return QStringList{p.discount}; }},
    {"總價", [](const PageEndValues& p) { return QStringList{p.untaxed, p.tax, p.withTax, p.quoted}; }},
    {"設計費的勾選", [](const PageEndValues& p) { return QStringList{QString::number(p.design.checked)}; }},
    {"監工費的勾選", [](const PageEndValues& p) { return QStringList{QString::number(p.supervision.checked)}; }},
    {"稅金的勾選", [](const PageEndValues& p) { return QStringList{QString::number(p.taxChecked)}; }},
};

TEST_F(CutFileTest, EveryCutOpensWithAWordIsRefusedOrIsExactlyAnOlderLayout)
{
    // The older layouts a cut can leave: no totals line, no check line. Each opens as such a
    // file does, with the page end the reset panel gives for what is left out. A file without
    // a page end is older only when its first line says so: this one was cut.
    const PageEndValues blank = doc->blankPageEnd();
    VrnContent noTotals = held, noChecks = held;
    for (VrnContent* c : {&noTotals, &noChecks}) {
        c->pageEnd.design.checked = blank.design.checked;
        c->pageEnd.supervision.checked = blank.supervision.checked;
        c->pageEnd.taxChecked = blank.taxChecked;
    }
    PageEndValues& t = noTotals.pageEnd;
    t.untaxed = t.tax = t.withTax = t.discount = t.quoted = QString();
    t.taxRate = blank.taxRate;
    const QStringList all = ReadCp950Lines(file("whole.vrn"));
    auto upTo = [&](qsizetype lineCount) {
        return *EncodeCp950(all.mid(0, lineCount).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    };
    const QByteArray afterGrid = upTo(all.indexOf(QStringLiteral("[PageEndPs]")));
    const std::vector<std::pair<QByteArray, const VrnContent*>> olderLayouts{
        {upTo(all.size() - 2), &noTotals},
        {upTo(all.size() - 1), &noChecks}};

    const qsizetype gridBegins = upTo(all.indexOf(QStringLiteral("[Grid]")) + 1).size();

    int refused = 0, told = 0, older = 0, unbroken = 0;
    for (qsizetype n = 0; n < whole.size(); ++n) {
        const QByteArray cut = whole.left(n);
        for (const bool fromDialog : {true, false}) {
            const std::string where = "cut at byte " + std::to_string(n) + (fromDialog ? " (dialog)" : " (recent)");
            const bool opened = open(cut, fromDialog);
            const QString said = prompts.lastMessageText();
            ASSERT_LE(prompts.askedCount(PromptKind::Message), 1) << where;
            if (cut == afterGrid) {
                EXPECT_TRUE(said.contains(kIncomplete + QStringLiteral("頁尾備註、設計費、監工費")))
                    << where << said.toStdString();
            }
            if (!opened) {
                ASSERT_TRUE(said.startsWith(QStringLiteral("開啟檔案錯誤"))) << where << said.toStdString();
                // Through the dialog, once the grid section has begun, what was read opens.
                EXPECT_TRUE(!fromDialog || n < gridBegins) << where;
                ++refused;
                continue;
            }
            const VrnContent shown = doc->snapshotContent();
            // A file that lost only its last line break is whole, opened either way.
            if (whole.mid(n) == "\r\n" || whole.mid(n) == "\n") {
                EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << where << said.toStdString();
                EXPECT_EQ(shown.rows, held.rows) << where;
                EXPECT_EQ(shown.pageEnd, held.pageEnd) << where;
                ++unbroken;
                continue;
            }
            const auto layout = std::find_if(olderLayouts.begin(), olderLayouts.end(),
                                             [&](const auto& l) { return l.first == cut; });
            if (layout != olderLayouts.end() && said.isEmpty()) {
                EXPECT_EQ(shown.rows, held.rows) << where;
                EXPECT_EQ(shown.pageEnd, layout->second->pageEnd) << where;
                ++older;
                continue;
            }
            // Anything else that opens is told, and only through the dialog; it shows all it
            // read, and only what the message names may differ from the whole file.
            ASSERT_TRUE(said.startsWith(kIncomplete)) << where << " said: " << said.toStdString();
            EXPECT_TRUE(fromDialog) << where;
            EXPECT_EQ(prompts.last()->title, "Varn III") << where;
            EXPECT_EQ(shown.header, held.header) << where;
            EXPECT_EQ(shown.leafPaths, held.leafPaths) << where;
            std::vector<ItemLine> rows = shown.rows;
            if (rows.size() == 1 && rows[0] == ItemLine{})
                rows.clear();   // the master grid's one blank row: nothing was read
            ASSERT_LE(rows.size(), held.rows.size()) << where;
            EXPECT_TRUE(std::equal(rows.begin(), rows.end(), held.rows.begin())) << where;
            if (rows.size() < held.rows.size()) {
                EXPECT_TRUE(said.contains(QStringLiteral("之後的明細列")) || said.contains(QStringLiteral("：明細列")))
                    << where << said.toStdString();
            }
            const QStringList named
                = said.mid(kIncomplete.size()).section(QStringLiteral("\r\n"), 0, 0).split(QStringLiteral("、"));
            // Remarks are named from the first one missing on.
            qsizetype remarksRead = 5;
            for (const QString& n : named) {
                if (n == QStringLiteral("頁尾備註"))
                    remarksRead = 0;
                else if (n.startsWith(QStringLiteral("頁尾備註 "))) {
                    remarksRead = n.section(u' ', 1, 1).toInt() - 1;
                    // One remark is named alone, several as a range.
                    EXPECT_EQ(n, remarksRead == 4 ? QStringLiteral("頁尾備註 5")
                                                  : QStringLiteral("頁尾備註 %1 至 5").arg(remarksRead + 1))
                        << where;
                }
            }
            for (qsizetype i = 0; i < remarksRead; ++i)
                EXPECT_EQ(shown.pageEnd.remarks[size_t(i)], held.pageEnd.remarks[size_t(i)]) << where;
            for (const auto& [part, values] : kParts) {
                if (!named.contains(QString::fromUtf8(part))) {
                    EXPECT_EQ(values(shown.pageEnd), values(held.pageEnd)) << where << ": " << part << ", unnamed";
                }
            }
            EXPECT_FALSE(doc->isModified()) << where;
            EXPECT_EQ(bytesOf(file("cut.vrn")), cut) << where;   // nothing written to the file
            ++told;
        }
    }
    // The whole file opens as it was written, without a word.
    ASSERT_TRUE(open(whole, true));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(doc->snapshotContent().pageEnd, held.pageEnd);
    // Every kind of outcome occurs; the older layouts are met exactly once each way they can.
    EXPECT_GT(refused, 0);
    EXPECT_GT(told, 0);
    EXPECT_EQ(older, 4);
    EXPECT_EQ(unbroken, 4);
}

// An older file ("0", the grid by ",") ends with its grid's closing line and holds no page
// end: cut anywhere in its rows or after them, it is told at most of the rows it may have lost.
TEST_F(CutFileTest, AnOlderFileCutAfterItsRowsBeganIsNeverToldOfAPageEnd)
{
    const QString leaf = LeafPath({"木作"});
    const QStringList lines{"0", "[Title]", "客", "案", "業務", "類", "No1", "址", "92/02/19", "", "[Tree]", leaf, "",
                            "[Grid]", leaf + ",木門,,樘,1,3000,3000,2000,2000,1.5,", leaf + ",乳膠漆,,坪,10,100,1000,80,800,1.25,"};
    const QByteArray older = *EncodeCp950(lines.join("\r\n") + "\r\n\r\n");
    // The same with a line after its grid, which an older file's reader passes over.
    const QByteArray goingOn = older + "[PageE";
    const QByteArray rowsBegin = *EncodeCp950(lines.mid(0, 14).join("\r\n") + "\r\n");

    for (const QByteArray& file : {older, goingOn}) {
        for (qsizetype n = rowsBegin.size(); n <= file.size(); ++n) {
            const std::string where = "cut at byte " + std::to_string(n) + " of " + std::to_string(file.size());
            ASSERT_TRUE(open(file.left(n), true)) << where;
            const QString said = prompts.lastMessageText();
            for (const char* part : {"頁尾備註", "設計費", "稅率", "總價", "稅金的勾選"})
                EXPECT_FALSE(said.contains(QString::fromUtf8(part))) << where << said.toStdString();
        }
    }
    // One that lost only its last line feed, or lost part of the line after its grid, lost
    // nothing it holds: it opens as the whole file does.
    for (const QByteArray& cut : {older.chopped(1), goingOn}) {
        ASSERT_TRUE(open(cut, true));
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << prompts.lastMessageText().toStdString();
        EXPECT_EQ(doc->snapshotContent().rows.size(), 2U);
    }
    EXPECT_TRUE(open(goingOn, false));
    // From the recent list, the first like the whole file, which has no line after its grid.
    EXPECT_FALSE(open(older.chopped(1), false));
    EXPECT_EQ(prompts.lastMessageText(), "開啟檔案錯誤\r\n檔案在明細區段之後結束");
}

TEST_F(CutFileTest, ALineShortOfItsFieldsIsNamedAndTheRestReads)
{
    const QStringList all = ReadCp950Lines(file("whole.vrn"));
    const qsizetype grid = all.indexOf(QStringLiteral("[Grid]")) + 1, fees = all.indexOf(QStringLiteral("[D&L]")) + 1;
    auto cutFields = [](const QString& line, QChar sep, int keep) { return line.section(sep, 0, keep - 1); };
    const struct {
        const char* name;
        qsizetype line;
        QString text;
        QStringList unread;
    } cases[] = {
        {"a grid line", grid, cutFields(all[grid], u'|', 5), {LeafPath({"臥室", "木作"}) + " 第 1 列的部分欄位"}},
        {"a fee line", fees, cutFields(all[fees], u',', 3), {"設計費"}},
        {"a fee line without a truth value", fees, "設計費,maybe,1,2,3", {"設計費"}},
        {"a totals line", fees + 2, cutFields(all[fees + 2], u':', 4), {"折扣", "總價"}},
        {"a check line", fees + 3, "1,1", {"稅金的勾選"}},
    };
    for (const auto& c : cases) {
        QStringList lines = all;
        lines[c.line] = c.text;
        const VrnContent read = Vrn::parse(lines, VrnReadMode::Tolerant, doc->blankPageEnd());
        EXPECT_EQ(read.unread, c.unread) << c.name;
        // What follows the short line is read as written.
        EXPECT_EQ(read.rows.size(), held.rows.size()) << c.name;
        EXPECT_EQ(read.pageEnd.supervision, held.pageEnd.supervision) << c.name;
        EXPECT_THROW(Vrn::parse(lines, VrnReadMode::Strict, doc->blankPageEnd()), VrnError) << c.name;
    }
}

} // namespace
} // namespace varn::test
