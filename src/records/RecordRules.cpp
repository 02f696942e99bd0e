#include "records/RecordRules.h"

namespace varn {

void RecordRules::fieldChanged(RecordForm&, const QString&) {}

bool RecordRules::choicePicked(RecordForm&, const QString&, int)
{
    return false;
}

void RecordRules::rowShown(const QStringList&, RecordForm&) {}

void RecordRules::fieldsCleared(RecordForm&) {}

std::optional<SaveRefusal> RecordRules::refuseSave(const RecordForm&, EditMode)
{
    return std::nullopt;
}

void RecordRules::adjustRow(QStringList&, const RecordForm&, EditMode) {}

} // namespace varn
