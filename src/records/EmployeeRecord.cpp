#include "records/EmployeeRecord.h"

#include "platform/db/Database.h"
#include "records/RecordForm.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <memory>

namespace varn {

namespace {

constexpr int kPassColumn = 17;
const QString kReservedLogin = QStringLiteral("varn");

} // namespace

RegisterConfig EmployeeRegisterConfig()
{
    RegisterConfig c;
    c.table = QStringLiteral("員工");
    c.codeColumn = QStringLiteral("員工編號");
    c.nameColumn = QStringLiteral("中文姓名");
    c.listSelect = QStringLiteral("員工編號, 中文姓名, 地址, 住家電話, 行動電話");
    c.gridHeaders = {QString(),
                     QStringLiteral("編 號"),
                     QStringLiteral("姓 名"),
                     QStringLiteral("地 址"),
                     QStringLiteral("電話(Home)"),
                     QStringLiteral("行動電話"),
                     QString()};
    c.gridWidths = {300, 600, 2000, 3300, 1500, 1300, 800};
    c.blankedColumns = {3, 4, 5};
    c.nameListColumn = 2;
    c.countyControls = {QStringLiteral("cb1")};

    auto plain = [](const char* control) { return ColumnBinding{QString::fromLatin1(control), QString()}; };
    auto pair = [](const char* a, const char* b) {
        return ColumnBinding{QString::fromLatin1(a), QString::fromLatin1(b)};
    };
    c.columns = {
        plain("t1"),          // 0 員工編號
        plain("t2"),          // 1 中文姓名
        plain("t3"),          // 2 英文姓名, the sign-in name
        plain("t4"),          // 3 部門
        plain("t8"),          // 4 身分字號
        pair("cb1", "t5"),    // 5 地址
        plain("t6"),          // 6 郵遞區號
        plain("t9"),          // 7 電子郵件
        pair("t10", "t11"),   // 8 住家電話
        plain("t12"),         // 9 行動電話
        plain("t13"),         // 10 生日
        plain("t14"),         // 11 僱用日期
        plain("t15"),         // 12 薪水
        plain("t16"),         // 13 緊急連絡人
        pair("t17", "t18"),   // 14 緊急連絡人電話
        plain("t19"),         // 15 備註
        ColumnBinding{},      // 16 權限: the settings window's
        ColumnBinding{},      // 17 pass: the password panel's
        plain("t20"),         // 18 職稱
    };
    c.requiredControls = {QStringLiteral("t1"), QStringLiteral("t2"), QStringLiteral("t3")};
    c.firstEditControl = QStringLiteral("t3");
    c.dates = {{QStringLiteral("DTP1"), QStringLiteral("t13")}, {QStringLiteral("DTP2"), QStringLiteral("t14")}};
    // Nobody is born on the day of entry: the dates wait for the pickers.
    c.datesFilledOnAdd = false;
    c.searchSkippedColumns = {QStringLiteral("權限"), QStringLiteral("pass")};
    c.firstListPrefix = QStringLiteral("01");
    c.initialCurrentPrefix = QString();
    c.listSavedPrefix = false;   // every list after a change shows every employee
    c.rightsCharacter = 8;
    c.simpleHeightTwips = 3300;
    c.fullHeightTwips = 8250;

    c.texts.caption = QStringLiteral("員工資料");
    c.texts.noSelection = QStringLiteral("請先選取表格中一個員工姓名");
    c.texts.required = QStringLiteral("請輸入員工中文姓名 & 英文名");
    c.texts.duplicate = QStringLiteral("員工姓名重複");
    c.texts.recordGone = QStringLiteral("這位員工已不在資料庫中 (可能已由其他工作站刪除)");
    c.texts.discardEdit = QStringLiteral("員工資料尚未儲存, 確定放棄?");
    c.texts.showAllCaption = QStringLiteral("全部顯示");
    c.texts.searchNameHeader = QStringLiteral("中文姓名");
    c.texts.noCodeIcon = PromptIcon::None;

    c.rules = std::make_shared<EmployeeRules>();
    return c;
}

bool EmployeeRules::choicePicked(RecordForm& form, const QString& control, int index)
{
    if (control != QLatin1String("cb1"))
        return false;
    const QString areaCode = form.choices(QStringLiteral("L1")).value(index);
    form.setField(QStringLiteral("t10"), areaCode);
    form.setField(QStringLiteral("t17"), areaCode);
    return true;
}

void EmployeeRules::rowShown(const QStringList& row, RecordForm&, Database&)
{
    state().m.gPass = row.value(kPassColumn);
}

std::optional<SaveRefusal> EmployeeRules::refuseSave(const RecordForm& form, EditMode mode, Database& db)
{
    const QString login = form.field(QStringLiteral("t3"));
    if (login.compare(kReservedLogin, Qt::CaseInsensitive) == 0)
        return SaveRefusal{QStringLiteral("不可使用此英文名稱"), QStringLiteral("t3")};
    const QString name = form.field(QStringLiteral("t2"));
    if (mode == EditMode::Add && !IsSafeFolderName(name)) {
        return SaveRefusal{QStringLiteral("中文姓名會成為員工的工作資料夾名稱，") + QStringLiteral("\r\n")
                               + QStringLiteral("不可含有 / \\ .. 或控制字元，不可以 . 開頭，也不可超過 85 個中文字"),
                           QStringLiteral("t2")};
    }
    // The sign-in takes the first employee of a name: a second one would lock one of them
    // out or sign in with the other's rights and folder.
    Recordset same = db.openRecordset(
        QStringLiteral("SELECT 中文姓名 FROM 員工 WHERE 英文姓名 = ? COLLATE NOCASE AND 中文姓名 <> ?"),
        {login, name});
    if (same.recordCount() > 0) {
        return SaveRefusal{QStringLiteral("英文姓名 (使用者名稱) 「") + login + QStringLiteral("」已由「")
                               + same.text(0) + QStringLiteral("」使用"),
                           QStringLiteral("t3")};
    }
    return std::nullopt;
}

} // namespace varn
