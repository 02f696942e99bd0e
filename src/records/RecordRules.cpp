#include "records/RecordRules.h"

namespace varn {

QString LeadingCharacters(const QString& text, int n)
{
    qsizetype end = 0;
    for (int count = 0; count < n && end < text.size(); ++count)
        end += text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
    return text.left(end);
}

void RecordRules::fieldChanged(RecordForm&, const QString&) {}

bool RecordRules::choicePicked(RecordForm&, const QString&, int)
{
    return false;
}

void RecordRules::rowShown(const QStringList&, RecordForm&, Database&) {}

void RecordRules::fieldsCleared(RecordForm&) {}

std::optional<SaveRefusal> RecordRules::refuseSave(const RecordForm&, EditMode, Database&)
{
    return std::nullopt;
}

void RecordRules::adjustRow(QStringList&, const RecordForm&, EditMode) {}

QStringList RecordRules::fieldsShowing(int) const
{
    return {};
}

QString RecordRules::describeStored(int, const QString&) const
{
    return {};
}

} // namespace varn
