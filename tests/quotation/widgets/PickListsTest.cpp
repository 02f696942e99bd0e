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
    EXPECT_EQ(items({QStringLiteral("木作"), QStringLiteral("客廳"), Q}),
              (QStringList{QStringLiteral("木門"), QStringLiteral("天花板")}));
    // An area without work types under it: no part names a work type.
    EXPECT_TRUE(items({QStringLiteral("客廳"), Q}).isEmpty());
    // A deeper level below a work type still finds it.
    EXPECT_EQ(items({QStringLiteral("細項"), QStringLiteral("油漆"), Q}), QStringList{QStringLiteral("乳膠漆")});
}

TEST_F(PickListsTest, QuotesInValuesAndFailuresOfTheDatabase)
{
    db().execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, 0)"),
                 {QStringLiteral("O'Neil's \"家\""), QStringLiteral("玄關")});
    EXPECT_EQ(PickLists::areasOf(db(), QStringLiteral("O'Neil's \"家\"")).entries, QStringList{QStringLiteral("玄關")});

    db().execute(QStringLiteral("DROP TABLE w2d"));
    const PickList details = PickLists::detailsOf(db(), QStringLiteral("木門"));
    EXPECT_FALSE(details.ok());
    EXPECT_TRUE(details.entries.isEmpty());
    EXPECT_TRUE(details.error.contains(QStringLiteral("規格")));
}

} // namespace
} // namespace varn::test
