#include "quotation/Pricing.h"

#include "platform/grid/GridModel.h"
#include "platform/text/DecimalSum.h"
#include "platform/text/VbNumber.h"
#include "quotation/ItemColumns.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace varn {

void PricingModes::check(PricingMode mode)
{
    switch (mode) {
    case PricingMode::EpCr: m_epCr = true; break;
    case PricingMode::EpCc: m_epCr = false; break;
    case PricingMode::EcCp: m_ecCp = true; break;
    case PricingMode::EcCr: m_ecCp = false; break;
    case PricingMode::ErCp: m_erCp = true; break;
    case PricingMode::ErCc: m_erCp = false; break;
    }
}

bool PricingModes::isChecked(PricingMode mode) const
{
    switch (mode) {
    case PricingMode::EpCr: return m_epCr;
    case PricingMode::EpCc: return !m_epCr;
    case PricingMode::EcCp: return m_ecCp;
    case PricingMode::EcCr: return !m_ecCp;
    case PricingMode::ErCp: return m_erCp;
    case PricingMode::ErCc: return !m_erCp;
    }
    return false;
}

QString PricingModes::caption(PricingMode mode)
{
    switch (mode) {
    case PricingMode::EpCr: return QStringLiteral("改單價  固定成本  變比例");
    case PricingMode::EpCc: return QStringLiteral("改單價  固定比例  變成本");
    case PricingMode::EcCp: return QStringLiteral("改成本  固定比例  變單價");
    case PricingMode::EcCr: return QStringLiteral("改成本  固定單價  變比例");
    case PricingMode::ErCp: return QStringLiteral("改比例  固定成本  變單價");
    case PricingMode::ErCc: return QStringLiteral("改比例  固定單價  變成本");
    }
    return {};
}

std::vector<int> PricingModes::columnsAfterEdit(int editedCol) const
{
    switch (editedCol) {
    case QCol::Qty:
        return {QCol::Amount, QCol::CostTotal};
    case QCol::Price:
        return m_epCr ? std::vector<int>{QCol::Ratio, QCol::Amount}
                      : std::vector<int>{QCol::Cost, QCol::CostTotal, QCol::Amount};
    case QCol::Cost:
        return m_ecCp ? std::vector<int>{QCol::Price, QCol::Amount, QCol::CostTotal}
                      : std::vector<int>{QCol::Ratio, QCol::CostTotal};
    case QCol::Ratio:
        return m_erCp ? std::vector<int>{QCol::Price, QCol::Amount}
                      : std::vector<int>{QCol::Cost, QCol::CostTotal};
    default:
        return {};
    }
}

namespace Pricing {

void RecalcRow(GridModel& grid, int row, int col)
{
    auto num = [&](int c) { return Val(grid.textMatrix(row, c)); };
    auto put = [&](int c, double v) { grid.setTextMatrix(row, c, CStr(v)); };
    switch (col) {
    case QCol::Price: {
        const double cost = num(QCol::Cost);
        put(QCol::Price, cost != 0 ? RoundHalfEven(cost * num(QCol::Ratio), 0) : num(QCol::Price));
        break;
    }
    case QCol::Amount:
        put(QCol::Amount, RoundHalfEven(num(QCol::Qty) * num(QCol::Price), 0));
        break;
    case QCol::Cost: {
        const double ratio = num(QCol::Ratio);
        if (ratio != 0)
            put(QCol::Cost, RoundHalfEven(num(QCol::Price) / ratio, 2));
        break;
    }
    case QCol::CostTotal:
        put(QCol::CostTotal, num(QCol::Cost) * num(QCol::Qty));
        break;
    case QCol::Ratio: {
        const double cost = num(QCol::Cost);
        put(QCol::Ratio, cost != 0 ? RoundHalfEven(num(QCol::Price) / cost, 2) : 1.0);
        break;
    }
    default:
        break;
    }
}

Totals totals(const GridModel& grid)
{
    Totals t;
    DecimalSum amount, cost;
    for (int r = 1; r < grid.rows(); ++r) {
        amount.addText(grid.textMatrix(r, QCol::Amount));
        cost.addText(grid.textMatrix(r, QCol::CostTotal));
    }
    t.amountSum = amount.value();
    t.costSum = cost.value();
    const double ratio = t.costSum != 0 ? t.amountSum / t.costSum : t.amountSum;
    t.lbSumT = CStr(t.amountSum);
    t.lbCsumT = CStr(t.costSum);
    t.lbProT = CStr(DecimalSum{t.amountSum, -t.costSum}.value());
    t.lbScT = CStr(RoundHalfEven(ratio, 2));
    return t;
}

TotalsVisibility visibility(bool noPriceRight, bool noCostRight)
{
    TotalsVisibility v;
    v.sum = !noPriceRight;
    v.cost = !noCostRight;
    v.profit = v.ratio = !noPriceRight && !noCostRight;
    return v;
}

bool fitsNumerals(double value)
{
    return std::isfinite(value) && std::fabs(value) <= LargestAmount;
}

QString tooLargeMessage()
{
    return QStringLiteral("數字過大:金額與總價最多 13 位數,此數字無法輸入");
}

double limitValue(const QString& text)
{
    return ValOverflows(text) ? std::numeric_limits<double>::infinity() : Val(text);
}

double rowMagnitude(const std::function<QString(int col)>& cell)
{
    const auto num = [&](int c) { return Val(cell(c)); };
    for (int c : {QCol::Qty, QCol::Price, QCol::Amount, QCol::Cost, QCol::CostTotal, QCol::Ratio}) {
        if (std::isinf(limitValue(cell(c))))
            return std::numeric_limits<double>::infinity();
    }
    const double qty = num(QCol::Qty);
    double largest = 0;
    for (double v : {num(QCol::Amount), num(QCol::CostTotal), qty * num(QCol::Price), qty * num(QCol::Cost)})
        largest = std::max(largest, std::fabs(v));
    return largest;
}

double rowMagnitude(const GridModel& grid, int row)
{
    return rowMagnitude([&](int col) { return grid.textMatrix(row, col); });
}

QString tooLargeOpenedMessage(const QString& what)
{
    return QStringLiteral("數字過大:%1超過 13 位數,國字無法寫出;請修正後再列印").arg(what);
}

std::optional<double> parseNumber(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*([+-]?)\s*((?:\d[\d,]*)?(?:\.\d*)?)(?:[eE]([+-]?\d+))?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    QString mantissa = m.captured(2);
    if (!mantissa.contains(QRegularExpression(QStringLiteral("\\d"))))
        return std::nullopt;
    if (mantissa.startsWith(u'.') && mantissa.size() == 1)
        return std::nullopt;
    mantissa.remove(u',');
    QString number = m.captured(1) + mantissa;
    if (!m.captured(3).isEmpty())
        number += QStringLiteral("e") + m.captured(3);
    bool ok = false;
    const double v = number.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString singleText(float value)
{
    return CStr(QString::number(static_cast<double>(value), 'g', 7).toDouble());
}

} // namespace Pricing
} // namespace varn
