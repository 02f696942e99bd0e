// The look-ups behind the window's lists.
#include "WindowFixture.h"

#include "quotation/PickLists.h"

namespace varn::test {
namespace {

using PickListsTest = WindowTest;

TEST_F(PickListsTest, TheItemListTakesTheNearestWorkTypeOnThePath)
{
    const auto items = [&](const QStringList& candidates) {
        return PickLists::itemsForPath(db(), candidates).entries;
    };
    EXPECT_EQ(items({"木作", "客廳", Q}),
              (QStringList{"木門", "天花板"}));
    // An area without work types under it: no part names a work type.
    EXPECT_TRUE(items({"客廳", Q}).isEmpty());
    // A deeper level below a work type still finds it.
    EXPECT_EQ(items({"細項", "油漆", Q}), QStringList{"乳膠漆"});
}

TEST_F(PickListsTest, QuotesInValuesAndFailuresOfTheDatabase)
{
    db().execute("INSERT INTO k2a (k, a, sort) VALUES (?, ?, 0)",
                 {"O'Neil's \"家\"", "玄關"});
    EXPECT_EQ(PickLists::areasOf(db(), "O'Neil's \"家\"").entries, QStringList{"玄關"});

    db().execute("DROP TABLE w2d");
    const PickList details = PickLists::detailsOf(db(), "木門");
    EXPECT_FALSE(details.ok());
    EXPECT_TRUE(details.entries.isEmpty());
    EXPECT_TRUE(details.error.contains("規格"));
}

} // namespace
} // namespace varn::test
