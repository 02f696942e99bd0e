#include "platform/text/VbNumber.h"

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Val reads a number too long for a double as 0; a limit must still see it as too large.
TEST(ValOverflowTest, TellsANumberTooLongForADoubleFromNothingAndFromATinyOne)
{
    const QString digits309 = u'1' + QString(u'0').repeated(308);
    const QString digits310 = u'1' + QString(u'0').repeated(309);
    const struct {
        QString text;
        bool overflows;
    } cases[] = {
        {digits310, true},                 {u'-' + digits310, true},
        {digits310 + QStringLiteral("kg"), true},         {QStringLiteral("1e400"), true},
        {QStringLiteral("0.0001e400"), true}, {QStringLiteral("0.") + QString(u'0').repeated(400) + u'1', false},
        {QStringLiteral("1e-400"), false}, {QStringLiteral("0e999"), false},
        {digits309, false},                {QStringLiteral("12"), false},
        {QString(), false},                {QStringLiteral("abc"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValOverflows(c.text), c.overflows) << c.text.left(20).toStdString();
        if (c.overflows) {
            EXPECT_EQ(Val(c.text), 0) << c.text.left(20).toStdString();
        }
    }
    EXPECT_EQ(Val(digits309), 1e308);
    EXPECT_TRUE(ValOverflows(QString(u'9').repeated(309)));
}

} // namespace
