#pragma once

#include "platform/report/ReportData.h"
#include "platform/report/ReportLayout.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace varn {

// A report ready to paint: a layout and the rows it prints. Pages are painted with
// QPainter, so one report goes to the print preview, a printer or a PDF file alike.
class Report {
public:
    Report(ReportLayout layout, ReportData data);

    // Reads the layout file and the tables it needs from the print database (opened
    // read-only, no password). Throws ReportError for a bad layout or a field the tables
    // lack, DbError when the database or a table cannot be read.
    static Report load(const QString& layoutFile, const QString& databaseFile);

    const ReportLayout& layout() const { return m_layout; }
    const ReportData& data() const { return m_data; }

    // Lines of the body's source table, split into pages of the layout's rowsPerPage;
    // at least one page, so an empty table still prints its header.
    int pageCount() const;

    // Paints every page onto the device (QPrinter, QPdfWriter), starting a new page
    // between pages. The device's page layout is set from the layout first unless the
    // caller has let the user choose one (print preview). False when the device cannot
    // be painted on.
    bool print(QPagedPaintDevice& device, bool applyPageLayout = true) const;
    // Writes the whole report to a PDF file. Throws ReportError when it cannot be written.
    void writePdf(const QString& pdfFile, const QString& title = {}) const;

    // One page (from 0), painted with its origin at the top left of the printable area;
    // dotsPerMm is the device's resolution.
    void paintPage(QPainter& painter, int page, double dotsPerMm) const;

    // A text with its placeholders filled: {table.field} from the table's first row,
    // {page} (from 1) and {pages}.
    QString expand(const QString& text, int page) const;

private:
    void validate() const;

    ReportLayout m_layout;
    ReportData m_data;
};

} // namespace varn
