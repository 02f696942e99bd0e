#include "excel_output/DetailPlan.h"

#include "PlanTestSupport.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

DetailRow row(const QString& tre, const char* name, double top, double toc = 0, const char* rem = "")
{
    DetailRow d;
    d.tre = tre;
    d.des = QString::fromUtf8(name);
    d.uni = u"式"_s;
    d.qua = 1;
    d.unp = top;
    d.top = top;
    d.cos = toc;
    d.toc = toc;
    d.rat = toc ? top / toc : 0;
    d.rem = QString::fromUtf8(rem);
    return d;
}

// Column A and B of every planned row, "A|B" in row order (other columns left out).
QStringList lines(const DetailPlan& p, int lastRow)
{
    QStringList out;
    for (int r = 8; r <= lastRow; ++r)
        out << p.textAt(r, 1) + u'|' + p.textAt(r, 2);
    return out;
}

} // namespace

TEST(DetailPlanTest, HeadingsItemsAndSubtotalsRunThroughTheBlocks)
{
    const std::vector<DetailRow> rows{
        row(Q({"A", "木作"}), "櫃", 100), row(Q({"A", "木作"}), "門", 50), row(Q({"A", "油漆"}), "牆", 30),
        row(Q({"B", "木作"}), "櫃", 70),
    };
    const DetailPlan p = PlanDetail(rows, {}, false, DetailRanges(SmallXp()));
    EXPECT_EQ(p.rowsWritten, 12);
    EXPECT_EQ(p.blocks, 3);
    EXPECT_EQ(p.block, CellRange::fromText(u"A8:J14"));
    // Five rows a block, footer rows 13-14, 20-21 left alone.
    EXPECT_EQ(lines(p, 23), (QStringList{
        u"壹|A"_s, u"一| 木作"_s, u"1|櫃"_s, u"2|門"_s, u"|小計"_s,
        u"|"_s, u"|"_s,
        u"二| 油漆"_s, u"1|牆"_s, u"|小計"_s, u"貳|B"_s, u"一| 木作"_s,
        u"|"_s, u"|"_s,
        u"1|櫃"_s, u"|小計"_s}));
    EXPECT_EQ(p.textAt(12, 6), u"150"_s);
    EXPECT_EQ(p.textAt(17, 6), u"30"_s);
    EXPECT_EQ(p.textAt(23, 6), u"70"_s);
}

TEST(DetailPlanTest, ExactlyFullBlocksGetNoEmptyOneAndDeepPathsStopAtFourHeadings)
{
    // 壹 a, 一 b, A c, a d, item, 小計: six rows; with 5-row blocks the sixth opens block 2.
    const std::vector<DetailRow> deep{row(Q({"a", "b", "c", "d", "e"}), "x", 10)};
    const DetailPlan p = PlanDetail(deep, {}, false, DetailRanges(SmallXp()));
    EXPECT_EQ(lines(p, 15), (QStringList{u"壹|a"_s, u"一| b"_s, u"A|  c"_s, u"a|   d"_s, u"1|x"_s,
                                         u"|"_s, u"|"_s, u"|小計"_s}));
    EXPECT_EQ(p.blocks, 2);

    // Four rows fill... five rows exactly: one block.
    const std::vector<DetailRow> five{row(Q({"a", "b"}), "x", 1), row(Q({"a", "b"}), "y", 2)};
    const DetailPlan q = PlanDetail(five, {}, false, DetailRanges(SmallXp()));
    EXPECT_EQ(q.rowsWritten, 5);
    EXPECT_EQ(q.blocks, 1);
}

TEST(DetailPlanTest, PathsAreComparedExactlySoEachSubtotalHoldsItsOwnRows)
{
    const std::vector<DetailRow> rows{
        row(Q({"PVC"}), "管", 100), row(Q({"pvc"}), "管", 7), row(Q({"Tom's 房"}), "櫃", 5),
    };
    const DetailPlan p = PlanDetail(rows, {}, false, DetailRanges(SmallXp()));
    EXPECT_EQ(lines(p, 19), (QStringList{u"壹|PVC"_s, u"1|管"_s, u"|小計"_s, u"貳|pvc"_s, u"1|管"_s,
                                         u"|"_s, u"|"_s, u"|小計"_s, u"參|Tom's 房"_s, u"1|櫃"_s,
                                         u"|小計"_s, u"|"_s}));
    EXPECT_EQ(p.textAt(10, 6), u"100"_s);
    EXPECT_EQ(p.textAt(15, 6), u"7"_s);
    EXPECT_EQ(p.textAt(18, 6), u"5"_s);
}

TEST(DetailPlanTest, ColumnsOfTheEstimateBlankAndCostForms)
{
    DetailRow d = row(Q({"A", "B"}), "櫃", 1000, 800, "備註");
    d.siz = u"60cm"_s;
    d.qua = 2;
    d.unp = 500;
    d.cos = 400;
    d.rat = 1.25;
    // Columns A..J of the item row (row 10) and of the 小計 row (row 11).
    const struct {
        LayoutFlags flags;
        bool noPriceRight;
        QStringList item, subtotal;
    } cases[] = {
        {{}, false,
         {"1", "櫃60cm", "式", "2", "500", "1000", "備註", "", "", ""},
         {"", "小計", "", "", "", "1000", "", "", "", ""}},
        {{.BlankPrices = true}, false,
         {"1", "櫃60cm", "式", "2", "", "", "備註", "", "", ""},
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
        QStringList item, subtotal;
        for (int col = 1; col <= 10; ++col) {
            item << p.textAt(10, col);
            subtotal << p.textAt(11, col);
        }
        EXPECT_EQ(item, c.item) << c.item.join(u',').toStdString();
        EXPECT_EQ(subtotal, c.subtotal) << c.item.join(u',').toStdString();
    }
}

TEST(DetailPlanTest, TheAreaLayoutGroupsByAreaAloneAcrossTheBlocks)
{
    auto areaRow = [](const char* area, const char* type, const char* name, double top) {
        DetailRow d = row(Q({area, type}), name, top);
        d.aot = QString::fromUtf8(area);
        d.siz = u"x"_s;
        return d;
    };
    // 一 客廳, 2 items, 小計, 二 主臥 on the block's last row, its five items from the next
    // block on, and its 小計 opening a third block.
    const std::vector<DetailRow> rows{
        areaRow("客廳", "木作", "櫃", 100), areaRow("客廳", "油漆", "牆", 30), areaRow("主臥", "木作", "床", 1),
        areaRow("主臥", "木作", "桌", 2), areaRow("主臥", "油漆", "牆", 3), areaRow("主臥", "油漆", "頂", 4),
        areaRow("主臥", "木作", "門", 5),
    };
    const DetailPlan p = PlanAreaDetail(rows, {}, DetailRanges(SmallXp()));
    EXPECT_EQ(p.rowsWritten, 11);
    EXPECT_EQ(p.blocks, 3);
    EXPECT_EQ(lines(p, 22), (QStringList{u"一|客廳"_s, u"1|櫃x"_s, u"2|牆x"_s, u"|小計"_s, u"二|主臥"_s,
                                         u"|"_s, u"|"_s,
                                         u"1|床x"_s, u"2|桌x"_s, u"3|牆x"_s, u"4|頂x"_s, u"5|門x"_s,
                                         u"|"_s, u"|"_s,
                                         u"|小計"_s}));
    EXPECT_EQ(p.textAt(11, 6), u"130"_s);
    EXPECT_EQ(p.textAt(22, 6), u"15"_s);
    EXPECT_EQ(p.textAt(15, 5), u"1"_s);   // 單價
    EXPECT_EQ(p.textAt(15, 7), QString());   // no 備註 or cost column

    LayoutFlags blank;
    blank.BlankPrices = true;
    const DetailPlan b = PlanAreaDetail(rows, blank, DetailRanges(SmallXp()));
    EXPECT_EQ(b.textAt(9, 5), QString());
    EXPECT_EQ(b.textAt(9, 6), QString());
    EXPECT_EQ(b.textAt(11, 6), QString());
    EXPECT_EQ(b.textAt(11, 2), u"小計"_s);
}
