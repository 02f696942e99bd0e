#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "records/RecordForm.h"

namespace varn::test {
namespace {

TEST(CustomerRulesTest, ShortNameFollowsTheName)
{
    RecordForm form;
    CustomerRules rules;
    form.setRules(&rules);
    form.setField(QStringLiteral("t2"), QStringLiteral("王"));
    EXPECT_EQ(form.field(QStringLiteral("t3")), QStringLiteral("王"));
    form.setField(QStringLiteral("t2"), QStringLiteral("大同建設股份有限公司"));
    EXPECT_EQ(form.field(QStringLiteral("t3")), QStringLiteral("大同建設"));
    form.setField(QStringLiteral("t3"), QStringLiteral("大同"));
    EXPECT_EQ(form.field(QStringLiteral("t3")), QStringLiteral("大同"));
    form.setField(QStringLiteral("t2"), QStringLiteral("大同營造"));
    EXPECT_EQ(form.field(QStringLiteral("t3")), QStringLiteral("大同營造"));
}

TEST(CustomerRulesTest, FirstTelephoneNumberIsCopiedToTheOtherCompanyNumbers)
{
    RecordForm form;
    CustomerRules rules;
    form.setRules(&rules);
    form.setField(QStringLiteral("t22"), QStringLiteral("home"));
    form.setField(QStringLiteral("t11"), QStringLiteral("23456789"));
    for (const char* box : {"t19", "t26", "T33"})
        EXPECT_EQ(form.field(QString::fromLatin1(box)), QStringLiteral("23456789")) << box;
    EXPECT_EQ(form.field(QStringLiteral("t22")), QStringLiteral("home"));
    EXPECT_TRUE(form.field(QStringLiteral("t13")).isEmpty());
}

TEST(CustomerRulesTest, ChoosingACompanyCountyFillsAreaCodesAndCounties)
{
    RecordForm form;
    CustomerRules rules;
    form.setRules(&rules);
    form.setChoices(QStringLiteral("cb1"), {QStringLiteral("臺北市"), QStringLiteral("苗栗縣")});
    form.setChoices(QStringLiteral("L1"), {QStringLiteral("02"), QStringLiteral("037")});
    form.setField(QStringLiteral("t10"), QStringLiteral("07"));
    EXPECT_TRUE(form.choose(QStringLiteral("cb1"), 1));
    EXPECT_EQ(form.field(QStringLiteral("cb1")), QStringLiteral("苗栗縣"));
    EXPECT_EQ(form.field(QStringLiteral("cb2")), QStringLiteral("苗栗縣"));
    EXPECT_EQ(form.field(QStringLiteral("cb3")), QStringLiteral("苗栗縣"));
    for (const QString& box : CustomerAreaCodeControls())
        EXPECT_EQ(form.field(box), QStringLiteral("037")) << box.toStdString();

    // Typing a county, or choosing one in the other county boxes, fills nothing.
    form.setField(QStringLiteral("cb1"), QStringLiteral("臺北市"));
    EXPECT_FALSE(form.choose(QStringLiteral("cb2"), 0));
    EXPECT_EQ(form.field(QStringLiteral("t10")), QStringLiteral("037"));
    EXPECT_FALSE(form.choose(QStringLiteral("cb1"), 5));
}

class CustomerShowTest : public RegisterFixture {};

TEST_F(CustomerShowTest, CompoundColumnsSplitAtTheFirstSemicolonAndSaveBack)
{
    QStringList more(33);
    more[0] = QStringLiteral("AC");
    more[2] = QStringLiteral("臺北市;忠孝東路");  // 4: company address
    more[4] = QStringLiteral("民生路");            // 6: no ";"
    more[5] = QStringLiteral("a;b;c");             // 7: two ";"
    more[7] = QStringLiteral("02;1111");           // 9
    more[12] = QStringLiteral("03;2222");          // 14
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    RecordForm& f = reg.form();
    EXPECT_EQ(f.field(QStringLiteral("cb1")), QStringLiteral("臺北市"));
    EXPECT_EQ(f.field(QStringLiteral("t5")), QStringLiteral("忠孝東路"));
    EXPECT_EQ(f.field(QStringLiteral("cb3")), QString());
    EXPECT_EQ(f.field(QStringLiteral("t7")), QStringLiteral("民生路"));
    EXPECT_EQ(f.field(QStringLiteral("cb2")), QStringLiteral("a"));
    EXPECT_EQ(f.field(QStringLiteral("t8")), QStringLiteral("b;c"));
    // Showing runs no rule: each column keeps its own value.
    EXPECT_EQ(f.field(QStringLiteral("t3")), QStringLiteral("AC"));
    EXPECT_EQ(f.field(QStringLiteral("t19")), QStringLiteral("2222"));

    ASSERT_TRUE(reg.beginEdit());
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(QStringLiteral("Acme"), 4), QStringLiteral("臺北市;忠孝東路"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 6), QStringLiteral(";民生路"));
    EXPECT_EQ(stored(QStringLiteral("Acme"), 7), QStringLiteral("a;b;c"));
}

class CustomerPickTest : public RegisterFixture {
protected:
    void addPickable()
    {
        QStringList more(33);
        more[0] = QStringLiteral("AC");
        more[5] = QStringLiteral("臺中市;工地路1號");   // 7: site address
        more[7] = QStringLiteral("04;22334455");        // 9: 電話1
        more[9] = QStringLiteral("04;22334466");        // 11: 公司傳真
        more[16] = QStringLiteral("林先生");            // 18: 連絡人
        addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);
    }
};

TEST_F(CustomerPickTest, HandsBackTheShownCustomer)
{
    addPickable();
    state().m.gPickCustomer = true;
    state().m.gCustomerPicked = false;
    CustomerRegister reg;
    reg.load();
    EXPECT_TRUE(reg.pickMode());
    EXPECT_FALSE(reg.canHandBack());
    EXPECT_FALSE(reg.handBack());
    EXPECT_FALSE(state().m.gCustomerPicked);

    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_TRUE(reg.canHandBack());
    ASSERT_TRUE(reg.handBack());
    reg.unload();
    const mdM& m = state().m;
    EXPECT_TRUE(m.gCustomerPicked);
    EXPECT_EQ(m.gCusName, QStringLiteral("Acme"));
    EXPECT_EQ(m.gCusSiteAddr, QStringLiteral("臺中市工地路1號"));
    EXPECT_EQ(m.gCusTel, QStringLiteral("0422334455"));
    EXPECT_EQ(m.gCusFax, QStringLiteral("0422334466"));
    EXPECT_EQ(m.gCusContact, QStringLiteral("林先生"));
    EXPECT_TRUE(m.gPickCustomer);
}

TEST_F(CustomerPickTest, NothingWhileChangingOrWhenClosedWithoutPicking)
{
    addPickable();
    state().m.gPickCustomer = true;
    state().m.gCustomerPicked = false;
    state().m.gCusName = QStringLiteral("earlier");
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    EXPECT_FALSE(reg.canHandBack());
    reg.cancel();
    EXPECT_TRUE(reg.canHandBack());
    ASSERT_TRUE(reg.beginAdd());
    EXPECT_FALSE(reg.canHandBack());
    reg.cancel();
    reg.unload();
    EXPECT_FALSE(state().m.gCustomerPicked);
    EXPECT_EQ(state().m.gCusName, QStringLiteral("earlier"));
}

TEST_F(CustomerPickTest, OutsideAPickThereIsNoHandBackAndClosingClearsThePickedFlag)
{
    addPickable();
    state().m.gPickCustomer = false;
    state().m.gCustomerPicked = true;
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_FALSE(reg.pickMode());
    EXPECT_FALSE(reg.canHandBack());
    reg.unload();
    EXPECT_FALSE(state().m.gCustomerPicked);
}

} // namespace
} // namespace varn::test
