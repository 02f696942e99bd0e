#pragma once

#include <QString>
#include <QStringList>

namespace varn {

class Database;

enum class SignInResult {
    Superuser,         // signed in as the superuser
    Employee,          // signed in as an employee
    Failed,            // wrong name or password; the window stays for another attempt
    TooManyFailures,   // the third failure; the program has been asked to end
};

// The sign-in button of frmLogin without the window: checks the typed name and password
// against the superuser record and the employee table, fills the signed-in state of mdM
// on success, and counts failures in mdM::gLoginFailures.
//
// Names and passwords are compared exactly, letter case included. Every typed value goes
// into the statements as a bound parameter. Stored passwords are PBKDF2 hashes; a stored
// plain password still signs in once and is then replaced by its hash.
class SignIn {
public:

    // One press of 確定. Messages go through the installed Prompter. On success the
    // employees' working folders are prepared (see PrepareUserFolders); the signed-in
    // values are stored only when all of it worked.
    static SignInResult attempt(const QString& userName, const QString& password);
};

// Makes sure every employee has a working folder in the program folder holding copies of
// sta.mdb, pt.mdb, fp.rpt and pb.rpt: each of the four that is missing is copied from the
// program folder, and a file already there is never overwritten.
// Names unfit for a folder are passed over. Returns one line per employee whose folder
// could not be prepared (empty when all went well).
QStringList PrepareUserFolders(Database& db, const QString& programFolder);

} // namespace varn
