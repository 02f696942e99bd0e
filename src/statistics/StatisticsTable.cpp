#include "statistics/StatisticsTable.h"

#include "platform/db/Database.h"
#include "platform/grid/GridModel.h"
#include "platform/text/VbNumber.h"

namespace varn {

namespace {

// Grid columns of an item row.
constexpr int kPathCol = 1;
constexpr int kFirstItemCol = 2;   // 品名; columns 2 to 11 go to 統計 columns 1 to 10

const QString kTable = QStringLiteral("統計");

} // namespace

QStringList PathLevels(const QString& path)
{
    if (path.isEmpty())
        return {};
    return path.split(kPathSeparator);
}

std::vector<StatisticsRow> StatisticsRowsFromGrid(const GridModel& hfgQ)
{
    std::vector<StatisticsRow> rows;
    QString path;
    int block = 0;
    for (int r = 1; r < hfgQ.rows(); ++r) {
        const QString cell = hfgQ.textMatrix(r, kPathCol);
        if (!cell.isEmpty()) {
            path = cell;
            ++block;
        }
        auto text = [&](int j) { return hfgQ.textMatrix(r, kFirstItemCol + j - 1); };
        auto number = [&](int j) { return Val(text(j)); };

        StatisticsRow row;
        row.tre = path;
        row.des = text(1);
        row.siz = text(2);
        row.uni = text(3);
        row.qua = number(4);
        row.unp = number(5);
        row.top = number(6);
        row.cos = number(7);
        row.toc = number(8);
        row.rat = number(9);
        row.rem = text(10);
        const QStringList levels = PathLevels(path);
        if (levels.size() > 1)
            row.aot = levels.at(1);
        if (levels.size() > 2)
            row.t = levels.at(2);
        row.blk = block;
        row.sot = r;
        rows.push_back(row);
    }
    return rows;
}

void WriteStatistics(Database& staDb, const std::vector<StatisticsRow>& rows)
{
    // Columns 0 to 14 are written by position, whatever the file names them.
    Recordset layout = staDb.openRecordset(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QuoteIdentifier(kTable)));
    if (layout.fieldCount() < 15)
        throw DbError(DbErr::ItemNotFound, QStringLiteral("資料表 統計 的欄位不足。"));
    auto col = [&layout](int i) { return QuoteIdentifier(layout.fieldName(i)); };

    const QString all = QStringList{col(0), col(1), col(2), col(3), col(4), col(5), col(6), col(7),
                                    col(8), col(9), col(10), col(11), col(12), col(13), col(14)}
                            .join(QLatin1String(", "));
    const QString noT = QStringList{col(0), col(1), col(2), col(3), col(4), col(5), col(6), col(7),
                                    col(8), col(9), col(10), col(11), col(13), col(14)}
                            .join(QLatin1String(", "));
    const QString noLevel = QStringList{col(0), col(1), col(2), col(3), col(4), col(5), col(6),
                                        col(7), col(8), col(9), col(10), col(13), col(14)}
                                .join(QLatin1String(", "));
    auto marks = [](int n) {
        QStringList m;
        for (int i = 0; i < n; ++i)
            m << QStringLiteral("?");
        return m.join(QLatin1String(", "));
    };
    const QString table = QuoteIdentifier(kTable);

    Transaction tx(staDb);
    staDb.execute(QStringLiteral("DELETE FROM %1").arg(table));
    for (const StatisticsRow& r : rows) {
        QVariantList values{r.tre, r.des, r.siz, r.uni, r.qua, r.unp, r.top, r.cos, r.toc, r.rat, r.rem};
        QString columns;
        // A path without a level leaves its column at the table's default.
        if (r.aot && r.t) {
            values << *r.aot << *r.t;
            columns = all;
        } else if (r.aot) {
            values << *r.aot;
            columns = noT;
        } else {
            columns = noLevel;
        }
        values << r.blk << r.sot;
        staDb.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, columns, marks(int(values.size()))),
                      values);
    }
    tx.commit();
}

void BuildStatistics(Database& staDb, const GridModel& hfgQ)
{
    WriteStatistics(staDb, StatisticsRowsFromGrid(hfgQ));
}

QString PathWithoutArea(const QString& path)
{
    QStringList levels = PathLevels(path);
    if (levels.size() < 3)
        return path;   // no level below the area: the path keeps it
    levels.removeAt(1);
    return levels.join(kPathSeparator);
}

QString PathWithAreaLast(const QString& path)
{
    QStringList levels = PathLevels(path);
    if (levels.size() < 2)
        return path;
    const QString area = levels.at(1);
    return PathWithoutArea(path) + kPathSeparator + area;
}

void NumberStatisticsGroups(Database& staDb, bool bySecondLevel, bool noAreaMode, int treeMode)
{
    const bool second = !noAreaMode && bySecondLevel;
    Recordset groups = staDb.openRecordset(second ? QStringLiteral("T") : QStringLiteral("Aot"));
    if (groups.eof())
        return;

    const QString table = QuoteIdentifier(kTable);
    const QString update = second ? QStringLiteral("UPDATE %1 SET sn = ? WHERE T IS ?").arg(table)
                                  : QStringLiteral("UPDATE %1 SET sn = ? WHERE AoT IS ?").arg(table);
    Transaction tx(staDb);
    int n = 1;
    for (; !groups.eof(); groups.moveNext(), ++n)
        staDb.execute(update, {n, groups.value(0)});

    if (treeMode == 2 || treeMode == 3) {
        Recordset rows = staDb.openRecordset(
            QStringLiteral("SELECT rowid, tre, Des, AoT FROM %1 ORDER BY rowid").arg(table));
        for (; !rows.eof(); rows.moveNext()) {
            const QString tre = rows.text(1);
            const QString area = rows.text(3);
            // A row without an area (no path) has nothing to move.
            if (area.isEmpty() || PathLevels(tre).value(1) != area)
                continue;
            if (treeMode == 2) {
                staDb.execute(QStringLiteral("UPDATE %1 SET tre = ?, Des = ? WHERE rowid = ?").arg(table),
                              {PathWithoutArea(tre), area + rows.text(2), rows.value(0)});
            } else {
                staDb.execute(QStringLiteral("UPDATE %1 SET tre = ? WHERE rowid = ?").arg(table),
                              {PathWithAreaLast(tre), rows.value(0)});
            }
        }
    }
    tx.commit();
}

} // namespace varn
