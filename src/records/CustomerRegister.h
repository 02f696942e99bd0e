#pragma once

#include "records/CustomerRecord.h"
#include "records/RegisterEngine.h"

namespace varn {

// The customer register: the engine run on 客戶, with the customer pick of the quotation
// window. Whether it is a pick is read from gPickCustomer when it is made, as the window
// reads it when it loads.
class CustomerRegister : public RegisterEngine {
    Q_OBJECT
public:
    explicit CustomerRegister(std::shared_ptr<Database> db = {}, QObject* parent = nullptr);

    bool pickMode() const { return m_pickMode; }
    // 傳回報價單 is offered while a stored customer is shown and nothing is being changed,
    // so the quotation gets a customer that is in the register.
    bool canHandBack() const;
    // 傳回報價單: hands the shown customer to the quotation window. True when the window
    // is to close.
    bool handBack();
    // The window is closing.
    void unload();

private:
    bool m_pickMode = false;
};

} // namespace varn
