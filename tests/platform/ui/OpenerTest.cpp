#include "platform/ui/Opener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Each test runs with a PATH of fake desktop tools only, and restores the environment.
class OpenerTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_oldPath = qgetenv("PATH");
        m_oldSpreadsheet = qgetenv("VARN_SPREADSHEET");
        m_hadSpreadsheet = qEnvironmentVariableIsSet("VARN_SPREADSHEET");
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
        qputenv("PATH", bin().toLocal8Bit());
        qunsetenv("VARN_SPREADSHEET");
        workbook = dir.filePath("報價 1.xlsx");
        QFile f(workbook);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("PK");
    }

    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        if (m_hadSpreadsheet)
            qputenv("VARN_SPREADSHEET", m_oldSpreadsheet);
        else
            qunsetenv("VARN_SPREADSHEET");
    }

    QString bin() const { return dir.filePath("bin"); }
    QString marker() const { return dir.filePath("opened.txt"); }

    // A shell script standing in for a desktop tool: it writes its arguments, one per
    // line, to the marker file and prints `output`.
    QString fakeTool(const QString& name, const QByteArray& output = {}, bool executable = true)
    {
        const QString path = QDir(bin()).filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nPATH=/usr/bin:/bin\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '"
                + marker().toLocal8Bit() + ".tmp'\nmv '" + marker().toLocal8Bit() + ".tmp' '"
                + marker().toLocal8Bit() + "'\n");
        if (!output.isEmpty())
            f.write("echo '" + output + "'\n");
        f.close();
        QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            perms |= QFile::ExeOwner;
        f.setPermissions(perms);
        return path;
    }

    // The arguments the fake tool was started with, once it has run.
    QStringList startedWith()
    {
        for (int i = 0; i < 400 && !QFile::exists(marker()); ++i)
            QThread::msleep(50);
        QFile f(marker());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    // xdg-mime that only answers queries (does not touch the marker).
    void fakeXdgMime(const QByteArray& answer)
    {
        const QString path = QDir(bin()).filePath("xdg-mime");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n[ \"$1 $2 $3\" = \"query default "
                "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet\" ] || exit 1\n"
                "printf '%s' '" + answer + "'\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir dir;
    QString workbook;

private:
    QByteArray m_oldPath;
    QByteArray m_oldSpreadsheet;
    bool m_hadSpreadsheet = false;
};

TEST_F(OpenerTest, NothingFoundWithoutDesktopTools)
{
    EXPECT_FALSE(HasSpreadsheetProgram());
    EXPECT_FALSE(OpenDetached(workbook));
}

TEST_F(OpenerTest, ConfiguredProgramOpensTheFileWithoutShell)
{
    const QString program = fakeTool("calc");
    qputenv("VARN_SPREADSHEET", (program + " --calc").toLocal8Bit());
    ASSERT_TRUE(HasSpreadsheetProgram());
    const auto command = FindSpreadsheetProgram();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, program);
    EXPECT_EQ(command->arguments, QStringList({"--calc"}));

    ASSERT_TRUE(OpenDetached(workbook));
    // The name with a blank arrives as one argument.
    EXPECT_EQ(startedWith(), QStringList({"--calc", workbook}));
}

TEST_F(OpenerTest, ConfiguredProgramFoundInPath)
{
    fakeTool("calc");
    qputenv("VARN_SPREADSHEET", "calc");
    EXPECT_TRUE(HasSpreadsheetProgram());
}

TEST_F(OpenerTest, NonExecutableConfiguredProgramFallsBackToDesktop)
{
    fakeTool("calc", {}, false);
    qputenv("VARN_SPREADSHEET", QDir(bin()).filePath("calc").toLocal8Bit());
    EXPECT_FALSE(HasSpreadsheetProgram());

    fakeXdgMime("libreoffice-calc.desktop\n");
    const QString xdgOpen = fakeTool("xdg-open");
    const auto command = FindSpreadsheetProgram();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, xdgOpen);
}

TEST_F(OpenerTest, DesktopHandlerNeededForXdgOpen)
{
    fakeTool("xdg-open");
    EXPECT_FALSE(HasSpreadsheetProgram());      // no xdg-mime to ask
    fakeXdgMime("");
    EXPECT_FALSE(HasSpreadsheetProgram());      // no handler registered
    fakeXdgMime("libreoffice-calc.desktop\n");
    EXPECT_TRUE(HasSpreadsheetProgram());

    ASSERT_TRUE(OpenDetached(workbook));
    EXPECT_EQ(startedWith(), QStringList({workbook}));
}

TEST_F(OpenerTest, GioWhenNoXdgOpen)
{
    fakeXdgMime("calc.desktop");
    fakeTool("gio");
    ASSERT_TRUE(OpenDetached(workbook));
    EXPECT_EQ(startedWith(), QStringList({"open", workbook}));
}

TEST_F(OpenerTest, MissingFileIsNotOpened)
{
    qputenv("VARN_SPREADSHEET", fakeTool("calc").toLocal8Bit());
    EXPECT_FALSE(OpenDetached(dir.filePath("none.xlsx")));
    EXPECT_FALSE(OpenDetached(dir.path()));
    EXPECT_FALSE(QFile::exists(marker()));
}

} // namespace
