#pragma once

#include <QFont>
#include <QHash>
#include <QMarginsF>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

namespace varn {

// A layout or data file that cannot be used; the message is shown to the user as it is.
class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Where a text goes inside its box.
enum class ReportAlign { Left, Center, Right };

// One piece drawn on a page. Lengths are millimetres from the top left of the printable
// area (inside the margins).
struct ReportItem {
    enum class Kind { Text, Line, Box };
    Kind kind = Kind::Text;
    double x = 0, y = 0, width = 0, height = 0;   // Line: from (x, y) to (x + width, y + height)
    double pen = 0.3;                               // line width in mm
    QString text;       // may hold {table.field}, {page} and {pages}
    QString font;       // name in the layout's font table; empty: "default"
    ReportAlign align = ReportAlign::Left;
};

struct ReportColumn {
    QString field;      // name or position (digits) of the source table's field
    QString title;      // printed in the header row of the body on every page
    double x = 0;
    double width = 0;
    ReportAlign align = ReportAlign::Left;
};

// The repeated rows of the report: one printed line per row of the source table, in the
// table's order, rowsPerPage lines to a page.
struct ReportBody {
    QString source;
    double top = 0;             // top of the header row (or of the first line without one)
    double headerHeight = 0;    // 0: no header row
    QString headerFont;
    double rowHeight = 6;
    int rowsPerPage = 30;
    QString font;
    bool gridLines = true;      // rules between lines and columns, frame round the body
    std::vector<ReportColumn> columns;

    double bottom() const { return top + headerHeight + rowHeight * rowsPerPage; }
};

// A report layout file (JSON): page, fonts, the body over one table of the print database
// and the fixed pieces of every page, of the first page and of the last page.
//
// {
//   "page":  { "size": "A4", "orientation": "portrait", "margins": [left, top, right, bottom] },
//   "fonts": { "default": { "family": "Noto Sans CJK TC", "size": 10, "bold": false }, ... },
//   "body":  { "source": "pbody", "top": 40, "headerHeight": 7, "headerFont": "bold",
//              "rowHeight": 6, "rowsPerPage": 34, "font": "default", "gridLines": true,
//              "columns": [ { "field": "0", "title": "項次", "x": 0, "width": 12,
//                             "align": "center" }, ... ] },
//   "everyPage": [ { "kind": "text", "x": 0, "y": 0, "width": 186, "height": 8,
//                    "text": "{phead.con}", "font": "title", "align": "center" },
//                  { "kind": "line", "x": 0, "y": 9, "width": 186, "height": 0, "pen": 0.4 } ],
//   "firstPage": [ ... ], "lastPage": [ ... ]
// }
class ReportLayout {
public:
    // Throws ReportError naming what is wrong.
    static ReportLayout fromJson(const QByteArray& json);
    static ReportLayout load(const QString& path);

    QPageLayout pageLayout() const { return m_page; }
    // The font of that name, or "default" when the layout has none by that name.
    QFont font(const QString& name) const;

    const ReportBody& body() const { return m_body; }
    const std::vector<ReportItem>& everyPage() const { return m_everyPage; }
    const std::vector<ReportItem>& firstPage() const { return m_firstPage; }
    const std::vector<ReportItem>& lastPage() const { return m_lastPage; }

    // Every table the layout reads: the body's source and those named in placeholders.
    QStringList tables() const;

private:
    QPageLayout m_page;
    QHash<QString, QFont> m_fonts;
    ReportBody m_body;
    std::vector<ReportItem> m_everyPage;
    std::vector<ReportItem> m_firstPage;
    std::vector<ReportItem> m_lastPage;
};

// The placeholders {table.field} of a text, as (table, field) pairs.
std::vector<std::pair<QString, QString>> ReportPlaceholders(const QString& text);

} // namespace varn
