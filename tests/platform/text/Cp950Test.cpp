#include "platform/text/Cp950.h"

#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

using namespace varn;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(Cp950Codec, PipeSecondByteCharactersRoundTrip)
{
    // 四 and 院 end in the byte 0x7C, the same byte as '|'.
    const auto four = EncodeCp950(u"四");
    ASSERT_TRUE(four);
    EXPECT_EQ(*four, QByteArray("\xA5\x7C"));
    const auto yard = EncodeCp950(u"院");
    ASSERT_TRUE(yard);
    EXPECT_EQ(*yard, QByteArray("\xB0\x7C"));

    const QString text = QStringLiteral("Ｑ‧四樓‧庭院|油漆|€ 12.5|ok");
    const auto bytes = EncodeCp950(text);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(DecodeCp950(*bytes), text);
}

TEST(Cp950Codec, NamesTheFirstCharacterWithoutBig5Form)
{
    EXPECT_FALSE(FirstNonCp950Char(u"報價單 ABC 四院"));
    EXPECT_EQ(FirstNonCp950Char(u"我们的"), std::optional<char32_t>(U'们'));
    EXPECT_EQ(FirstNonCp950Char(QStringLiteral("油漆😀們")), std::optional<char32_t>(U'😀'));
    EXPECT_FALSE(EncodeCp950(u"们"));
    const auto empty = EncodeCp950(u"");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isEmpty());
}

TEST(Cp950Codec, BadBytesBecomeReplacementWithoutEatingTheRest)
{
    EXPECT_EQ(DecodeCp950(QByteArray("a\xFF" "b")), QStringLiteral("a\uFFFDb"));
    // A lead byte before a line break must not swallow the break.
    EXPECT_EQ(DecodeCp950(QByteArray("\xA5\n\xA5\x7C")), QStringLiteral("\uFFFD\n四"));
    // A lead byte cut off by the end.
    EXPECT_EQ(DecodeCp950(QByteArray("\xA5\x7C\xA5")), QStringLiteral("四\uFFFD"));
}

class Cp950Files : public testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(Cp950Files, WritesCrlfAfterEveryLine)
{
    Cp950LineWriter w;
    w.addLine(QStringLiteral("0n"));
    w.addLine(QStringLiteral("四院"), QStringLiteral("客戶名稱"));
    w.addLine(QString());
    EXPECT_EQ(w.lineCount(), 3);
    w.commit(path("a.vrn"));
    EXPECT_EQ(readBytes(path("a.vrn")), QByteArray("0n\r\n\xA5\x7C\xB0\x7C\r\n\r\n"));
}

TEST_F(Cp950Files, LinesSplitOnlyAtLineBreaksNeverInsideCharacters)
{
    Cp950LineWriter w;
    w.addLine(QStringLiteral("[Grid]"));
    w.addLine(QStringLiteral("Ｑ‧四樓|院子|式|1|1200|1200||||||"));
    w.addLine(QStringLiteral("四|院"));
    w.commit(path("b.vrn"));

    const QStringList lines = ReadCp950Lines(path("b.vrn"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], QStringLiteral("Ｑ‧四樓|院子|式|1|1200|1200||||||"));
    EXPECT_EQ(lines[1].split(u'|').size(), 12);
    EXPECT_EQ(lines[2].split(u'|'), QStringList({QStringLiteral("四"), QStringLiteral("院")}));
}

TEST_F(Cp950Files, ReadsLfOnlyAndMixedLineBreaks)
{
    writeBytes(path("lf.txt"), QByteArray("one\n\xA5\x7C\ntwo\r\n\nlast"));
    EXPECT_EQ(ReadCp950Lines(path("lf.txt")),
              QStringList({"one", QStringLiteral("四"), "two", "", "last"}));
}

TEST_F(Cp950Files, FinalLineBreakGivesNoExtraLine)
{
    writeBytes(path("c.txt"), QByteArray("a\r\nb\r\n"));
    EXPECT_EQ(ReadCp950Lines(path("c.txt")), QStringList({"a", "b"}));
    writeBytes(path("d.txt"), QByteArray("a\r\n\r\n"));
    EXPECT_EQ(ReadCp950Lines(path("d.txt")), QStringList({"a", ""}));
    writeBytes(path("e.txt"), QByteArray());
    EXPECT_TRUE(ReadCp950Lines(path("e.txt")).isEmpty());
}

TEST_F(Cp950Files, MissingFileThrowsNamingIt)
{
    try {
        ReadCp950Lines(path("none.ini"));
        FAIL() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("none.ini"))) << e.what();
    }
}

TEST_F(Cp950Files, RefusesSimplifiedCharacterAndLeavesOldFile)
{
    writeBytes(path("q.vrn"), QByteArray("old\r\n"));
    Cp950LineWriter w;
    w.addLine(QStringLiteral("0n"));
    w.addLine(QStringLiteral("我们"), QStringLiteral("品名"));
    try {
        w.commit(path("q.vrn"));
        FAIL() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("「品名」含有無法存成 Big5 的字元「们」"));
    }
    EXPECT_EQ(readBytes(path("q.vrn")), QByteArray("old\r\n"));
}

TEST_F(Cp950Files, RefusesEmojiNamingFieldOrLine)
{
    Cp950LineWriter w;
    w.addLine(QStringLiteral("ok"));
    w.addLine(QStringLiteral("笑😀"));
    try {
        w.commit(path("new.vrn"));
        FAIL() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("第 2 行含有無法存成 Big5 的字元「😀」"));
    }
    EXPECT_FALSE(QFile::exists(path("new.vrn")));

    Cp950LineWriter named;
    named.addLine(QStringLiteral("😀"), QStringLiteral("備註"));
    EXPECT_THROW(named.commit(path("new.vrn")), TextFileError);
    EXPECT_FALSE(QFile::exists(path("new.vrn")));
}

TEST_F(Cp950Files, RefusesLineBreakInsideValue)
{
    writeBytes(path("q.vrn"), QByteArray("old\r\n"));
    Cp950LineWriter w;
    w.addLine(QStringLiteral("第一行\n第二行"), QStringLiteral("地址"));
    try {
        w.commit(path("q.vrn"));
        FAIL() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("「地址」"))) << e.what();
    }
    EXPECT_EQ(readBytes(path("q.vrn")), QByteArray("old\r\n"));
}

TEST_F(Cp950Files, ReplacesExistingFileAndReportsUnwritableFolder)
{
    writeBytes(path("r.ini"), QByteArray("a much longer old content\r\n"));
    Cp950LineWriter w;
    w.addLine(QStringLiteral("x"));
    w.commit(path("r.ini"));
    EXPECT_EQ(readBytes(path("r.ini")), QByteArray("x\r\n"));

    EXPECT_THROW(w.commit(path("no/such/folder/r.ini")), TextFileError);
}

} // namespace

namespace {

// Lowers the file-size limit for one scope, so a write fails part-way as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
};

} // namespace

TEST_F(Cp950Files, WriteCutShortLeavesTheOldFile)
{
    const QString path = dir.filePath(QStringLiteral("Of.ini"));
    writeBytes(path, "old\r\n");
    Cp950LineWriter writer;
    for (int i = 0; i < 100; ++i)
        writer.addLine(QStringLiteral("line %1 of a file bigger than the limit").arg(i));
    {
        FileSizeLimit limit(100);
        EXPECT_THROW(writer.commit(path), TextFileError);
    }
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
}
