// Open, save, save-as and the recent files through the window's actions, with the
// dialogs answered from a script.
#include "quotation/QuotationTestSupport.h"

#include "platform/text/Cp950.h"
#include "quotation/VrnSaveNames.h"
#include "quotation/widgets/QuotationFileCommands.h"

#include <QAction>
#include <QFile>
#include <QWidget>

namespace varn::test {
namespace {

class FileCommandsTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        openDatabase();
        openWindow();
    }
    void TearDown() override
    {
        window.reset();
        QuotationTest::TearDown();
    }

    // The window as frmQ sets it up at load: its actions bound, Of.ini read.
    void openWindow()
    {
        window = std::make_unique<QWidget>();
        commands = new QuotationFileCommands(*doc, window.get());
        mOpen = new QAction("開啟舊檔(&O)", window.get());
        mSaveF = new QAction("儲存檔案(&S)", window.get());
        mSaveAs = new QAction("另存新檔(&A)", window.get());
        for (auto& a : mRF)
            a = new QAction("noF", window.get());
        commands->bindActions(mOpen, mSaveF, mSaveAs, mRF);
        commands->formLoad(file("Of.ini"));
    }
    // Closes the window and loads it again with a new quotation.
    void reopenWindow()
    {
        commands->formClosed();
        window.reset();
        doc = std::make_unique<Quotation>();
        openWindow();
    }

    QStringList recentCaptions() const
    {
        QStringList out;
        for (QAction* a : mRF) {
            if (a->isVisible())
                out << a->text();
        }
        return out;
    }
    QString emptyQuotationFile(const QString& name)
    {
        Vrn::write(file(name), Quotation().content());
        return file(name);
    }

    std::unique_ptr<QWidget> window;
    QuotationFileCommands* commands = nullptr;
    QAction* mOpen = nullptr;
    QAction* mSaveF = nullptr;
    QAction* mSaveAs = nullptr;
    std::array<QAction*, 5> mRF{};
};

TEST_F(FileCommandsTest, AFailedOpenKeepsTheQuotationShown)
{
    buildRich();
    prompts.answerSaveFile(file("a.vrn"));
    ASSERT_TRUE(commands->mSaveAs_Click());
    const VrnContent before = doc->content();

    Cp950LineWriter w;   // ends inside the tree section
    for (const QString& line : QStringList{"0n", "[Title]", "甲", "", "", "", "", "", "", "", "[Tree]"})
        w.addLine(line);
    w.addLine(path({"客廳"}));
    w.commit(file("broken.vrn"));
    prompts.answerOpenFile(file("broken.vrn"));
    mOpen->trigger();

    EXPECT_EQ(prompts.lastMessageText().section("\r\n", 0, 0), "開啟檔案錯誤");
    EXPECT_EQ(prompts.lastMessageTitle(), "VarnIII");
    EXPECT_EQ(doc->filePath(), file("a.vrn"));
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + file("a.vrn"));
    const VrnContent after = doc->content();
    EXPECT_EQ(after.header, before.header);
    EXPECT_EQ(after.leafPaths, before.leafPaths);
    EXPECT_EQ(after.rows, before.rows);
    EXPECT_EQ(recentCaptions(), QStringList{file("a.vrn")});
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothingAndStartWhereTheFileIs)
{
    state().m.gFilePath = file("quotes");
    prompts.answerSaveFile(file("a.vrn"));
    ASSERT_TRUE(commands->mSaveAs_Click());
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).front().startFolder, file("quotes"));
    EXPECT_TRUE(prompts.asked(PromptKind::SaveFile).front().fileName.isEmpty());
    const QString caption = window->windowTitle();

    prompts.answerSaveFile(std::nullopt);
    mSaveAs->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消另存檔案");
    EXPECT_EQ(prompts.last()->icon, PromptIcon::None);

    // 儲存檔案 starts from the current file.
    prompts.answerSaveFile(std::nullopt);
    mSaveF->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消存檔");
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().fileName, file("a.vrn"));
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().startFolder, dir.path());

    prompts.answerOpenFile(std::nullopt);
    mOpen->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消開啟檔案");
    EXPECT_TRUE(prompts.asked(PromptKind::OpenFile).front().filter.contains("*.vrn"));
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(doc->filePath(), file("a.vrn"));
    EXPECT_EQ(recentCaptions(), QStringList{file("a.vrn")});
}

TEST_F(FileCommandsTest, ACompletedNameOverwritesOnlyAfterYes)
{
    const QString old = file("old.vrn");
    {
        QFile f(old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    prompts.answerSaveFile(file("old"));
    prompts.answerMessage(PromptButton::No);
    prompts.answerSaveFile(std::nullopt);   // the dialog comes back; then cancelled
    EXPECT_FALSE(commands->mSaveAs_Click());
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).size(), 2u);
    EXPECT_EQ(prompts.asked(PromptKind::SaveFile).back().fileName, old);
    EXPECT_EQ(ReadCp950Lines(old), QStringList{"keep"});

    prompts.answerSaveFile(file("old"));
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(commands->mSaveAs_Click());
    EXPECT_EQ(doc->filePath(), old);
    EXPECT_EQ(ReadCp950Lines(old).value(1), "[Title]");

    // Only a name without extension is completed.
    for (auto [typed, completed] : {std::pair{"/a/b/q1", "/a/b/q1.vrn"}, {"/a/b/q1.", "/a/b/q1.vrn"},
                                    {"/a/b.d/q1", "/a/b.d/q1.vrn"}, {"/a/b/q1.vrn", ""}, {"/a/b/q1.txt", ""}})
        EXPECT_EQ(VrnSavePrompter::completedName(typed).value_or(""), completed) << typed;
}

TEST_F(FileCommandsTest, RecentListAfterSixOpensAndAReopen)
{
    QStringList f;
    for (int i = 1; i <= 6; ++i) {
        f << emptyQuotationFile(QStringLiteral("f%1.vrn").arg(i));
        prompts.answerOpenFile(f.last());
        ASSERT_TRUE(commands->mOpen_Click()) << i;
    }
    const QStringList newestFirst{f[5], f[4], f[3], f[2], f[1]};
    EXPECT_EQ(recentCaptions(), newestFirst);

    reopenWindow();
    EXPECT_EQ(ReadCp950Lines(file("Of.ini")), newestFirst);
    EXPECT_EQ(recentCaptions(), newestFirst);
    mRF[3]->trigger();   // f3
    EXPECT_EQ(doc->filePath(), f[2]);
    EXPECT_EQ(recentCaptions(), (QStringList{f[2], f[5], f[4], f[3], f[1]}));

    // Saving under a name the list holds does not repeat it.
    prompts.answerSaveFile(f[4]);
    ASSERT_TRUE(commands->mSaveAs_Click());
    EXPECT_EQ(recentCaptions(), (QStringList{f[4], f[2], f[5], f[3], f[1]}));

    // A recent file that is gone is reported and kept.
    ASSERT_TRUE(QFile::remove(f[2]));
    mRF[1]->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "檔案不存在");
    EXPECT_EQ(prompts.last()->icon, PromptIcon::Critical);
    EXPECT_EQ(doc->filePath(), f[4]);
    EXPECT_EQ(recentCaptions(), (QStringList{f[4], f[2], f[5], f[3], f[1]}));
}

} // namespace
} // namespace varn::test
