#include "platform/text/Cp950.h"
#include "support/FileFaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace varn;

namespace {

// Writing and reading files shows the bytes; here: text round trips, the character named
// for lacking a Big5 form, and bytes that are no text.
TEST(Cp950Codec, RoundTripsNamesTheFirstCharacterWithoutBig5FormAndReplacesBadBytes)
{
    const QString text = QStringLiteral("Ｑ‧四樓‧庭院|油漆|€ 12.5|ok");
    EXPECT_EQ(DecodeCp950(EncodeCp950(text).value_or("?")), text);
    EXPECT_EQ(FirstNonCp950Char(u"我们的"), std::optional<char32_t>(U'们'));
    EXPECT_EQ(FirstNonCp950Char(QStringLiteral("油漆😀們")), std::optional<char32_t>(U'😀'));

    EXPECT_EQ(DecodeCp950(QByteArray("a\xFF" "b")), QStringLiteral("a\uFFFDb"));
    // A lead byte before a line break must not swallow the break.
    EXPECT_EQ(DecodeCp950(QByteArray("\xA5\n\xA5\x7C")), QStringLiteral("\uFFFD\n四"));
    // A lead byte cut off by the end.
    EXPECT_EQ(DecodeCp950(QByteArray("\xA5\x7C\xA5")), QStringLiteral("四\uFFFD"));
}

class Cp950Files : public testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray bytesOf(const char* name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void put(const char* name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    QTemporaryDir dir;
};

TEST_F(Cp950Files, WritesCrlfLinesThatReadBackWholeAndReadsEveryKindOfLineBreak)
{
    Cp950LineWriter w;
    w.addLine(QStringLiteral("0n"));
    w.addLine(QStringLiteral("四|院"), QStringLiteral("客戶名稱"));
    w.addLine(QString());
    EXPECT_EQ(w.lineCount(), 3);
    put("a.vrn", "a much longer old content\r\n");
    w.commit(path("a.vrn"));
    EXPECT_EQ(bytesOf("a.vrn"), QByteArray("0n\r\n\xA5\x7C|\xB0\x7C\r\n\r\n"));
    // Lines split only at line breaks, never inside a character ending in '|'.
    EXPECT_EQ(ReadCp950Lines(path("a.vrn")), QStringList({"0n", QStringLiteral("四|院"), ""}));

    EXPECT_THROW(w.commit(path("no/such/folder/a.vrn")), TextFileError);

    const std::pair<QByteArray, QStringList> cases[] = {
        {"one\n\xA5\x7C\ntwo\r\n\nlast", {"one", QStringLiteral("四"), "two", "", "last"}},
        {"a\r\nb\r\n", {"a", "b"}},   // a final line break gives no extra line
        {"a\r\n\r\n", {"a", ""}},
        {"", {}},
    };
    for (const auto& [bytes, lines] : cases) {
        put("in.txt", bytes);
        EXPECT_EQ(ReadCp950Lines(path("in.txt")), lines) << bytes.toStdString();
    }
    try {
        ReadCp950Lines(path("none.ini"));
        ADD_FAILURE() << "no error";
    } catch (const TextFileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("none.ini"))) << e.what();
    }

    // A file that cannot be reached says why in words.
    const auto failureOf = [](const std::function<void()>& step) -> std::optional<QString> {
        try {
            step();
        } catch (const TextFileError& e) {
            return e.message();
        }
        return std::nullopt;
    };
    EXPECT_TRUE(test::SaysInChinese(failureOf([&] { ReadCp950Lines(path("none.ini")); }), QStringLiteral("檔案不存在")));
    EXPECT_TRUE(test::SaysInChinese(failureOf([&] { ReadCp950Lines(dir.path()); }), QStringLiteral("資料夾")));
    EXPECT_TRUE(test::SaysInChinese(failureOf([&] { w.commit(path("a.vrn/a.vrn")); }), QStringLiteral("路徑不存在")));
}

TEST_F(Cp950Files, RefusedTextNamesFieldOrLineAndLeavesTheOldFileAsDoesAWriteCutShort)
{
    const struct {
        QString text, field, message;
    } cases[] = {
        {QStringLiteral("我们"), QStringLiteral("品名"), QStringLiteral("「品名」含有無法存成 Big5 的字元「们」")},
        {QStringLiteral("笑😀"), QString(), QStringLiteral("第 2 行含有無法存成 Big5 的字元「😀」")},
        {QStringLiteral("第一行\n第二行"), QStringLiteral("地址"), QStringLiteral("「地址」")},
    };
    put("old.vrn", "old\r\n");
    for (const auto& c : cases) {
        Cp950LineWriter w;
        w.addLine(QStringLiteral("ok"));
        w.addLine(c.text, c.field);
        for (const char* name : {"old.vrn", "new.vrn"}) {
            try {
                w.commit(path(name));
                ADD_FAILURE() << "no error for " << c.text.toStdString();
            } catch (const TextFileError& e) {
                EXPECT_TRUE(e.message().contains(c.message)) << e.what();
            }
        }
        EXPECT_EQ(bytesOf("old.vrn"), QByteArray("old\r\n"));
        EXPECT_FALSE(QFile::exists(path("new.vrn")));
    }
    // So does a write cut short.
    Cp950LineWriter big;
    for (int i = 0; i < 100; ++i)
        big.addLine(QStringLiteral("line %1 of a file bigger than the limit").arg(i));
    test::FileSizeLimit limit(100);
    EXPECT_THROW(big.commit(path("old.vrn")), TextFileError);
    EXPECT_EQ(bytesOf("old.vrn"), QByteArray("old\r\n"));
}

} // namespace
