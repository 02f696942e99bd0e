#pragma once

#include <QString>

#include <functional>

#include <optional>
#include <vector>

namespace varn {

class GridModel;

// The six pricing modes, in three pairs: which of price, cost and ratio gives way when one
// of them is edited. Exactly one item of each pair is checked.
enum class PricingMode {
    EpCr,   // 改單價  固定成本  變比例
    EpCc,   // 改單價  固定比例  變成本
    EcCp,   // 改成本  固定比例  變單價
    EcCr,   // 改成本  固定單價  變比例
    ErCp,   // 改比例  固定成本  變單價
    ErCc,   // 改比例  固定單價  變成本
};

class PricingModes {
public:
    // Checks the item and unchecks the other of its pair; nothing is recomputed.
    void check(PricingMode mode);
    bool isChecked(PricingMode mode) const;
    // The menu caption of an item.
    static QString caption(PricingMode mode);

    // Columns recomputed, in order, after an edit of the column (5, 6, 8 or 10).
    std::vector<int> columnsAfterEdit(int editedCol) const;

private:
    bool m_epCr = true;
    bool m_ecCp = true;
    bool m_erCp = true;
};

// Sums of the shown rows and the captions of the summary line.
struct Totals {
    double amountSum = 0;   // Σ 金額
    double costSum = 0;     // Σ 成本複計
    QString lbSumT = QStringLiteral("0");
    QString lbCsumT = QStringLiteral("0");
    QString lbProT = QStringLiteral("0");
    QString lbScT = QStringLiteral("0");
};

// Which value labels of the summary line the user may see.
struct TotalsVisibility {
    bool sum = true;
    bool cost = true;
    bool profit = true;
    bool ratio = true;
    bool operator==(const TotalsVisibility&) const = default;
};

namespace Pricing {

// Recomputes one column (6 to 10) of an item row from the other cells of that row
// (`RecalcRow`); any other column does nothing.
void RecalcRow(GridModel& grid, int row, int col);

// The sums of every data row (`UpdateTotals`).
Totals totals(const GridModel& grid);
TotalsVisibility visibility(bool noPriceRight, bool noCostRight);

// The largest amount the Chinese numerals of the printed totals write: thirteen digits.
constexpr double LargestAmount = 9999999999999.0;
// The value is finite and its magnitude within LargestAmount.
bool fitsNumerals(double value);
// A text's number as a limit judges it: Val, but infinite when the number is too long for a
// double (Val reads those as 0), so no number gets past a limit by its length.
double limitValue(const QString& text);
// The message that refuses a number that would pass it.
QString tooLargeMessage();
// What an item row's numbers come to: the largest magnitude among its 金額 and 成本複計 as
// they stand and as 數量 times 單價 and 成本 makes them (a product too large for a double
// is written as 0, so the cells alone can hide it); infinite when a number cell holds a
// number too long for a double. `cell` gives the text of a column.
double rowMagnitude(const std::function<QString(int col)>& cell);
double rowMagnitude(const GridModel& grid, int row);
// The message of a quotation opened with numbers past LargestAmount; `what` names them.
QString tooLargeOpenedMessage(const QString& what);

// A typed answer read as a number as a whole: sign, digits, one decimal point, thousands
// separators and an exponent, surrounding blanks allowed. nullopt when it is not one.
std::optional<double> parseNumber(const QString& text);

// A single-precision value as plain text (the lexicon's costs and ratios are singles,
// so 0.1 is written "0.1", not its double expansion).
QString singleText(float value);

} // namespace Pricing
} // namespace varn
