#include "records/EmployeeRegister.h"

#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "records/EmployeeRecord.h"
#include "shared/ProgramState.h"

#include <exception>

namespace varn {

namespace {

const QString kNameBox = QStringLiteral("t2");
const QString kGone = QStringLiteral("這位員工已不在資料庫中 (可能已由其他工作站刪除)，密碼未變更");

} // namespace

EmployeeRegister::EmployeeRegister(std::shared_ptr<Database> db, QObject* parent)
    : RegisterEngine(EmployeeRegisterConfig(), std::move(db), parent)
{
}

// The stored password of the employee; nothing when there is no such employee or the
// database failed (told).
std::optional<QString> EmployeeRegister::storedPassword(const QString& name)
{
    try {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT pass FROM 員工 WHERE 中文姓名 = ?"), {name});
        if (rs.eof())
            return std::nullopt;
        return rs.text(0);
    } catch (const DbError& e) {
        reportFailure(e);
        return std::nullopt;
    }
}

bool EmployeeRegister::openPasswordPanel()
{
    if (form().field(QStringLiteral("t1")).isEmpty() || form().field(kNameBox).isEmpty()) {
        say(QStringLiteral("請先填入中文姓名與英文姓名"), PromptIcon::Warning);
        return false;
    }
    if (editing() && !save())
        return false;
    if (editMode() == EditMode::Query)
        listByCode(currentPrefix());
    const std::optional<QString> stored = storedPassword(form().field(kNameBox));
    if (!stored) {
        say(kGone, PromptIcon::Warning);
        return false;
    }
    state().m.gPass = *stored;
    return true;
}

bool EmployeeRegister::changePassword(const QString& oldPassword, const QString& newPassword,
                                      const QString& confirmation)
{
    const QString name = form().field(kNameBox);
    const std::optional<QString> stored = storedPassword(name);
    if (!stored) {
        say(kGone, PromptIcon::Warning);
        return false;
    }
    if (!VerifyPassword(oldPassword, *stored)) {
        say(QStringLiteral("密碼錯誤"), PromptIcon::Warning);
        return false;
    }
    if (newPassword != confirmation) {
        say(QStringLiteral("新密碼與確定密碼不同"), PromptIcon::Warning);
        return false;
    }
    QString hashed;
    try {
        hashed = HashPassword(newPassword);
    } catch (const std::exception& e) {
        say(QStringLiteral("密碼無法加密，密碼未變更：") + QString::fromLocal8Bit(e.what()), PromptIcon::Critical);
        return false;
    }
    try {
        if (db().execute(QStringLiteral("UPDATE 員工 SET pass = ? WHERE 中文姓名 = ?"), {hashed, name}) == 0) {
            say(kGone, PromptIcon::Warning);
            return false;
        }
    } catch (const DbError& e) {
        reportFailure(e, QStringLiteral("密碼無法變更"));
        return false;
    }
    state().m.gPass = hashed;
    say(QStringLiteral("密碼變更完成\r\n下次請使用新密碼登入"), PromptIcon::None);
    return true;
}

} // namespace varn
