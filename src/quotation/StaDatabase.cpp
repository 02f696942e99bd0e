#include "quotation/StaDatabase.h"

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace varn {

namespace {

int schemaVersion(const QString& schemaSql)
{
    static const QRegularExpression re(QStringLiteral("user_version\\s*=\\s*(\\d+)"));
    return re.match(schemaSql).captured(1).toInt();
}

// The statistics are rebuilt before every use, so a file of an older schema is simply laid
// out anew.
void upgrade(Database& db, const QString& schemaSql)
{
    if (db.openRecordset(QStringLiteral("PRAGMA user_version")).value(0).toInt() >= schemaVersion(schemaSql))
        return;
    Transaction t(db);
    QStringList drops;
    for (Recordset rs = db.openRecordset(QStringLiteral(
             "SELECT type, name FROM sqlite_master WHERE type IN ('view', 'table') AND name NOT LIKE 'sqlite%' "
             "ORDER BY type = 'table'"));
         !rs.eof(); rs.moveNext())
        drops << QStringLiteral("DROP %1 \"%2\";").arg(rs.text(0).toUpper(), rs.text(1));
    db.executeScript(drops.join(QLatin1Char('\n')));
    db.executeScript(schemaSql);
    t.commit();
}

} // namespace

QString StaDatabase::pathFor(const QString& programFolder, const QString& userName)
{
    const QDir base(programFolder);
    return userName.isEmpty() ? base.filePath(QStringLiteral("sta.mdb"))
                              : base.filePath(userName + QStringLiteral("/sta.mdb"));
}

StaDatabase StaDatabase::open(const QString& path, const QString& password, const QString& schemaSql)
{
    StaDatabase result;
    QString openFailure;
    if (QFileInfo::exists(path)) {
        try {
            std::unique_ptr<Database> db = Database::open(path, password);
            if (db->tableExists(QStringLiteral("統計"))) {
                upgrade(*db, schemaSql);
                result.db = std::move(db);
                return result;
            }
            openFailure = QStringLiteral("統計資料表不存在");
        } catch (const DbError& e) {
            openFailure = e.description();
        }
        // Kept aside, not deleted: it may be the only copy of something.
        const QString aside = path + QStringLiteral(".bad");
        QFile::remove(aside);
        if (!QFile::rename(path, aside)) {
            result.error = QStringLiteral("無法開啟 %1\r\n%2").arg(QDir::toNativeSeparators(path), openFailure);
            return result;
        }
        result.keptAside = aside;
    }

    try {
        QDir().mkpath(QFileInfo(path).absolutePath());
        result.db = Database::create(path, password, schemaSql);
        result.created = true;
    } catch (const DbError& e) {
        result.error = QStringLiteral("無法建立 %1\r\n%2").arg(QDir::toNativeSeparators(path), e.description());
    }
    return result;
}

} // namespace varn
