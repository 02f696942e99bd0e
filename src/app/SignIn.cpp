#include "app/SignIn.h"

#include "app/ProgramEnd.h"
#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/SeedData.h"

#include <QDir>
#include <QFile>
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
    const QString hashed = HashPassword(typed);
    try {
        db.execute(sql, {hashed, key});
    } catch (const DbError&) {
        return stored;
    }
    return hashed;
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

    try {
        const StoredSuperuser super = readSuperuser(db);
        m.gSuperPass = super.pass;

        if (super.exists && userName == kSuperUserId
            && VerifyPassword(password, super.pass)) {
            m.gSuperPass = upgradeIfPlain(
                db, password, super.pass,
                QStringLiteral("UPDATE super SET super_pass = ? WHERE super_id = ?"),
                QString(kSuperUserId));
            m.gRights = 4095;
            m.gUserName.clear();
            m.gLoginName.clear();
            m.gPass.clear();
            m.gLoginFailures = 0;
            reportUnpreparedFolders(PrepareUserFolders(db, st.programFolder));
            return SignInResult::Superuser;
        }

        const auto employee = findEmployee(db, userName);
        if (!employee || !VerifyPassword(password, employee->pass))
            return fail();

        m.gUserName = employee->chineseName;
        m.gLoginName = employee->loginName;
        m.gRights = employee->rights;
        m.gPass = upgradeIfPlain(db, password, employee->pass,
                                 QStringLiteral("UPDATE 員工 SET pass = ? WHERE 中文姓名 = ?"),
                                 employee->chineseName);
        m.gLoginFailures = 0;
        reportUnpreparedFolders(PrepareUserFolders(db, st.programFolder));
        return SignInResult::Employee;
    } catch (const DbError& e) {
        // A database that cannot answer is no wrong password: the attempt is not counted.
        prompter().inform(QString::number(e.number()) + QLatin1Char('\n') + e.description(),
                          PromptIcon::Critical, QStringLiteral("登入"));
        return SignInResult::Failed;
    }
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
        const QString folder = program.filePath(name);
        const QDir dir(folder);
        // Any file at all, hidden ones included, marks the folder as the employee's own.
        if (dir.exists()
            && !dir.entryList(QDir::Files | QDir::Hidden | QDir::System).isEmpty())
            continue;
        if (!program.mkpath(name)) {
            problems << name + QStringLiteral("：無法建立資料夾");
            continue;
        }
        for (const QString& file : UserFolderFiles()) {
            const QString target = dir.filePath(file);
            if (QFileInfo::exists(target))
                continue;
            if (!QFile::copy(program.filePath(file), target))
                problems << name + QStringLiteral("：無法複製 ") + file;
        }
    }
    return problems;
}

} // namespace varn
