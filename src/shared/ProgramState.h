#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <memory>

namespace varn {

class Database;

// Program-wide values, kept by the names the windows know them by. Each window reads and
// writes them through ProgramState::instance(); tests reset it between cases.

// mdM: the signed-in user, settings, quotation header values and the shared connection.
struct mdM {
    // Signed-in user, set by the sign-in window and read-only afterwards.
    QString gUserName;      // 中文姓名; empty for the superuser
    QString gLoginName;     // 英文姓名; empty for the superuser
    int gRights = 0;        // rights word; 4095 for the superuser
    QString gSuperPass;     // superuser password as stored at sign-in
    QString gPass;          // stored password of the current employee record

    // Mdbpath.ini: database folder, print-template folder, quotation-file folder.
    QString gMdbPath;
    QString gPrintPath;
    QString gFilePath;

    // Auto.ini.
    bool gAutoSave = false;
    int gAutoSaveMin = 0;

    // Xp.ini (gXp[0] is gXp1) and fastP.ini.
    std::array<QString, 32> gXp;
    bool gFixedHeader = false;

    // Quotation header values used for printing.
    QString gCusName, gProjectName, gCusSiteAddr, gCusTel, gCusFax, gCusContact;
    QString gQuoteDate, gQuoteNo, gSalesName;

    // Customer pick.
    bool gPickCustomer = false;
    bool gCustomerPicked = false;

    int gPrintKind = 0;     // 1 customers, 2 vendors, 3 employees
    QString gSearchText;    // the one remembered search text of the three registers

    // Sign-in failures; three end the program.
    int gLoginFailures = 0;

    // The shared connection to the main database (replaced by every OpenMainDb).
    std::shared_ptr<Database> gDb;
};

// mdPro: vendor-link parameters.
struct mdPro {
    QString gVendorName;
    QString gSupplyMode;    // "w" work crews, "p" materials
};

// mdEng: lexicon-list parameters.
struct mdEng {
    QString gListKind;      // "k" 工程類別, "t" 工程種類
};

struct ProgramState {
    mdM m;
    mdPro pro;
    mdEng eng;

    // The program folder (where settings files and the superuser's working files live).
    QString programFolder;

    static ProgramState& instance();
    // Back to a fresh state (tests).
    static void reset();
};

inline ProgramState& state() { return ProgramState::instance(); }

} // namespace varn
