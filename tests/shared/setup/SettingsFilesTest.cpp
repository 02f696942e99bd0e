#include "SetupTestSupport.h"
#include "shared/setup/XpDefaults.h"
#include "platform/text/Cp950.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace varn;
using namespace Qt::StringLiterals;

namespace {

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ProgramState::reset(); }
    void TearDown() override { ProgramState::reset(); }

    QString folder() const { return m_dir.path(); }
    QByteArray bytesOf(QLatin1String name) const { return setup_test::readFile(QDir(folder()).filePath(name)); }
    void putBytes(QLatin1String name, const QByteArray& bytes) const
    {
        ASSERT_TRUE(setup_test::writeFile(QDir(folder()).filePath(name), bytes));
    }
    // The bytes a CP950 CRLF file of these lines holds.
    static QByteArray cp950File(const QStringList& lines)
    {
        QByteArray out;
        for (const QString& l : lines)
            out += EncodeCp950(l).value_or("?") + "\r\n";
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(SettingsFilesTest, MdbPathRoundTripsAsCp950AndReportsMissingOrShortFiles)
{
    MdbPathSettings back;
    const SettingsFileResult missing = ReadMdbPathFile(folder(), &back);
    EXPECT_EQ(missing.status, SettingsFileStatus::Missing);
    EXPECT_EQ(missing.path, QDir(folder()).filePath(u"Mdbpath.ini"_s));

    const QStringList lines{u"/srv/瓦恩工房/db"_s, u"/srv/瓦恩工房/templates"_s, u"/home/王小明/報價單"_s};
    WriteMdbPathFile(folder(), {lines[0], lines[1], lines[2]});
    EXPECT_EQ(bytesOf(kMdbPathFile), cp950File(lines));
    EXPECT_TRUE(ReadMdbPathFile(folder(), &back).ok());
    EXPECT_EQ(QStringList({back.mdbPath, back.printPath, back.filePath}), lines);

    // Text the code page cannot hold leaves the old file as it was.
    EXPECT_THROW(WriteMdbPathFile(folder(), {u"/a/😀"_s, u"/t"_s, u"/q"_s}), TextFileError);
    EXPECT_EQ(bytesOf(kMdbPathFile), cp950File(lines));

    // Lines the file lacks, or leaves empty, read as the program folder's own folders.
    const QString templates = QDir(folder()).filePath(u"templates"_s);
    const QString quotations = QDir(folder()).filePath(u"quotations"_s);
    const struct {
        QByteArray file;
        SettingsFileStatus status;
        QStringList read;
    } shortOnes[] = {
        {"/a/db\r\n/a/t\r\n", SettingsFileStatus::Short, {u"/a/db"_s, u"/a/t"_s, quotations}},
        {"/a/db", SettingsFileStatus::Short, {u"/a/db"_s, templates, quotations}},
        {"/a/db\r\n\r\n\r\n", SettingsFileStatus::Ok, {u"/a/db"_s, templates, quotations}},
    };
    for (const auto& c : shortOnes) {
        putBytes(kMdbPathFile, c.file);
        EXPECT_EQ(ReadMdbPathFile(folder(), &back).status, c.status) << c.file.toStdString();
        EXPECT_EQ(QStringList({back.mdbPath, back.printPath, back.filePath}), c.read) << c.file.toStdString();
        EXPECT_EQ(bytesOf(kMdbPathFile), c.file);
    }
}

TEST_F(SettingsFilesTest, AutoSaveOnOnlyForExactlyOneAndTheIntervalKeptAsTyped)
{
    const struct {
        QByteArray file;
        bool on;
        int minutes;
    } cases[] = {{"1\r\n5\r\n", true, 5},  {"0\r\n5\r\n", false, 5}, {"1 \r\n5\r\n", false, 5},
                 {"11\r\n\r\n", false, 0}, {"1\r\n\r\n", true, 0},   {"1\r\nabc\r\n", true, 0},
                 {"1\r\n99999\r\n", true, 32767}};
    for (const auto& c : cases) {
        putBytes(kAutoFile, c.file);
        EXPECT_TRUE(LoadAutoSaveSettings(folder()).ok()) << c.file.toStdString();
        EXPECT_EQ(state().m.gAutoSave, c.on) << c.file.toStdString();
        EXPECT_EQ(state().m.gAutoSaveMin, c.minutes) << c.file.toStdString();
    }
    WriteAutoFile(folder(), AutoSaveSettings{true, QString()});
    EXPECT_EQ(bytesOf(kAutoFile), QByteArray("1\r\n\r\n"));

    // A missing file means off.
    QFile::remove(QDir(folder()).filePath(kAutoFile));
    EXPECT_EQ(LoadAutoSaveSettings(folder()).status, SettingsFileStatus::Missing);
    EXPECT_FALSE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 0);
}

TEST_F(SettingsFilesTest, XpIsWrittenAndReadExactlyAsTypedUpTo32Lines)
{
    // Seeding checks that the defaults give the file the shipped templates were laid out for.
    XpValues v = XpDefaults();
    v[0] = u" B"_s;     // leading blank kept
    v[9] = u"10 "_s;    // trailing blank kept
    v[31] = QString();  // an empty last line still counts
    WriteXpFile(folder(), v);
    EXPECT_EQ(bytesOf(kXpFile), cp950File(QStringList(v.begin(), v.end())));
    XpValues back;
    EXPECT_TRUE(ReadXpFile(folder(), &back).ok());
    EXPECT_EQ(back, v);

    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << QString::number(i);
    putBytes(kXpFile, cp950File(lines));
    EXPECT_TRUE(ReadXpFile(folder(), &back).ok());
    EXPECT_EQ(back[31], u"32"_s);
}

TEST_F(SettingsFilesTest, PrintSettingsMissingOrShortKeepTheDefaults)
{
    state().m.gFixedHeader = true;
    XlSettingsResult r = LoadXlSettingsFiles(folder());
    EXPECT_EQ(r.xp.status, SettingsFileStatus::Missing);
    EXPECT_EQ(r.fastP.status, SettingsFileStatus::Missing);
    EXPECT_EQ(state().m.gXp, XpDefaults());
    EXPECT_FALSE(state().m.gFixedHeader);

    putBytes(kXpFile, "B\r\n2\r\nH\r\n8\r\n");
    r = LoadXlSettingsFiles(folder());
    EXPECT_EQ(r.xp.status, SettingsFileStatus::Short);
    XpValues expected = XpDefaults();
    std::copy_n(QStringList({u"B"_s, u"2"_s, u"H"_s, u"8"_s}).begin(), 4, expected.begin());
    EXPECT_EQ(state().m.gXp, expected);

    // The fixed header is on when its line begins with 1.
    const std::pair<QByteArray, bool> cases[] = {{"1\r\n", true},  {"1abc\r\n", true}, {"0\r\n", false},
                                                 {"\r\n", false},  {" 1\r\n", false},  {"", false}};
    for (const auto& [file, on] : cases) {
        putBytes(kFastPFile, file);
        LoadXlSettingsFiles(folder());
        EXPECT_EQ(state().m.gFixedHeader, on) << file.toStdString();
    }
    WriteFastPFile(folder(), true);
    EXPECT_EQ(bytesOf(kFastPFile), QByteArray("1\r\n"));
}

} // namespace
