#pragma once

#include "lexicon/LexiconEditor.h"

#include <QColor>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;

namespace varn {

class GridView;

// 工程資料: the lexicon window. Tab 0 the categories with their areas (hfgA, 20 areas a
// grid), tab 1 the work types with their work items (hfgW) and a work item's details
// (hfgD), tab 2 the thirteen lookup lists (hfgS). The handlers bind the controls to a
// LexiconEditor, which holds the working copies and writes them.
class frmEng : public QWidget {
    Q_OBJECT
public:
    explicit frmEng(QWidget* parent = nullptr);
    ~frmEng() override;

    // The one window, made on first use (it deletes itself when closed).
    static frmEng* instance();
    static frmEng* existing();
    // Opens the shared database again when the window loads (OpenMainDb).
    static void setDatabaseOpener(std::function<void()> opener);

    static QColor categoryBack() { return QColor(192, 192, 255); }
    static QColor kindBack() { return QColor(0, 192, 192); }

    LexiconEditor& editor() { return m_editor; }

    // Handlers, by the names of their controls.
    void cbK_Click();
    void cbT_Click();
    void cmAp_Click();
    void cmdCancel_Click();
    void cmWp_Click();
    void Command4_Click();
    void cmdP_Click();
    void Command5_Click();
    void cmdUpA_Click();
    void cmdDnA_Click();
    void cmdUpW_Click();
    void cmdDnW_Click();
    void cmUpD_Click();
    void cmDnD_Click();
    void cmEdK_Click();
    void Command2_Click();
    void cmdPo_Click();
    void cmdPrd_Click();
    void cmdPrK_Click();
    void cmdPrt_Click();
    void Tab1_Click(int previousTab);
    void hfgA_MouseDown(int index, Qt::MouseButton button, const QPoint& pos);
    void hfgW_MouseDown(Qt::MouseButton button, const QPoint& pos);
    void hfgD_MouseDown(Qt::MouseButton button, const QPoint& pos);
    void hfgS_MouseDown(int index, Qt::MouseButton button, const QPoint& pos);
    void mAddA_Click();
    void mDelA_Click();
    void mEditA_Click();
    void mAddW_Click();
    void mDelW_Click();
    void mEditW_Click();
    void mAddD_Click();
    void mDelD_Click();
    void mEditD_Click();
    void BeginEditArea();
    void BeginEditWorkItem();
    void BeginEditDetail();
    void NextWorkCell();
    void NextDetailCell();
    void ArrangeAreaGrids(int lastIndex);

    QTabWidget* Tab1 = nullptr;
    QComboBox* cbK = nullptr;
    QComboBox* cbT = nullptr;
    QComboBox* cbW = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::vector<GridView*> hfgA;
    GridView* hfgW = nullptr;
    GridView* hfgD = nullptr;
    std::array<GridView*, kLookupListCount> hfgS{};
    QLineEdit* txtA = nullptr;
    QLineEdit* txtW = nullptr;
    QLineEdit* txtD = nullptr;
    QLineEdit* txtS = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lbl2 = nullptr;
    QPushButton *cmAp = nullptr, *cmdCancel = nullptr, *cmdUpA = nullptr, *cmdDnA = nullptr;
    QPushButton *cmEdK = nullptr, *cmdPrK = nullptr;
    QPushButton *cmWp = nullptr, *Command4 = nullptr, *cmdUpW = nullptr, *cmdDnW = nullptr;
    QPushButton *cmdP = nullptr, *Command5 = nullptr, *cmUpD = nullptr, *cmDnD = nullptr;
    QPushButton *Command2 = nullptr, *cmdPrt = nullptr, *cmdPrd = nullptr, *cmdPo = nullptr;
    QMenu *mA = nullptr, *mW = nullptr, *mD = nullptr;
    QAction *mAp = nullptr, *mWap = nullptr, *mDap = nullptr;

    int CurList = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildAreasTab(QWidget* page);
    void buildWorkTab(QWidget* page);
    void buildListsTab(QWidget* page);
    QMenu* buildMenu(const QString& suffix, QAction*& apply, const std::array<std::function<void()>, 5>& handlers);
    void Form_Load();
    void fillCombo(QComboBox* combo, const QStringList& entries, const QString& current);
    void syncAreaViews();
    void fitColumns(GridView* grid);
    void refreshState();
    void hideEditors();
    void placeEditor(QWidget* editor, GridView* grid, int row, int col, bool keepHeight = false);
    void moved(MoveResult result, GridView* grid);
    // Shows a refusal of what an editor now holds, after `restore` has put back the text it
    // held before; false when there is nothing to refuse.
    bool refused(const std::optional<QString>& refusal, const std::function<void()>& restore);
    void editorEdited(LexiconGrid g, QLineEdit* editor, const QString& text);
    void editorKey(QLineEdit* editor);
    void editorLeft(QLineEdit* editor);
    void showListEditor(int index, int row);
    void settleAndRun(LexiconGrid g, bool apply);

    LexiconEditor m_editor;
    int m_currentTab = 0;
    bool m_switchingBack = false;
    bool m_warned = false;       // the name warning was shown for this editor opening
    bool m_quiet = false;        // editors are being moved by the program
    QString m_editorText;        // the editor's text before the last change
    int m_listRow = 0;
};

// The main menu's 工程資料&詞庫: the lexicon window, modeless.
void ShowLexiconWindow(QWidget* parent = nullptr);

} // namespace varn
