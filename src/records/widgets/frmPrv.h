#pragma once

#include "records/VendorRecord.h"
#include "records/widgets/RegisterWindow.h"

class QCheckBox;
class QGroupBox;
class QListWidget;
class QTabWidget;

namespace varn {

class VendorRegister;

// 廠商資料: the vendor register window, modeless from the main menu. Besides the engine's
// commands it browses by work crew (cbW) and material (cbP), and keeps the vendor's
// supply kinds and links on the tab "工班 或 材料供應".
class frmPrv : public RegisterWindow {
    Q_OBJECT
public:
    explicit frmPrv(QWidget* parent = nullptr);
    ~frmPrv() override;

    static frmPrv* existing();
    VendorRegister& vendors();

    void cbW_Click(int index);
    void cbP_Click(int index);
    void cmW_Click();
    void cmP_Click();
    void t2_Validate();

    QComboBox* cbW = nullptr;
    QComboBox* cbP = nullptr;
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Fm1 = nullptr;
    QGroupBox* Fm2 = nullptr;
    QPushButton* cmW = nullptr;
    QPushButton* cmP = nullptr;

protected:
    void refresh() override;

private:
    void buildDetail();
    void refreshSupply();
    void editLinks(SupplyKind kind);
    VendorRegister* m_vendors;
};

// The main menu's 廠商資料.
void ShowVendorRegister(QWidget* parent = nullptr);

} // namespace varn
