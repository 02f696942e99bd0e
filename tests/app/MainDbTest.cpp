#include "ShellFixture.h"

#include "app/MainDb.h"
#include "platform/text/Cp950.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>
#include <QFile>

namespace varn::test {

namespace {

class MainDbTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        emptyFolder = QDir(programFolder()).filePath(QStringLiteral("elsewhere"));
        QDir().mkpath(emptyFolder);
    }

    MdbPathSettings readPaths()
    {
        MdbPathSettings p;
        ReadMdbPathFile(programFolder(), &p);
        return p;
    }

    void writePaths(const QString& db, const QString& print, const QString& file)
    {
        WriteMdbPathFile(programFolder(), MdbPathSettings{db, print, file});
    }

    QString emptyFolder;
};

TEST_F(MainDbTest, OpensTheDatabaseNamedInMdbpath)
{
    writePaths(dbFolder(), QStringLiteral("/print"), QStringLiteral("/files"));
    EXPECT_TRUE(OpenMainDb());
    ASSERT_TRUE(state().m.gDb);
    EXPECT_EQ(state().m.gMdbPath, dbFolder());
    EXPECT_EQ(state().m.gPrintPath, QStringLiteral("/print"));
    EXPECT_EQ(state().m.gFilePath, QStringLiteral("/files"));
    EXPECT_EQ(prompts.asked().size(), 0u);
    // Each opening replaces the connection.
    const auto first = state().m.gDb;
    EXPECT_TRUE(OpenMainDb());
    EXPECT_NE(state().m.gDb, first);
}

TEST_F(MainDbTest, FolderWithoutDatabaseAsksAndChangesOnlyTheDatabaseLine)
{
    writePaths(emptyFolder, QStringLiteral("/print"), QStringLiteral("/files"));
    prompts.answerInput(dbFolder() + QLatin1Char('/'));
    EXPECT_TRUE(OpenMainDb());
    ASSERT_EQ(prompts.askedCount(PromptKind::Input), 1);
    const PromptRecord asked = prompts.asked(PromptKind::Input).front();
    EXPECT_TRUE(asked.text.contains(QStringLiteral("請輸入〔Varn3.Mdb〕的路徑")));
    EXPECT_TRUE(asked.title.isEmpty());
    EXPECT_TRUE(asked.defaultText.isEmpty());
    EXPECT_TRUE(state().m.gDb);
    EXPECT_EQ(state().m.gMdbPath, dbFolder());
    const MdbPathSettings p = readPaths();
    EXPECT_EQ(p.mdbPath, dbFolder());
    EXPECT_EQ(p.printPath, QStringLiteral("/print"));
    EXPECT_EQ(p.filePath, QStringLiteral("/files"));
    EXPECT_FALSE(endCode.has_value());
}

TEST_F(MainDbTest, CancelledPromptStopsWithTheErrorNumberAndText)
{
    writePaths(emptyFolder, QStringLiteral("/print"), QStringLiteral("/files"));
    prompts.answerInput(std::nullopt);
    EXPECT_FALSE(OpenMainDb());
    EXPECT_TRUE(endCode.has_value());
    EXPECT_TRUE(prompts.lastMessageText().startsWith(QStringLiteral("3024\n")));
    EXPECT_EQ(readPaths().mdbPath, emptyFolder);
}

TEST_F(MainDbTest, SecondFailureStopsWithoutAnotherPrompt)
{
    writePaths(emptyFolder, QStringLiteral("/print"), QStringLiteral("/files"));
    prompts.answerInput(emptyFolder);
    EXPECT_FALSE(OpenMainDb());
    EXPECT_EQ(prompts.askedCount(PromptKind::Input), 1);
    EXPECT_TRUE(endCode.has_value());
    EXPECT_EQ(readPaths().mdbPath, emptyFolder);
}

TEST_F(MainDbTest, MissingMdbpathAsksAndWritesTheFile)
{
    ASSERT_TRUE(QFile::remove(QDir(programFolder()).filePath(QString(kMdbPathFile))));
    prompts.answerInput(dbFolder());
    EXPECT_TRUE(OpenMainDb());
    EXPECT_EQ(prompts.askedCount(PromptKind::Input), 1);
    const MdbPathSettings p = readPaths();
    EXPECT_EQ(p.mdbPath, dbFolder());
    EXPECT_FALSE(p.printPath.isEmpty());
    EXPECT_FALSE(p.filePath.isEmpty());
    EXPECT_EQ(state().m.gPrintPath, p.printPath);
}

TEST_F(MainDbTest, OtherFailureStopsWithoutPrompt)
{
    writeFile(QStringLiteral("elsewhere/varn3.mdb"), QByteArray(4096, 'x'));
    writePaths(emptyFolder, QStringLiteral("/print"), QStringLiteral("/files"));
    EXPECT_FALSE(OpenMainDb());
    EXPECT_EQ(prompts.askedCount(PromptKind::Input), 0);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(endCode.has_value());
}

} // namespace

} // namespace varn::test
