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
    Prompter::install(nullptr);
    Prompter& p = Prompter::instance();
    EXPECT_EQ(p.message(box(PromptButtons::Ok)), PromptButton::Ok);
    EXPECT_EQ(p.message(box(PromptButtons::YesNo)), PromptButton::Yes);
    EXPECT_EQ(p.message(box(PromptButtons::YesNoCancel, PromptButton::Cancel)), PromptButton::Cancel);
    EXPECT_EQ(p.message(box(PromptButtons::AbortRetryIgnore, PromptButton::Ignore)), PromptButton::Ignore);
    // A default the box does not have falls back to the first button.
    EXPECT_EQ(p.message(box(PromptButtons::YesNo, PromptButton::Cancel)), PromptButton::Yes);
    EXPECT_EQ(p.message(box(PromptButtons::RetryCancel)), PromptButton::Retry);
    EXPECT_FALSE(p.input({}));
    EXPECT_FALSE(p.openFile({}));
    EXPECT_FALSE(p.saveFile({}));
    EXPECT_TRUE(p.askYesNo(QStringLiteral("確定？")));
    EXPECT_FALSE(p.askYesNo(QStringLiteral("確定？"), PromptButton::No));
}

TEST(PromptButtonsTest, ListsButtonsLeftToRight)
{
    using B = PromptButton;
    EXPECT_EQ(promptButtonList(PromptButtons::OkCancel), std::vector<B>({B::Ok, B::Cancel}));
    EXPECT_EQ(promptButtonList(PromptButtons::YesNoCancel), std::vector<B>({B::Yes, B::No, B::Cancel}));
    EXPECT_EQ(promptButtonList(PromptButtons::AbortRetryIgnore),
              std::vector<B>({B::Abort, B::Retry, B::Ignore}));
    // The numbers callers compare with.
    EXPECT_EQ(int(B::Yes), 6);
    EXPECT_EQ(int(B::No), 7);
    EXPECT_EQ(int(B::Cancel), 2);
}

TEST(InstalledPrompter, ScopedInstallRestoresThePreviousOne)
{
    Prompter::install(nullptr);
    ScriptedPrompter outer;
    {
        ScopedPrompter a(outer);
        EXPECT_EQ(&prompter(), &outer);
        ScriptedPrompter inner;
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

TEST_F(Scripted, AnswersEachKindInOrder)
{
    script.answerMessage(PromptButton::No);
    script.answerMessage(PromptButton::Cancel);
    script.answerInput(QStringLiteral("王小明"));
    script.answerInput(std::nullopt);
    script.answerSaveFile(QStringLiteral("/tmp/a.vrn"));
    script.answerOpenFile(QStringLiteral("/tmp/b.vrn"));
    EXPECT_EQ(script.pending(), 6);

    EXPECT_EQ(prompter().saveFile({}), QStringLiteral("/tmp/a.vrn"));
    EXPECT_EQ(prompter().message(box(PromptButtons::YesNoCancel)), PromptButton::No);
    EXPECT_EQ(prompter().input({}), QStringLiteral("王小明"));
    EXPECT_EQ(prompter().message(box(PromptButtons::YesNoCancel)), PromptButton::Cancel);
    EXPECT_EQ(prompter().input({}), std::nullopt);
    EXPECT_EQ(prompter().openFile({}), QStringLiteral("/tmp/b.vrn"));

    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(script.unexpected(), 0);
    ASSERT_EQ(script.asked().size(), 6u);
    EXPECT_EQ(script.asked()[0].kind, PromptKind::SaveFile);
    EXPECT_EQ(script.asked()[1].kind, PromptKind::Message);
    EXPECT_EQ(script.askedCount(PromptKind::Message), 2);
    EXPECT_EQ(script.askedCount(PromptKind::Input), 2);
}

TEST_F(Scripted, RecordsWhatWasAsked)
{
    MessageRequest m;
    m.text = QStringLiteral("檔案已存在，要取代嗎？");
    m.title = QStringLiteral("報價系統");
    m.icon = PromptIcon::Warning;
    m.buttons = PromptButtons::YesNo;
    m.defaultButton = PromptButton::No;
    script.answerMessage(PromptButton::Yes);
    prompter().message(m);

    InputRequest in;
    in.prompt = QStringLiteral("請輸入區域名稱");
    in.title = QStringLiteral("新增區域");
    in.defaultText = QStringLiteral("一樓");
    script.answerInput(QStringLiteral("二樓"));
    prompter().input(in);

    FileRequest f;
    f.filter = QStringLiteral("所有檔案 (*);;瓦恩工房 檔案 (*.vrn)");
    f.selectedFilter = QStringLiteral("瓦恩工房 檔案 (*.vrn)");
    f.startFolder = QStringLiteral("/home/u/quotes");
    f.fileName = QStringLiteral("a.vrn");
    script.answerSaveFile(std::nullopt);
    prompter().saveFile(f);

    const auto& a = script.asked();
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0].text, m.text);
    EXPECT_EQ(a[0].title, m.title);
    EXPECT_EQ(a[0].icon, PromptIcon::Warning);
    EXPECT_EQ(a[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(a[0].defaultButton, PromptButton::No);
    EXPECT_EQ(a[0].button, PromptButton::Yes);
    EXPECT_TRUE(a[0].scripted);

    EXPECT_EQ(a[1].kind, PromptKind::Input);
    EXPECT_EQ(a[1].text, in.prompt);
    EXPECT_EQ(a[1].title, in.title);
    EXPECT_EQ(a[1].defaultText, in.defaultText);
    EXPECT_EQ(a[1].answer, QStringLiteral("二樓"));

    EXPECT_EQ(a[2].kind, PromptKind::SaveFile);
    EXPECT_EQ(a[2].filter, f.filter);
    EXPECT_EQ(a[2].selectedFilter, f.selectedFilter);
    EXPECT_EQ(a[2].startFolder, f.startFolder);
    EXPECT_EQ(a[2].fileName, f.fileName);
    EXPECT_FALSE(a[2].answer);

    EXPECT_EQ(script.lastMessageText(), m.text);
    EXPECT_EQ(script.lastMessageTitle(), m.title);
    EXPECT_EQ(script.last()->kind, PromptKind::SaveFile);
}

TEST_F(Scripted, ShorthandsAskTheExpectedBoxes)
{
    prompter().inform(QStringLiteral("存檔完成"));
    script.answerMessage(PromptButton::No);
    EXPECT_FALSE(prompter().askYesNo(QStringLiteral("刪除這一列？"), PromptButton::No,
                                     QStringLiteral("刪除")));

    const auto& a = script.asked();
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].buttons, PromptButtons::Ok);
    EXPECT_EQ(a[0].icon, PromptIcon::Information);
    EXPECT_EQ(a[0].title, QStringLiteral("Varn III"));
    EXPECT_EQ(a[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(a[1].icon, PromptIcon::Question);
    EXPECT_EQ(a[1].defaultButton, PromptButton::No);
    EXPECT_EQ(a[1].title, QStringLiteral("刪除"));
}

TEST_F(Scripted, RunningOutTakesDefaultsAndCounts)
{
    EXPECT_EQ(prompter().message(box(PromptButtons::YesNo, PromptButton::No)), PromptButton::No);
    EXPECT_EQ(prompter().message(box(PromptButtons::OkCancel)), PromptButton::Ok);
    EXPECT_FALSE(prompter().input({}));
    EXPECT_FALSE(prompter().openFile({}));
    EXPECT_FALSE(prompter().saveFile({}));
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
    EXPECT_EQ(script.unexpected(), 0);
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.lastMessageText().isEmpty());
    EXPECT_EQ(script.last(), nullptr);
}

} // namespace
