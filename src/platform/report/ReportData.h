#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace varn {

class Database;

// The rows of one table of the print database, as texts, in database order.
struct ReportTable {
    QStringList fields;
    QVector<QStringList> rows;

    // The position of a field given by name (without regard to case) or by digits; -1 when
    // the table has no such field.
    int fieldIndex(const QString& field) const;
};

// The tables a report reads, taken from the print database in one go, so a report never
// mixes rows of two rebuilds.
class ReportData {
public:
    // Reads the tables; throws DbError when one is missing.
    static ReportData read(Database& db, const QStringList& tables);

    void setTable(const QString& name, const ReportTable& table);
    bool hasTable(const QString& name) const;
    const ReportTable& table(const QString& name) const;   // an empty table when unknown

    // One value: row `row` of the table, the field by name or position. Empty when the
    // table, the row or the field is missing.
    QString value(const QString& table, const QString& field, int row = 0) const;

private:
    QHash<QString, ReportTable> m_tables;   // keyed by lower-case name
};

} // namespace varn
