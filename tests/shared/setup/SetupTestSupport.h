#pragma once

#include "platform/db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace varn::setup_test {

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// The rows of a table, view or query, each as its first `fields` texts (-1: all) joined by "/".
inline QStringList rowsOf(Database& db, const QString& source, int fields = 1,
                          const QVariantList& params = {})
{
    QStringList rows;
    for (Recordset rs = db.openRecordset(source, params); !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < (fields < 0 ? rs.fieldCount() : fields); ++i)
            row << rs.text(i);
        rows << row.join(u'/');
    }
    return rows;
}

} // namespace varn::setup_test
