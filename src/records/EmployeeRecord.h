#pragma once

#include "records/RecordRules.h"
#include "records/RegisterConfig.h"

namespace varn {

// The employee register's record: the 19 columns of 員工 and the fields that show them.
// The rights word (權限) and the password (pass) are neither shown nor written here: the
// rights belong to the settings window, the password to the password panel.
RegisterConfig EmployeeRegisterConfig();

class EmployeeRules : public RecordRules {
public:
    bool choicePicked(RecordForm& form, const QString& control, int index) override;
    void rowShown(const QStringList& row, RecordForm& form, Database& db) override;
    // The reserved sign-in name, a sign-in name another employee has, and a Chinese name
    // that cannot name the employee's working folder are refused.
    std::optional<SaveRefusal> refuseSave(const RecordForm& form, EditMode mode, Database& db) override;
};

} // namespace varn
