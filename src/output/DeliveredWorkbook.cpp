#include "output/DeliveredWorkbook.h"

#include "platform/files/FileFailure.h"
#include "platform/ui/Opener.h"
#include "platform/ui/Prompter.h"
#include "platform/workbook/Workbook.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <chrono>
#include <future>
#include <mutex>

namespace varn {

namespace {

using Lookup = std::shared_future<std::optional<SpreadsheetCommand>>;

// Asking the desktop for its .xlsx handler can take seconds; it is asked once, off the
// window thread.
Lookup& lookup()
{
    static std::once_flag once;
    static Lookup result;
    std::call_once(once, [] { result = std::async(std::launch::async, FindSpreadsheetProgram).share(); });
    return result;
}

std::optional<SpreadsheetCommand> spreadsheetProgram()
{
    Lookup& l = lookup();
    while (l.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return l.get();
}

} // namespace

QString OutputFolder()
{
    const ProgramState& st = state();
    if (st.m.gUserName.isEmpty())
        return st.programFolder;
    return QDir(st.programFolder).filePath(st.m.gUserName);
}

QString NewOutputPath(const QString& folder, const QString& base, const QDateTime& when)
{
    const QDir dir(folder);
    const QString stem = base + QLatin1Char('_') + when.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString path = dir.filePath(stem + QStringLiteral(".xlsx"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("%1_%2.xlsx").arg(stem).arg(n));
    return path;
}

QString QuotationTemplateFolder(const QString& folderName)
{
    const QDir program(state().programFolder);
    return QDir::cleanPath(QDir(program.filePath(state().m.gPrintPath)).filePath(folderName));
}

QString OtherTemplatePath(const QString& fileName)
{
    return QDir(state().programFolder).filePath(QString(kOtherTemplatesFolder) + QLatin1Char('/') + fileName);
}

QString SaveNewWorkbook(Workbook& book, const QString& folder, const QString& base, const QDateTime& when)
{
    if (const auto why = MakeFolders(folder))
        throw WorkbookError(QStringLiteral("無法建立資料夾 %1（%2）").arg(QDir::toNativeSeparators(folder), *why));
    const QString out = NewOutputPath(folder, base, when);
    book.saveAs(out);
    return out;
}

void StartSpreadsheetLookup()
{
    lookup();
}

DeliveryOutcome OpenSavedWorkbook(const QString& path)
{
    const auto command = spreadsheetProgram();
    if (!command)
        return DeliveryOutcome::NoProgram;
    const QFileInfo info(path);
    if (!info.isFile())
        return DeliveryOutcome::LaunchFailed;
    // An absolute path never starts with '-', so no program takes it for an option.
    QStringList arguments = command->arguments;
    arguments << info.absoluteFilePath();
    return QProcess::startDetached(command->program, arguments, info.absolutePath())
               ? DeliveryOutcome::Opened
               : DeliveryOutcome::LaunchFailed;
}

QString DeliveryMessage(DeliveryOutcome outcome, const QString& path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (outcome) {
    case DeliveryOutcome::Opened:
        return {};
    case DeliveryOutcome::NoProgram:
        return QStringLiteral("系統偵測無 Excel\n檔案已存成 %1").arg(file);
    case DeliveryOutcome::LaunchFailed:
        return QStringLiteral("檔案已存成 %1\n但試算表程式無法開啟它").arg(file);
    }
    return {};
}

DeliveryOutcome DeliverSavedWorkbook(const QString& path)
{
    const DeliveryOutcome outcome = OpenSavedWorkbook(path);
    if (outcome != DeliveryOutcome::Opened)
        prompter().inform(DeliveryMessage(outcome, path),
                          outcome == DeliveryOutcome::NoProgram ? PromptIcon::Information : PromptIcon::Warning);
    return outcome;
}

} // namespace varn
