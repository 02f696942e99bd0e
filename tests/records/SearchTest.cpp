#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"

namespace varn::test {
namespace {

class SearchTest : public RegisterFixture {
protected:
    // The customer names of the result rows.
    QStringList hitNames(CustomerRegister& reg)
    {
        QStringList names;
        for (int r = 1; r < reg.list().rows(); ++r)
            names << reg.list().textMatrix(r, 1);
        return names;
    }
    QStringList searchFor(CustomerRegister& reg, const QString& text)
    {
        prompts.answerInput(text);
        reg.search();
        return hitNames(reg);
    }
};

TEST_F(SearchTest, OneLinePerMatchingColumnSortedByName)
{
    QStringList contact(33);
    contact[16] = QStringLiteral("王小明");
    addCustomer(QStringLiteral("04001"), QStringLiteral("王記"), contact);
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), contact);
    addCustomer(QStringLiteral("B001"), QStringLiteral("Beta"));
    CustomerRegister reg;
    reg.load();

    EXPECT_EQ(searchFor(reg, QStringLiteral("王")),
              (QStringList{QStringLiteral("Acme"), QStringLiteral("王記"), QStringLiteral("王記")}));
    EXPECT_EQ(reg.editMode(), EditMode::Query);
    EXPECT_EQ(reg.list().cols(), 3);
    EXPECT_EQ(reg.list().textMatrix(0, 1), QStringLiteral("客戶名稱"));
    EXPECT_EQ(reg.list().textMatrix(0, 2), QStringLiteral("搜尋結果:  (欄位名稱)  -->   找到字串"));
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("在 (連絡人) 有  -->    王小明"));
    EXPECT_EQ(reg.list().textMatrix(2, 2), QStringLiteral("在 (客戶名稱) 有  -->    王記"));
    EXPECT_EQ(reg.list().textMatrix(3, 2), QStringLiteral("在 (連絡人) 有  -->    王小明"));
    EXPECT_EQ(state().m.gSearchText, QStringLiteral("王"));

    // A result row chooses its customer by the name in column 1.
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_EQ(reg.selectedName(), QStringLiteral("Acme"));
    EXPECT_EQ(reg.form().field(QStringLiteral("t24")), QStringLiteral("王小明"));
}

TEST_F(SearchTest, QuotesAndWildcardCharactersAreTakenLiterally)
{
    addCustomer(QStringLiteral("O001"), QStringLiteral("O'Brien"));
    addCustomer(QStringLiteral("O002"), QStringLiteral("OBrien"));
    addCustomer(QStringLiteral("A001"), QStringLiteral("A*B"));
    addCustomer(QStringLiteral("A002"), QStringLiteral("AxB"));
    addCustomer(QStringLiteral("A003"), QStringLiteral("A?C"));
    addCustomer(QStringLiteral("A004"), QStringLiteral("100%"));
    addCustomer(QStringLiteral("A005"), QStringLiteral("1000"));
    addCustomer(QStringLiteral("A006"), QStringLiteral("a_b"));
    addCustomer(QStringLiteral("A007"), QStringLiteral("a-b"));
    CustomerRegister reg;

    EXPECT_EQ(searchFor(reg, QStringLiteral("O'B")), QStringList{QStringLiteral("O'Brien")});
    EXPECT_EQ(searchFor(reg, QStringLiteral("*")), QStringList{QStringLiteral("A*B")});
    EXPECT_EQ(searchFor(reg, QStringLiteral("?")), QStringList{QStringLiteral("A?C")});
    EXPECT_EQ(searchFor(reg, QStringLiteral("0%")), QStringList{QStringLiteral("100%")});
    EXPECT_EQ(searchFor(reg, QStringLiteral("_")), QStringList{QStringLiteral("a_b")});
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(SearchTest, NoHitShowsOneLineThatChoosesNothing)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"));
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    searchFor(reg, QStringLiteral("zzz"));
    ASSERT_EQ(reg.list().rows(), 2);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("找不到資料"));
    EXPECT_FALSE(reg.selectRow(1));
    EXPECT_EQ(reg.selectedName(), QStringLiteral("Acme"));
}

TEST_F(SearchTest, CancelledOrEmptySearchLeavesTheList)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"));
    CustomerRegister reg;
    reg.load();
    state().m.gSearchText = QStringLiteral("earlier");
    prompts.answerInput(std::nullopt);
    reg.search();
    EXPECT_EQ(prompts.asked(PromptKind::Input).at(0).defaultText, QStringLiteral("earlier"));
    EXPECT_EQ(prompts.asked(PromptKind::Input).at(0).text, QStringLiteral("請輸入搜尋文字"));
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(reg.list().cols(), 7);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("Acme"));
    EXPECT_TRUE(state().m.gSearchText.isEmpty());

    searchFor(reg, QString());
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(reg.list().textMatrix(1, 2), QStringLiteral("Acme"));
}

TEST_F(SearchTest, ListingByCodeEndsTheSearchResults)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"));
    addCustomer(QStringLiteral("A002"), QStringLiteral("Apex"));
    CustomerRegister reg;
    searchFor(reg, QStringLiteral("Ap"));
    ASSERT_TRUE(reg.listByCode(QStringLiteral("A")));
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    ASSERT_TRUE(reg.selectRow(2));
    EXPECT_EQ(reg.selectedName(), QStringLiteral("Apex"));
}

} // namespace
} // namespace varn::test
