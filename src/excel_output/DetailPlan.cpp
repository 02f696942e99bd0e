#include "excel_output/DetailPlan.h"

#include "statistics/PrintTables.h"
#include "shared/TextRoutines.h"
#include "statistics/StatisticsTable.h"

#include <array>

namespace varn {

namespace {

class DetailWriter {
public:
    DetailWriter(DetailPlan& plan, const SheetRanges& r, const LayoutFlags& f, bool noPriceRight)
        : m_plan(plan), m_r(r), m_f(f), m_noPriceRight(noPriceRight), m_L(r.L()),
          m_perPage(f.SingleSheet ? 0 : r.outputRows()), m_footer(r.lastRow() - r.lastOutputRow())
    {
    }

    void areaHeading(int counter, const QString& name)
    {
        const int row = take();
        m_plan.put(row, m_L, AmountToChinese(double(counter)));
        m_plan.put(row, m_L + 1, name);
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
        const int L = m_L;
        m_plan.put(row, L, double(number));
        m_plan.put(row, L + 1, d.des + d.siz);
        m_plan.put(row, L + 2, d.uni);
        m_plan.put(row, L + 3, d.qua);
        if (!m_f.BlankPrices) {
            m_plan.put(row, L + 4, d.unp);
            m_plan.put(row, L + 5, d.top);
        }
        if (!m_f.CostReport)
            m_plan.putRemark(row, L + 6, d.rem);
        else if (m_f.ShowCost)
            m_plan.put(row, L + 6, d.cos);
        if (m_f.ShowCost)
            m_plan.put(row, L + 7, d.toc);
        if (m_f.ShowCost && !m_f.BlankPrices)
            m_plan.put(row, L + 8, d.rat);
        if (m_f.CostReport)
            m_plan.putRemark(row, L + 9, d.rem);
    }

    void subtotal(double top, double toc)
    {
        const int row = take();
        m_plan.put(row, m_L + 1, QStringLiteral("小計"));
        if (!m_f.BlankPrices)
            m_plan.put(row, m_L + 5, top);
        if (m_f.ShowCost && !m_noPriceRight) {
            m_plan.put(row, m_L + 7, toc);
            if (!m_f.BlankPrices)
                m_plan.put(row, m_L + 8, top - toc);
        }
    }

    void flatItem(int number, const DetailRow& d)
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
    }

    int rowsWritten() const { return m_written; }
    int nextRow() const { return m_r.firstRow() + m_offset; }

private:
    // The row the next line goes on; every line advances by the same rule.
    int take()
    {
        const int row = m_r.firstRow() + m_offset;
        ++m_written;
        m_offset += (m_perPage > 0 && m_written % m_perPage == 0) ? m_footer + 1 : 1;
        return row;
    }

    DetailPlan& m_plan;
    const SheetRanges& m_r;
    const LayoutFlags& m_f;
    bool m_noPriceRight;
    int m_L;
    int m_perPage;
    int m_footer;
    int m_offset = 0;
    int m_written = 0;
};

} // namespace

DetailPlan PlanDetail(const std::vector<DetailRow>& rows, const LayoutFlags& flags, bool noPriceRight,
                      const SheetRanges& ranges)
{
    DetailPlan plan;
    plan.block = ranges.block();
    DetailWriter out(plan, ranges, flags, noPriceRight);

    if (flags.SingleSheet && flags.FlatList) {
        for (size_t i = 0; i < rows.size(); ++i)
            out.flatItem(int(i) + 1, rows[i]);
        plan.rowsWritten = out.rowsWritten();
        plan.nextRow = out.nextRow();
        return plan;
    }
    HeadingCounter headings;
    size_t i = 0;
    while (i < rows.size()) {
        const QString& path = rows[i].tre;
        headings.enter(PathLevels(path), [&](int level, int number, const QString& name) {
            out.heading(level, number, name);
        });

        double top = 0;
        double toc = 0;
        int number = 0;
        for (; i < rows.size() && rows[i].tre == path; ++i) {
            out.item(++number, rows[i]);
            top += rows[i].top;
            toc += rows[i].toc;
        }
        out.subtotal(top, toc);
    }
    plan.rowsWritten = out.rowsWritten();
    plan.nextRow = out.nextRow();
    const int perPage = ranges.outputRows();
    if (!flags.SingleSheet)
        plan.blocks = std::max(1, (plan.rowsWritten + perPage - 1) / perPage);
    return plan;
}

DetailPlan PlanAreaDetail(const std::vector<DetailRow>& rows, const LayoutFlags& flags, const SheetRanges& ranges)
{
    DetailPlan plan;
    plan.block = ranges.block();
    LayoutFlags f = flags;
    f.SingleSheet = false;
    f.FlatList = true;
    DetailWriter out(plan, ranges, f, false);
    int areaNo = 0;
    size_t i = 0;
    while (i < rows.size()) {
        const QString& area = rows[i].aot;
        out.areaHeading(++areaNo, area);
        double top = 0;
        int number = 0;
        for (; i < rows.size() && rows[i].aot == area; ++i) {
            out.flatItem(++number, rows[i]);
            top += rows[i].top;
        }
        out.subtotal(top, 0);
    }
    plan.rowsWritten = out.rowsWritten();
    plan.nextRow = out.nextRow();
    const int perPage = ranges.outputRows();
    plan.blocks = std::max(1, (plan.rowsWritten + perPage - 1) / perPage);
    return plan;
}

} // namespace varn
