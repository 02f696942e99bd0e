#include "app/SignIn.h"

#include "app/ProgramEnd.h"
#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "platform/files/FileFailure.h"
#include "platform/files/SafeSave.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/SeedData.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace varn {

namespace {

constexpr int MaxFailures = 3;

struct StoredSuperuser {
    bool exists = false;
    QString pass;
};

StoredSuperuser readSuperuser(Database& db)
{
    StoredSuperuser s;
    Recordset rs = db.openRecordset(QStringLiteral("SELECT super_pass FROM super WHERE super_id = ?"),
                                    {QString(kSuperUserId)});
    if (!rs.eof()) {
        s.exists = true;
        s.pass = rs.text(0);
    }
    return s;
}

struct StoredEmployee {
    QString chineseName;
    QString loginName;
    QString pass;
    int rights = 0;
};

// The row whose 英文姓名 is exactly the typed name. The column compares without regard
// to case, so the look-up may also return rows that differ in case; those never sign in.
std::optional<StoredEmployee> findEmployee(Database& db, const QString& userName)
{
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT 中文姓名, 英文姓名, pass, 權限 FROM 員工 WHERE 英文姓名 = ?"),
        {userName});
    for (; !rs.eof(); rs.moveNext()) {
        StoredEmployee e;
        e.loginName = rs.text(QStringLiteral("英文姓名"));
        if (e.loginName != userName)
            continue;
        e.chineseName = rs.text(QStringLiteral("中文姓名"));
        e.pass = rs.text(QStringLiteral("pass"));
        // An empty or unreadable rights word means no rights.
        bool ok = false;
        const int rights = rs.text(QStringLiteral("權限")).trimmed().toInt(&ok);
        e.rights = ok ? rights : 0;
        return e;
    }
    return std::nullopt;
}

// A legacy plain password that has just proved right is replaced by its hash. A failure
// here does not undo the sign-in: the upgrade is tried again next time.
QString upgradeIfPlain(Database& db, const QString& typed, const QString& stored,
                       const QString& sql, const QVariant& key)
{
    if (IsPasswordHash(stored))
        return stored;
    try {
        const QString hashed = HashPassword(typed);
        db.execute(sql, {hashed, key});
        return hashed;
    } catch (const DbError&) {
        return stored;
    } catch (const PasswordHashError&) {
        return stored;
    }
}

SignInResult fail()
{
    auto& m = state().m;
    prompter().inform(QStringLiteral("使用者名稱或密碼錯誤，請重新輸入!"), PromptIcon::Critical,
                      QStringLiteral("登入"));
    ++m.gLoginFailures;
    if (m.gLoginFailures >= MaxFailures) {
        prompter().inform(QStringLiteral("錯誤三次,結束系統"), PromptIcon::Critical);
        EndProgram(0);
        return SignInResult::TooManyFailures;
    }
    return SignInResult::Failed;
}

void reportUnpreparedFolders(const QStringList& problems)
{
    if (problems.isEmpty())
        return;
    prompter().inform(QStringLiteral("下列員工的工作資料夾無法建立：\n") + problems.join(QLatin1Char('\n')),
                      PromptIcon::Warning);
}

// The signed-in values, gathered first and stored only when the whole sign-in worked.
struct SignedIn {
    QString userName, loginName, pass, superPass;
    int rights = 0;
};

} // namespace

SignInResult SignIn::attempt(const QString& userName, const QString& password)
{
    auto& st = state();
    auto& m = st.m;
    if (!m.gDb) {
        prompter().inform(QStringLiteral("尚未連接資料庫，無法登入"), PromptIcon::Critical,
                          QStringLiteral("登入"));
        return SignInResult::Failed;
    }
    Database& db = *m.gDb;

    // A database that cannot answer, or a password check that breaks down, is no wrong
    // password: the attempt is not counted, and nothing of it is kept.
    auto notSignedIn = [](const QString& why) {
        prompter().inform(why, PromptIcon::Critical, QStringLiteral("登入"));
        return SignInResult::Failed;
    };
    SignedIn who;
    SignInResult result = SignInResult::Failed;
    QStringList folderProblems;
    try {
        const StoredSuperuser super = readSuperuser(db);
        who.superPass = super.pass;

        if (super.exists && userName == kSuperUserId && VerifyPassword(password, super.pass)) {
            who.superPass = upgradeIfPlain(
                db, password, super.pass,
                QStringLiteral("UPDATE super SET super_pass = ? WHERE super_id = ?"),
                QString(kSuperUserId));
            who.rights = 4095;
            result = SignInResult::Superuser;
        } else {
            const auto employee = findEmployee(db, userName);
            if (!employee || !VerifyPassword(password, employee->pass))
                return fail();
            who.userName = employee->chineseName;
            who.loginName = employee->loginName;
            who.rights = employee->rights;
            who.pass = upgradeIfPlain(db, password, employee->pass,
                                      QStringLiteral("UPDATE 員工 SET pass = ? WHERE 中文姓名 = ?"),
                                      employee->chineseName);
            result = SignInResult::Employee;
        }
        folderProblems = PrepareUserFolders(db, st.programFolder);
    } catch (const DbError& e) {
        return notSignedIn(QString::number(e.number()) + QLatin1Char('\n') + e.description());
    } catch (const PasswordHashError& e) {
        return notSignedIn(QStringLiteral("無法檢查密碼，請再試一次\n") + e.message());
    }

    m.gUserName = who.userName;
    m.gLoginName = who.loginName;
    m.gPass = who.pass;
    m.gRights = who.rights;
    m.gSuperPass = who.superPass;
    m.gLoginFailures = 0;
    reportUnpreparedFolders(folderProblems);
    return result;
}

QStringList PrepareUserFolders(Database& db, const QString& programFolder)
{
    QStringList problems;
    Recordset rs = db.openRecordset(QStringLiteral("SELECT 中文姓名 FROM 員工 ORDER BY 員工編號"));
    const QDir program(programFolder);
    for (; !rs.eof(); rs.moveNext()) {
        const QString name = rs.text(0);
        if (name.isEmpty())
            continue;
        if (!IsSafeFolderName(name)) {
            problems << name + QStringLiteral("：名稱不能作為資料夾名稱");
            continue;
        }
        const QDir dir(program.filePath(name));
        if (const auto why = MakeFolders(dir.path())) {
            problems << name + QStringLiteral("：無法建立資料夾（%1）").arg(*why);
            continue;
        }
        for (const QString& file : UserFolderFiles()) {
            const QString target = dir.filePath(file);
            if (QFileInfo::exists(target))
                continue;
            if (const auto why = CopyFileSafely(program.filePath(file), target))
                problems << name + QStringLiteral("：無法複製 %1（%2）").arg(file, *why);
        }
    }
    return problems;
}

} // namespace varn
