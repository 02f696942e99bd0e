#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/ScriptedPrompter.h"
#include "platform/ui/Twips.h"
#include "platform/ui/widgets/GuardedApplication.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

using namespace varn;

namespace {

TEST(StandInPrompter, AnswersDefaultsAndCancelsDialogs)
{
    using B = PromptButton;
    Prompter::install(nullptr);
    const struct {
        PromptButtons buttons;
        B defaultButton, answer;
    } cases[] = {
        {PromptButtons::Ok, B::None, B::Ok},
        {PromptButtons::RetryCancel, B::None, B::Retry},
        {PromptButtons::YesNoCancel, B::Cancel, B::Cancel},
        {PromptButtons::YesNo, B::Cancel, B::Yes},   // a default the box lacks: the first button
    };
    for (const auto& c : cases)
        EXPECT_EQ(prompter().message({{}, {}, {}, c.buttons, c.defaultButton}), c.answer);
    EXPECT_FALSE(prompter().input({}) || prompter().openFile({}) || prompter().saveFile({}));
    EXPECT_FALSE(prompter().askYesNo(QStringLiteral("確定？"), B::No));
}

TEST(ScriptedPrompter, AnswersInOrderUntilItRunsOutThenDefaultsAndCounts)
{
    ScriptedPrompter outer, script;
    ScopedPrompter a(outer);
    {
        ScopedPrompter b(script);
        script.answerMessage(PromptButton::No);
        script.answerOpenFile(QStringLiteral("/tmp/b.vrn"));
        EXPECT_FALSE(prompter().input({}));   // a message answer is not spent on another question
        EXPECT_EQ(prompter().openFile({}), QStringLiteral("/tmp/b.vrn"));
        EXPECT_FALSE(prompter().askYesNo(QStringLiteral("刪除這一列？"), PromptButton::Yes, QStringLiteral("刪除")));
        EXPECT_TRUE(prompter().askYesNo(QStringLiteral("確定？")));   // unscripted: the default
        EXPECT_EQ(script.unexpected(), 2);
        ASSERT_EQ(script.asked().size(), 4u);
        EXPECT_TRUE(script.asked()[2].scripted && script.asked()[2].icon == PromptIcon::Question);
        EXPECT_EQ(script.asked()[2].title, QStringLiteral("刪除"));
    }
    EXPECT_EQ(&prompter(), &outer);
}

TEST(Twips, ConvertsAtLogicalDpi)
{
    // 10 twips (0.67 px) still show; without a usable DPI the logical 96 holds.
    EXPECT_EQ((std::vector{TwipsToPixels(1440), TwipsToPixels(615), TwipsToPixels(10), TwipsToPixels(-1440),
                           TwipsToPixels(1440, 144.0), TwipsToPixels(1440, 0.0), PixelsToTwips(1),
                           PixelsToTwips(120, 120.0), PixelsToTwips(96, -1.0)}),
              (std::vector{96, 41, 1, -96, 144, 96, 15, 1440, 1440}));
}

class RecordingIndicator : public BusyIndicator {
public:
    void begin(const QString& text) override { events.push_back("begin " + text.toStdString()); }
    void end() override { events.push_back("end"); }
    std::vector<std::string> events;
};

TEST(BusyScopeTest, OutermostScopeShowsOnceAndEndsWhereItBegan)
{
    RecordingIndicator indicator, second;
    BusyIndicator::install(&indicator);
    {
        BusyScope outer;
        BusyScope inner(QStringLiteral("讀取中"));
        EXPECT_EQ(BusyScope::depth(), 2);
        BusyIndicator::install(&second);
    }
    EXPECT_EQ(BusyScope::depth(), 0);
    EXPECT_EQ(indicator.events, std::vector<std::string>({"begin 處理中…", "end"}));
    EXPECT_TRUE(second.events.empty());
    BusyIndicator::install(nullptr);
    BusyScope nothingInstalled;
}

// An exception that escapes a handler is told, and the events after it are still handled.
TEST(GuardedApplicationTest, AThrowingHandlerIsReportedAndTheProgramGoesOn)
{
    int argc = 1;
    char name[] = "varn3";
    char* argv[] = {name, nullptr};
    GuardedApplication app(argc, argv);
    ScriptedPrompter script;
    ScopedPrompter installed(script);
    int handled = 0;
    QTimer::singleShot(0, &app, [] { throw std::length_error("vector::reserve"); });
    QTimer::singleShot(0, &app, [] { throw 1; });
    QTimer::singleShot(0, &app, [&] { ++handled; });
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    EXPECT_EQ(app.exec(), 0);
    EXPECT_EQ(handled, 1);
    const auto told = script.asked(PromptKind::Message);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].text.contains(QStringLiteral("vector::reserve")) && told[0].icon == PromptIcon::Critical);
    EXPECT_TRUE(told[1].text.contains(QStringLiteral("未預期的錯誤")));
}

} // namespace
