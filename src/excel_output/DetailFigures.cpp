#include "excel_output/DetailFigures.h"

#include "platform/text/VbNumber.h"
#include "quotation/PrintedTotals.h"

#include <QHash>

#include <algorithm>
#include <optional>

namespace varn {

namespace {

// The rows of one cover line, by 小計 in the order they first come.
struct Line {
    std::vector<std::vector<size_t>> subtotals;
    QHash<QString, size_t> subtotalAt;
};

// One column of a line's rows made whole: the line's figure to its 小計s, each 小計's to its rows.
void splitLine(std::vector<DetailRow>& rows, const Line& line, std::optional<double> printed,
               double DetailRow::*column)
{
    std::vector<double> exact;
    double lineExact = 0;
    for (const std::vector<size_t>& subtotal : line.subtotals) {
        double sum = 0;
        for (size_t i : subtotal)
            sum += rows[i].*column;
        exact.push_back(sum);
        lineExact += sum;
    }
    const std::vector<double> subtotals = SplitOrRound(exact, printed.value_or(RoundHalfEven(lineExact)));
    for (size_t k = 0; k < line.subtotals.size(); ++k) {
        const std::vector<size_t>& members = line.subtotals[k];
        std::vector<double> items;
        for (size_t i : members)
            items.push_back(rows[i].*column);
        const std::vector<double> whole = SplitOrRound(items, subtotals[k]);
        for (size_t j = 0; j < members.size(); ++j)
            rows[members[j]].*column = whole[j];
    }
}

} // namespace

std::vector<DetailRow> WholeDetailRows(std::vector<DetailRow> rows, const std::vector<CoverGroup>& cover,
                                       const DetailKey& coverLine, const DetailKey& subtotal)
{
    std::vector<Line> lines;
    std::vector<const CoverGroup*> printed;
    QHash<QString, size_t> lineAt;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString name = coverLine(rows[i]);
        auto line = lineAt.find(name);
        if (line == lineAt.end()) {
            line = lineAt.insert(name, lines.size());
            lines.emplace_back();
            const auto g = std::find_if(cover.begin(), cover.end(), [&](const CoverGroup& c) { return c.name == name; });
            printed.push_back(g == cover.end() ? nullptr : &*g);
        }
        Line& l = lines[*line];
        const QString key = subtotal(rows[i]);
        auto s = l.subtotalAt.find(key);
        if (s == l.subtotalAt.end()) {
            s = l.subtotalAt.insert(key, l.subtotals.size());
            l.subtotals.emplace_back();
        }
        l.subtotals[*s].push_back(i);
    }
    for (size_t k = 0; k < lines.size(); ++k) {
        const CoverGroup* g = printed[k];
        splitLine(rows, lines[k], g ? std::optional(g->amount) : std::nullopt, &DetailRow::top);
        splitLine(rows, lines[k], g ? std::optional(g->cost) : std::nullopt, &DetailRow::toc);
    }
    return rows;
}

} // namespace varn
