#include "excel_output/CoverPlan.h"
#include "excel_output/SingleSheetPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

// No cell is planned twice: no row overwrites another.
void expectEachCellOnce(const SheetPlan& plan, const std::string& where)
{
    std::set<std::pair<int, int>> seen;
    for (const PlannedCell& cell : plan.cells)
        EXPECT_TRUE(seen.insert({cell.row, cell.column}).second) << where << " row " << cell.row << " column " << cell.column;
}

CoverInput groups(int n, double amount = 1000)
{
    CoverInput in;
    for (int i = 0; i < n; ++i)
        in.groups.push_back({QStringLiteral("區域%1").arg(i + 1), amount, amount / 2, amount / 2});
    PageEnd::reset(in.pageEnd);
    in.pageEnd.taxChecked = CheckState::Unchecked;
    in.pageEnd.untaxed = in.pageEnd.quoted = u"5000"_s;
    return in;
}

std::vector<DetailRow> items(int n)
{
    std::vector<DetailRow> rows;
    for (int i = 1; i <= n; ++i)
        rows.push_back(PlanRow(Q({"客廳", "木作"}), u"櫃%1"_s.arg(i), 100.0 * i));
    return rows;
}

PageEndValues pageEnd()
{
    PageEndValues pe;
    pe.design = {u"設計費"_s, CheckState::Checked, true, u"600"_s, u"0.1"_s, u"60"_s};
    pe.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500.0"_s, u"45000"_s};
    pe.taxChecked = CheckState::Checked;
    pe.untaxed = u"45660"_s;
    pe.tax = u"2283"_s;
    pe.quoted = u"47943.5"_s;
    pe.remarks = {u"有效期限三十天"_s, QString(), QString(), QString(), u"訂金三成"_s};
    return pe;
}

SingleSheetPlan plan(const std::vector<DetailRow>& rows, const PageEndValues& pe, LayoutFlags f = {},
                     bool noPriceRight = false)
{
    f.SingleSheet = true;
    return PlanSingleSheet(rows, pe, f, noPriceRight, DetailRanges(DefaultXpValues()), CoverRanges(DefaultXpValues()));
}

} // namespace

TEST(CoverPlanTest, TheRowsNeverRunIntoTheRemarksTheTotalLineOrAFooter)
{
    const struct {
        int groups, remarkSlot;   // -1: no remark
        bool tax, discount;
        int blocks, total, grand, line;
    } cases[] = {
        {0, -1, false, false, 1, 8, 9, 37},    {27, -1, false, false, 1, 35, 36, 37},
        {28, -1, false, false, 2, 61, 63, 69}, {26, -1, true, false, 1, 34, 36, 37},
        {27, -1, true, false, 2, 61, 63, 69},
        // A remark in the last slot takes row 36, in the first row 32.
        {26, 4, false, false, 1, 34, 35, 37},  {27, 4, false, false, 2, 61, 63, 69},
        {22, 0, false, false, 1, 30, 31, 37},  {23, 0, false, false, 2, 61, 63, 69},
        // 30 output rows, 21 on the last page above its totals block.
        {51, -1, false, false, 2, 61, 63, 69}, {52, -1, false, false, 3, 93, 95, 101},
        // A discount row before 總計 counts as the tax row does, at the foot of a page too.
        {25, -1, true, true, 1, 33, 36, 37},   {26, -1, true, true, 2, 60, 63, 69},
        {26, -1, false, true, 1, 34, 36, 37},  {51, -1, false, true, 3, 92, 95, 101},
    };
    for (const auto& c : cases) {
        CoverInput in = groups(c.groups);
        in.pageEnd.taxChecked = c.tax ? CheckState::Checked : CheckState::Unchecked;
        in.pageEnd.discount = c.discount ? u"-365"_s : QString();
        if (c.remarkSlot >= 0)
            in.pageEnd.remarks[size_t(c.remarkSlot)] = u"備註"_s;
        const CoverPlan plan = PlanCover(in, CoverRanges(DefaultXpValues()));
        const std::string where = std::to_string(c.groups) + " groups, remark " + std::to_string(c.remarkSlot)
                                  + (c.discount ? " discount" : "");
        EXPECT_EQ((std::vector<int>{plan.blocks, plan.totalRow, plan.grandRow, plan.lineRow}),
                  (std::vector<int>{c.blocks, c.total, c.grand, c.line})) << where;
        EXPECT_EQ(plan.textAt(c.total, 2), u"    合  計"_s) << where;
        EXPECT_EQ(plan.textAt(c.grand, 2), u"    總  計"_s) << where;
        if (c.discount) {
            EXPECT_EQ(RowTexts(plan, c.grand - 1, 5).join(u'|'), u"|    折  扣|||-365"_s) << where;
        }
        expectEachCellOnce(plan, where);
        for (const PlannedCell& cell : plan.cells)
            EXPECT_LT((cell.row - 8) % 32, 30) << where << " footer row " << cell.row;
    }
}

TEST(CoverPlanTest, PricesCostsAndFeesFollowTheFlagsTotalsAreTheQuotationsAndAShortRangeIsRefused)
{
    CoverInput base = groups(2);
    PageEndValues& pe = base.pageEnd;
    pe.design = {u"設計費"_s, CheckState::Checked, true, u"78200"_s, u"0.1"_s, u"7820"_s};
    pe.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500"_s, u"45000"_s};
    pe.taxChecked = CheckState::Checked;
    pe.untaxed = u"131020"_s;
    pe.tax = u"6551.5"_s;
    pe.quoted = u"137572"_s;
    pe.remarks = {u"有效期限三十天"_s, QString(), QString(), u"訂金三成"_s, QString()};
    base.costTotal = 1000;
    base.flags.ShowCost = true;
    // E|F|G (amount, cost, margin) of the first group and of 合計, then 稅金 (rounded half
    // to even) and 總計; with blank prices no fee row, no amount, no margin, and the totals
    // block follows the groups.
    const CoverPlan p = PlanCover(base, CoverRanges(DefaultXpValues()));
    CoverInput blankIn = base;
    blankIn.flags.BlankPrices = true;
    const CoverPlan blank = PlanCover(blankIn, CoverRanges(DefaultXpValues()));
    for (const auto& [plan, figures] : {std::pair{&p, u"1000|500|500 131020|1000|130020 6552 137572"_s},
                                        std::pair{&blank, u"|500| |1000|  "_s}}) {
        auto efg = [&](int r) { return plan->textAt(r, 5) + u'|' + plan->textAt(r, 6) + u'|' + plan->textAt(r, 7); };
        const int total = plan->totalRow;
        const QStringList shown{efg(8), efg(total), plan->textAt(total + 1, 5), plan->textAt(total + 2, 5)};
        EXPECT_EQ(shown.join(u' '), figures);
    }
    EXPECT_EQ(blank.totalRow, 10);
    EXPECT_EQ(p.textAt(37, 1) + p.textAt(37, 6), u"總價合計:新台幣壹拾參萬柒仟伍佰柒拾貳元整(含稅)NT:$137,572-"_s);
    EXPECT_EQ(blank.textAt(37, 1) + blank.textAt(37, 6), u"總價合計:新台幣NT:$"_s);
    // The fees, the rate by total as a percentage.
    EXPECT_EQ(RowTexts(p, 10, 5), (QStringList{"", "設計費", "總價", "0.1", "7820"}));
    EXPECT_EQ(p.at(10, 4)->numberFormat, u"0%"_s);
    EXPECT_EQ(RowTexts(p, 11, 5), (QStringList{"", "監工費\t1500元/坪", "坪", "30", "45000"}));
    // Only the non-empty remarks, in rows line − 5 + slot; they and the total line's words
    // and figures each span their columns.
    EXPECT_EQ(p.textAt(32, 1), u"有效期限三十天"_s);
    EXPECT_EQ(p.textAt(35, 1), u"訂金三成"_s);
    EXPECT_EQ(p.at(33, 1), nullptr);
    EXPECT_EQ(p.merges, (std::vector<CellRange>{CellRange::fromText(u"A37:E37"), CellRange::fromText(u"F37:G37"),
                                               CellRange::fromText(u"A32:G32"), CellRange::fromText(u"A35:G35")}));
    // Without tax: no tax row, 總計 right under 合計, "未稅".
    base.pageEnd.taxChecked = CheckState::Unchecked;
    const CoverPlan q = PlanCover(base, CoverRanges(DefaultXpValues()));
    EXPECT_EQ(q.grandRow, 13);
    EXPECT_TRUE(q.textAt(37, 1).endsWith(u"元整(未稅)"_s));

    // A negative total; the area layout.
    CoverInput in = groups(1);
    in.pageEnd.quoted = u"-1500"_s;
    in.areaNoTypes = true;
    in.pageEnd.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500.0"_s, u"45000"_s};
    const CoverPlan negative = PlanCover(in, CoverRanges(DefaultXpValues()));
    EXPECT_EQ(negative.textAt(37, 1) + negative.textAt(37, 6), u"總價合計:新台幣負壹仟伍佰元整(未稅)NT:$-1,500-"_s);
    // The area layout shows area × rate, its total line bold on a one-page cover only.
    EXPECT_EQ(negative.textAt(9, 4), u"30 X 1500"_s);
    EXPECT_TRUE(negative.at(37, 1)->bold);
    CoverInput many = groups(28);
    many.areaNoTypes = true;
    EXPECT_FALSE(PlanCover(many, CoverRanges(DefaultXpValues())).at(69, 1)->bold);
    // Eight output rows cannot hold a second page's totals block.
    QStringList xp = SmallXp();
    xp[11] = u"15"_s;
    EXPECT_THROW(PlanCover(groups(8), CoverRanges(xp)), PrintPlanError);
    EXPECT_NO_THROW(PlanCover(groups(4), CoverRanges(xp)));
}

TEST(SingleSheetPlanTest, ClosingRowsKeepTheirPlacesWhateverIsLeftOut)
{
    // Rows 15.. (B+1 .. B+5, B+6 with a discount) as "B|C|D|E|F": the fees under 複價 (F)
    // with the totals, 單價 (E) empty, so that the column adds up to 合計.
    const struct {
        bool design, supervision, tax, noPriceRight, blank;
        QStringList closing;
        const char* line;
        const char* figures;
        const char* discount = "";
    } cases[] = {
        {true, true, true, false, false,
         {"設計費|總價|0.1||60", "監工費\t1500.0元/坪|坪|30||45000", "    合  計||||45661", "    稅  金||||2283",
          "    總  價||||47944"},
         "總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(含稅)", "NT:$47,944-"},
        {false, true, false, false, false,
         {"||||", "監工費\t1500.0元/坪|坪|30||45000", "    合  計||||47944", "||||", "    總  價||||47944"},
         "總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(未稅)", "NT:$47,944-"},
        {true, false, true, true, true,
         {"||||", "||||", "    合  計||||", "    稅  金||||", "||||"}, "總價合計:新台幣", "NT:$"},
        {true, true, true, false, true,
         {"||||", "||||", "    合  計||||", "    稅  金||||", "    總  價||||"}, "總價合計:新台幣", "NT:$"},
        {true, false, true, false, false,
         {"設計費|總價|0.1||60", "||||", "    合  計||||46661", "    稅  金||||2283", "    折  扣||||-1000",
          "    總  價||||47944"},
         "總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(含稅)", "NT:$47,944-", "-1000"},
    };
    for (const auto& c : cases) {
        PageEndValues pe = pageEnd();
        pe.design.checked = c.design ? CheckState::Checked : CheckState::Unchecked;
        pe.supervision.checked = c.supervision ? CheckState::Checked : CheckState::Unchecked;
        pe.taxChecked = c.tax ? CheckState::Checked : CheckState::Unchecked;
        pe.discount = QString::fromUtf8(c.discount);
        const SingleSheetPlan p = plan(items(3), pe, {.BlankPrices = c.blank}, c.noPriceRight);
        const std::string where = std::string(c.line) + (c.design ? " design" : "") + (c.noPriceRight ? " npr" : "");
        // 壹, 一, three items, 小計: rows 8-13; B = 14.
        ASSERT_EQ(p.closingRow, 14) << where;
        QStringList closing;
        for (int r = 15; r <= 20; ++r)
            closing << RowTexts(p, r, 6).mid(1).join(u'|');
        EXPECT_EQ(closing, c.closing + QStringList(6 - c.closing.size(), u"||||"_s)) << where;
        EXPECT_EQ(p.textAt(37, 1), QString::fromUtf8(c.line)) << where;
        EXPECT_EQ(p.textAt(37, 6), QString::fromUtf8(c.figures)) << where;
        EXPECT_EQ(RowTexts(p, 32, 1) + RowTexts(p, 36, 1), (QStringList{"有效期限三十天", "訂金三成"})) << where;
    }

    // Fees with a half: rounded down or up so that the column adds up to 合計, grouped like
    // the amounts above them.
    PageEndValues half = pageEnd();
    half.design.amount = u"60.5"_s;
    half.supervision.amount = u"45001.5"_s;
    const SingleSheetPlan p = plan(items(3), half);
    EXPECT_EQ(p.textAt(15, 6) + u'|' + p.textAt(16, 6), u"60|45001"_s);
    for (int row : {15, 16}) {
        EXPECT_EQ(p.at(row, 5), nullptr) << row;
        ASSERT_NE(p.at(row, 6), nullptr) << row;
        EXPECT_EQ(p.at(row, 6)->numberFormat, u"#,##0"_s) << row;
    }
}

TEST(SingleSheetPlanTest, ALongListPutsTheRemarksAndTheLineAfterTheClosingRows)
{
    // 壹, 一, 20 items, 小計: rows 8-30; B = 31 and its 總價 row 36 reach the remarks (32-36).
    const SingleSheetPlan p = plan(items(20), pageEnd());
    EXPECT_TRUE(p.long_);
    EXPECT_EQ(p.closingRow, 31);
    EXPECT_EQ(p.textAt(36, 2), u"    總  價"_s);
    EXPECT_EQ(p.textAt(37, 1), u"有效期限三十天"_s);
    EXPECT_EQ(p.textAt(41, 1), u"訂金三成"_s);
    EXPECT_EQ(p.lineRow, 42);
    EXPECT_TRUE(p.textAt(42, 1).startsWith(u"總價合計:新台幣"_s));
    expectEachCellOnce(p, "long list");
    // The footer (38-39) goes below the line, rows 38-42 take the look of row 8.
    QStringList copies;
    for (const auto& copy : p.copies)
        copies << copy.source.toString() + u'>' + QString::number(copy.toRow);
    EXPECT_EQ(copies, (QStringList{"A38:J39>43", "A8:J8>38", "A8:J8>39", "A8:J8>40", "A8:J8>41", "A8:J8>42"}));
    // Five items fewer leave 總價 above the remarks: the sheet is the template's.
    const SingleSheetPlan shortList = plan(items(15), pageEnd());
    EXPECT_FALSE(shortList.long_);
    EXPECT_TRUE(shortList.copies.empty());
    EXPECT_EQ(shortList.lineRow, 37);
    // A discount row takes the place of the remarks' first row: they follow it instead.
    PageEndValues discounted = pageEnd();
    discounted.discount = u"-1000"_s;
    const SingleSheetPlan moved = plan(items(15), discounted);
    EXPECT_TRUE(moved.long_);
    EXPECT_EQ(RowTexts(moved, 32, 2) + RowTexts(moved, 33, 1), (QStringList{"", "    總  價", "有效期限三十天"}));
    EXPECT_EQ(moved.lineRow, 38);
}
