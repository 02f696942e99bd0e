#pragma once

#include <QString>

namespace varn {

// Stored passwords are salted PBKDF2 hashes ("pbkdf2$..." form). A stored value without
// that marker is a legacy plain password: it still signs in, and the caller then stores
// HashPassword() of it.

QString HashPassword(const QString& plain);
bool IsPasswordHash(const QString& stored);
// Exact, case-sensitive comparison for a legacy plain value.
bool VerifyPassword(const QString& plain, const QString& stored);

} // namespace varn
