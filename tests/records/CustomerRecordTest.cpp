#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "records/RecordForm.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class CustomerRulesTest : public ::testing::Test {
protected:
    void SetUp() override { form.setRules(&rules); }
    RecordForm form;
    CustomerRules rules;
};

TEST_F(CustomerRulesTest, ShortNameNumbersAndCountiesFollowTheFirstField)
{
    // (box, value typed, short name after)
    const std::tuple<QString, QString, QString> steps[] = {
        {u"t2"_s, u"王"_s, u"王"_s},
        {u"t2"_s, u"大同建設股份有限公司"_s, u"大同建設"_s},
        {u"t3"_s, u"大同"_s, u"大同"_s},
        {u"t2"_s, u"大同營造"_s, u"大同營造"_s},
        // Four characters, not four halves of characters outside the basic plane.
        {u"t2"_s, u"𠀋𡈽𡌛𡑮𡢾"_s, u"𠀋𡈽𡌛𡑮"_s},
        {u"t2"_s, u"𠀋大"_s, u"𠀋大"_s},
    };
    for (const auto& [box, value, shortName] : steps) {
        form.setField(box, value);
        EXPECT_EQ(form.field(u"t3"_s), shortName) << value.toStdString();
    }

    // The first telephone number goes to the other company numbers, not to the home one.
    form.setField(u"t22"_s, u"home"_s);
    form.setField(u"t11"_s, u"23456789"_s);
    for (const QString& box : {u"t19"_s, u"t26"_s, u"T33"_s})
        EXPECT_EQ(form.field(box), u"23456789"_s) << box.toStdString();
    EXPECT_EQ(form.field(u"t22"_s), u"home"_s);
    EXPECT_TRUE(form.field(u"t13"_s).isEmpty());

    // Choosing a company county fills the area codes and the other counties.
    form.setChoices(u"cb1"_s, {u"臺北市"_s, u"苗栗縣"_s});
    form.setChoices(u"L1"_s, {u"02"_s, u"037"_s});
    form.setField(u"t10"_s, u"07"_s);
    EXPECT_TRUE(form.choose(u"cb1"_s, 1));
    for (const QString& box : {u"cb1"_s, u"cb2"_s, u"cb3"_s})
        EXPECT_EQ(form.field(box), u"苗栗縣"_s) << box.toStdString();
    for (const QString& box : CustomerAreaCodeControls())
        EXPECT_EQ(form.field(box), u"037"_s) << box.toStdString();

    // Typing a county, or choosing one in the other county boxes, fills nothing.
    form.setField(u"cb1"_s, u"臺北市"_s);
    EXPECT_FALSE(form.choose(u"cb2"_s, 0));
    EXPECT_EQ(form.field(u"t10"_s), u"037"_s);
    EXPECT_FALSE(form.choose(u"cb1"_s, 5));
}

using CustomerRecordTest = RegisterFixture;

TEST_F(CustomerRecordTest, CompoundColumnsSplitAtTheFirstSemicolonAndSaveBack)
{
    addCustomer(u"A001"_s, u"Acme"_s,
                {{2, u"AC"_s},
                 {4, u"臺北市;忠孝東路"_s},
                 {6, u"民生路"_s},
                 {7, u"a;b;c"_s},
                 {9, u"02;1111"_s},
                 {14, u"03;2222"_s}});
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    // (box, shown): column 6 has no ";", column 7 two; showing runs no rule.
    const std::pair<QString, QString> shown[]
        = {{u"cb1"_s, u"臺北市"_s}, {u"t5"_s, u"忠孝東路"_s}, {u"cb3"_s, QString()}, {u"t7"_s, u"民生路"_s},
           {u"cb2"_s, u"a"_s},      {u"t8"_s, u"b;c"_s},      {u"t3"_s, u"AC"_s},    {u"t19"_s, u"2222"_s}};
    for (const auto& [box, value] : shown)
        EXPECT_EQ(reg.form().field(box), value) << box.toStdString();

    ASSERT_TRUE(reg.beginEdit());
    ASSERT_TRUE(reg.save());
    EXPECT_EQ(stored(u"Acme"_s, 4), u"臺北市;忠孝東路"_s);
    EXPECT_EQ(stored(u"Acme"_s, 6), u";民生路"_s);
    EXPECT_EQ(stored(u"Acme"_s, 7), u"a;b;c"_s);

    // A ";" in a first field would move the rest of it into the second when read back.
    ASSERT_TRUE(reg.beginEdit());
    reg.form().setField(u"t10"_s, u"02;3"_s);
    EXPECT_FALSE(reg.save());
    EXPECT_EQ(prompts.lastMessageText(), u"此欄不可含有「;」"_s);
}

// Outside a pick or while no customer name is shown nothing is handed back; a customer
// being changed is handed back too.
TEST_F(CustomerRecordTest, PickHandsBackTheShownCustomerOnlyInAPickAndWhileANameIsShown)
{
    addCustomer(u"A001"_s, u"Acme"_s,
                {{2, u"AC"_s}, {7, u"臺中市;工地路1號"_s}, {9, u"04;22334455"_s}, {11, u"04;22334466"_s}, {18, u"林先生"_s}});
    const mdM& m = state().m;
    for (bool pick : {false, true}) {
        state().m.gPickCustomer = pick;
        state().m.gCustomerPicked = !pick;
        state().m.gCusName = u"earlier"_s;
        CustomerRegister reg;
        reg.load();
        EXPECT_FALSE(reg.handBack());
        ASSERT_TRUE(reg.selectRow(1));
        EXPECT_EQ(reg.canHandBack(), pick);
        ASSERT_TRUE(reg.beginEdit());
        EXPECT_EQ(reg.canHandBack(), pick);
        reg.cancel();
        ASSERT_TRUE(reg.beginAdd());
        EXPECT_FALSE(reg.canHandBack());   // the fields are empty
        reg.cancel();
        EXPECT_EQ(reg.handBack(), pick);
        reg.unload();
        EXPECT_EQ(m.gCustomerPicked, pick);
        EXPECT_EQ(m.gCusName, pick ? u"Acme"_s : u"earlier"_s);
    }
    EXPECT_EQ(m.gCusSiteAddr, u"臺中市工地路1號"_s);
    EXPECT_EQ(m.gCusTel, u"04 22334455"_s);   // as the page shows them
    EXPECT_EQ(m.gCusFax, u"04 22334466"_s);
    EXPECT_EQ(m.gCusContact, u"林先生"_s);

    // A fax of an area code alone is no fax: nothing to print.
    addCustomer(u"A002"_s, u"Bee"_s, {{2, u"B"_s}, {9, u"04;22334455"_s}, {11, u"04;"_s}});
    state().m.gPickCustomer = true;
    CustomerRegister reg;
    chooseNamed(reg, u"Bee"_s);
    EXPECT_TRUE(reg.handBack());
    EXPECT_EQ(m.gCusTel + u"|"_s + m.gCusFax, u"04 22334455|"_s);
}

} // namespace
} // namespace varn::test
