#include "excel_output/DetailPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

DetailRow row(const QString& tre, const char* name, double top, const char* area = "")
{
    DetailRow d;
    d.tre = tre;
    d.des = QString::fromUtf8(name);
    d.uni = u"式"_s;
    d.qua = 1;
    d.unp = d.top = top;
    d.aot = QString::fromUtf8(area);
    return d;
}

} // namespace

// Five output rows a block (8-12, 20-24, ...), footer rows 13-14, 20-21 left alone.
TEST(DetailPlanTest, HeadingsItemsAndSubtotalsRunThroughTheBlocksByExactPath)
{
    const struct {
        const char* what;
        std::vector<DetailRow> rows;
        int blocks;
        QStringList lines;                        // A|B of rows 8..
        std::vector<std::pair<int, double>> sums;   // 小計 rows and their amounts
    } cases[] = {
        {"two areas",
         {row(Q({"A", "木作"}), "櫃", 100), row(Q({"A", "木作"}), "門", 50), row(Q({"A", "油漆"}), "牆", 30),
          row(Q({"B", "木作"}), "櫃", 70)},
         3,
         {"壹|A", "一| 木作", "1|櫃", "2|門", "|小計", "|", "|", "二| 油漆", "1|牆", "|小計", "貳|B", "一| 木作", "|",
          "|", "1|櫃", "|小計"},
         {{12, 100 + 50}, {17, 30}, {23, 70}}},
        // Letter case and quotes kept: each path sums its own rows.
        {"exact paths",
         {row(Q({"PVC"}), "管", 100), row(Q({"pvc"}), "管", 7), row(Q({"Tom's 房"}), "櫃", 5)},
         2,
         {"壹|PVC", "1|管", "|小計", "貳|pvc", "1|管", "|", "|", "|小計", "參|Tom's 房", "1|櫃", "|小計", "|"},
         {{10, 100}, {15, 7}, {18, 5}}},
        // Four heading levels at most; the sixth row opens block 2.
        {"deep path", {row(Q({"a", "b", "c", "d", "e"}), "x", 10)}, 2,
         {"壹|a", "一| b", "A|  c", "a|   d", "1|x", "|", "|", "|小計"}, {{15, 10}}},
        // Exactly five rows: no empty second block.
        {"one full block", {row(Q({"a", "b"}), "x", 1), row(Q({"a", "b"}), "y", 2)}, 1,
         {"壹|a", "一| b", "1|x", "2|y", "|小計", "|", "|", "|"}, {{12, 3}}},
    };
    for (const auto& c : cases) {
        const DetailPlan p = PlanDetail(c.rows, {}, false, DetailRanges(SmallXp()));
        EXPECT_EQ(p.blocks, c.blocks) << c.what;
        EXPECT_EQ(p.block, CellRange::fromText(u"A8:J14")) << c.what;
        EXPECT_EQ(ColumnsAB(p, 7 + int(c.lines.size())), c.lines) << c.what;
        for (auto [r, sum] : c.sums)
            EXPECT_EQ(p.textAt(r, 6), QString::number(sum)) << c.what << " row " << r;
    }
}

TEST(DetailPlanTest, ColumnsOfTheEstimateBlankAndCostFormsNeverShowAHiddenPrice)
{
    DetailRow d = row(Q({"A", "B"}), "櫃", 1000);
    d.siz = u"60cm"_s;
    d.qua = 2;
    d.unp = 500;
    d.cos = 400;
    d.toc = 800;
    d.rat = 1.25;
    d.rem = u"備註"_s;
    // Columns A..J of the item row (row 10) and of the 小計 row (row 11).
    const struct {
        LayoutFlags flags;
        bool noPriceRight;
        QStringList item, subtotal;
    } cases[] = {
        {{}, false, {"1", "櫃60cm", "式", "2", "500", "1000", "備註", "", "", ""},
         {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {{.BlankPrices = true}, false, {"1", "櫃60cm", "式", "2", "", "", "備註", "", "", ""},
         {"", "小計", "", "", "", "", "", "", "", ""}},
        {{.ShowCost = true, .CostReport = true}, false,
         {"1", "櫃60cm", "式", "2", "500", "1000", "400", "800", "1.25", "備註"},
         {"", "小計", "", "", "", "1000", "", "800", "200", ""}},
        {{.ShowCost = false, .CostReport = true}, false,
         {"1", "櫃60cm", "式", "2", "500", "1000", "", "", "", "備註"},
         {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {{.ShowCost = true, .BlankPrices = true, .CostReport = true}, true,
         {"1", "櫃60cm", "式", "2", "", "", "400", "800", "", "備註"},
         {"", "小計", "", "", "", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        const DetailPlan p = PlanDetail({d}, c.flags, c.noPriceRight, DetailRanges(SmallXp()));
        EXPECT_EQ(RowTexts(p, 10, 10), c.item) << c.item.join(u',').toStdString();
        EXPECT_EQ(RowTexts(p, 11, 10), c.subtotal) << c.item.join(u',').toStdString();
    }
}

TEST(DetailPlanTest, TheAreaLayoutGroupsByAreaAloneAcrossTheBlocks)
{
    std::vector<DetailRow> rows{row(Q({"客廳", "木作"}), "櫃", 100, "客廳"), row(Q({"客廳", "油漆"}), "牆", 30, "客廳")};
    int k = 0;
    for (const char* name : {"床", "桌", "牆", "頂", "門"})
        rows.push_back(row(Q({"主臥", k % 2 ? "油漆" : "木作"}), name, ++k, "主臥"));
    // 二 主臥 on the block's last row, its five items in the next block, its 小計 opening a third.
    const DetailPlan p = PlanAreaDetail(rows, {}, DetailRanges(SmallXp()));
    EXPECT_EQ(p.blocks, 3);
    EXPECT_EQ(ColumnsAB(p, 22), (QStringList{"一|客廳", "1|櫃", "2|牆", "|小計", "二|主臥", "|", "|", "1|床", "2|桌",
                                             "3|牆", "4|頂", "5|門", "|", "|", "|小計"}));
    EXPECT_EQ(RowTexts(p, 11, 7), (QStringList{"", "小計", "", "", "", "130", ""}));
    EXPECT_EQ(RowTexts(p, 15, 7), (QStringList{"1", "床", "式", "1", "1", "1", ""}));   // no 備註 or cost
    EXPECT_EQ(p.textAt(22, 6), u"15"_s);

    const DetailPlan blank = PlanAreaDetail(rows, {.BlankPrices = true}, DetailRanges(SmallXp()));
    EXPECT_EQ(RowTexts(blank, 9, 6), (QStringList{"1", "櫃", "式", "1", "", ""}));
    EXPECT_EQ(RowTexts(blank, 11, 6), (QStringList{"", "小計", "", "", "", ""}));
}
