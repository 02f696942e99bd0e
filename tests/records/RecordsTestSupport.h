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

    // Column `col` of the row whose `key` is `value`, or "<none>" when there is no such row.
    QString cell(const QString& table, const QString& key, const QString& value, int col)
    {
        Recordset rs = db->openRecordset(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(table, key), {value});
        return rs.recordCount() ? rs.text(col) : QStringLiteral("<none>");
    }
    QString stored(const QString& name, int col) { return cell(QStringLiteral("客戶"), QStringLiteral("客戶名稱"), name, col); }

    // A loaded register with the record of that name chosen in the full list.
    template <typename Register> void chooseNamed(Register& reg, const QString& name)
    {
        reg.load();
        reg.listByCode(QString());
        for (int r = 1; r < reg.list().rows(); ++r) {
            if (reg.list().textMatrix(r, 2) == name) {
                ASSERT_TRUE(reg.selectRow(r));
            }
        }
        ASSERT_EQ(reg.selectedName(), name);
        prompts.clear();
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
