#include "excel_output/SingleSheetPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

#include <set>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

std::vector<DetailRow> items(int n, const QString& path = Q({"客廳", "木作"}))
{
    std::vector<DetailRow> rows;
    for (int i = 1; i <= n; ++i) {
        DetailRow d;
        d.tre = path;
        d.des = u"櫃%1"_s.arg(i);
        d.siz = u"60cm"_s;
        d.uni = u"組"_s;
        d.qua = i;
        d.unp = 100;
        d.top = 100.0 * i;
        d.toc = 50;
        d.rem = u"備"_s;
        rows.push_back(d);
    }
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

TEST(SingleSheetPlanTest, ClosingRowsKeepTheirPlacesWhateverIsLeftOut)
{
    // Rows 15.. (B+1 .. B+5, B+6 with a discount) as "B|C|D|E|F".
    const struct {
        bool design, supervision, tax, noPriceRight, blank;
        QStringList closing;
        const char* line;
        const char* figures;
        const char* discount = "";
    } cases[] = {
        {true, true, true, false, false,
         {"設計費|總價|0.1|60|", "監工費\t1500.0元/坪|坪|30|45000|", "    合  計||||45660", "    稅  金||||2283",
          "    總  價||||47943.5"},
         "總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(含稅)", "NT:$47,944-"},
        {false, true, false, false, false,
         {"||||", "監工費\t1500.0元/坪|坪|30|45000|", "    合  計||||45660", "||||", "    總  價||||47943.5"},
         "總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(未稅)", "NT:$47,944-"},
        {true, false, true, true, true,
         {"||||", "||||", "    合  計||||", "    稅  金||||", "||||"}, "總價合計:新台幣", "NT:$"},
        {true, true, true, false, true,
         {"||||", "||||", "    合  計||||", "    稅  金||||", "    總  價||||"}, "總價合計:新台幣", "NT:$"},
        {true, false, true, false, false,
         {"設計費|總價|0.1|60|", "||||", "    合  計||||45660", "    稅  金||||2283", "    折  扣||||-1000",
          "    總  價||||47943.5"},
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
        EXPECT_EQ(p.at(33, 1), nullptr) << where;
    }
    EXPECT_EQ(plan(items(3), pageEnd()).at(15, 4)->numberFormat, u"0%"_s);
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
    std::set<std::pair<int, int>> seen;
    for (const PlannedCell& cell : p.cells)
        EXPECT_TRUE(seen.insert({cell.row, cell.column}).second) << cell.row << "," << cell.column;
    // The footer (38-39) goes below the line, rows 38-42 take the look of row 8.
    ASSERT_EQ(p.copies.size(), 6u);
    EXPECT_EQ(p.copies[0].source, CellRange::fromText(u"A38:J39"));
    EXPECT_EQ(p.copies[0].toRow, 43);
    for (size_t i = 1; i < p.copies.size(); ++i) {
        EXPECT_EQ(p.copies[i].source, CellRange::fromText(u"A8:J8"));
        EXPECT_EQ(p.copies[i].toRow, 37 + int(i));
    }
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
