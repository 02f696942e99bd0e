#pragma once

#include "app/MainMenu.h"

#include <QIcon>

namespace varn {

// The pictures of the menu buttons, drawn here so the bar looks the same on every desktop.
QIcon MenuIcon(MenuButton button);

} // namespace varn
