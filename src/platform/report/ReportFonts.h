#pragma once

#include <QString>

namespace varn {

// The family a report paints a text of `family` with.
//
// CJK fonts such as Noto Sans CJK map the Kangxi radicals and the CJK radicals supplement
// onto the glyphs of the ideographs they look like (⼯ and 工 share one glyph). A PDF's
// text layer gives each glyph one character, and Qt's PDF writer takes the lowest code that
// maps to it: the radical, so a search for 工程 finds nothing (and the division slash ∕
// stands for the full-width ／ alike). A copy of the font whose character map lacks those
// twins gives the ideographs and full-width forms back as themselves, with the very same
// glyphs. The copy is made once per family from the faces Qt picks for it (so "Noto
// Sans CJK TC" keeps its Taiwanese forms), in memory, and registered as an application
// font; `family` itself comes back when the font has no such twins or no copy can be made.
// Needs a QGuiApplication.
QString ReportFontFamily(const QString& family);

} // namespace varn
