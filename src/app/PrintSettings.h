#pragma once

namespace varn {

// LoadXlSettings: gXp1..gXp32 from Xp.ini and gFixedHeader from fastP.ini. A missing or
// short Xp.ini gives the default print ranges and one message; a missing fastP.ini
// leaves 固定表頭 off.
void LoadXlSettings();

// MarkTemplatesReadOnly: every file of PrintQ, PrintS, PrintC, PrintNF and Pother in the
// program folder is made read-only, so a template is never filled in place. Folders that
// are missing or empty are passed over.
void MarkTemplatesReadOnly();

} // namespace varn
