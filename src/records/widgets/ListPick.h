#pragma once

#include <functional>

class QComboBox;

namespace varn {

// Calls picked(index) when the user chooses an entry of the combo box's list: from the
// open list (click or Enter), and with the arrow keys on the closed box when arrowsPick
// (a browse box; in a record's field the arrows only look through the list). An editable box
// also reports "activated" when a typed or shown text that matches an entry is left or
// confirmed; that is no choice and calls nothing.
enum class ArrowKeys { Look, Pick };
void OnListPick(QComboBox* combo, ArrowKeys arrows, std::function<void(int)> picked);

} // namespace varn
