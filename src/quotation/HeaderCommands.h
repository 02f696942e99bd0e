#pragma once

#include <QDate>
#include <QString>

namespace varn {

class Quotation;

// The header services of the quotation window that stand apart from plain typing: the
// project name made from the customer and a project kind, the date from the calendar, and
// the customer taken over from the customer register.
namespace HeaderCommands {

// `cbEcn_Click`: a project kind chosen from the list follows the customer name directly.
QString projectNameWithKind(const QString& customerName, const QString& kind);

// `DTP_CloseUp`: the calendar's date as the quotation shows it ("ee/mm/dd", ROC years).
QString quoteDateText(const QDate& date);

// `cmdC_Click`, before the register opens: it is opened to pick, nothing picked yet.
void beginCustomerPick();

// `cmdC_Click`, after the register closed: when a customer was handed back, its name
// becomes the customer and the start of the project name, and its site address, contact,
// telephone and fax fill the header. Returns false (header untouched) when none was.
bool applyPickedCustomer(Quotation& q);

} // namespace HeaderCommands
} // namespace varn
