#include "FailingRandom.h"
#include "ShellFixture.h"

#include "app/PrintSettings.h"
#include "app/RightsGrid.h"
#include "app/SignIn.h"
#include "app/SystemSettings.h"
#include "platform/crypto/PasswordHash.h"
#include "platform/grid/GridModel.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SeedData.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

const QString Star = u"★"_s;
const QString SuperPass = QString(kFirstSuperPassword);

class SettingsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(u"E02"_s, u"李四"_s, u"Li"_s, u"p"_s, 5);
        addEmployee(u"E01"_s, u"張三"_s, u"Zhang"_s, u"p"_s, 0);
        signInSuperuser();
        ASSERT_TRUE(settings.load(grid));
    }

    int storedRights(const QString& name)
    {
        return scalar(u"SELECT 權限 FROM 員工 WHERE 中文姓名 = ?"_s, {name}).toInt();
    }

    QString marks(int row) const
    {
        QString cells;
        for (int col = RightsGrid::FirstBitCol; col <= RightsGrid::LastBitCol; ++col)
            cells += grid.textMatrix(row, col).isEmpty() ? QLatin1Char('.') : QLatin1Char('*');
        return cells;
    }

    GridModel grid;
    SystemSettings settings;
};

TEST_F(SettingsTest, RightsGridShowsEveryEmployeeInCodeOrderAndClicksToggleTheMarks)
{
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.textMatrix(2, 1), u"張三"_s);
    EXPECT_EQ(grid.textMatrix(3, 1), u"李四"_s);
    // 權限 5: bits 0 and 2.
    EXPECT_EQ(marks(3), u"*.*........."_s);
    EXPECT_EQ(marks(2), u"............"_s);
    EXPECT_EQ(grid.mergedSpan(0, 5), std::make_pair(5, 6));

    // A click on an edit mark brings the view mark; the view stays while edit is given.
    // Plain columns toggle; headers and names do nothing.
    // (row, column clicked, whether anything changed, marks of row 2 after)
    const std::tuple<int, int, bool, const char*> clicks[] = {
        {2, 5, true, "...**......."},  {2, 6, false, "...**......."}, {2, 5, true, "....*......."},
        {2, 6, true, "............"},  {2, 13, true, "...........*"}, {2, 13, true, "............"},
        {1, 5, false, "............"}, {2, 1, false, "............"},
    };
    for (const auto& [row, col, changed, after] : clicks) {
        EXPECT_EQ(RightsGrid::click(grid, row, col), changed) << row << "," << col;
        EXPECT_EQ(marks(2), QLatin1String(after)) << row << "," << col;
    }
    EXPECT_EQ(grid.textMatrix(1, 5), u"編輯"_s);
}

TEST_F(SettingsTest, RightsAreSavedAsWordsAndAFailureKeepsEveryRow)
{
    for (int col = 2; col <= 13; ++col) {
        grid.setTextMatrix(2, col, Star);
        grid.setTextMatrix(3, col, QString());
    }
    // A read-only connection refuses the update.
    const auto writable = state().m.gDb;
    state().m.gDb = Database::open(db().path(), QString(kDatabasePassword), true);
    EXPECT_FALSE(settings.applyRights(grid));
    EXPECT_NE(prompts.lastMessageText(), u"所做的變更下次啟動才會生效"_s);
    EXPECT_EQ(storedRights(u"張三"_s), 0);
    EXPECT_EQ(storedRights(u"李四"_s), 5);

    state().m.gDb = writable;
    EXPECT_TRUE(settings.applyRights(grid));
    EXPECT_EQ(storedRights(u"張三"_s), 4095);
    EXPECT_EQ(storedRights(u"李四"_s), 0);
    EXPECT_EQ(prompts.lastMessageText(), u"所做的變更下次啟動才會生效"_s);
    // The signed-in user's word waits for the next sign-in.
    EXPECT_EQ(state().m.gRights, 4095);
}

TEST_F(SettingsTest, SuperPasswordChangeRefusalsAndAChangeInForceAtOnce)
{
    const QString before = storedSuperPass();
    EXPECT_EQ(settings.changeSuperPassword(SuperPass, u"a"_s, u"b"_s), PasswordChange::Mismatch);
    EXPECT_EQ(settings.changeSuperPassword(u"wrong"_s, u"a"_s, u"a"_s), PasswordChange::WrongOld);
    EXPECT_EQ(storedSuperPass(), before);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);

    EXPECT_EQ(settings.changeSuperPassword(SuperPass, u"n'ew"_s, u"n'ew"_s), PasswordChange::Changed);
    EXPECT_EQ(prompts.lastMessageText(), u"密碼變更完成"_s);
    EXPECT_TRUE(IsPasswordHash(storedSuperPass()));
    EXPECT_EQ(SignIn::attempt(u"varn"_s, SuperPass), SignInResult::Failed);
    EXPECT_EQ(SignIn::attempt(u"varn"_s, u"n'ew"_s), SignInResult::Superuser);

    {
        FailingRandom noSalt;
        EXPECT_EQ(settings.changeSuperPassword(u"n'ew"_s, u"b"_s, u"b"_s), PasswordChange::Failed);
    }
    EXPECT_TRUE(prompts.lastMessageText().startsWith(u"密碼未變更"_s));
    EXPECT_EQ(SignIn::attempt(u"varn"_s, u"n'ew"_s), SignInResult::Superuser);

    db().execute(u"DELETE FROM super"_s);
    EXPECT_EQ(settings.changeSuperPassword(u"n'ew"_s, u"a"_s, u"a"_s), PasswordChange::NoSuperuser);
    EXPECT_EQ(scalar(u"SELECT count(*) FROM super"_s), u"0"_s);
}

TEST_F(SettingsTest, CompanyRowIsWrittenAndAddedWhenMissing)
{
    CompanyRecord c;
    c.fields = {u"瓦恩工房"_s, u"台北市"_s, u"02-1234"_s, u"02-5678"_s, u"12345678"_s, u"a@b.tw"_s};
    db().execute(u"DELETE FROM company"_s);
    EXPECT_TRUE(settings.applyCompany(c));
    c.fields[0] = u"O'Neil 工程"_s;
    EXPECT_TRUE(settings.applyCompany(c));
    EXPECT_EQ(prompts.lastMessageText(), u"變更完成"_s);
    EXPECT_EQ(scalar(u"SELECT count(*) FROM company"_s), u"1"_s);

    SystemSettings reopened;
    GridModel g;
    ASSERT_TRUE(reopened.load(g));
    EXPECT_EQ(reopened.company(), c);
}

TEST_F(SettingsTest, BrowseTakesTheFolderOfVarn3MdbOnly)
{
    prompts.answerOpenFile(u"/data/sta.mdb"_s);
    EXPECT_EQ(settings.browseDatabaseFolder(), std::nullopt);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    prompts.answerOpenFile(std::nullopt);
    EXPECT_EQ(settings.browseDatabaseFolder(), std::nullopt);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    prompts.answerOpenFile(dbFolder() + u"/varn3.mdb"_s);
    EXPECT_EQ(settings.browseDatabaseFolder(), dbFolder());
}

TEST_F(SettingsTest, PathsChangeOnlyWhenTheDatabaseOpensAndTheTemplatesAreThere)
{
    const QString elsewhere = QDir(programFolder()).filePath(u"elsewhere"_s);
    const QString print = QDir(programFolder()).filePath(u"print"_s);
    const QString partial = QDir(programFolder()).filePath(u"partial"_s);
    QDir().mkpath(elsewhere);
    for (const char* f : {"PrintQ", "PrintS", "PrintC", "PrintNF"}) {
        QDir().mkpath(print + u'/' + QLatin1String(f));
        if (f != std::string_view("PrintNF"))
            QDir().mkpath(partial + u'/' + QLatin1String(f));
    }
    const QByteArray iniBefore = readFile(u"Mdbpath.ini"_s);
    const auto dbBefore = state().m.gDb;
    const MdbPathSettings before{state().m.gMdbPath, state().m.gPrintPath, state().m.gFilePath};
    const auto unchanged = [&] {
        EXPECT_EQ(readFile(u"Mdbpath.ini"_s), iniBefore);
        EXPECT_EQ(state().m.gDb, dbBefore);
        EXPECT_EQ(state().m.gMdbPath, before.mdbPath);
        EXPECT_EQ(state().m.gPrintPath, before.printPath);
    };

    // A database folder without the database; a print folder without its templates (as
    // the browse button fills it in), naming what is missing.
    const struct {
        QString db, print, message;
    } refused[] = {
        {elsewhere, print, u"varn3.mdb"_s},
        {dbFolder(), dbFolder(), u"PrintQ、PrintS、PrintC、PrintNF"_s},
        {dbFolder(), partial, u"沒有套表資料夾 PrintNF，"_s},
    };
    for (const auto& c : refused) {
        prompts.clear();
        EXPECT_FALSE(settings.applyPaths(c.db, c.print, u"/f"_s));
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
        EXPECT_TRUE(prompts.lastMessageText().contains(c.message)) << prompts.lastMessageText().toStdString();
        unchanged();
    }

    EXPECT_TRUE(settings.applyPaths(dbFolder(), print, u"/f"_s));
    MdbPathSettings p;
    ReadMdbPathFile(programFolder(), &p);
    EXPECT_EQ(p.mdbPath, dbFolder());
    EXPECT_EQ(p.printPath, print);
    EXPECT_EQ(p.filePath, u"/f"_s);
    EXPECT_EQ(state().m.gPrintPath, print);
    EXPECT_NE(state().m.gDb, dbBefore);
}

TEST_F(SettingsTest, AutoSaveIsWrittenAndTakesEffect)
{
    EXPECT_TRUE(settings.applyAutoSave(true, u"7"_s));
    EXPECT_TRUE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 7);
    EXPECT_EQ(readFile(u"Auto.ini"_s), QByteArray("1\r\n7\r\n"));

    EXPECT_TRUE(settings.applyAutoSave(false, QString()));
    EXPECT_FALSE(state().m.gAutoSave);
}

using PrintSettingsTest = ShellFixture;

// What the files hold reaches the program state through the settings files' own loader.
TEST_F(PrintSettingsTest, AMissingXpIsSaidAndACompleteOneLoadsWithoutAWord)
{
    QFile::remove(QDir(programFolder()).filePath(u"Xp.ini"_s));
    LoadXlSettings();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    WriteXpFile(programFolder(), XpDefaults());
    LoadXlSettings();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(PrintSettingsTest, TemplatesBecomeReadOnly)
{
    const char* files[] = {"PrintQ/報價單.xlsx", "Pother/客戶.xlsx", "templates/PrintS/單頁.xlsx"};
    for (const char* f : files)
        writeFile(QString::fromUtf8(f), "x");
    state().m.gPrintPath = QDir(programFolder()).filePath(u"templates"_s);
    MarkTemplatesReadOnly();
    for (const char* f : files) {
        // Permissions, not isWritable(): the tests may run as root.
        const QString path = QDir(programFolder()).filePath(QString::fromUtf8(f));
        EXPECT_FALSE(QFile::permissions(path) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther))
            << f;
    }
}

} // namespace
} // namespace varn::test
