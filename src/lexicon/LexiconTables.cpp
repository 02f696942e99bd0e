#include "lexicon/LexiconTables.h"

#include "lexicon/LexiconText.h"
#include "platform/db/Database.h"
#include "shared/LookupLists.h"

#include <QHash>
#include <QSet>
#include <QVariant>

#include <algorithm>

namespace varn {

namespace {

QStringList column(Database& db, const QString& sql, const QVariantList& params = {})
{
    QStringList out;
    for (Recordset rs = db.openRecordset(sql, params); !rs.eof(); rs.moveNext())
        out << rs.text(0);
    return out;
}

struct StoredDetail {
    qint64 id;
    QString name;
    QVariant markup;
    qint64 sort;
};

QList<StoredDetail> storedDetails(Database& db, const QString& workItem)
{
    QList<StoredDetail> out;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT rowid, d, c, sort FROM w2d WHERE w = ? ORDER BY sort, rowid"), {workItem});
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.value(0).toLongLong(), rs.text(1), rs.value(2), rs.value(3).toLongLong()});
    return out;
}

int count(Database& db, const QString& sql, const QString& name)
{
    return db.openRecordset(sql, {name}).value(0).toInt();
}

// The owner of the rows about to be written must still stand: another workstation may
// have deleted (or renamed) it since the window loaded.
void requireOwner(Database& db, const QString& sql, const QString& name, const QString& what)
{
    if (count(db, sql, name) == 0)
        throw DbError(DbErr::General, QStringLiteral("%1【%2】已被其他使用者刪除或改名").arg(what, name));
}

QString where(const RowTable& t)
{
    return t.key.isEmpty() ? QString() : QStringLiteral(" WHERE %1 = ?").arg(t.key);
}

QVariantList keyParam(const RowTable& t, const QString& key)
{
    return t.key.isEmpty() ? QVariantList{} : QVariantList{key};
}

QVariant cellValue(const RowTable& t, int col, const QString& text)
{
    return t.numeric.value(col) ? StoredNumber(text) : QVariant(text);
}

QHash<qint64, const LexiconRow*> byId(const QList<LexiconRow>& rows)
{
    QHash<qint64, const LexiconRow*> out;
    for (const LexiconRow& r : rows)
        out.insert(r.id, &r);
    return out;
}

// A name as the tables' NOCASE compares it: ASCII letters alike in either case, every
// other character only itself.
QString noCaseKey(const QString& name)
{
    QString key = name;
    for (QChar& c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return key;
}

// A name as it shows in a list: its NOCASE key without the blanks before or after it.
QString lookKey(const QString& name)
{
    return noCaseKey(name.trimmed());
}

struct NameCount {
    QString key;
    QString name;   // as the first row holding it spells it
    int count;
};

// How many rows under the key hold each name, keyed by `keyOf`, in the order of the names'
// first rows; empty names are no names.
QList<NameCount> nameCounts(const QList<LexiconRow>& rows, QString (*keyOf)(const QString&))
{
    QList<NameCount> out;
    QHash<QString, qsizetype> at;
    for (const LexiconRow& r : rows) {
        const QString name = r.values.value(0);
        if (name.isEmpty())
            continue;
        const QString k = keyOf(name);
        if (const auto it = at.constFind(k); it != at.cend()) {
            ++out[*it].count;
        } else {
            at.insert(k, out.size());
            out.push_back({k, name, 1});
        }
    }
    return out;
}

// merge, refusing a name the key's rows would hold once more than they do now, both as
// spelt (letter case aside) and as it shows (blanks before or after it aside too). Names
// already stored twice either way (by another workstation, or before names were checked)
// stay as they are, so such a lexicon can still be applied, and a look-alike may be respelt
// to another look-alike of its name, but not into the name beside it.
void mergeWithoutNewRepeats(Database& db, const RowTable& t, const QString& key,
                            const QList<LexiconRow>& loaded, const QList<LexiconRow>& rows)
{
    const QList<LexiconRow> before = LexiconTables::read(db, t, key);
    LexiconTables::merge(db, t, key, loaded, rows);
    const QList<LexiconRow> after = LexiconTables::read(db, t, key);
    for (QString (*keyOf)(const QString&) : {noCaseKey, lookKey}) {
        QHash<QString, int> counted;
        for (const NameCount& n : nameCounts(before, keyOf))
            counted.insert(n.key, n.count);
        for (const NameCount& n : nameCounts(after, keyOf))
            if (n.count > 1 && n.count > counted.value(n.key))
                throw DbError(DbErr::DuplicateKey, QStringLiteral("【%1】已經存在").arg(n.name));
    }
}

} // namespace

const RowTable& RowTable::areas()
{
    static const RowTable t{QStringLiteral("k2a"), QStringLiteral("k"), {QStringLiteral("a")}, {false},
                            QStringLiteral("sort"), 1};
    return t;
}

const RowTable& RowTable::workItems()
{
    static const RowTable t{QStringLiteral("t2w"), QStringLiteral("t"),
                            {QStringLiteral("w"), QStringLiteral("u"), QStringLiteral("c"), QStringLiteral("s")},
                            {false, false, true, true}, QStringLiteral("sort"), 2};
    return t;
}

const RowTable& RowTable::details()
{
    static const RowTable t{QStringLiteral("w2d"), QStringLiteral("w"), {QStringLiteral("d"), QStringLiteral("c")},
                            {false, true}, QStringLiteral("sort"), 2};
    return t;
}

RowTable RowTable::lookupList(int list)
{
    const LookupListInfo& info = LookupLists().at(list);
    return {info.tableName(), QString(), {info.textName()}, {false}, info.orderName(), 1};
}

namespace LexiconTables {

void insertRows(Database& db, const QString& head, const QList<QVariantList>& rows)
{
    if (rows.isEmpty())
        return;
    const int columns = static_cast<int>(rows.first().size());
    // Within the engine's limit of 999 bound values a statement.
    const int perStatement = std::max(1, 900 / std::max(1, columns));
    const QString one = QStringLiteral("(") + QStringList(columns, QStringLiteral("?")).join(u',')
        + QStringLiteral(")");
    for (int from = 0; from < rows.size(); from += perStatement) {
        const int n = std::min<int>(perStatement, static_cast<int>(rows.size()) - from);
        QVariantList values;
        values.reserve(n * columns);
        for (int i = from; i < from + n; ++i)
            values += rows[i];
        db.execute(head + QStringLiteral(" VALUES ") + QStringList(n, one).join(u','), values);
    }
}

QStringList categories(Database& db)
{
    return column(db, QStringLiteral("SELECT k FROM 別 ORDER BY k_id, rowid"));
}

QStringList workTypes(Database& db)
{
    return column(db, QStringLiteral("SELECT t FROM 種 ORDER BY t_id, rowid"));
}

QStringList units(Database& db)
{
    return column(db, QStringLiteral("SELECT u FROM u ORDER BY sort, rowid"));
}

QList<LexiconRow> read(Database& db, const RowTable& t, const QString& key)
{
    QList<LexiconRow> out;
    Recordset rs = db.openRecordset(QStringLiteral("SELECT rowid, %1 FROM %2%3 ORDER BY %4, rowid")
                                        .arg(t.columns.join(u','), t.table, where(t), t.sort),
                                    keyParam(t, key));
    for (; !rs.eof(); rs.moveNext()) {
        LexiconRow row{rs.value(0).toLongLong(), {}};
        for (int c = 0; c < t.columns.size(); ++c)
            row.values << rs.text(c + 1);
        out << row;
    }
    return out;
}

void merge(Database& db, const RowTable& t, const QString& key, const QList<LexiconRow>& loaded,
           const QList<LexiconRow>& rows)
{
    // Each loaded row is found among the rows stored now by its texts, else by its name
    // (another workstation edited it); what is not found another workstation removed.
    const QList<LexiconRow> now = read(db, t, key);
    std::vector<bool> taken(now.size(), false);
    QHash<qint64, int> found;   // loaded row -> index in now
    for (const bool byName : {false, true}) {
        QMultiHash<QString, int> index;
        for (int i = static_cast<int>(now.size()) - 1; i >= 0; --i)
            index.insert(byName ? now[i].values.value(0).toCaseFolded() : now[i].values.join(QChar(0x1f)), i);
        for (const LexiconRow& l : loaded) {
            if (found.contains(l.id))
                continue;
            const QString k = byName ? l.values.value(0).toCaseFolded() : l.values.join(QChar(0x1f));
            for (auto it = index.find(k); it != index.end() && it.key() == k; ++it)
                if (!taken[it.value()]) {
                    taken[it.value()] = true;
                    found.insert(l.id, it.value());
                    break;
                }
        }
    }
    const QHash<qint64, const LexiconRow*> loadedById = byId(loaded);

    // The window's rows in display order: a row it changed as it stands in the window, a
    // row it left alone as stored now; a row it left alone that is gone stays gone.
    struct Entry {
        QStringList values;
        qint64 id;   // the loaded row
        int at;      // index in now, -1 for a row not stored
    };
    std::vector<Entry> order;
    for (const LexiconRow& r : rows) {
        const LexiconRow* l = loadedById.value(r.id);
        const int at = l ? found.value(r.id, -1) : -1;
        const bool changed = !l || l->values != r.values;
        if (l && at < 0 && !changed)
            continue;
        order.push_back({changed ? r.values : now[at].values, r.id, at});
    }

    // When this window moved nothing, its rows keep the order they are stored in now
    // (another workstation may have moved them).
    std::vector<size_t> places;
    std::vector<qint64> ids, loadedOrder;
    for (size_t i = 0; i < order.size(); ++i)
        if (order[i].at >= 0) {
            places.push_back(i);
            ids.push_back(order[i].id);
        }
    const QSet<qint64> shown(ids.begin(), ids.end());
    for (const LexiconRow& l : loaded)
        if (shown.contains(l.id))
            loadedOrder.push_back(l.id);
    if (ids == loadedOrder) {
        std::vector<Entry> byStored;
        for (size_t i : places)
            byStored.push_back(order[i]);
        std::stable_sort(byStored.begin(), byStored.end(), [](const Entry& a, const Entry& b) { return a.at < b.at; });
        for (size_t k = 0; k < places.size(); ++k)
            order[places[k]] = byStored[k];
    }
    // Rows stored since the load come after the window's.
    for (int i = 0; i < now.size(); ++i)
        if (!taken[i])
            order.push_back({now[i].values, 0, i});

    // Rewritten in order, so that database order is display order as well.
    db.execute(QStringLiteral("DELETE FROM %1%2").arg(t.table, where(t)), keyParam(t, key));
    QList<QVariantList> inserts;
    qint64 sort = t.firstSort;
    for (const Entry& e : order) {
        QVariantList v = keyParam(t, key);
        for (int c = 0; c < t.columns.size(); ++c)
            v << cellValue(t, c, e.values.value(c));
        inserts << (v << sort++);
    }
    QStringList head = t.columns;
    if (!t.key.isEmpty())
        head.prepend(t.key);
    insertRows(db, QStringLiteral("INSERT INTO %1 (%2, %3)").arg(t.table, head.join(u','), t.sort), inserts);
}

void writeAreas(Database& db, const QString& category, const QList<LexiconRow>& loaded,
                const QList<LexiconRow>& rows)
{
    Transaction tx(db);
    requireOwner(db, QStringLiteral("SELECT count(*) FROM 別 WHERE k = ?"), category, QStringLiteral("工程類別"));
    mergeWithoutNewRepeats(db, RowTable::areas(), category, loaded, rows);
    tx.commit();
}

QStringList writeWorkItems(Database& db, const QString& workType, const QList<LexiconRow>& loaded,
                           const QList<LexiconRow>& rows)
{
    Transaction tx(db);
    requireOwner(db, QStringLiteral("SELECT count(*) FROM 種 WHERE t = ?"), workType, QStringLiteral("工程種類"));
    const QHash<qint64, const LexiconRow*> loadedById = byId(loaded);

    // Renamed rows, and the names this window gives up (renamed or deleted rows).
    struct Rename {
        QString from, to;
    };
    std::vector<Rename> renames;
    QStringList givenUp;
    QSet<qint64> kept;
    for (const LexiconRow& r : rows) {
        kept.insert(r.id);
        const LexiconRow* l = loadedById.value(r.id);
        if (!l)
            continue;
        const QString from = l->values.value(0);
        const QString to = r.values.value(0);
        if (from.isEmpty() || to.isEmpty() || SameName(from, to))
            continue;
        renames.push_back({from, to});
        givenUp << from;
    }
    for (const LexiconRow& l : loaded)
        if (!kept.contains(l.id))
            givenUp << l.values.value(0);

    // The details of every name involved, read before anything changes (two names may
    // trade places).
    QHash<QString, QList<StoredDetail>> before;
    for (const Rename& r : renames)
        for (const QString& name : {r.from, r.to})
            if (!before.contains(name.toCaseFolded()))
                before.insert(name.toCaseFolded(), storedDetails(db, name));

    mergeWithoutNewRepeats(db, RowTable::workItems(), workType, loaded, rows);

    // A name keeps its own details while a row not renamed onto it in this apply holds it.
    auto stays = [&](const QString& name) {
        int onto = 0;
        for (const Rename& r : renames)
            onto += SameName(r.to, name) ? 1 : 0;
        return count(db, QStringLiteral("SELECT count(*) FROM t2w WHERE w = ?"), name) > onto;
    };
    struct Target {
        QStringList names;   // detail names it holds
        qint64 lastSort = 1;
        bool hadOwn = false;
    };
    QHash<QString, Target> targets;
    QStringList notices;
    for (const Rename& r : renames) {
        const QString to = r.to.toCaseFolded();
        if (!targets.contains(to)) {
            Target target;
            bool leaves = false;
            for (const Rename& o : renames)
                leaves = leaves || SameName(o.from, r.to);
            if (!leaves || stays(r.to))
                for (const StoredDetail& d : before.value(to)) {
                    target.names << d.name;
                    target.lastSort = std::max(target.lastSort, d.sort);
                }
            target.hadOwn = !target.names.isEmpty();
            targets.insert(to, target);
        }
        Target& target = targets[to];
        const bool copy = stays(r.from);
        const QStringList existing = target.names;
        for (const StoredDetail& d : before.value(r.from.toCaseFolded())) {
            if (ContainsName(existing, d.name))
                continue;   // the detail the new name already holds keeps its markup
            const qint64 sort = target.hadOwn ? ++target.lastSort : d.sort;
            if (copy)
                db.execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, ?, ?)"),
                           {r.to, d.name, d.markup, sort});
            else
                db.execute(QStringLiteral("UPDATE w2d SET w = ?, sort = ? WHERE rowid = ?"), {r.to, sort, d.id});
            target.names << d.name;
        }
        if (target.hadOwn && !before.value(r.from.toCaseFolded()).isEmpty())
            notices << QStringLiteral("【%1】原已有細項加成，【%2】的細項已併入其中（同名的細項保留原有加成金）")
                           .arg(r.to, r.from);
    }
    dropOrphanDetails(db, givenUp);
    tx.commit();
    return notices;
}

void writeDetails(Database& db, const QString& workItem, const QList<LexiconRow>& loaded,
                  const QList<LexiconRow>& rows)
{
    Transaction tx(db);
    requireOwner(db, QStringLiteral("SELECT count(*) FROM t2w WHERE w = ?"), workItem, QStringLiteral("施工項目"));
    merge(db, RowTable::details(), workItem, loaded, rows);
    tx.commit();
}

void dropOrphanDetails(Database& db, const QStringList& names)
{
    for (const QString& name : names)
        if (count(db, QStringLiteral("SELECT count(*) FROM t2w WHERE w = ?"), name) == 0)
            db.execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {name});
}

} // namespace LexiconTables
} // namespace varn
