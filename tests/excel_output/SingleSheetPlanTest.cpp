#include "excel_output/SingleSheetPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

QStringList defaults()
{
    QStringList xp;
    for (const QString& v : DefaultXpValues())
        xp << v;
    return xp;
}

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

LayoutFlags single(bool flat = false)
{
    LayoutFlags f;
    f.SingleSheet = true;
    f.FlatList = flat;
    return f;
}

QStringList row(const SheetPlan& p, int r, int lastColumn = 6)
{
    QStringList out;
    for (int c = 1; c <= lastColumn; ++c)
        out << p.textAt(r, c);
    return out;
}

} // namespace

TEST(SingleSheetPlanTest, TheFlatListNumbersItemsStraightThroughWithoutHeadingsOrCosts)
{
    std::vector<DetailRow> rows = items(2);
    rows.push_back(items(1, Q({"主臥", "油漆"}))[0]);
    const SingleSheetPlan p = PlanSingleSheet(rows, pageEnd(), single(true), false, DetailRanges(defaults()),
                                              CoverRanges(defaults()));
    EXPECT_EQ(row(p, 8, 10), (QStringList{"1", "櫃160cm", "組", "1", "100", "100", "", "", "", ""}));
    EXPECT_EQ(row(p, 10), (QStringList{"3", "櫃160cm", "組", "1", "100", "100"}));
    EXPECT_EQ(p.closingRow, 11);
    EXPECT_EQ(row(p, 11), (QStringList{"", "", "", "", "", ""}));
    EXPECT_EQ(p.blocks, 1);
    EXPECT_FALSE(p.long_);
}

TEST(SingleSheetPlanTest, ClosingRowsKeepTheirPlacesWhateverIsLeftOut)
{
    const struct {
        bool design, designByTotal, supervision, tax, noPriceRight, blank;
        QStringList b1, b2, b3, b4, b5;
        QString line, figures;
    } cases[] = {
        {true, true, true, true, false, false,
         {"", "設計費", "總價", "0.1", "60", ""}, {"", "監工費\t1500.0元/坪", "坪", "30", "45000", ""},
         {"", "    合  計", "", "", "", "45660"}, {"", "    稅  金", "", "", "", "2283"},
         {"", "    總  價", "", "", "", "47943.5"},
         u"總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(含稅)"_s, u"NT:$47,944-"_s},
        {false, true, true, false, false, false,
         {"", "", "", "", "", ""}, {"", "監工費\t1500.0元/坪", "坪", "30", "45000", ""},
         {"", "    合  計", "", "", "", "45660"}, {"", "", "", "", "", ""},
         {"", "    總  價", "", "", "", "47943.5"},
         u"總價合計:新台幣肆萬柒仟玖佰肆拾肆元整(未稅)"_s, u"NT:$47,944-"_s},
        {true, false, false, true, true, true,
         {"", "", "", "", "", ""}, {"", "", "", "", "", ""},
         {"", "    合  計", "", "", "", ""}, {"", "    稅  金", "", "", "", ""},
         {"", "", "", "", "", ""},
         u"總價合計:新台幣"_s, u"NT:$"_s},
        {true, true, true, true, false, true,
         {"", "", "", "", "", ""}, {"", "", "", "", "", ""},
         {"", "    合  計", "", "", "", ""}, {"", "    稅  金", "", "", "", ""},
         {"", "    總  價", "", "", "", ""},
         u"總價合計:新台幣"_s, u"NT:$"_s},
    };
    for (const auto& c : cases) {
        PageEndValues pe = pageEnd();
        pe.design.checked = c.design ? CheckState::Checked : CheckState::Unchecked;
        pe.design.byTotal = c.designByTotal;
        pe.supervision.checked = c.supervision ? CheckState::Checked : CheckState::Unchecked;
        pe.taxChecked = c.tax ? CheckState::Checked : CheckState::Unchecked;
        LayoutFlags f = single();
        f.BlankPrices = c.blank;
        const SingleSheetPlan p = PlanSingleSheet(items(3), pe, f, c.noPriceRight, DetailRanges(defaults()),
                                                  CoverRanges(defaults()));
        const std::string where = c.line.toStdString() + (c.design ? " design" : "") + (c.noPriceRight ? " npr" : "");
        // 壹, 一, three items, 小計: rows 8-13; B = 14.
        ASSERT_EQ(p.closingRow, 14) << where;
        EXPECT_EQ(row(p, 15), c.b1) << where;
        EXPECT_EQ(row(p, 16), c.b2) << where;
        EXPECT_EQ(row(p, 17), c.b3) << where;
        EXPECT_EQ(row(p, 18), c.b4) << where;
        EXPECT_EQ(row(p, 19), c.b5) << where;
        EXPECT_EQ(p.textAt(37, 1), c.line) << where;
        EXPECT_EQ(p.textAt(37, 6), c.figures) << where;
        EXPECT_EQ(p.textAt(32, 1), u"有效期限三十天"_s) << where;
        EXPECT_EQ(p.textAt(36, 1), u"訂金三成"_s) << where;
        EXPECT_EQ(p.at(33, 1), nullptr) << where;
        if (c.design && c.designByTotal && !c.blank) {
            EXPECT_EQ(p.at(15, 4)->numberFormat, u"0%"_s) << where;
        }
    }
}

TEST(SingleSheetPlanTest, ALongListPutsTheRemarksAndTheLineAfterTheClosingRows)
{
    // 壹, 一, 20 items, 小計: rows 8-30; B = 31 and its 總價 row 36 reach the remarks (32-36).
    const SingleSheetPlan p = PlanSingleSheet(items(20), pageEnd(), single(), false, DetailRanges(defaults()),
                                              CoverRanges(defaults()));
    EXPECT_TRUE(p.long_);
    EXPECT_EQ(p.closingRow, 31);
    EXPECT_EQ(p.textAt(30, 2), u"小計"_s);
    EXPECT_EQ(p.textAt(36, 2), u"    總  價"_s);
    EXPECT_EQ(p.textAt(37, 1), u"有效期限三十天"_s);
    EXPECT_EQ(p.textAt(41, 1), u"訂金三成"_s);
    EXPECT_EQ(p.lineRow, 42);
    EXPECT_TRUE(p.textAt(42, 1).startsWith(u"總價合計:新台幣"_s));
    // No cell planned twice.
    std::set<std::pair<int, int>> seen;
    for (const PlannedCell& cell : p.cells)
        EXPECT_TRUE(seen.insert({cell.row, cell.column}).second) << cell.row << "," << cell.column;
    // The footer (38-39) goes below the line, rows 38-42 take the look of row 8.
    ASSERT_FALSE(p.copies.empty());
    EXPECT_EQ(p.copies.front().source, CellRange::fromText(u"A38:J39"));
    EXPECT_EQ(p.copies.front().toRow, 43);
    std::vector<int> looked;
    for (size_t i = 1; i < p.copies.size(); ++i) {
        EXPECT_EQ(p.copies[i].source, CellRange::fromText(u"A8:J8"));
        looked.push_back(p.copies[i].toRow);
    }
    EXPECT_EQ(looked, (std::vector<int>{38, 39, 40, 41, 42}));

    // One item fewer still leaves 總價 above the remarks: the sheet is the template's.
    const SingleSheetPlan shortList = PlanSingleSheet(items(15), pageEnd(), single(), false,
                                                      DetailRanges(defaults()), CoverRanges(defaults()));
    EXPECT_FALSE(shortList.long_);
    EXPECT_TRUE(shortList.copies.empty());
    EXPECT_EQ(shortList.lineRow, 37);
}
