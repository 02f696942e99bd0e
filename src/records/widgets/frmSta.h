#pragma once

#include "records/widgets/RegisterWindow.h"

class QGroupBox;
class QLineEdit;

namespace varn {

class EmployeeRegister;

// 員工資料: the employee register window, modeless from the main menu, with the password
// panel 密碼設定 beside the memo. The panel is offered in every state and to everyone who
// can open the window.
class frmSta : public RegisterWindow {
    Q_OBJECT
public:
    explicit frmSta(QWidget* parent = nullptr);
    ~frmSta() override;

    static frmSta* existing();
    EmployeeRegister& employees();

    void t2_Validate();
    void cmdPaSet_Click();   // 密碼設定
    void cmdPass_Click();    // 變更
    void cmdCnC_Click();     // 取消變更

    QGroupBox* Frame3 = nullptr;
    QPushButton* cmdPaSet = nullptr;
    QLabel* lbOp = nullptr;
    QLabel* lbNp = nullptr;
    QLabel* lbCp = nullptr;
    QLineEdit* txtOp = nullptr;
    QLineEdit* txtNp = nullptr;
    QLineEdit* txtCp = nullptr;
    QPushButton* cmdPass = nullptr;
    QPushButton* cmdCnC = nullptr;

private:
    void buildDetail();
    void buildPasswordPanel();
    void showPasswordPanel(bool open);
    EmployeeRegister* m_employees;
};

// The main menu's 員工資料.
void ShowEmployeeRegister(QWidget* parent = nullptr);

} // namespace varn
