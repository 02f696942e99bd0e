#pragma once

#include "platform/workbook/CellRef.h"
#include "platform/workbook/Worksheet.h"
#include "platform/workbook/WorkbookError.h"

#include <QString>

#include <memory>

namespace varn {

class BookPart;

// A template filler for .xlsx workbooks: opens a template read-only, lets the caller fill
// its worksheets, and saves the result as a new file. Parts of the package it does not
// change are written back byte for byte.
class Workbook {
public:
    // Throws WorkbookError naming the file when it is missing, not a zip archive, or not a
    // workbook. The file itself is never written.
    static Workbook open(const QString& path);

    Workbook(Workbook&&) noexcept;
    Workbook& operator=(Workbook&&) noexcept;
    ~Workbook();

    QString path() const;

    // Worksheets in workbook order, counted from 1 (chart sheets do not count).
    int worksheetCount() const;
    QString worksheetName(int position) const;
    // Throws WorkbookError when the workbook has no worksheet at that position.
    Worksheet& worksheet(int position);

    // Saves to a new file: written beside it first and then renamed over it, so a failed
    // save leaves any earlier file as it was. The template's own path is refused.
    void saveAs(const QString& path);

private:
    explicit Workbook(std::unique_ptr<BookPart> part);
    std::unique_ptr<BookPart> d;
};

} // namespace varn
