#pragma once

#include <QString>

#include <array>

namespace varn {

// The settings files of the program folder: plain CP950 text, CRLF line ends, one value a
// line, no keys. Readers never throw: they report how the file was found and leave the
// caller (the shell) to choose a message. Writers throw TextFileError (platform/text) naming
// the file or the value that cannot be written; the old file is then left as it was.

inline constexpr QLatin1String kMdbPathFile{"Mdbpath.ini"};
inline constexpr QLatin1String kAutoFile{"Auto.ini"};
inline constexpr QLatin1String kXpFile{"Xp.ini"};
inline constexpr QLatin1String kFastPFile{"fastP.ini"};

enum class SettingsFileStatus {
    Ok,
    Missing,      // no such file
    Short,        // fewer lines than the format has; the lines present were taken
    Unreadable,   // the file is there but cannot be read (detail says why)
};

struct SettingsFileResult {
    SettingsFileStatus status = SettingsFileStatus::Ok;
    QString path;
    QString detail;
    bool ok() const { return status == SettingsFileStatus::Ok; }
};

// ---- Mdbpath.ini: database folder, print-template folder, quotation-file folder.

struct MdbPathSettings {
    QString mdbPath;     // folder of varn3.mdb, no trailing separator
    QString printPath;   // folder holding PrintQ, PrintS, PrintC, PrintNF
    QString filePath;    // starting folder of the quotation open and save dialogs
};

// A missing or empty line 2 or 3 reads as the program folder's own template or quotation
// folder; the file itself is left as it is.
SettingsFileResult ReadMdbPathFile(const QString& programFolder, MdbPathSettings* out);
void WriteMdbPathFile(const QString& programFolder, const MdbPathSettings& paths);

// ---- Auto.ini: line 1 "1" when autosave is on, line 2 the interval box as typed.

struct AutoSaveSettings {
    bool enabled = false;
    QString intervalText;
};

// The interval's integer value: 0 for an empty text or one that is not a number, at most
// the 16-bit limit the timer arithmetic allows.
int AutoSaveMinutes(const QString& intervalText);

SettingsFileResult ReadAutoFile(const QString& programFolder, AutoSaveSettings* out);
void WriteAutoFile(const QString& programFolder, const AutoSaveSettings& settings);
// Reads the file into gAutoSave and gAutoSaveMin; a missing or unreadable file means
// autosave off with interval 0.
SettingsFileResult LoadAutoSaveSettings(const QString& programFolder);

// ---- Xp.ini: the 32 print-range values; fastP.ini: the 固定表頭 switch.

using XpValues = std::array<QString, 32>;

// The values a new office starts with: 表頭 A1:G7, 變數 A1:G7, 輸出 A8:G37, 頁尾 A38:G39,
// for the cover (lines 1-16) and for the detail pages (lines 17-32).
XpValues XpDefaults();

// Only the first 32 lines count; when there are fewer, the missing values keep what *out
// held (pass XpDefaults() in to fill them with the defaults).
SettingsFileResult ReadXpFile(const QString& programFolder, XpValues* out);
void WriteXpFile(const QString& programFolder, const XpValues& values);

// On when the first line begins with "1"; off for anything else, an empty file included.
SettingsFileResult ReadFastPFile(const QString& programFolder, bool* fixedHeader);
void WriteFastPFile(const QString& programFolder, bool fixedHeader);

struct XlSettingsResult {
    SettingsFileResult xp;
    SettingsFileResult fastP;
};

// Fills gXp and gFixedHeader: Xp.ini values over the defaults (all defaults when the file
// is missing), 固定表頭 off when fastP.ini is missing.
XlSettingsResult LoadXlSettingsFiles(const QString& programFolder);

} // namespace varn
