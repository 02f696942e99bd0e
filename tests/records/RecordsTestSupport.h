#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SeedData.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace varn::test {

// A new main database per test (schema and first rows), the shared connection pointing at
// it, a signed-in superuser and a scripted prompter.
class RegisterFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        db = Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        SeedMainDatabase(*db);
        state().m.gDb = db;
        state().m.gRights = kAllRights;
        scope = std::make_unique<ScopedPrompter>(prompts);
    }

    void TearDown() override
    {
        scope.reset();
        ProgramState::reset();
    }

    // A customer row: code, name and further columns by number (2 is the short name).
    void addCustomer(const QString& code, const QString& name, const std::map<int, QString>& more = {})
    {
        QVariantList values{code, name};
        while (values.size() < 35)
            values << (more.count(values.size()) ? more.at(values.size()) : QString());
        const QStringList marks(values.size(), QStringLiteral("?"));
        db->execute(QStringLiteral("INSERT INTO 客戶 VALUES (%1)").arg(marks.join(u',')), values);
    }

    // Column `col` of the customer of that name, or "<none>" when there is no such row.
    QString stored(const QString& name, int col)
    {
        Recordset rs = db->openRecordset(QStringLiteral("SELECT * FROM 客戶 WHERE 客戶名稱 = ?"), {name});
        return rs.recordCount() ? rs.text(col) : QStringLiteral("<none>");
    }

    int customerCount()
    {
        return db->openRecordset(QStringLiteral("SELECT count(*) FROM 客戶")).value(0).toInt();
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    ScriptedPrompter prompts;
    std::unique_ptr<ScopedPrompter> scope;
};

} // namespace varn::test
