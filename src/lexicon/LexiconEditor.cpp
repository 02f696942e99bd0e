#include "lexicon/LexiconEditor.h"

#include "lexicon/LexiconTables.h"
#include "lexicon/LexiconText.h"
#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"

namespace varn {

namespace {

constexpr int kWorkIdCol = 4;     // hfgW: which loaded row it is (hidden)
constexpr int kDetailIdCol = 2;   // hfgD: which loaded row it is (hidden)

int index(LexiconGrid g) { return static_cast<int>(g); }

QStringList workCaptions()
{
    return {QStringLiteral("施工"), QStringLiteral("單位"), QStringLiteral("成本"), QStringLiteral("比例")};
}

} // namespace

LexiconEditor::LexiconEditor()
    : m_work(workCaptions(), 1)
    , m_details({QStringLiteral("細項"), QStringLiteral("加成金")}, 1)
{
}

Database& LexiconEditor::db()
{
    if (!state().m.gDb)
        throw DbError(DbErr::General, QStringLiteral("主資料庫未開啟"));
    return *state().m.gDb;
}

bool LexiconEditor::pending(LexiconGrid g) const
{
    return m_pending[index(g)];
}

void LexiconEditor::setPending(LexiconGrid g, bool on)
{
    m_pending[index(g)] = on;
    emit stateChanged();
}

QString LexiconEditor::detailCaption() const
{
    return CurWorkItem.isEmpty() ? QString() : CurWorkItem + QStringLiteral(" 的");
}

void LexiconEditor::reportFailure(const QString& description)
{
    prompter().inform(description, PromptIcon::Critical);
}

void LexiconEditor::readFailed(const std::exception& e)
{
    const auto* dbe = dynamic_cast<const DbError*>(&e);
    const QString action = QStringLiteral("詞庫無法讀取");
    reportFailure(dbe ? DbFailureMessage(action, *dbe) : action + QStringLiteral("：") + QString::fromLocal8Bit(e.what()));
}

// ---- loading ----------------------------------------------------------------------

void LexiconEditor::load()
{
    m_canEdit = CanEditLexicon(state().m.gRights);
    if (!state().m.gDb) {
        // Nothing to show: one message, not one per list.
        reportFailure(QStringLiteral("主資料庫未開啟"));
        m_canEdit = false;
        return;
    }
    try {
        m_categories = LexiconTables::categories(db());
        m_workTypes = LexiconTables::workTypes(db());
        m_units = LexiconTables::units(db());
    } catch (const DbError& e) {
        readFailed(e);
    }
    showAreas(m_categories.value(0));
    showWorkItems(m_workTypes.value(0));
    CurWorkItem.clear();
    showDetails(QString());
    try {
        m_lookups.load(db());
    } catch (const DbError& e) {
        readFailed(e);
    }
}

void LexiconEditor::reloadCategories()
{
    try {
        m_categories = LexiconTables::categories(db());
    } catch (const DbError& e) {
        readFailed(e);
    }
    showAreas(m_categories.value(0));
    Editing = false;
    m_pending[index(LexiconGrid::Areas)] = false;
    emit stateChanged();
}

void LexiconEditor::reloadWorkTypes()
{
    try {
        m_workTypes = LexiconTables::workTypes(db());
    } catch (const DbError& e) {
        readFailed(e);
    }
    showWorkItems(m_workTypes.value(0));
    Editing = false;
    m_pending[index(LexiconGrid::WorkItems)] = false;
    m_detailsEnabled = true;
    emit stateChanged();
}

void LexiconEditor::showAreas(const QString& category)
{
    m_category = category;
    m_loadedAreas.clear();
    try {
        m_loadedAreas = LexiconTables::read(db(), RowTable::areas(), category);
    } catch (const DbError& e) {
        readFailed(e);
    }
    QStringList names;
    QList<qint64> ids;
    for (const LexiconRow& r : m_loadedAreas) {
        names << r.values.value(0);
        ids << r.id;
    }
    m_areas.show(names, ids);
}

void LexiconEditor::showWorkItems(const QString& workType)
{
    m_workType = workType;
    m_loadedWork.clear();
    try {
        m_loadedWork = LexiconTables::read(db(), RowTable::workItems(), workType);
    } catch (const DbError& e) {
        readFailed(e);
    }
    QList<QStringList> rows;
    for (const LexiconRow& r : m_loadedWork)
        rows << (QStringList(r.values) << QString::number(r.id));
    m_work.load(rows);
}

void LexiconEditor::showDetails(const QString& workItem)
{
    m_detailKey = workItem;
    m_loadedDetails.clear();
    if (!workItem.isEmpty()) {
        try {
            m_loadedDetails = LexiconTables::read(db(), RowTable::details(), workItem);
        } catch (const DbError& e) {
            readFailed(e);
        }
    }
    QList<QStringList> rows;
    for (const LexiconRow& r : m_loadedDetails)
        rows << (QStringList(r.values) << QString::number(r.id));
    m_details.load(rows);
    emit stateChanged();
}

bool LexiconEditor::chooseCategory(const QString& category)
{
    if (!settle(LexiconGrid::Areas))
        return false;
    showAreas(category);
    emit stateChanged();
    return true;
}

bool LexiconEditor::chooseWorkType(const QString& workType)
{
    if (!settle(LexiconGrid::WorkItems))
        return false;
    showWorkItems(workType);
    emit stateChanged();
    return true;
}

// ---- mouse --------------------------------------------------------------------------

bool LexiconEditor::clickArea(int grid, int row)
{
    CurRow = row;
    CurGrid = grid;
    CurCol = 0;
    if (grid < m_areas.count())
        m_areas.grid(grid).setRow(row);
    return Editing && m_canEdit;
}

bool LexiconEditor::clickWorkItem(int row, int col)
{
    if (row < 1 || row > m_work.lastRow())
        return false;
    const QString item = m_work.text(row, 0);
    // Another item's details replace the shown ones: settle them first.
    if (!SameName(item, m_detailKey) || item.isEmpty() != m_detailKey.isEmpty()) {
        if (!settle(LexiconGrid::Details))
            return false;
    }
    CurRow = row;
    CurCol = col;
    m_work.model().setRow(row);
    m_work.model().setCol(col);
    CurWorkItem = item;
    m_selectedWork = m_work.text(row, kWorkIdCol).toLongLong();
    if (!pending(LexiconGrid::Details))
        showDetails(item);
    emit stateChanged();
    return Editing && m_canEdit;
}

bool LexiconEditor::clickDetail(int row, int col)
{
    if (row < 1 || row > m_details.lastRow())
        return false;
    CurRow = row;
    CurCol = col;
    m_details.model().setRow(row);
    m_details.model().setCol(col);
    return Editing && m_canEdit;
}

bool LexiconEditor::rightClickArea(int grid, int row)
{
    if (!m_canEdit)
        return false;
    CurRow = row;
    CurGrid = grid;
    if (grid < m_areas.count())
        m_areas.grid(grid).setRow(row);
    return true;
}

bool LexiconEditor::rightClickWorkItem(int row)
{
    if (!m_canEdit)
        return false;
    CurRow = row;
    return true;
}

bool LexiconEditor::rightClickDetail(int row)
{
    if (!m_canEdit)
        return false;
    if (CurWorkItem.isEmpty() || m_detailKey.isEmpty()) {
        prompter().inform(QStringLiteral("請選取一施工項目"), PromptIcon::Warning, QStringLiteral("VarnIII"));
        return false;
    }
    CurRow = row;
    return true;
}

// ---- menu commands ------------------------------------------------------------------

bool LexiconEditor::keyMissing(const QString& key, const QString& what)
{
    if (!key.isEmpty())
        return false;
    prompter().inform(QStringLiteral("請先新增%1").arg(what), PromptIcon::Warning);
    return true;
}

bool LexiconEditor::addArea()
{
    if (!m_canEdit || keyMissing(m_category, QStringLiteral("工程類別")))
        return false;
    const AreaGrids::Cell c = m_areas.addArea();
    CurGrid = c.grid;
    CurRow = c.row;
    CurCol = 0;
    m_areas.grid(c.grid).setRow(c.row);
    setPending(LexiconGrid::Areas, true);
    return true;
}

bool LexiconEditor::addWorkItem()
{
    if (!m_canEdit || keyMissing(m_workType, QStringLiteral("工程種類")) || !settle(LexiconGrid::Details))
        return false;
    EditExisting = false;
    Editing = true;
    CurWorkItem.clear();
    m_selectedWork = 0;
    showDetails(QString());
    CurRow = m_work.newRow();
    CurCol = 0;
    m_work.model().setRow(CurRow);
    m_work.model().setCol(0);
    m_detailsEnabled = false;
    setPending(LexiconGrid::WorkItems, true);
    return true;
}

bool LexiconEditor::addDetail()
{
    if (!m_canEdit || m_detailKey.isEmpty())
        return false;
    EditExisting = false;
    Editing = true;
    CurRow = m_details.newRow();
    CurCol = 0;
    m_details.model().setRow(CurRow);
    m_details.model().setCol(0);
    m_workEnabled = false;
    setPending(LexiconGrid::Details, true);
    return true;
}

void LexiconEditor::editGrid(LexiconGrid g)
{
    if (!m_canEdit)
        return;
    Editing = true;
    if (g == LexiconGrid::WorkItems) {
        EditExisting = true;
        m_detailsEnabled = false;
    } else if (g == LexiconGrid::Details) {
        EditExisting = true;
        m_workEnabled = false;
    }
    setPending(g, true);
}

bool LexiconEditor::askDelete(const QString& text)
{
    MessageRequest ask;
    ask.text = text;
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    return prompter().message(ask) == PromptButton::Yes;
}

void LexiconEditor::deleteRow(LexiconGrid g)
{
    if (!m_canEdit)
        return;
    switch (g) {
    case LexiconGrid::Areas:
        if (CurGrid >= m_areas.count() || CurRow >= m_areas.grid(CurGrid).rows())
            return;
        if (!askDelete(QStringLiteral("確定刪除?")))
            return;
        m_areas.deleteArea({CurGrid, CurRow});
        break;
    case LexiconGrid::WorkItems:
        if (CurRow < 1 || CurRow > m_work.lastRow())
            return;
        if (!askDelete(QStringLiteral("確定刪除? 【%1】\r\n如刪除會將所有加成一並刪除").arg(m_work.text(CurRow, 0))))
            return;
        m_work.deleteRow(CurRow);
        break;
    case LexiconGrid::Details:
        if (CurRow < 1 || CurRow > m_details.lastRow())
            return;
        if (!askDelete(QStringLiteral("確定刪除?")))
            return;
        m_details.deleteRow(CurRow);
        break;
    }
    setPending(g, true);
}

// ---- editors ------------------------------------------------------------------------

bool LexiconEditor::isNumericColumn(LexiconGrid g, int col)
{
    return (g == LexiconGrid::WorkItems && (col == 2 || col == 3)) || (g == LexiconGrid::Details && col == 1);
}

void LexiconEditor::typeText(LexiconGrid g, const QString& text)
{
    const QString cell = text.isEmpty() && isNumericColumn(g, CurCol) ? QStringLiteral("0") : text;
    switch (g) {
    case LexiconGrid::Areas:
        if (CurGrid < m_areas.count())
            m_areas.grid(CurGrid).setTextMatrix(CurRow, 0, cell);
        break;
    case LexiconGrid::WorkItems: m_work.model().setTextMatrix(CurRow, CurCol, cell); break;
    case LexiconGrid::Details: m_details.model().setTextMatrix(CurRow, CurCol, cell); break;
    }
}

bool LexiconEditor::nameWarningDue()
{
    if (CurCol != 0 || CurRow < 1 || CurRow > m_work.lastRow())
        return false;
    const qint64 id = m_work.text(CurRow, kWorkIdCol).toLongLong();
    QString origin;
    for (const LexiconRow& r : m_loadedWork)
        if (r.id == id)
            origin = r.values.value(0);
    if (origin.isEmpty())
        return false;
    if (SameName(origin, m_detailKey))
        return !m_details.rows().isEmpty();
    try {
        return !LexiconTables::read(db(), RowTable::details(), origin).isEmpty();
    } catch (const DbError&) {
        return false;
    }
}

void LexiconEditor::nextWorkCell()
{
    if (CurCol < m_work.lastCol()) {
        ++CurCol;
    } else if (EditExisting) {
        if (CurRow < m_work.lastRow())
            ++CurRow;
        CurCol = 0;
    } else {
        addWorkItem();
        return;
    }
    m_work.model().setRow(CurRow);
    m_work.model().setCol(CurCol);
}

void LexiconEditor::nextDetailCell()
{
    if (CurCol < m_details.lastCol()) {
        ++CurCol;
    } else if (EditExisting) {
        if (CurRow < m_details.lastRow())
            ++CurRow;
        CurCol = 0;
    } else {
        addDetail();
        return;
    }
    m_details.model().setRow(CurRow);
    m_details.model().setCol(CurCol);
}

// ---- moves --------------------------------------------------------------------------

namespace {

void noSelection()
{
    prompter().inform(QStringLiteral("請先選取 再行調整順序"), PromptIcon::None);
}

} // namespace

MoveResult LexiconEditor::moveArea(int delta)
{
    if (!m_canEdit)
        return MoveResult::Refused;
    if (CurGrid >= m_areas.count())
        return MoveResult::Refused;
    const AreaGrids::Cell from{CurGrid, m_areas.grid(CurGrid).row()};
    if (m_areas.text(from).isEmpty() || from.row >= m_areas.grid(CurGrid).rows()) {
        noSelection();
        return MoveResult::NoSelection;
    }
    setPending(LexiconGrid::Areas, true);
    const auto to = delta > 0 ? m_areas.moveDown(from) : m_areas.moveUp(from);
    if (!to)
        return MoveResult::Refused;
    CurGrid = to->grid;
    CurRow = to->row;
    return MoveResult::Moved;
}

MoveResult LexiconEditor::moveItemRow(ItemGrid& grid, LexiconGrid g, int delta)
{
    if (!m_canEdit)
        return MoveResult::Refused;
    const GridModel& m = grid.model();
    if (m.textMatrix(m.row(), m.col()).isEmpty()) {
        noSelection();
        return MoveResult::NoSelection;
    }
    setPending(g, true);
    const int row = m.row();
    if (!grid.move(row, delta))
        return MoveResult::Refused;
    CurRow = row + delta;
    return MoveResult::Moved;
}

MoveResult LexiconEditor::moveWorkItem(int delta)
{
    return moveItemRow(m_work, LexiconGrid::WorkItems, delta);
}

MoveResult LexiconEditor::moveDetail(int delta)
{
    return moveItemRow(m_details, LexiconGrid::Details, delta);
}

// ---- apply and cancel ---------------------------------------------------------------

bool LexiconEditor::apply(LexiconGrid g)
{
    if (!m_canEdit)
        return false;
    if ((g == LexiconGrid::Areas && keyMissing(m_category, QStringLiteral("工程類別")))
        || (g == LexiconGrid::WorkItems && keyMissing(m_workType, QStringLiteral("工程種類"))))
        return false;
    QStringList notices;
    try {
        switch (g) {
        case LexiconGrid::Areas: {
            QList<LexiconRow> rows;
            const QList<qint64> ids = m_areas.ids();
            const QStringList names = m_areas.names();
            for (int i = 0; i < names.size(); ++i)
                rows.push_back({ids.value(i), {names[i]}});
            LexiconTables::writeAreas(db(), m_category, m_loadedAreas, rows);
            break;
        }
        case LexiconGrid::WorkItems: {
            QList<LexiconRow> rows;
            for (const QStringList& r : m_work.rows())
                rows.push_back({r.value(kWorkIdCol).toLongLong(), r.mid(0, kWorkIdCol)});
            notices = LexiconTables::writeWorkItems(db(), m_workType, m_loadedWork, rows);
            break;
        }
        case LexiconGrid::Details: {
            if (m_detailKey.isEmpty()) {
                prompter().inform(QStringLiteral("請選取一施工項目"), PromptIcon::Warning, QStringLiteral("VarnIII"));
                return false;
            }
            QList<LexiconRow> rows;
            for (const QStringList& r : m_details.rows())
                rows.push_back({r.value(kDetailIdCol).toLongLong(), r.mid(0, kDetailIdCol)});
            LexiconTables::writeDetails(db(), m_detailKey, m_loadedDetails, rows);
            break;
        }
        }
    } catch (const DbError& e) {
        // A name the grid would hold twice: the grid stays for the user to rename or remove it.
        if (e.number() == DbErr::DuplicateKey)
            prompter().inform(e.description(), PromptIcon::None);
        else
            reportFailure(QStringLiteral("儲存失敗，資料未變更：\r\n%1").arg(e.description()));
        return false;
    }
    cancel(g);
    if (!notices.isEmpty())
        prompter().inform(notices.join(QStringLiteral("\r\n")), PromptIcon::Information);
    return true;
}

void LexiconEditor::cancel(LexiconGrid g)
{
    CurCol = 0;
    Editing = false;
    m_pending[index(g)] = false;
    switch (g) {
    case LexiconGrid::Areas:
        showAreas(m_category);
        break;
    case LexiconGrid::WorkItems: {
        m_detailsEnabled = true;
        showWorkItems(m_workType);
        if (!pending(LexiconGrid::Details))
            showSelectedDetails();
        break;
    }
    case LexiconGrid::Details:
        m_workEnabled = true;
        showDetails(m_detailKey);
        break;
    }
    emit stateChanged();
}

void LexiconEditor::showSelectedDetails()
{
    // The selected row may have been renamed or deleted: show what is stored for it now.
    QString item;
    for (const QStringList& r : m_work.rows())
        if ((m_selectedWork != 0 && r.value(kWorkIdCol).toLongLong() == m_selectedWork)
            || (m_selectedWork == 0 && !CurWorkItem.isEmpty() && SameName(r.value(0), CurWorkItem))) {
            item = r.value(0);
            m_selectedWork = r.value(kWorkIdCol).toLongLong();
        }
    if (item.isEmpty())
        m_selectedWork = 0;
    CurWorkItem = item;
    showDetails(item);
}

bool LexiconEditor::settle(LexiconGrid g)
{
    if (!pending(g))
        return true;
    MessageRequest ask;
    ask.text = QStringLiteral("正在編輯中\r\n是否套用?");
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNoCancel;
    ask.defaultButton = PromptButton::Yes;
    switch (prompter().message(ask)) {
    case PromptButton::Yes:
        return apply(g);
    case PromptButton::No:
        cancel(g);
        return true;
    default:
        return false;
    }
}

bool LexiconEditor::leaveTab(int previousTab)
{
    if (previousTab == 0)
        return settle(LexiconGrid::Areas);
    if (previousTab == 1) {
        const bool work = settle(LexiconGrid::WorkItems);
        const bool details = settle(LexiconGrid::Details);
        return work && details;
    }
    return true;
}

bool LexiconEditor::close()
{
    for (LexiconGrid g : {LexiconGrid::Areas, LexiconGrid::WorkItems, LexiconGrid::Details})
        if (!settle(g))
            return false;
    if (!m_canEdit || !m_lookups.anyChanged())
        return true;
    try {
        m_lookups.save(db());
    } catch (const DbError& e) {
        MessageRequest ask;
        ask.text = QStringLiteral("詞庫無法儲存：\r\n%1\r\n是否不儲存而關閉?").arg(e.description());
        ask.icon = PromptIcon::Question;
        ask.buttons = PromptButtons::YesNo;
        ask.defaultButton = PromptButton::No;
        return prompter().message(ask) == PromptButton::Yes;
    }
    return true;
}

} // namespace varn
