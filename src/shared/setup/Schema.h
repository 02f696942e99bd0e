#pragma once

#include <QLatin1String>
#include <QString>

namespace varn {

// The password of the shared main database varn3.mdb and of every sta.mdb.
// pt.mdb carries none.
inline constexpr QLatin1String kDatabasePassword{"tessivorank"};

// Schema scripts, one per database file, for Database::create. Windows and engines read
// and write rows by position, so the column order of every table is part of its
// definition. Text columns that are compared or sorted use COLLATE NOCASE, as the
// original engine compared text without regard to case. The saved queries that callers
// open by name are views.

// varn3.mdb: registers, lexicon, lookup lists, super, company, county list.
QString MainSchemaSql();

// sta.mdb: the statistics table 統計 and the views that total it.
QString StaSchemaSql();

// pt.mdb: the print tables of the two reports.
QString PtSchemaSql();

} // namespace varn
