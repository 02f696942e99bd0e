#include "ShellFixture.h"

#include "app/MainDb.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class MainDbTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        emptyFolder = QDir(programFolder()).filePath(u"elsewhere"_s);
        QDir().mkpath(emptyFolder);
    }

    MdbPathSettings readPaths()
    {
        MdbPathSettings p;
        ReadMdbPathFile(programFolder(), &p);
        return p;
    }

    void pointAt(const QString& db)
    {
        WriteMdbPathFile(programFolder(), MdbPathSettings{db, u"/print"_s, u"/files"_s});
    }

    QString emptyFolder;
};

TEST_F(MainDbTest, OpensTheDatabaseNamedInMdbpath)
{
    pointAt(dbFolder());
    const QByteArray file = readFile(u"Mdbpath.ini"_s);
    // Each opening replaces the connection; the file stays as it was.
    for (int i = 0; i < 2; ++i) {
        const auto before = state().m.gDb;
        EXPECT_TRUE(OpenMainDb());
        EXPECT_TRUE(state().m.gDb);
        EXPECT_NE(state().m.gDb, before);
        EXPECT_EQ(state().m.gMdbPath, dbFolder());
        EXPECT_EQ(state().m.gPrintPath, u"/print"_s);
        EXPECT_EQ(state().m.gFilePath, u"/files"_s);
    }
    EXPECT_EQ(readFile(u"Mdbpath.ini"_s), file);
    EXPECT_EQ(prompts.asked().size(), 0u);
}

TEST_F(MainDbTest, FolderWithoutDatabaseAsksAndChangesOnlyTheDatabaseLine)
{
    pointAt(emptyFolder);
    prompts.answerInput(dbFolder() + QLatin1Char('/'));
    EXPECT_TRUE(OpenMainDb());
    ASSERT_EQ(prompts.askedCount(PromptKind::Input), 1);
    EXPECT_TRUE(prompts.asked(PromptKind::Input).front().text.contains(u"請輸入〔Varn3.Mdb〕的路徑"_s));
    EXPECT_TRUE(state().m.gDb);
    EXPECT_EQ(state().m.gMdbPath, dbFolder());
    const MdbPathSettings p = readPaths();
    EXPECT_EQ(p.mdbPath + p.printPath + p.filePath, dbFolder() + u"/print/files"_s);
    EXPECT_FALSE(endCode.has_value());

    // Without Mdbpath.ini the answer makes one, with the program's own folders.
    ASSERT_TRUE(QFile::remove(QDir(programFolder()).filePath(QString(kMdbPathFile))));
    prompts.answerInput(dbFolder());
    EXPECT_TRUE(OpenMainDb());
    EXPECT_EQ(readPaths().mdbPath, dbFolder());
    EXPECT_FALSE(readPaths().printPath.isEmpty());
}

// A cancelled or wrong answer, or a file that is no database (asked nothing): the program
// stops and Mdbpath.ini stays.
TEST_F(MainDbTest, NoDatabaseStopsAndKeepsMdbpath)
{
    const std::optional<QString> answers[] = {std::nullopt, emptyFolder, std::nullopt};
    for (const std::optional<QString>& answer : answers) {
        const bool unreadable = &answer == &answers[2];
        SCOPED_TRACE(answer.value_or(u"<cancelled>"_s).toStdString() + (unreadable ? " unreadable" : ""));
        prompts.clear();
        endCode.reset();
        if (unreadable)
            writeFile(u"elsewhere/varn3.mdb"_s, QByteArray(4096, 'x'));
        pointAt(emptyFolder);
        prompts.answerInput(answer);
        EXPECT_FALSE(OpenMainDb());
        EXPECT_EQ(prompts.askedCount(PromptKind::Input), unreadable ? 0 : 1);
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
        EXPECT_EQ(prompts.lastMessageText().startsWith(u"3024\n"_s), !unreadable);
        EXPECT_TRUE(endCode.has_value());
        EXPECT_EQ(readPaths().mdbPath, emptyFolder);
    }
}

} // namespace
} // namespace varn::test
