#pragma once

#include "platform/workbook/CellRef.h"

#include <QString>

#include <memory>
#include <optional>

namespace varn {

class SheetPart;

enum class HorizontalAlignment { General, Left, Center, Right };

// Edges of a range that setThinBorders draws.
namespace BorderEdge {
enum : unsigned {
    Left = 1,
    Top = 2,
    Bottom = 4,
    Right = 8,
    InsideVertical = 16,
    InsideHorizontal = 32,
    Outline = Left | Top | Bottom | Right,
    All = Outline | InsideVertical | InsideHorizontal,
};
}

// One worksheet of an open Workbook. Rows and columns count from 1, as in Cells(row, column).
// Every operation that gets a cell outside the sheet limits, or a text that is not a valid
// address, throws WorkbookError; nothing is changed then.
class Worksheet {
public:
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    QString name() const;

    // The cell's text: a text as written (rich-text runs joined), a number as stored, ""
    // for an empty cell.
    QString text(int row, int column) const;
    // True when the cell holds a value or a formula (a formatted blank holds none).
    bool hasValue(int row, int column) const;
    // From A1 to the last row and column the sheet lays out: cells (formatted blanks
    // included), rows with their own height or format, column definitions. nullopt when
    // the sheet lays out nothing.
    std::optional<CellRange> laidOutRange() const;

    // Stored as text whatever it looks like ("02" stays "02"); leading blanks, tabs and
    // control characters are kept. A text beyond the cell limit is cut at the limit; an
    // empty text empties the cell, keeping its format.
    void setText(int row, int column, const QString& text);
    // A finite number; NaN and infinities throw.
    void setNumber(int row, int column, double value);
    // Removes the value; the cell keeps its format.
    void clearValue(int row, int column);

    // Formats are derived from the cell's own one; equal formats are shared.
    void setHorizontalAlignment(int row, int column, HorizontalAlignment alignment);
    void setNumberFormat(int row, int column, const QString& code);   // e.g. "0%"
    void setBold(int row, int column, bool bold);
    void setFontSize(int row, int column, double points);
    // Thin lines in automatic colour on the chosen edges of the range.
    void setThinBorders(const CellRange& range, unsigned edges = BorderEdge::All);
    // Makes the range one cell span: the top-left cell's value and format show across it,
    // with no border inside. Merged areas it overlaps are dissolved first; a single cell
    // is left as it is.
    void mergeCells(const CellRange& range);

    // Copies values, formulas (relative references moved along), formats and the merged
    // areas inside the source onto the same-sized area at `destination` (its top-left
    // cell). Row heights are not copied; see copyRowHeight.
    void copyRange(const CellRange& source, const CellRef& destination);
    // Gives toRow the height of fromRow as it stands: its own height or the default one,
    // and its hidden flag.
    void copyRowHeight(int fromRow, int toRow);
    // Gives each row of firstRow..lastRow whose wrapping texts take more than one line the
    // height to show them all, estimated from the texts, the column widths and the font
    // sizes (on the large side); no row is made lower. Not every spreadsheet program grows
    // rows for wrapped texts when it opens a file, so a filled sheet sets them itself.
    void fitRowHeights(int firstRow, int lastRow);
    // Fits one wrapping text that takes more than one line of its cell (or of the merged
    // span of one row it begins): the largest font size, from its own down to minPoints in
    // half points, whose lines fit a row of rowBudget points (or of the row's height, when
    // higher); then the row grows to those lines. A text too long for that keeps minPoints
    // and its row grows to show it whole: it never gets smaller than minPoints. A text that
    // fits, one that does not wrap or a span over several rows changes nothing.
    void fitWrappedText(int row, int column, double minPoints, double rowBudget);
    // Fits a text too long for one line of its cell (or of the merged span of one row it
    // begins) inside its row as it is, which never grows: when shrinking onto one line
    // would make it smaller than wrapped lines that fit the row's height, it wraps at the
    // largest such size, from its own down to minPoints in half points. Otherwise, and for
    // numbers, empty cells and spans over several rows, nothing changes.
    void fitTextInRow(int row, int column, double minPoints);

    // Manual page breaks before a row (above it) or before a column (left of it).
    void addRowPageBreak(int beforeRow);
    void addColumnPageBreak(int beforeColumn);
    // Print scale in percent (10..400); fit-to-page is switched off.
    void setZoom(int percent);
    // "$1:$7"; "" removes the title rows.
    void setPrintTitleRows(const QString& rows);
    // "$A:$G"; "" removes the title columns.
    void setPrintTitleColumns(const QString& columns);
    // "$A:$G", "$A$1:$G$39", several areas joined by ","; "" removes the print area.
    void setPrintArea(const QString& area);

private:
    friend class BookPart;
    explicit Worksheet(std::unique_ptr<SheetPart> part);
    std::unique_ptr<SheetPart> d;
};

} // namespace varn
