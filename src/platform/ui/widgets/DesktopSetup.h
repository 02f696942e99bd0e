#pragma once

class QApplication;

namespace varn {

// Qt's own texts (file dialogs, the context menus of text boxes, calendars, the print
// preview) in Traditional Chinese, from the translations Qt ships, and the zh_TW locale for
// month and day names. False when the translations are not installed.
bool InstallChineseInterface(QApplication& app);

// Enter (the main one or the keypad's) presses the focused push or tool button in every
// window, as Space does.
void InstallEnterPressesButtons(QApplication& app);

} // namespace varn
