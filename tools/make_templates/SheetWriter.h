#pragma once

// A thin layer over libxlsxwriter so that each template reads as a description of its
// sheet: columns with their looks, rows with their heights, texts, and the page set-up.

#include <xlsxwriter.h>

#include <string>
#include <vector>

namespace templates {

// How the cells of a column look.
enum class Look {
    Number,     // item numbers and numerals, centred
    Text,       // names, left
    Unit,       // units, centred
    Quantity,   // quantities as typed, right
    Money,      // whole amounts with thousands commas
    Ratio,      // ratios with two decimals
    Note,       // remarks, left
    RatioOrMargin,   // ratios with two decimals, margins (past ±1000) whole with commas
};
constexpr int kLooks = 8;

struct Column {
    const char* heading;   // nullptr: the heading cell belongs to the column on the left
    double width;          // in characters of the default font
    Look look;
    bool hidden = false;
};

// The formats one workbook uses.
struct Formats {
    // bodySize: points of the output and list cells.
    explicit Formats(lxw_workbook* book, double bodySize = 11);
    lxw_format* company;
    lxw_format* companyDetails;
    lxw_format* title;
    lxw_format* info;
    lxw_format* longInfo;   // customer name, project and site address: they wrap
    lxw_format* heading;
    lxw_format* footer;
    lxw_format* footerNote;
    lxw_format* listTitle;
    lxw_format* listHeading;
    lxw_format* wrapped;   // register list and label texts: a long one wraps inside its cell
    lxw_format* body(Look look) const { return m_body[static_cast<int>(look)]; }
    lxw_format* plain(Look look) const { return m_plain[static_cast<int>(look)]; }

private:
    lxw_format* m_body[kLooks];    // bordered output cells
    lxw_format* m_plain[kLooks];   // the same looks without borders, for list columns
};

struct Page {
    bool landscape = false;
    bool fitWidth = false;   // list sheets of unknown width: one page wide
    double left = 0.4, right = 0.4, top = 0.6, bottom = 0.6;
};

class SheetWriter {
public:
    SheetWriter(lxw_workbook* book, const Formats& formats, const char* name);

    lxw_worksheet* sheet() const { return m_sheet; }
    const Formats& formats() const { return m_formats; }

    // Rows and columns count from 1 here, as in the spreadsheet and in Xp.ini.
    // Each column is written once, left to right. The cells the program adds to a column
    // take no format of their own, the column's plain look, or the wrapped text format.
    enum class Cells { Unformatted, PlainLooks, Wrapped };
    void columns(const std::vector<Column>& columns, Cells cells = Cells::Unformatted);
    void rowHeight(int row, double points, lxw_format* format = nullptr);
    void text(int row, int column, const std::string& text, lxw_format* format);
    // A text over columns first..last of one row (merged when it spans several).
    void across(int row, int first, int last, const std::string& text, lxw_format* format);
    void blank(int row, int column, lxw_format* format);
    void page(const Page& page);
    // A title printed at the top of every page.
    void pageHeading(const std::string& text);
    void printTitles(int firstRow, int lastRow, int firstColumn, int lastColumn);
    void printColumns(int firstColumn, int lastColumn);

private:
    lxw_workbook* m_book;
    const Formats& m_formats;
    lxw_worksheet* m_sheet;
};

// Creates a workbook with fixed properties, so that builds give the same files.
lxw_workbook* NewWorkbook(const std::string& path, const char* title);
// Closes it; false (with a message on stderr) when it could not be written.
bool CloseWorkbook(lxw_workbook* book, const std::string& path);

} // namespace templates
