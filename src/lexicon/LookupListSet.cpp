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
        m_rows[i] = LexiconTables::read(db, RowTable::lookupList(i));
        QStringList texts;
        for (const LexiconRow& r : m_rows[i])
            texts << r.values.value(0);
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

int LookupListSet::editRowForClick(int list, int row, bool belowRows)
{
    prepareEdit(list);
    return belowRows ? grid(list).rows() - 1 : row;
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
    for (int i = 0; i < kLookupListCount; ++i) {
        if (!changed(i))
            continue;
        // Rows are only edited in place or added at the end: row j is the j-th loaded row.
        const QStringList texts = entries(i);
        QList<LexiconRow> rows;
        for (int j = 0; j < texts.size(); ++j)
            rows.push_back({j < m_rows[i].size() ? m_rows[i][j].id : 0, {texts[j]}});
        LexiconTables::merge(db, RowTable::lookupList(i), QString(), m_rows[i], rows);
    }
    tx.commit();
    load(db);
}

} // namespace varn
