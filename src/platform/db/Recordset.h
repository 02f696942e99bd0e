#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace varn {

class Database;

// A fully read result standing on its first row. When it has no row, bof() and eof()
// are both true. Fields are found by position from 0 or by name without regard to case;
// a null reads as an empty text through text().
class Recordset {
public:
    Recordset() = default;

    int recordCount() const { return static_cast<int>(m_rows.size()); }
    bool bof() const { return m_rows.empty() || m_pos < 0; }
    bool eof() const { return m_rows.empty() || m_pos >= recordCount(); }
    void moveNext() { if (m_pos < recordCount()) ++m_pos; }
    void moveFirst() { m_pos = 0; }
    int position() const { return m_pos; }

    int fieldCount() const { return static_cast<int>(m_names.size()); }
    QString fieldName(int i) const { return m_names.value(i); }
    int fieldIndex(const QString& name) const;   // -1 when there is no such field

    // Value of the current row (or of the row being added/edited); throws DbError when
    // the field does not exist or the recordset stands on no row.
    QVariant value(int field) const;
    QVariant value(const QString& field) const;
    QString text(int field) const { return value(field).toString(); }
    QString text(const QString& field) const { return value(field).toString(); }

    // Writing, for a table opened by name.
    void addNew();
    void edit();
    void setValue(int field, const QVariant& v);
    void setValue(const QString& field, const QVariant& v);
    void update();     // inserts or updates with bound values; throws DbError (3022...)
    void cancelUpdate();

private:
    friend class Database;
    enum class EditMode { None, Add, Edit };

    Database* m_db = nullptr;
    QString m_table;                     // set when opened by table name
    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    QVector<qint64> m_rowIds;            // rowid per row, for Edit
    int m_pos = 0;
    EditMode m_mode = EditMode::None;
    QVector<QVariant> m_buffer;
    QVector<bool> m_dirty;
};

} // namespace varn
