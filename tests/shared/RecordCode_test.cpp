#include "shared/RecordCode.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(RecordCodePrefix, LettersAndStrokeClasses)
{
    const struct {
        const char* name;
        const char* prefix;
    } table[] = {
        {"Acme", "A"}, {"zeta", "Z"}, {"王小明", "04"}, {"123", "01"}, {"Ａcme", "01"},
        {"(株)", "01"}, {"ı", "01"},   {"ß", "01"},     {"é", "01"},   {"", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(RecordCodePrefix(QString::fromUtf8(row.name)), QString::fromUtf8(row.prefix)) << row.name;
}

TEST(NextRecordCode, RunningNumberPerPrefix)
{
    const struct {
        const char* prefix;
        QStringList stored;
        const char* next;
    } table[] = {
        {"05", {}, "05001"},
        {"A", {"A099"}, "A100"},
        // Other prefixes do not count, nor does the stored order, nor the letter case.
        {"05", {"05001", "06007", "A010", "B999", "04999", "05002"}, "05003"},
        {"A", {"A003", "A012", "a020", "A007"}, "A021"},
        // Past 999; A999 sorts after A1000 as text: the number decides.
        {"A", {"A998", "A999"}, "A1000"},
        {"A", {"A999", "A1000"}, "A1001"},
        {"12", {"12999", "121000", "12500"}, "121001"},
        {"A", {"A99999999999999999999999"}, "A100000000000000000000000"},
        // Junk codes are passed over.
        {"A", {"A005", "A9x9", "A", "A 12", "A-99", "Ａ999", "A１２３"}, "A006"},
        {"05", {"05", "05abc", ""}, "05001"},
        {"A", {"A000"}, "A001"},
        {"A", {"A0041"}, "A042"},
        {"", {"A001"}, ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(NextRecordCode(QString::fromLatin1(row.prefix), row.stored), QString::fromLatin1(row.next))
            << row.next;
}

TEST(NewRecordCode, FromNameAndStoredCodes)
{
    const QStringList stored{"A001", "A002", "04001", "04015", "01003"};
    EXPECT_EQ(NewRecordCode(QStringLiteral("apple"), stored), QStringLiteral("A003"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("王大同"), stored), QStringLiteral("04016"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("Ｂ公司"), stored), QStringLiteral("01004"));
    EXPECT_EQ(NewRecordCode(QString(), stored), QString());
}

TEST(RecordCodePrefixOf, StoredCodes)
{
    for (const auto& [code, prefix] : {std::pair{"A1000", "A"}, {"b001", "B"}, {"05012", "05"}, {"331000", "33"},
                                       {"", ""}})
        EXPECT_EQ(RecordCodePrefixOf(QString::fromLatin1(code)), QString::fromLatin1(prefix)) << code;
}

TEST(RecordCodePrefixes, FiftyNineInBrowsingOrder)
{
    const QStringList prefixes = RecordCodePrefixes();
    ASSERT_EQ(prefixes.size(), 59);
    EXPECT_EQ(prefixes.mid(8, 2), (QStringList{"09", "10"}));
    EXPECT_EQ(prefixes.mid(32, 2), (QStringList{"33", "A"}));
    EXPECT_EQ(prefixes.first() + prefixes.last(), QStringLiteral("01Z"));
}

} // namespace
} // namespace varn
