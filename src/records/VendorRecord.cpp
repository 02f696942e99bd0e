#include "records/VendorRecord.h"

#include "platform/db/Database.h"
#include "records/RecordForm.h"

#include <memory>

namespace varn {

namespace {

constexpr int kInvoiceAddressColumn = 6;
constexpr int kSupplyKindColumn = 35;
const QString kSupplyKindField = QStringLiteral("ck");

} // namespace

const SupplyKindInfo& SupplyInfo(SupplyKind kind)
{
    static const SupplyKindInfo crews{
        QStringLiteral("w"),    QStringLiteral("ck0"), QStringLiteral("Lw"),
        QStringLiteral("商vs工"), QStringLiteral("工"),   QStringLiteral("工班"),
        QStringLiteral("SELECT 工班 FROM 工班 ORDER BY w_id, rowid"), QStringLiteral("負責工班")};
    static const SupplyKindInfo materials{
        QStringLiteral("p"),    QStringLiteral("ck1"), QStringLiteral("Lp"),
        QStringLiteral("商vs料"), QStringLiteral("料"),   QStringLiteral("材料"),
        QStringLiteral("SELECT 材料 FROM 材料 ORDER BY p_id, rowid"), QStringLiteral("材料供應")};
    return kind == SupplyKind::Crews ? crews : materials;
}

unsigned SupplyColour(SupplyKind kind)
{
    return kind == SupplyKind::Crews ? 0x8080FFu : 0x80FF80u;
}

std::optional<SupplyKind> SupplyKindOf(const QString& mode)
{
    if (mode == QLatin1String("w"))
        return SupplyKind::Crews;
    if (mode == QLatin1String("p"))
        return SupplyKind::Materials;
    return std::nullopt;
}

int SupplyKindValue(bool crews, bool materials)
{
    return (crews ? 1 : 0) | (materials ? 2 : 0);
}

std::pair<bool, bool> SupplyKindBoxes(const QString& stored)
{
    bool ok = false;
    int value = stored.trimmed().toInt(&ok);
    if (!ok || value < 0 || value > 3)
        value = 0;
    return {(value & 1) != 0, (value & 2) != 0};
}

QStringList ReadSupplyLinks(Database& db, SupplyKind kind, const QString& vendor)
{
    const SupplyKindInfo& info = SupplyInfo(kind);
    Recordset rs = db.openRecordset(QStringLiteral("SELECT %1 FROM %2 WHERE 廠商名稱 = ? ORDER BY rowid")
                                        .arg(QuoteIdentifier(info.linkColumn), QuoteIdentifier(info.linkTable)),
                                    {vendor});
    QStringList items;
    for (; !rs.eof(); rs.moveNext())
        items << rs.text(0);
    return items;
}

RegisterConfig VendorRegisterConfig()
{
    RegisterConfig c;
    c.table = QStringLiteral("廠商");
    c.codeColumn = QStringLiteral("廠商編號");
    c.nameColumn = QStringLiteral("廠商名稱");
    c.typeColumn = QStringLiteral("type");
    c.listSelect = QStringLiteral("廠商編號, 廠商名稱, 公司地址, 電話1, 連絡人, 連絡人大哥大");
    c.gridHeaders = {QString(),
                     QStringLiteral("編  號"),
                     QStringLiteral("公     司     名     稱"),
                     QStringLiteral("公     司     地     址"),
                     QStringLiteral("公  司  電  話"),
                     QStringLiteral("聯 絡 人"),
                     QStringLiteral("聯絡人行動")};
    c.gridWidths = {300, 550, 2800, 3300, 1450, 800, 1300};
    c.blankedColumns = {3, 4, 5};
    c.nameListColumn = 2;
    c.categoryFilterSource = QStringLiteral("Tp4P");

    c.lookups = {
        {QStringLiteral("cbTp"), QStringLiteral("SELECT tp FROM Ptp ORDER BY tp_id")},
        {QStringLiteral("cb4"), QStringLiteral("SELECT 中文姓名 FROM 員工")},
        {QStringLiteral("cb5"), QStringLiteral("SELECT 行 FROM 行業")},
        {QStringLiteral("cb6"), QStringLiteral("SELECT 地 FROM 地區")},
        {QStringLiteral("cb7"), QStringLiteral("SELECT 付 FROM 付款")},
    };
    c.countyControls = {QStringLiteral("cb1"), QStringLiteral("cb3")};

    auto plain = [](const char* control) { return ColumnBinding{QString::fromLatin1(control), QString()}; };
    auto pair = [](const char* a, const char* b) {
        return ColumnBinding{QString::fromLatin1(a), QString::fromLatin1(b)};
    };
    c.columns = {
        plain("t1"),          // 0 廠商編號
        plain("t2"),          // 1 廠商名稱
        plain("t3"),          // 2 廠商代號 (short name)
        plain("t4"),          // 3 統一編號
        pair("cb1", "t5"),    // 4 公司地址
        plain("t6"),          // 5 郵遞區號
        pair("cb3", "t7"),    // 6 發票地址
        plain("t9"),          // 7 電子郵件
        pair("t10", "t11"),   // 8 電話1
        pair("t12", "t13"),   // 9 電話2
        pair("t14", "t15"),   // 10 傳真
        plain("t16"),         // 11 負責人
        plain("t17"),         // 12 負責人身分證號
        pair("t18", "t19"),   // 13 負責人公司電話
        plain("t20"),         // 14 負責人大哥大
        pair("t21", "t22"),   // 15 負責人住家電話
        plain("t23"),         // 16 負責人職稱
        plain("t24"),         // 17 連絡人
        pair("t25", "t26"),   // 18 連絡人公司電話
        plain("t27"),         // 19 連絡人大哥大
        plain("t28"),         // 20 連絡人職稱
        plain("t29"),         // 21 介紹人
        plain("cb4"),         // 22 負責業務
        plain("t30"),         // 23 會計人員
        plain("t31"),         // 24 會計職稱
        pair("t32", "T33"),   // 25 會計電話
        plain("cb6"),         // 26 地區性
        plain("cb5"),         // 27 行業別
        plain("T34"),         // 28 登錄日期
        plain("T36"),         // 29 結帳日
        plain("T37"),         // 30 請款日
        plain("cb7"),         // 31 付款方式
        plain("T35"),         // 32 備註
        plain("T38"),         // 33 支票抬頭
        plain("T39"),         // 34 發票抬頭
        ColumnBinding{kSupplyKindField, QString()},   // 35 supply kind, from ck0 and ck1
        plain("T40"),         // 36 敘述
        plain("cbTp"),        // 37 type
    };
    c.requiredControls = {QStringLiteral("t1"), QStringLiteral("t2"), QStringLiteral("t3")};
    c.firstEditControl = QStringLiteral("t3");
    c.dates = {{QStringLiteral("DTP1"), QStringLiteral("T34")}};
    c.searchSkippedColumns = {};
    c.cascadeDeletes = {QStringLiteral("DELETE FROM 商vs工 WHERE 廠商名稱 = ?"),
                        QStringLiteral("DELETE FROM 商vs料 WHERE 廠商名稱 = ?")};
    c.firstListPrefix = QStringLiteral("01");
    c.initialCurrentPrefix = QStringLiteral("01");
    c.rightsCharacter = 6;
    c.simpleHeightTwips = 3500;
    c.fullHeightTwips = 8400;

    c.texts.caption = QStringLiteral("廠商資料");
    c.texts.noSelection = QStringLiteral("請先選取表格中一個廠商");
    c.texts.required = QStringLiteral("請輸入廠商名稱&簡稱");
    c.texts.duplicate = QStringLiteral("廠商名稱重複");
    c.texts.recordGone = QStringLiteral("這個廠商已不在資料庫中 (可能已由其他工作站刪除)");
    c.texts.discardEdit = QStringLiteral("廠商資料尚未儲存, 確定放棄?");
    c.texts.showAllCaption = QStringLiteral("全部廠商");
    c.texts.searchNameHeader = QStringLiteral("廠商名稱");

    c.rules = std::make_shared<VendorRules>();
    return c;
}

VendorRules::VendorRules()
    : CompanyRules(kInvoiceAddressColumn)
{
}

void VendorRules::fieldChanged(RecordForm& form, const QString& control)
{
    CompanyRules::fieldChanged(form, control);
    if (control == QLatin1String("t2")) {
        // The cheque and invoice titles start as the name.
        form.setField(QStringLiteral("T38"), form.field(control));
        form.setField(QStringLiteral("T39"), form.field(control));
    }
}

void VendorRules::adjustRow(QStringList& row, const RecordForm& form, EditMode mode)
{
    CompanyRules::adjustRow(row, form, mode);
    if (row.size() > kSupplyKindColumn)
        row[kSupplyKindColumn] = QString::number(
            SupplyKindValue(form.field(QStringLiteral("ck0")) == QLatin1String("1"),
                            form.field(QStringLiteral("ck1")) == QLatin1String("1")));
}

QStringList VendorRules::fieldsShowing(int column) const
{
    if (column != kSupplyKindColumn)
        return {};
    return {SupplyInfo(SupplyKind::Crews).checkBox, SupplyInfo(SupplyKind::Materials).checkBox};
}

QString VendorRules::describeStored(int column, const QString& stored) const
{
    if (column != kSupplyKindColumn)
        return {};
    const auto [crews, materials] = SupplyKindBoxes(stored);
    QStringList ticked;
    if (crews)
        ticked << QStringLiteral("施工廠商");
    if (materials)
        ticked << QStringLiteral("材料供應");
    return ticked.isEmpty() ? QStringLiteral("無") : ticked.join(QStringLiteral("、"));
}

void VendorRules::rowShown(const QStringList& row, RecordForm& form, Database& db)
{
    const auto [crews, materials] = SupplyKindBoxes(row.value(kSupplyKindColumn));
    const QString vendor = row.value(1);
    const std::pair<SupplyKind, bool> kinds[] = {{SupplyKind::Crews, crews},
                                                 {SupplyKind::Materials, materials}};
    for (const auto& [kind, ticked] : kinds) {
        const SupplyKindInfo& info = SupplyInfo(kind);
        form.assign(info.checkBox, ticked ? QStringLiteral("1") : QStringLiteral("0"));
        form.setChoices(info.list, ticked ? ReadSupplyLinks(db, kind, vendor) : QStringList());
    }
}

void VendorRules::fieldsCleared(RecordForm& form)
{
    for (SupplyKind kind : {SupplyKind::Crews, SupplyKind::Materials}) {
        form.assign(SupplyInfo(kind).checkBox, QStringLiteral("0"));
        form.setChoices(SupplyInfo(kind).list, {});
    }
}

} // namespace varn
