#pragma once

#include "app/SystemSettings.h"
#include "platform/grid/GridModel.h"

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace varn {

class GridView;

// 系統設定: the rights of every employee, the superuser password, the company record,
// the three folders and the autosave settings, each applied by its own 套用.
class frmSet : public QWidget {
    Q_OBJECT
public:
    // Form_Load.
    explicit frmSet(QWidget* parent = nullptr);

    GridModel& rightsGrid() { return m_grid; }
    GridView* hfgSec() const { return m_view; }
    QTabWidget* SSTab() const { return m_tabs; }
    QLineEdit* opstxt() const { return m_old; }
    QLineEdit* npstxt() const { return m_new; }
    QLineEdit* cpstxt() const { return m_confirm; }
    QPushButton* cmdCp() const { return m_change; }
    QLineEdit* companyBox(int position) const { return m_company.at(position); }
    QLineEdit* txtMdbPath() const { return m_mdbPath; }
    QLineEdit* txtPrpath() const { return m_printPath; }
    QLineEdit* txtFlpath() const { return m_filePath; }
    QCheckBox* ckAutosv() const { return m_autoSave; }
    QLineEdit* txtAutosv() const { return m_autoSaveMin; }

    void Command1_Click();   // 離開
    void Command2_Click();   // rights 套用
    void cmdCp_Click();      // 變更
    void Command3_Click();   // company 套用
    void cmdExp_Click();     // browse
    void Command4_Click();   // paths 套用
    void Command5_Click();   // autosave 套用
    void hfgSec_Click(int row, int col);
    void opstxt_Change();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildRightsTab();
    QWidget* buildSettingsTab();
    void setPasswordBoxesEnabled(bool on);
    void fitRightsGrid();

    SystemSettings m_settings;
    GridModel m_grid;
    GridView* m_view = nullptr;
    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_old = nullptr;
    QLineEdit* m_new = nullptr;
    QLineEdit* m_confirm = nullptr;
    QPushButton* m_change = nullptr;
    QList<QLineEdit*> m_company;
    QLineEdit* m_mdbPath = nullptr;
    QLineEdit* m_printPath = nullptr;
    QLineEdit* m_filePath = nullptr;
    QCheckBox* m_autoSave = nullptr;
    QLineEdit* m_autoSaveMin = nullptr;
};

} // namespace varn
