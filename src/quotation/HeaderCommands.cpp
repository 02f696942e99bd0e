#include "quotation/HeaderCommands.h"

#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/RocDate.h"

namespace varn::HeaderCommands {

QString projectNameWithKind(const QString& customerName, const QString& kind)
{
    return customerName + kind;
}

QString quoteDateText(const QDate& date)
{
    return FormatRocDate(date);
}

void beginCustomerPick()
{
    state().m.gPickCustomer = true;
    state().m.gCustomerPicked = false;
}

bool applyPickedCustomer(Quotation& q)
{
    const mdM& m = state().m;
    if (!m.gCustomerPicked)
        return false;
    q.setHeaderField(HeaderField::CustomerName, m.gCusName);
    q.setHeaderField(HeaderField::ProjectName, m.gCusName);
    q.setHeaderField(HeaderField::SiteAddress, m.gCusSiteAddr);
    q.setHeaderField(HeaderField::Contact, m.gCusContact);
    q.setHeaderField(HeaderField::Telephone, m.gCusTel);
    q.setHeaderField(HeaderField::Fax, m.gCusFax);
    return true;
}

} // namespace varn::HeaderCommands
