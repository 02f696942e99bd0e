#pragma once

class QApplication;

namespace varn {

// What every window shares, set once at start: the program's name (titles carry only their
// own text, nothing appended), the Traditional Chinese font, Qt's own texts in Traditional
// Chinese with the zh_TW locale, and Enter pressing a focused button.
void SetUpApplication(QApplication& app);

} // namespace varn
