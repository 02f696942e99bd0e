#include "shared/RecordCode.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(RecordCode, PrefixOfAName)
{
    for (const auto& [name, prefix] : {std::pair{"Acme", "A"}, {"zeta", "Z"}, {"王小明", "04"}, {"123", "01"},
                                       {"Ａcme", "01"}, {"ı", "01"}, {"ß", "01"}, {"é", "01"}, {"", ""}})
        EXPECT_EQ(RecordCodePrefix(QString::fromUtf8(name)), QString::fromUtf8(prefix)) << name;
}

// The register's own tests cover the letter prefixes past 999 and junk codes; these are
// the stroke classes, the letter case, long numbers and leading zeros.
TEST(NextRecordCode, RunningNumberPerPrefix)
{
    const struct {
        const char* prefix;
        QStringList stored;
        const char* next;
    } table[] = {
        {"05", {}, "05001"},
        {"05", {"05001", "06007", "A010", "B999", "04999", "05002"}, "05003"},
        {"A", {"A003", "A012", "a020", "A007"}, "A021"},
        {"12", {"12999", "121000", "12500"}, "121001"},
        {"A", {"A99999999999999999999999"}, "A100000000000000000000000"},
        {"A", {"A005", "A 12", "A-99", "Ａ999", "A１２３"}, "A006"},
        {"05", {"05", "05abc", ""}, "05001"},
        {"A", {"A000"}, "A001"},
        {"A", {"A0041"}, "A042"},
        {"", {"A001"}, ""},
    };
    for (const auto& row : table)
        EXPECT_EQ(NextRecordCode(QString::fromLatin1(row.prefix), row.stored), QString::fromLatin1(row.next))
            << row.next;
}

} // namespace
} // namespace varn
