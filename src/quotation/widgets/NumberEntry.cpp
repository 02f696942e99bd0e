#include "quotation/widgets/NumberEntry.h"

#include <utility>

namespace varn {

void FilterNumberEntry(QLineEdit* edit, NumberForm form)
{
    FilterNumberEntry(edit, [form]() -> std::optional<NumberForm> { return form; });
}

void FilterNumberEntry(QLineEdit* edit, std::function<std::optional<NumberForm>()> form, KeyRefusal keys)
{
    FilterEntry(
        edit,
        [form = std::move(form)](const QString& text, qsizetype from, qsizetype to, const QString& inserted,
                                 bool pasted) -> std::optional<QString> {
            const std::optional<NumberForm> number = form();
            if (!number)
                return inserted;
            return EditorRules::numberFieldEntry(text, from, to, inserted, *number, pasted);
        },
        EditorRules::numberOnlyMessage(), keys);
}

} // namespace varn
