#pragma once

#include "records/widgets/RegisterWindow.h"

class QPushButton;

namespace varn {

class CustomerRegister;

// 客戶資料: the customer register window. One instance; opened modeless from the main
// menu, or modal from the quotation window to pick a customer (then it offers
// 傳回報價單).
class frmCus : public RegisterWindow {
    Q_OBJECT
public:
    explicit frmCus(QWidget* parent = nullptr);
    ~frmCus() override;

    // The one window, made on first use (it deletes itself when closed).
    static frmCus* instance();
    // The window when it is open, else nullptr.
    static frmCus* existing();

    CustomerRegister& customers();

    // 傳回報價單: hands the shown customer to the quotation window and closes.
    void cmd2Q_Click();
    // The name box was left: the code of a new customer.
    void t2_Validate();

    QPushButton* cmd2Q = nullptr;

protected:
    void refresh() override;
    void unloaded() override;

private:
    void buildDetail();
    CustomerRegister* m_customers;
};

// The main menu's 客戶資料: the register for browsing and editing, modeless.
void ShowCustomerRegister(QWidget* parent = nullptr);

// The quotation window's customer button: the register in pick mode, modal. True when a
// customer was handed back (its values are then in gCusName, gCusSiteAddr, gCusTel,
// gCusFax and gCusContact); false when the window was closed without one, or when an
// open register kept an unsaved record and so could not be reopened for the pick.
bool PickCustomer(QWidget* parent = nullptr);

} // namespace varn
