#include "platform/ui/Opener.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Each case runs with a PATH of fake programs only; the environment is restored after.
TEST(OpenerTest, ConfiguredProgramThenTheDesktopsHandlerThenLibreOfficeCalc)
{
    const QByteArray oldPath = qgetenv("PATH"), oldSpreadsheet = qgetenv("VARN_SPREADSHEET");
    QTemporaryDir dir;
    const QDir bin(dir.filePath("bin"));
    // "name!" is not executable; "xdg-mime=answer" answers only the query for the .xlsx handler.
    const struct {
        QStringList tools;
        const char* configured;   // VARN_SPREADSHEET; an empty one counts as unset
        QStringList expected;     // the program's name and its arguments; empty: none found
    } cases[] = {
        {{}, "", {}},
        {{"calc", "localc"}, "calc --calc", {"calc", "--calc"}},
        {{"calc!", "soffice", "localc", "libreoffice"}, "calc", {"localc"}},   // the configured one cannot run
        {{"xdg-open", "xdg-mime=calc.desktop\n", "localc"}, "", {"xdg-open"}},
        {{"gio", "xdg-mime=calc.desktop"}, "", {"gio", "open"}},
        {{"xdg-open", "xdg-mime="}, "", {}},   // no handler registered and no Calc
        {{"xdg-open", "xdg-mime=", "soffice", "libreoffice"}, "", {"libreoffice", "--calc"}},
        {{"xdg-open", "soffice"}, "", {"soffice", "--calc"}},   // no xdg-mime to ask
    };
    for (const auto& c : cases) {
        QDir(bin).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(bin.path()));
        for (QString tool : c.tools) {
            QByteArray body;
            if (tool.startsWith(QLatin1String("xdg-mime="))) {
                body = "[ \"$1 $2 $3\" = \"query default application/vnd.openxmlformats-officedocument.spreadsheetml"
                       ".sheet\" ] || exit 1\nprintf '%s' '" + tool.mid(9).toUtf8() + "'\n";
                tool = QStringLiteral("xdg-mime");
            }
            QFile f(bin.filePath(QString(tool).remove(u'!')));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write("#!/bin/sh\nPATH=/usr/bin:/bin\n" + body) > 0);
            f.setPermissions(QFile::ReadOwner | (tool.endsWith(u'!') ? QFile::Permissions() : QFile::ExeOwner));
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        qputenv("VARN_SPREADSHEET", c.configured);
        const auto found = FindSpreadsheetProgram();
        const QStringList got = found ? QStringList{QFileInfo(found->program).fileName()} + found->arguments
                                      : QStringList();
        EXPECT_EQ(got, c.expected) << c.tools.join(u' ').toStdString();
        EXPECT_EQ(HasSpreadsheetProgram(), !c.expected.isEmpty());
    }
    qputenv("PATH", oldPath);
    qputenv("VARN_SPREADSHEET", oldSpreadsheet);
}

} // namespace
