#include "StatisticsTestSupport.h"

#include "platform/report/ReportTestSupport.h"

#include <QFileInfo>

using namespace varn;
using namespace varn::test;

namespace {

// The ideographs of the basic plane that Unicode pairs with a CJK radical (工 with ⼯, 黃
// with ⿈, 言 with ⾔ and ⻈ ...).
QString RadicalTwinIdeographs()
{
    QFile f(u"/usr/share/unicode/EquivalentUnifiedIdeograph.txt"_s);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << "unicode-data is not installed";
    QString out;
    for (QByteArray line : f.readAll().split('\n')) {
        line.truncate(line.indexOf('#') < 0 ? line.size() : line.indexOf('#'));
        const QList<QByteArray> fields = line.split(';');
        if (fields.size() != 2)
            continue;
        const QList<QByteArray> range = fields[0].trimmed().split('.');   // "2E8C..2E8D" or "2F00"
        const uint from = range.first().toUInt(nullptr, 16), to = range.last().toUInt(nullptr, 16);
        const uint ideograph = fields[1].trimmed().toUInt(nullptr, 16);
        if (from >= 0x2E80 && to <= 0x2FDF && ideograph < 0x10000 && !out.contains(QChar(ideograph)))
            out += QChar(char16_t(ideograph));
    }
    return out;
}

// Every page of the PDF's text, each character as the PDF gives it.
QString wholeTextAsIs(const QString& pdf)
{
    QString text;
    for (int page = 1; page <= pdfPages(pdf); ++page)
        text += pdfTextAsIs(pdf, page);
    return text;
}

QString radicalsIn(const QString& text)
{
    QString found;
    for (QChar ch : text)
        if (ch.unicode() >= 0x2E80 && ch.unicode() <= 0x2FDF)
            found += ch;
    return found;
}

using ReportTextTest = ReportMenuFixture;

// Two work types 工程 and 金額; the items of 工程 hold every ideograph with a radical twin, ten
// to an item.
VrnContent twinsContent(const QString& twins)
{
    VrnContent c;
    c.noAreaMode = true;
    c.header.customerName = u"黃先生"_s;
    c.header.projectName = u"高長食品門市"_s;
    const QString work = path({"工程"}), amounts = path({"金額"});
    c.leafPaths = {work, amounts};
    for (qsizetype i = 0; i < twins.size(); i += 10)
        c.rows.push_back(item(work, (twins.mid(i, 10) + u"||式|1|100|100"_s).toUtf8().constData()));
    c.rows.push_back(item(amounts, "禾車言||式|1|200|200"));
    c.pageEnd.remarks = {u"門窗金額另計"_s, QString(), QString(), QString(), QString()};
    return c;
}

} // namespace

// Searching a saved report for 工程 finds it, and copying its text gives the characters it
// shows: no ideograph comes back as the radical that looks like it.
TEST_F(ReportTextTest, BothReportsGiveBackEveryIdeographThatHasARadicalTwin)
{
    const QString twins = RadicalTwinIdeographs();
    ASSERT_GT(twins.size(), 250);
    for (QChar ch : u"工金禾門車言長食高黃"_s)
        ASSERT_TRUE(twins.contains(ch)) << QString(ch).toStdString();
    load(twinsContent(twins));

    const QString first = wholeTextAsIs(pdf(ReportKind::FirstPage));
    for (const QString& shown : {u"黃先生"_s, u"高長食品門市"_s, u"壹工程"_s, u"貳金額"_s, u"1.門窗金額另計"_s})
        EXPECT_TRUE(first.contains(shown)) << shown.toStdString() << " in " << first.toStdString();
    EXPECT_EQ(radicalsIn(first), QString());

    const QString detailFile = pdf(ReportKind::Detail);
    const QString detail = wholeTextAsIs(detailFile);
    for (qsizetype i = 0; i < twins.size(); i += 10)
        EXPECT_TRUE(detail.contains(twins.mid(i, 10))) << twins.mid(i, 10).toStdString();
    for (const QString& shown : {u"禾車言"_s, u"工程"_s, u"金額"_s, u"高長食品門市"_s})
        EXPECT_TRUE(detail.contains(shown)) << shown.toStdString();
    EXPECT_EQ(radicalsIn(detail), QString());
    // The fonts stay subsets: a few hundred glyphs, not whole CJK fonts.
    EXPECT_LT(QFileInfo(detailFile).size(), 1024 * 1024);
}

// A radical the quotation itself holds prints and reads back as that radical; of two
// characters drawn alike, each comes back as itself.
TEST_F(ReportTextTest, CharactersDrawnAlikeComeBackAsThemselves)
{
    VrnContent c = twinsContent(u"工"_s);
    c.rows.push_back(item(path({"金額"}), "部首⼯與工||式|1|1|1"));
    c.rows.push_back(item(path({"金額"}), "磁磚||元／坪|1|1|1||||1∕2"));
    load(c);
    const QString detail = wholeTextAsIs(pdf(ReportKind::Detail));
    for (const QString& shown : {u"部首⼯與工"_s, u"元／坪"_s, u"1∕2"_s})
        EXPECT_TRUE(detail.contains(shown)) << shown.toStdString() << " in " << detail.toStdString();
    EXPECT_EQ(radicalsIn(detail), u"⼯"_s);
}
