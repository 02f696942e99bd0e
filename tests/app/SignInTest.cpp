#include "ShellFixture.h"

#include "app/SignIn.h"
#include "platform/crypto/PasswordHash.h"
#include "shared/ProgramState.h"
#include "shared/setup/SeedData.h"

namespace varn::test {

namespace {

const QString WrongText = QStringLiteral("使用者名稱或密碼錯誤，請重新輸入!");

class SignInTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(QStringLiteral("E01"), QStringLiteral("王小明"), QStringLiteral("Ming"),
                    HashPassword(QStringLiteral("m1ng")), 5);
        addEmployee(QStringLiteral("E02"), QStringLiteral("歐布萊恩"), QStringLiteral("o'brien"),
                    QStringLiteral("pa'ss"), 4);
        openMainDb();
    }

    SignInResult attempt(const QString& name, const QString& pass)
    {
        return SignIn::attempt(name, pass);
    }
};

TEST_F(SignInTest, SuperuserSignsInWithExactNameAndPassword)
{
    state().m.gUserName = QStringLiteral("left over");
    EXPECT_EQ(attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)), SignInResult::Superuser);
    const auto& m = state().m;
    EXPECT_EQ(m.gRights, 4095);
    EXPECT_TRUE(m.gUserName.isEmpty());
    EXPECT_TRUE(m.gLoginName.isEmpty());
    EXPECT_TRUE(m.gPass.isEmpty());
    EXPECT_TRUE(VerifyPassword(QString(kFirstSuperPassword), m.gSuperPass));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(SignInTest, LetterCaseOfSuperuserNameOrPasswordMatters)
{
    EXPECT_EQ(attempt(QStringLiteral("VARN"), QString(kFirstSuperPassword)), SignInResult::Failed);
    EXPECT_EQ(prompts.lastMessageText(), WrongText);
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("登入"));
    EXPECT_EQ(prompts.last()->icon, PromptIcon::Critical);
    EXPECT_EQ(attempt(QStringLiteral("varn"), QStringLiteral("VARN3")), SignInResult::Failed);
    EXPECT_EQ(state().m.gLoginFailures, 2);
    EXPECT_EQ(state().m.gRights, 0);
}

TEST_F(SignInTest, EmployeeSignsInAndFillsTheSignedInState)
{
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("m1ng")), SignInResult::Employee);
    const auto& m = state().m;
    EXPECT_EQ(m.gUserName, QStringLiteral("王小明"));
    EXPECT_EQ(m.gLoginName, QStringLiteral("Ming"));
    EXPECT_EQ(m.gRights, 5);
    EXPECT_EQ(m.gPass, storedEmployeePass(QStringLiteral("王小明")));
}

TEST_F(SignInTest, EmployeeNameTypedInOtherLetterCaseFails)
{
    EXPECT_EQ(attempt(QStringLiteral("ming"), QStringLiteral("m1ng")), SignInResult::Failed);
    EXPECT_EQ(prompts.lastMessageText(), WrongText);
    // Nothing of the failed attempt stays behind.
    EXPECT_TRUE(state().m.gUserName.isEmpty());
    EXPECT_EQ(state().m.gRights, 0);
}

TEST_F(SignInTest, QuoteInNameOrPasswordIsAnOrdinaryCharacter)
{
    EXPECT_EQ(attempt(QStringLiteral("x' OR '1'='1"), QStringLiteral("x' OR '1'='1")), SignInResult::Failed);
    EXPECT_EQ(prompts.lastMessageText(), WrongText);
    EXPECT_EQ(attempt(QStringLiteral("o'brien"), QStringLiteral("pa'ss")), SignInResult::Employee);
    EXPECT_EQ(state().m.gUserName, QStringLiteral("歐布萊恩"));
}

TEST_F(SignInTest, TwoFailuresThenSuccessGoesOn)
{
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("bad")), SignInResult::Failed);
    EXPECT_EQ(attempt(QStringLiteral("nobody"), QStringLiteral("m1ng")), SignInResult::Failed);
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("m1ng")), SignInResult::Employee);
    EXPECT_FALSE(endCode.has_value());
    EXPECT_EQ(state().m.gLoginFailures, 0);
}

TEST_F(SignInTest, WrongEmployeePasswordThenSuperuserClearsEmployeeValues)
{
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("bad")), SignInResult::Failed);
    EXPECT_EQ(attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)), SignInResult::Superuser);
    EXPECT_TRUE(state().m.gUserName.isEmpty());
    EXPECT_TRUE(state().m.gLoginName.isEmpty());
    EXPECT_TRUE(state().m.gPass.isEmpty());
    EXPECT_EQ(state().m.gRights, 4095);
}

TEST_F(SignInTest, ThirdFailureEndsTheProgram)
{
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("bad")), SignInResult::Failed);
    EXPECT_FALSE(endCode.has_value());
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("bad")), SignInResult::TooManyFailures);
    ASSERT_TRUE(endCode.has_value());
    const auto messages = prompts.asked(PromptKind::Message);
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[2].text, WrongText);
    EXPECT_EQ(messages[3].text, QStringLiteral("錯誤三次,結束系統"));
    EXPECT_EQ(messages[3].title, QStringLiteral("Varn III"));
    EXPECT_EQ(messages[3].icon, PromptIcon::Critical);
}

TEST_F(SignInTest, LegacyPlainPasswordIsUpgradedToAHash)
{
    ASSERT_FALSE(IsPasswordHash(storedEmployeePass(QStringLiteral("歐布萊恩"))));
    EXPECT_EQ(attempt(QStringLiteral("o'brien"), QStringLiteral("pa'ss")), SignInResult::Employee);
    const QString stored = storedEmployeePass(QStringLiteral("歐布萊恩"));
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("pa'ss"), stored));
    EXPECT_EQ(state().m.gPass, stored);
    // And the hash signs in next time.
    EXPECT_EQ(attempt(QStringLiteral("o'brien"), QStringLiteral("pa'ss")), SignInResult::Employee);
    EXPECT_EQ(attempt(QStringLiteral("o'brien"), QStringLiteral("PA'SS")), SignInResult::Failed);

    setStoredSuperPass(QStringLiteral("old-plain"));
    EXPECT_EQ(attempt(QStringLiteral("varn"), QStringLiteral("old-plain")), SignInResult::Superuser);
    EXPECT_TRUE(IsPasswordHash(storedSuperPass()));
    EXPECT_TRUE(VerifyPassword(QStringLiteral("old-plain"), storedSuperPass()));
}

TEST_F(SignInTest, MissingSuperRowMeansNoSuperuser)
{
    db().execute(QStringLiteral("DELETE FROM super"));
    EXPECT_EQ(attempt(QStringLiteral("varn"), QString()), SignInResult::Failed);
    EXPECT_EQ(attempt(QStringLiteral("varn"), QString(kFirstSuperPassword)), SignInResult::Failed);
    EXPECT_TRUE(state().m.gSuperPass.isEmpty());
    // Employees still sign in.
    EXPECT_EQ(attempt(QStringLiteral("Ming"), QStringLiteral("m1ng")), SignInResult::Employee);
}

TEST_F(SignInTest, EmptyRightsWordMeansNoRights)
{
    addEmployee(QStringLiteral("E03"), QStringLiteral("陳大文"), QStringLiteral("Chan"),
                QStringLiteral("c"), QVariant());
    EXPECT_EQ(attempt(QStringLiteral("Chan"), QStringLiteral("c")), SignInResult::Employee);
    EXPECT_EQ(state().m.gRights, 0);
}

TEST_F(SignInTest, EmployeesDifferingOnlyInCaseEachSignInWithTheirOwnName)
{
    addEmployee(QStringLiteral("E04"), QStringLiteral("林明"), QStringLiteral("ming"),
                QStringLiteral("other"), 7);
    EXPECT_EQ(attempt(QStringLiteral("ming"), QStringLiteral("other")), SignInResult::Employee);
    EXPECT_EQ(state().m.gUserName, QStringLiteral("林明"));
    EXPECT_EQ(state().m.gRights, 7);
}

} // namespace

} // namespace varn::test
