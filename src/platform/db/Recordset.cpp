#include "platform/db/Recordset.h"

#include "platform/db/Database.h"

namespace varn {

namespace {

DbError noCurrentRecord()
{
    return DbError(DbErr::NoCurrentRecord, QStringLiteral("沒有目前的記錄。"));
}

DbError itemNotFound(const QString& what)
{
    return DbError(DbErr::ItemNotFound, QStringLiteral("在此集合中找不到項目 '%1'。").arg(what));
}

} // namespace

int Recordset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Recordset::value(int field) const
{
    if (field < 0 || field >= fieldCount())
        throw itemNotFound(QString::number(field));
    if (m_mode != EditMode::None)
        return m_buffer.at(field);
    if (bof() || eof())
        throw noCurrentRecord();
    return m_rows.at(m_pos).at(field);
}

QVariant Recordset::value(const QString& field) const
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw itemNotFound(field);
    return value(i);
}

void Recordset::addNew()
{
    if (m_table.isEmpty() || !m_db)
        throw DbError(DbErr::ReadOnly, QStringLiteral("無法更新。資料庫或物件是唯讀的。"));
    m_mode = EditMode::Add;
    m_buffer = QVector<QVariant>(fieldCount());
    m_dirty = QVector<bool>(fieldCount(), false);
}

void Recordset::edit()
{
    if (m_table.isEmpty() || !m_db)
        throw DbError(DbErr::ReadOnly, QStringLiteral("無法更新。資料庫或物件是唯讀的。"));
    if (bof() || eof())
        throw noCurrentRecord();
    m_mode = EditMode::Edit;
    m_buffer = m_rows.at(m_pos);
    m_dirty = QVector<bool>(fieldCount(), false);
}

void Recordset::setValue(int field, const QVariant& v)
{
    if (field < 0 || field >= fieldCount())
        throw itemNotFound(QString::number(field));
    if (m_mode == EditMode::None)
        throw DbError(DbErr::UpdateWithoutEdit, QStringLiteral("沒有 AddNew 或 Edit 時不能寫入欄位。"));
    m_buffer[field] = v;
    m_dirty[field] = true;
}

void Recordset::setValue(const QString& field, const QVariant& v)
{
    const int i = fieldIndex(field);
    if (i < 0)
        throw itemNotFound(field);
    setValue(i, v);
}

void Recordset::update()
{
    if (m_mode == EditMode::None)
        throw DbError(DbErr::UpdateWithoutEdit,
                      QStringLiteral("沒有 AddNew 或 Edit 時不能執行 Update 或 CancelUpdate。"));
    const QString table = QuoteIdentifier(m_table);
    QStringList columns;
    QVariantList values;
    for (int i = 0; i < fieldCount(); ++i) {
        if (m_dirty.at(i)) {
            columns << QuoteIdentifier(m_names.at(i));
            values << m_buffer.at(i);
        }
    }

    qint64 rowId = 0;
    if (m_mode == EditMode::Add) {
        if (columns.isEmpty()) {
            m_db->execute(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
        } else {
            QStringList marks;
            for (int i = 0; i < columns.size(); ++i)
                marks << QStringLiteral("?");
            m_db->execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(table, columns.join(QLatin1String(", ")),
                                   marks.join(QLatin1String(", "))),
                          values);
        }
        rowId = m_db->lastInsertRowId();
    } else {
        rowId = m_rowIds.at(m_pos);
        if (!columns.isEmpty()) {
            values << rowId;
            m_db->execute(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                              .arg(table, columns.join(QLatin1String(" = ?, "))),
                          values);
        }
    }

    // Read the stored row back, so defaults and the engine's own conversions show.
    QVector<QVariant> stored = m_buffer;
    Recordset back = m_db->openRecordset(
        QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(table), {rowId});
    if (back.recordCount() == 1 && back.fieldCount() == fieldCount())
        stored = back.m_rows.at(0);

    if (m_mode == EditMode::Add) {
        m_rows << stored;
        m_rowIds << rowId;
        m_pos = recordCount() - 1;
    } else {
        m_rows[m_pos] = stored;
    }
    cancelUpdate();
}

void Recordset::cancelUpdate()
{
    m_mode = EditMode::None;
    m_buffer.clear();
    m_dirty.clear();
}

} // namespace varn
