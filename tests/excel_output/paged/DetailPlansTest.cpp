#include "excel_output/paged/PagedPlan.h"

#include "excel_output/PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

enum class Planner { Detail, AreaDetail, AreaPages, TypePages };

DetailPlan planWith(Planner p, const std::vector<DetailRow>& rows, const LayoutFlags& f = {}, bool noPriceRight = false)
{
    const SheetRanges r = DetailRanges(SmallXp());
    switch (p) {
    case Planner::Detail:
        return PlanDetail(rows, f, noPriceRight, r);
    case Planner::AreaDetail:
        return PlanAreaDetail(rows, f, r);
    case Planner::AreaPages:
        return PlanAreaPages(rows, f, r);
    case Planner::TypePages:
        break;
    }
    return PlanTypePages(rows, f, r);
}

DetailRow row(const QString& tre, const char* name, double top, const char* area = "")
{
    return PlanRow(tre, QString::fromUtf8(name), top, area);
}

const QString F = u"|"_s;   // a footer row, left alone

struct PlanCase {
    const char* name;
    Planner planner;
    std::vector<DetailRow> rows;
    int blocks;
    QStringList lines;                          // A|B of rows 8 .. 8 + lines.size() − 1
    std::vector<std::pair<int, double>> sums;   // 小計 rows and their amounts
};

// Five output rows a block (8-12, 15-19, ...), footer rows 13-14, 20-21, ...
std::vector<PlanCase> cases()
{
    const std::vector<DetailRow> treeOrder{row(Q({"客廳", "木作"}), "電視櫃", 30000), row(Q({"客廳", "木作"}), "書櫃", 50000),
                                           row(Q({"客廳", "油漆"}), "牆面", 16000), row(Q({"主臥", "木作"}), "衣櫃", 48000)};
    const std::vector<DetailRow> deep{row(Q({"a", "b", "c", "d", "e"}), "x", 10)};
    const QStringList deepLines{"壹|a", "一| b", "A|  c", "a|   d", "1|x", F, F, "|小計"};
    std::vector<DetailRow> areas{row(Q({"客廳", "木作"}), "櫃", 100, "客廳"), row(Q({"客廳", "油漆"}), "牆", 30, "客廳")};
    int k = 0;
    for (const char* name : {"床", "桌", "牆", "頂", "門"})
        areas.push_back(row(Q({"主臥", k % 2 ? "油漆" : "木作"}), name, ++k, "主臥"));
    return {
        {"detail: two areas", Planner::Detail, treeOrder, 3,
         {"壹|客廳", "一| 木作", "1|電視櫃", "2|書櫃", "|小計", F, F, "二| 油漆", "1|牆面", "|小計", "貳|主臥", "一| 木作", F, F,
          "1|衣櫃", "|小計"},
         {{12, 80000}, {17, 16000}, {23, 48000}}},
        // Letter case and quotes kept: each path sums its own rows.
        {"detail: exact paths", Planner::Detail,
         {row(Q({"PVC"}), "管", 100), row(Q({"pvc"}), "管", 7), row(Q({"Tom's 房"}), "櫃", 5)}, 2,
         {"壹|PVC", "1|管", "|小計", "貳|pvc", "1|管", F, F, "|小計", "參|Tom's 房", "1|櫃", "|小計", "|"},
         {{10, 100}, {15, 7}, {18, 5}}},
        // Four heading levels at most; the sixth row opens block 2.
        {"detail: deep path", Planner::Detail, deep, 2, deepLines, {{15, 10}}},
        // Exactly five rows: no empty second block.
        {"detail: one full block", Planner::Detail, {row(Q({"a", "b"}), "x", 1), row(Q({"a", "b"}), "y", 2)}, 1,
         {"壹|a", "一| b", "1|x", "2|y", "|小計", F, F, "|"}, {{12, 3}}},
        // 二 主臥 on the block's last row, its five items in the next block, its 小計 opening a third.
        {"area detail", Planner::AreaDetail, areas, 3,
         {"一|客廳", "1|櫃", "2|牆", "|小計", "二|主臥", F, F, "1|床", "2|桌", "3|牆", "4|頂", "5|門", F, F, "|小計"},
         {{11, 130}, {22, 15}}},
        // The paged layouts: every page group from the top of a block of its own.
        {"area pages", Planner::AreaPages, treeOrder, 3,
         {"壹|客廳", "一| 木作", "1|電視櫃", "2|書櫃", "二| 油漆", F, F, "1|牆面", "|小計", "|", "|", "|", F, F, "貳|主臥",
          "一| 木作", "1|衣櫃", "|小計"},
         {{16, 96000}, {25, 48000}}},
        {"type pages, no areas", Planner::TypePages, treeOrder, 3,
         {"壹|客廳", "一| 木作", "1|電視櫃", "2|書櫃", "|小計", F, F, "二| 油漆", "1|牆面", "|小計", "|", "|", F, F, "貳|主臥",
          "一| 木作", "1|衣櫃", "|小計"},
         {{12, 80000}, {17, 16000}, {25, 48000}}},
        {"type pages: five levels, the 小計 opens a block", Planner::TypePages, deep, 2, deepLines, {{15, 10}}},
        {"area pages: same work type in the next area, an item held by its area", Planner::AreaPages,
         {row(Q({"客廳", "油漆"}), "牆", 1), row(Q({"主臥", "油漆"}), "牆", 2), row(Q({"陽台"}), "欄杆", 3)}, 3,
         {"壹|客廳", "一| 油漆", "1|牆", "|小計", "|", F, F, "貳|主臥", "一| 油漆", "1|牆", "|小計", "|", F, F, "參|陽台",
          "1|欄杆", "|小計"},
         {{11, 1}, {18, 2}, {24, 3}}},
        {"type pages: sub-levels of one work type, each leaf a block", Planner::TypePages,
         {row(Q({"木作", "X", "p"}), "a", 1), row(Q({"木作", "Y", "p"}), "b", 2), row(Q({"木作", "Y", "q"}), "c", 4)}, 3,
         {"壹|木作", "一| X", "A|  p", "1|a", "|小計", F, F, "二| Y", "A|  p", "1|b", "|小計", "|", F, F, "B|  q", "1|c",
          "|小計"},
         {{12, 1}, {18, 2}, {24, 4}}},
        {"type pages: paths differing in case or holding an apostrophe stay apart, one path one group",
         Planner::TypePages, {row(Q({"Tom's 房"}), "a", 1), row(Q({"tom's 房"}), "b", 2), row(Q({"Tom's 房"}), "c", 4)}, 2,
         {"壹|Tom's 房", "1|a", "2|c", "|小計", "|", F, F, "貳|tom's 房", "1|b", "|小計"}, {{11, 5}, {17, 2}}},
    };
}

} // namespace

TEST(DetailPlansTest, HeadingsItemsAndSubtotalsRunThroughTheBlocksByExactPath)
{
    for (const PlanCase& c : cases()) {
        const DetailPlan p = planWith(c.planner, c.rows);
        EXPECT_EQ(p.blocks, c.blocks) << c.name;
        EXPECT_EQ(ColumnsAB(p, 7 + int(c.lines.size())), c.lines) << c.name;
        for (auto [r, sum] : c.sums) {
            EXPECT_EQ(p.textAt(r, 2) + p.textAt(r, 6), u"小計"_s + QString::number(sum)) << c.name << " row " << r;
            EXPECT_TRUE(std::holds_alternative<double>(p.at(r, 6)->value)) << c.name;
        }
        for (const PlannedCell& cell : p.cells) {
            EXPECT_LT((cell.row - 8) % 7, 5) << c.name << ": row " << cell.row << " is a footer row";
            EXPECT_LT((cell.row - 8) / 7, p.blocks) << c.name << ": row " << cell.row << " is past the last block";
        }
    }
}

TEST(DetailPlansTest, ColumnsOfEveryFormNeverShowAHiddenPriceOrAStrayCost)
{
    DetailRow d = row(Q({"A", "B"}), "櫃", 1000, "A");
    d.siz = u"60cm"_s;
    d.qua = 2;
    d.unp = 500;
    d.cos = 400;
    d.toc = 800;
    d.rat = 1.25;
    d.rem = u"備註"_s;
    const LayoutFlags costly{.ShowCost = true, .CostReport = true};
    const LayoutFlags blank{.BlankPrices = true};
    // Columns A..J of the item row and of the 小計 row below it. (Blank prices on the
    // detail and paged sheets are the no-price prints'.)
    const struct {
        Planner planner;
        LayoutFlags flags;
        bool noPriceRight;
        QStringList item, subtotal;
    } cases[] = {
        {Planner::Detail, {}, false, {"1", "櫃60cm", "式", "2", "500", "1000", "備註", "", "", ""},
         {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {Planner::Detail, costly, false, {"1", "櫃60cm", "式", "2", "500", "1000", "400", "800", "1.25", "備註"},
         {"", "小計", "", "", "", "1000", "", "800", "200", ""}},
        {Planner::Detail, {.ShowCost = false, .CostReport = true}, false,
         {"1", "櫃60cm", "式", "2", "500", "1000", "", "", "", "備註"}, {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {Planner::Detail, {.ShowCost = true, .BlankPrices = true, .CostReport = true}, true,
         {"1", "櫃60cm", "式", "2", "", "", "400", "800", "", "備註"}, {"", "小計", "", "", "", "", "", "", "", ""}},
        // The area layout shows no 備註 and no cost.
        {Planner::AreaDetail, {}, false, {"1", "櫃60cm", "式", "2", "500", "1000", "", "", "", ""},
         {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {Planner::AreaDetail, blank, false, {"1", "櫃60cm", "式", "2", "", "", "", "", "", ""},
         {"", "小計", "", "", "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        const DetailPlan p = planWith(c.planner, {d}, c.flags, c.noPriceRight);
        const int r = c.planner == Planner::AreaDetail ? 9 : 10;
        EXPECT_EQ(RowTexts(p, r, 10), c.item) << c.item.join(u',').toStdString();
        EXPECT_EQ(RowTexts(p, r + 1, 10), c.subtotal) << c.item.join(u',').toStdString();
    }
}
