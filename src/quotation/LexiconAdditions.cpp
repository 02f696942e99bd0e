#include "quotation/LexiconAdditions.h"

#include "platform/db/Database.h"
#include "platform/grid/GridModel.h"
#include "platform/text/VbNumber.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"

namespace varn::LexiconAdditions {

QString targetWorkType(const Quotation& q)
{
    const TreeNode* node = q.tree().find(q.shownPath());
    if (!node || node->isRoot() || !node->isLeaf())
        return {};
    // Areas stand only on the first level, and only when there is an area level; every
    // node below them (新增工種 adds at any depth) is a work type.
    const int firstWorkTypeDepth = q.noAreaMode() ? 1 : 2;
    if (node->depth() < firstWorkTypeDepth)
        return {};
    return node->name;
}

bool hasw(Database& db, const QString& w, const QString& t)
{
    Recordset rs = db.openRecordset(QStringLiteral("select w from t2w where t = ? and w = ?"),
                                    {t, w});
    // The columns compare without case; a name differing only in case is another item.
    for (; !rs.eof(); rs.moveNext()) {
        if (rs.text(0) == w)
            return true;
    }
    return false;
}

LexiconAddition addItems(Database& db, const QString& workType, const GridModel& grid)
{
    LexiconAddition result;
    Transaction tx(db);

    Recordset maxSort = db.openRecordset(
        QStringLiteral("select max(sort) from t2w where t = ?"), {workType});
    int next = 1;
    if (!maxSort.eof() && !maxSort.value(0).isNull())
        next = maxSort.value(0).toInt() + 1;

    for (int r = 1; r < grid.rows(); ++r) {
        const QString name = grid.textMatrix(r, QCol::Name);
        if (name.isEmpty())
            continue;
        if (hasw(db, name, workType)) {
            result.skipped << name;
            continue;
        }
        db.execute(QStringLiteral("insert into t2w (t, w, sort, u, c, s) values (?, ?, ?, ?, ?, ?)"),
                   {workType, name, next, grid.textMatrix(r, QCol::Unit),
                    Val(grid.textMatrix(r, QCol::Cost)), Val(grid.textMatrix(r, QCol::Ratio))});
        ++next;
        ++result.added;
    }
    tx.commit();
    return result;
}

} // namespace varn::LexiconAdditions
