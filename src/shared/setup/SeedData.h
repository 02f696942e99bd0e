#pragma once

#include <QString>

namespace varn {

class Database;

// The superuser's sign-in name and first password (the README tells the office to change
// it in 系統設定).
inline constexpr QLatin1String kSuperUserId{"varn"};
inline constexpr QLatin1String kFirstSuperPassword{"varn3"};

// Fills a new main database with what a new office starts from: the superuser (password
// stored hashed), an empty company row, the county list, the lookup lists and a small
// example lexicon. Runs in one transaction; throws DbError.
void SeedMainDatabase(Database& db);

} // namespace varn
