#include "ShellFixture.h"

#include "app/MainDb.h"
#include "app/SignIn.h"
#include "shared/setup/ProgramFolder.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

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
};

TEST_F(UserFoldersTest, SignInCopiesEveryMissingFileKeepsTheOnesThereAndMakesNothingOutside)
{
    addEmployee(u"E01"_s, u"張三"_s, u"Zhang"_s, u"p"_s);
    addEmployee(u"E02"_s, u"李四"_s, u"Li"_s, u"p"_s);
    addEmployee(u"E03"_s, u"王五"_s, u"Wang"_s, u"p"_s);
    addEmployee(u"E04"_s, u"趙六"_s, u"Zhao"_s, u"p"_s);
    ASSERT_TRUE(QDir(programFolder()).mkdir(u"李四"_s));
    writeFile(u"王五/sta.mdb"_s, "the employee's own statistics");
    writeFile(u"趙六/.directory"_s, "a desktop's hidden note");
    ASSERT_TRUE(OpenMainDb());
    ASSERT_EQ(SignIn::attempt(u"Zhang"_s, u"p"_s), SignInResult::Employee);
    EXPECT_EQ(prompts.asked().size(), 0u);

    QStringList four = UserFolderFiles();
    four.sort();
    for (const QString& name : {u"張三"_s, u"李四"_s, u"王五"_s, u"趙六"_s})
        EXPECT_EQ(filesOf(name), four) << name.toStdString();
    // The copies are the master files; a file already there is the employee's own.
    EXPECT_EQ(readFile(u"李四/fp.rpt"_s), readFile(u"fp.rpt"_s));
    EXPECT_EQ(readFile(u"李四/sta.mdb"_s), readFile(u"sta.mdb"_s));
    EXPECT_EQ(readFile(u"王五/sta.mdb"_s), QByteArray("the employee's own statistics"));
    EXPECT_EQ(readFile(u"王五/pt.mdb"_s), readFile(u"pt.mdb"_s));

    // A name unfit for a folder is reported, nothing is made outside, the others are served.
    addEmployee(u"E00"_s, u"../外面"_s, u"Out"_s, u"p"_s);
    ASSERT_TRUE(QDir(QDir(programFolder()).filePath(u"趙六"_s)).removeRecursively());
    const QStringList problems = PrepareUserFolders(db(), programFolder());
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.front().startsWith(u"../外面"_s));
    EXPECT_FALSE(QFileInfo::exists(QDir(programFolder()).filePath(u"../外面"_s)));
    EXPECT_EQ(filesOf(u"趙六"_s), four);

    // A file in a folder's place: the problem says why in words.
    addEmployee(u"E05"_s, u"孫七"_s, u"Sun"_s, u"p"_s);
    writeFile(u"孫七"_s, "a file, not a folder");
    const QStringList blocked = PrepareUserFolders(db(), programFolder());
    ASSERT_EQ(blocked.size(), 2);
    EXPECT_TRUE(blocked.back().startsWith(u"孫七：無法建立資料夾"_s)) << blocked.back().toStdString();
    EXPECT_TRUE(SaysInChinese(blocked.back(), u"同名"_s));
}

} // namespace
} // namespace varn::test
