#include "app/MainDb.h"

#include "app/ProgramEnd.h"
#include "platform/db/Database.h"
#include "platform/text/Cp950.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>

namespace varn {

namespace {

// The errors that mean "the database is not where Mdbpath.ini says".
bool isNotFound(int number)
{
    return number == DbErr::FileNotFound || number == DbErr::DiskOrNetwork
           || number == DbErr::InvalidPath;
}

// The runtime's "file not found", for a missing Mdbpath.ini.
constexpr int FileNotFoundNumber = 53;

QString withoutTrailingSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\'))))
        folder.chop(1);
    return folder;
}

bool stop(int number, const QString& description)
{
    prompter().inform(QString::number(number) + QLatin1Char('\n') + description, PromptIcon::None);
    EndProgram(1);
    return false;
}

} // namespace

QString MainDbFile(const QString& folder)
{
    return QDir(state().programFolder).filePath(QDir(folder).filePath(QString(kMainDbFile)));
}

std::unique_ptr<Database> OpenMainDbAt(const QString& folder)
{
    return Database::open(MainDbFile(folder), QString(kDatabasePassword));
}

bool OpenMainDb()
{
    auto& st = state();
    auto& m = st.m;

    MdbPathSettings paths;
    const SettingsFileResult read = ReadMdbPathFile(st.programFolder, &paths);
    const bool haveFolder = read.status != SettingsFileStatus::Missing
                            && read.status != SettingsFileStatus::Unreadable
                            && !paths.mdbPath.isEmpty();
    int errorNumber = FileNotFoundNumber;
    QString errorText = QStringLiteral("找不到設定檔 ") + QString(kMdbPathFile);
    if (read.status == SettingsFileStatus::Unreadable)
        errorText = QStringLiteral("無法讀取設定檔 ") + QString(kMdbPathFile) + QLatin1Char('\n') + read.detail;
    if (haveFolder) {
        m.gMdbPath = paths.mdbPath;
        m.gPrintPath = paths.printPath;
        m.gFilePath = paths.filePath;
        try {
            m.gDb = OpenMainDbAt(m.gMdbPath);
            return true;
        } catch (const DbError& e) {
            if (!isNotFound(e.number()))
                return stop(e.number(), e.description());
            errorNumber = e.number();
            errorText = e.description();
        }
    }

    InputRequest ask;
    ask.title.clear();
    ask.prompt = errorText + QStringLiteral("\n\n請輸入〔Varn3.Mdb〕的路徑\n例如: ")
                 + QDir::toNativeSeparators(QDir(st.programFolder).filePath(kDbFolder));
    const std::optional<QString> answer = prompter().input(ask);
    if (!answer || answer->trimmed().isEmpty())
        return stop(errorNumber, errorText);

    const QString folder = withoutTrailingSeparator(answer->trimmed());
    try {
        m.gDb = OpenMainDbAt(folder);
    } catch (const DbError& e) {
        return stop(e.number(), e.description());
    }
    m.gMdbPath = folder;

    // Only the database folder changes; lines the file lacked were read as the program
    // folder's own template and quotation folders.
    paths.mdbPath = folder;
    m.gPrintPath = paths.printPath;
    m.gFilePath = paths.filePath;
    try {
        WriteMdbPathFile(st.programFolder, paths);
    } catch (const TextFileError& e) {
        prompter().inform(QStringLiteral("資料庫已開啟，但無法寫入 Mdbpath.ini：\n") + e.message(),
                          PromptIcon::Warning);
    }
    return true;
}

} // namespace varn
