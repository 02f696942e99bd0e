#include "platform/ui/Prompter.h"
#include "platform/ui/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace varn;

namespace {

MessageRequest box(PromptButtons buttons, PromptButton defaultButton = PromptButton::None)
{
    MessageRequest r;
    r.text = QStringLiteral("要儲存嗎？");
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return r;
}

TEST(StandInPrompter, AnswersDefaultsAndCancelsDialogs)
{
    using B = PromptButton;
    Prompter::install(nullptr);
    Prompter& p = Prompter::instance();
    const struct {
        PromptButtons buttons;
        B defaultButton, answer;
    } cases[] = {
        {PromptButtons::Ok, B::None, B::Ok},
        {PromptButtons::YesNo, B::None, B::Yes},
        {PromptButtons::RetryCancel, B::None, B::Retry},
        {PromptButtons::YesNoCancel, B::Cancel, B::Cancel},
        {PromptButtons::AbortRetryIgnore, B::Ignore, B::Ignore},
        {PromptButtons::YesNo, B::Cancel, B::Yes},   // a default the box lacks: the first button
    };
    for (const auto& c : cases)
        EXPECT_EQ(p.message(box(c.buttons, c.defaultButton)), c.answer) << int(c.buttons);
    EXPECT_FALSE(p.input({}) || p.openFile({}) || p.saveFile({}));
    EXPECT_TRUE(p.askYesNo(QStringLiteral("確定？")));
    EXPECT_FALSE(p.askYesNo(QStringLiteral("確定？"), B::No));
}

TEST(InstalledPrompter, ScopedInstallRestoresThePreviousOne)
{
    Prompter::install(nullptr);
    ScriptedPrompter outer, inner;
    {
        ScopedPrompter a(outer);
        {
            ScopedPrompter b(inner);
            EXPECT_EQ(&prompter(), &inner);
        }
        EXPECT_EQ(&prompter(), &outer);
    }
    EXPECT_NE(&prompter(), &outer);
    EXPECT_FALSE(prompter().input({}));   // the stand-in again
}

class Scripted : public testing::Test {
protected:
    ScriptedPrompter script;
    ScopedPrompter installed{script};
};

TEST_F(Scripted, AnswersEachKindInOrderAndRecordsTheQuestions)
{
    script.answerMessage(PromptButton::No);
    script.answerMessage(PromptButton::Cancel);
    script.answerInput(QStringLiteral("王小明"));
    script.answerInput(std::nullopt);
    script.answerSaveFile(QStringLiteral("/tmp/a.vrn"));
    script.answerOpenFile(QStringLiteral("/tmp/b.vrn"));
    EXPECT_EQ(script.pending(), 6);

    FileRequest f;
    f.startFolder = QStringLiteral("/home/u/quotes");
    EXPECT_EQ(prompter().saveFile(f), QStringLiteral("/tmp/a.vrn"));
    MessageRequest m = box(PromptButtons::YesNoCancel, PromptButton::Cancel);
    m.icon = PromptIcon::Warning;
    EXPECT_EQ(prompter().message(m), PromptButton::No);
    EXPECT_EQ(prompter().input({}), QStringLiteral("王小明"));
    EXPECT_EQ(prompter().message(box(PromptButtons::YesNoCancel)), PromptButton::Cancel);
    EXPECT_EQ(prompter().input({}), std::nullopt);
    EXPECT_EQ(prompter().openFile({}), QStringLiteral("/tmp/b.vrn"));
    EXPECT_EQ(script.pending() + script.unexpected(), 0);

    const auto& a = script.asked();
    ASSERT_EQ(a.size(), 6u);
    EXPECT_EQ(a[0].kind, PromptKind::SaveFile);
    EXPECT_EQ(a[0].startFolder, f.startFolder);
    EXPECT_TRUE(a[1].kind == PromptKind::Message && a[1].icon == PromptIcon::Warning && a[1].scripted);
    EXPECT_EQ(a[1].button, PromptButton::No);
    EXPECT_EQ(a[2].answer, QStringLiteral("王小明"));
    EXPECT_EQ(script.askedCount(PromptKind::Message) + script.askedCount(PromptKind::Input), 4);
    EXPECT_EQ(script.lastMessageText(), m.text);
    EXPECT_EQ(script.last()->kind, PromptKind::OpenFile);
}

TEST_F(Scripted, ShorthandsAskTheExpectedBoxes)
{
    prompter().inform(QStringLiteral("存檔完成"));
    script.answerMessage(PromptButton::No);
    EXPECT_FALSE(prompter().askYesNo(QStringLiteral("刪除這一列？"), PromptButton::No, QStringLiteral("刪除")));

    const auto& a = script.asked();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_TRUE(a[0].buttons == PromptButtons::Ok && a[0].icon == PromptIcon::Information);
    EXPECT_EQ(a[0].title, QStringLiteral("Varn III"));
    EXPECT_TRUE(a[1].buttons == PromptButtons::YesNo && a[1].icon == PromptIcon::Question);
    EXPECT_EQ(a[1].defaultButton, PromptButton::No);
    EXPECT_EQ(a[1].title, QStringLiteral("刪除"));
}

TEST_F(Scripted, RunningOutTakesDefaultsAndCounts)
{
    EXPECT_EQ(prompter().message(box(PromptButtons::YesNo, PromptButton::No)), PromptButton::No);
    EXPECT_EQ(prompter().message(box(PromptButtons::OkCancel)), PromptButton::Ok);
    EXPECT_FALSE(prompter().input({}) || prompter().openFile({}) || prompter().saveFile({}));
    EXPECT_EQ(script.unexpected(), 5);
    for (const PromptRecord& r : script.asked())
        EXPECT_FALSE(r.scripted);

    // A message answer is not spent on another kind of question.
    script.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(prompter().input({}));
    EXPECT_EQ(script.unexpected(), 6);
    EXPECT_EQ(script.pending(), 1);

    script.clear();
    EXPECT_TRUE(script.asked().empty());
    EXPECT_EQ(script.unexpected() + script.pending(), 0);
    EXPECT_TRUE(script.lastMessageText().isEmpty());
    EXPECT_EQ(script.last(), nullptr);
}

} // namespace
