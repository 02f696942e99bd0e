#include "records/RegisterEngine.h"

#include "platform/db/Database.h"
#include "records/PrefixWalk.h"
#include "shared/ProgramState.h"
#include "shared/RecordCode.h"
#include "shared/Rights.h"
#include "shared/RocDate.h"
#include "shared/TextRoutines.h"

#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace varn {

namespace {

const QString kNoCodeRecords = QStringLiteral("所選編號無記錄");
const QString kNoTypeRecords = QStringLiteral("所選分類無記錄");
const QString kCodeBoxText = QStringLiteral("編號");
const QString kCategoryBoxText = QStringLiteral("分類");
const QString kSearchPrompt = QStringLiteral("請輸入搜尋文字");
const QString kSearchResultHeader = QStringLiteral("搜尋結果:  (欄位名稱)  -->   找到字串");
const QString kNotFound = QStringLiteral("找不到資料");
const QString kTitle = QStringLiteral("Varn III");

const QVector<int> kSearchWidths{300, 3000, 6500};

void tell(const QString& text, PromptIcon icon)
{
    MessageRequest r;
    r.text = text;
    r.title = kTitle;
    r.icon = icon;
    prompter().message(r);
}

QString likePrefix(const QString& prefix)
{
    return EscapeLike(prefix) + QLatin1Char('%');
}

// The search text as a LIKE pattern (ESCAPE '\'): "*" stands for any run of characters
// and "?" for one, as users of the register know them; "%" and "_" are plain characters.
QString wildcardPattern(const QString& typed)
{
    QString pattern;
    for (const QChar ch : typed) {
        if (ch == u'*')
            pattern += QLatin1Char('%');
        else if (ch == u'?')
            pattern += QLatin1Char('_');
        else
            pattern += EscapeLike(QString(ch));
    }
    return QLatin1Char('%') + pattern + QLatin1Char('%');
}

} // namespace

RegisterEngine::RegisterEngine(RegisterConfig config, std::shared_ptr<Database> db, QObject* parent)
    : QObject(parent)
    , m_config(std::move(config))
    , m_db(std::move(db))
    , m_list(2, 7)
{
    m_form.setRules(m_config.rules.get());
    setGridHeader();
}

RegisterEngine::~RegisterEngine() = default;

Database& RegisterEngine::db()
{
    if (m_db)
        return *m_db;
    if (const auto& shared = state().m.gDb)
        return *shared;
    throw DbError(DbErr::General, QStringLiteral("資料庫尚未開啟"));
}

void RegisterEngine::say(const QString& text, PromptIcon icon)
{
    tell(text, icon);
}

void RegisterEngine::reportFailure(const DbError& e, const QString& action)
{
    QString text = DbFailureMessage(action, e);
    if (!m_storedNotice.isEmpty()) {
        // Told once: the later steps of the same refresh fail for the same reason.
        text = m_storedNotice + QStringLiteral("：\r\n") + e.description();
        m_storedNotice.clear();
        m_storedNoticeGiven = true;
    } else if (m_storedNoticeGiven) {
        return;
    }
    say(text, PromptIcon::None);
}

QString RegisterEngine::editModeText() const
{
    switch (m_mode) {
    case EditMode::Browse: return {};
    case EditMode::Add: return QStringLiteral("AddF");
    case EditMode::Edit: return QStringLiteral("EditF");
    case EditMode::Query: return QStringLiteral("QureF");
    }
    return {};
}

bool RegisterEngine::canEdit() const
{
    const QString bits = RightsToBinary12(state().m.gRights);
    return bits.mid(m_config.rightsCharacter - 1, 1) != QLatin1String("0");
}

QString RegisterEngine::stateLabel() const
{
    if (m_mode == EditMode::Add)
        return QStringLiteral("新增中");
    if (m_mode == EditMode::Edit)
        return QStringLiteral("修改中");
    return {};
}

void RegisterEngine::setMode(EditMode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    emit stateChanged();
}

void RegisterEngine::setSelectedName(const QString& name)
{
    if (m_selectedName == name)
        return;
    m_selectedName = name;
    emit selectedNameChanged(name);
}

void RegisterEngine::setPrefixText(const QString& text)
{
    if (m_prefixText == text)
        return;
    m_prefixText = text;
    emit filterTextsChanged();
}

void RegisterEngine::setCategoryText(const QString& text)
{
    if (m_categoryText == text)
        return;
    m_categoryText = text;
    emit filterTextsChanged();
}

// --- loading -------------------------------------------------------------------------

void RegisterEngine::load()
{
    loadLookups();
    loadCategoryFilter();
    setGridHeader();
    setMode(EditMode::Browse);
    setPageMode(false);
    loadCities();
    m_currentPrefix = m_config.initialCurrentPrefix;
    listByCode(m_config.firstListPrefix);
}

void RegisterEngine::loadLookups()
{
    for (const LookupSource& source : m_config.lookups) {
        try {
            Recordset rs = db().openRecordset(source.sql);
            QStringList items;
            for (; !rs.eof(); rs.moveNext())
                items << rs.text(0);
            m_form.setChoices(source.control, items);
        } catch (const DbError& e) {
            reportFailure(e);
            return;
        }
    }
}

void RegisterEngine::loadCategoryFilter()
{
    if (m_config.categoryFilterSource.isEmpty())
        return;
    try {
        Recordset rs = db().openRecordset(m_config.categoryFilterSource);
        QStringList items;
        for (; !rs.eof(); rs.moveNext())
            items << rs.text(0);
        m_categoryChoices = items;
        m_categoryText = items.isEmpty() ? QString() : kCategoryBoxText;
        emit filterTextsChanged();
    } catch (const DbError& e) {
        reportFailure(e);
    }
}

void RegisterEngine::loadCities()
{
    if (m_config.countyControls.isEmpty())
        return;
    try {
        Recordset rs = db().openRecordset(m_config.citiesTable);
        QStringList counties;
        QStringList codes;
        for (; !rs.eof(); rs.moveNext()) {
            counties << rs.text(1);
            codes << rs.text(2);
        }
        for (const QString& control : m_config.countyControls)
            m_form.setChoices(control, counties);
        m_form.setChoices(m_config.areaCodeList, codes);
    } catch (const DbError& e) {
        reportFailure(e);
    }
}

void RegisterEngine::setGridHeader()
{
    const bool redraw = m_list.redraw();
    m_list.setRedraw(false);
    m_searchLayout = false;
    m_list.setFixedRows(1);
    m_list.setFixedCols(1);
    m_list.setCols(m_config.gridWidths.size());
    for (int c = 0; c < m_config.gridWidths.size(); ++c) {
        m_list.setColWidth(c, m_config.gridWidths.at(c));
        m_list.setTextMatrix(0, c, m_config.gridHeaders.value(c));
        fitColumn(c, m_config.gridHeaders.value(c));
    }
    m_list.setRedraw(redraw);
}

// --- listing -------------------------------------------------------------------------

bool RegisterEngine::fillFromRecordset(const Recordset& source)
{
    Recordset rs = source;
    const int count = rs.recordCount();
    if (count == 0)
        return false;
    setGridHeader();
    m_list.setRedraw(false);
    m_list.setRows(1);
    m_list.setRows(count + 1);
    m_list.setCols(rs.fieldCount() + 1);
    CellFormat left;
    left.align = CellAlign::Left;
    int row = 1;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++row) {
        for (int c = 1; c < m_list.cols(); ++c) {
            QString text = rs.text(c - 1);
            if (m_config.blankedColumns.contains(c)) {
                m_list.setCellFormat(row, c, left);
                text = SemicolonToBlank(text);
            }
            m_list.setTextMatrix(row, c, text);
        }
    }
    // The codes are the list's key: the widest one shows whole.
    QString widestCode;
    for (int r = 1; r < m_list.rows(); ++r) {
        if (m_list.textMatrix(r, 1).size() > widestCode.size())
            widestCode = m_list.textMatrix(r, 1);
    }
    fitColumn(1, widestCode);
    m_list.setRow(1);
    m_list.setCol(1);
    m_list.setRedraw(true);
    if (m_mode == EditMode::Query)
        setMode(EditMode::Browse);
    return true;
}

bool RegisterEngine::listByCode(const QString& prefix)
{
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 LIKE ? ESCAPE '\\' ORDER BY %3, %4")
                            .arg(m_config.listSelect, QuoteIdentifier(m_config.table),
                                 QuoteIdentifier(m_config.codeColumn),
                                 QuoteIdentifier(m_config.nameColumn));
    Recordset rs;
    try {
        QString p = prefix;
        for (;;) {
            m_lastSql = sql;
            rs = db().openRecordset(sql, {likePrefix(p)});
            if (rs.recordCount() > 0)
                break;
            const std::optional<QString> next = NextListPrefix(p);
            if (!next)
                break;
            p = *next;
        }
    } catch (const DbError& e) {
        reportFailure(e);
        return false;
    }
    if (rs.recordCount() == 0) {
        setPrefixText(kCodeBoxText);
        say(kNoCodeRecords, m_config.texts.noCodeIcon);
        return false;
    }
    fillFromRecordset(rs);
    setPrefixText(RecordCodePrefixOf(m_list.textMatrix(1, 1)));
    return true;
}

int RegisterEngine::fillList(const QString& sql, const QVariantList& params)
{
    Recordset rs;
    try {
        m_lastSql = sql;
        rs = db().openRecordset(sql, params);
    } catch (const DbError& e) {
        reportFailure(e);
        return -1;
    }
    fillFromRecordset(rs);
    return rs.recordCount();
}

bool RegisterEngine::listByType(const QString& category)
{
    if (m_config.typeColumn.isEmpty())
        return false;
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %4, %5")
                            .arg(m_config.listSelect, QuoteIdentifier(m_config.table),
                                 QuoteIdentifier(m_config.typeColumn),
                                 QuoteIdentifier(m_config.codeColumn),
                                 QuoteIdentifier(m_config.nameColumn));
    const int found = fillList(sql, {category});
    if (found == 0)
        say(kNoTypeRecords, PromptIcon::Warning);
    return found > 0;
}

QStringList RegisterEngine::tableColumns()
{
    Recordset rs = db().openRecordset(
        QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QuoteIdentifier(m_config.table)));
    QStringList names;
    for (int i = 0; i < rs.fieldCount(); ++i)
        names << rs.fieldName(i);
    return names;
}

void RegisterEngine::search()
{
    if (editing())
        return;
    const EditMode before = m_mode;
    setMode(EditMode::Query);

    InputRequest request;
    request.prompt = kSearchPrompt;
    request.title = kTitle;
    request.defaultText = state().m.gSearchText;
    const std::optional<QString> answer = prompter().input(request);
    state().m.gSearchText = answer.value_or(QString());
    if (!answer || answer->isEmpty()) {
        setMode(EditMode::Browse);
        return;
    }

    struct Hit {
        QString name;
        QString text;
    };
    std::vector<Hit> hits;
    try {
        const QStringList columns = tableColumns();
        for (int i = 0; i < columns.size(); ++i) {
            const QString& column = columns.at(i);
            if (m_config.searchSkippedColumns.contains(column, Qt::CaseInsensitive))
                continue;
            // A compound column reads as its two fields on the detail page do.
            const bool compound = i < m_config.columns.size() && m_config.columns.at(i).compound();
            const QString sql =
                QStringLiteral("SELECT %1, %2 FROM %3 WHERE %2 LIKE ? ESCAPE '\\' ORDER BY rowid")
                    .arg(QuoteIdentifier(m_config.nameColumn), QuoteIdentifier(column),
                         QuoteIdentifier(m_config.table));
            m_lastSql = sql;
            Recordset rs = db().openRecordset(sql, {wildcardPattern(*answer)});
            for (; !rs.eof(); rs.moveNext()) {
                hits.push_back({rs.text(0), QStringLiteral("在 (") + column
                                                + QStringLiteral(") 有  -->    ")
                                                + (compound ? SemicolonToBlank(rs.text(1)) : rs.text(1))});
            }
        }
    } catch (const DbError& e) {
        reportFailure(e);
        setMode(before);
        return;
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return QString::compare(a.name, b.name, Qt::CaseInsensitive) < 0;
    });

    m_list.setRedraw(false);
    m_list.clear();
    m_list.setRows(1);
    m_list.setCols(kSearchWidths.size());
    for (int c = 0; c < kSearchWidths.size(); ++c)
        m_list.setColWidth(c, kSearchWidths.at(c));
    m_list.setTextMatrix(0, 1, m_config.texts.searchNameHeader);
    m_list.setTextMatrix(0, 2, kSearchResultHeader);
    if (hits.empty()) {
        m_list.setRows(2);
        m_list.setTextMatrix(1, 2, kNotFound);
    } else {
        m_list.setRows(static_cast<int>(hits.size()) + 1);
        int row = 1;
        for (const Hit& hit : hits) {
            m_list.setTextMatrix(row, 1, hit.name);
            m_list.setTextMatrix(row, 2, hit.text);
            ++row;
        }
    }
    m_list.setRow(1);
    m_list.setCol(1);
    m_list.setRedraw(true);
    m_searchLayout = true;
    emit stateChanged();
}

void RegisterEngine::showAll()
{
    if (editing())
        return;
    setMode(EditMode::Browse);
    setGridHeader();
    setPageMode(false);
    loadCities();
    listByCode(QString());
}

// --- choosing and showing -----------------------------------------------------------

int RegisterEngine::nameColumnOfList() const
{
    return m_searchLayout ? 1 : m_config.nameListColumn;
}

bool RegisterEngine::selectRow(int row)
{
    if (!gridEnabled() || row < 1 || row >= m_list.rows())
        return false;
    const QString name = m_list.textMatrix(row, nameColumnOfList());
    if (name.isEmpty())
        return false;
    m_list.setRow(row);
    setSelectedName(name);
    return showRecord();
}

bool RegisterEngine::openRow(int row)
{
    if (!selectRow(row))
        return false;
    setPageMode(true);
    return true;
}

std::optional<QStringList> RegisterEngine::readRow(Database& database, const QString& column, const QString& value)
{
    Recordset rs = database.openRecordset(
        QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(QuoteIdentifier(m_config.table), QuoteIdentifier(column)),
        {value});
    if (rs.recordCount() == 0)
        return std::nullopt;
    QStringList row;
    for (int i = 0; i < rs.fieldCount(); ++i)
        row << rs.text(i);
    return row;
}

void RegisterEngine::writeRowToFields(const QStringList& row)
{
    for (int i = 0; i < m_config.columns.size(); ++i) {
        const ColumnBinding& b = m_config.columns.at(i);
        if (!b.bound())
            continue;
        const QString value = row.value(i);
        if (b.compound()) {
            m_form.assign(b.first, TextBeforeSemicolon(value));
            m_form.assign(b.second, TextAfterSemicolon(value));
        } else {
            m_form.assign(b.first, value);
        }
    }
    for (const DateBinding& d : m_config.dates) {
        const QDate date = ParseRocDate(m_form.field(d.box));
        m_form.assign(d.picker, date.isValid() ? date.toString(Qt::ISODate) : QString());
    }
    if (m_config.rules) {
        try {
            m_config.rules->rowShown(row, m_form, db());
        } catch (const DbError& e) {
            reportFailure(e);
        }
    }
}

void RegisterEngine::clearFields()
{
    m_form.clear();
    if (m_config.rules)
        m_config.rules->fieldsCleared(m_form);
}

// The selected record as stored now; a failure or a record deleted meanwhile is told and
// gives nothing (a vanished record also clears the fields and the selection).
std::optional<QStringList> RegisterEngine::readSelectedRow()
{
    std::optional<QStringList> row;
    try {
        row = readRow(db(), m_config.nameColumn, m_selectedName);
    } catch (const DbError& e) {
        reportFailure(e);
        return std::nullopt;
    }
    if (!row) {
        clearFields();
        m_shownName.clear();
        setSelectedName(QString());
        emit stateChanged();
        say(m_config.texts.recordGone, PromptIcon::Warning);
    }
    return row;
}

bool RegisterEngine::showRecord()
{
    if (m_selectedName.isEmpty())
        return false;
    const std::optional<QStringList> row = readSelectedRow();
    if (!row)
        return false;
    writeRowToFields(*row);
    m_shownName = m_selectedName;
    emit stateChanged();
    return true;
}

void RegisterEngine::setPageMode(bool full)
{
    if (m_fullPage == full)
        return;
    m_fullPage = full;
    emit pageModeChanged(full);
}

void RegisterEngine::togglePageMode()
{
    if (editing())
        return;
    if (m_fullPage) {
        setPageMode(false);
        return;
    }
    if (m_selectedName.isEmpty()) {
        say(m_config.texts.noSelection, PromptIcon::None);
        return;
    }
    showRecord();
    setPageMode(true);
}

// --- editing ---------------------------------------------------------------------------

bool RegisterEngine::beginAdd()
{
    if (editing() || !canEdit())
        return false;
    setMode(EditMode::Add);
    m_editingName.clear();
    setPageMode(true);
    clearFields();
    m_shownName.clear();
    setPrefixText(QString());
    setCategoryText(QString());
    const QDate today = QDate::currentDate();
    for (const DateBinding& d : m_config.dates) {
        m_form.assign(d.picker, today.toString(Qt::ISODate));
        if (m_config.datesFilledOnAdd)
            m_form.setField(d.box, FormatRocDateShort(today));
    }
    emit stateChanged();
    emit focusRequested(m_config.nameControl);
    return true;
}

bool RegisterEngine::beginEdit()
{
    if (editing() || !canEdit())
        return false;
    if (m_selectedName.isEmpty()) {
        say(m_config.texts.noSelection, PromptIcon::None);
        return false;
    }
    const std::optional<QStringList> row = readSelectedRow();
    if (!row)
        return false;
    setMode(EditMode::Edit);
    setPageMode(true);
    writeRowToFields(*row);
    rememberLoaded(*row);
    m_editingName = m_form.field(m_config.nameControl);
    m_shownName.clear();
    emit stateChanged();
    emit focusRequested(m_config.firstEditControl);
    return true;
}

QStringList RegisterEngine::rowFromFields() const
{
    QStringList row;
    for (const ColumnBinding& b : m_config.columns) {
        if (!b.bound())
            row << QString();
        else if (b.compound())
            row << m_form.field(b.first) + QLatin1Char(';') + m_form.field(b.second);
        else
            row << m_form.field(b.first);
    }
    if (m_config.rules)
        m_config.rules->adjustRow(row, m_form, m_mode);
    return row;
}

bool RegisterEngine::save()
{
    if (!editing())
        return false;
    if (m_mode == EditMode::Add)
        nameLeft();   // the code from the name as it stands, shown before the checks

    for (const QString& control : m_config.requiredControls) {
        // A name of blanks alone is no name: it could not be found or told apart.
        if (m_form.field(control).trimmed().isEmpty()) {
            say(m_config.texts.required, m_config.texts.requiredIcon);
            return false;
        }
    }

    for (const ColumnBinding& b : m_config.columns) {
        // The column is stored as "first;second": a ";" in the first part would move the
        // rest of it into the second when the record is read back.
        if (b.compound() && m_form.field(b.first).contains(u';')) {
            say(QStringLiteral("此欄不可含有「;」"), PromptIcon::Warning);
            emit focusRequested(b.first);
            return false;
        }
    }

    const QString name = m_mode == EditMode::Edit ? m_editingName : m_form.field(m_config.nameControl);
    std::optional<SaveRefusal> refusal;
    std::optional<ChangedElsewhere> changedElsewhere;
    try {
        Database& database = db();
        // One write transaction from the code to the stored row: two workstations adding
        // under one prefix at once take turns, so each gets its own code, and no other
        // record of the name can slip in between the check and the insert.
        Transaction transaction(database);
        if (m_mode == EditMode::Add) {
            const QString code = codeForName(name);
            if (!code.isEmpty())
                m_form.setField(m_config.codeControl, code);
        }
        // No lock is held between 修改 and 確定: the record is read again here.
        std::optional<QStringList> now;
        if (m_mode == EditMode::Edit) {
            now = readEditedRow(database);
            if (!now) {
                say(m_config.texts.recordGone, PromptIcon::Warning);
                return false;
            }
        }
        if (m_config.rules)
            refusal = m_config.rules->refuseSave(m_form, m_mode, database);
        if (!refusal) {
            const QStringList row = rowFromFields();
            if (m_mode == EditMode::Add) {
                insertRow(database, row, name);
            } else if (!storeEdit(database, row, *now, changedElsewhere)) {
                say(m_config.texts.recordGone, PromptIcon::Warning);
                return false;
            }
            if (!changedElsewhere)
                transaction.commit();
        }
    } catch (const DbError& e) {
        if (e.number() == DbErr::DuplicateKey)
            say(m_config.texts.duplicate, PromptIcon::Warning);
        else
            reportFailure(e, QStringLiteral("資料無法儲存"));
        return false;
    }
    if (refusal) {
        say(refusal->message, PromptIcon::None);
        if (!refusal->focusControl.isEmpty())
            emit focusRequested(refusal->focusControl);
        return false;
    }
    if (changedElsewhere) {
        say(changedElsewhere->message, PromptIcon::Warning);
        showChangedElsewhere(*changedElsewhere);
        return false;
    }

    const QString code = m_form.field(m_config.codeControl);
    setMode(EditMode::Browse);
    m_editingName.clear();
    if (m_config.listSavedPrefix)
        m_currentPrefix = code.left(2);
    // The record is stored whatever happens now: a list that cannot be read again (another
    // workstation holds the database) must not make it look unsaved.
    m_storedNotice = QStringLiteral("資料已儲存，但清單無法更新");
    refreshAfterWrite(name);
    emit stateChanged();
    return true;
}

void RegisterEngine::refreshAfterWrite(const QString& name)
{
    listByCode(m_currentPrefix);
    loadCategoryFilter();
    setSelectedName(name);
    if (!name.isEmpty()) {
        showRecord();
        selectListedName(name);
    }
    m_storedNotice.clear();
    m_storedNoticeGiven = false;
}

void RegisterEngine::insertRow(Database& database, const QStringList& row, const QString& name)
{
    const QStringList columns = tableColumns();
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < m_config.columns.size() && i < columns.size(); ++i) {
        if (!m_config.columns.at(i).bound())
            continue;
        names << QuoteIdentifier(columns.at(i));
        marks << QStringLiteral("?");
        values << row.at(i);
    }
    const QString table = QuoteIdentifier(m_config.table);
    // Names that differ only in letter case are one name to the users.
    Recordset same = database.openRecordset(
        QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? COLLATE NOCASE").arg(table, QuoteIdentifier(m_config.nameColumn)),
        {name});
    if (same.recordCount() > 0)
        throw DbError(DbErr::DuplicateKey, m_config.texts.duplicate);
    m_lastSql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    database.execute(m_lastSql, values);
}

// Writes the given columns of the row over the stored record of that name; false when it
// is no longer stored.
bool RegisterEngine::updateRow(Database& database, const QStringList& row, const QVector<int>& columns,
                               const QString& name)
{
    const QStringList names = tableColumns();
    QStringList sets;
    QVariantList values;
    for (int i : columns) {
        if (i >= names.size())
            continue;
        sets << QuoteIdentifier(names.at(i)) + QStringLiteral(" = ?");
        values << row.at(i);
    }
    if (sets.isEmpty())
        return readRow(database, m_config.nameColumn, name).has_value();
    m_lastSql = QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                    .arg(QuoteIdentifier(m_config.table), sets.join(QStringLiteral(", ")),
                         QuoteIdentifier(m_config.nameColumn));
    values << name;
    return database.execute(m_lastSql, values) > 0;
}

// Writes a changed record over the one stored now (read again in the save's transaction):
// unchanged since 修改 loaded it, every field; changed by another workstation meanwhile,
// only the fields this user changed, keeping the other's. Nothing is written when both
// changed a field (`conflict` then tells which); false when no row was written.
bool RegisterEngine::storeEdit(Database& database, const QStringList& row, const QStringList& now,
                               std::optional<ChangedElsewhere>& conflict)
{
    QVector<bool> compared;
    QVector<int> all;
    for (int i = 0; i < m_config.columns.size(); ++i) {
        compared << m_config.columns.at(i).bound();
        if (compared.last())
            all << i;
    }
    const EditComparison diff = CompareEdit(m_loaded, row, now, compared);
    if (!diff.conflicts.isEmpty()) {
        conflict = ChangedElsewhere{now, diff.mine, changedElsewhereText(diff.conflicts, now)};
        return true;
    }
    return updateRow(database, row, diff.changedElsewhere ? diff.mine : all, now.value(columnOf(m_config.nameControl)));
}

int RegisterEngine::columnOf(const QString& control) const
{
    for (int i = 0; i < m_config.columns.size(); ++i) {
        if (m_config.columns.at(i).first == control)
            return i;
    }
    return -1;
}

// The record 修改 loaded, and the fields as they show it, for the save to compare with.
void RegisterEngine::rememberLoaded(const QStringList& stored)
{
    m_loaded.stored = stored;
    m_loaded.asFields = rowFromFields();
}

// The record being changed as stored now, by its name (修改 cannot change it); nothing
// when it is gone. Not by its code: a record added after it was deleted takes the code
// again, and this user's changes would be written over that other record.
std::optional<QStringList> RegisterEngine::readEditedRow(Database& database)
{
    return readRow(database, m_config.nameColumn, m_editingName);
}

// Names the fields another workstation changed as this user did, with what they hold now.
QString RegisterEngine::changedElsewhereText(const QVector<int>& columns, const QStringList& stored)
{
    const QStringList names = tableColumns();
    QString text = QStringLiteral("此筆資料已被其他使用者修改：");
    for (int i : columns) {
        const ColumnBinding& b = m_config.columns.at(i);
        // "連       絡       人:" names 連絡人; a field without a label goes by its column.
        QString caption = m_form.caption(b.first).section(QRegularExpression(QStringLiteral("[:：]")), 0, 0);
        caption.remove(QRegularExpression(QStringLiteral("\\s")));
        if (caption.isEmpty())
            caption = names.value(i) == m_config.typeColumn ? kCategoryBoxText : names.value(i);
        QString value = m_config.rules ? m_config.rules->describeStored(i, stored.value(i)) : QString();
        if (value.isEmpty())
            value = b.compound() ? SemicolonToBlank(stored.value(i)).trimmed() : stored.value(i);
        text += QStringLiteral("\n") + caption + QStringLiteral("：「") + value + QStringLiteral("」");
    }
    return text + QStringLiteral("\n請確認後再按確定儲存。");
}

// Both changed a field: the fields show the record as stored now, but keep what this user
// typed in the fields of the columns they changed, and the next 確定 compares with what
// was just shown.
void RegisterEngine::showChangedElsewhere(const ChangedElsewhere& conflict)
{
    const QHash<QString, QString> typed = m_form.fields();
    writeRowToFields(conflict.stored);
    rememberLoaded(conflict.stored);
    m_editingName = conflict.stored.value(columnOf(m_config.nameControl));
    for (int column : conflict.mine) {
        for (const QString& control : fieldsShowing(column))
            m_form.assign(control, typed.value(control));
    }
    emit stateChanged();
}

// The fields that show a column: its boxes, the date picker of a date box, and what the
// register's rules add.
QStringList RegisterEngine::fieldsShowing(int column) const
{
    const ColumnBinding& b = m_config.columns.at(column);
    QStringList fields{b.first};
    if (b.compound())
        fields << b.second;
    for (const DateBinding& d : m_config.dates) {
        if (d.box == b.first)
            fields << d.picker;
    }
    if (m_config.rules)
        fields << m_config.rules->fieldsShowing(column);
    return fields;
}

void RegisterEngine::selectListedName(const QString& name)
{
    const int column = nameColumnOfList();
    for (int r = 1; r < m_list.rows(); ++r) {
        if (QString::compare(m_list.textMatrix(r, column), name, Qt::CaseInsensitive) == 0) {
            m_list.setRow(r);
            return;
        }
    }
}

void RegisterEngine::cancel()
{
    if (!editing())
        return;
    setMode(m_searchLayout ? EditMode::Query : EditMode::Browse);
    m_editingName.clear();
    if (!m_selectedName.isEmpty()) {
        showRecord();
    } else {
        clearFields();
        m_shownName.clear();
    }
    emit stateChanged();
}

bool RegisterEngine::deleteSelected()
{
    if (editing() || !canEdit())
        return false;
    if (m_selectedName.isEmpty()) {
        say(m_config.texts.noSelection, PromptIcon::None);
        return false;
    }
    MessageRequest ask;
    ask.text = QStringLiteral("確定刪除 ( ") + m_selectedName + QStringLiteral(" )");
    ask.title = kTitle;
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    if (prompter().message(ask) != PromptButton::Yes) {
        listByCode(m_currentPrefix);
        return false;
    }
    try {
        Database& database = db();
        Transaction transaction(database);
        m_lastSql = QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                        .arg(QuoteIdentifier(m_config.table), QuoteIdentifier(m_config.nameColumn));
        database.execute(m_lastSql, {m_selectedName});
        for (const QString& statement : m_config.cascadeDeletes)
            database.execute(statement, {m_selectedName});
        transaction.commit();
    } catch (const DbError& e) {
        reportFailure(e, QStringLiteral("資料無法刪除"));
        return false;
    }
    clearFields();
    m_shownName.clear();
    // The filter boxes are emptied with the fields; the list below sets the prefix again.
    setPrefixText(QString());
    setCategoryText(QString());
    m_list.clear();
    m_list.setRows(1);
    setGridHeader();
    setSelectedName(QString());
    m_storedNotice = QStringLiteral("資料已刪除，但清單無法更新");
    refreshAfterWrite(QString());
    setPageMode(false);
    emit stateChanged();
    return true;
}

QString RegisterEngine::codeForName(const QString& name)
{
    const QString prefix = RecordCodePrefix(name);
    if (prefix.isEmpty())
        return {};
    m_lastSql = QStringLiteral("SELECT %1 FROM %2 WHERE %1 LIKE ? ESCAPE '\\'")
                    .arg(QuoteIdentifier(m_config.codeColumn), QuoteIdentifier(m_config.table));
    Recordset rs = db().openRecordset(m_lastSql, {likePrefix(prefix)});
    QStringList codes;
    for (; !rs.eof(); rs.moveNext())
        codes << rs.text(0);
    return NextRecordCode(prefix, codes);
}

void RegisterEngine::nameLeft()
{
    if (m_mode != EditMode::Add)
        return;
    const QString name = m_form.field(m_config.nameControl);
    if (name.isEmpty())
        return;
    try {
        const QString code = codeForName(name);
        if (!code.isEmpty())
            m_form.setField(m_config.codeControl, code);
    } catch (const DbError& e) {
        reportFailure(e);
    }
}

void RegisterEngine::pickDate(const QString& picker, const QDate& date)
{
    m_form.assign(picker, date.isValid() ? date.toString(Qt::ISODate) : QString());
    for (const DateBinding& d : m_config.dates) {
        if (d.picker == picker)
            m_form.setField(d.box, FormatRocDateShort(date));
    }
}

void RegisterEngine::checkToggled(const QString& control, bool checked)
{
    m_form.setField(control, checked ? QStringLiteral("1") : QStringLiteral("0"));
}

void RegisterEngine::setTextWidthMeasure(std::function<int(const QString&)> measure)
{
    m_measure = std::move(measure);
    setGridHeader();
}

// Widens a list column so that the text shows whole.
void RegisterEngine::fitColumn(int col, const QString& text)
{
    if (!m_measure || text.isEmpty() || col >= m_list.cols())
        return;
    const int needed = m_measure(text);
    if (needed > m_list.colWidth(col))
        m_list.setColWidth(col, needed);
}

bool RegisterEngine::confirmClose()
{
    if (!editing())
        return true;
    MessageRequest ask;
    ask.text = m_config.texts.discardEdit;
    ask.title = kTitle;
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    return prompter().message(ask) == PromptButton::Yes;
}

} // namespace varn
