#pragma once

#include "records/SupplyLinks.h"

#include <QDialog>

#include <memory>
#include <optional>

class QLabel;
class QListWidget;
class QPushButton;

namespace varn {

// 施工廠商 編輯 / 材料供應 編輯: the links of the vendor gVendorName of the kind
// gSupplyMode, modal. Nothing is written before 確定; a 確定 the database refuses keeps the
// window open with its lists.
class frmWP : public QDialog {
    Q_OBJECT
public:
    explicit frmWP(QWidget* parent = nullptr);
    ~frmWP() override;

    void cmAd_Click();       // 加入
    void cmMv_Click();       // 移除
    void Command1_Click();   // 確定
    void Command2_Click();   // 取消
    void Command3_Click();   // 恢復原始狀態
    void Command4_Click();   // 離開

    QLabel* lbCusName = nullptr;
    QLabel* LbO = nullptr;
    QLabel* LbNew = nullptr;
    QLabel* LbAll = nullptr;
    QListWidget* LsO = nullptr;
    QListWidget* LsNew = nullptr;
    QListWidget* LsAll = nullptr;
    QPushButton* cmMv = nullptr;
    QPushButton* cmAd = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;

private:
    void FillLinkLists();
    void showLists();

    std::unique_ptr<SupplyLinks> m_links;   // none for a mode that is neither "w" nor "p"
};

} // namespace varn
