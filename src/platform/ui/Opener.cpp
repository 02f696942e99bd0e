#include "platform/ui/Opener.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace varn {

namespace {

const char* const XlsxMimeType = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// Full path of an executable program, looked up in PATH when given by name.
QString executable(const QString& program)
{
    if (program.isEmpty())
        return {};
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

std::optional<SpreadsheetCommand> fromEnvironment()
{
    const QString configured = qEnvironmentVariable("VARN_SPREADSHEET").trimmed();
    if (configured.isEmpty())
        return std::nullopt;
    QStringList parts = QProcess::splitCommand(configured);
    if (parts.isEmpty())
        return std::nullopt;
    const QString program = executable(parts.takeFirst());
    if (program.isEmpty())
        return std::nullopt;
    return SpreadsheetCommand{program, parts};
}

bool desktopHasXlsxHandler()
{
    const QString xdgMime = executable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return false;
    QProcess query;
    query.setProgram(xdgMime);
    query.setArguments({QStringLiteral("query"), QStringLiteral("default"),
                        QString::fromLatin1(XlsxMimeType)});
    query.setStandardInputFile(QProcess::nullDevice());
    query.start();
    if (!query.waitForFinished(10000)) {
        query.kill();
        query.waitForFinished();
        return false;
    }
    return query.exitStatus() == QProcess::NormalExit && query.exitCode() == 0
        && !query.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

std::optional<SpreadsheetCommand> FindSpreadsheetProgram()
{
    if (auto configured = fromEnvironment())
        return configured;

    const QString xdgOpen = executable(QStringLiteral("xdg-open"));
    const QString gio = executable(QStringLiteral("gio"));
    if ((!xdgOpen.isEmpty() || !gio.isEmpty()) && desktopHasXlsxHandler()) {
        if (!xdgOpen.isEmpty())
            return SpreadsheetCommand{xdgOpen, {}};
        return SpreadsheetCommand{gio, {QStringLiteral("open")}};
    }

    // A desktop without a registered handler may still have LibreOffice Calc installed.
    const SpreadsheetCommand calc[] = {{QStringLiteral("localc"), {}},
                                       {QStringLiteral("libreoffice"), {QStringLiteral("--calc")}},
                                       {QStringLiteral("soffice"), {QStringLiteral("--calc")}}};
    for (const SpreadsheetCommand& c : calc) {
        if (const QString program = executable(c.program); !program.isEmpty())
            return SpreadsheetCommand{program, c.arguments};
    }
    return std::nullopt;
}

bool HasSpreadsheetProgram()
{
    return FindSpreadsheetProgram().has_value();
}

} // namespace varn
