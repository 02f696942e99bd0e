#pragma once

#include "platform/grid/GridModel.h"
#include "quotation/PageEnd.h"
#include "quotation/Pricing.h"
#include "quotation/QuotationHeader.h"
#include "quotation/QuotationTree.h"
#include "quotation/RecentFiles.h"
#include "quotation/VrnFile.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace varn {

class Database;
class ItemLexicon;

// Enabled items of the tree popup mTV for one node.
struct TreeMenuState {
    bool addArea = false;          // 新增區域
    bool addWorkType = false;      // 新增工種
    bool insert = false;           // 插入
    bool insertArea = false;       // 插入區域
    bool insertWorkType = false;   // 插入工種
    bool remove = false;           // 刪除
    bool statistics = false;       // 統計
    bool statisticsByWorkType = false; // 依工種...
    bool statisticsByArea = false; // 依區域...
    bool operator==(const TreeMenuState&) const = default;
};

// The four commands that open the name pick list lstAK.
enum class TreeCommand { AddArea, AddWorkType, InsertArea, InsertWorkType };

// Enabled items of the row popup mQ.
struct RowMenuState {
    bool copy = false;             // 複製
    bool remove = false;           // 刪除
    bool paste = false;            // 貼上
    bool insertCopied = false;     // 插入複製資料
    bool undo = false;             // 退回當筆(修改)
    bool operator==(const RowMenuState&) const = default;
};

// One quotation: the tree of areas and work types, the master rows hfgB, the shown rows
// hfgQ, the header, the page-end values, and the editing state of the quotation window.
// The window frmQ shows hfgQ in its grid view, mirrors the tree and binds its header and
// page-end controls; every change goes through this object. Selecting a node
// (`tv_NodeClick`) is the hub that stores the shown leaf's rows into hfgB and gathers the
// rows of the selected node; selecting the root gathers the whole quotation in tree order,
// which is what statistics, reports and the spreadsheet outputs read.
//
// Messages and questions go through prompter().
class Quotation : public QObject {
    Q_OBJECT
public:
    static const QString PickTypedName;   // "???...": the pick-list entry for a typed name

    explicit Quotation(QObject* parent = nullptr);
    ~Quotation() override;

    // ---- parts -------------------------------------------------------------------------
    const QuotationTree& tree() const { return m_tree; }
    GridModel& hfgQ() { return m_hfgQ; }
    const GridModel& hfgQ() const { return m_hfgQ; }
    const GridModel& hfgB() const { return m_hfgB; }
    const QuotationHeader& header() const { return m_header; }
    const PageEndValues& pageEnd() const { return m_pageEnd; }
    const Totals& totals() const { return m_totals; }
    RecentFiles& recentFiles() { return m_recent; }

    // ---- rights: 價格可見 and 成本可見 of the signed-in user ------------------------------
    void setRightsWord(int rights);
    bool noPriceRight() const { return m_noPriceRight; }
    bool noCostRight() const { return m_noCostRight; }
    TotalsVisibility totalsVisibility() const;

    // ---- the node-click hub ------------------------------------------------------------
    // Selects a node by key: stores the shown leaf, gathers the node's rows, refreshes the
    // totals and the grid format. Selecting the node already shown only refreshes.
    void tv_NodeClick(const QString& key);
    void selectRoot() { tv_NodeClick(QuotationTree::RootKey); }
    // Appends to hfgQ the stored rows of every leaf at or under the node, in tree order.
    void LstNd(const QString& key);
    // Stores the data rows of hfgQ as the block of `path` (the old block goes, the new one
    // is appended at the end of hfgB).
    void StoreLeafRows(bool found, const QString& path);
    // 1 when hfgB holds a block for the path, else 0; sets blockFirst/blockLast.
    int getD(const QString& path);
    void FindNodeRows(const QString& path);
    // Drops the trailing empty rows of hfgQ (never row 1); returns GridHasData.
    bool TrimEmptyRows();
    // Selects the node at or under `fromKey` whose path is `path`; false when none.
    bool GetL(const QString& fromKey, const QString& path);
    // Double-click on hfgQ: selects the node named by the cell, if any.
    bool hfgQ_DblClick(int row, int col);
    // Headers, widths, colours and alignments of hfgQ, then the column rights.
    void FormatQuotationGrid(bool atLeaf);
    void ApplyColumnRights();
    // Sums of the shown rows into totals().
    void UpdateTotals();

    QString curKey() const { return m_curKey; }
    QString curPath() const { return m_curKey; }
    // The path of the node whose rows hfgQ shows (lbPath).
    QString shownPath() const { return m_lbPath; }
    bool shownIsRoot() const { return m_lbPath == QuotationTree::RootKey; }
    bool isLeaf() const { return m_isLeaf; }
    bool gridHasData() const { return m_gridHasData; }
    int blockFirst() const { return m_blockFirst; }
    int blockLast() const { return m_blockLast; }
    bool noAreaMode() const { return m_noAreaMode; }
    // The eight area print commands are usable.
    bool areaPrintEnabled() const { return !m_noAreaMode; }
    // The parts of the shown path from the last to the first: where the item pick list
    // looks for the nearest work type.
    QStringList workTypeCandidates() const;
    // The window's tree widget reports expanding and collapsing.
    void setExpanded(const QString& key, bool expanded);

    // ---- cells of the shown leaf ---------------------------------------------------------
    QString GTxM(int row, int col) const { return m_hfgQ.textMatrix(row, col); }
    void SetTxM(int row, int col, const QString& text);
    void SetTxM(int row, int col, double value);
    int editRow() const { return m_editRow; }
    int editCol() const { return m_editCol; }
    void setEditCell(int row, int col);
    // Recomputes one column (6 to 10) of the row editRow().
    void RecalcRow(int col);
    // Writes an editor's text into a cell without recomputing (the item-name, unit,
    // 規格 and remark editors; an editor being placed). False when refused:
    // not an editable cell of a shown leaf, or the text holds "|" or a line break.
    bool setCellText(int row, int col, const QString& text);
    // A value typed in the quantity, price or cost editor or chosen in the ratio combo:
    // writes it, recomputes the row by the pricing modes and refreshes the totals.
    bool cellEdited(int row, int col, const QString& text);
    // Opening the cost editor: an empty cost takes the price (and the cost total follows);
    // returns the text the editor starts with.
    QString beginCostEdit(int row);
    // The row a left click on a cell edits: the clicked row, or for a click below the rows
    // (belowRows, row being the last one) the first free row, as a filled row is opened
    // only by a click on it. A click on or below the last row grows the grid by ten rows.
    int editRowForClick(int row, bool belowRows = false);
    // The first row after the last filled one; it may lie one past the grid's last row.
    int firstFreeRow() const;
    // A work item picked from the item list for the row; `editorText` is what the name
    // editor holds (in the no-area mode the item name is appended to it). Returns the
    // item name written.
    QString pickItem(int row, const QString& workItem, const QString& editorText, ItemLexicon& lexicon);
    // A detail picked in the 規格 combo: the row's cost becomes the work item's
    // cost plus the detail's markup.
    bool pickDetail(int row, const QString& detail, ItemLexicon& lexicon);

    // ---- pricing modes and bulk edits ----------------------------------------------------
    void setPricingMode(PricingMode mode);
    bool isPricingModeChecked(PricingMode mode) const { return m_modes.isChecked(mode); }
    // Ratio coefficient (double-click on "比例:") and target amount ("合計:").
    void lbSc_DblClick();
    void lbSum_DblClick();

    // ---- tree commands -------------------------------------------------------------------
    TreeMenuState treeMenuState(const QString& key) const;
    // The entries the pick list offers: "???..." first for the add commands, then the
    // lexicon names not yet used among the node's children (add) or on its level (insert).
    QStringList pickListEntries(TreeCommand command, const QString& key,
                                const QStringList& lexiconNames) const;
    // 確定 of an add command: the chosen entries become children of the node; the first
    // new child is then shown. False when nothing was added.
    bool AddChildNodes(const QString& key, const QStringList& chosen, bool workTypePick);
    // 確定 of an insert command: the chosen entries stand before the node, in order.
    bool InsertPickedNodes(const QString& key, const QStringList& chosen);
    // 刪除: asks, then removes the node, its subtree and their rows.
    bool mDelN_Click(const QString& key);

    // ---- row commands ----------------------------------------------------------------------
    // SelRow (−1: none) and SelRowEnd of the row selection in column 0.
    void setRowSelection(int selRow, int selRowEnd);
    // A right click on a cell: the row commands act at its row. One below the rows acts at
    // the first free row and never on a filled one, so 複製 and 刪除 are off until the next
    // click.
    void rightClickCell(int row, int col, bool belowRows);
    int selRow() const { return m_selRow; }
    int selRowEnd() const { return m_selRowEnd; }
    RowMenuState rowMenuState() const;
    bool hasCopy() const { return !m_copyBuf.empty(); }
    bool canUndo() const;
    void mCpq_Click();      // 複製
    void mInsQ_Click();     // 插入一空白列
    void mInsQcp_Click();   // 插入複製資料
    void mPstQ_Click();     // 貼上
    void mDelQ_Click();     // 刪除
    bool mUndo_Click();     // 退回當筆(修改)

    // ---- header --------------------------------------------------------------------------
    // False (with a message) for a line break.
    bool setHeaderField(HeaderField field, const QString& text);
    // After a file was opened: telephone, fax and contact of the customer of that name
    // (empty when the register has none). Returns whether the customer was found.
    bool lookUpCustomer(Database& db);

    // ---- page end ------------------------------------------------------------------------
    bool setRemark(int index, const QString& text);
    bool setFeeTitle(Fee fee, const QString& text);
    void setFeeChecked(Fee fee, int state);
    void setFeeByTotal(Fee fee, bool byTotal);
    bool setFeeBase(Fee fee, const QString& text);
    bool setFeeRate(Fee fee, const QString& text);
    void setTaxChecked(int state);
    // A rate picked from the list (recomputes), typed (does not), confirmed with Enter or by
    // leaving the box (a bare number becomes a percentage as Enter shows it; recomputes).
    void pickTaxRate(const QString& text);
    bool typeTaxRate(const QString& text);
    bool enterTaxRate();
    bool setDiscount(const QString& text);
    void RecalcGrandTotal();
    // cmdPe_Click: opening the panel selects the root first; either way the bases that go
    // by total take the shown total.
    void pageEndPanelToggled(bool shown);

    // ---- the quotation file --------------------------------------------------------------
    QString filePath() const { return m_filePath; }
    QString windowCaption() const;
    bool isModified() const { return m_modified; }

    // A new, empty quotation (no question asked).
    void newQuotation(const QDate& today = QDate::currentDate());
    // 建立新檔: asks "是否存檔?" when the quotation was changed, then starts a new one.
    bool mNew_Click(const QDate& today = QDate::currentDate());
    // 開啟舊檔 (no path) or a recent file (its path). True when a file was opened.
    bool mOpen_Click(const std::optional<QString>& recentPath = std::nullopt);
    // 儲存檔案 and 另存新檔: dialog, then saveTo.
    bool mSaveF_Click();
    bool mSaveAs_Click();
    // Writes the quotation to the path (after selecting the root); on success it becomes
    // the current file and heads the recent list. A failure is reported and changes nothing.
    bool saveTo(const QString& path);
    // The close question "是否儲存報價單 ?", asked whatever the quotation holds; false
    // keeps the window open.
    bool queryClose();
    // The window closes: the recent list is written and the mode reset.
    void closeDown(const QString& ofIniPath = RecentFiles::defaultPath());

    // The file's content. content() selects the root first, as a save does, so the shown
    // leaf is stored; snapshotContent() counts the shown leaf's rows as stored without
    // changing what the window shows.
    VrnContent content();
    VrnContent snapshotContent() const;
    // Replaces the whole quotation by content read from a file. A tax rate without its sign
    // is shown as the rate its figures were worked out with: how it was read is returned.
    std::optional<PageEnd::BareRateReading> load(const VrnContent& content, const QString& path);
    // The page-end values a file without them (or with parts missing) leaves.
    PageEndValues blankPageEnd() const;

signals:
    void treeChanged();
    void shownNodeChanged(const QString& key);   // lbPath_Change
    void totalsChanged();
    void headerChanged();
    void pageEndChanged();
    void hideCellEditorsRequested();
    void noAreaModeChanged(bool noAreaMode);
    void modifiedChanged(bool modified);
    void filePathChanged(const QString& path);
    void recentFilesChanged();

private:
    struct UndoEntry {
        QString leafPath;
        int row = 0;
        std::array<QString, 10> texts;
        QString workItem;   // the hidden lexicon item, so the undone row picks up its details
    };

    void setModified(bool modified = true);
    // The question before the quotation is replaced: true when it may go on (nothing
    // changed, No, or Yes and the save succeeded).
    bool saveChangesFirst(const QString& question);
    // Asks the question (Yes, No, Cancel): true on No, or on Yes when the save succeeded.
    bool askToSave(const QString& question);
    void setNoAreaMode(bool on);
    void setShownPath(const QString& key);
    void storeShownLeaf();
    void gather(const TreeNode* node);
    void clearNodeScope();
    bool editableCell(int row, int col) const;
    bool refuseText(const QString& text, const QString& field, const QString& separators);
    // The sum of a column over the whole quotation, the shown leaf's rows as they stand.
    double wholeQuotationSum(int col) const;
    // The item total, the cost total and the page end of the whole quotation, the item and
    // cost totals changed by the amounts given, can all be written in Chinese numerals.
    bool totalsFitNumerals(double amountChange = 0, double costChange = 0) const;
    // What of the quotation passes what the numerals can write: the first such row, named
    // as its leaf shows it, or the total; empty when everything fits.
    QString numeralsProblem() const;
    // Rows 品名 to 備註 (a copy, an undo) put in place of the shown rows firstReplaced to
    // lastReplaced (none when first > last) keep every row and total within the numerals.
    using RowTexts = std::array<QString, 10>;
    bool rowsFitNumerals(const std::vector<RowTexts>& incoming, int firstReplaced, int lastReplaced) const;
    // Refuses with the message a change of rows that would pass the numerals.
    bool refuseRowsPastNumerals(const std::vector<RowTexts>& incoming, int firstReplaced, int lastReplaced);
    std::optional<std::pair<int, int>> selectedRows() const;
    // EditRow is a place for inserted or pasted rows.
    bool canPlaceRowsAtEditRow() const;
    void bulkEdit(bool targetAmount);
    void afterRowCommand(bool structural);
    void pageEndEdited(const PageEndValues& before);
    // A value the user put into the panel: refused (the panel goes back to `before`) when
    // a total would pass what the numerals can write.
    bool pageEndInput(const PageEndValues& before);
    void recalcPageEnd();
    FeeValues& fee(Fee which);
    bool feeInputChanged(Fee which, const PageEndValues& before);

    QuotationTree m_tree;
    GridModel m_hfgQ;
    GridModel m_hfgB;
    QuotationHeader m_header;
    PageEndValues m_pageEnd;
    Totals m_totals;
    PricingModes m_modes;
    RecentFiles m_recent;

    bool m_noPriceRight = false;
    bool m_noCostRight = false;

    QString m_curKey;
    QString m_lbPath;
    bool m_isLeaf = false;
    bool m_gridHasData = false;
    int m_blockFirst = 0;
    int m_blockLast = 0;
    bool m_noAreaMode = false;

    int m_editRow = 0;
    // The tax rate as it stood when typing into its box began, while that typing lasts.
    bool m_taxRateTyping = false;
    QString m_taxRateBeforeTyping;
    int m_editCol = 0;
    bool m_rightClickBelowRows = false;
    int m_selRow = -1;
    int m_selRowEnd = 0;
    std::vector<std::array<QString, 10>> m_copyBuf;
    std::optional<UndoEntry> m_undo;

    QString m_filePath;
    bool m_modified = false;
};

} // namespace varn
