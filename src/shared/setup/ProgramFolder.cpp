#include "shared/setup/ProgramFolder.h"

#include "platform/db/Database.h"
#include "platform/files/FileFailure.h"
#include "platform/files/SafeSave.h"
#include "platform/text/Cp950.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SeedData.h"
#include "shared/setup/SettingsFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace varn {

namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

// Makes the pieces of a program folder, never over an existing file, and remembers what it
// made so that a failed fresh seed can be taken back.
class Seeder {
public:
    Seeder(const QString& folder, const QString& templatesSource)
        : m_dir(folder), m_source(templatesSource)
    {
    }

    QStringList created() const { return m_created; }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    void makeFolder(const QString& p)
    {
        if (QFileInfo(p).isDir())
            return;
        if (QFileInfo::exists(p))
            throw SetupError(p, QStringLiteral("「%1」已存在，但不是資料夾").arg(native(p)));
        errno = 0;
        if (!QDir().mkdir(p))
            throw SetupError(p, QStringLiteral("無法建立資料夾「%1」：%2")
                                    .arg(native(p), FileFailureReason(errno, FileUse::Write)));
        m_created << p;
    }

    // Runs a writer for a file that is not there yet; a failure names the file.
    template <typename Write>
    void makeFile(const QString& p, Write&& write)
    {
        if (QFileInfo::exists(p))
            return;
        m_created << p;   // listed first, so that a half-written file is taken back too
        try {
            write(p);
        } catch (const SetupError&) {
            throw;
        } catch (const DbError& e) {
            throw SetupError(p, QStringLiteral("無法建立「%1」：%2").arg(native(p), e.description()));
        } catch (const TextFileError& e) {
            throw SetupError(p, QStringLiteral("無法寫入「%1」：%2").arg(native(p), e.message()));
        } catch (const std::exception& e) {
            throw SetupError(p, QStringLiteral("無法建立「%1」：%2")
                                    .arg(native(p), QString::fromLocal8Bit(e.what())));
        }
        if (!QFileInfo::exists(p))
            m_created.removeLast();
    }

    void copyFile(const QString& from, const QString& to, bool writable)
    {
        makeFile(to, [&](const QString& p) {
            if (const auto why = CopyFileSafely(from, p))
                throw SetupError(p, QStringLiteral("無法將「%1」複製到「%2」：%3").arg(native(from), native(p), *why));
            // A template keeps the source's permissions (read-only ones stay read-only).
            if (!writable)
                QFile::setPermissions(p, QFile::permissions(from));
        });
    }

    void settingsFiles()
    {
        makeFile(path(kAutoFile), [&](const QString&) {
            WriteAutoFile(m_dir.path(), AutoSaveSettings{false, QStringLiteral("10")});
        });
        // The templates are built with print ranges of their own; take those when the
        // build left an Xp.ini beside them.
        const QString builtXp = QDir(m_source).filePath(kXpFile);
        XpValues xp = XpDefaults();
        if (!m_source.isEmpty() && ReadXpFile(m_source, &xp).ok())
            copyFile(builtXp, path(kXpFile), true);
        else
            makeFile(path(kXpFile), [&](const QString&) { WriteXpFile(m_dir.path(), XpDefaults()); });
        makeFile(path(kFastPFile), [&](const QString&) { WriteFastPFile(m_dir.path(), false); });
    }

    void masterDatabases()
    {
        makeFile(path(kStaDbFile), [](const QString& p) {
            Database::create(p, QString(kDatabasePassword), StaSchemaSql());
        });
        makeFile(path(kPtDbFile), [](const QString& p) { Database::create(p, {}, PtSchemaSql()); });
    }

    void reportLayouts()
    {
        for (QLatin1String name : {kFirstPageReport, kDetailReport}) {
            const QString built = QDir(m_source).filePath(name);
            const QString resource = QStringLiteral(":/reports/") + name;
            if (!m_source.isEmpty() && QFileInfo(built).isFile())
                copyFile(built, path(name), true);
            else if (QFile::exists(resource))
                copyFile(resource, path(name), true);
        }
    }

    // Pother goes under the program folder, every other template folder under the
    // print-template folder.
    void templateFolders()
    {
        if (m_source.isEmpty() || !QFileInfo(m_source).isDir())
            return;
        const QFileInfoList folders =
            QDir(m_source).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        if (folders.isEmpty())
            return;
        makeFolder(path(kTemplatesFolder));
        for (const QFileInfo& f : folders) {
            const QString target = f.fileName() == kOtherTemplatesFolder
                ? path(f.fileName())
                : QDir(path(kTemplatesFolder)).filePath(f.fileName());
            copyTree(f.absoluteFilePath(), target);
        }
    }

    void mainDatabase()
    {
        makeFolder(path(kDbFolder));
        makeFile(QDir(path(kDbFolder)).filePath(kMainDbFile), [](const QString& p) {
            std::unique_ptr<Database> db =
                Database::create(p, QString(kDatabasePassword), MainSchemaSql());
            SeedMainDatabase(*db);
        });
    }

    void mdbPathFile()
    {
        makeFolder(path(kTemplatesFolder));
        makeFolder(path(kQuotationsFolder));
        makeFile(path(kMdbPathFile), [&](const QString&) {
            WriteMdbPathFile(m_dir.path(),
                             MdbPathSettings{native(path(kDbFolder)), native(path(kTemplatesFolder)),
                                             native(path(kQuotationsFolder))});
        });
    }

    // Takes back, newest first, what this run made.
    void rollBack()
    {
        for (auto it = m_created.crbegin(); it != m_created.crend(); ++it) {
            const QFileInfo fi(*it);
            if (fi.isDir()) {
                QDir().rmdir(*it);
            } else {
                QFile::setPermissions(*it, QFile::ReadOwner | QFile::WriteOwner);
                QFile::remove(*it);
                QFile::remove(*it + QStringLiteral("-journal"));
            }
        }
        m_created.clear();
    }

private:
    void copyTree(const QString& from, const QString& to)
    {
        makeFolder(to);
        const QFileInfoList entries = QDir(from).entryInfoList(
            QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
        for (const QFileInfo& e : entries) {
            const QString target = QDir(to).filePath(e.fileName());
            if (e.isDir())
                copyTree(e.absoluteFilePath(), target);
            else
                copyFile(e.absoluteFilePath(), target, false);
        }
    }

    QDir m_dir;
    QString m_source;
    QStringList m_created;
};

// The missing folders from the outermost down to folder itself.
QStringList missingFolders(const QString& folder)
{
    QStringList missing;
    QString p = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(p)) {
        missing.prepend(p);
        const QString parent = QFileInfo(p).path();
        if (parent == p)
            break;
        p = parent;
    }
    return missing;
}

} // namespace

QStringList UserFolderFiles()
{
    return {QString(kStaDbFile), QString(kPtDbFile), QString(kFirstPageReport), QString(kDetailReport)};
}

SetupError::SetupError(const QString& path, const QString& message)
    : std::runtime_error(message.toStdString()), m_path(path), m_message(message)
{
}

QString ResolveProgramFolder()
{
    const QString home = qEnvironmentVariable("VARN_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QFileInfo(home).absoluteFilePath());
    return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share/varn3"));
}

QString DefaultTemplatesSource()
{
    const QString env = qEnvironmentVariable("VARN_TEMPLATES");
    if (!env.isEmpty())
        return QDir::cleanPath(QFileInfo(env).absoluteFilePath());
    const QString exeDir = QCoreApplication::instance()
        ? QCoreApplication::applicationDirPath()
        : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir(exeDir).filePath(QStringLiteral("templates"));
}

SeedReport SeedProgramFolder(const QString& folder, const QString& templatesSource)
{
    const QString dir = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QFileInfo fi(dir);
    if (fi.exists() && !fi.isDir())
        throw SetupError(dir, QStringLiteral("「%1」已存在，但不是資料夾").arg(native(dir)));

    SeedReport report;
    const QStringList missing = missingFolders(dir);
    // Folders this run made are taken back on any failure, so nothing half-made remains.
    const auto removeMadeFolders = [&missing](qsizetype made) {
        for (qsizetype i = made - 1; i >= 0; --i)
            QDir().rmdir(missing[i]);
    };
    for (qsizetype i = 0; i < missing.size(); ++i) {
        errno = 0;
        if (!QDir().mkdir(missing[i])) {
            const QString why = FileFailureReason(errno, FileUse::Write);
            removeMadeFolders(i);
            throw SetupError(dir, QStringLiteral("無法建立程式資料夾「%1」：%2").arg(native(dir), why));
        }
    }
    report.freshSeed = QDir(dir).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden
                                         | QDir::System);
    if (::access(QFile::encodeName(dir).constData(), W_OK) != 0) {
        const QString why = FileFailureReason(errno, FileUse::Write);
        removeMadeFolders(missing.size());
        throw SetupError(dir, QStringLiteral("程式資料夾「%1」無法寫入：%2").arg(native(dir), why));
    }

    Seeder seeder(dir, templatesSource);
    try {
        seeder.settingsFiles();
        seeder.masterDatabases();
        seeder.reportLayouts();
        seeder.templateFolders();
        if (report.freshSeed) {
            seeder.mainDatabase();
            seeder.mdbPathFile();
        } else if (!QFileInfo::exists(seeder.path(kMdbPathFile))
                   && QFileInfo::exists(QDir(seeder.path(kDbFolder)).filePath(kMainDbFile))) {
            seeder.mdbPathFile();
        }
    } catch (...) {
        seeder.rollBack();
        removeMadeFolders(missing.size());
        throw;
    }
    report.created = missing + seeder.created();
    return report;
}

bool IsSafeFolderName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'.'))
        return false;
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")))
        return false;
    // The file system holds at most 255 bytes in one name (85 Chinese characters).
    if (QFile::encodeName(name).size() > kMaxFolderNameBytes)
        return false;
    for (QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

std::unique_ptr<Database> OpenMainDatabase(const QString& dbFolder)
{
    return Database::open(QDir(dbFolder).filePath(kMainDbFile), QString(kDatabasePassword));
}

} // namespace varn
