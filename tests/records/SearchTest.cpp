#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class SearchTest : public RegisterFixture {
protected:
    // The customer names of the result rows.
    QStringList searchFor(CustomerRegister& reg, const std::optional<QString>& text)
    {
        prompts.answerInput(text);
        reg.search();
        QStringList names;
        for (int r = 1; r < reg.list().rows(); ++r)
            names << reg.list().textMatrix(r, 1);
        return names;
    }
};

TEST_F(SearchTest, OneLinePerMatchingColumnSortedByName)
{
    addCustomer(u"04001"_s, u"王記"_s, {{18, u"王小明"_s}});
    addCustomer(u"A001"_s, u"Acme"_s, {{18, u"王小明"_s}});
    addCustomer(u"B001"_s, u"Beta"_s);
    CustomerRegister reg;
    reg.load();

    EXPECT_EQ(searchFor(reg, u"王"_s), (QStringList{u"Acme"_s, u"王記"_s, u"王記"_s}));
    EXPECT_EQ(reg.editMode(), EditMode::Query);
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"在 (連絡人) 有  -->    王小明"_s);
    EXPECT_EQ(reg.list().textMatrix(2, 2), u"在 (客戶名稱) 有  -->    王記"_s);
    EXPECT_EQ(reg.list().textMatrix(3, 2), u"在 (連絡人) 有  -->    王小明"_s);
    EXPECT_EQ(state().m.gSearchText, u"王"_s);

    // A result row chooses its customer by the name in column 1.
    ASSERT_TRUE(reg.selectRow(1));
    EXPECT_EQ(reg.selectedName(), u"Acme"_s);
    EXPECT_EQ(reg.form().field(u"t24"_s), u"王小明"_s);

    // Listing by code ends the search results.
    ASSERT_TRUE(reg.listByCode(u"A"_s));
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(reg.list().cols(), 7);
}

TEST_F(SearchTest, StarAndQuestionMarkAreWildcardsWhileQuotesPercentAndUnderscoreAreText)
{
    int n = 0;
    for (const QString& name : {u"O'Brien"_s, u"OBrien"_s, u"A*B"_s, u"AxB"_s, u"AxyB"_s, u"100%"_s,
                                u"1000"_s, u"q_r"_s, u"q-r"_s})
        addCustomer(u"C%1"_s.arg(++n, 3, 10, QLatin1Char('0')), name);
    CustomerRegister reg;
    const std::pair<QString, QStringList> cases[] = {
        {u"O'B"_s, {u"O'Brien"_s}},
        {u"A*B"_s, {u"A*B"_s, u"AxB"_s, u"AxyB"_s}},   // any run of characters, none included
        {u"A?B"_s, {u"A*B"_s, u"AxB"_s}},              // exactly one
        {u"0%"_s, {u"100%"_s}},
        {u"q_r"_s, {u"q_r"_s}},
    };
    for (const auto& [text, hits] : cases)
        EXPECT_EQ(searchFor(reg, text), hits) << text.toStdString();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(SearchTest, NoHitChoosesNothingAndCancelledOrEmptySearchLeavesTheList)
{
    addCustomer(u"A001"_s, u"Acme"_s);
    CustomerRegister reg;
    reg.load();
    ASSERT_TRUE(reg.selectRow(1));
    searchFor(reg, u"zzz"_s);
    ASSERT_EQ(reg.list().rows(), 2);
    EXPECT_EQ(reg.list().textMatrix(1, 2), u"找不到資料"_s);
    EXPECT_FALSE(reg.selectRow(1));
    EXPECT_EQ(reg.selectedName(), u"Acme"_s);

    reg.listByCode(u"A"_s);
    for (const std::optional<QString>& text : {std::optional<QString>(), std::optional<QString>(QString())}) {
        state().m.gSearchText = u"earlier"_s;
        searchFor(reg, text);
        EXPECT_EQ(prompts.asked(PromptKind::Input).back().defaultText, u"earlier"_s);
        EXPECT_EQ(reg.editMode(), EditMode::Browse);
        EXPECT_EQ(reg.list().textMatrix(1, 2), u"Acme"_s);
        EXPECT_TRUE(state().m.gSearchText.isEmpty());
    }
}

} // namespace
} // namespace varn::test
