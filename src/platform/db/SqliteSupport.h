#pragma once

// Thin helpers over the SQLCipher C API, shared by Database and Recordset only.

#include "platform/db/DbError.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

namespace varn::sqlite {

// The error a failed call reports, with the numbers callers test
// (3022 duplicate, 3260 locked, 3043 I/O or full disk, else 3000), described in Chinese.
DbError errorFor(sqlite3* db, int rc);
[[noreturn]] void raise(sqlite3* db, int rc);

// One prepared statement. Only a single statement is accepted: trailing text other
// than blanks and semicolons is refused, so a value smuggled into SQL cannot add another.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bind(const QVariantList& params);
    bool step();                    // true while a row is ready; throws DbError on failure
    int columnCount() const;
    QString columnName(int i) const;
    QVariant column(int i) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

} // namespace varn::sqlite
