#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "records/PrefixWalk.h"

namespace varn::test {
namespace {

TEST(PrefixWalkTest, WalksStrokeClassesThenLettersAndEnds)
{
    const std::vector<std::pair<QString, std::optional<QString>>> cases = {
        {QStringLiteral("01"), QStringLiteral("02")}, {QStringLiteral("08"), QStringLiteral("09")},
        {QStringLiteral("09"), QStringLiteral("10")}, {QStringLiteral("32"), QStringLiteral("33")},
        {QStringLiteral("33"), QStringLiteral("A")},  {QStringLiteral("A"), QStringLiteral("B")},
        {QStringLiteral("A1"), QStringLiteral("B")},  {QStringLiteral("y"), QStringLiteral("Z")},
        {QStringLiteral("Z"), std::nullopt},          {QStringLiteral("z"), std::nullopt},
        {QString(), std::nullopt},                    {QStringLiteral("#"), std::nullopt},
        {QStringLiteral("["), std::nullopt},          {QStringLiteral("5"), std::nullopt},
        {QStringLiteral("00"), std::nullopt},         {QStringLiteral("34"), std::nullopt},
        {QStringLiteral("９９"), std::nullopt},
    };
    for (const auto& [from, to] : cases)
        EXPECT_EQ(NextListPrefix(from), to) << from.toStdString();
}

class ListingTest : public RegisterFixture {
protected:
    QStringList listedCodes(CustomerRegister& reg)
    {
        QStringList codes;
        for (int r = 1; r < reg.list().rows(); ++r)
            codes << reg.list().textMatrix(r, 1);
        return codes;
    }
};

TEST_F(ListingTest, EmptyTableWalksToTheEndAndSaysSo)
{
    CustomerRegister reg;
    reg.load();
    ASSERT_EQ(prompts.asked(PromptKind::Message).size(), 1u);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("所選編號無記錄"));
    EXPECT_EQ(prompts.lastMessageTitle(), QStringLiteral("Varn III"));
    EXPECT_EQ(reg.prefixText(), QStringLiteral("編號"));
}

TEST_F(ListingTest, WalksOnOverSparseData)
{
    addCustomer(QStringLiteral("12002"), QStringLiteral("乙"));
    addCustomer(QStringLiteral("12001"), QStringLiteral("甲"));
    addCustomer(QStringLiteral("B001"), QStringLiteral("Beta"));
    CustomerRegister reg;
    EXPECT_TRUE(reg.listByCode(QStringLiteral("07")));
    EXPECT_EQ(listedCodes(reg), (QStringList{QStringLiteral("12001"), QStringLiteral("12002")}));
    EXPECT_EQ(reg.prefixText(), QStringLiteral("12"));

    EXPECT_TRUE(reg.listByCode(QStringLiteral("13")));
    EXPECT_EQ(listedCodes(reg), QStringList{QStringLiteral("B001")});
    EXPECT_EQ(reg.prefixText(), QStringLiteral("B"));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(ListingTest, NothingAfterTheLastPrefixKeepsTheList)
{
    addCustomer(QStringLiteral("B001"), QStringLiteral("Beta"));
    CustomerRegister reg;
    ASSERT_TRUE(reg.listByCode(QStringLiteral("B")));
    EXPECT_FALSE(reg.listByCode(QStringLiteral("C")));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("所選編號無記錄"));
    EXPECT_EQ(listedCodes(reg), QStringList{QStringLiteral("B001")});
    EXPECT_EQ(reg.prefixText(), QStringLiteral("編號"));
}

TEST_F(ListingTest, EmptyPrefixListsEveryRecordInCodeOrder)
{
    addCustomer(QStringLiteral("B001"), QStringLiteral("Beta"));
    addCustomer(QStringLiteral("05001"), QStringLiteral("丁"));
    addCustomer(QStringLiteral("A123"), QStringLiteral("Alpha"));
    CustomerRegister reg;
    ASSERT_TRUE(reg.listByCode(QString()));
    EXPECT_EQ(listedCodes(reg),
              (QStringList{QStringLiteral("05001"), QStringLiteral("A123"), QStringLiteral("B001")}));
    EXPECT_EQ(reg.prefixText(), QStringLiteral("05"));
    ASSERT_TRUE(reg.listByCode(QStringLiteral("A")));
    EXPECT_EQ(reg.prefixText(), QStringLiteral("A"));
}

TEST_F(ListingTest, ListShowsSixColumnsWithCompoundsBlanked)
{
    QStringList more(33);
    more[2] = QStringLiteral("臺北市;忠孝東路1號");   // column 4
    more[7] = QStringLiteral("02;23456789");          // column 9
    more[16] = QStringLiteral("王小明");              // column 18
    more[18] = QStringLiteral("0912345678");          // column 20
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);
    CustomerRegister reg;
    reg.load();
    ASSERT_EQ(reg.list().rows(), 2);
    EXPECT_EQ(reg.list().cols(), 7);
    EXPECT_EQ(reg.list().textMatrix(0, 1), QStringLiteral("編 號"));
    EXPECT_EQ(reg.list().textMatrix(0, 6), QStringLiteral("聯絡人行動"));
    EXPECT_EQ(reg.list().colWidth(2), 2800);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("Acme"));
    EXPECT_EQ(reg.list().textMatrix(1, 3), QStringLiteral("臺北市 忠孝東路1號"));
    EXPECT_EQ(reg.list().textMatrix(1, 4), QStringLiteral("02 23456789"));
    EXPECT_EQ(reg.list().textMatrix(1, 5), QStringLiteral("王小明"));
    EXPECT_EQ(reg.list().textMatrix(1, 6), QStringLiteral("0912345678"));
    EXPECT_EQ(reg.list().cellFormat(1, 3).align, CellAlign::Left);
}

TEST_F(ListingTest, ByCategoryAndItsFilterList)
{
    QStringList company(33);
    company[32] = QStringLiteral("建設公司");
    QStringList plain(33);
    plain[32] = QStringLiteral("一般客戶");
    addCustomer(QStringLiteral("B001"), QStringLiteral("Beta"), company);
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), company);
    addCustomer(QStringLiteral("C001"), QStringLiteral("Corp"), plain);
    CustomerRegister reg;
    reg.load();
    EXPECT_EQ(reg.categoryChoices(), (QStringList{QStringLiteral("一般客戶"), QStringLiteral("建設公司")}));
    EXPECT_EQ(reg.categoryText(), QStringLiteral("分類"));

    ASSERT_TRUE(reg.listByType(QStringLiteral("建設公司")));
    EXPECT_EQ(reg.list().rows(), 3);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("Acme"));
    EXPECT_EQ(reg.list().textMatrix(2, 2), QStringLiteral("Beta"));

    EXPECT_FALSE(reg.listByType(QStringLiteral("公家機關")));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("所選分類無記錄"));
    EXPECT_EQ(reg.list().rows(), 3);
}

TEST_F(ListingTest, LoadFillsTheLookupAndCountyLists)
{
    CustomerRegister reg;
    reg.load();
    EXPECT_EQ(reg.form().choices(QStringLiteral("cbTp")).value(0), QStringLiteral("一般客戶"));
    EXPECT_FALSE(reg.form().choices(QStringLiteral("cb5")).isEmpty());
    EXPECT_FALSE(reg.form().choices(QStringLiteral("cb6")).isEmpty());
    EXPECT_FALSE(reg.form().choices(QStringLiteral("cb7")).isEmpty());
    const QStringList counties = reg.form().choices(QStringLiteral("cb1"));
    ASSERT_FALSE(counties.isEmpty());
    EXPECT_EQ(reg.form().choices(QStringLiteral("cb2")), counties);
    EXPECT_EQ(reg.form().choices(QStringLiteral("cb3")), counties);
    EXPECT_EQ(reg.form().choices(QStringLiteral("L1")).size(), counties.size());
    // No customers yet: the category filter stays without its caption.
    EXPECT_TRUE(reg.categoryChoices().isEmpty());
    EXPECT_TRUE(reg.categoryText().isEmpty());
}

} // namespace
} // namespace varn::test
