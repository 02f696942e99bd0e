#include "excel_output/Placeholders.h"

#include <gtest/gtest.h>

using namespace varn;
using namespace Qt::StringLiterals;

TEST(PlaceholdersTest, ReplacedInOnePassExactlyAsTyped)
{
    auto values = [](const QString& customer = u"林先生"_s, const QString& date = u"113/05/01"_s) {
        PlaceholderSource s;
        s.customerName = customer;
        s.telephone = u"02-1234"_s;
        s.quoteDate = date;
        s.quoteNo = u"1130501_1"_s;
        s.firm = {u"瓦恩"_s, u"台北"_s, u"02"_s, u"03"_s, u"123"_s, u"a@b"_s};
        return MakePlaceholderValues(s);
    };
    const struct {
        QString text;
        PlaceholderValues v;
        QString expected;
    } cases[] = {
        {u"#客戶名稱##客戶名稱#"_s, values(), u"林先生林先生"_s},
        {u"#年#年#月#月#日#日"_s, values(), u"113年05月01日"_s},
        // A value holding a placeholder's text is never scanned again.
        {u"#客戶名稱#/#單號#"_s, values(u"#單號#"_s), u"#單號#/1130501_1"_s},
        // Other letter case and blanks inside are not placeholders.
        {u"#公司EMAIL# # 年# #公司email#"_s, values(), u"#公司EMAIL# # 年# a@b"_s},
        {u"##年#"_s, values(), u"#113"_s},
        // A date with fewer than three parts empties the missing ones.
        {u"#年#-#月#-#日#"_s, values(u"x"_s, u"113/05"_s), u"113-05-"_s},
        {u"#年#-#月#-#日#"_s, values(u"x"_s, QString()), u"--"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplacePlaceholders(c.text, c.v), c.expected) << c.text.toStdString();
}
