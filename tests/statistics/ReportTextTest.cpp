#include "StatisticsTestSupport.h"

#include "platform/report/ReportTestSupport.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

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

// A 60-character customer name, project and site address: both reports print each whole in
// the header, at 8 pt or more (its glyphs' height to that of the label 報價日期 beside it,
// drawn at the report's own size), above the table.
TEST_F(ReportTextTest, SixtyCharacterNamesAndAddressesPrintWholeAtEightPointsInBothHeaders)
{
    const QString name = u"林氏建設股份有限公司暨林宅家族信託管理委員會代表人林大明先生及其配偶林陳美華女士共同委託之住宅整修工程案主委託人代表本人"_s;
    const QString project = u"臺北市大安區忠孝東路四段林宅十六樓全室翻修含廚房衛浴更新、木作天花板、系統櫥櫃、全室油漆及地板更換工程第二期施工範圍全區"_s;
    const QString address = u"臺北市大安區忠孝東路四段216巷27弄16號7樓之3，大安森林公園旁社區大樓Ｂ棟，請由信義路側門地下停車場入口進入搭電梯"_s;
    VrnContent c = fixtureContent();
    c.header.customerName = name;
    c.header.projectName = project;
    c.header.siteAddress = address;
    load(c);

    const struct {
        ReportKind kind;
        double labelPoints;
        QStringList shown;
    } reports[] = {
        {ReportKind::FirstPage, 10, {u"客戶名稱:"_s + name, u"工程名稱:"_s + project, u"工程地址:"_s + address}},
        {ReportKind::Detail, 9.5, {u"客戶名稱:"_s + name, u"工程名稱:"_s + project}},
    };
    for (const auto& r : reports) {
        const QString file = pdf(r.kind);
        const std::string where = file.toStdString();
        std::vector<PdfWord> words = pdfWords(file, 1);
        QRectF label, first, table;
        for (const PdfWord& w : words) {
            if (w.text == u"報價日期:"_s)
                label = w.box;
            if (w.text.startsWith(u"客戶名稱"_s))
                first = w.box;
            if (w.text == u"項次"_s)
                table = w.box;
        }
        ASSERT_FALSE(label.isNull() || first.isNull() || table.isNull()) << where;
        // The header's left column, from 客戶名稱 down to the table, in reading order.
        std::vector<PdfWord> header;
        for (const PdfWord& w : words)
            if (w.box.left() < label.left() && w.box.top() >= first.top() - 1 && w.box.top() < table.top())
                header.push_back(w);
        std::sort(header.begin(), header.end(), [](const PdfWord& a, const PdfWord& b) {
            return std::abs(a.box.top() - b.box.top()) > 1 ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
        });
        QString text;
        for (const PdfWord& w : header) {
            text += w.text;
            EXPECT_GE(r.labelPoints * w.box.height() / label.height(), 7.95) << where << ": " << w.text.toStdString();
            EXPECT_LT(w.box.bottom(), table.top()) << where << ": " << w.text.toStdString();
        }
        text = text.normalized(QString::NormalizationForm_KC);
        for (const QString& shown : r.shown)
            EXPECT_TRUE(text.contains(shown.normalized(QString::NormalizationForm_KC)))
                << where << ": " << shown.toStdString() << " in " << text.toStdString();
    }
}

// A site address of 60 full-width characters: 列印首頁 prints it whole, at 8 pt or more (to
// the label 報價日期 beside the header, drawn at 10 pt), between the project line and the
// table, over no other text; a page still holds 29 lines: 22 work types, both fees, the tax
// and the totals fill it, the last line above the remarks.
TEST_F(ReportTextTest, ASixtyCharacterSiteAddressPrintsWholeAtEightPointsOverNothing)
{
    const QString address = u"臺北市大安區忠孝東路四段二百一十六巷二十七弄十六號七樓之三，大安森林公園旁社區大樓乙棟，請由信義路側門地下停車場入口進入"_s;
    ASSERT_EQ(address.size(), 60);
    VrnContent c = fixtureContent();
    c.noAreaMode = true;
    c.leafPaths.clear();
    c.rows.clear();
    for (int i = 1; i <= 22; ++i) {
        c.leafPaths << path({"工種"}) + QString::number(i);
        c.rows.push_back(item(c.leafPaths.last(), "項目||式|1|100|100"));
    }
    c.header.siteAddress = address;
    load(c);
    const QString file = pdf(ReportKind::FirstPage);
    ASSERT_EQ(pdfPages(file), 1);

    const std::vector<PdfWord> words = pdfWords(file, 1);
    auto find = [&](const QString& start) {
        for (const PdfWord& w : words)
            if (w.text.startsWith(start))
                return w.box;
        ADD_FAILURE() << "no " << start.toStdString();
        return QRectF();
    };
    const QRectF label = find(u"報價日期"_s), project = find(u"工程名稱"_s), site = find(u"工程地址"_s);
    const QRectF table = find(u"項次"_s), remarks = find(u"備註"_s), inWords = find(u"總價:"_s);
    std::vector<PdfWord> shown, others;
    for (const PdfWord& w : words)
        (w.box.top() >= site.top() - 1 && w.box.bottom() < table.top() ? shown : others).push_back(w);
    std::sort(shown.begin(), shown.end(), [](const PdfWord& a, const PdfWord& b) {
        return std::abs(a.box.top() - b.box.top()) > 1 ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    });
    QString text;
    for (const PdfWord& w : shown) {
        text += w.text;
        EXPECT_GE(10 * w.box.height() / label.height(), 7.95) << w.text.toStdString();
        EXPECT_GT(w.box.top(), project.bottom()) << w.text.toStdString();
        for (const PdfWord& o : others)
            EXPECT_FALSE(w.box.intersects(o.box)) << w.text.toStdString() << " over " << o.text.toStdString();
    }
    EXPECT_EQ(text.normalized(QString::NormalizationForm_KC), (u"工程地址:"_s + address).normalized(QString::NormalizationForm_KC));
    EXPECT_LT(inWords.bottom(), remarks.top());
}
