#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "platform/text/Cp950.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SettingsFiles.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <map>

#include <unistd.h>

using namespace varn;

namespace {

struct FileState {
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;
    bool operator==(const FileState& o) const
    {
        return size == o.size && modified == o.modified && hash == o.hash;
    }
};

// Everything under a folder: relative path -> size, time and contents.
std::map<QString, FileState> snapshot(const QString& folder)
{
    std::map<QString, FileState> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        const QFileInfo fi(p);
        FileState s;
        s.modified = fi.lastModified();
        if (fi.isFile()) {
            s.size = fi.size();
            QFile f(p);
            if (f.open(QIODevice::ReadOnly))
                s.hash = QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
        }
        out[QDir(folder).relativeFilePath(p)] = s;
    }
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList column(Database& db, const QString& sql, int field = 0, const QVariantList& params = {})
{
    QStringList values;
    for (Recordset rs = db.openRecordset(sql, params); !rs.eof(); rs.moveNext())
        values << rs.text(field);
    return values;
}

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_tmp.isValid()); }

    QString home() const { return m_tmp.filePath(QStringLiteral("varn3")); }
    QString noTemplates() const { return m_tmp.filePath(QStringLiteral("no-templates")); }
    QString at(const QString& rel) const { return QDir(home()).filePath(rel); }

    QTemporaryDir m_tmp;
};

// ---- A fresh program folder

TEST_F(ProgramFolderTest, EmptyFolderGetsEverythingANewOfficeNeeds)
{
    const SeedReport report = SeedProgramFolder(home(), noTemplates());
    EXPECT_TRUE(report.freshSeed);
    for (const char* rel : {"Mdbpath.ini", "Auto.ini", "Xp.ini", "fastP.ini", "sta.mdb", "pt.mdb",
                            "db/varn3.mdb"})
        EXPECT_TRUE(QFileInfo(at(QString::fromLatin1(rel))).isFile()) << rel;
    for (const char* rel : {"db", "templates", "quotations"})
        EXPECT_TRUE(QFileInfo(at(QString::fromLatin1(rel))).isDir()) << rel;
    EXPECT_TRUE(report.created.contains(at(QStringLiteral("db/varn3.mdb"))));

    MdbPathSettings paths;
    ASSERT_TRUE(ReadMdbPathFile(home(), &paths).ok());
    EXPECT_EQ(paths.mdbPath, at(QStringLiteral("db")));
    EXPECT_EQ(paths.printPath, at(QStringLiteral("templates")));
    EXPECT_EQ(paths.filePath, at(QStringLiteral("quotations")));

    AutoSaveSettings autoSave{true, {}};
    EXPECT_TRUE(ReadAutoFile(home(), &autoSave).ok());
    EXPECT_FALSE(autoSave.enabled);
    XpValues xp;
    EXPECT_TRUE(ReadXpFile(home(), &xp).ok());
    EXPECT_EQ(xp, XpDefaults());
    bool fixed = true;
    EXPECT_TRUE(ReadFastPFile(home(), &fixed).ok());
    EXPECT_FALSE(fixed);
}

TEST_F(ProgramFolderTest, DatabasesOpenWithTheirPasswords)
{
    SeedProgramFolder(home(), noTemplates());
    EXPECT_NO_THROW(OpenMainDatabase(at(QStringLiteral("db"))));
    EXPECT_NO_THROW(Database::open(at(QStringLiteral("sta.mdb")), QString(kDatabasePassword)));
    EXPECT_NO_THROW(Database::open(at(QStringLiteral("pt.mdb"))));

    for (const char* keyed : {"db/varn3.mdb", "sta.mdb"}) {
        try {
            Database::open(at(QString::fromLatin1(keyed)), QStringLiteral("wrong"));
            ADD_FAILURE() << keyed << " opened with a wrong password";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), DbErr::WrongPassword) << keyed;
        }
    }
}

TEST_F(ProgramFolderTest, NewMainDatabaseHoldsTheFirstRows)
{
    SeedProgramFolder(home(), noTemplates());
    auto db = OpenMainDatabase(at(QStringLiteral("db")));

    Recordset super = db->openRecordset(QStringLiteral("Select super_pass From super Where super_id = 'varn'"));
    ASSERT_EQ(super.recordCount(), 1);
    EXPECT_TRUE(IsPasswordHash(super.text(0)));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("varn3"), super.text(0)));
    EXPECT_EQ(db->openRecordset(QStringLiteral("super")).recordCount(), 1);

    Recordset company = db->openRecordset(QStringLiteral("company"));
    ASSERT_EQ(company.recordCount(), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(company.text(i).isEmpty()) << i;

    const QStringList counties = column(*db, QStringLiteral("縣市"), 1);
    const QStringList codes = column(*db, QStringLiteral("縣市"), 2);
    ASSERT_EQ(counties.size(), 22);
    EXPECT_EQ(counties.first(), QStringLiteral("臺北市"));
    EXPECT_EQ(codes.first(), QStringLiteral("02"));
    EXPECT_EQ(codes[counties.indexOf(QStringLiteral("苗栗縣"))], QStringLiteral("037"));
    EXPECT_EQ(codes[counties.indexOf(QStringLiteral("連江縣"))], QStringLiteral("0836"));
    EXPECT_EQ(QSet<QString>(counties.begin(), counties.end()).size(), 22);

    for (const char* list : {"u", "行業", "地區", "收款", "付款", "ps", "工班", "材料", "案", "Ctp", "Ptp", "Qps", "sc"})
        EXPECT_GT(db->openRecordset(QString::fromUtf8(list)).recordCount(), 0) << list;
    const QStringList units = column(*db, QStringLiteral("select u from u order by sort"));
    for (const char* u : {"式", "個", "坪", "才", "尺", "組", "樘", "片", "米", "支"})
        EXPECT_TRUE(units.contains(QString::fromUtf8(u))) << u;
    EXPECT_TRUE(column(*db, QStringLiteral("select sc from sc")).contains(QStringLiteral("0.05")));
}

TEST_F(ProgramFolderTest, ExampleLexiconHangsTogether)
{
    SeedProgramFolder(home(), noTemplates());
    auto db = OpenMainDatabase(at(QStringLiteral("db")));

    const QStringList categories = column(*db, QStringLiteral("select k from 別 order by k_id"));
    EXPECT_EQ(categories.size(), 2);
    for (const QString& k : categories)
        EXPECT_FALSE(column(*db, QStringLiteral("select a from k2a where k = ?"), 0, {k}).isEmpty())
            << k.toStdString();

    const QStringList types = column(*db, QStringLiteral("select t from 種 order by t_id"));
    EXPECT_EQ(types.size(), 4);
    for (const QString& t : types) {
        Recordset items = db->openRecordset(QStringLiteral("select w, u, c, s from t2w where t = ? order by sort"), {t});
        EXPECT_GE(items.recordCount(), 2) << t.toStdString();
        for (; !items.eof(); items.moveNext()) {
            EXPECT_FALSE(items.text(1).isEmpty());
            EXPECT_GT(items.value(2).toDouble(), 0);
            EXPECT_GT(items.value(3).toDouble(), 0);
        }
    }
    // Every detail belongs to a work item of the lexicon.
    EXPECT_GE(db->openRecordset(QStringLiteral("w2d")).recordCount(), 2);
    EXPECT_EQ(db->openRecordset(QStringLiteral("select d from w2d where w not in (select w from t2w)")).recordCount(), 0);
}

TEST_F(ProgramFolderTest, EverySeededTextFitsTheQuotationFilesCodePage)
{
    SeedProgramFolder(home(), noTemplates());
    auto db = OpenMainDatabase(at(QStringLiteral("db")));
    const QStringList tables = column(*db, QStringLiteral("select name from sqlite_master where type = 'table'"));
    for (const QString& table : tables) {
        Recordset rs = db->openRecordset(table);
        for (; !rs.eof(); rs.moveNext())
            for (int i = 0; i < rs.fieldCount(); ++i)
                EXPECT_TRUE(EncodeCp950(rs.text(i)).has_value())
                    << table.toStdString() << ": " << rs.text(i).toStdString();
    }
}

// ---- Seeding again

TEST_F(ProgramFolderTest, SeedingTwiceChangesNothing)
{
    SeedProgramFolder(home(), noTemplates());
    const auto before = snapshot(home());
    const SeedReport again = SeedProgramFolder(home(), noTemplates());
    EXPECT_FALSE(again.freshSeed);
    EXPECT_TRUE(again.created.isEmpty());
    EXPECT_EQ(snapshot(home()), before);
}

TEST_F(ProgramFolderTest, HalfSeededFolderGetsOnlyTheMissingSafePieces)
{
    SeedProgramFolder(home(), noTemplates());
    ASSERT_TRUE(QFile::remove(at(QStringLiteral("Xp.ini"))));
    ASSERT_TRUE(QFile::remove(at(QStringLiteral("sta.mdb"))));
    WriteAutoFile(home(), AutoSaveSettings{true, QStringLiteral("3")});
    const QByteArray autoBytes = readFile(at(QStringLiteral("Auto.ini")));
    const QByteArray mainBytes = readFile(at(QStringLiteral("db/varn3.mdb")));

    const SeedReport report = SeedProgramFolder(home(), noTemplates());
    EXPECT_FALSE(report.freshSeed);
    EXPECT_EQ(report.created, (QStringList{at(QStringLiteral("Xp.ini")), at(QStringLiteral("sta.mdb"))}));
    EXPECT_EQ(readFile(at(QStringLiteral("Auto.ini"))), autoBytes);
    EXPECT_EQ(readFile(at(QStringLiteral("db/varn3.mdb"))), mainBytes);
    EXPECT_NO_THROW(Database::open(at(QStringLiteral("sta.mdb")), QString(kDatabasePassword)));
}

TEST_F(ProgramFolderTest, NoMainDatabaseIsMadeBesideOtherFiles)
{
    writeFile(at(QStringLiteral("notes.txt")), "kept");
    const SeedReport report = SeedProgramFolder(home(), noTemplates());
    EXPECT_FALSE(report.freshSeed);
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("db/varn3.mdb"))));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("Mdbpath.ini"))));
    EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("Xp.ini"))));
    EXPECT_TRUE(QFileInfo::exists(at(QStringLiteral("sta.mdb"))));
    EXPECT_EQ(readFile(at(QStringLiteral("notes.txt"))), QByteArray("kept"));
}

TEST_F(ProgramFolderTest, LostMdbPathIsRewrittenOnlyForTheFoldersOwnDatabase)
{
    SeedProgramFolder(home(), noTemplates());
    ASSERT_TRUE(QFile::remove(at(QStringLiteral("Mdbpath.ini"))));
    SeedProgramFolder(home(), noTemplates());
    MdbPathSettings paths;
    ASSERT_TRUE(ReadMdbPathFile(home(), &paths).ok());
    EXPECT_EQ(paths.mdbPath, at(QStringLiteral("db")));
}

// ---- Folders that cannot be made or written

TEST_F(ProgramFolderTest, FolderThatCannotBeCreatedIsNamed)
{
    writeFile(m_tmp.filePath(QStringLiteral("plain-file")), "x");
    const QString target = m_tmp.filePath(QStringLiteral("plain-file/varn3"));
    try {
        SeedProgramFolder(target, noTemplates());
        ADD_FAILURE() << "no error";
    } catch (const SetupError& e) {
        EXPECT_EQ(e.path(), target);
        EXPECT_TRUE(e.message().contains(target)) << e.message().toStdString();
    }
    try {
        SeedProgramFolder(m_tmp.filePath(QStringLiteral("plain-file")), noTemplates());
        ADD_FAILURE() << "a file taken for a folder";
    } catch (const SetupError& e) {
        EXPECT_TRUE(e.message().contains(m_tmp.filePath(QStringLiteral("plain-file"))));
    }
}

TEST_F(ProgramFolderTest, ReadOnlyFolderIsNamed)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    ASSERT_TRUE(QDir().mkpath(home()));
    QFile::setPermissions(home(), QFile::ReadOwner | QFile::ExeOwner);
    try {
        SeedProgramFolder(home(), noTemplates());
        ADD_FAILURE() << "no error";
    } catch (const SetupError& e) {
        EXPECT_TRUE(e.message().contains(home())) << e.message().toStdString();
    }
    QFile::setPermissions(home(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(QDir(home()).isEmpty());
}

TEST_F(ProgramFolderTest, FailedFreshSeedLeavesNothingBehind)
{
    // A folder name that the code page of Mdbpath.ini cannot hold fails the last step.
    const QString odd = m_tmp.filePath(QStringLiteral("varn😀"));
    try {
        SeedProgramFolder(odd, noTemplates());
        ADD_FAILURE() << "no error";
    } catch (const SetupError& e) {
        EXPECT_TRUE(e.path().endsWith(QStringLiteral("Mdbpath.ini"))) << e.path().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(odd));
}

// ---- Templates and report layouts

class TemplateSourceTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        writeFile(source(QStringLiteral("PrintQ/報價單.xlsx")), "quote");
        writeFile(source(QStringLiteral("PrintNF/單張報價單.xlsx")), "single");
        writeFile(source(QStringLiteral("Pother/統計.xlsx")), "stats");
        writeFile(source(QStringLiteral("fp.rpt")), "{\"layout\":1}");
        QByteArray xp;
        for (int i = 1; i <= 32; ++i)
            xp += QByteArray::number(i) + "\r\n";
        writeFile(source(QStringLiteral("Xp.ini")), xp);
    }

    QString source(const QString& rel = {}) const
    {
        return QDir(m_tmp.filePath(QStringLiteral("built"))).filePath(rel);
    }
};

TEST_F(TemplateSourceTest, TemplatesGoWhereTheirReadersLookForThem)
{
    SeedProgramFolder(home(), source());
    EXPECT_EQ(readFile(at(QStringLiteral("templates/PrintQ/報價單.xlsx"))), QByteArray("quote"));
    EXPECT_EQ(readFile(at(QStringLiteral("templates/PrintNF/單張報價單.xlsx"))), QByteArray("single"));
    EXPECT_EQ(readFile(at(QStringLiteral("Pother/統計.xlsx"))), QByteArray("stats"));
    EXPECT_EQ(readFile(at(QStringLiteral("fp.rpt"))), QByteArray("{\"layout\":1}"));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("pb.rpt"))));   // no layout yet: left out
    EXPECT_EQ(readFile(at(QStringLiteral("Xp.ini"))), readFile(source(QStringLiteral("Xp.ini"))));
}

TEST_F(TemplateSourceTest, ExistingTemplatesAreNeverOverwritten)
{
    SeedProgramFolder(home(), source());
    writeFile(at(QStringLiteral("templates/PrintQ/報價單.xlsx")), "edited by the office");
    writeFile(source(QStringLiteral("PrintQ/報價單.xlsx")), "newer build");
    writeFile(source(QStringLiteral("PrintQ/空白報價單.xlsx")), "blank");

    const SeedReport report = SeedProgramFolder(home(), source());
    EXPECT_EQ(readFile(at(QStringLiteral("templates/PrintQ/報價單.xlsx"))), QByteArray("edited by the office"));
    EXPECT_EQ(readFile(at(QStringLiteral("templates/PrintQ/空白報價單.xlsx"))), QByteArray("blank"));
    EXPECT_EQ(report.created, QStringList{at(QStringLiteral("templates/PrintQ/空白報價單.xlsx"))});
}

TEST_F(ProgramFolderTest, BuiltTemplatesSeedWhetherOrNotTheyExistYet)
{
    const SeedReport report =
        SeedProgramFolder(home(), QStringLiteral(VARN_BINARY_DIR "/templates"));
    EXPECT_TRUE(report.freshSeed);
    XpValues xp;
    EXPECT_TRUE(ReadXpFile(home(), &xp).ok());
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("db/varn3.mdb"))).isFile());
}

// ---- Folder names and locations

TEST(FolderNames, RefusesNamesThatLeaveOrHideTheFolder)
{
    const struct {
        QString name;
        bool safe;
    } cases[] = {
        {QStringLiteral("王小明"), true},
        {QStringLiteral("Ming Wang"), true},
        {QStringLiteral("王.小明"), true},
        {QString(), false},
        {QStringLiteral("a/b"), false},
        {QStringLiteral("a\\b"), false},
        {QStringLiteral(".."), false},
        {QStringLiteral("a..b"), false},
        {QStringLiteral(".hidden"), false},
        {QStringLiteral("."), false},
        {QStringLiteral("a\tb"), false},
        {QStringLiteral("a\nb"), false},
        {QString(QChar(0x7F)), false},
        {QStringLiteral("x") + QChar(0x85), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSafeFolderName(c.name), c.safe) << c.name.toStdString();
}

TEST(ProgramFolderLocation, HomeVariableWinsOverTheDefault)
{
    const QByteArray saved = qgetenv("VARN_HOME");
    qputenv("VARN_HOME", "/srv/varn-office");
    EXPECT_EQ(ResolveProgramFolder(), QStringLiteral("/srv/varn-office"));
    qunsetenv("VARN_HOME");
    EXPECT_EQ(ResolveProgramFolder(), QDir::homePath() + QStringLiteral("/.local/share/varn3"));
    if (!saved.isEmpty())
        qputenv("VARN_HOME", saved);

    const QByteArray savedTemplates = qgetenv("VARN_TEMPLATES");
    qputenv("VARN_TEMPLATES", "/opt/varn/templates");
    EXPECT_EQ(DefaultTemplatesSource(), QStringLiteral("/opt/varn/templates"));
    qunsetenv("VARN_TEMPLATES");
    EXPECT_TRUE(DefaultTemplatesSource().endsWith(QStringLiteral("/templates")));
    if (!savedTemplates.isEmpty())
        qputenv("VARN_TEMPLATES", savedTemplates);
}

} // namespace
