#include "quotation/Quotation.h"

#include "platform/text/VbNumber.h"
#include "platform/ui/Prompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/ItemLexicon.h"
#include "quotation/RowBlocks.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"

#include <algorithm>
#include <utility>
#include <functional>

namespace varn {

const QString Quotation::PickTypedName = QStringLiteral("???...");

namespace {

// Colours of the formatted grid. The two system colours are given as the usual values of
// the selection highlight and the three-dimensional light face.
const QColor kPathBack(255, 255, 192);
const QColor kHighlight(0, 120, 215);
const QColor kLightFace(227, 227, 227);
const QColor kDarkRed(192, 0, 0);

const char16_t* const kHeaders[] = {u"", u"  階  層", u"   品      名 ", u"   規    格", u"單位",
                                    u"數量", u"單 價", u"金 額", u"成 本", u"成本複計", u"比例",
                                    u"備 註"};

// The priced columns (數量 to 比例) of every row, to put back after a refused bulk edit.
std::vector<QString> pricedTexts(const GridModel& g)
{
    std::vector<QString> out;
    out.reserve(static_cast<std::size_t>(g.rows()) * (QCol::Remark - QCol::Qty));
    for (int r = 1; r < g.rows(); ++r) {
        for (int c = QCol::Qty; c < QCol::Remark; ++c)
            out.push_back(g.textMatrix(r, c));
    }
    return out;
}

void restorePricedTexts(GridModel& g, const std::vector<QString>& texts)
{
    std::size_t i = 0;
    for (int r = 1; r < g.rows() && i < texts.size(); ++r) {
        for (int c = QCol::Qty; c < QCol::Remark; ++c)
            g.setTextMatrix(r, c, texts[i++]);
    }
}

} // namespace

Quotation::Quotation(QObject* parent)
    : QObject(parent), m_hfgQ(2, QCol::Count), m_hfgB(2, QCol::Count)
{
    setRightsWord(state().m.gRights);
    newQuotation();
    m_header.salesperson = state().m.gUserName;
}

Quotation::~Quotation() = default;

// ---- rights ------------------------------------------------------------------------------

void Quotation::setRightsWord(int rights)
{
    m_noPriceRight = !HasRight(rights, Right::PriceVisible);
    m_noCostRight = !HasRight(rights, Right::CostVisible);
    FormatQuotationGrid(m_isLeaf);
    emit totalsChanged();
}

TotalsVisibility Quotation::totalsVisibility() const
{
    return Pricing::visibility(m_noPriceRight, m_noCostRight);
}

// ---- state helpers -----------------------------------------------------------------------

void Quotation::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void Quotation::setNoAreaMode(bool on)
{
    if (m_noAreaMode == on)
        return;
    m_noAreaMode = on;
    emit noAreaModeChanged(on);
}

void Quotation::setShownPath(const QString& key)
{
    m_lbPath = key;
    emit shownNodeChanged(key);
}

void Quotation::clearNodeScope()
{
    m_undo.reset();
    m_selRow = -1;
    m_selRowEnd = 0;
}

QStringList Quotation::workTypeCandidates() const
{
    QStringList parts = m_lbPath.split(QuotationTree::Separator, Qt::SkipEmptyParts);
    std::reverse(parts.begin(), parts.end());
    return parts;
}

void Quotation::setExpanded(const QString& key, bool expanded)
{
    if (TreeNode* n = m_tree.find(key))
        n->expanded = expanded;
}

// ---- the hub -----------------------------------------------------------------------------

void Quotation::tv_NodeClick(const QString& key)
{
    const TreeNode* node = m_tree.find(key);
    if (!node)
        return;
    m_gridHasData = false;
    emit hideCellEditorsRequested();
    m_curKey = key;
    if (m_lbPath != key) {
        storeShownLeaf();
        clearNodeScope();
        gather(node);
    }
    UpdateTotals();
    m_isLeaf = node->isLeaf();
    FormatQuotationGrid(m_isLeaf);
    setShownPath(key);
}

void Quotation::storeShownLeaf()
{
    if (!m_isLeaf || !m_tree.contains(m_lbPath))
        return;
    m_gridHasData = TrimEmptyRows();
    if (m_gridHasData) {
        const bool found = getD(m_lbPath) != 0;
        StoreLeafRows(found, m_lbPath);
    } else {
        // A leaf whose rows were all deleted stays empty; its old rows must not return.
        RowBlocks::removeBlock(m_hfgB, m_lbPath);
    }
}

void Quotation::gather(const TreeNode* node)
{
    m_hfgQ.setRedraw(false);
    RowBlocks::reset(m_hfgQ);
    const QHash<QString, BlockRange> blocks = RowBlocks::index(m_hfgB);
    for (const TreeNode* leaf : m_tree.leaves(node)) {
        const auto it = blocks.constFind(leaf->key);
        if (it != blocks.constEnd())
            RowBlocks::appendTo(m_hfgQ, m_hfgB, *it, leaf->key);
    }
    m_hfgQ.setRedraw(true);
}

void Quotation::LstNd(const QString& key)
{
    const TreeNode* node = m_tree.find(key);
    if (!node)
        return;
    for (const TreeNode* leaf : m_tree.leaves(node)) {
        if (getD(leaf->key))
            RowBlocks::appendTo(m_hfgQ, m_hfgB, BlockRange{m_blockFirst, m_blockLast}, leaf->key);
    }
}

void Quotation::StoreLeafRows(bool /*found*/, const QString& path)
{
    // The old block is found and removed whatever `found` says: storing never leaves two.
    RowBlocks::store(m_hfgB, m_hfgQ, m_hfgQ.rows() - 1, path);
}

int Quotation::getD(const QString& path)
{
    FindNodeRows(path);
    return m_blockFirst > 0 ? 1 : 0;
}

void Quotation::FindNodeRows(const QString& path)
{
    const BlockRange b = RowBlocks::find(m_hfgB, path);
    m_blockFirst = b.first;
    m_blockLast = b.last;
}

bool Quotation::TrimEmptyRows()
{
    m_gridHasData = RowBlocks::trimEmptyRows(m_hfgQ);
    return m_gridHasData;
}

bool Quotation::GetL(const QString& fromKey, const QString& path)
{
    const TreeNode* from = m_tree.find(fromKey);
    if (!from)
        return false;
    std::function<const TreeNode*(const TreeNode*)> search = [&](const TreeNode* n) -> const TreeNode* {
        for (const auto& child : n->children) {
            if (child->key == path)
                return child.get();
            if (const TreeNode* found = search(child.get()))
                return found;
        }
        return nullptr;
    };
    const TreeNode* target = search(from);
    if (!target)
        return false;
    tv_NodeClick(target->key);
    return true;
}

bool Quotation::hfgQ_DblClick(int row, int col)
{
    const QString text = m_hfgQ.textMatrix(row, col);
    if (text.isEmpty())
        return false;
    return GetL(m_curKey, text);
}

void Quotation::FormatQuotationGrid(bool atLeaf)
{
    GridModel& g = m_hfgQ;
    const bool redraw = g.redraw();
    g.setRedraw(false);
    g.setColWidth(0, 300);
    g.setRow(std::min(1, g.rows() - 1));
    for (int c = 1; c <= QCol::Remark; ++c)
        g.setTextMatrix(0, c, QString::fromUtf16(kHeaders[c]));
    // 金額 is as wide as 單價; it is set here with the others so that it comes back when
    // the rights allow it again.
    const std::pair<int, int> widths[] = {{QCol::Name, 3000}, {QCol::Standard, 1200}, {QCol::Unit, 750},
                                          {QCol::Qty, 750},   {QCol::Price, 800}, {QCol::Amount, 800},
                                          {QCol::Cost, 800},
                                          {QCol::CostTotal, 1100}, {QCol::Ratio, 750},
                                          {QCol::Remark, 1500}, {QCol::WorkItem, 0}};
    for (const auto& [c, w] : widths)
        g.setColWidth(c, w);
    g.setColWidth(QCol::Path, atLeaf ? 0 : (m_noPriceRight || m_noCostRight) ? 2200 : 1000);

    CellFormat path;
    path.back = kPathBack;
    path.fore = kHighlight;
    CellFormat left;
    left.align = CellAlign::Left;
    CellFormat centre;
    centre.align = CellAlign::Center;
    CellFormat computed;
    computed.back = kLightFace;
    computed.fore = kDarkRed;
    for (int r = 1; r < g.rows(); ++r) {
        g.setCellFormat(r, QCol::Path, path);
        g.setCellFormat(r, QCol::Name, left);
        g.setCellFormat(r, QCol::Standard, left);
        g.setCellFormat(r, QCol::Unit, centre);
        g.setCellFormat(r, QCol::Amount, computed);
        g.setCellFormat(r, QCol::CostTotal, computed);
        g.setCellFormat(r, QCol::Remark, left);
    }
    ApplyColumnRights();
    g.setRow(0);
    g.setCol(0);
    g.setRedraw(redraw);
}

void Quotation::ApplyColumnRights()
{
    if (!m_noPriceRight && !m_noCostRight)
        return;
    std::vector<int> hidden;
    if (m_noPriceRight && m_noCostRight)
        hidden = {QCol::Price, QCol::Amount, QCol::Cost, QCol::CostTotal, QCol::Ratio};
    else if (m_noPriceRight)
        hidden = {QCol::Price, QCol::Amount, QCol::Ratio};
    else
        hidden = {QCol::Cost, QCol::CostTotal, QCol::Ratio};
    for (int c : hidden)
        m_hfgQ.setColWidth(c, 0);
}

void Quotation::UpdateTotals()
{
    m_totals = Pricing::totals(m_hfgQ);
    emit totalsChanged();
}

// ---- cells -------------------------------------------------------------------------------

bool Quotation::editableCell(int row, int col) const
{
    return m_isLeaf && row >= 1 && row < m_hfgQ.rows() && col >= QCol::Name && col <= QCol::WorkItem;
}

bool Quotation::refuseText(const QString& text, const QString& field, const QString& separators)
{
    // Every field is one line of the quotation file: what the file could not hold (a
    // pasted tab or line break, a character outside its code page) is refused as it is
    // typed, not left for the save to find.
    const QString why = text.contains(u'\t') ? QStringLiteral("「%1」不可含有定位字元").arg(field)
                                             : Vrn::fieldRefusal(field, text, separators);
    if (why.isEmpty())
        return false;
    prompter().inform(why, PromptIcon::Warning);
    return true;
}

void Quotation::SetTxM(int row, int col, const QString& text)
{
    if (m_hfgQ.textMatrix(row, col) == text)
        return;
    m_hfgQ.setTextMatrix(row, col, text);
    setModified();
}

void Quotation::SetTxM(int row, int col, double value)
{
    SetTxM(row, col, CStr(value));
}

void Quotation::setEditCell(int row, int col)
{
    m_editRow = row;
    m_editCol = col;
    m_rightClickBelowRows = false;
}

void Quotation::RecalcRow(int col)
{
    if (m_editRow < 1 || m_editRow >= m_hfgQ.rows())
        return;
    const QString before = m_hfgQ.textMatrix(m_editRow, col);
    Pricing::RecalcRow(m_hfgQ, m_editRow, col);
    if (m_hfgQ.textMatrix(m_editRow, col) != before)
        setModified();
}

bool Quotation::setCellText(int row, int col, const QString& text)
{
    if (!editableCell(row, col))
        return false;
    if (refuseText(text, ItemColumnName(col), QStringLiteral("|")))
        return false;
    SetTxM(row, col, text);
    return true;
}

bool Quotation::cellEdited(int row, int col, const QString& text)
{
    if (!editableCell(row, col))
        return false;
    const bool wasModified = m_modified;
    std::array<QString, QCol::Remark - QCol::Qty> before;
    for (int c = QCol::Qty; c < QCol::Remark; ++c)
        before[c - QCol::Qty] = GTxM(row, c);
    const double magnitudeBefore = Pricing::rowMagnitude(m_hfgQ, row);
    const bool fittedBefore = Pricing::fitsNumerals(magnitudeBefore) && totalsFitNumerals();
    if (!setCellText(row, col, text))
        return false;
    m_editRow = row;
    m_editCol = col;
    for (int c : m_modes.columnsAfterEdit(col))
        RecalcRow(c);
    const double magnitude = Pricing::rowMagnitude(m_hfgQ, row);
    const bool fits = Pricing::fitsNumerals(magnitude) && totalsFitNumerals();
    // A quotation opened past the limit can still be brought down, one row at a time.
    const bool lowered = !fittedBefore && magnitude <= magnitudeBefore;
    if (!fits && !lowered) {
        for (int c = QCol::Qty; c < QCol::Remark; ++c)
            m_hfgQ.setTextMatrix(row, c, before[c - QCol::Qty]);
        setModified(wasModified);
        prompter().inform(Pricing::tooLargeMessage(), PromptIcon::Warning);
        return false;
    }
    UpdateTotals();
    return true;
}

double Quotation::wholeQuotationSum(int col) const
{
    // The shown leaf's rows stand for its stored block; any other shown rows are copies.
    const bool shownLeaf = m_isLeaf && m_tree.contains(m_lbPath);
    double sum = 0;
    for (int r = 1; r < m_hfgB.rows(); ++r) {
        if (!shownLeaf || m_hfgB.textMatrix(r, QCol::Path) != m_lbPath)
            sum += Val(m_hfgB.textMatrix(r, col));
    }
    if (shownLeaf) {
        for (int r = 1; r < m_hfgQ.rows(); ++r)
            sum += Val(m_hfgQ.textMatrix(r, col));
    }
    return sum;
}

bool Quotation::totalsFitNumerals(double amountChange, double costChange) const
{
    const double amount = wholeQuotationSum(QCol::Amount) + amountChange;
    if (!Pricing::fitsNumerals(amount)
        || !Pricing::fitsNumerals(wholeQuotationSum(QCol::CostTotal) + costChange))
        return false;
    // The page end as the next recomputation of the whole quotation would form it.
    PageEndValues block = m_pageEnd;
    PageEnd::recalcBlock(block, CStr(amount));
    return PageEnd::fitsNumerals(block);
}

QString Quotation::numeralsProblem() const
{
    QHash<QString, int> rowInLeaf;
    for (int r = 1; r < m_hfgB.rows(); ++r) {
        const QString leaf = m_hfgB.textMatrix(r, QCol::Path);
        if (!m_tree.contains(leaf))
            continue;
        const int n = ++rowInLeaf[leaf];
        if (!Pricing::fitsNumerals(Pricing::rowMagnitude(m_hfgB, r)))
            return QStringLiteral("%1 第 %2 列的金額").arg(leaf).arg(n);
    }
    return totalsFitNumerals() ? QString() : QStringLiteral("總價");
}

bool Quotation::rowsFitNumerals(const std::vector<RowTexts>& incoming, int firstReplaced,
                                int lastReplaced) const
{
    double amountChange = 0;
    double costChange = 0;
    for (const RowTexts& row : incoming) {
        const auto cell = [&](int col) { return row[col - QCol::Name]; };
        if (!Pricing::fitsNumerals(Pricing::rowMagnitude(cell)))
            return false;
        amountChange += Val(cell(QCol::Amount));
        costChange += Val(cell(QCol::CostTotal));
    }
    for (int r = std::max(1, firstReplaced); r <= std::min(lastReplaced, m_hfgQ.rows() - 1); ++r) {
        amountChange -= Val(GTxM(r, QCol::Amount));
        costChange -= Val(GTxM(r, QCol::CostTotal));
    }
    return totalsFitNumerals(amountChange, costChange);
}

QString Quotation::beginCostEdit(int row)
{
    if (!editableCell(row, QCol::Cost))
        return {};
    if (!GTxM(row, QCol::Cost).isEmpty())
        return GTxM(row, QCol::Cost);
    const QString price = GTxM(row, QCol::Price);
    SetTxM(row, QCol::Cost, price);
    SetTxM(row, QCol::CostTotal, Val(GTxM(row, QCol::Qty)) * Val(price));
    return price;
}

int Quotation::editRowForClick(int row, bool belowRows)
{
    if (!m_isLeaf || row != m_hfgQ.rows() - 1)
        return row;
    const int firstFree = firstFreeRow();
    m_hfgQ.setRows(m_hfgQ.rows() + 10);
    FormatQuotationGrid(true);
    return belowRows ? firstFree : row;
}

int Quotation::firstFreeRow() const
{
    return RowBlocks::usedRowCount(m_hfgQ) + 1;
}

QString Quotation::pickItem(int row, const QString& workItem, const QString& editorText,
                            ItemLexicon& lexicon)
{
    if (!editableCell(row, QCol::Name))
        return {};
    const QString name = m_noAreaMode ? editorText + workItem : workItem;
    // A lexicon name the file cannot hold would only be refused at the next save.
    const std::optional<ItemFacts> facts = lexicon.itemFacts(workItem, workTypeCandidates());
    for (const auto& [field, text] : {std::pair{QCol::Name, name}, std::pair{QCol::WorkItem, workItem},
                                      std::pair{QCol::Unit, facts ? facts->unit : QString()}}) {
        const QString why = Vrn::fieldRefusal(ItemColumnName(field), text, QStringLiteral("|"));
        if (!why.isEmpty()) {
            prompter().inform(why, PromptIcon::Warning);
            return {};
        }
    }
    m_editRow = row;
    m_editCol = QCol::Name;

    UndoEntry undo;
    undo.leafPath = m_lbPath;
    undo.row = row;
    bool anyText = false;
    for (int i = 0; i < 10; ++i) {
        undo.texts[i] = GTxM(row, QCol::Name + i);
        anyText = anyText || !undo.texts[i].isEmpty();
    }
    undo.workItem = GTxM(row, QCol::WorkItem);
    if (anyText)
        m_undo = undo;
    else
        m_undo.reset();

    SetTxM(row, QCol::Name, name);
    SetTxM(row, QCol::WorkItem, workItem);

    if (!facts)
        return name;
    SetTxM(row, QCol::Standard, QString());
    SetTxM(row, QCol::Unit, facts->unit);
    SetTxM(row, QCol::Cost, Pricing::singleText(facts->cost));
    SetTxM(row, QCol::Ratio, Pricing::singleText(facts->ratio));
    SetTxM(row, QCol::Qty, QStringLiteral("1"));
    RecalcRow(QCol::Price);
    RecalcRow(QCol::Amount);
    RecalcRow(QCol::CostTotal);

    // Rows without a name above the picked one go to the end; the undo row follows its row.
    for (int r = row - 1; r >= 1; --r) {
        if (!GTxM(r, QCol::Name).isEmpty())
            continue;
        m_hfgQ.setRowPosition(r, m_hfgQ.rows() - 1);
        if (m_undo && m_undo->row > r)
            --m_undo->row;
    }
    emit hideCellEditorsRequested();
    UpdateTotals();
    return name;
}

bool Quotation::pickDetail(int row, const QString& detail, ItemLexicon& lexicon)
{
    if (!setCellText(row, QCol::Standard, detail))
        return false;
    m_editRow = row;
    const QString workItem = GTxM(row, QCol::WorkItem);
    const std::optional<float> markup = lexicon.detailCost(detail, workItem);
    if (!markup)
        return false;
    const std::optional<ItemFacts> facts = lexicon.itemFacts(workItem, workTypeCandidates());
    if (!facts)
        return false;
    SetTxM(row, QCol::Cost, Pricing::singleText(facts->cost + *markup));
    RecalcRow(QCol::Price);
    RecalcRow(QCol::Amount);
    RecalcRow(QCol::CostTotal);
    UpdateTotals();
    return true;
}

// ---- pricing modes and bulk edits --------------------------------------------------------

void Quotation::setPricingMode(PricingMode mode)
{
    m_modes.check(mode);
}

void Quotation::lbSc_DblClick()
{
    bulkEdit(false);
}

void Quotation::lbSum_DblClick()
{
    bulkEdit(true);
}

void Quotation::bulkEdit(bool targetAmount)
{
    double number = 0;
    QString typed;
    for (;;) {
        if (!shownIsRoot() && !m_isLeaf) {
            prompter().inform(QStringLiteral("修改比例只能在最上層或最底層修改 OK "), PromptIcon::Warning);
            return;
        }
        InputRequest ask;
        ask.prompt = targetAmount ? QStringLiteral("請輸入金額") : QStringLiteral("請輸入比例係數");
        const std::optional<QString> answer = prompter().input(ask);
        if (!answer || answer->isEmpty())
            return;
        if (const auto n = Pricing::parseNumber(*answer)) {
            number = *n;
            typed = *answer;
            break;
        }
        prompter().inform(QStringLiteral("請輸入數字"), PromptIcon::Warning);
    }
    emit hideCellEditorsRequested();

    const bool atRoot = shownIsRoot();
    float factor = 0;
    if (targetAmount) {
        const double oldTotal = Val(m_totals.lbSumT);
        if (oldTotal == 0) {
            prompter().inform(QStringLiteral("目前合計為 0,無法依金額調整比例"), PromptIcon::Warning);
            return;
        }
        factor = static_cast<float>(number / oldTotal);
    }
    if (!atRoot)
        TrimEmptyRows();

    // Kept to go back to when a price would pass what the numerals can write.
    const bool wasModified = m_modified;
    const std::vector<QString> shownBefore = pricedTexts(m_hfgQ);
    const std::vector<QString> storedBefore = pricedTexts(m_hfgB);

    for (int r = 1; r < m_hfgQ.rows(); ++r) {
        m_editRow = r;
        if (targetAmount) {
            SetTxM(r, QCol::Ratio, Val(GTxM(r, QCol::Ratio)) * factor);
            RecalcRow(QCol::Price);
            RecalcRow(QCol::Amount);
            SetTxM(r, QCol::Ratio, RoundHalfEven(Val(GTxM(r, QCol::Ratio)), 3));
        } else {
            SetTxM(r, QCol::Ratio, typed);
            RecalcRow(QCol::Price);
            RecalcRow(QCol::Amount);
        }
    }

    // At the root the shown rows are a gathered copy: the stored rows change too. Rows
    // without a leaf path (the empty master grid's blank row) are no item rows.
    if (atRoot) {
        GridModel& b = m_hfgB;
        for (int r = 1; r < b.rows(); ++r) {
            if (b.textMatrix(r, QCol::Path).isEmpty())
                continue;
            auto num = [&](int c) { return Val(b.textMatrix(r, c)); };
            if (targetAmount) {
                // The scaled ratio is read back from its text, as for the shown rows, so a
                // leaf shows the same prices as the root did.
                b.setTextMatrix(r, QCol::Ratio, CStr(num(QCol::Ratio) * factor));
                double price = num(QCol::Price);
                if (num(QCol::Cost) != 0) {
                    price = RoundHalfEven(num(QCol::Ratio) * num(QCol::Cost), 0);
                    b.setTextMatrix(r, QCol::Price, CStr(price));
                }
                b.setTextMatrix(r, QCol::Amount, CStr(RoundHalfEven(price * num(QCol::Qty), 0)));
                b.setTextMatrix(r, QCol::Ratio, CStr(RoundHalfEven(num(QCol::Ratio), 3)));
            } else {
                b.setTextMatrix(r, QCol::Ratio, typed);
                Pricing::RecalcRow(b, r, QCol::Price);
                Pricing::RecalcRow(b, r, QCol::Amount);
            }
        }
        setModified();
    }
    if (!totalsFitNumerals()) {
        restorePricedTexts(m_hfgQ, shownBefore);
        restorePricedTexts(m_hfgB, storedBefore);
        setModified(wasModified);
        prompter().inform(Pricing::tooLargeMessage(), PromptIcon::Warning);
    }
    UpdateTotals();
}

// ---- header ------------------------------------------------------------------------------

bool Quotation::setHeaderField(HeaderField field, const QString& text)
{
    if (refuseText(text, QuotationHeader::label(field), {}))
        return false;
    if (m_header.value(field) == text)
        return true;
    m_header.setValue(field, text);
    setModified();
    emit headerChanged();
    return true;
}

// ---- page end ----------------------------------------------------------------------------

FeeValues& Quotation::fee(Fee which)
{
    return which == Fee::Design ? m_pageEnd.design : m_pageEnd.supervision;
}

void Quotation::pageEndEdited(const PageEndValues& before)
{
    if (m_pageEnd == before)
        return;
    setModified();
    emit pageEndChanged();
}

bool Quotation::pageEndInput(const PageEndValues& before)
{
    if (!PageEnd::fitsNumerals(m_pageEnd)) {
        m_pageEnd = before;
        emit pageEndChanged();
        prompter().inform(Pricing::tooLargeMessage(), PromptIcon::Warning);
        return false;
    }
    pageEndEdited(before);
    return true;
}

void Quotation::recalcPageEnd()
{
    PageEnd::recalcBlock(m_pageEnd, m_totals.lbSumT);
}

bool Quotation::feeInputChanged(Fee which, const PageEndValues& before)
{
    fee(which).amount = PageEnd::feeAmount(fee(which));
    recalcPageEnd();
    return pageEndInput(before);
}

bool Quotation::setRemark(int index, const QString& text)
{
    if (index < 0 || index >= 5 || refuseText(text, QStringLiteral("頁尾備註"), {}))
        return false;
    const PageEndValues before = m_pageEnd;
    m_pageEnd.remarks[index] = text;
    pageEndEdited(before);
    return true;
}

bool Quotation::setFeeTitle(Fee which, const QString& text)
{
    if (refuseText(text, which == Fee::Design ? QStringLiteral("設計費") : QStringLiteral("監工費"),
                   QStringLiteral(",")))
        return false;
    const PageEndValues before = m_pageEnd;
    fee(which).title = text;
    pageEndEdited(before);
    return true;
}

void Quotation::setFeeChecked(Fee which, int checkState)
{
    const PageEndValues before = m_pageEnd;
    fee(which).checked = checkState;
    recalcPageEnd();
    pageEndInput(before);
}

void Quotation::setFeeByTotal(Fee which, bool byTotal)
{
    const PageEndValues before = m_pageEnd;
    fee(which).byTotal = byTotal;
    if (byTotal) {
        fee(which).base = CStr(Val(m_totals.lbSumT));
        feeInputChanged(which, before);
    } else {
        pageEndEdited(before);
    }
}

bool Quotation::setFeeBase(Fee which, const QString& text)
{
    if (refuseText(text, QStringLiteral("基數"), QStringLiteral(",")))
        return false;
    const PageEndValues before = m_pageEnd;
    fee(which).base = text;
    return feeInputChanged(which, before);
}

bool Quotation::setFeeRate(Fee which, const QString& text)
{
    if (refuseText(text, QStringLiteral("費率"), QStringLiteral(",")))
        return false;
    const PageEndValues before = m_pageEnd;
    fee(which).rate = text;
    return feeInputChanged(which, before);
}

void Quotation::setTaxChecked(int checkState)
{
    const PageEndValues before = m_pageEnd;
    m_pageEnd.taxChecked = checkState;
    recalcPageEnd();
    pageEndInput(before);
}

void Quotation::pickTaxRate(const QString& text)
{
    const PageEndValues before = m_pageEnd;
    if (!typeTaxRate(text))
        return;
    m_taxRateTyping = false;
    recalcPageEnd();
    pageEndInput(before);
}

bool Quotation::typeTaxRate(const QString& text)
{
    if (refuseText(text, QStringLiteral("稅率"), QStringLiteral(":")))
        return false;
    if (!std::exchange(m_taxRateTyping, true))
        m_taxRateBeforeTyping = m_pageEnd.taxRate;
    const PageEndValues before = m_pageEnd;
    m_pageEnd.taxRate = text;
    pageEndEdited(before);
    return true;
}

bool Quotation::enterTaxRate()
{
    const PageEndValues before = m_pageEnd;
    const bool typed = std::exchange(m_taxRateTyping, false);
    if (const std::optional<QString> rate = PageEnd::taxRateEntry(m_pageEnd.taxRate))
        m_pageEnd.taxRate = *rate;
    // A rate typed with its sign ("8%") is recomputed too, so that 稅金 beside it, and what a
    // save stores, never stay those of the rate it replaced.
    recalcPageEnd();
    if (pageEndInput(before))
        return true;
    // Refused as too large: a typed rate the totals cannot take must not stay in the box to
    // be read by the next computation, so the rate they were worked out with comes back.
    if (typed && m_pageEnd.taxRate != m_taxRateBeforeTyping) {
        m_pageEnd.taxRate = m_taxRateBeforeTyping;
        recalcPageEnd();
        pageEndEdited(before);
    }
    return false;
}

bool Quotation::setDiscount(const QString& text)
{
    if (refuseText(text, QStringLiteral("折扣"), QStringLiteral(":")))
        return false;
    const PageEndValues before = m_pageEnd;
    m_pageEnd.discount = text;
    recalcPageEnd();
    return pageEndInput(before);
}

void Quotation::RecalcGrandTotal()
{
    const PageEndValues before = m_pageEnd;
    recalcPageEnd();
    pageEndEdited(before);
}

void Quotation::pageEndPanelToggled(bool shown)
{
    if (shown) {
        selectRoot();
        RecalcGrandTotal();
    }
    for (Fee which : {Fee::Design, Fee::Supervision}) {
        if (fee(which).byTotal) {
            const PageEndValues before = m_pageEnd;
            fee(which).base = CStr(Val(m_totals.lbSumT));
            feeInputChanged(which, before);
        }
    }
}

} // namespace varn
