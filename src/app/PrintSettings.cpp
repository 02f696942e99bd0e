#include "app/PrintSettings.h"

#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>
#include <QFile>

namespace varn {

void LoadXlSettings()
{
    // Values the file lacks are the default ranges; fastP.ini missing means 固定表頭 off.
    const XlSettingsResult result = LoadXlSettingsFiles(state().programFolder);
    if (!result.xp.ok()) {
        prompter().inform(QStringLiteral("列印範圍設定檔 Xp.ini 不存在或不完整，缺少的範圍以預設值代替"),
                          PromptIcon::Information);
    }
}

namespace {

void markFilesReadOnly(const QDir& folder)
{
    const QFileDevice::Permissions writable = QFileDevice::WriteOwner | QFileDevice::WriteUser
                                              | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (!folder.exists())
        return;
    for (const QString& file : folder.entryList(QDir::Files)) {
        const QString path = folder.filePath(file);
        QFile::setPermissions(path, QFile::permissions(path) & ~writable);
    }
}

} // namespace

void MarkTemplatesReadOnly()
{
    const auto& st = state();
    const QDir program(st.programFolder);
    // The quotation templates may also lie in a print-template folder of their own.
    QStringList roots{program.absolutePath()};
    if (!st.m.gPrintPath.isEmpty()) {
        const QString printRoot = QDir(program.filePath(st.m.gPrintPath)).absolutePath();
        if (!roots.contains(printRoot))
            roots << printRoot;
    }
    for (const QString& root : roots) {
        for (const char* name : {"PrintQ", "PrintS", "PrintC", "PrintNF"})
            markFilesReadOnly(QDir(QDir(root).filePath(QString::fromLatin1(name))));
    }
    markFilesReadOnly(QDir(program.filePath(kOtherTemplatesFolder)));
}

} // namespace varn
