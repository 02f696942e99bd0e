#include "output/DeliveredWorkbook.h"


#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace varn;
using namespace Qt::StringLiterals;

namespace {

void touch(const QString& path, const QByteArray& bytes = {})
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(DeliveredWorkbookTest, NewNamesCarryTheStampAndNeverReplaceAFile)
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2024, 5, 1), QTime(9, 30, 0));
    const QString first = NewOutputPath(dir.path(), u"報價單"_s, when);
    EXPECT_EQ(first, dir.filePath(u"報價單_20240501_093000.xlsx"_s));
    touch(first);
    const QString second = NewOutputPath(dir.path(), u"報價單"_s, when);
    EXPECT_EQ(second, dir.filePath(u"報價單_20240501_093000_2.xlsx"_s));
    touch(second);
    EXPECT_EQ(NewOutputPath(dir.path(), u"報價單"_s, when), dir.filePath(u"報價單_20240501_093000_3.xlsx"_s));
}

TEST(DeliveredWorkbookTest, EveryOutcomeButOpenedNamesTheSavedFile)
{
    EXPECT_EQ(DeliveryMessage(DeliveryOutcome::Opened, u"/a/b.xlsx"_s), QString());
    EXPECT_EQ(DeliveryMessage(DeliveryOutcome::NoProgram, u"/a/b.xlsx"_s), u"系統偵測無 Excel\n檔案已存成 /a/b.xlsx"_s);
    const QString failed = DeliveryMessage(DeliveryOutcome::LaunchFailed, u"/a/b.xlsx"_s);
    EXPECT_TRUE(failed.contains(u"/a/b.xlsx"_s));
    EXPECT_TRUE(failed.contains(u"無法開啟"_s));
    EXPECT_FALSE(failed.contains(u"系統偵測無 Excel"_s));
}

// The spreadsheet program is looked up once per run, so this one test sets it first: a
// program that exists but cannot be started.
TEST(DeliveredWorkbookTest, AProgramThatCannotStartIsAFailedLaunchNotAMissingProgram)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(u"calc"_s);
    touch(broken, "\x7f" "ELF not really");
    QFile::setPermissions(broken, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("VARN_SPREADSHEET", broken.toLocal8Bit());
    StartSpreadsheetLookup();
    const QString file = dir.filePath(u"out.xlsx"_s);
    touch(file);
    EXPECT_EQ(OpenSavedWorkbook(file), DeliveryOutcome::LaunchFailed);
    EXPECT_EQ(OpenSavedWorkbook(dir.filePath(u"missing.xlsx"_s)), DeliveryOutcome::LaunchFailed);
    qunsetenv("VARN_SPREADSHEET");
}
