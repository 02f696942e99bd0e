#pragma once

#include <QString>

namespace varn {

// Columns of an item row, the same in the shown grid hfgQ and the master grid hfgB.
namespace QCol {
constexpr int Selector = 0;
constexpr int Path = 1;        // 階層: the leaf path (every hfgB row; first row of a block in hfgQ)
constexpr int Name = 2;        // 品名
constexpr int Standard = 3;    // 規格
constexpr int Unit = 4;        // 單位
constexpr int Qty = 5;         // 數量
constexpr int Price = 6;       // 單價
constexpr int Amount = 7;      // 金額
constexpr int Cost = 8;        // 成本
constexpr int CostTotal = 9;   // 成本複計
constexpr int Ratio = 10;      // 比例
constexpr int Remark = 11;     // 備註
constexpr int WorkItem = 12;   // hidden: the lexicon work item the row was picked from
constexpr int Count = 13;
} // namespace QCol

// Names of the item columns, as messages and file errors name them.
QString ItemColumnName(int col);

} // namespace varn
