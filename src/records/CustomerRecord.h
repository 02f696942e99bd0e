#pragma once

#include "records/CompanyRules.h"
#include "records/RegisterConfig.h"

#include <QString>

namespace varn {

class RecordForm;

// The customer register's record: the 35 columns of 客戶 and the fields that show them,
// the fields that follow the name, the first telephone and the company county, and the
// values handed to the quotation window by 傳回報價單.

// The customer register as the engine runs it.
RegisterConfig CustomerRegisterConfig();

// The area-code boxes a county choice fills, in the order they are filled.
QStringList CustomerAreaCodeControls();

// The site-address county follows the company county too.
class CustomerRules : public CompanyRules {
public:
    CustomerRules();

protected:
    QStringList otherCountyControls() const override;
};

// What 傳回報價單 hands to the quotation window.
struct CustomerPick {
    QString name;       // 客戶名稱
    QString siteAddr;   // county and street of the site address, nothing between them
    QString tel;        // 電話1 as the page shows it: "02 27751234"; empty without a number
    QString fax;        // 公司傳真 the same way
    QString contact;    // 連絡人
};

CustomerPick PickFromForm(const RecordForm& form);
// Puts the customer into the shared pick values and sets gCustomerPicked.
void HandBackCustomer(const CustomerPick& pick);
// The customer window is unloading: outside a pick nothing counts as picked.
void CustomerWindowUnloaded();

} // namespace varn
