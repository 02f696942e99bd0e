#include "platform/text/Cp950.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"
#include "excel_output/XpDefaults.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace varn;

namespace {

class SettingsFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ProgramState::reset();
    }
    void TearDown() override { ProgramState::reset(); }

    QString folder() const { return m_dir.path(); }

    QByteArray bytesOf(QLatin1String name) const
    {
        QFile f(QDir(folder()).filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void putBytes(QLatin1String name, const QByteArray& bytes) const
    {
        QFile f(QDir(folder()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    // The bytes a CP950 CRLF file of these lines holds.
    static QByteArray cp950File(const QStringList& lines)
    {
        QByteArray out;
        for (const QString& l : lines) {
            const auto encoded = EncodeCp950(l);
            EXPECT_TRUE(encoded.has_value()) << l.toStdString();
            out += encoded.value_or(QByteArray()) + "\r\n";
        }
        return out;
    }

    QTemporaryDir m_dir;
};

// ---- Mdbpath.ini

TEST_F(SettingsFilesTest, MdbPathRoundTripsAsCp950WithCrLf)
{
    const MdbPathSettings paths{QStringLiteral("/srv/瓦恩工房/db"), QStringLiteral("/srv/瓦恩工房/templates"),
                                QStringLiteral("/home/王小明/報價單")};
    WriteMdbPathFile(folder(), paths);
    EXPECT_EQ(bytesOf(kMdbPathFile), cp950File({paths.mdbPath, paths.printPath, paths.filePath}));

    MdbPathSettings back;
    EXPECT_TRUE(ReadMdbPathFile(folder(), &back).ok());
    EXPECT_EQ(back.mdbPath, paths.mdbPath);
    EXPECT_EQ(back.printPath, paths.printPath);
    EXPECT_EQ(back.filePath, paths.filePath);
}

TEST_F(SettingsFilesTest, MdbPathMissingOrShortIsReported)
{
    MdbPathSettings paths;
    SettingsFileResult r = ReadMdbPathFile(folder(), &paths);
    EXPECT_EQ(r.status, SettingsFileStatus::Missing);
    EXPECT_EQ(r.path, QDir(folder()).filePath(QStringLiteral("Mdbpath.ini")));

    putBytes(kMdbPathFile, "/a/db\r\n/a/t\r\n");
    r = LoadMdbPathSettings(folder());
    EXPECT_EQ(r.status, SettingsFileStatus::Short);
    EXPECT_EQ(state().m.gMdbPath, QStringLiteral("/a/db"));
    EXPECT_EQ(state().m.gPrintPath, QStringLiteral("/a/t"));
    EXPECT_TRUE(state().m.gFilePath.isEmpty());
}

TEST_F(SettingsFilesTest, TextThatCp950CannotHoldLeavesTheOldFile)
{
    putBytes(kMdbPathFile, cp950File({"/a/db", "/a/t", "/a/q"}));
    const QByteArray before = bytesOf(kMdbPathFile);
    EXPECT_THROW(WriteMdbPathFile(folder(), {QStringLiteral("/a/😀"), QStringLiteral("/t"), QStringLiteral("/q")}),
                 TextFileError);
    EXPECT_EQ(bytesOf(kMdbPathFile), before);
}

// ---- Auto.ini

TEST_F(SettingsFilesTest, AutoSaveOnOnlyForExactlyOne)
{
    const struct {
        QByteArray file;
        bool on;
        int minutes;
    } cases[] = {
        {"1\r\n5\r\n", true, 5},
        {"0\r\n5\r\n", false, 5},
        {"1 \r\n5\r\n", false, 5},
        {"11\r\n\r\n", false, 0},
        {"1\r\n\r\n", true, 0},
        {"1\r\nabc\r\n", true, 0},
        {"1\r\n99999\r\n", true, 32767},
    };
    for (const auto& c : cases) {
        putBytes(kAutoFile, c.file);
        EXPECT_TRUE(LoadAutoSaveSettings(folder()).ok()) << c.file.toStdString();
        EXPECT_EQ(state().m.gAutoSave, c.on) << c.file.toStdString();
        EXPECT_EQ(state().m.gAutoSaveMin, c.minutes) << c.file.toStdString();
    }
}

TEST_F(SettingsFilesTest, AutoSaveRoundTripKeepsTheIntervalAsTyped)
{
    WriteAutoFile(folder(), AutoSaveSettings{true, QString()});
    EXPECT_EQ(bytesOf(kAutoFile), QByteArray("1\r\n\r\n"));
    AutoSaveSettings back;
    EXPECT_TRUE(ReadAutoFile(folder(), &back).ok());
    EXPECT_TRUE(back.enabled);
    EXPECT_TRUE(back.intervalText.isEmpty());

    WriteAutoFile(folder(), AutoSaveSettings{false, QStringLiteral("15")});
    EXPECT_EQ(bytesOf(kAutoFile), QByteArray("0\r\n15\r\n"));
}

TEST_F(SettingsFilesTest, MissingAutoSaveMeansOff)
{
    state().m.gAutoSave = true;
    state().m.gAutoSaveMin = 9;
    EXPECT_EQ(LoadAutoSaveSettings(folder()).status, SettingsFileStatus::Missing);
    EXPECT_FALSE(state().m.gAutoSave);
    EXPECT_EQ(state().m.gAutoSaveMin, 0);
}

// ---- Xp.ini and fastP.ini

TEST_F(SettingsFilesTest, DefaultsWrittenMatchTheShippedTemplatesXpIni)
{
    // The seed writes Xp.ini from the defaults; it must be the file the templates were laid
    // out for, byte for byte.
    WriteXpFile(folder(), XpDefaults());
    EXPECT_EQ(bytesOf(kXpFile), DefaultXpIniContent());
}

TEST_F(SettingsFilesTest, XpRoundTripKeepsEveryValueExactlyAsTyped)
{
    XpValues v = XpDefaults();
    v[0] = QStringLiteral(" B");     // leading blank kept
    v[9] = QStringLiteral("10 ");    // trailing blank kept
    v[24] = QStringLiteral("ab");
    v[31] = QString();              // an empty last line still counts
    WriteXpFile(folder(), v);

    QStringList lines;
    for (const QString& s : v)
        lines << s;
    EXPECT_EQ(bytesOf(kXpFile), cp950File(lines));

    XpValues back;
    EXPECT_TRUE(ReadXpFile(folder(), &back).ok());
    EXPECT_EQ(back, v);
}

TEST_F(SettingsFilesTest, XpShortFileKeepsDefaultsForTheMissingLines)
{
    putBytes(kXpFile, "B\r\n2\r\nH\r\n8\r\n");
    putBytes(kFastPFile, "1\r\n");
    const XlSettingsResult r = LoadXlSettingsFiles(folder());
    EXPECT_EQ(r.xp.status, SettingsFileStatus::Short);
    EXPECT_TRUE(r.fastP.ok());
    const XpValues d = XpDefaults();
    EXPECT_EQ(state().m.gXp[0], QStringLiteral("B"));
    EXPECT_EQ(state().m.gXp[3], QStringLiteral("8"));
    for (size_t i = 4; i < 32; ++i)
        EXPECT_EQ(state().m.gXp[i], d[i]) << i;
    EXPECT_TRUE(state().m.gFixedHeader);
}

TEST_F(SettingsFilesTest, XpReadsOnlyTheFirst32Lines)
{
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << QString::number(i);
    putBytes(kXpFile, cp950File(lines));
    XpValues v = XpDefaults();
    EXPECT_TRUE(ReadXpFile(folder(), &v).ok());
    EXPECT_EQ(v[31], QStringLiteral("32"));
}

TEST_F(SettingsFilesTest, MissingPrintSettingsGiveDefaultsAndNoFixedHeader)
{
    state().m.gFixedHeader = true;
    const XlSettingsResult r = LoadXlSettingsFiles(folder());
    EXPECT_EQ(r.xp.status, SettingsFileStatus::Missing);
    EXPECT_EQ(r.fastP.status, SettingsFileStatus::Missing);
    EXPECT_EQ(state().m.gXp, XpDefaults());
    EXPECT_FALSE(state().m.gFixedHeader);
}

TEST_F(SettingsFilesTest, FixedHeaderOnWhenTheLineBeginsWithOne)
{
    const struct {
        QByteArray file;
        bool on;
    } cases[] = {{"1\r\n", true}, {"1abc\r\n", true}, {"0\r\n", false}, {"\r\n", false},
                 {" 1\r\n", false}, {"", false}};
    for (const auto& c : cases) {
        putBytes(kFastPFile, c.file);
        bool on = !c.on;
        ReadFastPFile(folder(), &on);
        EXPECT_EQ(on, c.on) << c.file.toStdString();
    }
    WriteFastPFile(folder(), true);
    EXPECT_EQ(bytesOf(kFastPFile), QByteArray("1\r\n"));
    WriteFastPFile(folder(), false);
    EXPECT_EQ(bytesOf(kFastPFile), QByteArray("0\r\n"));
}

} // namespace
