#include "StatisticsTestSupport.h"

#include "statistics/PrintDatabase.h"
#include "statistics/ReportMenu.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

using namespace varn;
using namespace varn::test;

namespace {

class ReportMenuTest : public ReportMenuFixture {
protected:
    QStringList allTables()
    {
        QStringList rows;
        for (const QString& t : {u"phead"_s, u"pfp"_s, u"ps0"_s, u"ps3"_s, u"pbody"_s})
            rows << ptRows(t);
        return rows;
    }
    // The report as PDF pages of text.
    QStringList pages(ReportKind kind)
    {
        const QString file = pdf(kind);
        QStringList out;
        for (int p = 1; !file.isEmpty() && p <= pdfPages(file); ++p)
            out << pdfTextAsIs(file, p);
        return out;
    }
};

} // namespace

TEST_F(ReportMenuTest, RebuildWritesTheHeaderAndTheDetailsByWorkTypeLeavesNoRowBehindAndAFailureKeepsThem)
{
    load(fixtureContent());
    doc->setHeaderField(HeaderField::Telephone, u"02-2222333"_s);
    doc->setHeaderField(HeaderField::Fax, u"02-2222444"_s);
    menu->mP_Click();
    EXPECT_EQ(ptRows(u"phead"_s), QStringList{"瓦恩室內裝修|台北市中山路2號|02-1234567|02-7654321|12345678|"
                                              "varn@example.com|林先生|02-2222333|02-2222444|林宅裝修|"
                                              "台北市信義路一段1號|113/05/01|1130501_1|王小明"});
    // The details by work type with the area in front of the name.
    EXPECT_EQ(ptRows(u"pbody"_s).mid(0, 6),
              (QStringList{"壹|木作|~|~|~|~|~", "1|浴室浴櫃60cm|組|2|1,000|2,000|備註A", "2|浴室||0|0|0|",
                           "3|浴室鏡櫃|個|1|3,000|3,000|", "4|主臥室衣櫃|尺|8|6,000|48,000|", "~|小計|~|~|~|53,000|~"}));
    // A second rebuild leaves no row behind.
    const QStringList first = allTables();
    menu->mP_Click();
    EXPECT_EQ(allTables(), first);

    // A failed rebuild keeps the previous tables and shows no report.
    openPt()->executeScript(u"CREATE TRIGGER boom BEFORE INSERT ON pbody BEGIN SELECT RAISE(ABORT, 'disk full'); END;"_s);
    load(noAreaContent());
    EXPECT_FALSE(menu->prepare(ReportKind::FirstPage).has_value());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"disk full"_s));
    EXPECT_EQ(allTables(), first);
}

// The customer's telephone and fax print as the customer page shows them; a fax that is an
// area code alone prints nothing.
TEST_F(ReportMenuTest, TheCustomersTelephoneAndFaxPrintAsTheCustomerPageShowsThem)
{
    load(fixtureContent());
    state().m.gDb->execute(u"INSERT INTO 客戶 (客戶名稱, 電話1, 公司傳真) VALUES ('林先生', '02;27751234', '02;')"_s);
    ASSERT_TRUE(doc->lookUpCustomer(*state().m.gDb));
    menu->mP_Click();
    const QStringList head = ptRows(u"phead"_s).value(0).split(u'|');
    EXPECT_EQ(head.mid(6, 3), (QStringList{u"林先生"_s, u"02 27751234"_s, QString()}));
}

TEST_F(ReportMenuTest, AnEmptyQuotationAUserWithoutThePriceRightOrAMissingLayoutGetsNoReport)
{
    doc->newQuotation();
    EXPECT_FALSE(menu->prepare(ReportKind::Detail).has_value());
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);

    load(fixtureContent());
    doc->setRightsWord(4095 & ~1);
    EXPECT_FALSE(menu->itemsVisible());
    EXPECT_FALSE(menu->prepare(ReportKind::FirstPage).has_value());
    EXPECT_TRUE(allTables().isEmpty());

    // An employee's own folder: its tables are filled, its missing layout named.
    doc->setRightsWord(4095);
    state().m.gUserName = u"王小明"_s;
    QDir(dir.path()).mkdir(u"王小明"_s);
    QFile::copy(dir.filePath(u"pt.mdb"_s), dir.filePath(u"王小明/pt.mdb"_s));
    EXPECT_FALSE(menu->prepare(ReportKind::FirstPage).has_value());
    EXPECT_TRUE(prompts.lastMessageText().contains(dir.filePath(u"王小明/fp.rpt"_s)));
    EXPECT_EQ(Database::open(dir.filePath(u"王小明/pt.mdb"_s))->openRecordset(u"pfp"_s).recordCount(), 29);
}

TEST_F(ReportMenuTest, ReportsPrintTheTotalInWordsRemarksAndWholeDetailPages)
{
    VrnContent discounted = fixtureContent();
    discounted.pageEnd.discount = u"-571"_s;
    load(discounted);
    const QStringList first = pages(ReportKind::FirstPage);
    ASSERT_EQ(first.size(), 1);
    // Work types over all areas, the fees; 合計 131,020 + 稅金 6,551 − 折扣 571 = 總計 137,000, line
    // by line; each remark in its slot.
    for (const char* expected : {"瓦恩室內裝修", "林先生", "壹木作式153,000貳油漆式110,200參主浴室式115,000小計78,200",
                                 "設計費總價10%7,820監工費1500元/坪坪3045,000合計131,020稅金6,551折扣-571總計137,000",
                                 "壹拾參萬柒仟元整(含稅)", "1.本報價有效期限三十天", "4.付款方式:訂金三成"})
        EXPECT_TRUE(first[0].contains(QString::fromUtf8(expected))) << expected << first[0].toStdString();

    // 40 items in one group: heading, 40 items, subtotal = 42 lines, 25 fillers: 2 pages.
    VrnContent c = noAreaContent();
    c.rows.assign(40, item(path({"木作"}), "櫃||尺|1|1234567|1234567"));
    load(c);
    const QStringList detail = pages(ReportKind::Detail);
    ASSERT_EQ(detail.size(), 2);
    for (int page : {1, 2})
        for (const QString& text : {u"瓦恩室內裝修"_s, u"第%1頁/共2頁"_s.arg(page), u"1,234,567"_s})
            EXPECT_TRUE(detail[page - 1].contains(text)) << page << text.toStdString();
}

// Fees with cents: 78,200 × 0.045555 = 3,562.401 by total and 30.5 坪 × 1,234.4 = 37,649.2 by
// area, so 合計 is 119,411.601. Each figure rounded alone, 合計 119,412 + 稅金 5,971 − 8,000
// would miss 總計 117,382 with tax, and 3,562 + 37,649 would miss 合計 119,412 without.
TEST_F(ReportMenuTest, TheFirstPagePrintsWholeAmountsThatAddUp)
{
    VrnContent c = fixtureContent();
    c.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"78200"_s, u"0.045555"_s, u"3562.401"_s};
    c.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30.5"_s, u"1234.4"_s, u"37649.2"_s};
    c.pageEnd.discount = u"-8000"_s;
    for (bool tax : {true, false}) {
        c.pageEnd.taxChecked = tax ? CheckState::Checked : CheckState::Unchecked;
        load(c);
        const QStringList first = pages(ReportKind::FirstPage);
        ASSERT_EQ(first.size(), 1);
        const QString page = first[0];
        // No grouped amount with a fraction anywhere on the page.
        EXPECT_FALSE(page.contains(QRegularExpression(u"\\d,\\d{3}\\.\\d"_s))) << page.toStdString();

        const QRegularExpression lines(u"壹木作式1([\\d,]+)貳油漆式1([\\d,]+)參主浴室式1([\\d,]+)小計([\\d,]+)"
                                       "設計費總價4\\.56%([\\d,]+)監工費1234\\.4元/坪坪30\\.5([\\d,]+)合計([\\d,]+)"
                                       "(?:稅金([\\d,]+))?折扣(-[\\d,]+)總計([\\d,]+)"_s);
        const QRegularExpressionMatch m = lines.match(page);
        ASSERT_TRUE(m.hasMatch()) << page.toStdString();
        auto amount = [&](int i) { return m.captured(i).remove(u',').toLongLong(); };
        const long long groups = amount(1) + amount(2) + amount(3), subtotal = amount(4);
        const long long design = amount(5), supervision = amount(6), untaxed = amount(7);
        const long long taxed = amount(8), discount = amount(9), total = amount(10);
        EXPECT_EQ(groups, subtotal);
        EXPECT_EQ(subtotal + design + supervision, untaxed) << tax;
        EXPECT_EQ(untaxed + taxed + discount, total) << tax;
        // The quotation's whole tax and quoted total stand; 合計 follows from them and the fee
        // with the largest cents takes up what the cents add.
        EXPECT_EQ((std::vector<long long>{subtotal, design, supervision, untaxed, taxed, discount, total}),
                  tax ? (std::vector<long long>{78200, 3562, 37649, 119411, 5971, -8000, 117382})
                      : (std::vector<long long>{78200, 3563, 37649, 119412, 0, -8000, 111412}));
        EXPECT_TRUE(page.contains(tax ? u"壹拾壹萬柒仟參佰捌拾貳元整(含稅)"_s : u"壹拾壹萬壹仟肆佰壹拾貳元整(未稅)"_s))
            << page.toStdString();
    }
}
