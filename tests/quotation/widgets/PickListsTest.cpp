// The look-ups behind the window's lists.
#include "WindowFixture.h"

#include "quotation/PickLists.h"

namespace varn::test {
namespace {

using PickListsTest = WindowTest;

TEST_F(PickListsTest, TheItemListTakesTheNearestWorkTypeQuotesAreDataAndFailuresAreNamed)
{
    const auto items = [&](const QStringList& candidates) { return PickLists::itemsForPath(db(), candidates).entries; };
    EXPECT_EQ(items({"木作", "客廳", Q}), (QStringList{"木門", "天花板"}));
    EXPECT_TRUE(items({"客廳", Q}).isEmpty());                   // an area without work types
    EXPECT_EQ(items({"細項", "油漆", Q}), QStringList{"乳膠漆"});   // a level below a work type

    db().execute("INSERT INTO k2a (k, a, sort) VALUES (?, ?, 0)", {"O'Neil's \"家\"", "玄關"});
    EXPECT_EQ(PickLists::areasOf(db(), "O'Neil's \"家\"").entries, QStringList{"玄關"});
    db().execute("DROP TABLE w2d");
    const PickList details = PickLists::detailsOf(db(), "木門");
    EXPECT_FALSE(details.ok());
    EXPECT_TRUE(details.entries.isEmpty());
    EXPECT_TRUE(details.error.contains("規格"));
}

} // namespace
} // namespace varn::test
