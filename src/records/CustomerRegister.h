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
    // 傳回報價單 is offered whenever the fields show a customer name, a customer being
    // added or changed included.
    bool canHandBack() const;
    // 傳回報價單: hands what the fields show to the quotation window, in every state. It
    // saves nothing: a customer being added or changed is stored only by 確定. True when
    // the window is to close.
    bool handBack();
    // The window is closing.
    void unload();

private:
    bool m_pickMode = false;
};

} // namespace varn
