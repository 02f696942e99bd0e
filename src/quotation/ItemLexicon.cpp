#include "quotation/ItemLexicon.h"

#include "platform/db/Database.h"
#include "shared/ProgramState.h"

namespace varn {

Database& DatabaseItemLexicon::db() const
{
    if (m_db)
        return *m_db;
    if (Database* shared = state().m.gDb.get())
        return *shared;
    throw DbError(DbErr::General, QStringLiteral("主資料庫未開啟"));
}

std::optional<ItemFacts> DatabaseItemLexicon::itemFacts(const QString& workItem,
                                                        const QStringList& preferredWorkTypes)
{
    Recordset rs = db().openRecordset(
        QStringLiteral("select u, c, s, t from t2w where w = ? order by rowid"), {workItem});
    if (rs.recordCount() == 0)
        return std::nullopt;
    int best = 0;
    int bestRank = preferredWorkTypes.size();
    for (int i = 0; !rs.eof(); rs.moveNext(), ++i) {
        const int rank = preferredWorkTypes.indexOf(rs.text(3));
        if (rank >= 0 && rank < bestRank) {
            best = i;
            bestRank = rank;
        }
    }
    rs.moveFirst();
    for (int i = 0; i < best; ++i)
        rs.moveNext();
    ItemFacts f;
    f.unit = rs.text(0);
    f.cost = rs.value(1).toFloat();
    f.ratio = rs.value(2).toFloat();
    return f;
}

std::optional<float> DatabaseItemLexicon::detailCost(const QString& detail, const QString& workItem)
{
    Recordset rs = db().openRecordset(
        QStringLiteral("select c from w2d where d = ? and w = ? order by rowid"), {detail, workItem});
    if (rs.recordCount() == 0)
        return std::nullopt;
    return rs.value(0).toFloat();
}

} // namespace varn
