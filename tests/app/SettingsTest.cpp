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
#include <QFileInfo>

namespace varn::test {

namespace {

const QString Star = QStringLiteral("★");

class SettingsTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(QStringLiteral("E02"), QStringLiteral("李四"), QStringLiteral("Li"), QStringLiteral("p"), 5);
        addEmployee(QStringLiteral("E01"), QStringLiteral("張三"), QStringLiteral("Zhang"), QStringLiteral("p"), 0);
        openMainDb();
        // The superuser signs in first, as the window is opened from the menu.
        ASSERT_EQ(SignIn::attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)),
                  SignInResult::Superuser);
        prompts.clear();
        ASSERT_TRUE(settings.load(grid));
    }

    int storedRights(const QString& name)
    {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT 權限 FROM 員工 WHERE 中文姓名 = ?"), {name});
        return rs.value(0).toInt();
    }

    QStringList marks(int row) const
    {
        QStringList cells;
        for (int col = RightsGrid::FirstBitCol; col <= RightsGrid::LastBitCol; ++col)
            cells << grid.textMatrix(row, col);
        return cells;
    }

    GridModel grid;
    SystemSettings settings;
};

TEST_F(SettingsTest, RightsGridShowsEveryEmployeeInCodeOrder)
{
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.cols(), 14);
    EXPECT_EQ(grid.textMatrix(2, 1), QStringLiteral("張三"));
    EXPECT_EQ(grid.textMatrix(3, 1), QStringLiteral("李四"));
    // 權限 5: bits 0 and 2, columns 2 and 4.
    QStringList five(12);
    five[0] = Star;
    five[2] = Star;
    EXPECT_EQ(marks(3), five);
    EXPECT_EQ(marks(2), QStringList(12));
}

TEST_F(SettingsTest, RightsGridHeaderHasTwoRowsAndMergedPairs)
{
    EXPECT_EQ(grid.textMatrix(0, 1), QStringLiteral("員工姓名"));
    EXPECT_EQ(grid.textMatrix(0, 5), QStringLiteral("客戶資料"));
    EXPECT_EQ(grid.textMatrix(1, 5), QStringLiteral("編輯"));
    EXPECT_EQ(grid.textMatrix(1, 6), QStringLiteral("查詢"));
    EXPECT_TRUE(grid.mergeRow(0));
    EXPECT_EQ(grid.mergedSpan(0, 5), std::make_pair(5, 6));
    EXPECT_EQ(grid.colWidth(0), 0);
    // Colours cover the header rows too.
    EXPECT_EQ(grid.cellFormat(0, 7).back, QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(grid.cellFormat(3, 12).back, QColor(0xFF, 0xC0, 0xFF));
}

TEST_F(SettingsTest, EditMarkBringsViewAndViewStaysWhileEditIsGiven)
{
    const int row = 2;
    EXPECT_TRUE(RightsGrid::click(grid, row, 5));
    EXPECT_EQ(grid.textMatrix(row, 5), Star);
    EXPECT_EQ(grid.textMatrix(row, 6), Star);
    RightsGrid::click(grid, row, 6);
    EXPECT_EQ(grid.textMatrix(row, 6), Star);
    RightsGrid::click(grid, row, 5);
    EXPECT_EQ(grid.textMatrix(row, 5), QString());
    EXPECT_EQ(grid.textMatrix(row, 6), Star);
    RightsGrid::click(grid, row, 6);
    EXPECT_EQ(grid.textMatrix(row, 6), QString());
    // Plain columns toggle; headers and names do nothing.
    RightsGrid::click(grid, row, 13);
    EXPECT_EQ(grid.textMatrix(row, 13), Star);
    RightsGrid::click(grid, row, 13);
    EXPECT_EQ(grid.textMatrix(row, 13), QString());
    EXPECT_FALSE(RightsGrid::click(grid, 1, 5));
    EXPECT_FALSE(RightsGrid::click(grid, row, 1));
    EXPECT_EQ(grid.textMatrix(1, 5), QStringLiteral("編輯"));
}

TEST_F(SettingsTest, RightsAreSavedAsWordsAndTheMessageFollows)
{
    for (int col = 2; col <= 13; ++col)
        grid.setTextMatrix(2, col, Star);
    for (int col = 2; col <= 13; ++col)
        grid.setTextMatrix(3, col, QString());
    EXPECT_TRUE(settings.applyRights(grid));
    EXPECT_EQ(storedRights(QStringLiteral("張三")), 4095);
    EXPECT_EQ(storedRights(QStringLiteral("李四")), 0);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("所做的變更下次啟動才會生效"));
    // The signed-in user's word waits for the next sign-in.
    EXPECT_EQ(state().m.gRights, 4095);
}

TEST_F(SettingsTest, FailedRightsSaveSaysSoAndKeepsEveryRow)
{
    grid.setTextMatrix(2, 2, Star);
    // A read-only connection refuses the update.
    state().m.gDb = Database::open(db().path(), QString(kDatabasePassword), true);
    EXPECT_FALSE(settings.applyRights(grid));
    EXPECT_NE(prompts.lastMessageText(), QStringLiteral("所做的變更下次啟動才會生效"));
    EXPECT_EQ(storedRights(QStringLiteral("張三")), 0);
    EXPECT_EQ(storedRights(QStringLiteral("李四")), 5);
}

TEST_F(SettingsTest, SuperPasswordChangeIsInForceAtOnce)
{
    EXPECT_TRUE(settings.superPasswordMatches(QString(kFirstSuperPassword)));
    EXPECT_FALSE(settings.superPasswordMatches(QStringLiteral("VARN3")));

    EXPECT_EQ(settings.changeSuperPassword(QString(kFirstSuperPassword), QStringLiteral("n'ew"),
                                           QStringLiteral("n'ew")),
              PasswordChange::Changed);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("密碼變更完成"));
    EXPECT_TRUE(IsPasswordHash(storedSuperPass()));
    EXPECT_TRUE(settings.superPasswordMatches(QStringLiteral("n'ew")));
    EXPECT_FALSE(settings.superPasswordMatches(QString(kFirstSuperPassword)));

    EXPECT_EQ(SignIn::attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)), SignInResult::Failed);
    EXPECT_EQ(SignIn::attempt(QStringLiteral("varn"), QStringLiteral("n'ew")), SignInResult::Superuser);
}

TEST_F(SettingsTest, SuperPasswordChangeRefusals)
{
    const QString before = storedSuperPass();
    EXPECT_EQ(settings.changeSuperPassword(QString(kFirstSuperPassword), QStringLiteral("a"),
                                           QStringLiteral("b")),
              PasswordChange::Mismatch);
    EXPECT_EQ(prompts.lastMessageText(),
              QStringLiteral("新密碼 和 確定密碼 不同\n請重新輸入新密碼 和 確定密碼"));
    EXPECT_EQ(settings.changeSuperPassword(QStringLiteral("wrong"), QStringLiteral("a"), QStringLiteral("a")),
              PasswordChange::WrongOld);
    EXPECT_EQ(storedSuperPass(), before);

    db().execute(QStringLiteral("DELETE FROM super"));
    EXPECT_EQ(settings.changeSuperPassword(QString(kFirstSuperPassword), QStringLiteral("a"),
                                           QStringLiteral("a")),
              PasswordChange::NoSuperuser);
    EXPECT_EQ(db().openRecordset(QStringLiteral("super")).recordCount(), 0);
}

TEST_F(SettingsTest, CompanyRowIsWrittenAndAddedWhenMissing)
{
    CompanyRecord c;
    c.fields = {QStringLiteral("瓦恩工房"), QStringLiteral("台北市"), QStringLiteral("02-1234"),
                QStringLiteral("02-5678"), QStringLiteral("12345678"), QStringLiteral("a@b.tw")};
    db().execute(QStringLiteral("DELETE FROM company"));
    EXPECT_TRUE(settings.applyCompany(c));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("變更完成"));
    c.fields[0] = QStringLiteral("O'Neil 工程");
    EXPECT_TRUE(settings.applyCompany(c));

    Recordset rs = db().openRecordset(QStringLiteral("company"));
    ASSERT_EQ(rs.recordCount(), 1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(rs.text(i), c.fields[i]);

    SystemSettings reopened;
    GridModel g;
    ASSERT_TRUE(reopened.load(g));
    EXPECT_EQ(reopened.company(), c);
}

TEST_F(SettingsTest, BrowseTakesTheFolderOfVarn3MdbOnly)
{
    EXPECT_EQ(DatabaseFolderOf(QStringLiteral("/data/office/varn3.mdb")), QStringLiteral("/data/office"));
    EXPECT_EQ(DatabaseFolderOf(QStringLiteral("/a/varn3.mdb")), QStringLiteral("/a"));
    EXPECT_EQ(DatabaseFolderOf(QStringLiteral("/data/other.mdb")), std::nullopt);
    EXPECT_EQ(DatabaseFolderOf(QString()), std::nullopt);

    prompts.answerOpenFile(QStringLiteral("/data/sta.mdb"));
    EXPECT_EQ(settings.browseDatabaseFolder(), std::nullopt);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    prompts.answerOpenFile(std::nullopt);
    EXPECT_EQ(settings.browseDatabaseFolder(), std::nullopt);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    prompts.answerOpenFile(dbFolder() + QStringLiteral("/varn3.mdb"));
    EXPECT_EQ(settings.browseDatabaseFolder(), dbFolder());
}

TEST_F(SettingsTest, PathsChangeOnlyWhenTheNewDatabaseOpens)
{
    const QString elsewhere = QDir(programFolder()).filePath(QStringLiteral("elsewhere"));
    QDir().mkpath(elsewhere);
    const QByteArray iniBefore = readFile(QStringLiteral("Mdbpath.ini"));
    const auto dbBefore = state().m.gDb;
    const QString mdbBefore = state().m.gMdbPath;

    EXPECT_FALSE(settings.applyPaths(elsewhere, QStringLiteral("/p"), QStringLiteral("/f")));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(readFile(QStringLiteral("Mdbpath.ini")), iniBefore);
    EXPECT_EQ(state().m.gDb, dbBefore);
    EXPECT_EQ(state().m.gMdbPath, mdbBefore);

    EXPECT_TRUE(settings.applyPaths(dbFolder(), QStringLiteral("/p"), QStringLiteral("/f")));
    MdbPathSettings p;
    ReadMdbPathFile(programFolder(), &p);
    EXPECT_EQ(p.mdbPath, dbFolder());
    EXPECT_EQ(p.printPath, QStringLiteral("/p"));
    EXPECT_EQ(p.filePath, QStringLiteral("/f"));
    EXPECT_EQ(state().m.gPrintPath, QStringLiteral("/p"));
    EXPECT_NE(state().m.gDb, dbBefore);
}

TEST_F(SettingsTest, AutoSaveIsWrittenAndReadBack)
{
    EXPECT_TRUE(settings.applyAutoSave(true, QStringLiteral("7")));
    EXPECT_TRUE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 7);
    EXPECT_EQ(readFile(QStringLiteral("Auto.ini")), QByteArray("1\r\n7\r\n"));

    EXPECT_TRUE(settings.applyAutoSave(false, QString()));
    EXPECT_EQ(readFile(QStringLiteral("Auto.ini")), QByteArray("0\r\n\r\n"));
    EXPECT_FALSE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 0);

    EXPECT_TRUE(IsAutoSaveIntervalKey(QLatin1Char('0')));
    EXPECT_TRUE(IsAutoSaveIntervalKey(QChar(8)));
    EXPECT_FALSE(IsAutoSaveIntervalKey(QLatin1Char('a')));
    EXPECT_FALSE(IsAutoSaveIntervalKey(QLatin1Char('-')));
}

using PrintSettingsTest = ShellFixture;

TEST_F(PrintSettingsTest, MissingXpGivesDefaultsWithOneMessage)
{
    QFile::remove(QDir(programFolder()).filePath(QStringLiteral("Xp.ini")));
    QFile::remove(QDir(programFolder()).filePath(QStringLiteral("fastP.ini")));
    state().m.gFixedHeader = true;
    LoadXlSettings();
    EXPECT_EQ(state().m.gXp, XpDefaults());
    EXPECT_FALSE(state().m.gFixedHeader);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(PrintSettingsTest, SavedRangesAndFixedHeaderAreLoaded)
{
    XpValues values = XpDefaults();
    values[11] = QStringLiteral("40");
    WriteXpFile(programFolder(), values);
    writeFile(QStringLiteral("fastP.ini"), "1\r\n");
    LoadXlSettings();
    EXPECT_EQ(state().m.gXp[11], QStringLiteral("40"));
    EXPECT_TRUE(state().m.gFixedHeader);
    EXPECT_EQ(prompts.asked().size(), 0u);

    writeFile(QStringLiteral("fastP.ini"), "0\r\n");
    LoadXlSettings();
    EXPECT_FALSE(state().m.gFixedHeader);
}

TEST_F(PrintSettingsTest, TemplatesBecomeReadOnly)
{
    writeFile(QStringLiteral("PrintQ/報價單.xlsx"), "x");
    writeFile(QStringLiteral("Pother/客戶.xlsx"), "x");
    writeFile(QStringLiteral("templates/PrintS/單頁.xlsx"), "x");
    state().m.gPrintPath = QDir(programFolder()).filePath(QStringLiteral("templates"));
    MarkTemplatesReadOnly();
    for (const char* f : {"PrintQ/報價單.xlsx", "Pother/客戶.xlsx", "templates/PrintS/單頁.xlsx"}) {
        // Permissions, not isWritable(): the tests may run as root.
        const QString path = QDir(programFolder()).filePath(QString::fromUtf8(f));
        EXPECT_FALSE(QFile::permissions(path) & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)) << f;
    }
}

} // namespace

} // namespace varn::test
