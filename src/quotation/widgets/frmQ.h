#pragma once

#include "quotation/LayoutFlags.h"
#include "quotation/PickLists.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace varn {

class CellEditors;
class Database;
class GridView;
class ItemLexicon;
class Quotation;
enum class PricingMode;

// 報價單: the quotation window. It shows one Quotation (the document with its tree, rows,
// header and totals) and binds its controls to it: the header fields, the tree tv with its
// popup and name pick list, the item grid hfgQ with its floating cell editors and row
// popup, the summary line and the menus. Every change goes through the document; the
// window only shows the document's state after it.
//
// Commands that other parts of the program supply (printing, statistics, reports, the
// file commands, the customer pick, the page-end panel, 品名加入施工資料庫) are hooked in
// with setCommandHandler by the name of their menu item or button. Until then the print
// commands say they are not there yet, and the others stay disabled.
class frmQ : public QMainWindow {
    Q_OBJECT
public:
    // Form_Load: builds the window and loads it in its fixed order.
    explicit frmQ(QWidget* parent = nullptr);
    ~frmQ() override;

    // ---- the one window ------------------------------------------------------------------
    // The window, made and loaded on first use (and again after it was closed).
    static frmQ* instance();
    // The window if it exists, else null.
    static frmQ* existing();
    // 報價單 of the main menu: the window shown maximised and brought to the front.
    static void open();
    // 結束 of the main menu: the window's close question runs; false when it stays open.
    // True when there is no window.
    static bool requestClose();
    // `MarkTemplatesReadOnly`, run first thing whenever the window loads (the print
    // subsystem supplies it).
    static void setTemplateMarker(std::function<void()> marker);
    // `LoadXlSettings` then `OpenMainDb`, run as the window loads (the shell supplies them,
    // with their messages). Without it the print ranges are read quietly and the open
    // connection is used.
    static void setSettingsLoader(std::function<void()> loader);
    // Run on every window once it has loaded, in the order added: the other parts of the
    // program put their commands on it here (file commands, statistics, reports...).
    static void addLoadHook(std::function<void(frmQ&)> hook);

    Quotation& quotation() { return *m_doc; }
    // `StaDb`: the user's statistics database, null when it could not be opened or made.
    Database* staDb() const { return m_staDb.get(); }
    // The page-end lists the window loaded (for the page-end panel).
    QStringList pageEndPhrases() const { return m_pageEndPhrases; }
    QStringList taxRates() const { return m_taxRates; }
    // The layout flags the print commands set and the print engines read.
    LayoutFlags& layoutFlags() { return m_layoutFlags; }

    // ---- extension points ----------------------------------------------------------------
    // Hooks a command to a menu item or button by its control name ("mPa", "mCalT",
    // "mSaveF", "cmdC", "cmdPe", "mAdd2W"...); the item's enabled state follows the rules.
    void setCommandHandler(const QString& name, std::function<void()> handler);
    bool hasCommandHandler(const QString& name) const;
    // A menu item by its control name, or null.
    QAction* action(const QString& name) const;
    // The close question (false keeps the window open as it was) and what follows a close
    // that goes ahead. Without them the quotation asks and saves through its own save-as,
    // and writes the recent list.
    void setCloseHandlers(std::function<bool()> queryClose, std::function<void()> closed);

    // ---- handlers ------------------------------------------------------------------------
    // 建立新檔: asks to save a changed quotation, then starts a new one.
    bool mNew_Click();
    // The window's close, as its close button or 關閉 would do it; false when it stays.
    bool mClose_Click() { return close(); }

    void tv_NodeClick(const QString& key);
    // A mouse button on the tree, over the node `key` (empty: the selected node).
    void tv_MouseDown(Qt::MouseButton button, const QString& key, const QPoint& globalPos = {});
    void mAddA_Click();
    void mAddT_Click();
    void mInsA_Click();
    void mInsT_Click();
    void mDelN_Click();
    void lstAK_MouseDown(Qt::MouseButton button, const QPoint& globalPos = {});
    void mADakO_Click();
    void mADakC_Click();
    // The entries chosen in lstAK, in list order.
    QStringList chosenNames() const;

    // Mouse over the item grid, by cell (row, col as the grid reports them).
    void hfgQ_MouseDown(Qt::MouseButton button, int row, int col, const QPoint& globalPos = {});
    void hfgQ_MouseUp();
    void hfgQ_MouseMove(const QPoint& pos);
    void hfgQ_DblClick(int row, int col);

    // Row commands of the popup mQ.
    void mInsQ_Click();
    void mInsQcp_Click();
    void mDelQ_Click();
    void mCpq_Click();
    void mPstQ_Click();
    void mUndo_Click();

    // Double-clicks on the captions "比例:" and "合計:".
    void lbSc_DblClick();
    void lbSum_DblClick();

    // ---- controls, by their names in the window ------------------------------------------
    QTreeWidget* tv() const { return m_tv; }
    QListWidget* lstAK() const { return m_lstAK; }
    GridView* hfgQ() const { return m_hfgQ; }
    CellEditors& editors() const { return *m_editors; }
    QMenu* mTV() const { return m_mTV; }
    QMenu* mADAK() const { return m_mADAK; }
    QMenu* mQ() const { return m_mQ; }
    QLabel* lbPath() const { return m_lbPath; }
    QLabel* lbSumT() const { return m_lbSumT; }
    QLabel* lbCsumT() const { return m_lbCsumT; }
    QLabel* lbProT() const { return m_lbProT; }
    QLabel* lbScT() const { return m_lbScT; }
    QLineEdit* txtCn() const { return m_txtCn; }
    QComboBox* cbEcn() const { return m_cbEcn; }
    QComboBox* cbSal() const { return m_cbSal; }
    QComboBox* cbK() const { return m_cbK; }
    QLineEdit* txtNo() const { return m_txtNo; }
    QLineEdit* txtAddr() const { return m_txtAddr; }
    QLineEdit* txtQD() const { return m_txtQD; }
    QLabel* lbConn() const { return m_lbConn; }
    QLabel* lbCtel() const { return m_lbCtel; }
    QPushButton* cmdC() const { return m_cmdC; }
    QPushButton* cmdPe() const { return m_cmdPe; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void buildMenus();
    QWidget* buildHeader();
    QWidget* buildBody();
    QWidget* buildSummary();
    QAction* addAction(QMenu* menu, const char* name, const QString& caption);
    void bindDocument();

    void openStaDb();
    void loadPickLists();
    void applyHeaderDefaults(const QString& category);
    void LoadAreaPickList();
    void LoadItemPickList();
    void showPickFailure(const PickList& list);

    void refreshAll();
    void refreshTree();
    void selectTreeItem(const QString& key);
    void refreshHeader();
    void refreshTotals();
    void refreshCaption();
    void refreshCommandStates();
    void refreshPricingModes();

    void openNamePick(int command);
    void runCommand(const QString& name);
    void pricingModeClicked(PricingMode mode);
    void splitterMoved(int pos);

    static QPointer<frmQ> s_instance;
    static std::function<void()> s_templateMarker;
    static std::function<void()> s_settingsLoader;
    static std::vector<std::function<void(frmQ&)>> s_loadHooks;

    Quotation* m_doc;
    std::unique_ptr<ItemLexicon> m_lexicon;
    std::unique_ptr<Database> m_staDb;
    QStringList m_pageEndPhrases;
    QStringList m_taxRates;
    LayoutFlags m_layoutFlags;
    std::map<QString, std::function<void()>> m_handlers;
    std::function<bool()> m_queryClose;
    std::function<void()> m_closed;
    QHash<QString, QAction*> m_actions;

    // Header.
    QPushButton* m_cmdC = nullptr;
    QLineEdit* m_txtCn = nullptr;
    QComboBox* m_cbEcn = nullptr;
    QComboBox* m_cbSal = nullptr;
    QComboBox* m_cbK = nullptr;
    QLineEdit* m_txtNo = nullptr;
    QLineEdit* m_txtAddr = nullptr;
    QLineEdit* m_txtQD = nullptr;
    QDateEdit* m_DTP = nullptr;
    QLabel* m_lbConn = nullptr;
    QLabel* m_lbCtel = nullptr;

    // Body.
    QSplitter* m_fme = nullptr;
    QTreeWidget* m_tv = nullptr;
    QHash<QString, QTreeWidgetItem*> m_treeItems;
    QPushButton* m_cmdPe = nullptr;
    QListWidget* m_lstAK = nullptr;
    GridView* m_hfgQ = nullptr;
    CellEditors* m_editors = nullptr;
    QMenu* m_mTV = nullptr;
    QMenu* m_mADAK = nullptr;
    QMenu* m_mQ = nullptr;
    int m_splitterPos = 0;

    // Summary line.
    QLabel* m_lbPath = nullptr;
    QLabel* m_lbSum = nullptr;
    QLabel* m_lbSumT = nullptr;
    QLabel* m_lbCsumT = nullptr;
    QLabel* m_lbProT = nullptr;
    QLabel* m_lbSc = nullptr;
    QLabel* m_lbScT = nullptr;

    // Tree pick state.
    QString m_treeKey;          // the node the tree popup acts on
    bool m_workTypePick = false;
    bool m_insertPick = false;
    bool m_syncingTree = false;
};

} // namespace varn
