#pragma once

#include <QString>

#include <functional>
#include <optional>

class QLineEdit;

namespace varn {

// What typing or pasting `inserted` in place of [from, to) of a field's `text` puts there,
// or nothing when it is refused.
using EntryRule = std::function<std::optional<QString>(const QString& text, qsizetype from, qsizetype to,
                                                       const QString& inserted, bool pasted)>;

// How a refused key is told: by a beep, or by the message a refused paste shows.
enum class KeyRefusal { Beep, Message };

// Every typed character, input-method commit and paste into the line edit, whichever way the
// user makes it (keys, the paste keys, the context menu's paste, the middle button's
// selection, a drop from elsewhere), goes through `rule` as a whole, at the cursor or in place
// of the selection. A refused paste changes nothing and `refusal` is shown; a refused key
// beeps or shows it too. Deleting, undo and the line edit's own editing are left alone.
void FilterEntry(QLineEdit* edit, EntryRule rule, const QString& refusal, KeyRefusal keys = KeyRefusal::Beep);

} // namespace varn
