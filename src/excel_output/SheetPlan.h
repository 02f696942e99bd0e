#pragma once

#include "platform/workbook/CellRef.h"
#include "platform/workbook/Worksheet.h"

#include <QString>

#include <stdexcept>
#include <variant>
#include <vector>

namespace varn {

// One value the plan puts in a cell: a text stays text whatever it looks like; a number is
// stored as a number.
using PlannedValue = std::variant<QString, double>;

struct PlannedCell {
    int row = 0;
    int column = 0;
    PlannedValue value;
    HorizontalAlignment alignment = HorizontalAlignment::General;   // General: left as it is
    QString numberFormat;                                           // empty: left as it is
    bool bold = false;                                              // false: left as it is
    double fontSize = 0;                                            // 0: left as it is
    bool fitInRow = false;   // a text too long for one line may wrap within its row
};

// What an engine writes on one sheet, worked out before the workbook is touched: the
// template's page block and how many copies of it the rows need (block k starts at the
// block's top row + k × its height, each copy with a row break above it and the template's
// row heights), then the cells.
// A range copied (values, formats, merges) with its row heights onto the rows from toRow.
struct PlannedCopy {
    CellRange source;
    int toRow = 0;
};

struct SheetPlan {
    CellRange block;
    int blocks = 1;
    std::vector<PlannedCopy> copies;   // after the blocks, before the cells
    std::vector<PlannedCell> cells;
    std::vector<CellRange> merges;     // after the cells: rows whose text runs across columns

    void put(int row, int column, PlannedValue value,
             HorizontalAlignment alignment = HorizontalAlignment::General, const QString& numberFormat = {});
    // An item's remark: where shrinking it onto one line of its cell would make it smaller
    // than wrapped lines within the row's height allow, it wraps instead (see WritePlan).
    void putRemark(int row, int column, const QString& remark);
    // Columns first..last of a row as one span (nothing when last <= first).
    void merge(int row, int firstColumn, int lastColumn);
    // Bold type of a size for a planned cell.
    void emphasize(int row, int column, double fontSize);
    // The planned cell, or null.
    const PlannedCell* at(int row, int column) const;
    // The planned value as text ("" when nothing is planned there; numbers as CStr writes
    // them), for reading a plan back.
    QString textAt(int row, int column) const;
    // Top row of page block k.
    int blockTop(int k) const { return block.topLeft.row + k * block.rows(); }
};

// A plan that cannot be laid out on the sheet (past the sheet's last row, print ranges too
// small for the layout).
class PrintPlanError : public std::runtime_error {
public:
    explicit PrintPlanError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Lays the plan on the sheet: the block copies with their row breaks and heights first,
// then the other copies, then the cells (remarks fitted to the heights they get), then the
// merges. Throws WorkbookError.
void WritePlan(Worksheet& sheet, const SheetPlan& plan);

} // namespace varn
