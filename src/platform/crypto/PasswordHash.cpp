#include "platform/crypto/PasswordHash.h"

#include <QByteArray>
#include <QStringList>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/rand.h>


namespace varn {

namespace {

const QString kMarker = QStringLiteral("pbkdf2");
constexpr int kIterations = 120000;
constexpr int kSaltBytes = 16;
constexpr int kHashBytes = 32;
// A stored value naming more rounds than this is not ours; refusing it keeps a damaged
// or planted row from stalling the sign-in.
constexpr int kMaxIterations = 10000000;

QByteArray derive(const QString& plain, const QByteArray& salt, int iterations, int length)
{
    const QByteArray pass = plain.toUtf8();
    QByteArray out(length, '\0');
    if (PKCS5_PBKDF2_HMAC(pass.constData(), int(pass.size()),
                          reinterpret_cast<const unsigned char*>(salt.constData()), int(salt.size()),
                          iterations, EVP_sha256(), length,
                          reinterpret_cast<unsigned char*>(out.data()))
        != 1)
        throw PasswordHashError(QStringLiteral("密碼雜湊計算失敗"));
    return out;
}

bool equalBytes(const QByteArray& a, const QByteArray& b)
{
    return a.size() == b.size() && CRYPTO_memcmp(a.constData(), b.constData(), size_t(a.size())) == 0;
}

struct ParsedHash {
    int iterations = 0;
    QByteArray salt;
    QByteArray hash;
};

bool parse(const QString& stored, ParsedHash& out)
{
    const QStringList parts = stored.split(QLatin1Char('$'));
    if (parts.size() != 4 || parts.at(0) != kMarker)
        return false;
    bool ok = false;
    out.iterations = parts.at(1).toInt(&ok);
    if (!ok || out.iterations < 1 || out.iterations > kMaxIterations)
        return false;
    const auto decode = [](const QString& text, QByteArray& bytes) {
        auto result = QByteArray::fromBase64Encoding(text.toLatin1(),
                                                     QByteArray::AbortOnBase64DecodingErrors);
        bytes = *result;
        return bool(result) && !bytes.isEmpty();
    };
    return decode(parts.at(2), out.salt) && decode(parts.at(3), out.hash);
}

} // namespace

PasswordHashError::PasswordHashError(const QString& message)
    : std::runtime_error(message.toStdString())
    , m_message(message)
{
}

QString HashPassword(const QString& plain)
{
    QByteArray salt(kSaltBytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(salt.data()), kSaltBytes) != 1)
        throw PasswordHashError(QStringLiteral("無法取得密碼所需的亂數"));
    const QByteArray hash = derive(plain, salt, kIterations, kHashBytes);
    return QStringLiteral("%1$%2$%3$%4")
        .arg(kMarker)
        .arg(kIterations)
        .arg(QString::fromLatin1(salt.toBase64()), QString::fromLatin1(hash.toBase64()));
}

bool IsPasswordHash(const QString& stored)
{
    ParsedHash parsed;
    return parse(stored, parsed);
}

bool VerifyPassword(const QString& plain, const QString& stored)
{
    ParsedHash parsed;
    if (parse(stored, parsed))
        return equalBytes(derive(plain, parsed.salt, parsed.iterations, int(parsed.hash.size())),
                          parsed.hash);
    return equalBytes(plain.toUtf8(), stored.toUtf8());
}

} // namespace varn
