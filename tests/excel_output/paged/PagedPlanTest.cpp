#include "excel_output/paged/PagedPlan.h"

#include "excel_output/PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

DetailRow row(const QString& tre, const char* name, double top, const char* rem = "", const char* siz = "")
{
    DetailRow d;
    d.tre = tre;
    d.des = QString::fromUtf8(name);
    d.siz = QString::fromUtf8(siz);
    d.uni = u"式"_s;
    d.qua = 1;
    d.unp = top;
    d.top = top;
    d.cos = top / 2;
    d.toc = top / 2;
    d.rat = 2;
    d.rem = QString::fromUtf8(rem);
    return d;
}

// Every planned cell lies on an output row of a block the plan prepares.
void expectInsideBlocks(const DetailPlan& p, const std::string& where)
{
    for (const PlannedCell& c : p.cells) {
        const int inBlock = (c.row - 8) % 7;
        EXPECT_LT(inBlock, 5) << where << ": row " << c.row << " is a footer row";
        EXPECT_LT((c.row - 8) / 7, p.blocks) << where << ": row " << c.row << " is past the last block";
    }
}

// Two areas sharing the work type 木作, as the tree orders them.
const std::vector<DetailRow> kTreeOrder{
    row(Q({"客廳", "木作"}), "電視櫃", 30000, "", "240cm"), row(Q({"客廳", "木作"}), "書櫃", 50000),
    row(Q({"客廳", "油漆"}), "牆面", 16000), row(Q({"主臥", "木作"}), "衣櫃", 48000, "實木"),
};
// The same after the work-type rewrite, in print order.
const std::vector<DetailRow> kByWorkType{
    row(Q({"木作"}), "客廳電視櫃", 30000, "", "240cm"), row(Q({"木作"}), "客廳書櫃", 50000),
    row(Q({"木作"}), "主臥衣櫃", 48000, "實木"), row(Q({"油漆"}), "客廳牆面", 16000),
};

struct PlanCase {
    const char* name;
    bool byArea;                  // PlanAreaPages, else PlanTypePages
    std::vector<DetailRow> rows;
    int blocks;
    QStringList lines;            // rows 8 .. 8 + lines.size() − 1
    std::vector<std::pair<int, const char*>> subtotals;   // row, amount in F
};

const QString kFooter = u"|"_s;

std::vector<PlanCase> cases()
{
    return {
        {"two areas by area", true, kTreeOrder, 3,
         {u"壹|客廳"_s, u"一| 木作"_s, u"1|電視櫃240cm"_s, u"2|書櫃"_s, u"二| 油漆"_s, kFooter, kFooter,
          u"1|牆面"_s, u"|小計"_s, u"|"_s, u"|"_s, u"|"_s, kFooter, kFooter,
          u"貳|主臥"_s, u"一| 木作"_s, u"1|衣櫃"_s, u"|小計"_s},
         {{16, "96000"}, {25, "48000"}}},
        {"two areas by work type", false, kByWorkType, 2,
         {u"壹|木作"_s, u"1|客廳電視櫃240cm"_s, u"2|客廳書櫃"_s, u"3|主臥衣櫃"_s, u"|小計"_s, kFooter, kFooter,
          u"貳|油漆"_s, u"1|客廳牆面"_s, u"|小計"_s},
         {{12, "128000"}, {17, "16000"}}},
        {"no areas, tree order by work type", false, kTreeOrder, 3,
         {u"壹|客廳"_s, u"一| 木作"_s, u"1|電視櫃240cm"_s, u"2|書櫃"_s, u"|小計"_s, kFooter, kFooter,
          u"二| 油漆"_s, u"1|牆面"_s, u"|小計"_s, u"|"_s, u"|"_s, kFooter, kFooter,
          u"貳|主臥"_s, u"一| 木作"_s, u"1|衣櫃"_s, u"|小計"_s},
         {{12, "80000"}, {17, "16000"}, {25, "48000"}}},
        {"five levels: the 小計 opens a block", false, {row(Q({"a", "b", "c", "d", "e"}), "x", 10)}, 2,
         {u"壹|a"_s, u"一| b"_s, u"A|  c"_s, u"a|   d"_s, u"1|x"_s, kFooter, kFooter, u"|小計"_s},
         {{15, "10"}}},
        {"five levels by area", true, {row(Q({"a", "b", "c", "d", "e"}), "x", 10)}, 2,
         {u"壹|a"_s, u"一| b"_s, u"A|  c"_s, u"a|   d"_s, u"1|x"_s, kFooter, kFooter, u"|小計"_s},
         {{15, "10"}}},
        {"same work type in the next area, an item held by its area", true,
         {row(Q({"客廳", "油漆"}), "牆", 1), row(Q({"主臥", "油漆"}), "牆", 2), row(Q({"陽台"}), "欄杆", 3)}, 3,
         {u"壹|客廳"_s, u"一| 油漆"_s, u"1|牆"_s, u"|小計"_s, u"|"_s, kFooter, kFooter,
          u"貳|主臥"_s, u"一| 油漆"_s, u"1|牆"_s, u"|小計"_s, u"|"_s, kFooter, kFooter,
          u"參|陽台"_s, u"1|欄杆"_s, u"|小計"_s},
         {{11, "1"}, {18, "2"}, {24, "3"}}},
        {"sub-levels of one work type, each leaf a block", false,
         {row(Q({"木作", "X", "p"}), "a", 1), row(Q({"木作", "Y", "p"}), "b", 2), row(Q({"木作", "Y", "q"}), "c", 4)},
         3,
         {u"壹|木作"_s, u"一| X"_s, u"A|  p"_s, u"1|a"_s, u"|小計"_s, kFooter, kFooter,
          u"二| Y"_s, u"A|  p"_s, u"1|b"_s, u"|小計"_s, u"|"_s, kFooter, kFooter,
          u"B|  q"_s, u"1|c"_s, u"|小計"_s},
         {{12, "1"}, {18, "2"}, {24, "4"}}},
        {"paths differing in case or holding an apostrophe stay apart", false,
         {row(Q({"Tom's 房"}), "a", 1), row(Q({"tom's 房"}), "b", 2), row(Q({"Tom's 房"}), "c", 4)}, 2,
         {u"壹|Tom's 房"_s, u"1|a"_s, u"2|c"_s, u"|小計"_s, u"|"_s, kFooter, kFooter,
          u"貳|tom's 房"_s, u"1|b"_s, u"|小計"_s},
         {{11, "5"}, {17, "2"}}},
    };
}

} // namespace

TEST(PagedPlanTest, EveryGroupStartsABlockOfItsOwnWithItsHeadingsItemsAndSubtotal)
{
    const SheetRanges detail = DetailRanges(SmallXp());
    for (const PlanCase& c : cases()) {
        const std::string where = c.name;
        const DetailPlan p = c.byArea ? PlanAreaPages(c.rows, {}, detail) : PlanTypePages(c.rows, {}, detail);
        EXPECT_EQ(p.block, CellRange::fromText(u"A8:J14")) << where;
        EXPECT_EQ(p.blocks, c.blocks) << where;
        EXPECT_EQ(ColumnsAB(p, 7 + int(c.lines.size())), c.lines) << where;
        for (const auto& [r, amount] : c.subtotals) {
            EXPECT_EQ(p.textAt(r, 2), u"小計"_s) << where << " row " << r;
            EXPECT_EQ(p.textAt(r, 6), QString::fromUtf8(amount)) << where << " row " << r;
            ASSERT_NE(p.at(r, 6), nullptr);
            EXPECT_TRUE(std::holds_alternative<double>(p.at(r, 6)->value)) << where;
        }
        expectInsideBlocks(p, where);
    }
}

TEST(PagedPlanTest, ItemRowsShowPricesAndRemarksButNeverCostsAndBlankPricesStayBlank)
{
    const SheetRanges detail = DetailRanges(SmallXp());
    LayoutFlags costly;   // what a cost print may have left: no cost shows on a page sheet
    costly.ShowCost = costly.CostReport = true;
    LayoutFlags blank;
    blank.BlankPrices = true;
    for (bool byArea : {true, false}) {
        const std::vector<DetailRow>& rows = byArea ? kTreeOrder : kByWorkType;
        const auto plan = [&](const LayoutFlags& f) {
            return byArea ? PlanAreaPages(rows, f, detail) : PlanTypePages(rows, f, detail);
        };
        const DetailPlan priced = plan(costly);
        const DetailPlan none = plan(blank);
        // The 主臥 衣櫃 row: third row of block 2 by area, fourth row of block 0 by work type.
        const int r = byArea ? 24 : 11;
        EXPECT_EQ(priced.textAt(r, 3), u"式"_s);
        EXPECT_EQ(priced.textAt(r, 4), u"1"_s);
        EXPECT_EQ(priced.textAt(r, 5), u"48000"_s);
        EXPECT_EQ(priced.textAt(r, 6), u"48000"_s);
        EXPECT_EQ(priced.textAt(r, 7), u"實木"_s);
        EXPECT_EQ(none.textAt(r, 4), u"1"_s);
        EXPECT_EQ(none.textAt(r, 7), u"實木"_s);
        for (const DetailPlan* p : {&priced, &none}) {
            for (const PlannedCell& c : p->cells)
                EXPECT_LE(c.column, 7) << "byArea " << byArea << " row " << c.row;
        }
        for (const PlannedCell& c : none.cells) {
            EXPECT_NE(c.column, 5) << "byArea " << byArea << " row " << c.row;
            EXPECT_NE(c.column, 6) << "byArea " << byArea << " row " << c.row;
        }
        // Four items without 單價 and 金額, two 小計 rows without their amount.
        EXPECT_EQ(none.cells.size() + 4 * 2 + 2, priced.cells.size());
    }
}
