#pragma once

#include "platform/db/Database.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace varn::test {

using namespace Qt::StringLiterals;

inline const QString kCustomerSchema =
    u"CREATE TABLE 客戶 (客戶編號 INTEGER PRIMARY KEY, 客戶名稱 TEXT COLLATE NOCASE UNIQUE, "
    "  電話 TEXT, 金額 REAL, 備註 TEXT DEFAULT '無');"
    "CREATE VIEW 客戶名單 AS SELECT 客戶名稱, 電話 FROM 客戶;"_s;

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The DbError f threw, or one numbered 0 when it threw none.
template <typename F>
DbError errorOf(F&& f)
{
    try {
        f();
    } catch (const DbError& e) {
        return e;
    }
    return DbError(0, {});
}
template <typename F>
int errorNumberOf(F&& f) { return errorOf(f).number(); }

class DbFixture : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }
    std::unique_ptr<Database> makeCustomers(const QString& name = u"varn3.mdb"_s, const QString& password = {})
    {
        return Database::create(file(name), password, kCustomerSchema);
    }

    QTemporaryDir dir;
};

} // namespace varn::test
