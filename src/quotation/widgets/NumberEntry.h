#pragma once

#include "platform/ui/widgets/EntryFilter.h"
#include "quotation/EditorRules.h"

#include <functional>

class QLineEdit;

namespace varn {

// Makes the line edit a number field of the form: a typed character or a paste is taken
// only when the field then still holds one number, or the start of one
// (EditorRules::numberFieldEntry). A refused paste says "此欄只能輸入數字"; a refused key
// beeps, or says it too where the field has always said it. An editor that holds a number
// only in some columns tells by `holdsNumber` when it does; otherwise it takes any text.
void FilterNumberEntry(QLineEdit* edit, NumberForm form, std::function<bool()> holdsNumber = {},
                       KeyRefusal keys = KeyRefusal::Beep);

} // namespace varn
