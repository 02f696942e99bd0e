#include "FailingRandom.h"
#include "ShellFixture.h"

#include "app/MainDb.h"
#include "app/SignIn.h"
#include "platform/crypto/PasswordHash.h"
#include "shared/ProgramState.h"
#include "shared/setup/SeedData.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

const QString WrongText = u"使用者名稱或密碼錯誤，請重新輸入!"_s;
const QString SuperPass = QString(kFirstSuperPassword);

class SignInTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        addEmployee(u"E01"_s, u"王小明"_s, u"Ming"_s, HashPassword(u"m1ng"_s), 5);
        addEmployee(u"E02"_s, u"歐布萊恩"_s, u"o'brien"_s, u"pa'ss"_s, 4);
        ASSERT_TRUE(OpenMainDb());
    }

    QString storedPass(const QString& chineseName)
    {
        return scalar(u"SELECT pass FROM 員工 WHERE 中文姓名 = ?"_s, {chineseName});
    }
};

TEST_F(SignInTest, NamesAndPasswordsMatchExactly)
{
    // An empty rights word, and a login name differing from another only in case.
    addEmployee(u"E03"_s, u"陳大文"_s, u"Chan"_s, u"c"_s, QVariant());
    addEmployee(u"E04"_s, u"林明"_s, u"ming"_s, u"other"_s, 7);
    const QString injection = u"x' OR '1'='1"_s;
    struct Case {
        QString name, pass;
        SignInResult result;
        QString userName;
        int rights;
    };
    const Case cases[] = {
        {u"Ming"_s, u"m1ng"_s, SignInResult::Employee, u"王小明"_s, 5},
        // The superuser after an employee: the employee's values go.
        {u"varn"_s, SuperPass, SignInResult::Superuser, QString(), 4095},
        {u"VARN"_s, SuperPass, SignInResult::Failed, {}, 0},
        {u"varn"_s, u"VARN3"_s, SignInResult::Failed, {}, 0},
        {u"ming"_s, u"m1ng"_s, SignInResult::Failed, {}, 0},
        {u"ming"_s, u"other"_s, SignInResult::Employee, u"林明"_s, 7},
        {injection, injection, SignInResult::Failed, {}, 0},
        {u"o'brien"_s, u"pa'ss"_s, SignInResult::Employee, u"歐布萊恩"_s, 4},
        {u"Chan"_s, u"c"_s, SignInResult::Employee, u"陳大文"_s, 0},
    };
    auto& m = state().m;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " / " + c.pass.toStdString());
        prompts.clear();
        m.gLoginFailures = 0;
        m.gUserName = u"left over"_s;
        m.gRights = -1;
        EXPECT_EQ(SignIn::attempt(c.name, c.pass), c.result);
        if (c.result == SignInResult::Failed) {
            EXPECT_EQ(prompts.lastMessageText(), WrongText);
            EXPECT_EQ(m.gRights, -1);
            EXPECT_EQ(m.gLoginFailures, 1);
            continue;
        }
        EXPECT_EQ(prompts.asked().size(), 0u);
        EXPECT_EQ(m.gUserName, c.userName);
        EXPECT_EQ(m.gRights, c.rights);
        if (c.result == SignInResult::Superuser) {
            EXPECT_TRUE(m.gLoginName.isEmpty());
            EXPECT_TRUE(m.gPass.isEmpty());
            EXPECT_TRUE(VerifyPassword(SuperPass, m.gSuperPass));
        } else {
            EXPECT_EQ(m.gLoginName, c.name);
            EXPECT_EQ(m.gPass, storedPass(c.userName));
        }
    }
}

TEST_F(SignInTest, TwoFailuresThenSuccessGoesOnAndAThirdFailureEndsTheProgram)
{
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"bad"_s), SignInResult::Failed);
    EXPECT_EQ(SignIn::attempt(u"nobody"_s, u"m1ng"_s), SignInResult::Failed);
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"m1ng"_s), SignInResult::Employee);
    EXPECT_EQ(state().m.gLoginFailures, 0);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"bad"_s), SignInResult::Failed);
    EXPECT_FALSE(endCode.has_value());
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"bad"_s), SignInResult::TooManyFailures);
    EXPECT_TRUE(endCode.has_value());
    const auto messages = prompts.asked(PromptKind::Message);
    ASSERT_EQ(messages.size(), 6u);
    EXPECT_EQ(messages[4].text, WrongText);
    EXPECT_EQ(messages[5].text, u"錯誤三次,結束系統"_s);
}

TEST_F(SignInTest, LegacyPlainPasswordIsUpgradedToAHashAndAMissingSuperRowMeansNoSuperuser)
{
    EXPECT_EQ(SignIn::attempt(u"o'brien"_s, u"pa'ss"_s), SignInResult::Employee);
    const QString stored = storedPass(u"歐布萊恩"_s);
    EXPECT_TRUE(IsPasswordHash(stored));
    EXPECT_TRUE(VerifyPassword(u"pa'ss"_s, stored));
    EXPECT_EQ(state().m.gPass, stored);
    // The hash signs in next time, in the right case only.
    EXPECT_EQ(SignIn::attempt(u"o'brien"_s, u"pa'ss"_s), SignInResult::Employee);
    EXPECT_EQ(SignIn::attempt(u"o'brien"_s, u"PA'SS"_s), SignInResult::Failed);

    db().execute(u"UPDATE super SET super_pass = 'old-plain'"_s);
    EXPECT_EQ(SignIn::attempt(u"varn"_s, u"old-plain"_s), SignInResult::Superuser);
    EXPECT_TRUE(IsPasswordHash(storedSuperPass()));
    EXPECT_TRUE(VerifyPassword(u"old-plain"_s, storedSuperPass()));

    // Without its row there is no superuser; employees still sign in.
    db().execute(u"DELETE FROM super"_s);
    state().m.gSuperPass.clear();
    EXPECT_EQ(SignIn::attempt(u"varn"_s, QString()), SignInResult::Failed);
    EXPECT_EQ(SignIn::attempt(u"varn"_s, u"old-plain"_s), SignInResult::Failed);
    EXPECT_TRUE(state().m.gSuperPass.isEmpty());
    EXPECT_EQ(SignIn::attempt(u"Ming"_s, u"m1ng"_s), SignInResult::Employee);
}

TEST_F(SignInTest, ABrokenHashOrDatabaseLeavesNothingSignedIn)
{
    auto& m = state().m;
    {
        // The plain password still signs in; only its upgrade waits for the next time.
        FailingRandom noSalt;
        EXPECT_EQ(SignIn::attempt(u"o'brien"_s, u"pa'ss"_s), SignInResult::Employee);
    }
    EXPECT_EQ(storedPass(u"歐布萊恩"_s), u"pa'ss"_s);
    EXPECT_EQ(m.gPass, u"pa'ss"_s);

    // The working folders cannot be prepared: a message, and none of the signed-in values.
    db().execute(u"DROP TABLE 員工"_s);
    m.gUserName = u"left over"_s;
    m.gRights = -1;
    m.gSuperPass.clear();
    prompts.clear();
    EXPECT_EQ(SignIn::attempt(u"varn"_s, SuperPass), SignInResult::Failed);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(m.gUserName, u"left over"_s);
    EXPECT_EQ(m.gRights, -1);
    EXPECT_TRUE(m.gSuperPass.isEmpty());
    EXPECT_EQ(m.gLoginFailures, 0);
}

} // namespace
} // namespace varn::test
