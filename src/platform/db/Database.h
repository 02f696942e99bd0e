#pragma once

#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"

#include <QString>
#include <QVariant>
#include <QVariantList>

#include <memory>

struct sqlite3;

namespace varn {

// One open SQLCipher database file. Every value goes in as a bound parameter ('?');
// no SQL is built from typed text. All methods throw DbError.
class Database {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file; never creates one. An empty password opens a plain file;
    // a password given for a plain file is not needed and is ignored.
    // Fails with DbErr::FileNotFound / InvalidPath / DiskOrNetwork / NotADatabase /
    // WrongPassword (also when a keyed file is opened without a password).
    static std::unique_ptr<Database> open(const QString& path, const QString& password = {},
                                          bool readOnly = false);

    // Creates a new file (fails with DbErr::AlreadyExists if it exists), keyed with the
    // password when one is given, and runs the schema script in one transaction; on any
    // failure the new file is removed again.
    static std::unique_ptr<Database> create(const QString& path, const QString& password,
                                            const QString& schemaSql = {});

    QString path() const { return m_path; }

    // A fully read result. source is SQL text, or the bare name of a table or view, which
    // is read in database order; a table opened by name can take AddNew/Edit/Update.
    Recordset openRecordset(const QString& source, const QVariantList& params = {});

    // Runs one statement; returns the number of rows it changed.
    int execute(const QString& sql, const QVariantList& params = {});

    // Runs a script of several statements without parameters (schema scripts).
    void executeScript(const QString& sql);

    qint64 lastInsertRowId() const;
    // How long a statement waits for another workstation's lock before failing with
    // DbErr::Busy (5 seconds unless set).
    void setBusyTimeout(int milliseconds);
    bool tableExists(const QString& name) const;

    sqlite3* handle() const { return m_db; }

private:
    Database(sqlite3* db, const QString& path);
    sqlite3* m_db;
    QString m_path;
};

// Scoped write transaction (BEGIN IMMEDIATE): rolls back unless commit() was called.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Database& m_db;
    bool m_done = false;
    QString m_savepoint;   // set when nested inside another transaction
};

// Quotes a name coming from data (a column chosen by the user) as an SQL identifier.
QString QuoteIdentifier(const QString& name);

// Escapes a typed text for "LIKE ? ESCAPE '\'" so that %, _ and \ are taken literally;
// the caller adds its own % around it.
QString EscapeLike(const QString& text);

} // namespace varn
