#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "shared/RocDate.h"

#include <QDate>

namespace varn::test {
namespace {

class EditingTest : public RegisterFixture {
protected:
    // Adds through the window's road: 新增, the name, leaving it, 確定.
    bool addThroughRegister(CustomerRegister& reg, const QString& name)
    {
        if (!reg.beginAdd())
            return false;
        reg.form().setField(QStringLiteral("t2"), name);
        reg.nameLeft();
        return reg.save();
    }
};

TEST_F(EditingTest, AddStoresEveryColumnAndSelectsTheSavedRecord)
{
    CustomerRegister reg;
    reg.load();
    prompts.clear();
    ASSERT_TRUE(reg.beginAdd());
    EXPECT_EQ(reg.editModeText(), QStringLiteral("AddF"));
    EXPECT_EQ(reg.stateLabel(), QStringLiteral("新增中"));
    EXPECT_TRUE(reg.fullPage());
    EXPECT_TRUE(reg.fieldsEditable());
    EXPECT_TRUE(reg.nameEditable());
    EXPECT_FALSE(reg.gridEnabled());
    EXPECT_EQ(reg.form().field(QStringLiteral("T34")), FormatRocDateShort(QDate::currentDate()));

    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Acme Trading"));
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(QStringLiteral("t1")), QStringLiteral("A001"));
    EXPECT_EQ(reg.form().field(QStringLiteral("t3")), QStringLiteral("Acme"));
    reg.form().setField(QStringLiteral("t8"), QStringLiteral("中山路 5 號"));
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_FALSE(reg.fieldsEditable());
    EXPECT_EQ(reg.selectedName(), QStringLiteral("Acme Trading"));
    EXPECT_EQ(reg.shownName(), QStringLiteral("Acme Trading"));
    EXPECT_EQ(reg.currentPrefix(), QStringLiteral("A0"));
    EXPECT_EQ(reg.list().textMatrix(reg.list().row(), 2), QStringLiteral("Acme Trading"));

    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 0), QStringLiteral("A001"));
    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 2), QStringLiteral("Acme"));
    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 7), QStringLiteral(";中山路 5 號"));
    for (int col : {4, 6, 9, 10, 11, 14, 16, 19, 26})
        EXPECT_EQ(stored(QStringLiteral("Acme Trading"), col), QStringLiteral(";")) << col;
    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 29), FormatRocDateShort(QDate::currentDate()));
    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 33), QString());
}

TEST_F(EditingTest, SavedCodeListsItsFirstTwoCharacters)
{
    addCustomer(QStringLiteral("A122"), QStringLiteral("Alpha"));
    addCustomer(QStringLiteral("A009"), QStringLiteral("Apex"));
    CustomerRegister reg;
    ASSERT_TRUE(addThroughRegister(reg, QStringLiteral("Arc")));
    EXPECT_EQ(reg.currentPrefix(), QStringLiteral("A1"));
    ASSERT_EQ(reg.list().rows(), 3);
    EXPECT_EQ(reg.list().textMatrix(1, 1), QStringLiteral("A122"));
    EXPECT_EQ(reg.list().textMatrix(2, 1), QStringLiteral("A123"));
    EXPECT_EQ(reg.list().row(), 2);
}

TEST_F(EditingTest, RequiredFieldsRefuseAndWriteNothing)
{
    CustomerRegister reg;
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(QStringLiteral("t5"), QStringLiteral("typed"));
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請輸入客戶名稱&簡稱"));
    EXPECT_EQ(prompts.last()->icon, PromptIcon::Warning);
    EXPECT_EQ(reg.editMode(), EditMode::Add);
    EXPECT_EQ(reg.form().field(QStringLiteral("t5")), QStringLiteral("typed"));

    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Acme"));
    reg.form().setField(QStringLiteral("t3"), QStringLiteral("  "));
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(customerCount(), 0);
}

TEST_F(EditingTest, DuplicateNameInAnyLetterCaseKeepsTheFields)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    CustomerRegister reg;
    for (const QString& name : {QStringLiteral("Acme"), QStringLiteral("ACME")}) {
        prompts.clear();
        ASSERT_TRUE(reg.beginAdd() || reg.editMode() == EditMode::Add);
        reg.form().setField(QStringLiteral("t2"), name);
        reg.form().setField(QStringLiteral("t24"), QStringLiteral("聯絡人"));
        EXPECT_FALSE(reg.save());
        EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("客戶名稱重複"));
        EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
        EXPECT_EQ(reg.editMode(), EditMode::Add);
        EXPECT_EQ(reg.form().field(QStringLiteral("t2")), name);
        EXPECT_EQ(reg.form().field(QStringLiteral("t24")), QStringLiteral("聯絡人"));
    }
    EXPECT_EQ(customerCount(), 1);

    reg.cancel();
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_TRUE(reg.form().field(QStringLiteral("t2")).isEmpty());
}

TEST_F(EditingTest, EditReloadsEveryColumnAndSavesOverTheRow)
{
    QStringList more(33);
    more[0] = QStringLiteral("AC");
    more[4] = QStringLiteral("臺北市;  民生路  ");   // column 6, invoice address
    more[7] = QStringLiteral("02;1111");            // column 9
    more[12] = QStringLiteral("02;2222");           // column 14: its own number
    more[32] = QStringLiteral("建設公司");          // column 34, category
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_EQ(reg.form().field(QStringLiteral("t19")), QStringLiteral("2222"));

    ASSERT_TRUE(reg.beginEdit());
    EXPECT_EQ(reg.editModeText(), QStringLiteral("EditF"));
    EXPECT_EQ(reg.stateLabel(), QStringLiteral("修改中"));
    EXPECT_FALSE(reg.nameEditable());
    EXPECT_EQ(reg.form().field(QStringLiteral("cbTp")), QStringLiteral("建設公司"));
    reg.form().setField(QStringLiteral("t9"), QStringLiteral("a@b.tw"));
    ASSERT_TRUE(reg.save());

    EXPECT_EQ(stored(QStringLiteral("Acme"), 8), QStringLiteral("a@b.tw"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 2), QStringLiteral("AC"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 6), QStringLiteral("臺北市;民生路"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 14), QStringLiteral("02;2222"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 34), QStringLiteral("建設公司"));
    EXPECT_EQ(customerCount(), 1);
}

TEST_F(EditingTest, AddKeepsTheInvoiceStreetAsTyped)
{
    CustomerRegister reg;
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Acme"));
    reg.form().setField(QStringLiteral("t7"), QStringLiteral("  民生路  "));
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(QStringLiteral("Acme"), 6), QStringLiteral(";  民生路  "));
}

TEST_F(EditingTest, AddCancelEditSaveKeepsTheEarlierCategory)
{
    QStringList more(33);
    more[0] = QStringLiteral("Acme");
    more[32] = QStringLiteral("建設公司");
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Other"));
    reg.cancel();
    // 取消 goes back to the customer that was chosen.
    EXPECT_EQ(reg.form().field(QStringLiteral("t2")), QStringLiteral("Acme"));
    EXPECT_EQ(reg.shownName(), QStringLiteral("Acme"));
    ASSERT_TRUE(reg.beginEdit());
    EXPECT_EQ(reg.form().field(QStringLiteral("cbTp")), QStringLiteral("建設公司"));
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(QStringLiteral("Acme"), 34), QStringLiteral("建設公司"));
    EXPECT_EQ(stored(QStringLiteral("Other"), 1), QStringLiteral("<none>"));
}

TEST_F(EditingTest, SavingARecordDeletedElsewhereIsAnError)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(QStringLiteral("t9"), QStringLiteral("x@y"));
    db->execute(QStringLiteral("DELETE FROM 客戶"));
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
    EXPECT_FALSE(prompts.lastMessageText().isEmpty());
    EXPECT_EQ(reg.editMode(), EditMode::Edit);
    EXPECT_EQ(reg.form().field(QStringLiteral("t9")), QStringLiteral("x@y"));
    EXPECT_EQ(customerCount(), 0);
}

TEST_F(EditingTest, EditOrDeleteWithoutAChosenRecordAsksForOne)
{
    CustomerRegister reg;
    EXPECT_FALSE(reg.beginEdit());
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先選取表格中一個客戶"));
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先選取表格中一個客戶"));
    reg.togglePageMode();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先選取表格中一個客戶"));
    EXPECT_FALSE(reg.fullPage());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
}

TEST_F(EditingTest, DeleteAsksAndRemovesOnlyTheChosenName)
{
    addCustomer(QStringLiteral("O001"), QStringLiteral("O'Brien"));
    addCustomer(QStringLiteral("O002"), QStringLiteral("OBrien"));
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.openRow(1));
    ASSERT_EQ(reg.selectedName(), QStringLiteral("O'Brien"));

    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 2);
    const PromptRecord question = prompts.asked(PromptKind::Message).back();
    EXPECT_EQ(question.text, QStringLiteral("確定刪除 ( O'Brien )"));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.defaultButton, PromptButton::No);

    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 1);
    EXPECT_EQ(stored(QStringLiteral("OBrien"), 0), QStringLiteral("O002"));
    EXPECT_TRUE(reg.selectedName().isEmpty());
    EXPECT_TRUE(reg.form().field(QStringLiteral("t2")).isEmpty());
    EXPECT_FALSE(reg.fullPage());
    EXPECT_EQ(reg.list().rows(), 2);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("OBrien"));
}

TEST_F(EditingTest, WithoutTheEditRightNothingChanges)
{
    state().m.gRights = kAllRights & ~RightMask(Right::CustomerEdit);
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"));
    CustomerRegister reg;
    reg.load();
    EXPECT_FALSE(reg.canEdit());
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_FALSE(reg.beginAdd());
    EXPECT_FALSE(reg.beginEdit());
    EXPECT_FALSE(reg.deleteSelected());
    EXPECT_EQ(customerCount(), 1);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    state().m.gRights = RightMask(Right::CustomerEdit);
    EXPECT_TRUE(reg.canEdit());
}

TEST_F(EditingTest, DatabaseFailureKeepsTheRecordAndTheWindowUsable)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(QStringLiteral("t9"), QStringLiteral("x@y"));
    db->execute(QStringLiteral("ALTER TABLE 客戶 RENAME TO 客戶舊"));

    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
    EXPECT_EQ(reg.editMode(), EditMode::Edit);
    EXPECT_EQ(reg.form().field(QStringLiteral("t9")), QStringLiteral("x@y"));

    EXPECT_FALSE(reg.listByCode(QStringLiteral("A")));
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("Acme"));

    db->execute(QStringLiteral("ALTER TABLE 客戶舊 RENAME TO 客戶"));
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(QStringLiteral("Acme"), 8), QStringLiteral("x@y"));
}

TEST_F(EditingTest, ShowingARecordGoneElsewhereClearsTheFields)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    addCustomer(QStringLiteral("A002"), QStringLiteral("Apex"), {QStringLiteral("Apex")});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶名稱 = 'Apex'"));
    EXPECT_FALSE(reg.selectRow(2));
    EXPECT_TRUE(reg.form().field(QStringLiteral("t2")).isEmpty());
    EXPECT_TRUE(reg.selectedName().isEmpty());
    EXPECT_TRUE(reg.shownName().isEmpty());
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
}

} // namespace
} // namespace varn::test
