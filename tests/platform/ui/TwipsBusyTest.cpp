#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Twips.h"

#include <gtest/gtest.h>

#include <vector>

using namespace varn;

namespace {

TEST(Twips, ConvertsAtLogicalDpi)
{
    // 10 twips (0.67 px) still show; without a usable DPI the logical 96 holds.
    EXPECT_EQ((std::vector{TwipsToPixels(1440), TwipsToPixels(615), TwipsToPixels(10), TwipsToPixels(-1440),
                           TwipsToPixels(1440, 144.0), TwipsToPixels(1440, 0.0)}),
              (std::vector{96, 41, 1, -96, 144, 96}));
    EXPECT_EQ((std::vector{PixelsToTwips(1), PixelsToTwips(120, 120.0), PixelsToTwips(96, -1.0)}),
              (std::vector{15, 1440, 1440}));
}

class RecordingIndicator : public BusyIndicator {
public:
    void begin(const QString& text) override { events.push_back("begin " + text.toStdString()); }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST(BusyScopeTest, OutermostScopeShowsOnceAndEndsWhereItBegan)
{
    RecordingIndicator indicator;
    BusyIndicator::install(&indicator);
    {
        BusyScope outer;
        EXPECT_EQ(BusyScope::depth(), 1);
        {
            BusyScope inner(QStringLiteral("讀取中"));
            EXPECT_EQ(BusyScope::depth(), 2);
        }
        EXPECT_EQ(indicator.events.size(), 1u);
    }
    EXPECT_EQ(BusyScope::depth(), 0);
    EXPECT_EQ(indicator.events, std::vector<std::string>({"begin 處理中…", "end"}));

    // A scope ends on the indicator it began on.
    RecordingIndicator second;
    {
        BusyScope scope;
        BusyIndicator::install(&second);
    }
    EXPECT_EQ(indicator.events.size(), 4u);
    EXPECT_TRUE(second.events.empty());
    BusyIndicator::install(nullptr);
    {
        BusyScope nothingInstalled;
    }
    EXPECT_EQ(BusyScope::depth(), 0);
}

} // namespace
