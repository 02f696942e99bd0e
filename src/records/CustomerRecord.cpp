#include "records/CustomerRecord.h"

#include "records/RecordForm.h"
#include "shared/ProgramState.h"
#include "shared/TextRoutines.h"

#include <memory>

namespace varn {

QStringList CustomerAreaCodeControls()
{
    return CompanyRules::areaCodeControls();
}

RegisterConfig CustomerRegisterConfig()
{
    RegisterConfig c;
    c.table = QStringLiteral("客戶");
    c.codeColumn = QStringLiteral("客戶編號");
    c.nameColumn = QStringLiteral("客戶名稱");
    c.typeColumn = QStringLiteral("type");
    c.listSelect = QStringLiteral("客戶編號, 客戶名稱, 公司地址, 電話1, 連絡人, 連絡人大哥大");
    c.gridHeaders = {QString(), QStringLiteral("編 號"), QStringLiteral("公司名稱"), QStringLiteral("公司地址"),
                     QStringLiteral("公司電話"), QStringLiteral("聯 絡 人"), QStringLiteral("聯絡人行動")};
    c.gridWidths = {300, 550, 2800, 3300, 1500, 800, 1300};
    c.blankedColumns = {3, 4, 5};
    c.nameListColumn = 2;
    c.categoryFilterSource = QStringLiteral("Tp4C");

    c.lookups = {
        {QStringLiteral("cbTp"), QStringLiteral("SELECT tp FROM Ctp ORDER BY tp_id")},
        {QStringLiteral("cb4"), QStringLiteral("SELECT 中文姓名 FROM 員工")},
        {QStringLiteral("cb5"), QStringLiteral("SELECT 行 FROM 行業")},
        {QStringLiteral("cb6"), QStringLiteral("SELECT 地 FROM 地區")},
        {QStringLiteral("cb7"), QStringLiteral("SELECT 收 FROM 收款")},
    };
    c.countyControls = {QStringLiteral("cb1"), QStringLiteral("cb2"), QStringLiteral("cb3")};

    auto plain = [](const char* control) { return ColumnBinding{QString::fromLatin1(control), QString()}; };
    auto pair = [](const char* a, const char* b) {
        return ColumnBinding{QString::fromLatin1(a), QString::fromLatin1(b)};
    };
    c.columns = {
        plain("t1"),          // 0 客戶編號
        plain("t2"),          // 1 客戶名稱
        plain("t3"),          // 2 客戶代號 (short name)
        plain("t4"),          // 3 統一編號
        pair("cb1", "t5"),    // 4 公司地址
        plain("t6"),          // 5 郵遞區號
        pair("cb3", "t7"),    // 6 發票地址
        pair("cb2", "t8"),    // 7 施工地址
        plain("t9"),          // 8 電子郵件
        pair("t10", "t11"),   // 9 電話1
        pair("t12", "t13"),   // 10 電話2
        pair("t14", "t15"),   // 11 公司傳真
        plain("t16"),         // 12 負責人
        plain("t17"),         // 13 負責人身分證號
        pair("t18", "t19"),   // 14 負責人公司電話
        plain("t20"),         // 15 負責人大哥大
        pair("t21", "t22"),   // 16 負責人住家電話
        plain("t23"),         // 17 負責人職稱
        plain("t24"),         // 18 連絡人
        pair("t25", "t26"),   // 19 連絡人公司電話
        plain("t27"),         // 20 連絡人大哥大
        plain("t28"),         // 21 連絡人職稱
        plain("t29"),         // 22 介紹人
        plain("cb4"),         // 23 負責業務
        plain("t30"),         // 24 會計人員
        plain("t31"),         // 25 會計職稱
        pair("t32", "T33"),   // 26 會計電話
        plain("cb6"),         // 27 地區性
        plain("cb5"),         // 28 行業別
        plain("T34"),         // 29 登錄日期
        plain("T36"),         // 30 結帳日
        plain("T37"),         // 31 請款日
        plain("cb7"),         // 32 收款方式
        plain("T35"),         // 33 備註
        plain("cbTp"),        // 34 type
    };
    c.requiredControls = {QStringLiteral("t1"), QStringLiteral("t2"), QStringLiteral("t3")};
    c.firstEditControl = QStringLiteral("t3");
    c.dates = {{QStringLiteral("DTP1"), QStringLiteral("T34")}};
    c.firstListPrefix = QStringLiteral("01");
    c.initialCurrentPrefix = QString();
    c.rightsCharacter = 4;
    c.simpleHeightTwips = 3600;
    c.fullHeightTwips = 8400;

    c.texts.caption = QStringLiteral("客戶資料");
    c.texts.noSelection = QStringLiteral("請先選取表格中一個客戶");
    c.texts.required = QStringLiteral("請輸入客戶名稱&簡稱");
    c.texts.duplicate = QStringLiteral("客戶名稱重複");
    c.texts.recordGone = QStringLiteral("這個客戶已不在資料庫中 (可能已由其他工作站刪除)");
    c.texts.discardEdit = QStringLiteral("客戶資料尚未儲存, 確定放棄?");
    c.texts.showAllCaption = QStringLiteral("全部客戶");
    c.texts.searchNameHeader = QStringLiteral("客戶名稱");
    c.texts.noCodeIcon = PromptIcon::Warning;
    c.texts.requiredIcon = PromptIcon::Warning;

    c.rules = std::make_shared<CustomerRules>();
    return c;
}

CustomerRules::CustomerRules()
    : CompanyRules(6)
{
}

QStringList CustomerRules::otherCountyControls() const
{
    return {QStringLiteral("cb2")};
}

CustomerPick PickFromForm(const RecordForm& form)
{
    CustomerPick p;
    p.name = form.field(QStringLiteral("t2"));
    p.siteAddr = form.field(QStringLiteral("cb2")) + form.field(QStringLiteral("t8"));
    p.tel = PhoneNumberText(form.field(QStringLiteral("t10")), form.field(QStringLiteral("t11")));
    p.fax = PhoneNumberText(form.field(QStringLiteral("t14")), form.field(QStringLiteral("t15")));
    p.contact = form.field(QStringLiteral("t24"));
    return p;
}

void HandBackCustomer(const CustomerPick& pick)
{
    mdM& m = state().m;
    m.gCusName = pick.name;
    m.gCusSiteAddr = pick.siteAddr;
    m.gCusTel = pick.tel;
    m.gCusFax = pick.fax;
    m.gCusContact = pick.contact;
    m.gCustomerPicked = true;
}

void CustomerWindowUnloaded()
{
    mdM& m = state().m;
    m.gCustomerPicked = m.gPickCustomer && m.gCustomerPicked;
}

} // namespace varn
