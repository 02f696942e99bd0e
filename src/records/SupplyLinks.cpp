#include "records/SupplyLinks.h"

#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"

#include <algorithm>

namespace varn {

namespace {

void tellFailure(const DbError& e, const QString& action = QStringLiteral("供應項目無法讀取"))
{
    MessageRequest r;
    r.text = DbFailureMessage(action, e);
    r.title = QStringLiteral("Varn III");
    prompter().message(r);
}

QStringList pick(const QStringList& list, QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QStringList picked;
    for (int r : rows) {
        if (r >= 0 && r < list.size())
            picked << list.at(r);
    }
    return picked;
}

} // namespace

SupplyLinks::SupplyLinks(SupplyKind kind, QString vendor, std::shared_ptr<Database> db)
    : m_kind(kind), m_vendor(std::move(vendor)), m_db(std::move(db))
{
}

Database& SupplyLinks::db()
{
    if (m_db)
        return *m_db;
    if (const auto& shared = state().m.gDb)
        return *shared;
    throw DbError(DbErr::General, QStringLiteral("資料庫尚未開啟"));
}

QString SupplyLinks::caption() const
{
    return m_kind == SupplyKind::Crews ? QStringLiteral("施工廠商 編輯") : QStringLiteral("材料供應 編輯");
}

QString SupplyLinks::vendorLabel() const
{
    return QStringLiteral("目前廠商：【") + m_vendor + QStringLiteral("】");
}

unsigned SupplyLinks::background() const
{
    return SupplyColour(m_kind);
}

QString SupplyLinks::originalCaption() const
{
    return m_kind == SupplyKind::Crews ? QStringLiteral("負責施工：") : QStringLiteral("供應材料：");
}

QString SupplyLinks::addedCaption() const
{
    return m_kind == SupplyKind::Crews ? QStringLiteral("新增施工：") : QStringLiteral("新增材料：");
}

QString SupplyLinks::allCaption() const
{
    return m_kind == SupplyKind::Crews ? QStringLiteral("所有施工：") : QStringLiteral("所有供應材料：");
}

// Every entry of list equal to one of taken goes.
void SupplyLinks::dropFrom(QStringList& list, const QStringList& taken)
{
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&taken](const QString& item) { return taken.contains(item); }),
               list.end());
}

bool SupplyLinks::load()
{
    m_original.clear();
    m_added.clear();
    m_all.clear();
    try {
        Recordset rs = db().openRecordset(SupplyInfo(m_kind).itemSql);
        for (; !rs.eof(); rs.moveNext())
            m_all << rs.text(0);
        m_original = ReadSupplyLinks(db(), m_kind, m_vendor);
    } catch (const DbError& e) {
        m_all.clear();
        m_original.clear();
        tellFailure(e);
        return false;
    }
    dropFrom(m_all, m_original);
    return true;
}

void SupplyLinks::add(const QList<int>& allRows)
{
    const QStringList picked = pick(m_all, allRows);
    m_added += picked;
    dropFrom(m_all, m_added);
}

void SupplyLinks::remove(const QList<int>& originalRows)
{
    const QStringList picked = pick(m_original, originalRows);
    m_all += picked;
    dropFrom(m_original, picked);
}

bool SupplyLinks::commit()
{
    const SupplyKindInfo& info = SupplyInfo(m_kind);
    const QString table = QuoteIdentifier(info.linkTable);
    try {
        Database& database = db();
        Transaction transaction(database);
        // Links are written only while their vendor stands: another workstation may have
        // deleted it since this window opened.
        if (database.openRecordset(QStringLiteral("SELECT count(*) FROM 廠商 WHERE 廠商名稱 = ?"), {m_vendor})
                .value(0)
                .toInt()
            == 0)
            throw DbError(DbErr::General, QStringLiteral("廠商【%1】已被其他使用者刪除，連結未儲存").arg(m_vendor));
        database.execute(QStringLiteral("DELETE FROM %1 WHERE 廠商名稱 = ?").arg(table), {m_vendor});
        const QString insert = QStringLiteral("INSERT INTO %1 (廠商名稱, %2) VALUES (?, ?)")
                                   .arg(table, QuoteIdentifier(info.linkColumn));
        for (const QStringList* list : {&m_original, &m_added}) {
            for (const QString& item : *list)
                database.execute(insert, {m_vendor, item});
        }
        transaction.commit();
    } catch (const DbError& e) {
        tellFailure(e, QStringLiteral("供應項目無法儲存"));
        return false;
    }
    return true;
}

} // namespace varn
