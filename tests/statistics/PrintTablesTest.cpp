#include "StatisticsTestSupport.h"

#include "statistics/PrintTables.h"

using namespace varn;
using namespace varn::test;

namespace {

FirstPageInput withGroups(int n, const char* quoted = nullptr)
{
    FirstPageInput in;
    for (int i = 0; i < n; ++i)
        in.groups.push_back({u"工種%1"_s.arg(i + 1), u"1000"_s});
    in.pageEnd.taxChecked = CheckState::Unchecked;
    in.lbSumT = in.pageEnd.quoted = QString::number(n * 1000);
    if (quoted)
        in.pageEnd.quoted = QString::fromLatin1(quoted);
    return in;
}

template <typename Rows>
int count(const Rows& rows, const QString& second)
{
    return int(std::count_if(rows.begin(), rows.end(), [&](const PrintRow& r) { return r[1] == second; }));
}

DetailItem detail(const QString& tre, const char* name)
{
    return {tre, QString::fromUtf8(name), {}, u"式"_s, u"1"_s, u"100"_s, u"100"_s, {}};
}

QString noTotal(const QString&)
{
    return u"0"_s;
}

} // namespace

TEST(FirstPageTablesTest, TheTotalFollowsTheWorkTypesFillersDependOnTheCountAloneAndFiguresAreRoundedAsShown)
{
    FirstPageInput in = withGroups(2);
    in.groups[1].subtotal = u"1234567.5"_s;
    const std::vector<PrintRow> two = BuildFirstPageTables(in).pfp;
    EXPECT_EQ(two[1][4] + two[2][1] + two[3][1], u"1,234,568    合  計    總  計"_s);
    const std::pair<int, int> fillers[] = {{0, 0}, {1, 21}, {2, 20}, {21, 1}, {22, 0}, {29, 0}, {30, 21}, {58, 0}};
    for (auto [n, expected] : fillers)
        EXPECT_EQ(count(BuildFirstPageTables(withGroups(n)).pfp, u" "_s), expected) << n;

    // A discount line before 總計; one filler fewer keeps every closing line on the page.
    FirstPageInput full = withGroups(1);
    full.pageEnd.design.checked = full.pageEnd.supervision.checked = full.pageEnd.taxChecked = CheckState::Checked;
    full.pageEnd.discount = u"-1000"_s;
    const std::vector<PrintRow> pfp = BuildFirstPageTables(full).pfp;
    EXPECT_EQ(pfp.size(), size_t(kFirstPagePeriod));
    EXPECT_EQ(pfp[6][1] + pfp[6][4] + pfp[7][1], u"    折  扣-1,000    總  計"_s);

    // A fee rate by total as a percentage with the rate's decimals up to four, a fifth
    // rounding half away from zero.
    const std::pair<const char*, const char*> rates[]
        = {{"0.1", "10%"},      {"0.125", "12.5%"},   {"0.045", "4.5%"},   {"0.0449", "4.49%"}, {"", "0%"},
           {"0.075", "7.5%"},   {"0.1225", "12.25%"}, {"0.12345", "12.35%"}, {"0.00045", "0.05%"}, {"1.5", "150%"}};
    for (auto [rate, shown] : rates) {
        FirstPageInput in = withGroups(1);
        in.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, {}, QString::fromLatin1(rate), u"100"_s};
        EXPECT_EQ(BuildFirstPageTables(in).pfp[2][3], QString::fromLatin1(shown)) << rate;
    }
    // The quoted total rounded half to even, of any size, before grouping and words.
    const std::tuple<const char*, const char*, const char*> totals[] = {
        {"12345.5", "12,346", "壹萬貳仟參佰肆拾陸"},
        {"12344.5", "12,344", "壹萬貳仟參佰肆拾肆"},
        {"9999999999999", "9,999,999,999,999", "玖萬玖仟玖佰玖拾玖億玖仟玖佰玖拾玖萬玖仟玖佰玖拾玖"},
        {"1E+19", "10,000,000,000,000,000,000", "壹仟億億"},
        {"-1E+20", "-100,000,000,000,000,000,000", "負壹萬億億"},
    };
    for (const auto& [quoted, grouped, words] : totals) {
        const FirstPageTables t = BuildFirstPageTables(withGroups(1, quoted));
        EXPECT_EQ(t.pfp[2][4], QString::fromUtf8(grouped)) << quoted;
        EXPECT_EQ(t.pfp[3][1], u"總價: 新台幣 "_s + QString::fromUtf8(words) + u" 元整(未稅)"_s) << quoted;
    }
    EXPECT_EQ(QuotedTotalInWords(0), u"零"_s);
}



TEST(DetailRowsTest, HeadingsAreNumberedByLevelAgainstThePreviousGroupOnePathIsOneGroupAndFillersEndOneLineShort)
{
    const std::vector<DetailItem> items = {
        detail(path({"浴室", "木作"}), "一"), detail(path({"浴室", "油漆"}), "二"),
        detail(path({"浴室", "主浴室", "磁磚", "壁面"}), "三"), detail(path({"浴室", "主浴室", "磁磚", "地面"}), "四"),
        detail(path({"浴室", "主浴室", "五金"}), "五"), detail(path({"客廳", "木作"}), "六"),
        detail(path({"客廳", "木作"}), "七"),
        detail(path({"客廳", "木作", "櫃", "門", "e"}), "八"),   // below the fourth level:
        detail(path({"客廳", "木作", "櫃", "門", "f"}), "九"),   // no heading of its own
    };
    QStringList heads, numbers;
    for (const PrintRow& r : BuildDetailRows(items, noTotal)) {
        if (!r[2].isNull())
            numbers << r[0];
        else if (!r[0].isNull())
            heads << r[0] + u' ' + r[1];
    }
    EXPECT_EQ(heads, (QStringList{"壹 浴室", "一   木作", "二   油漆", "三   主浴室", "A     磁磚", "a       壁面",
                                  "b       地面", "B     五金", "貳 客廳", "一   木作", "A     櫃", "a       門"}));
    EXPECT_EQ(numbers, (QStringList{"1", "1", "1", "1", "1", "1", "2", "1", "1"}));

    // With the area left out of the paths, 木作‧櫃 comes back after 木作‧門: one group each.
    const QString cabinets = path({"木作", "櫃"}), doors = path({"木作", "門"});
    const auto grouped = GroupRowsByPath(
        {detail(cabinets, "浴室a"), detail(doors, "浴室b"), detail(cabinets, "客廳c"), detail(doors, "客廳d")});
    QStringList names;
    for (const DetailItem& d : grouped)
        names << d.des;
    EXPECT_EQ(names, (QStringList{"浴室a", "客廳c", "浴室b", "客廳d"}));
    EXPECT_EQ(count(BuildDetailRows(grouped, noTotal), u"小計"_s), 2);

    // Numerals by level; fillers one line short of the page.
    const std::tuple<int, int, QString> numerals[]
        = {{3, 26, u"Z"_s}, {3, 27, u"AA"_s}, {3, 53, u"BA"_s}, {4, 27, u"aa"_s}, {5, 1, QString()}};
    for (const auto& [level, counter, numeral] : numerals)
        EXPECT_EQ(HeadingNumeral(level, counter), numeral) << level << "/" << counter;
    // n rows before filling (one heading, items, one subtotal) → rows after.
    const std::pair<int, size_t> pages[] = {{34, 34}, {68, 68}, {35, 67}, {33, 33}, {3, 33}};
    for (auto [n, total] : pages)
        EXPECT_EQ(BuildDetailRows(std::vector<DetailItem>(n - 2, detail(path({"木作"}), "項")), noTotal).size(), total) << n;
    EXPECT_TRUE(BuildDetailRows({}, noTotal).empty());
}
TEST(FirstPageTablesTest, OnlyAFeeWithAnAmountTakesUpTheRoundingAndNeverMoreThanRoundingLeaves)
{
    FirstPageInput in = withGroups(1, "110000.55");
    in.groups[0].subtotal = in.lbSumT = u"100000.5"_s;
    in.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"100000.5"_s, u"0.1"_s, u"10000.05"_s};
    in.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, true, u"100000.5"_s, {}, {}};   // no rate yet: no amount
    const auto amounts = [](const FirstPageInput& input) {
        const std::vector<PrintRow> pfp = BuildFirstPageTables(input).pfp;
        return QStringList{pfp[1][4], pfp[2][4], pfp[3][4], pfp[4][4]};   // 小計, fees, 合計
    };
    EXPECT_EQ(amounts(in), (QStringList{u"100,001"_s, u"10,000"_s, u""_s, u"110,001"_s}));
    // A total that does not match its lines (not recomputed since a file was opened) stays
    // out of the fees.
    in.pageEnd.quoted = u"500000"_s;
    EXPECT_EQ(amounts(in), (QStringList{u"100,000"_s, u"10,000"_s, u""_s, u"500,000"_s}));
}
