#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace varn {

// Sheet limits of the .xlsx format.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;   // column XFD

// "A" -> 1, "AA" -> 27, "XFD" -> 16384; letters of either case; nullopt for anything else
// (empty, digits, more than three letters, beyond XFD).
std::optional<int> ColumnNumber(QStringView letters);
// 1 -> "A", 27 -> "AA"; empty for a number outside 1..16384.
QString ColumnLetters(int column);

// One cell, 1-based like the spreadsheet's own Cells(row, column).
struct CellRef {
    int row = 1;
    int column = 1;

    // "A1", "$AK$12", "aa3"; nullopt when the text is not one cell inside the sheet limits.
    static std::optional<CellRef> parse(QStringView text);
    // As parse, but a bad address throws WorkbookError naming the text.
    static CellRef fromText(QStringView text);
    // True when both parts lie inside the sheet limits.
    static bool isValid(int row, int column);

    QString toString() const;   // "AK12"
    friend bool operator==(const CellRef&, const CellRef&) = default;
};

// A rectangle of cells, corners included.
struct CellRange {
    CellRef topLeft;
    CellRef bottomRight;

    // "A8:J39", "$A$8:$J$39", or one cell "A40"; corners given in any order are put in
    // order. nullopt when either corner is not a valid cell.
    static std::optional<CellRange> parse(QStringView text);
    static CellRange fromText(QStringView text);

    int rows() const { return bottomRight.row - topLeft.row + 1; }
    int columns() const { return bottomRight.column - topLeft.column + 1; }
    bool contains(int row, int column) const;
    bool contains(const CellRange& other) const;
    bool intersects(const CellRange& other) const;
    QString toString() const;   // "A8:J39", or "A8" for one cell
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

} // namespace varn
