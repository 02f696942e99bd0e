#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "records/PrefixWalk.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

TEST(PrefixWalkTest, WalksStrokeClassesThenLettersAndEnds)
{
    const std::vector<std::pair<QString, std::optional<QString>>> cases = {
        {u"01"_s, u"02"_s},     {u"09"_s, u"10"_s},        {u"32"_s, u"33"_s},      {u"33"_s, u"A"_s},
        {u"A"_s, u"B"_s},       {u"A1"_s, u"B"_s},         {u"y"_s, u"Z"_s},        {u"Z"_s, std::nullopt},
        {u"z"_s, std::nullopt}, {QString(), std::nullopt}, {u"#"_s, std::nullopt},  {u"["_s, std::nullopt},
        {u"5"_s, std::nullopt}, {u"00"_s, std::nullopt},   {u"34"_s, std::nullopt}, {u"９９"_s, std::nullopt},
    };
    for (const auto& [from, to] : cases)
        EXPECT_EQ(NextListPrefix(from), to) << from.toStdString();
}

class ListingTest : public RegisterFixture {
protected:
    QStringList listed(CustomerRegister& reg, int col = 1)
    {
        QStringList cells;
        for (int r = 1; r < reg.list().rows(); ++r)
            cells << reg.list().textMatrix(r, col);
        return cells;
    }
};

TEST_F(ListingTest, WalksOnOverSparseDataAndKeepsTheListAtTheEnd)
{
    CustomerRegister reg;
    // An empty table walks to the end and says so; the lookup lists are filled all the same.
    reg.load();
    ASSERT_EQ(prompts.asked(PromptKind::Message).size(), 1u);
    EXPECT_EQ(prompts.lastMessageText(), u"所選編號無記錄"_s);
    EXPECT_EQ(reg.prefixText(), u"編號"_s);
    EXPECT_FALSE(reg.form().choices(u"cb1"_s).isEmpty());
    prompts.clear();

    addCustomer(u"12002"_s, u"乙"_s);
    addCustomer(u"12001"_s, u"甲"_s);
    addCustomer(u"B001"_s, u"Beta"_s);
    EXPECT_TRUE(reg.listByCode(u"07"_s));
    EXPECT_EQ(listed(reg), (QStringList{u"12001"_s, u"12002"_s}));
    EXPECT_EQ(reg.prefixText(), u"12"_s);
    EXPECT_TRUE(reg.listByCode(u"13"_s));
    EXPECT_EQ(listed(reg), QStringList{u"B001"_s});
    EXPECT_EQ(reg.prefixText(), u"B"_s);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    // Nothing after the last prefix: the list stays.
    EXPECT_FALSE(reg.listByCode(u"C"_s));
    EXPECT_EQ(prompts.lastMessageText(), u"所選編號無記錄"_s);
    EXPECT_EQ(listed(reg), QStringList{u"B001"_s});
    EXPECT_EQ(reg.prefixText(), u"編號"_s);

    // An empty prefix lists every record in code order.
    ASSERT_TRUE(reg.listByCode(QString()));
    EXPECT_EQ(listed(reg), (QStringList{u"12001"_s, u"12002"_s, u"B001"_s}));
    EXPECT_EQ(reg.prefixText(), u"12"_s);
}

TEST_F(ListingTest, ByCategoryAndItsFilterListWithCompoundColumnsBlanked)
{
    addCustomer(u"B001"_s, u"Beta"_s, {{34, u"建設公司"_s}});
    addCustomer(u"A001"_s, u"Acme"_s,
                {{4, u"臺北市;忠孝東路1號"_s}, {9, u"02;23456789"_s}, {18, u"王小明"_s}, {20, u"0912345678"_s},
                 {34, u"建設公司"_s}});
    addCustomer(u"C001"_s, u"Corp"_s, {{34, u"一般客戶"_s}});
    CustomerRegister reg;
    reg.load();
    EXPECT_EQ(reg.categoryChoices(), (QStringList{u"一般客戶"_s, u"建設公司"_s}));
    ASSERT_TRUE(reg.listByType(u"建設公司"_s));
    EXPECT_EQ(listed(reg, 2), (QStringList{u"Acme"_s, u"Beta"_s}));
    const QStringList shown{u"臺北市 忠孝東路1號"_s, u"02 23456789"_s, u"王小明"_s, u"0912345678"_s};
    for (int col = 3; col <= 6; ++col)
        EXPECT_EQ(reg.list().textMatrix(1, col), shown.at(col - 3)) << col;
    EXPECT_FALSE(reg.listByType(u"公家機關"_s));
    EXPECT_EQ(prompts.lastMessageText(), u"所選分類無記錄"_s);
    EXPECT_EQ(listed(reg, 2), (QStringList{u"Acme"_s, u"Beta"_s}));
}

} // namespace
} // namespace varn::test
