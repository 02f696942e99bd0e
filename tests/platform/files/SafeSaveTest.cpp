#include "platform/files/FileFailure.h"
#include "platform/files/SafeSave.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace varn {
namespace {

class SafeSave : public testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray bytesOf(const QString& name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};

// Small files are the dangerous ones: their bytes sit in a buffer until the commit, where a
// failure used to be lost.
TEST_F(SafeSave, AFileIsReplacedWholeOrLeftAsItWas)
{
    const QByteArray old(300, 'o');
    ASSERT_EQ(SaveFileSafely(path("a.ini"), old), std::nullopt);
    for (const qsizetype size : {200, 100000}) {
        test::FileSizeLimit limit(100);
        EXPECT_NE(SaveFileSafely(path("a.ini"), QByteArray(size, 'y')), std::nullopt) << size;
        EXPECT_NE(CopyFileSafely(path("a.ini"), path("b.ini")), std::nullopt);
    }
    // A folder that is a file, one that is missing, a folder in the file's place.
    for (const QString& target : {path("a.ini/x.ini"), path("missing/x.ini"), dir.path()})
        EXPECT_NE(SaveFileSafely(target, "x"), std::nullopt) << target.toStdString();
    EXPECT_NE(CopyFileSafely(path("none.ini"), path("b.ini")), std::nullopt);
    EXPECT_EQ(bytesOf("a.ini"), old);
    EXPECT_EQ(files(), QStringList{"a.ini"});   // no temporary left behind

    // The rename that commits fails: the target became a folder that is not empty.
    SetSafeSaveBeforeCommit([](const QString& target) {
        QFile::remove(target);
        QDir().mkpath(target + "/inside");
    });
    EXPECT_NE(SaveFileSafely(path("c.ini"), "x"), std::nullopt);
    EXPECT_NE(CopyFileSafely(path("a.ini"), path("d.ini")), std::nullopt);
    SetSafeSaveBeforeCommit({});
    EXPECT_EQ(files(), QStringList{"a.ini"});

    EXPECT_EQ(SaveFileSafely(path("a.ini"), QByteArray(50000, 'z')), std::nullopt);
    EXPECT_EQ(CopyFileSafely(path("a.ini"), path("b.ini")), std::nullopt);
    EXPECT_EQ(bytesOf("b.ini"), QByteArray(50000, 'z'));
}

TEST_F(SafeSave, EveryFailureIsGivenItsReasonInChineseWords)
{
    using test::SaysInChinese;
    ASSERT_EQ(SaveFileSafely(path("a.ini"), "old"), std::nullopt);
    EXPECT_TRUE(SaysInChinese(SaveFileSafely(path("a.ini/x.ini"), "x"), u"路徑不存在"_s));
    EXPECT_TRUE(SaysInChinese(SaveFileSafely(path("missing/x.ini"), "x"), u"路徑不存在"_s));
    EXPECT_TRUE(SaysInChinese(SaveFileSafely(dir.path(), "x"), u"資料夾"_s));
    EXPECT_TRUE(SaysInChinese(CopyFileSafely(path("none.ini"), path("b.ini")), u"檔案不存在"_s));
    EXPECT_TRUE(SaysInChinese(CopyFileSafely(dir.path(), path("b.ini")), u"資料夾"_s));
    EXPECT_TRUE(SaysInChinese(MakeFolders(path("a.ini/sub")), u"路徑不存在"_s));
    EXPECT_TRUE(SaysInChinese(MakeFolders(path("a.ini")), u"同名"_s));
    EXPECT_EQ(MakeFolders(path("new/deeper")), std::nullopt);
    EXPECT_TRUE(QFileInfo(path("new/deeper")).isDir());
    for (const qsizetype size : {200, 100000}) {
        test::FileSizeLimit limit(100);
        EXPECT_TRUE(SaysInChinese(SaveFileSafely(path("a.ini"), QByteArray(size, 'y')), u"檔案太大"_s));
    }
    SetSafeSaveBeforeCommit([](const QString& target) { QDir().mkpath(target + "/inside"); });
    EXPECT_TRUE(SaysInChinese(SaveFileSafely(path("c.ini"), "x"), u"資料夾"_s));
    SetSafeSaveBeforeCommit({});
    // Permissions bind everyone but the superuser.
    if (geteuid() != 0) {
        QDir().mkpath(path("locked"));
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_TRUE(SaysInChinese(SaveFileSafely(path("locked/x.ini"), "x"), u"沒有寫入權限"_s));
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // Failures this machine cannot stage, by the number the system gives them; one without
    // words of its own still opens in Chinese.
    const std::pair<int, QString> numbers[] = {{ENOSPC, u"磁碟已滿"_s},   {EACCES, u"沒有寫入權限"_s},
                                               {ETXTBSY, u"檔案被鎖定"_s}, {EROFS, u"唯讀"_s},
                                               {ENOENT, u"路徑不存在"_s},  {EOVERFLOW, u"檔案無法寫入"_s}};
    for (const auto& [number, words] : numbers)
        EXPECT_TRUE(SaysInChinese(FileFailureReason(number, FileUse::Write), words));
    EXPECT_TRUE(SaysInChinese(FileFailureReason(EACCES, FileUse::Read), u"沒有讀取權限"_s));
}

} // namespace
} // namespace varn
