#include "records/VendorRegister.h"

#include "platform/db/Database.h"
#include "shared/ProgramState.h"

namespace varn {

namespace {

int slot(SupplyKind kind)
{
    return kind == SupplyKind::Crews ? 0 : 1;
}

const QString kBoxTexts[] = {QStringLiteral("工班"), QStringLiteral("材料")};

} // namespace

VendorRegister::VendorRegister(std::shared_ptr<Database> db, QObject* parent)
    : RegisterEngine(VendorRegisterConfig(), std::move(db), parent)
{
    state().pro.gVendorName.clear();
    connect(this, &RegisterEngine::selectedNameChanged, this,
            [](const QString& name) { state().pro.gVendorName = name; });
}

void VendorRegister::load()
{
    RegisterEngine::load();
    for (SupplyKind kind : {SupplyKind::Crews, SupplyKind::Materials}) {
        const int i = slot(kind);
        try {
            Recordset rs = db().openRecordset(SupplyInfo(kind).itemSql);
            QStringList items;
            for (; !rs.eof(); rs.moveNext())
                items << rs.text(0);
            m_choices[i] = items;
            m_texts[i] = kBoxTexts[i];
        } catch (const DbError& e) {
            reportFailure(e);
        }
    }
    emit filterTextsChanged();
}

bool VendorRegister::listBySupply(SupplyKind kind, const QString& item)
{
    const SupplyKindInfo& info = SupplyInfo(kind);
    state().pro.gSupplyMode = info.mode;
    m_texts[slot(kind)] = item;
    const QString sql =
        QStringLiteral("SELECT v.廠商編號, v.廠商名稱, v.公司地址, v.電話1, v.連絡人, v.連絡人大哥大 "
                       "FROM 廠商 AS v INNER JOIN %1 AS k ON v.廠商名稱 = k.廠商名稱 "
                       "WHERE k.%2 = ? ORDER BY v.廠商編號, k.rowid")
            .arg(QuoteIdentifier(info.linkTable), QuoteIdentifier(info.linkColumn));
    const int found = fillList(sql, {item});
    if (found == 0) {
        m_texts[0] = kBoxTexts[0];
        m_texts[1] = kBoxTexts[1];
        say(QStringLiteral("所選無資料"), PromptIcon::None);
    }
    emit filterTextsChanged();
    return found > 0;
}

void VendorRegister::checkToggled(const QString& control, bool checked)
{
    std::optional<SupplyKind> kind;
    for (SupplyKind k : {SupplyKind::Crews, SupplyKind::Materials}) {
        if (SupplyInfo(k).checkBox == control)
            kind = k;
    }
    // The box follows the user first, so that putting it back shows too.
    RegisterEngine::checkToggled(control, checked);
    if (!kind || checked || !editing())
        return;
    const SupplyKindInfo& info = SupplyInfo(*kind);
    if (form().choices(info.list).isEmpty())
        return;

    MessageRequest ask;
    ask.text = QStringLiteral("這個動作會將(") + info.word + QStringLiteral(")內的資料刪除\r\n確定執行?");
    ask.title = QStringLiteral("Varn III");
    ask.icon = PromptIcon::Question;
    ask.buttons = PromptButtons::YesNo;
    ask.defaultButton = PromptButton::No;
    if (prompter().message(ask) != PromptButton::Yes) {
        form().setField(control, QStringLiteral("1"));
        return;
    }
    try {
        db().execute(QStringLiteral("DELETE FROM %1 WHERE 廠商名稱 = ?").arg(QuoteIdentifier(info.linkTable)),
                     {state().pro.gVendorName});
    } catch (const DbError& e) {
        reportFailure(e, QStringLiteral("供應項目無法刪除"));
        form().setField(control, QStringLiteral("1"));
        return;
    }
    form().setChoices(info.list, {});
}

bool VendorRegister::beginLinks(SupplyKind kind)
{
    if (form().field(QStringLiteral("t2")).isEmpty()) {
        say(QStringLiteral("請先輸入廠商名稱"), PromptIcon::None);
        return false;
    }
    state().pro.gSupplyMode = SupplyInfo(kind).mode;
    return true;
}

void VendorRegister::linksClosed(SupplyKind kind)
{
    try {
        form().setChoices(SupplyInfo(kind).list, ReadSupplyLinks(db(), kind, state().pro.gVendorName));
    } catch (const DbError& e) {
        reportFailure(e);
    }
}

} // namespace varn
