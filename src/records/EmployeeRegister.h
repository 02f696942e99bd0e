#pragma once

#include "records/RegisterEngine.h"

namespace varn {

// The employee register: the engine run on 員工, with the password panel (密碼設定) that
// changes the shown employee's password. Passwords are stored hashed, as the sign-in
// expects them.
class EmployeeRegister : public RegisterEngine {
    Q_OBJECT
public:
    explicit EmployeeRegister(std::shared_ptr<Database> db = {}, QObject* parent = nullptr);

    // 密碼設定: true when the panel may open. A record being added or changed is saved
    // first (a refused or failed save keeps the panel closed); gPass becomes the stored
    // password of the employee named in the Chinese-name box.
    bool openPasswordPanel();
    // 變更: true when the password was changed (the panel then closes). The old password
    // is checked against the one stored now; the new one is stored hashed and becomes
    // gPass.
    bool changePassword(const QString& oldPassword, const QString& newPassword, const QString& confirmation);

private:
    std::optional<QString> storedPassword(const QString& name);
};

} // namespace varn
