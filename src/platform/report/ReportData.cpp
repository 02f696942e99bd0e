#include "platform/report/ReportData.h"

#include "platform/db/Database.h"

namespace varn {

int ReportTable::fieldIndex(const QString& field) const
{
    bool isNumber = false;
    const int pos = field.toInt(&isNumber);
    if (isNumber)
        return pos >= 0 && pos < fields.size() ? pos : -1;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

ReportData ReportData::read(Database& db, const QStringList& tables)
{
    ReportData data;
    for (const QString& name : tables) {
        Recordset rs = db.openRecordset(name);
        ReportTable t;
        for (int i = 0; i < rs.fieldCount(); ++i)
            t.fields << rs.fieldName(i);
        for (; !rs.eof(); rs.moveNext()) {
            QStringList row;
            row.reserve(rs.fieldCount());
            for (int i = 0; i < rs.fieldCount(); ++i)
                row << rs.text(i);
            t.rows << row;
        }
        data.setTable(name, t);
    }
    return data;
}

void ReportData::setTable(const QString& name, const ReportTable& table)
{
    m_tables.insert(name.toLower(), table);
}

bool ReportData::hasTable(const QString& name) const
{
    return m_tables.contains(name.toLower());
}

const ReportTable& ReportData::table(const QString& name) const
{
    static const ReportTable empty;
    const auto it = m_tables.constFind(name.toLower());
    return it != m_tables.constEnd() ? *it : empty;
}

QString ReportData::value(const QString& tableName, const QString& field, int row) const
{
    const ReportTable& t = table(tableName);
    const int i = t.fieldIndex(field);
    if (i < 0 || row < 0 || row >= t.rows.size())
        return {};
    return t.rows.at(row).value(i);
}

} // namespace varn
