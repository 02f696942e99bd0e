#include "quotation/PickLists.h"

#include "platform/db/Database.h"
#include "platform/text/VbNumber.h"

#include <cmath>

namespace varn::PickLists {

namespace {

// Reads field 0 of every row; a failure names the list and the engine's reason.
PickList read(Database& db, const QString& what, const QString& sql, const QVariantList& params = {})
{
    PickList list;
    try {
        Recordset rs = db.openRecordset(sql, params);
        for (; !rs.eof(); rs.moveNext())
            list.entries << rs.text(0);
    } catch (const DbError& e) {
        list.entries.clear();
        list.error = QStringLiteral("無法讀取%1清單\r\n%2").arg(what, e.description());
    }
    return list;
}

} // namespace

PickList categories(Database& db)
{
    return read(db, QStringLiteral("工程類別"), QStringLiteral("select k from 別 order by rowid"));
}

PickList areasOf(Database& db, const QString& category)
{
    return read(db, QStringLiteral("區域"),
                QStringLiteral("select a from k2a where k = ? order by rowid"), {category});
}

PickList workTypes(Database& db)
{
    return read(db, QStringLiteral("工種"), QStringLiteral("select t from 種 order by rowid"));
}

PickList salespersons(Database& db)
{
    return read(db, QStringLiteral("負責業務"), QStringLiteral("select 中文姓名 from 員工 order by rowid"));
}

PickList caseKinds(Database& db)
{
    return read(db, QStringLiteral("工程案名"), QStringLiteral("select 案 from 案 order by rowid"));
}

PickList units(Database& db)
{
    return read(db, QStringLiteral("單位"), QStringLiteral("select u from u order by sort, rowid"));
}

PickList ratios(Database& db)
{
    PickList list;
    try {
        Recordset rs = db.openRecordset(QStringLiteral("select sc from sc order by sort, rowid"));
        for (; !rs.eof(); rs.moveNext()) {
            const QVariant v = rs.value(0);
            // Numbers are shown as plain number text (0.05, not 0.050000000000000003).
            const bool number = v.typeId() == QMetaType::Double || v.typeId() == QMetaType::LongLong
                                || v.typeId() == QMetaType::Int;
            list.entries << (number ? CStr(v.toDouble()) : v.toString());
        }
    } catch (const DbError& e) {
        list.entries.clear();
        list.error = QStringLiteral("無法讀取比例清單\r\n%1").arg(e.description());
    }
    return list;
}

PickList remarkPhrases(Database& db)
{
    return read(db, QStringLiteral("備註"), QStringLiteral("select ps from Qps order by sort, rowid"));
}

PickList pageEndPhrases(Database& db)
{
    return read(db, QStringLiteral("頁尾備註"), QStringLiteral("select ps from ps order by sort, rowid"));
}

PickList detailsOf(Database& db, const QString& workItem)
{
    return read(db, QStringLiteral("規格"),
                QStringLiteral("select d from w2d where w = ? order by rowid"), {workItem});
}

PickList itemsForPath(Database& db, const QStringList& workTypeCandidates)
{
    for (const QString& type : workTypeCandidates) {
        PickList list = read(db, QStringLiteral("品名"),
                             QStringLiteral("select w from t2w where t = ? order by rowid"), {type});
        if (!list.ok() || !list.entries.isEmpty())
            return list;
    }
    return {};
}

QString percentText(double ratio)
{
    // A percentage without decimals; halves go away from zero, as the format did.
    return CStr(std::round(ratio * 100.0)) + QLatin1Char('%');
}

QStringList taxRates(const QStringList& ratios)
{
    QStringList out;
    for (const QString& r : ratios)
        out << percentText(Val(r));
    return out;
}

} // namespace varn::PickLists
