#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace varn {

// 列印設定: the 32 print-range boxes t1..t32 in file order (首頁設定, then 明細設定; in each
// the frames 表頭範圍, 變數範圍, 輸出範圍, 頁尾範圍 with 左上/右下 行 and 列), 固定表頭, 套用
// and 離開. Opening it loads the values in force from the files.
class frmXlSet : public QDialog {
    Q_OBJECT
public:
    explicit frmXlSet(QWidget* parent = nullptr);

    // 套用: writes Xp.ini and fastP.ini and puts the values in force; the window stays.
    void Command1_Click();
    // 離開: closes without saving.
    void Command2_Click();

    QLineEdit* t(int n) const { return m_t[size_t(n - 1)]; }   // n = 1..32
    QCheckBox* ckf() const { return m_ckf; }
    QPushButton* command1() const { return m_command1; }
    QPushButton* command2() const { return m_command2; }

private:
    void Form_Load();

    std::array<QLineEdit*, 32> m_t{};
    QCheckBox* m_ckf = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};

} // namespace varn
