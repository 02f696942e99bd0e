#include "records/EditComparison.h"

namespace varn {

EditComparison CompareEdit(const LoadedRecord& loaded, const QStringList& edited, const QStringList& storedNow,
                           const QVector<bool>& compared)
{
    EditComparison result;
    for (int i = 0; i < compared.size(); ++i) {
        if (!compared.at(i))
            continue;
        const bool theirs = storedNow.value(i) != loaded.stored.value(i);
        const bool mine = edited.value(i) != loaded.asFields.value(i);
        result.changedElsewhere = result.changedElsewhere || theirs;
        if (mine)
            result.mine << i;
        if (mine && theirs && edited.value(i) != storedNow.value(i))
            result.conflicts << i;
    }
    return result;
}

} // namespace varn
