#include "SetupTestSupport.h"
#include "platform/crypto/PasswordHash.h"
#include "platform/text/Cp950.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SettingsFiles.h"
#include "shared/setup/XpDefaults.h"
#include "support/FileFaults.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>

#include <map>
#include <optional>

using namespace varn;
using namespace varn::setup_test;
using namespace Qt::StringLiterals;

namespace {

// Everything under a folder: relative path -> time, size and contents.
std::map<QString, QString> snapshot(const QString& folder)
{
    std::map<QString, QString> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo fi(it.next());
        out[QDir(folder).relativeFilePath(fi.filePath())] = fi.lastModified().toString(Qt::ISODateWithMs)
            + QString::number(fi.size())
            + QCryptographicHash::hash(readFile(fi.filePath()), QCryptographicHash::Sha256).toHex();
    }
    return out;
}

class ProgramFolderTest : public ::testing::Test {
protected:
    QString home() const { return m_tmp.filePath(u"varn3"_s); }
    QString at(const QString& rel) const { return QDir(home()).filePath(rel); }
    // Without a templates folder, seeds from one that does not exist.
    SeedReport seed(const QString& templates = {})
    {
        return SeedProgramFolder(home(), templates.isEmpty() ? m_tmp.filePath(u"none"_s) : templates);
    }
    static std::optional<SetupError> errorOf(const QString& folder)
    {
        try {
            SeedProgramFolder(folder, QString());
        } catch (const SetupError& e) {
            return e;
        }
        return std::nullopt;
    }

    QTemporaryDir m_tmp;
};

TEST_F(ProgramFolderTest, EmptyFolderGetsEverythingANewOfficeNeedsInConsistentFirstRows)
{
    const SeedReport report = seed();
    EXPECT_TRUE(report.freshSeed);
    for (const char* rel : {"Mdbpath.ini", "Auto.ini", "Xp.ini", "fastP.ini", "sta.mdb", "pt.mdb", "db/varn3.mdb"})
        EXPECT_TRUE(QFileInfo(at(QString::fromLatin1(rel))).isFile()) << rel;
    for (const char* rel : {"db", "templates", "quotations"})
        EXPECT_TRUE(QFileInfo(at(QString::fromLatin1(rel))).isDir()) << rel;
    EXPECT_TRUE(report.created.contains(at(u"db/varn3.mdb"_s)));

    MdbPathSettings paths;
    EXPECT_TRUE(ReadMdbPathFile(home(), &paths).ok());
    EXPECT_EQ(QStringList({paths.mdbPath, paths.printPath, paths.filePath}),
              QStringList({at(u"db"_s), at(u"templates"_s), at(u"quotations"_s)}));
    EXPECT_EQ(readFile(at(u"Xp.ini"_s)), DefaultXpIniContent());
    // Autosave and the fixed header start off.
    EXPECT_TRUE(readFile(at(u"Auto.ini"_s)).startsWith("0\r\n") && readFile(at(u"fastP.ini"_s)) == "0\r\n");

    // The databases open with their passwords, and only with them; pt.mdb has none.
    auto pt = Database::open(at(u"pt.mdb"_s));
    for (const char* table : {"phead", "pfp", "pbody", "ps0", "ps1", "ps2", "ps3", "ps4"})
        EXPECT_EQ(pt->openRecordset(QString::fromLatin1(table)).recordCount(), 0) << table;
    for (const QString& keyed : {at(u"db/varn3.mdb"_s), at(u"sta.mdb"_s)}) {
        EXPECT_NO_THROW(Database::open(keyed, kDatabasePassword));
        try {
            Database::open(keyed, u"wrong"_s);
            ADD_FAILURE() << keyed.toStdString() << " opened with a wrong password";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), DbErr::WrongPassword) << keyed.toStdString();
        }
    }

    // The main database's first rows hold together.
    auto db = OpenMainDatabase(at(u"db"_s));
    EXPECT_EQ(rowsOf(*db, u"super"_s).size(), 1);
    const QStringList hash = rowsOf(*db, u"select super_pass from super where super_id = 'varn'"_s);
    ASSERT_EQ(hash.size(), 1);
    EXPECT_TRUE(IsPasswordHash(hash[0]) && VerifyPassword(u"varn3"_s, hash[0]));
    EXPECT_EQ(rowsOf(*db, u"company"_s, -1), QStringList{u"/////"_s});   // one empty row


    // The example lexicon: two categories with areas; four work types, each with two or more
    // items that have a unit, a cost and a ratio; every detail belongs to an item.
    EXPECT_EQ(rowsOf(*db, u"別"_s).size() + rowsOf(*db, u"種"_s).size(), 2 + 4);
    EXPECT_GE(rowsOf(*db, u"w2d"_s).size(), 2);
    for (const QString& orphans : {u"select k from 別 where k not in (select k from k2a)"_s,
                                   u"select t from 種 where (select count(*) from t2w where t2w.t = 種.t) < 2"_s,
                                   u"select w from t2w where coalesce(u, '') = '' "
                                    "or coalesce(c, 0) <= 0 or coalesce(s, 0) <= 0"_s,
                                   u"select d from w2d where w not in (select w from t2w)"_s})
        EXPECT_EQ(rowsOf(*db, orphans), QStringList()) << orphans.toStdString();

    // Every seeded text fits the code page of the quotation files.
    for (const QString& table : rowsOf(*db, u"select name from sqlite_master where type = 'table'"_s)) {
        for (const QString& row : rowsOf(*db, table, -1))
            EXPECT_TRUE(EncodeCp950(row).has_value()) << table.toStdString() << ": " << row.toStdString();
    }
}

// ---- Seeding again

TEST_F(ProgramFolderTest, SeedingAgainAddsOnlyTheMissingSafePieces)
{
    seed();
    const auto before = snapshot(home());
    SeedReport report = seed();
    EXPECT_FALSE(report.freshSeed);
    EXPECT_TRUE(report.created.isEmpty());
    EXPECT_EQ(snapshot(home()), before);

    for (const char* lost : {"Xp.ini", "sta.mdb", "Mdbpath.ini"})
        ASSERT_TRUE(QFile::remove(at(QString::fromLatin1(lost))));
    WriteAutoFile(home(), AutoSaveSettings{true, u"3"_s});
    const QByteArray autoBytes = readFile(at(u"Auto.ini"_s)), mainBytes = readFile(at(u"db/varn3.mdb"_s));
    report = seed();
    EXPECT_FALSE(report.freshSeed);
    EXPECT_EQ(report.created, (QStringList{at(u"Xp.ini"_s), at(u"sta.mdb"_s), at(u"Mdbpath.ini"_s)}));
    EXPECT_EQ(readFile(at(u"Auto.ini"_s)), autoBytes);
    EXPECT_EQ(readFile(at(u"db/varn3.mdb"_s)), mainBytes);
    EXPECT_NO_THROW(Database::open(at(u"sta.mdb"_s), kDatabasePassword));
    // Mdbpath.ini is written again because the folder's own database is there to name.
    MdbPathSettings paths;
    EXPECT_TRUE(ReadMdbPathFile(home(), &paths).ok());
    EXPECT_EQ(paths.mdbPath, at(u"db"_s));
}

TEST_F(ProgramFolderTest, NoMainDatabaseIsMadeBesideOtherFiles)
{
    ASSERT_TRUE(writeFile(at(u"notes.txt"_s), "kept"));
    EXPECT_FALSE(seed().freshSeed);
    EXPECT_FALSE(QFileInfo::exists(at(u"db/varn3.mdb"_s)) || QFileInfo::exists(at(u"Mdbpath.ini"_s)));
    EXPECT_TRUE(QFileInfo::exists(at(u"Xp.ini"_s)) && QFileInfo::exists(at(u"sta.mdb"_s)));
    EXPECT_EQ(readFile(at(u"notes.txt"_s)), QByteArray("kept"));
}

// ---- Folders that cannot be made or written

TEST_F(ProgramFolderTest, FolderThatCannotBeSeededIsNamedAndLeftAsFound)
{
    const QString file = m_tmp.filePath(u"plain-file"_s);
    ASSERT_TRUE(writeFile(file, "x"));
    for (const QString& target : {file + u"/varn3"_s, file}) {
        const auto e = errorOf(target);
        ASSERT_TRUE(e) << target.toStdString();
        EXPECT_EQ(e->path(), target);
        EXPECT_TRUE(e->message().contains(target)) << e->message().toStdString();
    }
    EXPECT_EQ(readFile(file), QByteArray("x"));

    // A folder name that the code page of Mdbpath.ini cannot hold fails the last step; the
    // pieces made before are taken back.
    const QString odd = m_tmp.filePath(u"varn😀"_s);
    const auto e = errorOf(odd);
    ASSERT_TRUE(e);
    EXPECT_TRUE(e->path().endsWith(u"Mdbpath.ini"_s)) << e->path().toStdString();
    EXPECT_FALSE(QFileInfo::exists(odd));

    // A deeper folder that cannot be made (its name is too long) takes back the parents
    // this run made before it.
    const QString parent = m_tmp.filePath(u"new-parent"_s);
    ASSERT_TRUE(errorOf(parent + u'/' + QString(300, u'x')));
    EXPECT_FALSE(QFileInfo::exists(parent));

    // A disk that fills up part-way: the error names what could not be written, and the
    // folder is left as empty as it was found.
    ASSERT_TRUE(QDir().mkpath(home()));
    std::optional<SetupError> full;
    {
        varn::test::FileSizeLimit limit(100);
        full = errorOf(home());
    }
    ASSERT_TRUE(full);
    EXPECT_TRUE(full->path().startsWith(home())) << full->path().toStdString();
    EXPECT_TRUE(full->message().contains(QDir::toNativeSeparators(full->path()))) << full->message().toStdString();
    EXPECT_TRUE(QDir(home()).isEmpty());
}

// ---- Templates and report layouts

TEST_F(ProgramFolderTest, TemplatesGoWhereTheirReadersLookAndAreNeverOverwritten)
{
    const QDir built(m_tmp.filePath(u"built"_s));
    QByteArray xp;
    for (int i = 1; i <= 32; ++i)
        xp += QByteArray::number(i) + "\r\n";
    const std::map<QString, QByteArray> files = {{u"PrintQ/報價單.xlsx"_s, "quote"},
                                                 {u"PrintNF/單張報價單.xlsx"_s, "single"},
                                                 {u"Pother/統計.xlsx"_s, "stats"},
                                                 {u"fp.rpt"_s, "{}"},
                                                 {u"Xp.ini"_s, xp}};
    for (const auto& [rel, bytes] : files)
        ASSERT_TRUE(writeFile(built.filePath(rel), bytes));

    seed(built.path());
    for (const auto& [rel, bytes] : files) {
        const QString target = rel.startsWith(u"Print"_s) ? u"templates/"_s + rel : rel;
        EXPECT_EQ(readFile(at(target)), bytes) << target.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(at(u"pb.rpt"_s)));   // no layout yet: left out

    // The office edits a template; a newer build brings it again and one more.
    ASSERT_TRUE(writeFile(at(u"templates/PrintQ/報價單.xlsx"_s), "edited by the office"));
    ASSERT_TRUE(writeFile(built.filePath(u"PrintQ/報價單.xlsx"_s), "newer build"));
    ASSERT_TRUE(writeFile(built.filePath(u"PrintQ/空白報價單.xlsx"_s), "blank"));
    EXPECT_EQ(seed(built.path()).created, QStringList{at(u"templates/PrintQ/空白報價單.xlsx"_s)});
    EXPECT_EQ(readFile(at(u"templates/PrintQ/報價單.xlsx"_s)), QByteArray("edited by the office"));
}

TEST_F(ProgramFolderTest, BuiltTemplatesSeedWhetherOrNotTheyExistYet)
{
    EXPECT_TRUE(seed(QStringLiteral(VARN_BINARY_DIR "/templates")).freshSeed);
    XpValues xp;
    EXPECT_TRUE(ReadXpFile(home(), &xp).ok());
    EXPECT_TRUE(QFileInfo(at(u"db/varn3.mdb"_s)).isFile());
}

// ---- Folder names and locations

TEST(FolderNames, RefusesNamesThatLeaveOrHideTheFolder)
{
    for (const QString& safe : {u"王小明"_s, u"Ming Wang"_s, u"王.小明"_s})
        EXPECT_TRUE(IsSafeFolderName(safe)) << safe.toStdString();
    for (const QString& unsafe : {QString(), u"a/b"_s, u"a\\b"_s, u".."_s, u"a..b"_s, u".hidden"_s, u"."_s,
                                  u"a\tb"_s, u"a\nb"_s, QString(QChar(0x7F)), u"x"_s + QChar(0x85)})
        EXPECT_FALSE(IsSafeFolderName(unsafe)) << unsafe.toStdString();
}

TEST(ProgramFolderLocation, EnvironmentWinsOverTheDefault)
{
    // An empty variable counts as unset, so putting back what was there is safe.
    const QByteArray savedHome = qgetenv("VARN_HOME"), savedTemplates = qgetenv("VARN_TEMPLATES");
    qputenv("VARN_HOME", "/srv/varn-office");
    qputenv("VARN_TEMPLATES", "/opt/varn/templates");
    EXPECT_EQ(ResolveProgramFolder(), u"/srv/varn-office"_s);
    EXPECT_EQ(DefaultTemplatesSource(), u"/opt/varn/templates"_s);
    qunsetenv("VARN_HOME");
    qunsetenv("VARN_TEMPLATES");
    EXPECT_EQ(ResolveProgramFolder(), QDir::homePath() + u"/.local/share/varn3"_s);
    EXPECT_TRUE(DefaultTemplatesSource().endsWith(u"/templates"_s));
    qputenv("VARN_HOME", savedHome);
    qputenv("VARN_TEMPLATES", savedTemplates);
}

} // namespace
