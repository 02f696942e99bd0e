#include "StatisticsTestSupport.h"

#include "statistics/PrintTables.h"

using namespace varn;
using namespace varn::test;

namespace {

FirstPageInput withGroups(int n)
{
    FirstPageInput in;
    for (int i = 0; i < n; ++i)
        in.groups.push_back({QStringLiteral("工種%1").arg(i + 1), QStringLiteral("1000")});
    in.lbSumT = QString::number(n * 1000);
    in.lbNtax = in.lbSumT;
    in.lbApr = in.lbSumT;
    return in;
}

int fillers(const std::vector<PrintRow>& rows)
{
    return int(std::count_if(rows.begin(), rows.end(),
                             [](const PrintRow& r) { return r[1] == QStringLiteral(" "); }));
}

QString joined(const PrintRow& row)
{
    QStringList parts;
    for (const QString& f : row)
        parts << (f.isNull() ? QStringLiteral("~") : f);
    return parts.join(QLatin1Char('|'));
}

QStringList joined(const std::vector<PrintRow>& rows, size_t from = 0, size_t count = size_t(-1))
{
    QStringList out;
    for (size_t i = from; i < rows.size() && i - from < count; ++i)
        out << joined(rows[i]);
    return out;
}

DetailItem detail(const QString& tre, const char* name, const char* amount = "100")
{
    DetailItem d;
    d.tre = tre;
    d.des = QString::fromUtf8(name);
    d.uni = QStringLiteral("式");
    d.qua = QStringLiteral("1");
    d.unp = QString::fromUtf8(amount);
    d.top = QString::fromUtf8(amount);
    return d;
}

QString noTotal(const QString&) { return QStringLiteral("0"); }

} // namespace

TEST(FirstPageTablesTest, AllFeesAndTaxGiveTwentyNineLines)
{
    FirstPageInput in = withGroups(3);
    in.groups[1].subtotal = QStringLiteral("1234567.5");
    in.design = {QStringLiteral("設計費"), true, true, QStringLiteral("3000"), QStringLiteral("0.1"),
                 QStringLiteral("300")};
    in.supervision = {QStringLiteral("監工費"), true, false, QStringLiteral("30"),
                      QStringLiteral("1500"), QStringLiteral("45000")};
    in.taxChecked = true;
    in.lbSumT = QStringLiteral("3000");
    in.lbNtax = QStringLiteral("48300");
    in.lbTax = QStringLiteral("2415");
    in.lbApr = QStringLiteral("50715");
    const FirstPageTables t = BuildFirstPageTables(in);
    ASSERT_EQ(t.pfp.size(), 29u);
    EXPECT_EQ(joined(t.pfp, 0, 10),
              (QStringList{
                  "壹|工種1|式|1|1,000",
                  "貳|工種2|式|1|1,234,567.5",
                  "參|工種3|式|1|1,000",
                  "~|    小  計|~|~|3,000",
                  "~|設計費|總價|10%|300",
                  "~|監工費\t1500元/坪|坪|30|45,000",
                  "~|    合  計|~|~|48,300",
                  "~|    稅  金|~|~|2,415",
                  "~|    總  計|~|~|50,715",
                  "~|總價: 新台幣 伍萬零柒佰壹拾伍 元整(含稅)|~|~|~",
              }));
    EXPECT_EQ(fillers(t.pfp), 19);
    EXPECT_EQ(joined(t.pfp.back()), QStringLiteral("~| |~|~|~"));
}

TEST(FirstPageTablesTest, WithoutFeesOrTaxTheTotalFollowsTheWorkTypes)
{
    FirstPageInput in = withGroups(2);
    in.lbApr = QStringLiteral("2000");
    const FirstPageTables t = BuildFirstPageTables(in);
    EXPECT_EQ(joined(t.pfp, 0, 5),
              (QStringList{"壹|工種1|式|1|1,000", "貳|工種2|式|1|1,000", "~|    合  計|~|~|2,000",
                           "~|    總  計|~|~|2,000", "~|總價: 新台幣 貳仟 元整(未稅)|~|~|~"}));
    EXPECT_EQ(fillers(t.pfp), 20);   // 22 − 2, whichever lines are present
}

TEST(FirstPageTablesTest, FillersDependOnTheWorkTypeCountAlone)
{
    const std::pair<int, int> cases[] = {{0, 0}, {1, 21}, {21, 1}, {22, 0}, {28, 0},
                                         {29, 0}, {30, 21}, {58, 0}};
    for (auto [n, expected] : cases)
        EXPECT_EQ(fillers(BuildFirstPageTables(withGroups(n)).pfp), expected) << n;
}

TEST(FirstPageTablesTest, QuotedTotalIsRoundedHalfToEvenBeforeGroupingAndWords)
{
    FirstPageInput in = withGroups(1);
    in.lbApr = QStringLiteral("12345.5");
    FirstPageTables t = BuildFirstPageTables(in);
    EXPECT_EQ(t.pfp[2][4], QStringLiteral("12,346"));
    EXPECT_EQ(t.pfp[3][1], QStringLiteral("總價: 新台幣 壹萬貳仟參佰肆拾陸 元整(未稅)"));
    in.lbApr = QStringLiteral("12344.5");
    t = BuildFirstPageTables(in);
    EXPECT_EQ(t.pfp[2][4], QStringLiteral("12,344"));
    // Nothing and less than nothing still read as amounts.
    EXPECT_EQ(QuotedTotalInWords(0), QStringLiteral("零"));
    EXPECT_EQ(QuotedTotalInWords(-1200), QStringLiteral("負壹仟貳佰"));
}

TEST(FirstPageTablesTest, RemarksKeepTheirSlotNumber)
{
    FirstPageInput in = withGroups(1);
    in.remarks = {QStringLiteral("甲"), QString(), QString(), QStringLiteral("丁"), QString()};
    const FirstPageTables t = BuildFirstPageTables(in);
    EXPECT_EQ(t.ps[0], QStringLiteral("1. 甲"));
    EXPECT_EQ(t.ps[3], QStringLiteral("4. 丁"));
    EXPECT_TRUE(t.ps[1].isEmpty() && t.ps[2].isEmpty() && t.ps[4].isEmpty());
}

TEST(DetailRowsTest, HeadingNumeralsByLevel)
{
    EXPECT_EQ(HeadingNumeral(1, 3), QStringLiteral("參"));
    EXPECT_EQ(HeadingNumeral(2, 2), QStringLiteral("二"));
    EXPECT_EQ(HeadingNumeral(3, 1), QStringLiteral("A"));
    EXPECT_EQ(HeadingNumeral(3, 26), QStringLiteral("Z"));
    EXPECT_EQ(HeadingNumeral(3, 27), QStringLiteral("AA"));
    EXPECT_EQ(HeadingNumeral(3, 28), QStringLiteral("AB"));
    EXPECT_EQ(HeadingNumeral(3, 53), QStringLiteral("BA"));
    EXPECT_EQ(HeadingNumeral(4, 1), QStringLiteral("a"));
    EXPECT_EQ(HeadingNumeral(4, 27), QStringLiteral("aa"));
    EXPECT_EQ(HeadingNumeral(5, 1), QString());
}

TEST(DetailRowsTest, OneGroupOfThreeItemsFillsOnePageShortOfOneLine)
{
    const QString p = path({"木作"});
    DetailItem a = detail(p, "櫃", "12000");
    a.siz = QStringLiteral("60cm");
    a.qua = QStringLiteral("1234.5");
    a.rem = QStringLiteral("註");
    DetailItem b = detail(p, "門");
    b.qua = QStringLiteral("0");
    b.unp = QStringLiteral("0");
    const auto rows = BuildDetailRows({a, b, detail(p, "窗")}, [&](const QString& path) {
        EXPECT_EQ(path, p);
        return QStringLiteral("12200");
    });
    ASSERT_EQ(rows.size(), 33u);
    EXPECT_EQ(joined(rows, 0, 6),
              (QStringList{"壹|木作|~|~|~|~|~", "1|櫃60cm|式|1,234.5|12,000|12,000|註",
                           "2|門|式|0|0|100|", "3|窗|式|1|100|100|", "~|小計|~|~|~|12,200|~",
                           "~| |~|~|~|~|~"}));
    EXPECT_EQ(fillers(rows), 28);
}

TEST(DetailRowsTest, FillersCompleteThePageOneLineShort)
{
    // n rows before filling (one heading, items, one subtotal) → rows after.
    const std::pair<int, size_t> cases[] = {{34, 34}, {68, 68}, {35, 67}, {33, 33}, {3, 33}};
    for (auto [n, total] : cases) {
        std::vector<DetailItem> items;
        for (int i = 0; i < n - 2; ++i)
            items.push_back(detail(path({"木作"}), "項"));
        EXPECT_EQ(BuildDetailRows(items, noTotal).size(), total) << n;
    }
    EXPECT_TRUE(BuildDetailRows({}, noTotal).empty());
}

TEST(DetailRowsTest, DeeperHeadingsAreNumberedAgainstThePreviousGroup)
{
    const std::vector<DetailItem> items = {
        detail(path({"浴室", "木作"}), "一"),
        detail(path({"浴室", "油漆"}), "二"),
        detail(path({"浴室", "主浴室", "磁磚", "壁面"}), "三"),
        detail(path({"浴室", "主浴室", "磁磚", "地面"}), "四"),
        detail(path({"浴室", "主浴室", "五金"}), "五"),
        detail(path({"客廳", "木作"}), "六"),
        detail(path({"客廳", "木作"}), "七"),
        detail(path({"客廳", "木作", "櫃", "門", "e"}), "八"),   // below the fourth level:
        detail(path({"客廳", "木作", "櫃", "門", "f"}), "九"),   // no heading of its own
    };
    const auto rows = BuildDetailRows(items, noTotal);
    QStringList heads;
    for (const PrintRow& r : rows) {
        if (!r[0].isNull() && r[2].isNull())
            heads << r[0] + QLatin1Char(' ') + r[1];
    }
    EXPECT_EQ(heads, (QStringList{"壹 浴室", "一   木作", "二   油漆", "三   主浴室",
                                  "A     磁磚", "a       壁面", "b       地面", "B     五金",
                                  "貳 客廳", "一   木作", "A     櫃", "a       門"}));
    // Items restart at 1 in each group and run on within one.
    EXPECT_EQ(rows.back()[1], QStringLiteral(" "));
    QStringList numbers;
    for (const PrintRow& r : rows) {
        if (!r[2].isNull())
            numbers << r[0];
    }
    EXPECT_EQ(numbers, (QStringList{"1", "1", "1", "1", "1", "1", "2", "1", "1"}));
}

TEST(DetailRowsTest, RowsOfOnePathArePrintedAsOneGroup)
{
    // Layout 2 with a work type that has levels of its own in two areas: after the area
    // leaves the paths, 木作‧櫃 comes back after 木作‧門.
    const QString cabinets = path({"木作", "櫃"});
    const QString doors = path({"木作", "門"});
    const auto grouped = GroupRowsByPath({detail(cabinets, "浴室a"), detail(doors, "浴室b"),
                                          detail(cabinets, "客廳c"), detail(doors, "客廳d")});
    QStringList names;
    for (const DetailItem& d : grouped)
        names << d.des;
    EXPECT_EQ(names, (QStringList{"浴室a", "客廳c", "浴室b", "客廳d"}));
    const auto rows = BuildDetailRows(grouped, noTotal);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(),
                            [](const PrintRow& r) { return r[1] == QStringLiteral("小計"); }),
              2);
}
