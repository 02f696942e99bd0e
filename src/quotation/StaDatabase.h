#pragma once

#include <QString>

#include <memory>

namespace varn {

class Database;

// The signed-in user's statistics database sta.mdb, which the quotation window keeps open
// (`StaDb`) for the statistics and the reports.
struct StaDatabase {
    std::unique_ptr<Database> db;   // null when it could be neither opened nor made
    bool created = false;           // made afresh from the schema
    QString keptAside;              // where an unreadable file was moved, or empty
    QString error;                  // why there is no database (db null)

    // sta.mdb in the user's working folder; the superuser's (no user name) lies in the
    // program folder itself.
    static QString pathFor(const QString& programFolder, const QString& userName);

    // Opens the file. A missing file, or one that is not a readable statistics database
    // (damaged, another password, no 統計 table), is made afresh from the schema; an
    // unreadable file is first renamed to "sta.mdb.bad" beside it, so nothing is destroyed.
    static StaDatabase open(const QString& path, const QString& password, const QString& schemaSql);
};

} // namespace varn
