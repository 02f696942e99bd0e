#pragma once

#include <QString>
#include <QStringList>

namespace varn {

class Workbook;

enum class QuotationTemplateKind {
    CoverAndDetail,   // worksheet 1 the cover (Xp lines 1-16), worksheet 2 the details (17-32)
    SingleSheet,      // worksheet 1 only: detail ranges, the cover's variable range (its
                      // placeholders are looked for there too) and the cover's output range for
                      // the grand-total line
};

// The print ranges on their own, as 套用 saves them: a range whose top-left cell lies after
// its bottom-right, or a 頁尾範圍 not wholly below its 輸出範圍, is refused with a message
// naming the frame, the range and its Xp.ini lines. Values that are not a letter and a row
// number are passed over here; the check before a print names them.
QString CheckPrintRangeOrder(const QStringList& xp);

// A worksheet holds at most 1,023 manual page breaks, so at most 1,024 pages of page blocks.
constexpr int kMaxSheetPages = 1024;
// Refuses, before anything is written, a print whose cover or detail sheet would need more
// pages than that: the message says how many the sheet would need and the most it can hold
// (empty when both fit).
QString CheckSheetPages(int coverPages, int detailPages);

// Checks a quotation template against the print ranges before an engine fills it: the
// sheets the layout needs exist, every range of Xp.ini is well formed and lies inside what
// the sheet lays out, and the output rows hold no values. Returns an empty text when the
// template can be filled, else a message to show that names the file and what is wrong.
QString CheckQuotationTemplate(Workbook& workbook, QuotationTemplateKind kind, const QStringList& xp);
// The same for a file; a template that cannot be opened gives the reason as the message.
QString CheckQuotationTemplate(const QString& path, QuotationTemplateKind kind, const QStringList& xp);

} // namespace varn
