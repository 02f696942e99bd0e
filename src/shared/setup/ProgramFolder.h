#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

namespace varn {

class Database;

// Files and folders of the program folder.
inline constexpr QLatin1String kMainDbFile{"varn3.mdb"};
inline constexpr QLatin1String kStaDbFile{"sta.mdb"};
inline constexpr QLatin1String kPtDbFile{"pt.mdb"};
inline constexpr QLatin1String kFirstPageReport{"fp.rpt"};
inline constexpr QLatin1String kDetailReport{"pb.rpt"};
inline constexpr QLatin1String kDbFolder{"db"};
inline constexpr QLatin1String kTemplatesFolder{"templates"};
inline constexpr QLatin1String kQuotationsFolder{"quotations"};
// The templates of lists, labels, statistics and lexicon exports, opened under the
// program folder itself; the quotation templates lie under the print-template folder.
inline constexpr QLatin1String kOtherTemplatesFolder{"Pother"};

// The four files every employee's working folder gets a copy of at sign-in.
QStringList UserFolderFiles();

// A failure to create or write the program folder; path names what could not be made.
class SetupError : public std::runtime_error {
public:
    SetupError(const QString& path, const QString& message);
    QString path() const { return m_path; }
    QString message() const { return m_message; }

private:
    QString m_path;
    QString m_message;
};

// $VARN_HOME when set, else ~/.local/share/varn3.
QString ResolveProgramFolder();

// Where the built templates lie: $VARN_TEMPLATES when set, else "templates" beside the
// running program.
QString DefaultTemplatesSource();

struct SeedReport {
    bool freshSeed = false;   // the folder was empty (or missing) and got everything
    QStringList created;      // paths of the files and folders made, in order
};

// Makes the program folder ready for a start.
//
// An empty or missing folder gets everything a new office needs: the settings files, the
// master sta.mdb and pt.mdb, the two report layouts, the template folders, the quotation
// folder and a new main database db/varn3.mdb with its first rows; Mdbpath.ini comes last,
// and a seed that fails half-way removes what it made, so the next start seeds afresh.
//
// A folder that already holds files is never overwritten. Only pieces that are missing
// and safe to make are added: Auto.ini, Xp.ini, fastP.ini, the master sta.mdb and pt.mdb,
// the report layouts and template files; Mdbpath.ini only when db/varn3.mdb is there for
// it to name. A main database is never made beside existing files: an office whose
// Mdbpath.ini went missing is asked for its database folder instead of handed an empty one.
//
// templatesSource may be missing; the templates and layouts are then left out.
// Throws SetupError naming the path that could not be created or written.
SeedReport SeedProgramFolder(const QString& folder, const QString& templatesSource);

// Whether a name may become a folder name inside the program folder (employees' working
// folders): not empty, no "/", "\", "..", control characters, no leading dot, and short
// enough for the file system (kMaxFolderNameBytes in the file name encoding).
constexpr int kMaxFolderNameBytes = 255;
bool IsSafeFolderName(const QString& name);

// Opens varn3.mdb in the given database folder with the database password.
std::unique_ptr<Database> OpenMainDatabase(const QString& dbFolder);

} // namespace varn
