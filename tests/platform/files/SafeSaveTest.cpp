#include "platform/files/SafeSave.h"
#include "support/FileFaults.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QStringList filesInFolder() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir;
};

TEST_F(SafeSave, ReplacesTheFileWhole)
{
    put("a.ini", "old");
    const QByteArray big(100000, 'x');
    for (const QByteArray& bytes : {QByteArray("new\r\n"), QByteArray(), big}) {
        EXPECT_EQ(SaveFileSafely(path("a.ini"), bytes), std::nullopt);
        EXPECT_EQ(bytesOf("a.ini"), bytes);
    }
    EXPECT_EQ(filesInFolder(), QStringList{"a.ini"});
}

// Small files are the dangerous ones: their bytes sit in a buffer until the commit, where a
// failure used to be lost.
TEST_F(SafeSave, AWriteCutShortReportsFailureAndLeavesTheOldFile)
{
    put("a.ini", "old");
    for (const qsizetype size : {200, 10000, 100000}) {
        const QByteArray bytes(size, 'y');
        std::optional<QString> why;
        {
            test::FileSizeLimit limit(100);
            why = SaveFileSafely(path("a.ini"), bytes);
        }
        EXPECT_NE(why, std::nullopt) << size;
        EXPECT_EQ(bytesOf("a.ini"), QByteArray("old")) << size;
        EXPECT_EQ(filesInFolder(), QStringList{"a.ini"}) << size;   // no temporary left behind
    }
}

TEST_F(SafeSave, AFolderThatCannotHoldTheFileIsReported)
{
    put("plain", "a file, not a folder");
    for (const QString& target : {path("plain/a.ini"), path("missing/a.ini"), dir.path()}) {
        EXPECT_NE(SaveFileSafely(target, "x"), std::nullopt) << target.toStdString();
        EXPECT_FALSE(QFile::exists(path("missing/a.ini")));
    }
    EXPECT_EQ(bytesOf("plain"), QByteArray("a file, not a folder"));
}

TEST_F(SafeSave, CopiesWholeOrNotAtAll)
{
    const QByteArray bytes(50000, 'z');
    put("from.mdb", bytes);
    EXPECT_EQ(CopyFileSafely(path("from.mdb"), path("to.mdb")), std::nullopt);
    EXPECT_EQ(bytesOf("to.mdb"), bytes);

    EXPECT_NE(CopyFileSafely(path("none.mdb"), path("other.mdb")), std::nullopt);
    {
        test::FileSizeLimit limit(1000);
        EXPECT_NE(CopyFileSafely(path("from.mdb"), path("cut.mdb")), std::nullopt);
    }
    EXPECT_FALSE(QFile::exists(path("other.mdb")));
    EXPECT_FALSE(QFile::exists(path("cut.mdb")));
}

} // namespace
} // namespace varn
