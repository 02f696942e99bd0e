#include "statistics/StatisticsCommands.h"

#include "platform/db/Database.h"
#include "platform/text/VbNumber.h"
#include "quotation/ItemColumns.h"
#include "quotation/PrintedTotals.h"
#include "quotation/Quotation.h"
#include "statistics/StatisticsTable.h"

#include <array>
#include <cmath>

namespace varn {

namespace {

constexpr int kCols = 7;
const QColor kTotalsBack(255, 192, 192);

// Column titles and widths (twips) of hfgC; column 1's title is the command's.
constexpr std::array<int, kCols> kWidths{500, 3000, 1200, 1200, 1200, 1200, 1100};
const std::array<QString, kCols> kTitles{QString(), QString(), QStringLiteral("小 計"),
                                         QStringLiteral("成本複計"), QStringLiteral("毛 利"),
                                         QStringLiteral("平均比例"), QStringLiteral("佔總價比")};

QString numberText(const QVariant& v)
{
    return CStr(v.toDouble());
}

// Grid columns of the amounts.
constexpr int kAmountCol = 2, kCostCol = 3, kMarginCol = 4;

} // namespace

void CompactShownRows(GridModel& hfgQ)
{
    const int last = hfgQ.rows() - 1;
    int start = 1;
    while (start <= last) {
        int end = start;
        while (end < last && hfgQ.textMatrix(end + 1, QCol::Path).isEmpty())
            ++end;
        // Block [start, end]: its path cell goes back to its first row afterwards.
        const QString path = hfgQ.textMatrix(start, QCol::Path);
        hfgQ.setTextMatrix(start, QCol::Path, QString());
        // From the bottom up, each row without a name goes to the block's end: they end up
        // below the named rows, in reverse order.
        for (int r = end; r >= start; --r) {
            if (hfgQ.textMatrix(r, QCol::Name).isEmpty())
                hfgQ.setRowPosition(r, end);   // the rows below move up one
        }
        hfgQ.setTextMatrix(start, QCol::Path, path);
        start = end + 1;
    }
}

void SetStatisticsGridTitles(GridModel& hfgC)
{
    if (hfgC.cols() != kCols)
        hfgC.setCols(kCols);
    for (int c = 0; c < kCols; ++c) {
        hfgC.setColWidth(c, kWidths[size_t(c)]);
        if (c >= 2)
            hfgC.setTextMatrix(0, c, kTitles[size_t(c)]);
    }
}

QString SharePercent(double part, double whole)
{
    if (whole == 0)
        return {};
    return CStr(RoundHalfEven(RoundHalfEven(part / whole, 2) * 100)) + QLatin1Char('%');
}

QStringList SharePercents(const std::vector<double>& parts, double whole)
{
    std::vector<double> exact;
    double sum = 0;
    for (double part : parts) {
        exact.push_back(whole == 0 ? 0 : part / whole * 100);
        sum += exact.back();
    }
    // Sums of decimals held in binary miss 100 by a trace at most.
    std::optional<std::vector<double>> split;
    if (whole != 0 && std::abs(sum - 100) < 1e-6)
        split = SplitWhole(exact, 100);
    QStringList out;
    for (size_t i = 0; i < parts.size(); ++i)
        out << (split ? CStr((*split)[i]) + QLatin1Char('%') : SharePercent(parts[i], whole));
    return out;
}

StatisticsCommands::StatisticsCommands(Quotation& q, Database& staDb)
    : m_q(q), m_staDb(staDb), m_hfgC(2, kCols)
{
    m_hfgC.setFixedRows(1);
    m_hfgC.setFixedCols(1);
    SetStatisticsGridTitles(m_hfgC);
}

bool StatisticsCommands::run(StatisticsBy by)
{
    CompactShownRows(m_q.hfgQ());
    m_q.selectRoot();
    // Repaint once when filled, and also when a database error cuts the fill short.
    struct RedrawOff {
        GridModel& g;
        explicit RedrawOff(GridModel& grid) : g(grid) { g.setRedraw(false); }
        ~RedrawOff() { g.setRedraw(true); }
    } redrawOff(m_hfgC);
    m_hfgC.clear();
    m_hfgC.setRows(2);
    BuildStatistics(m_staDb, m_q.hfgQ());
    SetStatisticsGridTitles(m_hfgC);
    fill(by);
    hideByRights();
    return !(by == StatisticsBy::WorkType && m_q.noAreaMode());
}

void StatisticsCommands::fill(StatisticsBy by)
{
    Recordset total = m_staDb.openRecordset(QStringLiteral("TOTAL"));
    QVariant grand[4];
    if (!total.eof()) {
        for (int i = 0; i < 4; ++i)
            grand[i] = total.value(i);
    }
    m_hfgC.setTextMatrix(0, 1, by == StatisticsBy::WorkType ? QStringLiteral("       工    種")
                                                             : QStringLiteral("       區    域"));
    const bool byFirstLevel = by == StatisticsBy::Area || m_q.noAreaMode();
    Recordset groups = m_staDb.openRecordset(byFirstLevel ? QStringLiteral("Aot") : QStringLiteral("T"));
    if (groups.eof())
        return;

    m_hfgC.setRows(groups.recordCount() + 2);
    int row = 1;
    for (; !groups.eof(); groups.moveNext(), ++row) {
        m_hfgC.setTextMatrix(row, 1, groups.text(0));
        for (int f = 1; f <= 4; ++f)
            m_hfgC.setTextMatrix(row, f + 1, numberText(groups.value(f)));
    }
    const int totals = m_hfgC.rows() - 1;
    m_hfgC.setTextMatrix(totals, 1, QStringLiteral(" 合 計 "));
    for (int i = 0; i < 4; ++i)
        m_hfgC.setTextMatrix(totals, i + 2, numberText(grand[i]));

    // The groups' shares add up to the totals row's 100%.
    const double whole = grand[0].toDouble();
    std::vector<double> parts;
    for (int r = 1; r < totals; ++r)
        parts.push_back(Val(m_hfgC.textMatrix(r, 2)));
    const QStringList shares = SharePercents(parts, whole);
    for (int r = 1; r < totals; ++r)
        m_hfgC.setTextMatrix(r, 6, shares.at(r - 1));
    m_hfgC.setTextMatrix(totals, 6, SharePercent(whole, whole));
    for (int c = 1; c < kCols; ++c) {
        CellFormat f = m_hfgC.cellFormat(totals, c);
        f.back = kTotalsBack;
        m_hfgC.setCellFormat(totals, c, f);
    }
}

void StatisticsCommands::hideByRights()
{
    if (m_q.noCostRight()) {
        for (int c : {3, 4, 5, 6})
            m_hfgC.setColWidth(c, 0);
    }
    if (m_q.noPriceRight()) {
        for (int c : {2, 4, 5, 6})
            m_hfgC.setColWidth(c, 0);
    }
}

QVector<QStringList> StatisticsCommands::exportRows()
{
    QVector<QStringList> table;
    for (int r = 0; r < m_hfgC.rows(); ++r) {
        QStringList line;
        for (int c = 0; c < m_hfgC.cols(); ++c)
            line << m_hfgC.textMatrix(r, c);
        table << line;
    }

    // Without a group there is no totals row.
    const int totals = m_hfgC.rows() - 1;
    if (totals >= 2) {
        m_q.RecalcGrandTotal();
        std::vector<double> amounts, costs;
        for (int r = 1; r < totals; ++r) {
            amounts.push_back(Val(m_hfgC.textMatrix(r, kAmountCol)));
            costs.push_back(Val(m_hfgC.textMatrix(r, kCostCol)));
        }
        const PrintedTotals printed
            = SplitPrintedTotals(ExactTotalsOf(m_q.pageEnd(), Val(m_hfgC.textMatrix(totals, kAmountCol)), amounts));
        const double costTotal = RoundHalfEven(Val(m_hfgC.textMatrix(totals, kCostCol)));
        const std::vector<double> wholeCosts = SplitOrRound(costs, costTotal);
        auto put = [&table](int r, double amount, double cost) {
            table[r][kAmountCol] = CStr(amount);
            table[r][kCostCol] = CStr(cost);
            table[r][kMarginCol] = CStr(amount - cost);
        };
        for (int r = 1; r < totals; ++r)
            put(r, printed.groups[size_t(r - 1)], wholeCosts[size_t(r - 1)]);
        put(totals, printed.subtotal, costTotal);
    }

    QVector<QStringList> out;
    for (const QStringList& line : table) {
        QStringList shown;
        for (int c = 1; c < m_hfgC.cols(); ++c) {
            if (m_hfgC.colWidth(c) != 0)
                shown << line.at(c);
        }
        out << shown;
    }
    return out;
}

} // namespace varn
