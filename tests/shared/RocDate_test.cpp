#include "shared/RocDate.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

struct DateCase {
    int year, month, day;
    const char* padded;
    const char* plain;
};

TEST(RocDate, FormatsBothFormsFromTheCalendarsStart)
{
    const DateCase table[] = {
        {2003, 2, 19, "92/02/19", "92/2/19"},
        {1912, 1, 1, "01/01/01", "1/1/1"},
        {1920, 12, 31, "09/12/31", "9/12/31"},
        {1921, 1, 1, "10/01/01", "10/1/1"},
        {2010, 12, 31, "99/12/31", "99/12/31"},
        {2011, 1, 1, "100/01/01", "100/1/1"},
        {2024, 2, 29, "113/02/29", "113/2/29"},
    };
    for (const DateCase& c : table) {
        const QDate date(c.year, c.month, c.day);
        EXPECT_EQ(FormatRocDate(date), QString::fromLatin1(c.padded)) << c.padded;
        EXPECT_EQ(FormatRocDateShort(date), QString::fromLatin1(c.plain)) << c.plain;
        EXPECT_EQ(ParseRocDate(QString::fromLatin1(c.padded)), date) << c.padded;
        EXPECT_EQ(ParseRocDate(QString::fromLatin1(c.plain)), date) << c.plain;
    }
    // No text before the calendar starts.
    for (const QDate& date : {QDate(1911, 12, 31), QDate(1800, 6, 1), QDate()})
        EXPECT_EQ(FormatRocDate(date) + FormatRocDateShort(date), QString()) << date.year();
}

TEST(RocDate, ParseRefusesWhatIsNoDate)
{
    for (const char* text : {"", "92", "92/02", "92/02/19/1", "0/1/1", "92/13/01", "92/02/30",
                             "112/02/29", "92/0/19", "92/02/00", "-1/02/19", "92/2a/19",
                             "九二/02/19", "92.02.19", "92//19"}) {
        EXPECT_FALSE(ParseRocDate(QString::fromUtf8(text)).isValid()) << text;
    }
    EXPECT_EQ(ParseRocDate(QStringLiteral(" 92 / 2 / 19 ")), QDate(2003, 2, 19));   // blanks around parts
}

} // namespace
} // namespace varn
