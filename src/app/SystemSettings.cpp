#include "app/SystemSettings.h"

#include "app/MainDb.h"
#include "app/RightsGrid.h"
#include "app/SignIn.h"
#include "platform/crypto/PasswordHash.h"
#include "platform/db/Database.h"
#include "platform/text/Cp950.h"
#include "platform/ui/Prompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/SeedData.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>
#include <QFileInfo>

namespace varn {

namespace {

const QString CompanyTable = QStringLiteral("company");

void showDbError(const QString& lead, const DbError& e)
{
    prompter().inform(lead + QLatin1Char('\n') + QString::number(e.number()) + QLatin1Char('\n')
                          + e.description(),
                      PromptIcon::Critical);
}

std::optional<QString> storedSuperPassword(Database& db)
{
    Recordset rs = db.openRecordset(QStringLiteral("SELECT super_pass FROM super WHERE super_id = ?"),
                                    {QString(kSuperUserId)});
    if (rs.eof())
        return std::nullopt;
    return rs.text(0);
}

// The template folders that a print-template folder lacks; a relative folder is taken
// from the program folder.
QStringList missingTemplateFolders(const QString& printPath)
{
    const QDir folder(QDir(state().programFolder).filePath(printPath));
    QStringList missing;
    for (const QString& name : {QStringLiteral("PrintQ"), QStringLiteral("PrintS"), QStringLiteral("PrintC"),
                                QStringLiteral("PrintNF")}) {
        if (printPath.isEmpty() || !QFileInfo(folder.filePath(name)).isDir())
            missing << name;
    }
    return missing;
}

} // namespace

bool SystemSettings::load(GridModel& rightsGrid)
{
    if (!OpenMainDb())
        return false;
    Database& db = *state().m.gDb;
    try {
        RightsGrid::fill(db, rightsGrid);
    } catch (const DbError& e) {
        showDbError(QStringLiteral("無法讀取員工權限"), e);
    }
    RightsGrid::setHeader(rightsGrid);

    m_company = {};
    try {
        Recordset rs = db.openRecordset(CompanyTable);
        if (!rs.eof()) {
            for (int i = 0; i < int(m_company.fields.size()) && i < rs.fieldCount(); ++i)
                m_company.fields[i] = rs.text(i);
        }
    } catch (const DbError& e) {
        showDbError(QStringLiteral("無法讀取公司基本資料"), e);
    }

    return true;
}

bool SystemSettings::applyRights(const GridModel& rightsGrid)
{
    auto& m = state().m;
    if (!m.gDb)
        return false;
    try {
        RightsGrid::save(*m.gDb, rightsGrid);
    } catch (const DbError& e) {
        showDbError(QStringLiteral("權限未儲存"), e);
        return false;
    }
    // The signed-in user's own rights stay as they are until the next sign-in.
    prompter().inform(QStringLiteral("所做的變更下次啟動才會生效"), PromptIcon::Information);
    return true;
}

PasswordChange SystemSettings::changeSuperPassword(const QString& oldPassword,
                                                   const QString& newPassword,
                                                   const QString& confirmation)
{
    auto& m = state().m;
    if (newPassword != confirmation) {
        prompter().inform(QStringLiteral("新密碼 和 確定密碼 不同\n請重新輸入新密碼 和 確定密碼"),
                          PromptIcon::Warning);
        return PasswordChange::Mismatch;
    }
    if (!m.gDb)
        return PasswordChange::Failed;
    try {
        Database& db = *m.gDb;
        const std::optional<QString> stored = storedSuperPassword(db);
        if (!stored) {
            prompter().inform(QStringLiteral("資料庫中沒有系統管理者資料，密碼未變更"),
                              PromptIcon::Warning);
            return PasswordChange::NoSuperuser;
        }
        if (!VerifyPassword(oldPassword, *stored)) {
            prompter().inform(QStringLiteral("原始密碼錯誤，密碼未變更"), PromptIcon::Warning);
            return PasswordChange::WrongOld;
        }
        const QString hashed = HashPassword(newPassword);
        db.execute(QStringLiteral("UPDATE super SET super_pass = ? WHERE super_id = ?"),
                   {hashed, QString(kSuperUserId)});
        m.gSuperPass = hashed;
    } catch (const DbError& e) {
        showDbError(QStringLiteral("密碼未變更"), e);
        return PasswordChange::Failed;
    } catch (const PasswordHashError& e) {
        prompter().inform(QStringLiteral("密碼未變更\n") + e.message(), PromptIcon::Critical);
        return PasswordChange::Failed;
    }
    prompter().inform(QStringLiteral("密碼變更完成"), PromptIcon::Information);
    return PasswordChange::Changed;
}

bool SystemSettings::applyCompany(const CompanyRecord& company)
{
    auto& m = state().m;
    if (!m.gDb)
        return false;
    try {
        Recordset rs = m.gDb->openRecordset(CompanyTable);
        if (rs.eof())
            rs.addNew();
        else
            rs.edit();
        for (int i = 0; i < int(company.fields.size()); ++i)
            rs.setValue(i, company.fields[i]);
        rs.update();
    } catch (const DbError& e) {
        showDbError(QStringLiteral("公司基本資料未變更"), e);
        return false;
    }
    m_company = company;
    prompter().inform(QStringLiteral("變更完成"), PromptIcon::Information);
    return true;
}

std::optional<QString> DatabaseFolderOf(const QString& chosenFile)
{
    const QFileInfo info(chosenFile);
    if (chosenFile.isEmpty() || info.fileName() != QLatin1String("varn3.mdb"))
        return std::nullopt;
    return info.absolutePath();
}

std::optional<QString> SystemSettings::browseDatabaseFolder()
{
    FileRequest ask;
    ask.title = QStringLiteral("開啟");
    ask.filter = QStringLiteral("(varn3.mdb)");
    ask.startFolder = QFileInfo(MainDbFile(state().m.gMdbPath)).absolutePath();
    ask.fileName = QStringLiteral("varn3.mdb");
    const std::optional<QString> chosen = prompter().openFile(ask);
    if (!chosen)
        return std::nullopt;
    const std::optional<QString> folder = DatabaseFolderOf(*chosen);
    if (!folder)
        prompter().inform(QStringLiteral("請選擇資料庫檔案 varn3.mdb"), PromptIcon::Warning);
    return folder;
}

bool SystemSettings::applyPaths(const QString& mdbPath, const QString& printPath,
                                const QString& filePath)
{
    auto& st = state();
    // Printing opens its templates there: a folder without them would break every print.
    const QStringList missing = missingTemplateFolders(printPath);
    if (!missing.isEmpty()) {
        prompter().inform(QStringLiteral("列印套表路徑「%1」中沒有套表資料夾 %2，路徑未變更")
                              .arg(QDir::toNativeSeparators(printPath), missing.join(QStringLiteral("、"))),
                          PromptIcon::Warning);
        return false;
    }
    std::unique_ptr<Database> db;
    try {
        db = OpenMainDbAt(mdbPath);
    } catch (const DbError& e) {
        showDbError(QStringLiteral("無法開啟 ") + MainDbFile(mdbPath) + QStringLiteral("，路徑未變更"), e);
        return false;
    }
    try {
        WriteMdbPathFile(st.programFolder, MdbPathSettings{mdbPath, printPath, filePath});
    } catch (const TextFileError& e) {
        prompter().inform(QStringLiteral("無法寫入 Mdbpath.ini，路徑未變更\n") + e.message(),
                          PromptIcon::Critical);
        return false;
    }
    st.m.gMdbPath = mdbPath;
    st.m.gPrintPath = printPath;
    st.m.gFilePath = filePath;
    st.m.gDb = std::move(db);
    return true;
}

bool SystemSettings::applyAutoSave(bool enabled, const QString& minutesText)
{
    auto& st = state();
    try {
        WriteAutoFile(st.programFolder, AutoSaveSettings{enabled, minutesText});
    } catch (const TextFileError& e) {
        prompter().inform(QStringLiteral("無法寫入 Auto.ini，自動存檔設定未變更\n") + e.message(),
                          PromptIcon::Critical);
        return false;
    }
    st.m.gAutoSave = enabled;
    st.m.gAutoSaveMin = AutoSaveMinutes(minutesText);
    return true;
}

bool IsAutoSaveIntervalKey(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QChar(8);
}

} // namespace varn
