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
        ASSERT_TRUE(QDir(dir.path()).mkpath("bin"));
        qputenv("PATH", dir.filePath("bin").toLocal8Bit());
        qunsetenv("VARN_SPREADSHEET");
        QFile f(workbook);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("PK") == 2);
    }
    void TearDown() override
    {
        // An empty VARN_SPREADSHEET counts as unset.
        qputenv("PATH", m_oldPath);
        qputenv("VARN_SPREADSHEET", m_oldSpreadsheet);
    }

    // A shell script in the fake PATH; returns its path.
    QString script(const QString& name, const QByteArray& body, bool executable = true)
    {
        const QString path = dir.filePath("bin/" + name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\nPATH=/usr/bin:/bin\n" + body);
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | (executable ? QFile::ExeOwner : QFile::Permissions()));
        return path;
    }
    // A desktop tool that writes its arguments, one a line, to the marker file.
    QString fakeTool(const QString& name, bool executable = true)
    {
        const QByteArray m = marker().toLocal8Bit();
        return script(name, "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + m + ".tmp'\nmv '" + m + ".tmp' '"
                                + m + "'\n", executable);
    }
    // xdg-mime answering only the query for the .xlsx handler.
    void fakeXdgMime(const QByteArray& answer)
    {
        script("xdg-mime", "[ \"$1 $2 $3\" = \"query default "
                           "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet\" ] || exit 1\n"
                           "printf '%s' '" + answer + "'\n");
    }
    QString marker() const { return dir.filePath("opened.txt"); }
    // The arguments the fake tool was started with, once it has run.
    QStringList startedWith()
    {
        for (int i = 0; i < 400 && !QFile::exists(marker()); ++i)
            QThread::msleep(50);
        QFile f(marker());
        const QStringList args = f.open(QIODevice::ReadOnly)
            ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts) : QStringList();
        QFile::remove(marker());
        return args;
    }

    QTemporaryDir dir;
    QString workbook = dir.filePath("報價 1.xlsx");

private:
    QByteArray m_oldPath = qgetenv("PATH");
    QByteArray m_oldSpreadsheet = qgetenv("VARN_SPREADSHEET");
};

TEST_F(OpenerTest, ConfiguredProgramOpensTheFileWithoutShell)
{
    EXPECT_FALSE(HasSpreadsheetProgram());   // no desktop tools at all
    EXPECT_FALSE(OpenDetached(workbook));

    const QString program = fakeTool("calc");
    qputenv("VARN_SPREADSHEET", "calc");     // found in PATH
    EXPECT_TRUE(HasSpreadsheetProgram());
    qputenv("VARN_SPREADSHEET", (program + " --calc").toLocal8Bit());
    const auto command = FindSpreadsheetProgram();
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, program);
    EXPECT_EQ(command->arguments, QStringList({"--calc"}));

    // A missing file or a folder is not opened.
    EXPECT_FALSE(OpenDetached(dir.filePath("none.xlsx")));
    EXPECT_FALSE(OpenDetached(dir.path()));
    EXPECT_FALSE(QFile::exists(marker()));
    ASSERT_TRUE(OpenDetached(workbook));
    // The name with a blank arrives as one argument.
    EXPECT_EQ(startedWith(), QStringList({"--calc", workbook}));
}

TEST_F(OpenerTest, DesktopOpensTheFileOnlyWithAnXlsxHandler)
{
    // A configured program that cannot run falls back to the desktop.
    qputenv("VARN_SPREADSHEET", fakeTool("calc", false).toLocal8Bit());
    const QString xdgOpen = fakeTool("xdg-open");
    EXPECT_FALSE(HasSpreadsheetProgram());   // no xdg-mime to ask
    fakeXdgMime("");
    EXPECT_FALSE(HasSpreadsheetProgram());   // no handler registered
    fakeXdgMime("libreoffice-calc.desktop\n");
    EXPECT_EQ(FindSpreadsheetProgram().value_or(SpreadsheetCommand()).program, xdgOpen);
    ASSERT_TRUE(OpenDetached(workbook));
    EXPECT_EQ(startedWith(), QStringList({workbook}));

    // gio when there is no xdg-open.
    ASSERT_TRUE(QFile::remove(xdgOpen));
    fakeTool("gio");
    ASSERT_TRUE(OpenDetached(workbook));
    EXPECT_EQ(startedWith(), QStringList({"open", workbook}));
}

} // namespace
