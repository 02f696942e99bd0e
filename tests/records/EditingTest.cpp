#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "shared/RocDate.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

using EditingTest = RegisterFixture;

TEST_F(EditingTest, AddStoresEveryColumnAndListsTheSavedCodesFirstTwoCharacters)
{
    addCustomer(u"A122"_s, u"Alpha"_s);
    addCustomer(u"A009"_s, u"Apex"_s);
    CustomerRegister reg;
    reg.load();
    prompts.clear();
    ASSERT_TRUE(reg.beginAdd());
    const QString today = FormatRocDateShort(QDate::currentDate());
    EXPECT_EQ(reg.form().field(u"T34"_s), today);

    reg.form().setField(u"t2"_s, u"Acme Trading"_s);
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(u"t3"_s), u"Acme"_s);
    reg.form().setField(u"t7"_s, u"  民生路  "_s);
    reg.form().setField(u"t8"_s, u"中山路 5 號"_s);
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(reg.selectedName(), u"Acme Trading"_s);
    ASSERT_EQ(reg.list().rows(), 3);
    EXPECT_EQ(reg.list().row(), 2);
    EXPECT_EQ(reg.list().textMatrix(2, 1), u"A123"_s);

    // (column, stored): a new record keeps the street as typed; empty compounds hold ";".
    const QString name = u"Acme Trading"_s;
    const std::pair<int, QString> columns[] = {{0, u"A123"_s},         {2, u"Acme"_s}, {6, u";  民生路  "_s},
                                               {7, u";中山路 5 號"_s}, {29, today},    {33, QString()}};
    for (const auto& [col, value] : columns)
        EXPECT_EQ(stored(name, col), value) << col;
    for (int col : {4, 9, 10, 11, 14, 16, 19, 26})
        EXPECT_EQ(stored(name, col), u";"_s) << col;
}

// Name and short name are required, the name unique in any letter case; a refused add
// keeps what was typed.
TEST_F(EditingTest, RefusedAddsKeepTheFieldsAndWriteNothing)
{
    addCustomer(u"A001"_s, u"Acme"_s, {{2, u"Acme"_s}});
    CustomerRegister reg;
    ASSERT_TRUE(reg.beginAdd());
    const std::tuple<QString, QString, QString> refused[] = {
        {QString(), QString(), u"請輸入客戶名稱&簡稱"_s},
        {u"New"_s, u"  "_s, u"請輸入客戶名稱&簡稱"_s},
        {u"Acme"_s, u"A"_s, u"客戶名稱重複"_s},
        {u"ACME"_s, u"A"_s, u"客戶名稱重複"_s},
    };
    for (const auto& [name, shortName, message] : refused) {
        reg.form().setField(u"t2"_s, name);
        reg.form().setField(u"t3"_s, shortName);
        reg.form().setField(u"t24"_s, u"聯絡人"_s);
        EXPECT_FALSE(reg.save()) << name.toStdString();
        EXPECT_EQ(prompts.lastMessageText(), message) << name.toStdString();
        EXPECT_EQ(reg.form().field(u"t24"_s), u"聯絡人"_s);
    }
    EXPECT_EQ(customerCount(), 1);
}

// Column 14 keeps its own number; column 6's street loses its outer blanks on an edit
// (blanks only: an ideographic space stays); an add cancelled before keeps the category.
TEST_F(EditingTest, EditAfterACancelledAddReloadsEveryColumnAndSavesOverTheRow)
{
    addCustomer(u"A001"_s, u"Acme"_s,
                {{2, u"Acme"_s}, {6, u"臺北市;  　民生路  "_s}, {9, u"02;1111"_s}, {14, u"02;2222"_s}, {34, u"建設公司"_s}});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(u"t2"_s, u"Other"_s);
    reg.cancel();
    // 取消 goes back to the customer that was chosen.
    EXPECT_EQ(reg.form().field(u"t2"_s), u"Acme"_s);
    ASSERT_TRUE(reg.beginEdit());
    EXPECT_EQ(reg.form().field(u"cbTp"_s), u"建設公司"_s);
    EXPECT_EQ(reg.form().field(u"t19"_s), u"2222"_s);
    reg.form().setField(u"t9"_s, u"a@b.tw"_s);
    ASSERT_TRUE(reg.save());

    const std::pair<int, QString> columns[] = {
        {8, u"a@b.tw"_s}, {2, u"Acme"_s}, {6, u"臺北市;　民生路"_s}, {14, u"02;2222"_s}, {34, u"建設公司"_s}};
    for (const auto& [col, value] : columns)
        EXPECT_EQ(stored(u"Acme"_s, col), value) << col;
    EXPECT_EQ(customerCount(), 1);
}

TEST_F(EditingTest, FailedSavesKeepTheRecordAndTheWindowUsable)
{
    addCustomer(u"A001"_s, u"Acme"_s, {{2, u"Acme"_s}});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(u"t9"_s, u"x@y"_s);
    db->execute(u"ALTER TABLE 客戶 RENAME TO 客戶舊"_s);
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageText(), u"資料無法儲存：資料庫無法完成這項操作 (錯誤碼 1)。\r\n"
                                         "資料庫中的資料沒有改變，沒有資料遺失。"_s);
    EXPECT_EQ(reg.editMode(), EditMode::Edit);
    EXPECT_EQ(reg.form().field(u"t9"_s), u"x@y"_s);
    EXPECT_FALSE(reg.listByCode(u"A"_s));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"Acme"_s);
    db->execute(u"ALTER TABLE 客戶舊 RENAME TO 客戶"_s);

    // A save that changes no row, the record being deleted elsewhere, is an error too.
    db->execute(u"DELETE FROM 客戶"_s);
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(reg.editMode(), EditMode::Edit);
    EXPECT_EQ(customerCount(), 0);

    addCustomer(u"A001"_s, u"Acme"_s);
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(u"Acme"_s, 8), u"x@y"_s);
}

TEST_F(EditingTest, DeleteAsksAndRemovesOnlyTheChosenName)
{
    addCustomer(u"O001"_s, u"O'Brien"_s);
    addCustomer(u"O002"_s, u"OBrien"_s);
    CustomerRegister reg;
    EXPECT_FALSE(reg.beginEdit());   // nothing chosen yet
    EXPECT_EQ(prompts.lastMessageText(), u"請先選取表格中一個客戶"_s);
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    reg.load();
    ASSERT_TRUE(reg.openRow(1));
    ASSERT_EQ(reg.selectedName(), u"O'Brien"_s);

    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 2);
    EXPECT_EQ(prompts.last()->text, u"確定刪除 ( O'Brien )"_s);
    EXPECT_EQ(prompts.last()->defaultButton, PromptButton::No);

    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 1);
    EXPECT_EQ(stored(u"OBrien"_s, 0), u"O002"_s);
    EXPECT_TRUE(reg.selectedName().isEmpty());
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"OBrien"_s);
}

TEST_F(EditingTest, WithoutTheEditRightNothingChangesAndARecordGoneElsewhereIsNotShown)
{
    state().m.gRights = kAllRights & ~RightMask(Right::CustomerEdit);
    addCustomer(u"A001"_s, u"Acme"_s, {{2, u"Acme"_s}});
    addCustomer(u"A002"_s, u"Apex"_s, {{2, u"Apex"_s}});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_FALSE(reg.beginAdd());
    EXPECT_FALSE(reg.beginEdit());
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 2);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    db->execute(u"DELETE FROM 客戶 WHERE 客戶名稱 = 'Apex'"_s);
    EXPECT_FALSE(reg.selectRow(2));
    EXPECT_TRUE(reg.form().field(u"t2"_s).isEmpty());
    EXPECT_TRUE(reg.selectedName().isEmpty());
}

} // namespace
} // namespace varn::test
