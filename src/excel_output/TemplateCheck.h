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

// Checks a quotation template against the print ranges before an engine fills it: the
// sheets the layout needs exist, every range of Xp.ini is well formed and lies inside what
// the sheet lays out, and the output rows hold no values. Returns an empty text when the
// template can be filled, else a message to show that names the file and what is wrong.
QString CheckQuotationTemplate(Workbook& workbook, QuotationTemplateKind kind, const QStringList& xp);
// The same for a file; a template that cannot be opened gives the reason as the message.
QString CheckQuotationTemplate(const QString& path, QuotationTemplateKind kind, const QStringList& xp);

} // namespace varn
