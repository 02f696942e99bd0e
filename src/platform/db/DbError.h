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
}

class DbError : public std::runtime_error {
public:
    DbError(int number, const QString& description);
    int number() const { return m_number; }
    QString description() const { return m_description; }

private:
    int m_number;
    QString m_description;
};

} // namespace varn
