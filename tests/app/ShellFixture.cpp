#include "ShellFixture.h"

#include "app/MainDb.h"
#include "app/ProgramEnd.h"
#include "app/SignIn.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SeedData.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace varn::test {

void ShellFixture::SetUp()
{
    // Widgets need an application object; one serves every test of the program.
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "app_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    ASSERT_TRUE(m_dir.isValid());
    SeedProgramFolder(m_dir.path(), m_dir.filePath(u"no-templates"_s));
    // The report layouts come with the built templates; stand-ins do for copying.
    writeFile(u"fp.rpt"_s, "{\"layout\":\"fp\"}");
    writeFile(u"pb.rpt"_s, "{\"layout\":\"pb\"}");

    ProgramState::reset();
    state().programFolder = m_dir.path();
    m_scope = std::make_unique<ScopedPrompter>(prompts);
    SetProgramEndHandler([this](int code) { endCode = code; });
}

void ShellFixture::TearDown()
{
    SetWindowCloser({});
    SetProgramEndHandler({});
    m_scope.reset();
    m_db.reset();
    ProgramState::reset();
}

Database& ShellFixture::db()
{
    if (!m_db)
        m_db = Database::open(QDir(dbFolder()).filePath(QString(kMainDbFile)), QString(kDatabasePassword));
    return *m_db;
}

QString ShellFixture::scalar(const QString& sql, const QVariantList& params)
{
    Recordset rs = db().openRecordset(sql, params);
    return rs.eof() ? QString() : rs.text(0);
}

void ShellFixture::addEmployee(const QString& code, const QString& chineseName, const QString& loginName,
                               const QString& storedPass, const QVariant& rights)
{
    db().execute(u"INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, pass, 權限) VALUES (?, ?, ?, ?, ?)"_s,
                 {code, chineseName, loginName, storedPass, rights});
}

void ShellFixture::signInSuperuser()
{
    ASSERT_TRUE(OpenMainDb());
    ASSERT_EQ(SignIn::attempt(u"varn"_s, QString(kFirstSuperPassword)), SignInResult::Superuser);
    prompts.clear();
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace varn::test
