#pragma once

#include "lexicon/OrderedList.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace varn {

// The ordered-list editor of the project categories or the work types, by gListKind:
// names are added, renamed and deleted at once, the order is written when it closes.
class frmEm : public QDialog {
    Q_OBJECT
public:
    explicit frmEm(QWidget* parent = nullptr);

    OrderedList& list() { return m_list; }

    void cmdNew_Click();
    void cmdEdit_Click();
    void cmdY_Click();
    void cmdN_Click();
    void cmdDel_Click();
    void cmdUp_Click();
    void cmdDn_Click();
    void Command1_Click();
    void LoadList();
    void SaveList();

    static constexpr int NormalHeight = 6465;     // twips
    static constexpr int EntryHeight = 8130;

    QListWidget* LsM = nullptr;
    QPushButton *cmdNew = nullptr, *cmdEdit = nullptr, *cmdDel = nullptr, *cmdUp = nullptr, *cmdDn = nullptr;
    QPushButton* Command1 = nullptr;
    QFrame* fm = nullptr;
    QLabel *lb1 = nullptr, *lb2 = nullptr;
    QLineEdit* txt = nullptr;
    QPushButton *cmdY = nullptr, *cmdN = nullptr;
    QString EntryMode;   // "Add" or "Edit"

    int heightTwips() const { return m_heightTwips; }

    // Form_Unload: the list is saved however the window closes.
    void done(int result) override;

private:
    void setHeightTwips(int twips);
    void showList(int select = -1);
    void closeEntry();
    int selected() const;
    void moved(std::optional<int> to);

    OrderedList m_list;
    int m_heightTwips = NormalHeight;
    bool m_saved = false;
};

} // namespace varn
