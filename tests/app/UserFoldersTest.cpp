#include "ShellFixture.h"

#include "app/SignIn.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace varn::test {

namespace {

class UserFoldersTest : public ShellFixture {
protected:
    QStringList filesOf(const QString& name) const
    {
        QStringList files = QDir(QDir(programFolder()).filePath(name)).entryList(QDir::Files);
        files.sort();
        return files;
    }

    QStringList prepare() { return PrepareUserFolders(db(), programFolder()); }

    static QStringList allFour()
    {
        QStringList files = UserFolderFiles();
        files.sort();
        return files;
    }
};

TEST_F(UserFoldersTest, MissingFolderIsMadeWithTheFourFiles)
{
    addEmployee(QStringLiteral("E01"), QStringLiteral("王小明"), QStringLiteral("Ming"), QStringLiteral("p"));
    EXPECT_TRUE(prepare().isEmpty());
    EXPECT_EQ(filesOf(QStringLiteral("王小明")), allFour());
    // The copies are the master files.
    EXPECT_EQ(readFile(QStringLiteral("王小明/fp.rpt")), readFile(QStringLiteral("fp.rpt")));
    EXPECT_EQ(readFile(QStringLiteral("王小明/sta.mdb")), readFile(QStringLiteral("sta.mdb")));
}

TEST_F(UserFoldersTest, EmptyFolderGetsTheFiles)
{
    addEmployee(QStringLiteral("E01"), QStringLiteral("王小明"), QStringLiteral("Ming"), QStringLiteral("p"));
    ASSERT_TRUE(QDir(programFolder()).mkdir(QStringLiteral("王小明")));
    EXPECT_TRUE(prepare().isEmpty());
    EXPECT_EQ(filesOf(QStringLiteral("王小明")), allFour());
}

TEST_F(UserFoldersTest, FolderHoldingAFileIsNotTouched)
{
    addEmployee(QStringLiteral("E01"), QStringLiteral("王小明"), QStringLiteral("Ming"), QStringLiteral("p"));
    writeFile(QStringLiteral("王小明/sta.mdb"), "the employee's own statistics");
    EXPECT_TRUE(prepare().isEmpty());
    EXPECT_EQ(filesOf(QStringLiteral("王小明")), QStringList{QStringLiteral("sta.mdb")});
    EXPECT_EQ(readFile(QStringLiteral("王小明/sta.mdb")), QByteArray("the employee's own statistics"));
}

TEST_F(UserFoldersTest, EveryEmployeeIsPreparedNotOnlyTheOneSigningIn)
{
    addEmployee(QStringLiteral("E02"), QStringLiteral("李四"), QStringLiteral("Li"), QStringLiteral("p"));
    addEmployee(QStringLiteral("E01"), QStringLiteral("張三"), QStringLiteral("Zhang"), QStringLiteral("p"));
    openMainDb();
    ASSERT_EQ(SignIn::attempt(QStringLiteral("Zhang"), QStringLiteral("p")), SignInResult::Employee);
    EXPECT_EQ(filesOf(QStringLiteral("張三")), allFour());
    EXPECT_EQ(filesOf(QStringLiteral("李四")), allFour());
}

TEST_F(UserFoldersTest, NameUnfitForAFolderIsReportedAndNothingIsMadeOutside)
{
    addEmployee(QStringLiteral("E01"), QStringLiteral("../外面"), QStringLiteral("Out"), QStringLiteral("p"));
    addEmployee(QStringLiteral("E02"), QStringLiteral("王小明"), QStringLiteral("Ming"), QStringLiteral("p"));
    const QStringList problems = prepare();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().startsWith(QStringLiteral("../外面")));
    EXPECT_FALSE(QFileInfo::exists(QDir(programFolder()).filePath(QStringLiteral("../外面"))));
    EXPECT_EQ(filesOf(QStringLiteral("王小明")), allFour());
}

} // namespace

} // namespace varn::test
