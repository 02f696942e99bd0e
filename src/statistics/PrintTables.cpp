#include "statistics/PrintTables.h"

#include "platform/text/VbNumber.h"
#include "quotation/PrintedTotals.h"
#include "shared/TextRoutines.h"
#include "statistics/StatisticsTable.h"

#include <QHash>

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

const QString kUnset;   // a null text: the field is not written

PrintRow pfpLine(const QString& num, const QString& text, const QString& unit = kUnset,
                 const QString& qty = kUnset, const QString& amount = kUnset)
{
    return {num, text, unit, qty, amount};
}

// The rate in hundredths of a percent, a half away from zero as the display formats round
// it, judged on the 15-digit form so that 0.00045 is a half.
double rateHundredths(double rate)
{
    return std::round(Val(CStr(rate * 10000)));
}

int rateDecimals(double rate)
{
    const double hundredths = rateHundredths(rate);
    if (std::fmod(hundredths, 100) == 0)
        return 0;
    return std::fmod(hundredths, 10) == 0 ? 1 : 2;
}

PrintRow feeLine(const FeeValues& fee, const std::optional<double>& amount)
{
    // A fee without an amount (no rate yet) prints none, as the window shows none.
    const QString shown = amount ? GroupThousands(*amount) : QString();
    if (fee.byTotal)
        return pfpLine(kUnset, fee.title, QStringLiteral("總價"), RatePercentText(Val(fee.rate)), shown);
    return pfpLine(kUnset, fee.title + QLatin1Char('\t') + fee.rate + QStringLiteral("元/坪"),
                   QStringLiteral("坪"), fee.base, shown);
}

// Column letters past Z go on as AA, AB…, as spreadsheet columns do.
QString letters(int n, char first)
{
    QString out;
    while (n > 0) {
        const int d = (n - 1) % 26;
        out.prepend(QChar(first + d));
        n = (n - 1) / 26;
    }
    return out;
}

PrintRow bodyRow(const QString& c0, const QString& c1, const QString& c2 = kUnset,
                 const QString& c3 = kUnset, const QString& c4 = kUnset,
                 const QString& c5 = kUnset, const QString& c6 = kUnset)
{
    return {c0, c1, c2, c3, c4, c5, c6};
}

// A field an item row always writes, empty or not.
QString written(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

QString grouped(const QString& number)
{
    return GroupThousands(number.isEmpty() ? QStringLiteral("0") : number);
}

bool checked(int state)
{
    return state != CheckState::Unchecked;
}

PrintedTotals printedTotals(const FirstPageInput& in)
{
    std::vector<double> groups;
    for (const GroupTotal& g : in.groups)
        groups.push_back(Val(g.subtotal));
    return SplitPrintedTotals(ExactTotalsOf(in.pageEnd, Val(in.lbSumT), std::move(groups)));
}

} // namespace

QString RatePercentFormat(double rate)
{
    static const QString formats[] = {QStringLiteral("0%"), QStringLiteral("0.0%"), QStringLiteral("0.00%")};
    return formats[rateDecimals(rate)];
}

QString RatePercentText(double rate)
{
    return CStr(rateHundredths(rate) / 100) + QLatin1Char('%');
}

QString QuotedTotalInWords(double amount)
{
    if (amount == 0)
        return QStringLiteral("零");
    if (amount < 0)
        return QStringLiteral("負") + AmountToChineseFormal(-amount);
    return AmountToChineseFormal(amount);
}

FirstPageTables BuildFirstPageTables(const FirstPageInput& in)
{
    FirstPageTables out;
    const PrintedTotals t = printedTotals(in);
    const int n = int(in.groups.size());
    for (int i = 0; i < n; ++i) {
        out.pfp.push_back(pfpLine(AmountToChineseFormal(i + 1), in.groups[size_t(i)].name, QStringLiteral("式"),
                                  QStringLiteral("1"), GroupThousands(t.groups[size_t(i)])));
    }
    const PageEndValues& pe = in.pageEnd;
    const bool design = checked(pe.design.checked), supervision = checked(pe.supervision.checked);
    const bool tax = checked(pe.taxChecked);
    const bool discount = Val(pe.discount) != 0;

    if (design || supervision)
        out.pfp.push_back(pfpLine(kUnset, QStringLiteral("    小  計"), kUnset, kUnset,
                                  GroupThousands(t.subtotal)));
    if (design)
        out.pfp.push_back(feeLine(pe.design, t.design));
    if (supervision)
        out.pfp.push_back(feeLine(pe.supervision, t.supervision));
    out.pfp.push_back(pfpLine(kUnset, QStringLiteral("    合  計"), kUnset, kUnset,
                              GroupThousands(t.untaxed)));
    if (tax)
        out.pfp.push_back(pfpLine(kUnset, QStringLiteral("    稅  金"), kUnset, kUnset,
                                  GroupThousands(t.tax)));
    // A discount shown between the tax and the grand total, so that the printed lines add up.
    if (discount)
        out.pfp.push_back(pfpLine(kUnset, QStringLiteral("    折  扣"), kUnset, kUnset,
                                  GroupThousands(t.discount)));
    out.pfp.push_back(pfpLine(kUnset, QStringLiteral("    總  計"), kUnset, kUnset,
                              GroupThousands(t.total)));
    out.pfp.push_back(pfpLine(kUnset, QStringLiteral("總價: 新台幣 ") + QuotedTotalInWords(t.total)
                                          + (tax ? QStringLiteral(" 元整(含稅)") : QStringLiteral(" 元整(未稅)"))));

    const int r = n % kFirstPagePeriod;
    if (r != 0) {
        for (int i = r; i < kFirstPageFillTo - (discount ? 1 : 0); ++i)
            out.pfp.push_back(pfpLine(kUnset, QStringLiteral(" ")));
    }

    for (int k = 0; k < 5; ++k) {
        if (!pe.remarks[size_t(k)].isEmpty())
            out.ps[size_t(k)] = QString::number(k + 1) + QStringLiteral(". ") + pe.remarks[size_t(k)];
    }
    return out;
}

std::vector<DetailItem> GroupRowsByPath(const std::vector<DetailItem>& items)
{
    std::vector<QString> order;
    QHash<QString, std::vector<const DetailItem*>> byPath;
    for (const DetailItem& it : items) {
        auto& rows = byPath[it.tre];
        if (rows.empty())
            order.push_back(it.tre);
        rows.push_back(&it);
    }
    std::vector<DetailItem> out;
    out.reserve(items.size());
    for (const QString& path : order) {
        for (const DetailItem* it : byPath.value(path))
            out.push_back(*it);
    }
    return out;
}

QString HeadingNumeral(int level, int counter)
{
    switch (level) {
    case 1: return AmountToChineseFormal(counter);
    case 2: return AmountToChinese(counter);
    case 3: return letters(counter, 'A');
    case 4: return letters(counter, 'a');
    default: return {};
    }
}

std::vector<PrintRow> BuildDetailRows(const std::vector<DetailItem>& items,
                                      const std::function<QString(const QString& path)>& groupTotal)
{
    constexpr int kDeepest = 4;   // deeper levels get no heading
    const QString indent[kDeepest + 1] = {QString(), QString(), QStringLiteral("  "),
                                          QStringLiteral("    "), QStringLiteral("      ")};
    std::vector<PrintRow> out;
    int counter[kDeepest + 1] = {0, 0, 0, 0, 0};
    int itemNo = 0;

    auto heading = [&](int level, const QString& name) {
        out.push_back(bodyRow(HeadingNumeral(level, counter[level]), indent[level] + name));
    };
    auto subtotal = [&](const QString& path) {
        out.push_back(bodyRow(kUnset, QStringLiteral("小計"), kUnset, kUnset, kUnset,
                              grouped(groupTotal(path))));
    };

    QString prevPath;
    QStringList prev;   // levels below the root of the previous group
    for (size_t i = 0; i < items.size(); ++i) {
        const DetailItem& it = items[i];
        const bool newGroup = i == 0 || it.tre != prevPath;
        if (newGroup) {
            if (i > 0)
                subtotal(prevPath);
            const QStringList levels = PathLevels(it.tre).mid(1);
            const int depth = int(levels.size());
            // The first level where this group leaves the previous one.
            int k = 1;
            while (k <= depth && k <= int(prev.size()) && levels[k - 1] == prev[k - 1])
                ++k;
            if (k > depth) {
                // The group lies above the previous one (its path is a prefix of it):
                // its own heading is stated again with its number.
                if (depth >= 1 && depth <= kDeepest)
                    heading(depth, levels[depth - 1]);
            } else {
                for (int level = k; level <= std::min(depth, kDeepest); ++level) {
                    ++counter[level];
                    std::fill(counter + level + 1, counter + kDeepest + 1, 0);
                    heading(level, levels[level - 1]);
                }
            }
            prev = levels;
            prevPath = it.tre;
            itemNo = 1;
        } else {
            ++itemNo;
        }
        out.push_back(bodyRow(QString::number(itemNo), written(it.des + it.siz), written(it.uni),
                              grouped(it.qua), grouped(it.unp), grouped(it.top), written(it.rem)));
    }
    if (!items.empty())
        subtotal(prevPath);

    const int n = int(out.size());
    if (n % kDetailPageLines != 0) {
        const int fill = kDetailPageLines - 1 - n % kDetailPageLines;
        for (int i = 0; i < fill; ++i)
            out.push_back(bodyRow(kUnset, QStringLiteral(" ")));
    }
    return out;
}

} // namespace varn
