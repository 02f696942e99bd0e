#include "excel_output/CoverPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

CoverInput groups(int n, double amount = 1000)
{
    CoverInput in;
    for (int i = 0; i < n; ++i)
        in.groups.push_back({QStringLiteral("區域%1").arg(i + 1), amount, amount / 2, amount / 2});
    PageEnd::reset(in.pageEnd);
    in.pageEnd.taxChecked = CheckState::Unchecked;
    in.pageEnd.untaxed = u"5000"_s;
    in.pageEnd.quoted = u"5000"_s;
    return in;
}

QStringList defaults()
{
    QStringList xp;
    for (const QString& v : DefaultXpValues())
        xp << v;
    return xp;
}

} // namespace

TEST(CoverPlanTest, OnePageWhileTheRowsStayAboveTheRemarksAndTheTotalLine)
{
    const struct {
        int groups;
        int remarkSlot;   // -1: none
        bool tax;
        int blocks, total, grand, line;
    } cases[] = {
        {0, -1, false, 1, 8, 9, 37},
        {27, -1, false, 1, 35, 36, 37},
        {28, -1, false, 2, 61, 63, 69},
        {26, -1, true, 1, 34, 36, 37},
        {27, -1, true, 2, 61, 63, 69},
        // A remark in the last slot takes row 36, in the first row 32.
        {26, 4, false, 1, 34, 35, 37},
        {27, 4, false, 2, 61, 63, 69},
        {22, 0, false, 1, 30, 31, 37},
        {23, 0, false, 2, 61, 63, 69},
        // 30 output rows, 21 on the last page above its totals block.
        {51, -1, false, 2, 61, 63, 69},
        {52, -1, false, 3, 93, 95, 101},
    };
    for (const auto& c : cases) {
        CoverInput in = groups(c.groups);
        in.pageEnd.taxChecked = c.tax ? CheckState::Checked : CheckState::Unchecked;
        if (c.remarkSlot >= 0)
            in.pageEnd.remarks[size_t(c.remarkSlot)] = u"備註"_s;
        const CoverPlan plan = PlanCover(in, CoverRanges(defaults()));
        const std::string where = std::to_string(c.groups) + " groups, remark " + std::to_string(c.remarkSlot);
        EXPECT_EQ(plan.blocks, c.blocks) << where;
        EXPECT_EQ(plan.totalRow, c.total) << where;
        EXPECT_EQ(plan.grandRow, c.grand) << where;
        EXPECT_EQ(plan.lineRow, c.line) << where;
        EXPECT_EQ(plan.textAt(c.total, 2), u"    合  計"_s) << where;
        EXPECT_EQ(plan.textAt(c.grand, 2), u"    總  計"_s) << where;
        // No cell is planned twice and none lies on a footer row.
        std::set<std::pair<int, int>> seen;
        for (const PlannedCell& cell : plan.cells) {
            EXPECT_TRUE(seen.insert({cell.row, cell.column}).second) << where << " row " << cell.row;
            const int inBlock = (cell.row - 8) % 32;
            EXPECT_LT(inBlock, 30) << where << " row " << cell.row;
        }
    }
}

TEST(CoverPlanTest, ThirteenAreasRunOverThreeSmallPagesSkippingTheFooters)
{
    CoverInput in = groups(13);
    in.groups[0] = {u"Tom's 房"_s, 20000001, 15000000, 5000001};
    in.pageEnd.quoted = u"20000001"_s;
    in.pageEnd.taxChecked = CheckState::Checked;
    in.pageEnd.tax = u"0"_s;
    const CoverPlan plan = PlanCover(in, CoverRanges(SmallXp()));
    EXPECT_TRUE(plan.overflow);
    EXPECT_EQ(plan.blocks, 3);
    EXPECT_EQ(plan.block, CellRange::fromText(u"A8:G19"));
    // Ten on the first page (8-17), the rest from the second page's first output row.
    EXPECT_EQ(plan.textAt(8, 1), u"壹"_s);
    EXPECT_EQ(plan.textAt(8, 2), u"Tom's 房"_s);
    EXPECT_EQ(plan.textAt(8, 5), u"20000001"_s);
    EXPECT_EQ(plan.textAt(17, 1), u"壹拾"_s);
    for (int footer : {18, 19, 30, 31})
        EXPECT_EQ(plan.textAt(footer, 2), QString()) << footer;
    EXPECT_EQ(plan.textAt(20, 1), u"壹拾壹"_s);
    EXPECT_EQ(plan.textAt(22, 1), u"壹拾參"_s);
    // The totals block at the foot of the third page: line 17 + 2 × 12.
    EXPECT_EQ(plan.lineRow, 41);
    EXPECT_EQ(plan.totalRow, 33);
    EXPECT_EQ(plan.textAt(34, 2), u"    稅  金"_s);
    EXPECT_EQ(plan.textAt(35, 5), u"20000001"_s);
    EXPECT_EQ(plan.textAt(41, 1), u"總價合計:新台幣貳仟萬零壹元整(含稅)"_s);
    EXPECT_EQ(plan.textAt(41, 6), u"NT:$20,000,001-"_s);
}

TEST(CoverPlanTest, FeesTaxRemarksAndRightsDecideWhatIsWritten)
{
    CoverInput base = groups(2);
    base.pageEnd.design = {u"設計費"_s, CheckState::Checked, true, u"78200"_s, u"0.1"_s, u"7820"_s};
    base.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500"_s, u"45000"_s};
    base.pageEnd.taxChecked = CheckState::Checked;
    base.pageEnd.untaxed = u"131020"_s;
    base.pageEnd.tax = u"6551.5"_s;
    base.pageEnd.quoted = u"137572"_s;
    base.pageEnd.remarks = {u"有效期限三十天"_s, QString(), QString(), u"訂金三成"_s, QString()};
    base.costTotal = 1000;

    const struct {
        bool showCost, blank;
    } matrix[] = {{false, false}, {false, true}, {true, false}, {true, true}};
    for (const auto& m : matrix) {
        CoverInput in = base;
        in.flags.ShowCost = m.showCost;
        in.flags.BlankPrices = m.blank;
        const CoverPlan p = PlanCover(in, CoverRanges(defaults()));
        const std::string where = std::string("cost ") + (m.showCost ? "T" : "F") + " blank " + (m.blank ? "T" : "F");
        EXPECT_FALSE(p.overflow) << where;
        EXPECT_EQ(p.textAt(8, 3), u"式"_s) << where;
        EXPECT_EQ(p.textAt(8, 4), u"1"_s) << where;
        EXPECT_EQ(p.textAt(8, 5), m.blank ? QString() : u"1000"_s) << where;
        EXPECT_EQ(p.textAt(8, 6), m.showCost ? u"500"_s : QString()) << where;
        EXPECT_EQ(p.textAt(8, 7), m.showCost && !m.blank ? u"500"_s : QString()) << where;
        if (m.blank) {
            // No fee row, no amount: the totals block follows the groups.
            EXPECT_EQ(p.totalRow, 10) << where;
            EXPECT_EQ(p.textAt(10, 5), QString()) << where;
            EXPECT_EQ(p.textAt(12, 5), QString()) << where;
            EXPECT_EQ(p.textAt(37, 1), u"總價合計:新台幣"_s) << where;
            EXPECT_EQ(p.textAt(37, 6), u"NT:$"_s) << where;
            continue;
        }
        EXPECT_EQ(p.textAt(10, 2), u"設計費"_s) << where;
        EXPECT_EQ(p.textAt(10, 3), u"總價"_s) << where;
        EXPECT_EQ(p.textAt(10, 4), u"0.1"_s) << where;
        EXPECT_EQ(p.at(10, 4)->numberFormat, u"0%"_s) << where;
        EXPECT_EQ(p.at(10, 4)->alignment, HorizontalAlignment::Right) << where;
        EXPECT_EQ(p.textAt(10, 5), u"7820"_s) << where;
        EXPECT_EQ(p.textAt(11, 2), u"監工費\t1500元/坪"_s) << where;
        EXPECT_EQ(p.textAt(11, 3), u"坪"_s) << where;
        EXPECT_EQ(p.textAt(11, 4), u"30"_s) << where;
        EXPECT_EQ(p.textAt(11, 5), u"45000"_s) << where;
        EXPECT_EQ(p.totalRow, 12) << where;
        EXPECT_EQ(p.textAt(12, 5), u"131020"_s) << where;
        EXPECT_EQ(p.textAt(12, 6), m.showCost ? u"1000"_s : QString()) << where;
        EXPECT_EQ(p.textAt(12, 7), m.showCost ? u"130020"_s : QString()) << where;
        EXPECT_EQ(p.textAt(13, 2), u"    稅  金"_s) << where;
        EXPECT_EQ(p.textAt(13, 5), u"6552"_s) << where;   // half to even
        EXPECT_EQ(p.textAt(14, 5), u"137572"_s) << where;
        EXPECT_EQ(p.textAt(37, 1), u"總價合計:新台幣壹拾參萬柒仟伍佰柒拾貳元整(含稅)"_s) << where;
        EXPECT_EQ(p.textAt(37, 6), u"NT:$137,572-"_s) << where;
    }
    // Remarks: only the non-empty ones, left-aligned, in rows line − 5 + slot.
    const CoverPlan p = PlanCover(base, CoverRanges(defaults()));
    EXPECT_EQ(p.textAt(32, 1), u"有效期限三十天"_s);
    EXPECT_EQ(p.at(33, 1), nullptr);
    EXPECT_EQ(p.textAt(35, 1), u"訂金三成"_s);
    EXPECT_EQ(p.at(36, 1), nullptr);

    // Without tax: no tax row, 總計 right under 合計, "未稅".
    CoverInput noTax = base;
    noTax.pageEnd.taxChecked = CheckState::Unchecked;
    const CoverPlan q = PlanCover(noTax, CoverRanges(defaults()));
    EXPECT_EQ(q.grandRow, 13);
    EXPECT_TRUE(q.textAt(37, 1).endsWith(u"元整(未稅)"_s));
}

TEST(CoverPlanTest, ZeroAndNegativeTotalsInWordsAndAShortRangeRefused)
{
    CoverInput in = groups(1);
    in.pageEnd.quoted = u"0"_s;
    EXPECT_EQ(PlanCover(in, CoverRanges(defaults())).textAt(37, 1), u"總價合計:新台幣零元整(未稅)"_s);
    in.pageEnd.quoted = u"-1500"_s;
    const CoverPlan negative = PlanCover(in, CoverRanges(defaults()));
    EXPECT_EQ(negative.textAt(37, 1), u"總價合計:新台幣負壹仟伍佰元整(未稅)"_s);
    EXPECT_EQ(negative.textAt(37, 6), u"NT:$-1,500-"_s);

    // Eight output rows cannot hold a second page's totals block.
    QStringList xp = SmallXp();
    xp[11] = u"15"_s;
    EXPECT_THROW(PlanCover(groups(8), CoverRanges(xp)), PrintPlanError);
    EXPECT_NO_THROW(PlanCover(groups(4), CoverRanges(xp)));
}

TEST(CoverPlanTest, TheAreaLayoutShowsAreaTimesRateAndABoldLineOnOnePage)
{
    CoverInput in = groups(2);
    in.areaNoTypes = true;
    in.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500.0"_s, u"45000"_s};
    const CoverPlan p = PlanCover(in, CoverRanges(defaults()));
    EXPECT_EQ(p.textAt(10, 4), u"30 X 1500"_s);
    EXPECT_EQ(p.at(10, 4)->alignment, HorizontalAlignment::Right);
    EXPECT_TRUE(p.at(37, 1)->bold);
    EXPECT_EQ(p.at(37, 1)->fontSize, 14);
    EXPECT_EQ(p.at(37, 6)->fontSize, 12);

    // Over two pages the line keeps the template's font.
    CoverInput many = groups(28);
    many.areaNoTypes = true;
    const CoverPlan q = PlanCover(many, CoverRanges(defaults()));
    EXPECT_FALSE(q.at(69, 1)->bold);
}
