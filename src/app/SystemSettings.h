#pragma once

#include <QString>

#include <array>
#include <optional>

namespace varn {

class GridModel;

// The company row: con, coa, cot, cof, cono, coe, read and written by position.
struct CompanyRecord {
    std::array<QString, 6> fields;
    bool operator==(const CompanyRecord&) const = default;
};

enum class PasswordChange {
    Changed,
    Mismatch,       // new and confirmation differ; nothing written
    WrongOld,       // the old password is not the stored one; nothing written
    NoSuperuser,    // there is no superuser row; nothing written
    Failed,         // the database or the hash failed; nothing written
};

// The settings window frmSet without its widgets. Every handler reads and writes the
// main database gDb with bound values, shows its messages through the Prompter and,
// when something fails, says so and changes nothing.
class SystemSettings {
public:
    // Form_Load: opens the main database afresh, fills the rights grid and reads the
    // company row and the superuser row. False when the database could not be opened
    // (the program has then been asked to end).
    bool load(GridModel& rightsGrid);

    // Rights 套用: stores the marks of every row, then says the change waits for the
    // next sign-in. False (and a message) when nothing was stored.
    bool applyRights(const GridModel& rightsGrid);

    // 變更: the old password is checked against the stored one (once, here: the check is
    // a slow hash, too slow for every keystroke); the new one is in force at once.
    PasswordChange changeSuperPassword(const QString& oldPassword, const QString& newPassword,
                                       const QString& confirmation);

    // The company row read at load (all empty when the table has no row).
    const CompanyRecord& company() const { return m_company; }
    // Company 套用: writes the row, adding it when the table has none.
    bool applyCompany(const CompanyRecord& company);

    // Browse: asks for varn3.mdb starting in gMdbPath; the folder of the chosen file,
    // or nullopt when cancelled or another file was chosen.
    std::optional<QString> browseDatabaseFolder();

    // Paths 套用: the print-template folder must hold the template folders, and the
    // database of the new folder must open; only then do the folders, the connection and
    // Mdbpath.ini change.
    bool applyPaths(const QString& mdbPath, const QString& printPath, const QString& filePath);

    // Autosave 套用: gAutoSave, gAutoSaveMin and Auto.ini.
    bool applyAutoSave(bool enabled, const QString& minutesText);

private:
    CompanyRecord m_company;
};

// txtAutosv_KeyPress: digits and Backspace pass.
bool IsAutoSaveIntervalKey(QChar c);

// The folder of a chosen database file, when its name is varn3.mdb.
std::optional<QString> DatabaseFolderOf(const QString& chosenFile);

} // namespace varn
