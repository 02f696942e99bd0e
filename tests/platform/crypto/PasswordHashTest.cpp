#include "platform/crypto/PasswordHash.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(PasswordHash, HashesAndPlainValuesAcceptOnlyTheSamePasswordAndDamagedHashesNone)
{
    const QString stored = HashPassword(QStringLiteral("王大明1234"));
    EXPECT_TRUE(IsPasswordHash(stored) && stored.startsWith(QStringLiteral("pbkdf2$")));
    EXPECT_FALSE(stored.contains(QStringLiteral("王大明")));
    // The salt makes each hash different; a legacy plain value is compared exactly.
    const QString again = HashPassword(QStringLiteral("王大明1234"));
    EXPECT_NE(again, stored);
    EXPECT_FALSE(IsPasswordHash(QStringLiteral("Abc123")));
    for (const QString& hash : {stored, again}) {
        EXPECT_TRUE(VerifyPassword(QStringLiteral("王大明1234"), hash));
        // The stored hash itself is not a password.
        for (const QString& wrong : {QStringLiteral("王大明123"), QStringLiteral("王大明12345"), QString(), stored})
            EXPECT_FALSE(VerifyPassword(wrong, hash)) << wrong.toStdString();
    }
    EXPECT_TRUE(VerifyPassword(QStringLiteral("Abc123"), QStringLiteral("Abc123")));
    for (const QString& wrong : {QStringLiteral("abc123"), QStringLiteral("Abc123 "), QStringLiteral("Ａbc123")})
        EXPECT_FALSE(VerifyPassword(wrong, QStringLiteral("Abc123"))) << wrong.toStdString();

    // Damaged hashes are not hashes, nor plain values.
    const QStringList parts = HashPassword(QStringLiteral("pw")).split(QLatin1Char('$'));
    const QStringList bad = {
        QStringLiteral("pbkdf2$"),
        QStringLiteral("pbkdf2$x$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$0$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$999999999$%1$%2").arg(parts[2], parts[3]),
        QStringLiteral("pbkdf2$1000$***$%1").arg(parts[3]),
        QStringLiteral("pbkdf2$1000$%1$").arg(parts[2]),
        QStringLiteral("sha1$1000$%1$%2").arg(parts[2], parts[3]),
    };
    for (const QString& s : bad) {
        EXPECT_FALSE(IsPasswordHash(s)) << s.toStdString();
        EXPECT_FALSE(VerifyPassword(QStringLiteral("pw"), s)) << s.toStdString();
    }
}

} // namespace
} // namespace varn
