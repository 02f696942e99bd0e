#include "platform/db/SqliteSupport.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

namespace varn::sqlite {

DbError errorFor(sqlite3* db, int rc)
{
    int code = rc;
    if (db && (code & 0xff) == code)
        code = sqlite3_extended_errcode(db);

    if (code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY)
        return DbError(DbErr::DuplicateKey, QStringLiteral("資料庫中已有相同的資料。"));
    // A trigger's refusal carries the text its writer gave it, not the engine's.
    if (code == SQLITE_CONSTRAINT_TRIGGER && db)
        return DbError(DbErr::General,
                       QStringLiteral("資料庫拒絕了這項變更：%1").arg(QString::fromUtf8(sqlite3_errmsg(db))));
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return DbError(DbErr::Busy, QStringLiteral("資料庫正由另一台電腦上的使用者鎖定，請稍後再試。"));
    case SQLITE_FULL:
        return DbError(DbErr::DiskOrNetwork, QStringLiteral("磁碟已滿，資料庫無法寫入。"));
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
        return DbError(DbErr::DiskOrNetwork, QStringLiteral("磁碟或網路發生錯誤，無法存取資料庫。"));
    case SQLITE_READONLY:
        return DbError(DbErr::General, QStringLiteral("資料庫檔案是唯讀的，無法寫入。"));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return DbError(DbErr::General, QStringLiteral("資料庫檔案已損壞。"));
    case SQLITE_NOMEM:
        return DbError(DbErr::General, QStringLiteral("記憶體不足。"));
    default:
        return DbError(DbErr::General, QStringLiteral("資料庫無法完成這項操作 (錯誤碼 %1)。").arg(code));
    }
}

void raise(sqlite3* db, int rc)
{
    throw errorFor(db, rc);
}

Statement::Statement(sqlite3* db, const QString& sql) : m_db(db)
{
    const QByteArray text = sql.toUtf8();
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &m_stmt, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        raise(db, rc);
    }
    for (const char* p = tail; p && *p; ++p) {
        if (*p != ';' && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            sqlite3_finalize(m_stmt);
            m_stmt = nullptr;
            throw DbError(DbErr::General, QStringLiteral("一次只能執行一個 SQL 指令。"));
        }
    }
    if (!m_stmt) // only blanks or a comment
        throw DbError(DbErr::General, QStringLiteral("沒有可執行的 SQL 指令。"));
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(const QVariantList& params)
{
    const int expected = sqlite3_bind_parameter_count(m_stmt);
    if (expected != params.size())
        throw DbError(DbErr::General, QStringLiteral("參數數目不符：需要 %1 個，給了 %2 個。")
                                          .arg(expected).arg(params.size()));
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        const int n = i + 1;
        int rc = SQLITE_OK;
        if (!v.isValid() || v.typeId() == QMetaType::Nullptr) {
            rc = sqlite3_bind_null(m_stmt, n);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
                rc = sqlite3_bind_int64(m_stmt, n, v.toBool() ? 1 : 0);
                break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::Long:
            case QMetaType::LongLong:
            case QMetaType::Short:
            case QMetaType::UShort:
            case QMetaType::Char:
            case QMetaType::SChar:
            case QMetaType::UChar:
                rc = sqlite3_bind_int64(m_stmt, n, v.toLongLong());
                break;
            case QMetaType::ULong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(m_stmt, n, qint64(v.toULongLong()));
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(m_stmt, n, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob64(m_stmt, n, b.constData(), sqlite3_uint64(b.size()),
                                         SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDate:
                rc = sqlite3_bind_text(m_stmt, n, v.toDate().toString(Qt::ISODate).toUtf8().constData(),
                                       -1, SQLITE_TRANSIENT);
                break;
            case QMetaType::QDateTime:
                rc = sqlite3_bind_text(m_stmt, n,
                                       v.toDateTime().toString(Qt::ISODate).toUtf8().constData(),
                                       -1, SQLITE_TRANSIENT);
                break;
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text64(m_stmt, n, t.constData(), sqlite3_uint64(t.size()),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
                break;
            }
            }
        }
        if (rc != SQLITE_OK)
            raise(m_db, rc);
    }
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // A query kept out by another workstation's write could not read; it updated nothing.
    if (((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED) && sqlite3_column_count(m_stmt) > 0
        && sqlite3_stmt_readonly(m_stmt))
        throw DbError(DbErr::Busy, QStringLiteral("無法讀取；資料目前被另一台電腦上的使用者鎖定。"));
    raise(m_db, rc);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

QString Statement::columnName(int i) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, i));
}

QVariant Statement::column(int i) const
{
    switch (sqlite3_column_type(m_stmt, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_stmt, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, i));
    case SQLITE_TEXT: {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, i));
        return QVariant(QString::fromUtf8(p, sqlite3_column_bytes(m_stmt, i)));
    }
    case SQLITE_BLOB: {
        const auto* p = static_cast<const char*>(sqlite3_column_blob(m_stmt, i));
        return QVariant(QByteArray(p, sqlite3_column_bytes(m_stmt, i)));
    }
    default:
        return QVariant();
    }
}

} // namespace varn::sqlite
