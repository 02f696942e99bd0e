#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Twips.h"

#include <gtest/gtest.h>

#include <vector>

using namespace varn;

namespace {

TEST(Twips, ConvertsAtLogicalDpi)
{
    EXPECT_EQ(TwipsToPixels(1440), 96);
    EXPECT_EQ(TwipsToPixels(615), 41);
    EXPECT_EQ(TwipsToPixels(10), 1);   // 0.67 px still shows
    EXPECT_EQ(TwipsToPixels(-1440), -96);
    EXPECT_EQ(TwipsToPixels(1440, 144.0), 144);
    EXPECT_EQ(PixelsToTwips(1), 15);
    EXPECT_EQ(PixelsToTwips(120, 120.0), 1440);
    // No usable DPI: the logical 96.
    EXPECT_EQ(TwipsToPixels(1440, 0.0), 96);
    EXPECT_EQ(PixelsToTwips(96, -1.0), 1440);
}

class RecordingIndicator : public BusyIndicator {
public:
    void begin(const QString& text) override { events.push_back("begin " + text.toStdString()); }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST(BusyScopeTest, OutermostScopeShowsOnce)
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
    BusyIndicator::install(nullptr);
}

TEST(BusyScopeTest, EndsOnTheIndicatorItBegan)
{
    RecordingIndicator first, second;
    BusyIndicator::install(&first);
    {
        BusyScope scope;
        BusyIndicator::install(&second);
    }
    EXPECT_EQ(first.events.size(), 2u);
    EXPECT_TRUE(second.events.empty());
    BusyIndicator::install(nullptr);
    {
        BusyScope nothingInstalled;
    }
    EXPECT_EQ(BusyScope::depth(), 0);
}

} // namespace
