#pragma once

class QWidget;

namespace varn {

// Tab (and Enter where it stands for Tab) walks a window's fields in its tab order, also
// into the fields of a tab page that is not in front: the page comes to the front and
// its field takes the focus. Qt's own walk passes such fields by, so a keyboard user
// would never reach them. Call from the window's focusNextPrevChild; false when the next
// field in that direction is in sight anyway (or there is none), so that Qt's walk runs.
bool FocusAcrossTabPages(QWidget* window, bool next);

} // namespace varn
