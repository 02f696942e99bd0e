#pragma once

#include <QString>

#include <stdexcept>

namespace varn {

// Error numbers callers test, kept from the engine the program was first written for.
namespace DbErr {
constexpr int DuplicateKey = 3022;     // unique constraint failed
constexpr int WrongPassword = 3031;    // not a valid password
constexpr int FileNotFound = 3024;     // the file does not exist
constexpr int DiskOrNetwork = 3043;    // disk or network error (folder unreadable, I/O)
constexpr int InvalidPath = 3044;      // the folder of the path does not exist
constexpr int NotADatabase = 3343;     // the file is not a database
constexpr int Busy = 3260;             // locked by another workstation beyond the timeout
constexpr int General = 3000;          // any other engine failure
constexpr int UpdateWithoutEdit = 3020; // Update or a field write without AddNew or Edit
constexpr int NoCurrentRecord = 3021;  // the recordset stands on no row
constexpr int ReadOnly = 3027;         // the recordset cannot be written (not a table by name)
constexpr int AlreadyExists = 3204;    // create: the file is already there
constexpr int ItemNotFound = 3265;     // no field of that name or position
}

// A failed database step. The description (also what()) is for the user, in Chinese: the
// engine's own English text is never part of it.
class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

// The message of a step that failed: what could not be done (`action`, such as
// "資料無法儲存"), why, and that the database holds what it held before.
QString DbFailureMessage(const QString& action, const DbError& e);

} // namespace varn
