#include "ShellFixture.h"

#include "app/MainDb.h"
#include "app/ProgramEnd.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/Schema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace varn::test {

namespace {

// Widgets need an application object; one serves every test of the program.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        m_app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const qtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

} // namespace

void ShellFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    SeedProgramFolder(m_dir.path(), m_dir.filePath(QStringLiteral("no-templates")));
    // The report layouts come with the built templates; stand-ins do for copying.
    writeFile(QStringLiteral("fp.rpt"), "{\"layout\":\"fp\"}");
    writeFile(QStringLiteral("pb.rpt"), "{\"layout\":\"pb\"}");

    ProgramState::reset();
    state().programFolder = m_dir.path();
    m_scope = std::make_unique<ScopedPrompter>(prompts);
    SetProgramEndHandler([this](int code) { endCode = code; });
}

void ShellFixture::TearDown()
{
    SetProgramEndHandler({});
    m_scope.reset();
    m_db.reset();
    ProgramState::reset();
}

QString ShellFixture::dbFolder() const
{
    return m_dir.filePath(QString(kDbFolder));
}

Database& ShellFixture::db()
{
    if (!m_db)
        m_db = Database::open(QDir(dbFolder()).filePath(QString(kMainDbFile)), QString(kDatabasePassword));
    return *m_db;
}

void ShellFixture::addEmployee(const QString& code, const QString& chineseName,
                               const QString& loginName, const QString& storedPass,
                               const QVariant& rights)
{
    db().execute(QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, pass, 權限) VALUES (?, ?, ?, ?, ?)"),
                 {code, chineseName, loginName, storedPass, rights});
}

QString ShellFixture::storedEmployeePass(const QString& chineseName)
{
    Recordset rs = db().openRecordset(QStringLiteral("SELECT pass FROM 員工 WHERE 中文姓名 = ?"), {chineseName});
    return rs.eof() ? QString() : rs.text(0);
}

QString ShellFixture::storedSuperPass()
{
    Recordset rs = db().openRecordset(QStringLiteral("SELECT super_pass FROM super"));
    return rs.eof() ? QString() : rs.text(0);
}

void ShellFixture::setStoredSuperPass(const QString& value)
{
    db().execute(QStringLiteral("UPDATE super SET super_pass = ?"), {value});
}

void ShellFixture::openMainDb()
{
    ASSERT_TRUE(OpenMainDb());
}

void ShellFixture::writeFile(const QString& relativePath, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(relativePath);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    f.write(bytes);
}

QByteArray ShellFixture::readFile(const QString& relativePath) const
{
    QFile f(m_dir.filePath(relativePath));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace varn::test
