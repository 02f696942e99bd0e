#pragma once

class QLineEdit;

namespace varn {

// Hides what is typed behind one echo character, the same in every window of the program.
void MakePasswordBox(QLineEdit* box);

} // namespace varn
