#include "RecordsTestSupport.h"
#include "app/SignIn.h"
#include "platform/crypto/PasswordHash.h"
#include "records/EmployeeRegister.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class EmployeeTest : public RegisterFixture {
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        state().programFolder = dir.path();
    }

    void addEmployee(const QString& code, const QString& name, const QString& login, const QVariant& rights = 0,
                     const QVariant& pass = QVariant())
    {
        db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, 權限, pass) VALUES (?, ?, ?, ?, ?)"_s,
                    {code, name, login, rights, pass});
    }

    QString column(const QString& name, int col) { return cell(u"員工"_s, u"中文姓名"_s, name, col); }

    int employeeCount() { return db->openRecordset(u"SELECT count(*) FROM 員工"_s).value(0).toInt(); }

    void typeNew(EmployeeRegister& reg, const QString& name, const QString& login)
    {
        ASSERT_TRUE(reg.beginAdd());
        reg.form().setField(u"t2"_s, name);
        reg.nameLeft();
        reg.form().setField(u"t3"_s, login);
    }
};

TEST_F(EmployeeTest, SignInNamesAreCheckedBeforeAnythingIsWritten)
{
    addEmployee(u"A001"_s, u"王小明"_s, u"Ming"_s);
    EmployeeRegister reg;
    reg.load();
    // (Chinese name, English name, message); nothing is stored and the add goes on.
    const std::tuple<QString, QString, QString> refused[] = {
        {u"李四"_s, u"VARN"_s, u"不可使用此英文名稱"_s},
        {u"李四"_s, u"ming"_s, u"英文姓名 (使用者名稱) 「ming」已由「王小明」使用"_s},
        {u"王小明"_s, u"Wang"_s, u"員工姓名重複"_s},
        {u"../李四"_s, u"Li"_s, QString()},
        {u".李四"_s, u"Li"_s, QString()},
        {QString(86, QChar(0x738B)), u"Wang"_s, QString()},   // 258 bytes: too long for a folder name
    };
    for (const auto& [name, login, message] : refused) {
        prompts.clear();
        typeNew(reg, name, login);
        EXPECT_FALSE(reg.save()) << login.toStdString();
        if (!message.isEmpty())
            EXPECT_EQ(prompts.lastMessageText(), message);
        else
            EXPECT_TRUE(prompts.lastMessageText().startsWith(u"中文姓名會成為員工的工作資料夾名稱"_s));
        EXPECT_EQ(reg.editMode(), EditMode::Add);
        EXPECT_EQ(reg.form().field(u"t3"_s), login);
        reg.cancel();
    }
    EXPECT_EQ(employeeCount(), 1);

    // Changing an employee: the reserved name is refused there too; the own name is fine.
    chooseNamed(reg, u"王小明"_s);
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(u"t3"_s, u"vArN"_s);
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageText(), u"不可使用此英文名稱"_s);
    reg.form().setField(u"t3"_s, u"MING"_s);
    EXPECT_TRUE(reg.save());
    EXPECT_EQ(column(u"王小明"_s, 2), u"MING"_s);
}

TEST_F(EmployeeTest, RightsAndPasswordAreNeverWrittenNorSearched)
{
    addEmployee(u"A001"_s, u"王小明"_s, u"Ming"_s, 21, u"secret-pass"_s);
    EmployeeRegister reg;
    chooseNamed(reg, u"王小明"_s);
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(u"t19"_s, u"memo"_s);
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(column(u"王小明"_s, 15), u"memo"_s);
    EXPECT_EQ(column(u"王小明"_s, 16), u"21"_s);
    EXPECT_EQ(column(u"王小明"_s, 17), u"secret-pass"_s);

    typeNew(reg, u"李四"_s, u"Li"_s);
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(column(u"李四"_s, 16), u"0"_s);   // the table's default: no rights yet
    EXPECT_TRUE(column(u"李四"_s, 17).isEmpty());

    for (const QString& text : {u"21"_s, u"secret"_s}) {
        prompts.answerInput(text);
        reg.search();
        ASSERT_EQ(reg.list().rows(), 2) << text.toStdString();
        EXPECT_EQ(reg.list().textMatrix(1, 2), u"找不到資料"_s) << text.toStdString();
    }
    prompts.answerInput(u"Li"_s);
    reg.search();
    EXPECT_EQ(reg.list().textMatrix(1, 1), u"李四"_s);
}

// The panel opens once the record being changed is saved; a change checks the stored
// password and is in force at once.
TEST_F(EmployeeTest, PasswordPanelSavesTheRecordFirstAndAChangeSignsInAtOnce)
{
    EmployeeRegister reg;
    reg.load();
    prompts.clear();
    EXPECT_FALSE(reg.openPasswordPanel());
    EXPECT_EQ(prompts.lastMessageText(), u"請先填入中文姓名與英文姓名"_s);

    // A refused save keeps the panel closed.
    typeNew(reg, u"王小明"_s, u"varn"_s);
    EXPECT_FALSE(reg.openPasswordPanel());
    EXPECT_EQ(prompts.lastMessageText(), u"不可使用此英文名稱"_s);
    EXPECT_EQ(employeeCount(), 0);
    reg.form().setField(u"t3"_s, u"Ming"_s);
    ASSERT_TRUE(reg.openPasswordPanel());
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(column(u"王小明"_s, 2), u"Ming"_s);
    db->execute(u"UPDATE 員工 SET 權限 = 7"_s);

    // (old, new, confirmation, message)
    const std::tuple<QString, QString, QString, QString> refused[] = {
        {u"wrong"_s, u"n"_s, u"n"_s, u"密碼錯誤"_s},
        {QString(), u"n1"_s, u"n2"_s, u"新密碼與確定密碼不同"_s},
    };
    for (const auto& [old, typed, again, message] : refused) {
        EXPECT_FALSE(reg.changePassword(old, typed, again));
        EXPECT_EQ(prompts.lastMessageText(), message);
    }
    EXPECT_TRUE(column(u"王小明"_s, 17).isEmpty());

    // No password yet: the old one is left empty.
    ASSERT_TRUE(reg.changePassword(QString(), u"Ne w1"_s, u"Ne w1"_s));
    EXPECT_EQ(prompts.lastMessageText(), u"密碼變更完成\r\n下次請使用新密碼登入"_s);
    const QString stored = column(u"王小明"_s, 17);
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_EQ(state().m.gPass, stored);
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"Ne w1"_s), SignInResult::Employee);
    EXPECT_EQ(state().m.gRights, 7);

    // The next change wants the new password as the old one.
    EXPECT_FALSE(reg.changePassword(QString(), u"x"_s, u"x"_s));
    EXPECT_TRUE(reg.changePassword(u"Ne w1"_s, QString(), QString()));   // empty is allowed
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, QString()), SignInResult::Employee);

    // A change that is not stored is never reported as done.
    db->execute(u"DELETE FROM 員工"_s);   // at another workstation
    EXPECT_FALSE(reg.changePassword(QString(), u"n"_s, u"n"_s));
    EXPECT_TRUE(prompts.lastMessageText().startsWith(u"這位員工已不在資料庫中"_s));
    EXPECT_EQ(employeeCount(), 0);
}

} // namespace
} // namespace varn::test
