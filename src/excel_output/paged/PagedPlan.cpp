#include "excel_output/paged/PagedPlan.h"

#include "statistics/PrintTables.h"
#include "statistics/StatisticsTable.h"

#include <QHash>

#include <array>
#include <functional>

namespace varn {

namespace {

// Puts the rows of a page sheet one after the other through the page blocks.
class PagedWriter {
public:
    PagedWriter(DetailPlan& plan, const SheetRanges& r, const LayoutFlags& f)
        : m_plan(plan), m_f(f), m_L(r.L()), m_first(r.firstRow()), m_perPage(r.outputRows()),
          m_footer(r.lastRow() - r.lastOutputRow())
    {
        if (m_perPage < 1)
            throw PrintPlanError(QStringLiteral("明細輸出範圍沒有列"));
    }

    void heading(int level, int counter, const QString& name)
    {
        const int row = take();
        m_plan.put(row, m_L, HeadingNumeral(level, counter));
        m_plan.put(row, m_L + 1, QString(level - 1, QLatin1Char(' ')) + name);
    }

    void item(int number, const DetailRow& d)
    {
        const int row = take();
        m_plan.put(row, m_L, double(number));
        m_plan.put(row, m_L + 1, d.des + d.siz);
        m_plan.put(row, m_L + 2, d.uni);
        m_plan.put(row, m_L + 3, d.qua);
        if (!m_f.BlankPrices) {
            m_plan.put(row, m_L + 4, d.unp);
            m_plan.put(row, m_L + 5, d.top);
        }
        m_plan.putRemark(row, m_L + 6, d.rem);
    }

    void subtotal(double amount)
    {
        const int row = take();
        m_plan.put(row, m_L + 1, QStringLiteral("小計"));
        if (!m_f.BlankPrices)
            m_plan.put(row, m_L + 5, amount);
    }

    // The next row goes to the first output row of the next block, unless the current
    // block is still untouched.
    void openBlock()
    {
        const int used = m_written % m_perPage;
        if (used == 0)
            return;
        m_written += m_perPage - used;
        m_offset += m_perPage - used + m_footer;
    }

    int blocks() const { return std::max(1, (m_written + m_perPage - 1) / m_perPage); }
    int rowsWritten() const { return m_rows; }

private:
    int take()
    {
        const int row = m_first + m_offset;
        ++m_written;
        ++m_rows;
        m_offset += (m_written % m_perPage == 0) ? m_footer + 1 : 1;
        return row;
    }

    DetailPlan& m_plan;
    const LayoutFlags& m_f;
    int m_L;
    int m_first;
    int m_perPage;
    int m_footer;
    int m_offset = 0;
    int m_written = 0;   // output rows used, the rows a new block skipped included
    int m_rows = 0;      // rows actually written
};

using GroupKey = std::function<QString(const DetailRow&)>;

// One page group after the other: a block of its own, then for each path in it the
// headings of the levels that differ from the last path shown, its items and, at the
// group's end, the 小計.
DetailPlan planPages(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges,
                     const GroupKey& pageGroup)
{
    DetailPlan plan;
    plan.block = ranges.block();
    PagedWriter out(plan, ranges, flags);

    HeadingCounter headings;
    size_t i = 0;
    while (i < rows.size()) {
        const QString group = pageGroup(rows[i]);
        out.openBlock();
        double amount = 0;
        while (i < rows.size() && pageGroup(rows[i]) == group) {
            const QString& path = rows[i].tre;
            headings.enter(PathLevels(path), [&](int level, int number, const QString& name) {
                out.heading(level, number, name);
            });
            int number = 0;
            for (; i < rows.size() && rows[i].tre == path && pageGroup(rows[i]) == group; ++i) {
                out.item(++number, rows[i]);
                amount += rows[i].top;
            }
        }
        out.subtotal(amount);
    }
    plan.rowsWritten = out.rowsWritten();
    plan.blocks = out.blocks();
    return plan;
}

} // namespace

QString FirstPathLevel(const DetailRow& d)
{
    return PathLevels(d.tre).value(1);
}

DetailPlan PlanAreaPages(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges)
{
    return planPages(rows, flags, ranges, FirstPathLevel);
}

DetailPlan PlanTypePages(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges)
{
    // The rows of one path together, at the place of its first row.
    QHash<QString, std::vector<const DetailRow*>> byPath;
    QStringList order;
    for (const DetailRow& d : rows) {
        auto& list = byPath[d.tre];
        if (list.empty())
            order << d.tre;
        list.push_back(&d);
    }
    std::vector<DetailRow> grouped;
    grouped.reserve(rows.size());
    for (const QString& path : order) {
        for (const DetailRow* d : byPath.value(path))
            grouped.push_back(*d);
    }
    return planPages(grouped, flags, ranges, [](const DetailRow& d) { return d.tre; });
}

std::vector<CoverGroup> FirstLevelGroups(const std::vector<DetailRow>& rows)
{
    std::vector<CoverGroup> groups;
    QHash<QString, size_t> at;
    for (const DetailRow& d : rows) {
        const QString name = FirstPathLevel(d);
        auto it = at.find(name);
        if (it == at.end()) {
            it = at.insert(name, groups.size());
            groups.push_back({name, 0, 0, 0});
        }
        CoverGroup& g = groups[*it];
        g.amount += d.top;
        g.cost += d.toc;
        g.margin = g.amount - g.cost;
    }
    return groups;
}

} // namespace varn
