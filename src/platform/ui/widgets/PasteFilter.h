#pragma once

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace varn {

// What a paste into a field puts there: the text in place of the selection, or nothing when
// the paste is refused.
using PasteRule = std::function<std::optional<QString>(const QString& pasted)>;

// Every paste into the line edit, whichever way the user makes it (the paste keys, the
// context menu's paste, the middle button's selection, a drop from elsewhere), goes through
// `rule` as a whole; a refused paste changes nothing and `refusal` is shown. Typing, undo
// and the line edit's own editing are left alone.
void FilterPastes(QLineEdit* edit, PasteRule rule, const QString& refusal);

} // namespace varn
