#include "platform/db/Database.h"

#include "platform/db/SqliteSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace varn {

namespace {

// Cipher settings are pinned so that files stay readable whatever defaults a later
// SQLCipher brings. These are the 3.x values: the sqlcipher shell opens our files with
// nothing but "PRAGMA key".
constexpr int kCipherPageSize = 1024;
constexpr int kKdfIterations = 64000;

constexpr int kBusyTimeoutMs = 5000;

// Marks files made by this program (header field "application_id"); writing it also
// makes sure a new file holds a real first page even when its schema is empty.
constexpr int kApplicationId = 0x5661726E; // "Varn"

// Closes a connection that did not make it into a Database.
struct ConnectionGuard {
    sqlite3* db = nullptr;
    ~ConnectionGuard() { if (db) sqlite3_close_v2(db); }
    sqlite3* release() { sqlite3* d = db; db = nullptr; return d; }
};

void exec(sqlite3* db, const char* sql)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        sqlite::raise(db, rc);
}

void applyKey(sqlite3* db, const QString& password)
{
    const QByteArray key = password.toUtf8();
    int rc = sqlite3_key(db, key.constData(), int(key.size()));
    if (rc != SQLITE_OK)
        sqlite::raise(db, rc);
    const QByteArray pragmas = QStringLiteral("PRAGMA cipher_page_size = %1; PRAGMA kdf_iter = %2; "
                                              "PRAGMA cipher_use_hmac = ON;")
                                   .arg(kCipherPageSize)
                                   .arg(kKdfIterations)
                                   .toUtf8();
    exec(db, pragmas.constData());
}

void configureConnection(sqlite3* db)
{
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
}

QString nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

DbError invalidPath(const QString& path)
{
    return DbError(DbErr::InvalidPath,
                   QStringLiteral("'%1' 不是有效的路徑。請確定路徑名稱拼寫正確，且連結到您正在使用的伺服器。")
                       .arg(nativeName(path)));
}

DbError notFound(const QString& path)
{
    return DbError(DbErr::FileNotFound,
                   QStringLiteral("找不到檔案 '%1'。").arg(nativeName(path)));
}

DbError diskOrNetwork(const QString& path)
{
    return DbError(DbErr::DiskOrNetwork,
                   QStringLiteral("磁碟或網路發生錯誤，無法讀取 '%1'。").arg(nativeName(path)));
}

DbError notADatabase(const QString& path)
{
    return DbError(DbErr::NotADatabase,
                   QStringLiteral("無法辨識的資料庫格式 '%1'。").arg(nativeName(path)));
}

DbError wrongPassword()
{
    return DbError(DbErr::WrongPassword, QStringLiteral("不是有效的密碼。"));
}

bool folderExists(const QString& path)
{
    const QFileInfo fi(path);
    return QFileInfo(fi.absolutePath()).isDir();
}

// Tells the three "cannot reach the file" cases apart before the engine is asked, since
// the engine reports them all alike.
void checkExistingFile(const QString& path)
{
    if (path.isEmpty())
        throw invalidPath(path);
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        const int err = errno;
        if (err == ENOENT)
            throw folderExists(path) ? notFound(path) : invalidPath(path);
        if (err == ENOTDIR || err == ENAMETOOLONG)
            throw invalidPath(path);
        throw diskOrNetwork(path);
    }
    if (S_ISDIR(st.st_mode))
        throw invalidPath(path);
    if (::access(QFile::encodeName(path).constData(), R_OK) != 0)
        throw diskOrNetwork(path);
}

enum class FileKind { Empty, PlainDatabase, Other, Unreadable };

struct FileFacts {
    FileKind kind = FileKind::Other;
    qint64 size = 0;
};

FileFacts inspect(const QString& path)
{
    FileFacts facts;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        facts.kind = FileKind::Unreadable;
        return facts;
    }
    facts.size = f.size();
    const QByteArray head = f.read(16);
    if (facts.size == 0)
        facts.kind = FileKind::Empty;
    else if (head == QByteArray("SQLite format 3\0", 16))
        facts.kind = FileKind::PlainDatabase;
    return facts;
}

// An encrypted file is whole pages of noise; anything else that the engine refuses is
// simply not a database.
bool looksEncrypted(const FileFacts& facts)
{
    return facts.kind == FileKind::Other && facts.size >= kCipherPageSize
        && facts.size % kCipherPageSize == 0;
}

} // namespace

Database::Database(sqlite3* db, const QString& path) : m_db(db), m_path(path) {}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::open(const QString& path, const QString& password,
                                         bool readOnly)
{
    checkExistingFile(path);
    const FileFacts facts = inspect(path);
    if (facts.kind == FileKind::Unreadable)
        throw diskOrNetwork(path);
    // The engine would take an empty file as a new database and write into it later.
    if (facts.kind == FileKind::Empty)
        throw notADatabase(path);

    ConnectionGuard guard;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &guard.db, flags, nullptr);
    if (rc != SQLITE_OK) {
        if ((rc & 0xff) == SQLITE_CANTOPEN || (rc & 0xff) == SQLITE_IOERR
            || (rc & 0xff) == SQLITE_PERM)
            throw diskOrNetwork(path);
        sqlite::raise(guard.db, rc);
    }
    configureConnection(guard.db);

    // A password on a plain file is not needed to read it, as with the engine the
    // program was first written for.
    if (!password.isEmpty() && facts.kind != FileKind::PlainDatabase)
        applyKey(guard.db, password);

    // Reading the catalogue proves the key (or that the file is a database at all).
    rc = sqlite3_exec(guard.db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const int primary = rc & 0xff;
        if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT)
            throw looksEncrypted(facts) ? wrongPassword() : notADatabase(path);
        if (primary == SQLITE_IOERR || primary == SQLITE_CANTOPEN)
            throw diskOrNetwork(path);
        sqlite::raise(guard.db, rc);
    }
    // Shared over a network folder: never WAL, whose shared memory does not work there.
    exec(guard.db, "PRAGMA journal_mode = DELETE");

    return std::unique_ptr<Database>(new Database(guard.release(), path));
}

std::unique_ptr<Database> Database::create(const QString& path, const QString& password,
                                           const QString& schemaSql)
{
    if (path.isEmpty() || !folderExists(path))
        throw invalidPath(path);
    if (QFileInfo::exists(path))
        throw DbError(DbErr::AlreadyExists,
                      QStringLiteral("資料庫 '%1' 已經存在。").arg(nativeName(path)));
    {
        // Made here with NewOnly, so that two creators cannot both take the same name.
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                throw DbError(DbErr::AlreadyExists,
                              QStringLiteral("資料庫 '%1' 已經存在。").arg(nativeName(path)));
            throw diskOrNetwork(path);
        }
    }

    try {
        ConnectionGuard guard;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &guard.db,
                                       SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK)
            throw diskOrNetwork(path);
        configureConnection(guard.db);
        if (!password.isEmpty())
            applyKey(guard.db, password);
        exec(guard.db, "PRAGMA journal_mode = DELETE");

        std::unique_ptr<Database> db(new Database(guard.release(), path));
        {
            Transaction tx(*db);
            db->execute(QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
            if (!schemaSql.trimmed().isEmpty())
                db->executeScript(schemaSql);
            tx.commit();
        }
        return db;
    } catch (...) {
        QFile::remove(path);
        QFile::remove(path + QStringLiteral("-journal"));
        throw;
    }
}

Recordset Database::openRecordset(const QString& source, const QVariantList& params)
{
    Recordset rs;
    rs.m_db = this;

    QString sql = source;
    bool withRowId = false;
    static const QRegularExpression bareName(QStringLiteral("^[^\\s;()'\"`\\[\\]]+$"));
    const QString trimmed = source.trimmed();
    if (bareName.match(trimmed).hasMatch()) {
        sqlite::Statement find(m_db, QStringLiteral(
            "SELECT type, name FROM sqlite_master WHERE type IN ('table', 'view') "
            "AND name = ? COLLATE NOCASE"));
        find.bind({trimmed});
        if (find.step()) {
            const QString type = find.column(0).toString();
            const QString name = find.column(1).toString();
            if (type == QLatin1String("table")) {
                // rowid lets Edit/Update find the row again; it is not shown as a field.
                sql = QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(QuoteIdentifier(name));
                withRowId = true;
                rs.m_table = name;
            } else {
                sql = QStringLiteral("SELECT * FROM %1").arg(QuoteIdentifier(name));
            }
        }
    }

    sqlite::Statement st(m_db, sql);
    st.bind(params);
    const int first = withRowId ? 1 : 0;
    const int columns = st.columnCount();
    for (int i = first; i < columns; ++i)
        rs.m_names << st.columnName(i);
    while (st.step()) {
        QVector<QVariant> row;
        row.reserve(columns - first);
        for (int i = first; i < columns; ++i)
            row << st.column(i);
        rs.m_rows << row;
        if (withRowId)
            rs.m_rowIds << st.column(0).toLongLong();
    }
    rs.m_pos = 0;
    return rs;
}

int Database::execute(const QString& sql, const QVariantList& params)
{
    sqlite::Statement st(m_db, sql);
    st.bind(params);
    while (st.step()) {
    }
    return sqlite3_changes(m_db);
}

void Database::executeScript(const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_exec(m_db, text.constData(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        sqlite::raise(m_db, rc);
}

qint64 Database::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

void Database::setBusyTimeout(int milliseconds)
{
    sqlite3_busy_timeout(m_db, milliseconds);
}

bool Database::tableExists(const QString& name) const
{
    sqlite::Statement st(m_db, QStringLiteral(
        "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"));
    st.bind({name});
    return st.step();
}

Transaction::Transaction(Database& db) : m_db(db)
{
    // Inside another transaction a savepoint stands in, so helpers that keep their own
    // transaction can be called from a larger one.
    if (sqlite3_get_autocommit(db.handle())) {
        db.execute(QStringLiteral("BEGIN IMMEDIATE"));
    } else {
        static std::atomic<int> counter{0};
        m_savepoint = QStringLiteral("varn_sp%1").arg(++counter);
        db.execute(QStringLiteral("SAVEPOINT %1").arg(m_savepoint));
    }
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    sqlite3* h = m_db.handle();
    if (m_savepoint.isEmpty()) {
        if (!sqlite3_get_autocommit(h))
            sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    } else {
        const QByteArray sql = QStringLiteral("ROLLBACK TO %1; RELEASE %1").arg(m_savepoint).toUtf8();
        sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    if (m_savepoint.isEmpty())
        m_db.execute(QStringLiteral("COMMIT"));
    else
        m_db.execute(QStringLiteral("RELEASE %1").arg(m_savepoint));
    m_done = true;
}

QString QuoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString EscapeLike(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

} // namespace varn
