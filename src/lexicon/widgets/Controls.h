#pragma once

#include <QString>

class QPushButton;
class QWidget;

namespace varn {

// A button named like its control, so tests and the handlers find it by name.
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& text);

} // namespace varn
