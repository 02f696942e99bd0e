#include "PrintFixture.h"

#include <QProcess>
#include <QUrl>

using namespace varn;
using namespace varn::test;

namespace {

QString run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(20000))
        return u"<cannot start "_s + program + u'>';
    p.waitForFinished(300000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    for (const QString& line : run(u"pdfinfo"_s, {pdf}).split(u'\n')) {
        if (line.startsWith(u"Pages:"_s))
            return line.mid(6).trimmed().toInt();
    }
    return -1;
}

QString pageText(const QString& pdf, int page)
{
    return run(u"pdftotext"_s, {u"-f"_s, QString::number(page), u"-l"_s, QString::number(page), pdf, u"-"_s});
}

// 28 areas with one item each: the cover needs a second page.
VrnContent manyAreas()
{
    VrnContent c;
    for (int i = 1; i <= 28; ++i) {
        const QString leaf = QStringLiteral("\uFF31") + QChar(0x2027) + u"區%1"_s.arg(i) + QChar(0x2027) + u"木作"_s;
        c.leafPaths << leaf;
        c.rows.push_back(Item(leaf, "櫃||組|1|1000|1000|600|600|1.67"));
    }
    c.pageEnd.taxChecked = CheckState::Unchecked;
    return c;
}

} // namespace

// The spreadsheet program reads every output: LibreOffice converts the saved workbooks and
// the pages are the plan's, with the total line on the cover's last page.
TEST_F(PrintFixture, LibreOfficePrintsThePlannedPages)
{
    load(manyAreas());
    const QString many = print(u"mPa"_s, templateOf(u"mPa"_s));
    ASSERT_FALSE(many.isEmpty()) << prompts.lastMessageText().toStdString();
    const QString longList = print(u"mPss"_s, templateOf(u"mPss"_s));
    ASSERT_FALSE(longList.isEmpty()) << prompts.lastMessageText().toStdString();
    load(TwoAreas());
    const QString two = print(u"mPwc"_s, templateOf(u"mPwc"_s));
    ASSERT_FALSE(two.isEmpty()) << prompts.lastMessageText().toStdString();
    const QString areas = print(u"mPnw"_s, templateOf(u"mPnw"_s));
    ASSERT_FALSE(areas.isEmpty()) << prompts.lastMessageText().toStdString();
    const QString single = print(u"mPs"_s, templateOf(u"mPs"_s));
    ASSERT_FALSE(single.isEmpty()) << prompts.lastMessageText().toStdString();

    const QString pdfDir = dir.filePath(u"pdf"_s);
    const QString profile = QUrl::fromLocalFile(dir.filePath(u"profile"_s)).toString();
    QProcess soffice;
    soffice.start(u"soffice"_s, {u"-env:UserInstallation="_s + profile, u"--headless"_s, u"--convert-to"_s,
                                 u"pdf"_s, u"--outdir"_s, pdfDir, many, two, longList, areas, single});
    ASSERT_TRUE(soffice.waitForStarted(20000)) << "soffice is needed: " << soffice.errorString().toStdString();
    ASSERT_TRUE(soffice.waitForFinished(300000));
    ASSERT_EQ(soffice.exitCode(), 0) << soffice.readAllStandardError().toStdString();

    // 28 areas: a cover of two pages, 28 × 4 detail rows in blocks of 30 = four pages.
    const QString manyPdf = pdfDir + u'/' + QFileInfo(many).completeBaseName() + u".pdf"_s;
    EXPECT_EQ(pageCount(manyPdf), 6);
    EXPECT_FALSE(pageText(manyPdf, 1).contains(u"總價合計"_s));
    EXPECT_TRUE(pageText(manyPdf, 2).contains(u"總價合計:新台幣貳萬捌仟元整(未稅)"_s)) << pageText(manyPdf, 2).toStdString();
    EXPECT_TRUE(pageText(manyPdf, 6).contains(u"區28"_s));

    // The flat list of 28 items runs past the remarks: the total line ends the last page.
    const QString longPdf = pdfDir + u'/' + QFileInfo(longList).completeBaseName() + u".pdf"_s;
    const int longPages = pageCount(longPdf);
    ASSERT_GE(longPages, 1);
    EXPECT_TRUE(pageText(longPdf, longPages).contains(u"總價合計:新台幣貳萬捌仟元整(未稅)"_s))
        << pageText(longPdf, longPages).toStdString();

    const QString areasPdf = pdfDir + u'/' + QFileInfo(areas).completeBaseName() + u".pdf"_s;
    EXPECT_EQ(pageCount(areasPdf), 2);
    EXPECT_TRUE(pageText(areasPdf, 1).contains(u"元整(含稅)"_s));
    EXPECT_TRUE(pageText(areasPdf, 2).contains(u"主臥"_s));

    const QString singlePdf = pdfDir + u'/' + QFileInfo(single).completeBaseName() + u".pdf"_s;
    EXPECT_EQ(pageCount(singlePdf), 1);
    EXPECT_TRUE(pageText(singlePdf, 1).contains(u"元整(含稅)"_s));
    EXPECT_TRUE(pageText(singlePdf, 1).contains(u"NT:$"_s));

    const QString twoPdf = pdfDir + u'/' + QFileInfo(two).completeBaseName() + u".pdf"_s;
    EXPECT_EQ(pageCount(twoPdf), 2);
    EXPECT_TRUE(pageText(twoPdf, 1).contains(u"總價合計:新台幣"_s));
    EXPECT_TRUE(pageText(twoPdf, 2).contains(u"小計"_s));
}
