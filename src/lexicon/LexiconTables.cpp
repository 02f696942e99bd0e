#include "lexicon/LexiconTables.h"

#include "lexicon/LexiconText.h"
#include "platform/db/Database.h"

#include <QVariant>

#include <map>

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
    QString name;
    QVariant markup;
    QVariant sort;
};

QList<StoredDetail> storedDetails(Database& db, const QString& workItem)
{
    QList<StoredDetail> out;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT d, c, sort FROM w2d WHERE w = ? ORDER BY sort, rowid"), {workItem});
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.text(0), rs.value(1), rs.value(2)});
    return out;
}

bool heldElsewhere(Database& db, const QString& workItem, const QString& workType)
{
    return db.openRecordset(QStringLiteral("SELECT count(*) FROM t2w WHERE w = ? AND t <> ?"),
                            {workItem, workType})
               .value(0)
               .toInt()
        > 0;
}

} // namespace

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

QStringList areas(Database& db, const QString& category)
{
    return column(db, QStringLiteral("SELECT a FROM k2a WHERE k = ? ORDER BY sort, rowid"), {category});
}

QList<WorkItemRow> workItems(Database& db, const QString& workType)
{
    QList<WorkItemRow> out;
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT w, u, c, s FROM t2w WHERE t = ? ORDER BY sort, rowid"), {workType});
    for (; !rs.eof(); rs.moveNext())
        out.push_back({rs.text(0), rs.text(1), rs.text(2), rs.text(3), rs.text(0)});
    return out;
}

QList<DetailRow> details(Database& db, const QString& workItem)
{
    QList<DetailRow> out;
    for (const StoredDetail& d : storedDetails(db, workItem))
        out.push_back({d.name, d.markup.toString()});
    return out;
}

void writeAreas(Database& db, const QString& category, const QStringList& areas)
{
    Transaction tx(db);
    db.execute(QStringLiteral("DELETE FROM k2a WHERE k = ?"), {category});
    QList<QVariantList> rows;
    for (int i = 0; i < areas.size(); ++i)
        rows.push_back({category, areas[i], i + 1});
    insertRows(db, QStringLiteral("INSERT INTO k2a (k, a, sort)"), rows);
    tx.commit();
}

void writeWorkItems(Database& db, const QString& workType, const QList<WorkItemRow>& rows,
                    const QStringList& loadedNames)
{
    Transaction tx(db);

    // Renamed rows and the details their old names hold, read before anything changes
    // (two names may trade places).
    QStringList newNames;
    for (const WorkItemRow& r : rows)
        newNames << r.name;
    std::vector<std::pair<QString, QList<StoredDetail>>> carried;   // new name, details
    for (const WorkItemRow& r : rows) {
        if (r.origin.isEmpty() || r.name.isEmpty() || SameName(r.origin, r.name))
            continue;
        bool keepsOwn = false;   // another row still stands under the new name unchanged
        for (const WorkItemRow& o : rows)
            keepsOwn = keepsOwn || (SameName(o.origin, r.name) && SameName(o.name, r.name));
        if (!keepsOwn && !heldElsewhere(db, r.name, workType))
            carried.emplace_back(r.name, storedDetails(db, r.origin));
    }

    db.execute(QStringLiteral("DELETE FROM t2w WHERE t = ?"), {workType});
    QList<QVariantList> values;
    for (int i = 0; i < rows.size(); ++i) {
        const WorkItemRow& r = rows[i];
        values.push_back({workType, r.name, i + 2, r.unit, StoredNumber(r.cost), StoredNumber(r.ratio)});
    }
    insertRows(db, QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s)"), values);

    for (const auto& [name, list] : carried) {
        db.execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {name});
        for (const StoredDetail& d : list)
            db.execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, ?, ?)"),
                       {name, d.name, d.markup, d.sort});
    }

    QStringList givenUp;
    for (const QString& name : loadedNames)
        if (!name.isEmpty() && !ContainsName(newNames, name))
            givenUp << name;
    dropOrphanDetails(db, givenUp);
    tx.commit();
}

void writeDetails(Database& db, const QString& workItem, const QList<DetailRow>& rows)
{
    Transaction tx(db);
    db.execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {workItem});
    QList<QVariantList> values;
    for (int i = 0; i < rows.size(); ++i)
        values.push_back({workItem, rows[i].name, StoredNumber(rows[i].markup), i + 2});
    insertRows(db, QStringLiteral("INSERT INTO w2d (w, d, c, sort)"), values);
    tx.commit();
}

void dropOrphanDetails(Database& db, const QStringList& names)
{
    for (const QString& name : names) {
        const bool held = db.openRecordset(QStringLiteral("SELECT count(*) FROM t2w WHERE w = ?"), {name})
                              .value(0)
                              .toInt()
            > 0;
        if (!held)
            db.execute(QStringLiteral("DELETE FROM w2d WHERE w = ?"), {name});
    }
}

} // namespace LexiconTables
} // namespace varn
