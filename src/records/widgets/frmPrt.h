#pragma once

#include "records/ListPrinting.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace varn {

// The column chooser: the register's columns on the right (所有欄位：), the columns to
// print in print order on the left (欲列印欄位：), and 列印 into the register's list.
class frmPrt : public QDialog {
    Q_OBJECT
public:
    explicit frmPrt(QWidget* parent = nullptr);

    // Takes the caption of the print kind and lists its columns; false (told) when the
    // table cannot be read.
    bool load(int printKind);
    const ColumnChooser& chooser() const { return m_chooser; }

    void cmAd_Click();
    void cmMv_Click();
    void cmdUp_Click();
    void cmdDn_Click();
    void cmdP_Click();
    void Command1_Click();

    QListWidget* lstOr = nullptr;
    QListWidget* lstTa = nullptr;
    QPushButton* cmAd = nullptr;
    QPushButton* cmMv = nullptr;
    QPushButton* cmdUp = nullptr;
    QPushButton* cmdDn = nullptr;
    QPushButton* cmdP = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void showLists(int chosenRow);
    void move(bool up);

    ColumnChooser m_chooser;
    int m_kind = 0;
};

} // namespace varn
