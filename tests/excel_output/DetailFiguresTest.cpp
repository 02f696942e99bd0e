#include "excel_output/DetailFigures.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace Qt::StringLiterals;

namespace {

// A row of a cover line (its area or work type) and a 小計 (its path) with its 金額 and 成本複計.
struct Row {
    const char* line;
    const char* subtotal;
    double top, toc;
};

} // namespace

// The cover's figure for a line goes to its 小計s and each 小計's to its rows, each rounded
// down or up, the units to the largest cents and the first on a tie.
TEST(WholeDetailRows, EachLineSplitsOverItsSubtotalsAndEachSubtotalOverItsRows)
{
    using Figures = std::vector<double>;
    const struct {
        const char* name;
        std::vector<Row> rows;
        std::vector<CoverGroup> cover;   // name, amount, cost
        Figures tops, tocs;
    } cases[] = {
        {"items with cents under a whole 小計",
         {{"照明電工", "a", 19240, 0}, {"照明電工", "a", 9180.5, 0}, {"照明電工", "a", 8400.5, 0}},
         {{u"照明電工"_s, 36821, 0, 0}},
         {19240, 9181, 8400},
         {0, 0, 0}},
        {"an area's work types add up to the area's line",
         {{"客廳", "木作", 50.25, 0}, {"客廳", "油漆", 100.5, 0}, {"客廳", "木作", 50.25, 0}},
         {{u"客廳"_s, 201, 0, 0}},
         {51, 100, 50},
         {0, 0, 0}},
        {"a line the cover rounded down rounds its 小計s down",
         {{"主臥", "木作", 100.5, 0}, {"主臥", "油漆", 100, 0}, {"客廳", "木作", 100.5, 0}},
         {{u"客廳"_s, 101, 0, 0}, {u"主臥"_s, 200, 0, 0}},
         {100, 100, 101},
         {0, 0, 0}},
        {"costs split like the amounts",
         {{"木作", "客廳", 40000, 33600}, {"木作", "主臥", 14824, 3901.5}, {"油漆", "主臥", 36820, 7200.5}},
         {{u"木作"_s, 54824, 37502, 17322}, {u"油漆"_s, 36820, 7200, 29620}},
         {40000, 14824, 36820},
         {33600, 3902, 7200}},
        {"a line the cover lacks takes its own rounding",
         {{"", "a", 0.5, 0.25}, {"", "a", 1, 0.25}},
         {},
         {1, 1},   // 1.5 rounds to 2: the row with cents takes the unit
         {0, 0}},
    };
    for (const auto& c : cases) {
        std::vector<DetailRow> rows;
        for (const Row& r : c.rows) {
            DetailRow d;
            d.aot = QString::fromUtf8(r.line);
            d.tre = QString::fromUtf8(r.subtotal);
            d.top = r.top;
            d.toc = r.toc;
            d.unp = d.cos = d.rat = 7.25;   // left as they are
            rows.push_back(d);
        }
        const std::vector<DetailRow> whole = WholeDetailRows(
            rows, c.cover, [](const DetailRow& d) { return d.aot; }, [](const DetailRow& d) { return d.tre; });
        Figures tops, tocs;
        for (const DetailRow& d : whole) {
            tops.push_back(d.top);
            tocs.push_back(d.toc);
            EXPECT_EQ(d.unp + d.cos + d.rat, 3 * 7.25) << c.name;
        }
        EXPECT_EQ(tops, c.tops) << c.name;
        EXPECT_EQ(tocs, c.tocs) << c.name;
    }
}
