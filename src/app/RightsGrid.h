#pragma once

#include <QString>

#include <functional>

namespace varn {

class Database;
class GridModel;

// The rights grid hfgSec of the settings window: one row per employee from row 2,
// columns 2 to 13 standing for bits 0 to 11 of the rights word, "★" where a bit is set.
namespace RightsGrid {

constexpr int Cols = 14;
constexpr int FirstDataRow = 2;
constexpr int NameCol = 1;
constexpr int FirstBitCol = 2;
constexpr int LastBitCol = 13;

QString mark();   // "★"

// FillRightsGrid: every employee in the order of 員工編號, with the marks of 權限
// (an empty or unreadable word has no marks). Throws DbError.
void fill(Database& db, GridModel& grid);

// SetRightsGridHeader: widths, the two header rows, merging, colours and alignment.
void setHeader(GridModel& grid);

// Widens the columns whose texts the font would cut: every heading (a merged one over its
// two columns) and every name shows whole. widthTwips measures a text in the grid's font,
// bold or not.
void fitToTexts(GridModel& grid, const std::function<int(const QString& text, bool bold)>& widthTwips);

// A click on a cell: toggles its mark; 編輯 brings 查詢 with it and 查詢 cannot be taken
// away while 編輯 is given. Header rows and the name column do nothing. Returns true
// when a cell changed.
bool click(GridModel& grid, int row, int col);

// The rights word of a data row, from its marks.
int rowRights(const GridModel& grid, int row);

// Stores every row's word in 員工.權限, all rows or none. Throws DbError.
void save(Database& db, const GridModel& grid);

} // namespace RightsGrid

} // namespace varn
