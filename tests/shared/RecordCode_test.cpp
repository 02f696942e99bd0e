#include "shared/RecordCode.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

QStringList codes(std::initializer_list<const char*> list)
{
    QStringList r;
    for (const char* c : list)
        r << QString::fromUtf8(c);
    return r;
}

TEST(RecordCodePrefix, LettersAndStrokeClasses)
{
    const struct {
        const char* name;
        const char* prefix;
    } table[] = {
        {"Acme", "A"}, {"acme", "A"},  {"zeta", "Z"},  {"Z", "Z"},
        {"王小明", "04"}, {"一心", "01"}, {"鸞", "30"}, {"籲", "33"},
        {"123", "01"},  {"Ａcme", "01"}, {"ａ", "01"}, {"(株)", "01"},
        {"ı", "01"},    {"ß", "01"},    {"é", "01"},  {"", ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(RecordCodePrefix(QString::fromUtf8(row.name)), QString::fromUtf8(row.prefix)) << row.name;
}

TEST(NextRecordCode, RunningNumberPerPrefix)
{
    EXPECT_EQ(NextRecordCode("A", {}), QStringLiteral("A001"));
    EXPECT_EQ(NextRecordCode("05", {}), QStringLiteral("05001"));
    EXPECT_EQ(NextRecordCode("A", codes({"A009"})), QStringLiteral("A010"));
    EXPECT_EQ(NextRecordCode("A", codes({"A099"})), QStringLiteral("A100"));
    EXPECT_EQ(NextRecordCode("05", codes({"05001", "05002"})), QStringLiteral("05003"));
    // Other prefixes do not count.
    EXPECT_EQ(NextRecordCode("05", codes({"05001", "06007", "A010", "B999", "04999"})),
              QStringLiteral("05002"));
    EXPECT_EQ(NextRecordCode("B", codes({"A005", "05010"})), QStringLiteral("B001"));
    // Stored order does not matter.
    EXPECT_EQ(NextRecordCode("A", codes({"A003", "A012", "A007"})), QStringLiteral("A013"));
}

TEST(NextRecordCode, GoesOnPastNineHundredNinetyNine)
{
    EXPECT_EQ(NextRecordCode("A", codes({"A998", "A999"})), QStringLiteral("A1000"));
    // A999 sorts after A1000 as text; the number decides.
    EXPECT_EQ(NextRecordCode("A", codes({"A999", "A1000"})), QStringLiteral("A1001"));
    EXPECT_EQ(NextRecordCode("12", codes({"12999", "121000", "12500"})), QStringLiteral("121001"));
    EXPECT_EQ(NextRecordCode("A", codes({"A99999999999999999999999"})),
              QStringLiteral("A100000000000000000000000"));
}

TEST(NextRecordCode, JunkCodesArePassedOver)
{
    EXPECT_EQ(NextRecordCode("A", codes({"A005", "A9x9", "A", "A 12", "A-99", "Ａ999", "A１２３"})),
              QStringLiteral("A006"));
    EXPECT_EQ(NextRecordCode("A", codes({"Axyz"})), QStringLiteral("A001"));
    EXPECT_EQ(NextRecordCode("05", codes({"05", "05abc", ""})), QStringLiteral("05001"));
    EXPECT_EQ(NextRecordCode("A", codes({"A000"})), QStringLiteral("A001"));
    EXPECT_EQ(NextRecordCode("A", codes({"A0041"})), QStringLiteral("A042"));
}

TEST(NextRecordCode, PrefixMatchedWithoutRegardToCase)
{
    EXPECT_EQ(NextRecordCode("A", codes({"a020", "A010"})), QStringLiteral("A021"));
}

TEST(NextRecordCode, EmptyPrefixGivesNoCode)
{
    EXPECT_EQ(NextRecordCode(QString(), codes({"A001"})), QString());
}

TEST(NewRecordCode, FromNameAndStoredCodes)
{
    const QStringList stored = codes({"A001", "A002", "04001", "04015", "01003"});
    EXPECT_EQ(NewRecordCode(QStringLiteral("apple"), stored), QStringLiteral("A003"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("王大同"), stored), QStringLiteral("04016"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("1號倉庫"), stored), QStringLiteral("01004"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("Ｂ公司"), stored), QStringLiteral("01004"));
    EXPECT_EQ(NewRecordCode(QStringLiteral("陳"), stored), QStringLiteral("11001"));
    EXPECT_EQ(NewRecordCode(QString(), stored), QString());
}

TEST(RecordCodePrefixOf, StoredCodes)
{
    EXPECT_EQ(RecordCodePrefixOf(QStringLiteral("A123")), QStringLiteral("A"));
    EXPECT_EQ(RecordCodePrefixOf(QStringLiteral("A1000")), QStringLiteral("A"));
    EXPECT_EQ(RecordCodePrefixOf(QStringLiteral("b001")), QStringLiteral("B"));
    EXPECT_EQ(RecordCodePrefixOf(QStringLiteral("05012")), QStringLiteral("05"));
    EXPECT_EQ(RecordCodePrefixOf(QStringLiteral("331000")), QStringLiteral("33"));
    EXPECT_EQ(RecordCodePrefixOf(QString()), QString());
}

TEST(RecordCodePrefixes, FiftyNineInBrowsingOrder)
{
    const QStringList prefixes = RecordCodePrefixes();
    ASSERT_EQ(prefixes.size(), 59);
    EXPECT_EQ(prefixes.first(), QStringLiteral("01"));
    EXPECT_EQ(prefixes.at(8), QStringLiteral("09"));
    EXPECT_EQ(prefixes.at(9), QStringLiteral("10"));
    EXPECT_EQ(prefixes.at(32), QStringLiteral("33"));
    EXPECT_EQ(prefixes.at(33), QStringLiteral("A"));
    EXPECT_EQ(prefixes.last(), QStringLiteral("Z"));
}

} // namespace
} // namespace varn
