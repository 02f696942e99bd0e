#pragma once

#include "records/RecordRules.h"

#include <QString>
#include <QStringList>

namespace varn {

// What the customer and vendor records share: the short name that follows the name, the
// first telephone number copied to the other company numbers, the company county that
// fills the seven area codes and the invoice county, and the invoice street stored
// without its outer blanks when a record is changed.
class CompanyRules : public RecordRules {
public:
    // invoiceAddressColumn: the column of 發票地址 ("cb3;t7").
    explicit CompanyRules(int invoiceAddressColumn);

    void fieldChanged(RecordForm& form, const QString& control) override;
    bool choicePicked(RecordForm& form, const QString& control, int index) override;
    void adjustRow(QStringList& row, const RecordForm& form, EditMode mode) override;

    // The area-code boxes a county choice fills, in the order they are filled.
    static QStringList areaCodeControls();

protected:
    // County boxes besides the invoice one that take the company county.
    virtual QStringList otherCountyControls() const { return {}; }

private:
    int m_invoiceAddressColumn;
};

} // namespace varn
