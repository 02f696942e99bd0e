#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "shared/setup/ProgramFolder.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace varn::test {

// A seeded program folder in a temporary directory, the program state pointing at it, a
// scripted prompter installed and program-end requests recorded instead of carried out.
class ShellFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString programFolder() const { return m_dir.path(); }
    QString dbFolder() const { return m_dir.filePath(QString(kDbFolder)); }
    // A second connection to the main database, for checking what was written.
    Database& db();
    // The first column of the first row of a query, or empty.
    QString scalar(const QString& sql, const QVariantList& params = {});

    // Adds an employee; the password is stored as given (plain text is a legacy value).
    void addEmployee(const QString& code, const QString& chineseName, const QString& loginName,
                     const QString& storedPass, const QVariant& rights = 0);
    QString storedSuperPass() { return scalar(QStringLiteral("SELECT super_pass FROM super")); }

    // Opens the shared connection and signs in the superuser, as the menu's windows expect.
    void signInSuperuser();

    void writeFile(const QString& relativePath, const QByteArray& bytes);
    QByteArray readFile(const QString& relativePath) const;

    ScriptedPrompter prompts;
    std::optional<int> endCode;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<ScopedPrompter> m_scope;
};

} // namespace varn::test
