#pragma once

// One worksheet part held in memory: the cell table as rows of cells, the rest of the
// sheet as a parsed XML document written back in schema order.

#include "platform/workbook/CellRef.h"
#include "platform/workbook/Worksheet.h"

#include <QString>

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace varn {

class BookPart;

// What a cell carries besides its value, kept as found (shared, never changed in place).
struct CellExtra {
    std::string attributes;   // other attributes, raw: ` cm="1"`
    std::string formula;      // the <f> element, raw
    std::string inlineXml;    // an <is> element as found in the file, raw
    std::string tail;         // any other child elements, raw
};

struct Cell {
    int column = 0;
    int style = -1;            // -1: no format of its own
    std::string type;          // the t attribute ("s", "str", "inlineStr", "b", "e"...), or empty
    std::string value;         // <v> content; for our own texts the stored (escaped) text
    bool ownInlineText = false; // value is written as <is><t>value</t></is>
    std::shared_ptr<const CellExtra> extra;

    bool hasValue() const;
};

struct Row {
    std::vector<std::pair<std::string, std::string>> attributes;   // all but r and spans
    std::string tail;                                              // other children, raw
    std::vector<Cell> cells;                                       // sorted by column

    const std::string* attribute(std::string_view name) const;
    void setAttribute(std::string_view name, std::string value);
    void removeAttribute(std::string_view name);
    const Cell* find(int column) const;
    Cell* find(int column);
};

class SheetPart {
public:
    SheetPart(BookPart* book, QString name, int sheetIndex, std::string partName, const std::string& xml);

    const QString& name() const { return m_name; }
    const std::string& partName() const { return m_partName; }
    bool isDirty() const { return m_dirty; }
    bool hasFormulas() const;
    // Cells that point into the shared string table.
    long long sharedStringCells() const;
    std::string serialize();

    QString text(int row, int column) const;
    bool hasValue(int row, int column) const;
    std::optional<CellRange> laidOutRange() const;

    void setText(int row, int column, const QString& text);
    void setNumber(int row, int column, double value);
    void clearValue(int row, int column);

    void setHorizontalAlignment(int row, int column, HorizontalAlignment alignment);
    void setNumberFormat(int row, int column, const QString& code);
    void setBold(int row, int column, bool bold);
    void setFontSize(int row, int column, double points);
    void setThinBorders(const CellRange& range, unsigned edges);
    void mergeCells(const CellRange& range);

    void copyRange(const CellRange& source, const CellRef& destination);
    void copyRowHeight(int fromRow, int toRow);
    void fitRowHeights(int firstRow, int lastRow);
    void fitWrappedText(int row, int column, double minPoints, double rowBudget);
    void fitTextInRow(int row, int column, double minPoints);

    void addRowPageBreak(int beforeRow);
    void addColumnPageBreak(int beforeColumn);
    void setZoom(int percent);
    void setPrintTitleRows(const QString& rows);
    void setPrintTitleColumns(const QString& columns);
    void setPrintArea(const QString& area);

private:
    struct ColumnDef {
        int min, max, style;
        double width;   // in characters; negative when the sheet's default applies
    };

    void load(const std::string& xml);
    Cell parseCell(pugi::xml_node node, int fallbackColumn);
    const Cell* findCell(int row, int column) const;
    Row& ensureRow(int row);
    Cell& ensureCell(int row, int column);
    int defaultStyle(int row, int column) const;
    int effectiveStyle(int row, int column) const;
    double columnWidth(int column) const;
    double rowHeight(const Row& row) const;
    // The width in points a cell's text has: its column's, or its merged span's on one row;
    // nullopt inside a span it does not begin or for a span over several rows.
    std::optional<double> textWidth(int row, int column) const;
    // Gives the row that height when it is lower.
    void growRow(Row& row, double points);
    void prepareOverwrite(int row, Cell& cell);
    void dissolveSharedFormula(int row, int column, const Cell& master);
    template <class Derive>
    void restyle(int row, int column, Derive derive);
    void addBreak(const char* element, int id, int max);
    void writeRows(std::string& out) const;
    std::string formulaXml(const std::string& text) const;
    static void checkCell(int row, int column);

    BookPart* m_book;
    QString m_name;
    int m_sheetIndex;   // position among all sheets, from 0 (the defined names' localSheetId)
    std::string m_partName;
    pugi::xml_document m_doc;
    pugi::xml_node m_root;
    std::string m_prefix;
    std::map<int, Row> m_rows;
    std::vector<CellRange> m_merges;
    std::vector<ColumnDef> m_columns;
    bool m_dirty = false;
};

} // namespace varn
