#pragma once

#include <QString>

#include <memory>

namespace varn {

class Database;

// Full path of varn3.mdb in a database folder; a relative folder is taken from the
// program folder.
QString MainDbFile(const QString& folder);

// Opens the main database of a folder with the main database password. Throws DbError.
std::unique_ptr<Database> OpenMainDbAt(const QString& folder);

// OpenMainDb: reads Mdbpath.ini into gMdbPath, gPrintPath and gFilePath and opens gDb on
// varn3.mdb in the database folder, replacing the connection. When the file or folder is
// not there (or Mdbpath.ini is missing) it asks once for the database folder and then
// stores it in line 1 of Mdbpath.ini. Any other failure, a cancelled prompt or a second
// failure shows the error's number and text and asks the program to end; the result is
// then false.
bool OpenMainDb();

} // namespace varn
