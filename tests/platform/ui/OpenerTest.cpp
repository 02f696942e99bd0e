#include "platform/ui/Opener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Each case runs with a PATH of fake programs only, and the environment is restored.
class OpenerTest : public testing::Test {
protected:
    void TearDown() override
    {
        qputenv("PATH", m_oldPath);
        qputenv("VARN_SPREADSHEET", m_oldSpreadsheet);   // an empty one counts as unset
    }
    // Fake programs: "name" records its arguments, one a line, in the marker file; "name!"
    // is not executable; "xdg-mime=answer" answers only the query for the .xlsx handler.
    void useTools(const QStringList& tools)
    {
        QDir(bin.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(bin.path()));
        qputenv("PATH", bin.path().toLocal8Bit());
        const QByteArray m = marker().toLocal8Bit();
        for (QString tool : tools) {
            QByteArray body = "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" + m + ".tmp'; mv '" + m + ".tmp' '" + m
                              + "'\n";
            if (tool.startsWith(QLatin1String("xdg-mime="))) {
                body = "[ \"$1 $2 $3\" = \"query default application/vnd.openxmlformats-officedocument.spreadsheetml"
                       ".sheet\" ] || exit 1\nprintf '%s' '" + tool.mid(9).toUtf8() + "'\n";
                tool = QStringLiteral("xdg-mime");
            }
            const bool executable = !tool.endsWith(u'!');
            QFile f(bin.filePath(tool.remove(u'!')));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("#!/bin/sh\nPATH=/usr/bin:/bin\n" + body);
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | (executable ? QFile::ExeOwner : QFile::Permissions()));
        }
    }
    QString marker() const { return dir.filePath("opened.txt"); }
    // The arguments the fake program was started with, once it has run.
    QStringList startedWith()
    {
        for (int i = 0; i < 400 && !QFile::exists(marker()); ++i)
            QThread::msleep(50);
        QFile f(marker());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }

    QTemporaryDir dir;
    QDir bin{dir.filePath("bin")};

private:
    QByteArray m_oldPath = qgetenv("PATH");
    QByteArray m_oldSpreadsheet = qgetenv("VARN_SPREADSHEET");
};

TEST_F(OpenerTest, ConfiguredProgramThenTheDesktopsHandlerThenLibreOfficeCalc)
{
    const struct {
        QStringList tools;
        const char* configured;   // VARN_SPREADSHEET
        QStringList expected;     // the program's name and its arguments; empty: none found
    } cases[] = {
        {{}, "", {}},
        {{"calc", "localc"}, "calc --calc", {"calc", "--calc"}},
        {{"calc!", "localc"}, "calc", {"localc"}},   // a configured program that cannot run
        {{"xdg-open", "xdg-mime=calc.desktop\n", "localc"}, "", {"xdg-open"}},
        {{"gio", "xdg-mime=calc.desktop"}, "", {"gio", "open"}},
        {{"xdg-open", "xdg-mime="}, "", {}},   // no handler registered and no Calc
        {{"xdg-open", "xdg-mime=", "soffice", "libreoffice"}, "", {"libreoffice", "--calc"}},
        {{"xdg-open", "soffice"}, "", {"soffice", "--calc"}},   // no xdg-mime to ask
        {{"soffice", "localc"}, "", {"localc"}},
    };
    for (const auto& c : cases) {
        useTools(c.tools);
        qputenv("VARN_SPREADSHEET", c.configured);
        const auto found = FindSpreadsheetProgram();
        const QStringList got = found ? QStringList{QFileInfo(found->program).fileName()} + found->arguments
                                      : QStringList();
        EXPECT_EQ(got, c.expected) << c.tools.join(u' ').toStdString();
        EXPECT_EQ(HasSpreadsheetProgram(), !c.expected.isEmpty());
    }
}

TEST_F(OpenerTest, OpensAnExistingFileAsOneArgumentWithoutShell)
{
    const QString workbook = dir.filePath("報價 1.xlsx");
    QFile f(workbook);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("PK") == 2);
    qputenv("VARN_SPREADSHEET", "");
    useTools({});
    EXPECT_FALSE(OpenDetached(workbook));
    useTools({"soffice"});
    EXPECT_FALSE(OpenDetached(dir.filePath("none.xlsx")) || OpenDetached(dir.path()));
    ASSERT_TRUE(OpenDetached(workbook));
    EXPECT_EQ(startedWith(), QStringList({"--calc", workbook}));
}

} // namespace
