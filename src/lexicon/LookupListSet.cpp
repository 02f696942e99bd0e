#include "lexicon/LookupListSet.h"

#include "lexicon/LexiconTables.h"
#include "platform/db/Database.h"

namespace varn {

LookupListSet::LookupListSet()
{
    for (auto& g : m_grids) {
        g = std::make_unique<GridModel>(1, 1);
        g->setFixedRows(0);
        g->setFixedCols(0);
    }
}

void LookupListSet::load(Database& db)
{
    for (int i = 0; i < kLookupListCount; ++i) {
        QStringList texts;
        for (Recordset rs = db.openRecordset(LookupLists()[i].selectSql()); !rs.eof(); rs.moveNext())
            texts << rs.text(0);
        GridModel& g = grid(i);
        g.setRedraw(false);
        g.clear();
        g.setRows(std::max<int>(1, static_cast<int>(texts.size())));
        for (int r = 0; r < texts.size(); ++r)
            g.setTextMatrix(r, 0, texts[r]);
        g.setRow(0);
        g.setRedraw(true);
        m_loaded[i] = entries(i);
    }
}

void LookupListSet::prepareEdit(int list)
{
    GridModel& g = grid(list);
    if (g.rows() == 0 || !g.textMatrix(g.rows() - 1, 0).isEmpty())
        g.setRows(g.rows() + 1);
}

QStringList LookupListSet::entries(int list) const
{
    const GridModel& g = *m_grids.at(list);
    QStringList out;
    for (int r = 0; r < g.rows(); ++r)
        out << g.textMatrix(r, 0);
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out;
}

bool LookupListSet::changed(int list) const
{
    return entries(list) != m_loaded.at(list);
}

bool LookupListSet::anyChanged() const
{
    for (int i = 0; i < kLookupListCount; ++i)
        if (changed(i))
            return true;
    return false;
}

void LookupListSet::save(Database& db)
{
    Transaction tx(db);
    std::array<QStringList, kLookupListCount> stored = m_loaded;
    for (int i = 0; i < kLookupListCount; ++i) {
        if (!changed(i))
            continue;
        const LookupListInfo& list = LookupLists()[i];
        const QStringList texts = entries(i);
        db.execute(QStringLiteral("DELETE FROM %1").arg(list.tableName()));
        QList<QVariantList> rows;
        for (int j = 0; j < texts.size(); ++j)
            rows.push_back({j + 1, texts[j]});
        LexiconTables::insertRows(db, QStringLiteral("INSERT INTO %1 (%2, %3)")
                                          .arg(list.tableName(), list.orderName(), list.textName()),
                                  rows);
        stored[i] = texts;
    }
    tx.commit();
    m_loaded = stored;
}

} // namespace varn
