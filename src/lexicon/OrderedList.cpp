#include "lexicon/OrderedList.h"

#include "lexicon/LexiconTables.h"
#include "lexicon/LexiconText.h"
#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"

namespace varn {
namespace {

// The entry of `names` that `name` would repeat as spelt (letter case aside), else as it
// shows (blanks before or after it aside too). The entry at `own` is the one being
// renamed: it may take a look-alike of its own name, but not another entry's name.
std::optional<QString> takenBy(const QStringList& names, const QString& name, qsizetype own)
{
    for (qsizetype i = 0; i < names.size(); ++i)
        if (i != own && SameName(names[i], name))
            return names[i];
    if (own >= 0 && own < names.size() && LookAlike(names[own], name))
        return std::nullopt;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (i != own && LookAlike(names[i], name))
            return names[i];
    return std::nullopt;
}

} // namespace

const OrderedListKind& OrderedListKind::of(const QString& code)
{
    static const OrderedListKind k{
        QStringLiteral("k"), QStringLiteral("別"), QStringLiteral("k_id"), QStringLiteral("k"),
        QStringLiteral("k2a"), QStringLiteral("k"), QStringLiteral("編輯 工程類別"),
        QStringLiteral(" 至   工程類別"), QStringLiteral("請在空格中輸入 工程類別"),
        QStringLiteral("如果刪除會將所包含的區域一並刪除")};
    static const OrderedListKind t{
        QStringLiteral("t"), QStringLiteral("種"), QStringLiteral("t_id"), QStringLiteral("t"),
        QStringLiteral("t2w"), QStringLiteral("t"), QStringLiteral("編輯 工程種類"),
        QStringLiteral(" 至   工程種類"), QStringLiteral("請在空格中輸入 工程種類"),
        QStringLiteral("如果刪除會將所包含的施工一並刪除")};
    return code == QLatin1String("k") ? k : t;
}

OrderedList::OrderedList(const QString& kindCode)
    : m_kind(OrderedListKind::of(kindCode))
{
}

QStringList OrderedList::storedNames(Database& db) const
{
    return m_kind.code == QLatin1String("k") ? LexiconTables::categories(db) : LexiconTables::workTypes(db);
}

void OrderedList::load(Database& db)
{
    m_names = storedNames(db);
}

std::optional<QString> OrderedList::refusal(const QString& name, int index) const
{
    if (name.trimmed().isEmpty())
        return m_kind.emptyMessage;
    if (auto r = NameRefusal(name))
        return r;
    if (auto taken = takenBy(m_names, name, index))
        return QStringLiteral("【%1】已經存在").arg(*taken);
    return std::nullopt;
}

bool OrderedList::failed(Database& db, const QString& description)
{
    prompter().inform(description, PromptIcon::Critical);
    try {
        load(db);
    } catch (const DbError&) {
    }
    return false;
}

bool OrderedList::writeName(Database& db, int index, const QString& name,
                            const std::function<void()>& statements)
{
    if (auto r = refusal(name, index)) {
        prompter().inform(*r, PromptIcon::None);
        return false;
    }
    const QString old = index >= 0 ? m_names[index] : QString();
    QString taken = name;
    try {
        Transaction tx(db);
        // Another workstation may have stored the name or a look-alike since the load.
        const QStringList stored = storedNames(db);
        qsizetype own = -1;
        for (qsizetype i = 0; i < stored.size() && !old.isEmpty(); ++i)
            if (SameName(stored[i], old))
                own = i;
        if (auto t = takenBy(stored, name, own)) {
            taken = *t;
            throw DbError(DbErr::DuplicateKey, taken);
        }
        statements();
        tx.commit();
        load(db);
    } catch (const DbError& e) {
        return failed(db, e.number() == DbErr::DuplicateKey ? QStringLiteral("【%1】已經存在").arg(taken)
                                                             : DbFailureMessage(QStringLiteral("名稱無法儲存"), e));
    }
    return true;
}

bool OrderedList::add(Database& db, const QString& name)
{
    return writeName(db, -1, name, [&] {
        db.execute(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (?, ?)")
                       .arg(m_kind.table, m_kind.idColumn, m_kind.nameColumn),
                   {count() + 1, name});
    });
}

bool OrderedList::rename(Database& db, int index, const QString& name)
{
    if (index < 0 || index >= count())
        return false;
    const QString old = m_names[index];
    return writeName(db, index, name, [&] {
        for (const auto& [table, column] : {std::pair{m_kind.table, m_kind.nameColumn},
                                            std::pair{m_kind.dependentTable, m_kind.dependentColumn}})
            db.execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE %2 = ?").arg(table, column), {name, old});
    });
}

bool OrderedList::remove(Database& db, int index)
{
    if (index < 0 || index >= count())
        return false;
    const QString name = m_names[index];
    MessageRequest ask;
    ask.text = QStringLiteral("確定刪除【%1】\r\n%2").arg(name, m_kind.deleteWarning);
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    if (prompter().message(ask) != PromptButton::Yes)
        return false;
    try {
        Transaction tx(db);
        QStringList workItems;
        if (m_kind.dependentTable == QLatin1String("t2w"))
            for (const LexiconRow& w : LexiconTables::read(db, RowTable::workItems(), name))
                workItems << w.values.value(0);
        db.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_kind.table, m_kind.nameColumn), {name});
        db.execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                       .arg(m_kind.dependentTable, m_kind.dependentColumn),
                   {name});
        LexiconTables::dropOrphanDetails(db, workItems);
        tx.commit();
        load(db);
    } catch (const DbError& e) {
        return failed(db, DbFailureMessage(QStringLiteral("名稱無法刪除"), e));
    }
    return save(db);
}

std::optional<int> OrderedList::moveUp(int index)
{
    if (index <= 0 || index >= count())
        return std::nullopt;
    m_names.swapItemsAt(index, index - 1);
    return index - 1;
}

std::optional<int> OrderedList::moveDown(int index)
{
    if (index < 0 || index >= count() - 1)
        return std::nullopt;
    m_names.swapItemsAt(index, index + 1);
    return index + 1;
}

bool OrderedList::save(Database& db)
{
    try {
        Transaction tx(db);
        const QStringList stored = storedNames(db);
        QStringList order;
        for (const QString& n : m_names)
            if (ContainsName(stored, n) && !ContainsName(order, n))
                order << n;
        for (const QString& n : stored)
            if (!ContainsName(order, n))
                order << n;
        db.execute(QStringLiteral("DELETE FROM %1").arg(m_kind.table));
        QList<QVariantList> rows;
        for (int i = 0; i < order.size(); ++i)
            rows.push_back({i + 1, order[i]});
        LexiconTables::insertRows(
            db, QStringLiteral("INSERT INTO %1 (%2, %3)").arg(m_kind.table, m_kind.idColumn, m_kind.nameColumn), rows);
        tx.commit();
        m_names = order;
    } catch (const DbError& e) {
        return failed(db, DbFailureMessage(QStringLiteral("順序無法儲存"), e));
    }
    return true;
}

} // namespace varn
