// Tree commands (the popup of the tree) and row commands (the popup of the item grid).
#include "quotation/Quotation.h"

#include "platform/ui/Prompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/RowBlocks.h"

namespace varn {

// ---- tree commands -----------------------------------------------------------------------

TreeMenuState Quotation::treeMenuState(const QString& key) const
{
    TreeMenuState s;
    const TreeNode* node = m_tree.find(key);
    if (!node)
        return s;
    const int depth = node->depth();
    const bool rootAlone = m_tree.nodeCount() == 1;
    s.insert = s.remove = depth > 0;
    if (depth >= 1) {
        s.addWorkType = true;
    } else if (m_noAreaMode) {
        // Work types hang under the root: adding another one is what the root is for.
        s.addWorkType = true;
    } else {
        s.addArea = true;
        s.addWorkType = rootAlone;
    }
    if (depth == 1) {
        s.insertArea = !m_noAreaMode;
        s.insertWorkType = m_noAreaMode;
    } else if (depth >= 2) {
        s.insertWorkType = true;
    }
    s.statistics = !rootAlone;
    s.statisticsByWorkType = s.statistics;
    s.statisticsByArea = s.statistics && !m_noAreaMode;
    return s;
}

QStringList Quotation::pickListEntries(TreeCommand command, const QString& key,
                                       const QStringList& lexiconNames) const
{
    const TreeNode* node = m_tree.find(key);
    if (!node)
        return {};
    const bool add = command == TreeCommand::AddArea || command == TreeCommand::AddWorkType;
    QStringList used;
    const TreeNode* level = add ? node : node->parent;
    if (level) {
        for (const auto& child : level->children)
            used << child->name;
    }
    QStringList entries;
    if (add)
        entries << PickTypedName;
    for (const QString& name : lexiconNames) {
        if (!used.contains(name))
            entries << name;
    }
    return entries;
}

bool Quotation::AddChildNodes(const QString& key, const QStringList& chosen, bool workTypePick)
{
    if (chosen.isEmpty() || !m_tree.find(key))
        return false;
    // The command acts on the node the grid shows, so its rows are the ones in question.
    if (m_lbPath != key)
        tv_NodeClick(key);
    TreeNode* parent = m_tree.find(key);
    TrimEmptyRows();

    // The first name that can be added leads; a refused one is reported and the others
    // still go in.
    QStringList names = chosen;
    if (names.first() == PickTypedName) {
        InputRequest ask;
        ask.title = QStringLiteral("輸入 ???... = ?");
        ask.prompt = workTypePick ? QStringLiteral("請輸入名稱工種名稱") : QStringLiteral("請輸入名稱區域名稱");
        names.first() = prompter().input(ask).value_or(QString());
        if (names.first().isEmpty())
            names.first() = workTypePick ? QStringLiteral("未知工種") : QStringLiteral("未知區域");
    }
    names.removeAll(PickTypedName);
    QString first;
    while (!names.isEmpty() && first.isEmpty()) {
        const QString name = names.takeFirst();
        const QString refused = m_tree.refusalFor(parent, name);
        if (refused.isEmpty())
            first = name;
        else
            prompter().inform(refused, PromptIcon::Warning);
    }
    if (first.isEmpty())
        return false;

    // Any non-empty row counts: a row holding only a quantity would otherwise be dropped.
    const bool heldData = m_isLeaf && RowBlocks::usedRowCount(m_hfgQ) > 0;
    if (heldData) {
        MessageRequest ask;
        ask.text = QStringLiteral("此階層含有資料！\r\n是否要新增子階層？\r\n如果點選是,會將資料移至子階層");
        ask.icon = PromptIcon::Question;
        ask.buttons = PromptButtons::YesNo;
        ask.defaultButton = PromptButton::No;
        if (prompter().message(ask) != PromptButton::Yes) {
            UpdateTotals();
            return false;
        }
    }

    auto addOne = [&](const QString& name) -> TreeNode* {
        TreeNode* child = m_tree.addChild(parent, name);
        // Rows of an earlier node of the same path were deleted with it; none may reappear.
        if (child)
            RowBlocks::removeRows(m_hfgB, [&](const QString& p) { return QuotationTree::isAtOrUnder(p, child->key); });
        return child;
    };

    TreeNode* firstChild = addOne(first);
    if (heldData) {
        RowBlocks::removeBlock(m_hfgB, parent->key);
        RowBlocks::store(m_hfgB, m_hfgQ, m_hfgQ.rows() - 1, firstChild->key);
    } else {
        if (m_isLeaf)
            RowBlocks::removeBlock(m_hfgB, parent->key);
        RowBlocks::reset(m_hfgQ);
    }
    if (parent->isRoot() && parent->children.size() == 1)
        setNoAreaMode(workTypePick);

    for (const QString& name : names) {
        const QString why = m_tree.refusalFor(parent, name);
        if (!why.isEmpty()) {
            prompter().inform(why, PromptIcon::Warning);
            continue;
        }
        addOne(name);
    }

    parent->expanded = true;
    emit treeChanged();
    emit hideCellEditorsRequested();
    clearNodeScope();
    m_curKey = firstChild->key;
    m_isLeaf = true;
    FormatQuotationGrid(true);
    setShownPath(firstChild->key);
    UpdateTotals();
    setModified();
    return true;
}

bool Quotation::InsertPickedNodes(const QString& key, const QStringList& chosen)
{
    TreeNode* node = m_tree.find(key);
    if (!node || node->isRoot())
        return false;
    bool added = false;
    for (const QString& name : chosen) {
        const QString why = m_tree.refusalFor(node->parent, name);
        if (!why.isEmpty()) {
            prompter().inform(why, PromptIcon::Warning);
            continue;
        }
        TreeNode* n = m_tree.insertBefore(node, name);
        RowBlocks::removeRows(m_hfgB, [&](const QString& p) { return QuotationTree::isAtOrUnder(p, n->key); });
        added = true;
    }
    if (added) {
        emit treeChanged();
        setModified();
    }
    return added;
}

bool Quotation::mDelN_Click(const QString& key)
{
    TreeNode* node = m_tree.find(key);
    if (!node)
        return false;
    MessageRequest ask;
    ask.text = QStringLiteral("確定刪除 (%1)").arg(key);
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    if (prompter().message(ask) != PromptButton::Yes || node->isRoot())
        return false;

    const QString deleted = node->key;
    const QString parentKey = node->parent->key;
    m_tree.remove(node);
    RowBlocks::removeRows(m_hfgB, [&](const QString& p) { return QuotationTree::isAtOrUnder(p, deleted); });
    if (m_tree.root()->isLeaf())
        setNoAreaMode(false);
    emit treeChanged();

    // The grid must not go on showing rows that are gone.
    const QString shown = m_lbPath;
    if (QuotationTree::isAtOrUnder(shown, deleted)) {
        m_isLeaf = false;
        m_lbPath.clear();
        tv_NodeClick(parentKey);
    } else if (QuotationTree::isAtOrUnder(deleted, shown)) {
        m_isLeaf = false;
        m_lbPath.clear();
        tv_NodeClick(shown);
    }
    setModified();
    return true;
}

// ---- row commands ------------------------------------------------------------------------

void Quotation::setRowSelection(int selRow, int selRowEnd)
{
    m_selRow = selRow;
    m_selRowEnd = selRowEnd;
}

void Quotation::rightClickCell(int row, int col, bool belowRows)
{
    setEditCell(belowRows ? firstFreeRow() : row, col);
    m_rightClickBelowRows = belowRows;
}

std::optional<std::pair<int, int>> Quotation::selectedRows() const
{
    // A right click below the rows points at no row, so no selection is acted on.
    if (m_rightClickBelowRows)
        return std::nullopt;
    if (m_selRow < 0 || (m_selRow == 0 && m_selRowEnd == 0))
        return std::nullopt;
    // A selection dragged from the header row starts at the first data row.
    const int a = std::max(1, std::min(m_selRow, m_selRowEnd));
    const int b = std::min(m_hfgQ.rows() - 1, std::max(m_selRow, m_selRowEnd));
    if (a > b)
        return std::nullopt;
    return std::make_pair(a, b);
}

RowMenuState Quotation::rowMenuState() const
{
    RowMenuState s;
    s.copy = s.remove = m_isLeaf && selectedRows().has_value();
    s.paste = s.insertCopied = m_isLeaf && hasCopy();
    s.undo = m_isLeaf && canUndo();
    return s;
}

bool Quotation::canPlaceRowsAtEditRow() const
{
    // The row after the last one counts: the first free row of a grid filled to its end.
    return m_isLeaf && m_editRow >= 1 && m_editRow <= m_hfgQ.rows();
}

bool Quotation::canUndo() const
{
    return m_undo && m_undo->leafPath == m_lbPath && m_undo->row < m_hfgQ.rows();
}

void Quotation::afterRowCommand(bool structural)
{
    if (structural)
        m_undo.reset();
    FormatQuotationGrid(true);
    UpdateTotals();
    setModified();
}

bool Quotation::refuseRowsPastNumerals(const std::vector<RowTexts>& incoming, int firstReplaced,
                                       int lastReplaced)
{
    if (rowsFitNumerals(incoming, firstReplaced, lastReplaced))
        return false;
    prompter().inform(Pricing::tooLargeMessage(), PromptIcon::Warning);
    return true;
}

void Quotation::mCpq_Click()
{
    const auto rows = selectedRows();
    if (!rows)
        return;
    m_copyBuf.clear();
    for (int r = rows->first; r <= rows->second; ++r) {
        std::array<QString, 10> row;
        for (int j = 0; j < 10; ++j)
            row[j] = GTxM(r, QCol::Name + j);
        m_copyBuf.push_back(std::move(row));
    }
}

void Quotation::mInsQ_Click()
{
    if (!canPlaceRowsAtEditRow())
        return;
    m_hfgQ.insertRow(m_editRow);
    afterRowCommand(true);
}

void Quotation::mInsQcp_Click()
{
    if (!hasCopy() || !canPlaceRowsAtEditRow())
        return;
    if (refuseRowsPastNumerals(m_copyBuf, 1, 0))
        return;
    for (std::size_t i = 0; i < m_copyBuf.size(); ++i)
        m_hfgQ.insertRow(m_editRow);
    for (const auto& row : m_copyBuf) {
        for (int j = 0; j < 10; ++j)
            m_hfgQ.setTextMatrix(m_editRow, QCol::Name + j, row[j]);
        ++m_editRow;
    }
    afterRowCommand(true);
}

void Quotation::mPstQ_Click()
{
    if (!hasCopy() || !canPlaceRowsAtEditRow())
        return;
    const int n = static_cast<int>(m_copyBuf.size());
    if (refuseRowsPastNumerals(m_copyBuf, m_editRow, m_editRow + n - 1))
        return;
    if (m_hfgQ.rows() - 1 - m_editRow < n - 1)
        m_hfgQ.setRows(m_hfgQ.rows() + n);
    for (const auto& row : m_copyBuf) {
        for (int j = 0; j < 10; ++j)
            m_hfgQ.setTextMatrix(m_editRow, QCol::Name + j, row[j]);
        ++m_editRow;
    }
    afterRowCommand(false);
}

void Quotation::mDelQ_Click()
{
    const auto rows = selectedRows();
    if (!m_isLeaf || !rows)
        return;
    const auto [a, b] = *rows;
    if (a == 1 && b == m_hfgQ.rows() - 1) {
        RowBlocks::reset(m_hfgQ);
    } else {
        for (int r = b; r >= a; --r)
            m_hfgQ.removeRow(r);
    }
    // The selected rows are gone; a second 刪除 must not take others.
    m_selRow = -1;
    m_selRowEnd = 0;
    afterRowCommand(true);
}

bool Quotation::mUndo_Click()
{
    if (!m_isLeaf || !canUndo())
        return false;
    if (refuseRowsPastNumerals({m_undo->texts}, m_undo->row, m_undo->row))
        return false;
    for (int j = 0; j < 10; ++j)
        SetTxM(m_undo->row, QCol::Name + j, m_undo->texts[j]);
    SetTxM(m_undo->row, QCol::WorkItem, m_undo->workItem);
    UpdateTotals();
    return true;
}

} // namespace varn
