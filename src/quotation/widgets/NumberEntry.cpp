#include "quotation/widgets/NumberEntry.h"

#include <utility>

namespace varn {

void FilterNumberEntry(QLineEdit* edit, NumberForm form, std::function<bool()> holdsNumber, KeyRefusal keys)
{
    FilterEntry(
        edit,
        [form, holdsNumber = std::move(holdsNumber)](const QString& text, qsizetype from, qsizetype to,
                                                     const QString& inserted, bool pasted) -> std::optional<QString> {
            if (holdsNumber && !holdsNumber())
                return inserted;
            return EditorRules::numberFieldEntry(text, from, to, inserted, form, pasted);
        },
        EditorRules::numberOnlyMessage(), keys);
}

} // namespace varn
