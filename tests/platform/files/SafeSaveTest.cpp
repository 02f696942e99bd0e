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

} // namespace
} // namespace varn
