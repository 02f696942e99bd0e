#pragma once

#include <QString>

#include <stdexcept>

namespace varn {

// Stored passwords are salted PBKDF2 hashes ("pbkdf2$..." form). A stored value without
// that marker is a legacy plain password: it still signs in, and the caller then stores
// HashPassword() of it.

// The hash itself failed (no random bytes for a salt, the key derivation refused).
class PasswordHashError : public std::runtime_error {
public:
    explicit PasswordHashError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Both throw PasswordHashError.
QString HashPassword(const QString& plain);
bool IsPasswordHash(const QString& stored);
// Exact, case-sensitive comparison for a legacy plain value.
bool VerifyPassword(const QString& plain, const QString& stored);

} // namespace varn
