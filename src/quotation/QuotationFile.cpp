// New quotation, the quotation file (open, save) and the customer look-up.
#include "quotation/Quotation.h"

#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/RowBlocks.h"
#include "shared/ProgramState.h"
#include "shared/TextRoutines.h"

#include <QFileInfo>

#include <algorithm>

namespace varn {

namespace {

const QString kCaption = QStringLiteral("報價系統");
// The dialogs list every file first and start on the quotation files, the second filter.
const QString kFilter = QStringLiteral("All Files (*.*);;瓦恩工房 檔案(*.vrn);;Text Files(*.txt)");
const QString kVrnFilter = QStringLiteral("瓦恩工房 檔案(*.vrn)");

FileRequest fileDialog(const QString& startFolder, const QString& fileName = {})
{
    FileRequest dialog;
    dialog.filter = kFilter;
    dialog.selectedFilter = kVrnFilter;
    dialog.startFolder = startFolder;
    dialog.fileName = fileName;
    return dialog;
}
const QString kOpenedMarker = QStringLiteral("OpenFile");

PromptButton askSave(const QString& text)
{
    MessageRequest ask;
    ask.text = text;
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNoCancel;
    return prompter().message(ask);
}

void reportSaveError(const VrnError& e)
{
    // Text refused before writing is no failure of the file: it has no number to show.
    const QString text = e.number() == VrnError::RefusedText
        ? QStringLiteral("存檔錯誤\r\n%1").arg(e.message())
        : QStringLiteral("存檔錯誤\r\n%1\r\n%2").arg(e.number()).arg(e.message());
    prompter().inform(text, PromptIcon::None);
}

// How a rate the file holds without its sign was read; when the next print or save gives
// another quoted total (no rate gives the file's figures, or its rows no longer give its
// total), which quoted total the file holds and which the next print or save gives.
void tellBareRate(const PageEndValues& file, const PageEnd::BareRateReading& read)
{
    const QString bare = QStringLiteral("稅率「%1」沒有「%」，").arg(file.taxRate);
    const QString totals = QStringLiteral("原檔的報價總價為 %1，下次列印或存檔將為 %2。").arg(file.quoted, read.quoted);
    if (!read.found) {
        prompter().inform(bare + QStringLiteral("原檔的稅金與含稅總價無法由任何稅率算出，以 %1 讀取：").arg(read.rate) + totals,
                          PromptIcon::Warning);
        return;
    }
    const QString kept = bare + QStringLiteral("依原檔的計算以 %1 讀取").arg(read.rate);
    if (read.keepsFigures)
        prompter().inform(kept + QStringLiteral("。"), PromptIcon::Information);
    else
        prompter().inform(kept + QStringLiteral("；依明細重算，") + totals, PromptIcon::Warning);
}

} // namespace

QString Quotation::windowCaption() const
{
    return kCaption + QStringLiteral("\t- ")
        + (m_filePath.isEmpty() ? QStringLiteral("新報價單") : m_filePath);
}

PageEndValues Quotation::blankPageEnd() const
{
    PageEndValues blank = m_pageEnd;
    PageEnd::reset(blank);
    return blank;
}

void Quotation::newQuotation(const QDate& today)
{
    emit hideCellEditorsRequested();
    m_tree.clear();
    RowBlocks::reset(m_hfgQ);
    RowBlocks::reset(m_hfgB);
    m_header = QuotationHeader();   // a new quotation starts without a salesperson
    m_header.quoteDate = QuotationHeader::dateText(today);
    m_header.quoteNo = QuotationHeader::numberFor(m_header.quoteDate);
    mdM& m = state().m;
    m.gCusTel.clear();
    m.gCusFax.clear();
    m.gCusContact.clear();
    setNoAreaMode(false);
    m_filePath.clear();
    PageEnd::reset(m_pageEnd);
    clearNodeScope();
    m_isLeaf = false;
    m_lbPath.clear();
    m_editRow = m_editCol = 0;
    m_taxRateTyping = false;
    emit treeChanged();
    tv_NodeClick(QuotationTree::RootKey);
    emit headerChanged();
    emit pageEndChanged();
    emit filePathChanged(m_filePath);
    setModified(false);

    // The file opens as it is, so that nothing in it is lost; the user learns what to fix
    // before a print writes the total.
    const QString tooLarge = numeralsProblem();
    if (!tooLarge.isEmpty())
        prompter().inform(Pricing::tooLargeOpenedMessage(tooLarge), PromptIcon::Warning);
}

bool Quotation::mNew_Click(const QDate& today)
{
    selectRoot();
    if (!saveChangesFirst(QStringLiteral("是否存檔?")))
        return false;
    newQuotation(today);
    return true;
}

VrnContent Quotation::content()
{
    selectRoot();
    // A rate still bare in its box is read as Enter reads it, as leaving the box would, so
    // the file stores the rate the window computes with.
    if (PageEnd::taxRateEntry(m_pageEnd.taxRate))
        enterTaxRate();
    // Totals once formed are stored as those of the rows stored with them; a page end never
    // computed stays empty.
    if (!m_pageEnd.untaxed.isEmpty())
        RecalcGrandTotal();
    return snapshotContent();
}

VrnContent Quotation::snapshotContent() const
{
    VrnContent c;
    c.noAreaMode = m_noAreaMode;
    c.header = m_header;
    for (const TreeNode* leaf : m_tree.leaves())
        c.leafPaths << leaf->key;

    // The shown leaf's rows count as stored, without touching the grids.
    const bool pending = m_isLeaf && m_tree.contains(m_lbPath);
    c.rows.reserve(m_hfgB.rows());
    for (int r = 1; r < m_hfgB.rows(); ++r) {
        if (pending && m_hfgB.textMatrix(r, QCol::Path) == m_lbPath)
            continue;
        ItemLine line;
        for (int i = 0; i < 12; ++i)
            line[i] = m_hfgB.textMatrix(r, i + 1);
        c.rows.push_back(std::move(line));
    }
    if (pending) {
        // An empty master grid keeps its one blank row only while nothing else is stored.
        if (c.rows.size() == 1 && std::all_of(c.rows[0].begin(), c.rows[0].end(),
                                              [](const QString& s) { return s.isEmpty(); }))
            c.rows.clear();
        const int used = RowBlocks::usedRowCount(m_hfgQ);
        for (int r = 1; r <= used; ++r) {
            ItemLine line;
            line[0] = m_lbPath;
            for (int i = 1; i < 12; ++i)
                line[i] = m_hfgQ.textMatrix(r, i + 1);
            c.rows.push_back(std::move(line));
        }
        if (c.rows.empty())
            c.rows.push_back(ItemLine{});
    }
    c.hasPageEnd = true;
    c.pageEnd = m_pageEnd;
    // Never a bare rate in a file. One still being typed has not been entered: the figures
    // stored with it are those of the rate before it, which is stored with them.
    if (const std::optional<QString> rate = PageEnd::taxRateEntry(c.pageEnd.taxRate))
        c.pageEnd.taxRate = m_taxRateTyping ? m_taxRateBeforeTyping : *rate;
    return c;
}

std::optional<PageEnd::BareRateReading> Quotation::load(const VrnContent& c, const QString& path)
{
    emit hideCellEditorsRequested();
    m_tree.clear();
    for (const QString& leafPath : c.leafPaths) {
        const QStringList parts = leafPath.split(QuotationTree::Separator);
        TreeNode* node = m_tree.root();
        for (int i = 1; i < parts.size(); ++i) {
            const QString key = node->key + QuotationTree::Separator + parts[i];
            TreeNode* next = m_tree.find(key);
            if (!next)
                next = m_tree.addChild(node, parts[i]);
            if (!next)
                break;
            node = next;
        }
    }
    m_tree.root()->expanded = true;

    m_hfgB.setRedraw(false);
    RowBlocks::reset(m_hfgB);
    m_hfgB.setRows(std::max<int>(2, static_cast<int>(c.rows.size()) + 1));
    for (int r = 0; r < static_cast<int>(c.rows.size()); ++r) {
        for (int i = 0; i < 12; ++i)
            m_hfgB.setTextMatrix(r + 1, i + 1, c.rows[r][i]);
    }
    RowBlocks::groupBlocks(m_hfgB);
    m_hfgB.setRedraw(true);

    m_header = c.header;
    m_header.contact.clear();
    m_header.telephone.clear();
    m_header.fax.clear();
    // The previous customer's values must not be printed with this quotation; the
    // customer look-up fills them again when the register has the name.
    mdM& m = state().m;
    m.gCusTel.clear();
    m.gCusFax.clear();
    m.gCusContact.clear();
    setNoAreaMode(c.noAreaMode);
    m_pageEnd = c.pageEnd;
    m_filePath = path;
    clearNodeScope();
    m_editRow = m_editCol = 0;
    m_taxRateTyping = false;

    RowBlocks::reset(m_hfgQ);
    FormatQuotationGrid(true);
    m_isLeaf = false;
    m_lbPath = kOpenedMarker;
    emit treeChanged();
    tv_NodeClick(QuotationTree::RootKey);
    // The figures a file holds beside a bare rate may be those of any rate the box held before
    // it was saved: the rate that gives them is shown, so the next print or save keeps them.
    const std::optional<PageEnd::BareRateReading> bareRate = PageEnd::readBareFileRate(m_pageEnd, m_totals.lbSumT);
    if (bareRate)
        m_pageEnd.taxRate = bareRate->rate;

    emit headerChanged();
    emit pageEndChanged();
    emit filePathChanged(m_filePath);
    setModified(false);

    // The file opens as it is, so that nothing in it is lost; the user learns what to fix
    // before a print writes the total.
    const QString tooLarge = numeralsProblem();
    if (!tooLarge.isEmpty())
        prompter().inform(Pricing::tooLargeOpenedMessage(tooLarge), PromptIcon::Warning);
    return bareRate;
}

bool Quotation::mOpen_Click(const std::optional<QString>& recentPath)
{
    selectRoot();
    if (!saveChangesFirst(QStringLiteral("是否存檔?")))
        return false;

    QString path;
    VrnReadMode mode;
    if (recentPath) {
        path = *recentPath;
        mode = VrnReadMode::Strict;
    } else {
        const std::optional<QString> chosen = prompter().openFile(fileDialog(state().m.gFilePath));
        if (!chosen) {
            prompter().inform(QStringLiteral("取消開啟檔案"), PromptIcon::None);
            return false;
        }
        path = *chosen;
        mode = VrnReadMode::Tolerant;
    }
    if (!QFileInfo(path).isFile()) {
        prompter().inform(QStringLiteral("檔案不存在"), PromptIcon::Critical);
        return false;
    }

    VrnContent c;
    try {
        c = Vrn::read(path, mode, blankPageEnd());
    } catch (const VrnError& e) {
        // The quotation in the window stays as it was.
        prompter().inform(QStringLiteral("開啟檔案錯誤\r\n%1").arg(e.message()), PromptIcon::Critical,
                          QStringLiteral("VarnIII"));
        return false;
    }
    const std::optional<PageEnd::BareRateReading> bareRate = load(c, path);
    // The telephone, fax and contact are not stored in the file: the register has them.
    if (std::shared_ptr<Database> db = state().m.gDb)
        lookUpCustomer(*db);
    m_recent.AddRecentFile(path);
    emit recentFilesChanged();
    // Told once the quotation is shown, so that the user sees what is there and knows what
    // is missing before anything is saved over the file.
    if (!c.unread.isEmpty())
        prompter().inform(Vrn::incompleteMessage(c.unread), PromptIcon::Warning);
    if (bareRate)
        tellBareRate(c.pageEnd, *bareRate);
    return true;
}

bool Quotation::mSaveF_Click()
{
    const QString folder = m_filePath.isEmpty() ? state().m.gFilePath : QFileInfo(m_filePath).absolutePath();
    const std::optional<QString> chosen = prompter().saveFile(fileDialog(folder, m_filePath));
    if (!chosen) {
        prompter().inform(QStringLiteral("取消存檔"), PromptIcon::None);
        return false;
    }
    return saveTo(*chosen);
}

bool Quotation::mSaveAs_Click()
{
    const std::optional<QString> chosen = prompter().saveFile(fileDialog(state().m.gFilePath));
    if (!chosen) {
        prompter().inform(QStringLiteral("取消另存檔案"), PromptIcon::None);
        return false;
    }
    return saveTo(*chosen);
}

bool Quotation::saveTo(const QString& path)
{
    // The recent list (Of.ini) is code page 950 too: a name it cannot hold is refused here,
    // before anything is written, as the quotation's own content is.
    const QString refused = Vrn::fieldRefusal(QStringLiteral("檔案名稱"), path, {});
    if (!refused.isEmpty()) {
        prompter().inform(refused, PromptIcon::Warning);
        return false;
    }
    try {
        Vrn::write(path, content());
    } catch (const VrnError& e) {
        reportSaveError(e);
        return false;
    }
    m_filePath = path;
    emit filePathChanged(path);
    setModified(false);
    m_recent.AddRecentFile(path);
    emit recentFilesChanged();
    return true;
}

bool Quotation::queryClose()
{
    // Closing drops the quotation, changed or not, empty or not: the user always decides.
    return askToSave(QStringLiteral("是否儲存報價單 ?"));
}

bool Quotation::saveChangesFirst(const QString& question)
{
    return !m_modified || askToSave(question);
}

bool Quotation::askToSave(const QString& question)
{
    const PromptButton answer = askSave(question);
    if (answer == PromptButton::Cancel)
        return false;
    // A save that was cancelled or failed keeps the quotation.
    return answer == PromptButton::No || mSaveAs_Click();
}

void Quotation::closeDown(const QString& ofIniPath)
{
    m_recent.save(ofIniPath);
    setNoAreaMode(false);
}

bool Quotation::lookUpCustomer(Database& db)
{
    mdM& m = state().m;
    bool found = false;
    QString tel, fax, contact;
    try {
        Recordset rs = db.openRecordset(
            QStringLiteral("Select 電話1,公司傳真,連絡人 From 客戶 Where 客戶名稱 = ?"),
            {m_header.customerName});
        if (rs.recordCount() > 0) {
            found = true;
            tel = PhoneNumberText(rs.text(0));
            fax = PhoneNumberText(rs.text(1));
            contact = rs.text(2);
        }
    } catch (const DbError&) {
        // An unreadable register leaves the customer values empty, as for a name not there.
    }
    m.gCusTel = tel;
    m.gCusFax = fax;
    m.gCusContact = contact;
    m_header.telephone = tel;
    m_header.fax = fax;
    m_header.contact = contact;
    emit headerChanged();
    return found;
}

} // namespace varn
