#include "RecordsTestSupport.h"
#include "records/SupplyLinks.h"
#include "records/VendorRegister.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class VendorTest : public RegisterFixture {
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        db->execute(u"DELETE FROM 工班"_s);
        db->execute(u"DELETE FROM 材料"_s);
        int id = 0;
        for (const QString& crew : {u"水電"_s, u"木工"_s, u"油漆"_s})
            db->execute(u"INSERT INTO 工班 (w_id, 工班) VALUES (?, ?)"_s, {++id, crew});
        for (const QString& material : {u"磁磚"_s, u"石材"_s})
            db->execute(u"INSERT INTO 材料 (p_id, 材料) VALUES (?, ?)"_s, {++id, material});
    }

    // A vendor row: code, name, supply kind (column 35) and links.
    void addVendor(const QString& code, const QString& name, const QVariant& kind = 0,
                   const QStringList& crews = {}, const QStringList& materials = {})
    {
        db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱, 廠商代號, 供應類別) VALUES (?, ?, ?, ?)"_s,
                    {code, name, name.left(4), kind});
        for (const QString& c : crews)
            db->execute(u"INSERT INTO 商vs工 VALUES (?, ?)"_s, {name, c});
        for (const QString& m : materials)
            db->execute(u"INSERT INTO 商vs料 VALUES (?, ?)"_s, {name, m});
    }

    QStringList links(const QString& table, const QString& vendor)
    {
        Recordset rs = db->openRecordset(u"SELECT * FROM %1 WHERE 廠商名稱 = ? ORDER BY rowid"_s.arg(table), {vendor});
        QStringList items;
        for (; !rs.eof(); rs.moveNext())
            items << rs.text(1);
        return items;
    }

    QString column(const QString& vendor, int col) { return cell(u"廠商"_s, u"廠商名稱"_s, vendor, col); }

    // A loaded register with the vendor chosen and opened for 修改.
    void edit(VendorRegister& reg, const QString& vendor)
    {
        chooseNamed(reg, vendor);
        ASSERT_TRUE(reg.beginEdit());
    }
};

TEST_F(VendorTest, SupplyKindShowsAsTwoBoxesAndIsStoredFromThem)
{
    // (stored column 35, work-crew box, material box)
    const std::tuple<QVariant, bool, bool> shown[] = {
        {0, false, false}, {1, true, false}, {2, false, true}, {3, true, true},
        {4, false, false}, {-1, false, false}, {u"x"_s, false, false}, {QVariant(), false, false}};
    int n = 0;
    for (const auto& [stored, crews, materials] : shown) {
        const QString name = u"V%1"_s.arg(++n);
        addVendor(u"V%1"_s.arg(n, 3, 10, QLatin1Char('0')), name, stored, {u"水電"_s}, {u"磁磚"_s});
        VendorRegister reg;
        reg.listByCode(u"V"_s);
        ASSERT_TRUE(reg.selectRow(n)) << n;
        EXPECT_EQ(reg.form().field(u"ck0"_s) == u"1"_s, crews) << n;
        EXPECT_EQ(reg.form().field(u"ck1"_s) == u"1"_s, materials) << n;
        // A link list shows only while its kind is set.
        EXPECT_EQ(reg.form().choices(u"Lw"_s), crews ? QStringList{u"水電"_s} : QStringList()) << n;
        EXPECT_EQ(reg.form().choices(u"Lp"_s), materials ? QStringList{u"磁磚"_s} : QStringList()) << n;
    }

    // (boxes ticked while changing, stored after 確定)
    const std::tuple<bool, bool, QString> saved[] = {
        {false, false, u"0"_s}, {true, false, u"1"_s}, {false, true, u"2"_s}, {true, true, u"3"_s}};
    // A new vendor has no kind; its name fills the titles.
    VendorRegister added;
    added.load();
    ASSERT_TRUE(added.beginAdd());
    added.form().setField(u"t2"_s, u"大同水電行"_s);
    EXPECT_EQ(added.form().field(u"T39"_s), u"大同水電行"_s);
    added.form().setField(u"T38"_s, u"大同"_s);
    ASSERT_TRUE(added.save());
    EXPECT_EQ(column(u"大同水電行"_s, 33), u"大同"_s);
    EXPECT_EQ(column(u"大同水電行"_s, 35), u"0"_s);
    for (const auto& [crews, materials, value] : saved) {
        VendorRegister reg;
        edit(reg, u"大同水電行"_s);
        reg.checkToggled(u"ck0"_s, crews);
        reg.checkToggled(u"ck1"_s, materials);
        ASSERT_TRUE(reg.save());
        EXPECT_EQ(column(u"大同水電行"_s, 35), value);
    }
}

// Another workstation set the supply kind while this one changed it too: the message names
// the kind by its boxes.
TEST_F(VendorTest, ASupplyKindChangedElsewhereIsToldByItsBoxes)
{
    addVendor(u"12001"_s, u"張家營造"_s, 0);
    VendorRegister reg;
    edit(reg, u"張家營造"_s);
    reg.checkToggled(u"ck0"_s, true);
    std::unique_ptr<Database> other = Database::open(dir.filePath(u"varn3.mdb"_s));
    other->execute(u"UPDATE 廠商 SET 供應類別 = 2"_s);

    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageText(), u"此筆資料已被其他使用者修改：\n供應類別：「材料供應」\n請確認後再按確定儲存。"_s);
    EXPECT_EQ(reg.form().field(u"ck0"_s), u"1"_s);
    EXPECT_EQ(reg.form().field(u"ck1"_s), u"0"_s);
    EXPECT_EQ(column(u"張家營造"_s, 35), u"2"_s);
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(column(u"張家營造"_s, 35), u"1"_s);
}

TEST_F(VendorTest, ClearingAKindWithLinksAsksAndYesDropsThemAtOnce)
{
    addVendor(u"A001"_s, u"Acme"_s, 3, {u"水電"_s, u"油漆"_s}, {u"磁磚"_s});
    VendorRegister reg;
    edit(reg, u"Acme"_s);

    prompts.answerMessage(PromptButton::No);
    reg.checkToggled(u"ck0"_s, false);
    EXPECT_EQ(prompts.lastMessageText(), u"這個動作會將(負責工班)內的資料刪除\r\n確定執行?"_s);
    EXPECT_EQ(prompts.asked(PromptKind::Message).back().defaultButton, PromptButton::No);
    EXPECT_EQ(reg.form().field(u"ck0"_s), u"1"_s);
    EXPECT_EQ(links(u"商vs工"_s, u"Acme"_s).size(), 2);

    prompts.answerMessage(PromptButton::Yes);
    reg.checkToggled(u"ck1"_s, false);
    EXPECT_EQ(prompts.lastMessageText(), u"這個動作會將(材料供應)內的資料刪除\r\n確定執行?"_s);
    EXPECT_EQ(reg.form().field(u"ck1"_s), u"0"_s);
    EXPECT_TRUE(reg.form().choices(u"Lp"_s).isEmpty());
    // Gone at once; the record's 取消 does not bring them back.
    reg.cancel();
    EXPECT_TRUE(links(u"商vs料"_s, u"Acme"_s).isEmpty());
    EXPECT_EQ(links(u"商vs工"_s, u"Acme"_s).size(), 2);

    // A kind without links is cleared without a question.
    VendorRegister again;
    edit(again, u"Acme"_s);
    again.checkToggled(u"ck1"_s, true);
    again.checkToggled(u"ck1"_s, false);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(VendorTest, ListBySupplyListsTheLinkedVendorsInCodeOrderAndDeleteTakesTheirLinks)
{
    addVendor(u"B002"_s, u"Beta"_s, 1, {u"水電"_s});
    addVendor(u"A001"_s, u"Acme"_s, 3, {u"水電"_s, u"木工"_s}, {u"石材"_s});
    addVendor(u"C001"_s, u"Core"_s, 2, {}, {u"磁磚"_s});
    VendorRegister reg;
    reg.load();
    ASSERT_TRUE(reg.listBySupply(SupplyKind::Crews, u"水電"_s));
    ASSERT_EQ(reg.list().rows(), 3);
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"Acme"_s);
    EXPECT_EQ(reg.list().textMatrix(2, 2), u"Beta"_s);
    EXPECT_EQ(state().pro.gSupplyMode, u"w"_s);
    ASSERT_TRUE(reg.listBySupply(SupplyKind::Materials, u"磁磚"_s));
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"Core"_s);
    EXPECT_EQ(state().pro.gSupplyMode, u"p"_s);

    prompts.clear();
    EXPECT_FALSE(reg.listBySupply(SupplyKind::Crews, u"油漆"_s));
    EXPECT_EQ(prompts.lastMessageText(), u"所選無資料"_s);
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"Core"_s);

    // Deleting a vendor takes both kinds of its links, and only its own.
    chooseNamed(reg, u"Acme"_s);
    prompts.answerMessage(PromptButton::Yes);
    ASSERT_TRUE(reg.deleteSelected());
    EXPECT_EQ(column(u"Acme"_s, 0), u"<none>"_s);
    EXPECT_TRUE(links(u"商vs工"_s, u"Acme"_s).isEmpty());
    EXPECT_TRUE(links(u"商vs料"_s, u"Acme"_s).isEmpty());
    EXPECT_EQ(links(u"商vs工"_s, u"Beta"_s), QStringList{u"水電"_s});
    EXPECT_TRUE(state().pro.gVendorName.isEmpty());
}

TEST_F(VendorTest, LinksWindowListsMovesAndReplacesTheLinks)
{
    addVendor(u"A001"_s, u"Acme"_s, 1, {u"水電"_s, u"油漆"_s});
    SupplyLinks w(SupplyKind::Crews, u"Acme"_s);
    ASSERT_TRUE(w.load());
    EXPECT_EQ(w.original(), (QStringList{u"水電"_s, u"油漆"_s}));
    EXPECT_EQ(w.all(), QStringList{u"木工"_s});

    // 移除 puts a link at the end of 所有的.
    w.remove({0});
    EXPECT_EQ(w.original(), QStringList{u"油漆"_s});
    EXPECT_EQ(w.all(), (QStringList{u"木工"_s, u"水電"_s}));
    ASSERT_TRUE(w.load());   // 恢復原始狀態
    EXPECT_EQ(w.all(), QStringList{u"木工"_s});

    w.add({0});
    EXPECT_EQ(w.added(), QStringList{u"木工"_s});
    EXPECT_TRUE(w.all().isEmpty());
    ASSERT_TRUE(w.commit());
    EXPECT_EQ(links(u"商vs工"_s, u"Acme"_s), (QStringList{u"水電"_s, u"油漆"_s, u"木工"_s}));

    // Both lists emptied: every link of the kind goes, the other kind stays.
    db->execute(u"INSERT INTO 商vs料 VALUES ('Acme', '磁磚')"_s);
    ASSERT_TRUE(w.load());
    w.remove({0, 1, 2});
    ASSERT_TRUE(w.commit());
    EXPECT_TRUE(links(u"商vs工"_s, u"Acme"_s).isEmpty());
    EXPECT_EQ(links(u"商vs料"_s, u"Acme"_s), QStringList{u"磁磚"_s});

    // A refused confirmation changes nothing and keeps the lists for another try.
    db->execute(u"CREATE TRIGGER refuse BEFORE INSERT ON 商vs工 BEGIN SELECT RAISE(ABORT, '拒絕'); END"_s);
    w.add({1});   // 油漆
    EXPECT_FALSE(w.commit());
    EXPECT_EQ(prompts.lastMessageText(), u"供應項目無法儲存：資料庫拒絕了這項變更：拒絕\r\n資料庫中的資料沒有改變，沒有資料遺失。"_s);
    EXPECT_EQ(w.added(), QStringList{u"油漆"_s});
    // Another workstation deletes the vendor meanwhile: no link is written for it.
    db->execute(u"DROP TRIGGER refuse"_s);
    Database::open(dir.filePath(u"varn3.mdb"_s))->execute(u"DELETE FROM 廠商"_s);
    EXPECT_FALSE(w.commit());
    EXPECT_TRUE(prompts.lastMessageText().startsWith(u"供應項目無法儲存：廠商【Acme】已被其他使用者刪除，連結未儲存"_s));
    EXPECT_TRUE(links(u"商vs工"_s, u"Acme"_s).isEmpty());
}

} // namespace
} // namespace varn::test
