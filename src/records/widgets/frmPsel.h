#pragma once

#include <QDialog>

#include <array>

class QPushButton;
class QRadioButton;

namespace varn {

// The print chooser of the customer and vendor registers: mailing labels or a list of
// chosen columns.
class frmPsel : public QDialog {
    Q_OBJECT
public:
    explicit frmPsel(QWidget* parent = nullptr);

    void cmdNext_Click();
    void cmdCancel_Click();

    std::array<QRadioButton*, 2> oPsel{};   // 列印標籤, 列印報表
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;
};

// 列印 of a register: customers and vendors choose in frmPsel, employees go straight to the
// column chooser frmPrt. Sets gPrintKind; both windows are modal.
void ShowListPrinting(QWidget* parent, int printKind);

} // namespace varn
