// Open, save, save-as and the recent files through the window's actions, with the
// dialogs answered from a script.
#include "Window2Support.h"

#include "platform/text/Cp950.h"
#include "quotation/VrnSaveNames.h"
#include "quotation/widgets/QuotationFileCommands.h"

#include <QAction>
#include <QFile>
#include <QWidget>

namespace varn::test {
namespace {

class FileCommandsTest : public Window2Test {
protected:
    void SetUp() override
    {
        Window2Test::SetUp();
        ofIni = file("Of.ini");
        openWindow();
    }
    void TearDown() override
    {
        window.reset();
        Window2Test::TearDown();
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
        commands->formLoad(ofIni);
    }

    // Closes the window and loads it again with a new quotation.
    void reopenWindow()
    {
        commands->formClosed();
        window.reset();
        doc = std::make_unique<Quotation>();
        openWindow();
    }

    void addCustomer(const QString& name, const QString& tel, const QString& fax, const QString& contact)
    {
        db->execute(QStringLiteral("INSERT INTO 客戶 (客戶編號, 客戶名稱, 電話1, 公司傳真, 連絡人) "
                                   "VALUES ('C001', ?, ?, ?, ?)"),
                    {name, tel, fax, contact});
    }

    // Two areas, three work types with rows, every header field, remarks, a design fee by
    // area, tax and a discount.
    void buildRichQuotation()
    {
        add(Q, {"客廳", "臥室"});
        add(qpath({"客廳"}), {"木作", "油漆"}, true);
        add(qpath({"臥室"}), {"木作"}, true);
        fill(qpath({"臥室", "木作"}), {{"床架", "1", "5000"}});
        fill(qpath({"客廳", "木作"}), {{"天花板", "10", "1200"}, {"隔間", "2", "3000"}});
        fill(qpath({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});
        doc->setHeaderField(HeaderField::CustomerName, "林先生");
        doc->setHeaderField(HeaderField::ProjectName, "林先生住宅裝修");
        doc->setHeaderField(HeaderField::Salesperson, "王小明");
        doc->setHeaderField(HeaderField::Category, "住宅");
        doc->setHeaderField(HeaderField::QuoteNo, "1120301_7");
        doc->setHeaderField(HeaderField::SiteAddress, "台北市信義路一段1號");
        doc->setHeaderField(HeaderField::QuoteDate, "112/03/01");
        doc->setRemark(0, "保固一年");
        doc->setRemark(3, "工期30天");
        doc->pageEndPanelToggled(true);
        doc->setFeeChecked(Fee::Design, CheckState::Checked);
        doc->setFeeByTotal(Fee::Design, false);
        doc->setFeeBase(Fee::Design, "30");
        doc->setFeeRate(Fee::Design, "2000");
        doc->setTaxChecked(CheckState::Checked);
        doc->pickTaxRate("5%");
        doc->setDiscount("-100");
        addCustomer("林先生", "02;23456789", "02;23456780", "林太太");
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

    QString writeQuotationFile(const QString& name)
    {
        const QString path = file(name);
        Quotation other;
        Vrn::write(path, other.content());
        return path;
    }

    std::unique_ptr<QWidget> window;
    QuotationFileCommands* commands = nullptr;
    QAction* mOpen = nullptr;
    QAction* mSaveF = nullptr;
    QAction* mSaveAs = nullptr;
    std::array<QAction*, 5> mRF{};
    QString ofIni;
};

TEST_F(FileCommandsTest, SavedQuotationReopensFromTheRecentListAsItWas)
{
    buildRichQuotation();
    const VrnContent before = doc->content();

    // Typed without an extension: the file gets ".vrn".
    prompts.answerSaveFile(file("林宅"));
    mSaveAs->trigger();
    const QString saved = file("林宅.vrn");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + saved);
    const PromptRecord dialog = prompts.asked(PromptKind::SaveFile).front();
    EXPECT_EQ(dialog.startFolder, dir.path());
    EXPECT_TRUE(dialog.fileName.isEmpty());
    EXPECT_EQ(recentCaptions(), QStringList{saved});

    reopenWindow();
    EXPECT_EQ(window->windowTitle(), "報價系統\t- 新報價單");
    EXPECT_EQ(recentCaptions(), QStringList{saved});
    mRF[0]->trigger();

    EXPECT_EQ(prompts.unexpected(), 0);
    EXPECT_EQ(doc->filePath(), saved);
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + saved);
    const VrnContent after = doc->content();
    EXPECT_EQ(after.leafPaths, before.leafPaths);
    EXPECT_EQ(after.rows, before.rows);
    for (int f = 0; f < kStoredHeaderFields; ++f)
        EXPECT_EQ(after.header.value(HeaderField(f)), before.header.value(HeaderField(f))) << f;
    EXPECT_EQ(doc->pageEnd(), before.pageEnd);
    EXPECT_EQ(doc->pageEnd().design.amount, "60000");
    EXPECT_FALSE(doc->pageEnd().design.byTotal);
    EXPECT_EQ(doc->noAreaMode(), false);
    EXPECT_EQ(doc->shownPath(), Q);

    // The register gives back what the file does not hold.
    EXPECT_EQ(doc->header().contact, "林太太");
    EXPECT_EQ(doc->header().telephone, "02 23456789");
    EXPECT_EQ(state().m.gCusFax, "02 23456780");
}

TEST_F(FileCommandsTest, AFailedOpenKeepsTheQuotationShown)
{
    buildRichQuotation();
    prompts.answerSaveFile(file("a.vrn"));
    ASSERT_TRUE(commands->mSaveAs_Click());
    const VrnContent before = doc->content();

    const QString broken = file("broken.vrn");
    {
        Cp950LineWriter w;
        for (const char* line : {"0n", "[Title]", "甲", "", "", "", "", "", "", "", "[Tree]"})
            w.addLine(QString::fromUtf8(line));
        w.addLine(qpath({"客廳", "木作"}));
        w.commit(broken);   // ends inside the tree section
    }
    prompts.answerOpenFile(broken);
    mOpen->trigger();

    EXPECT_EQ(prompts.lastMessageText().section("\r\n", 0, 0), "開啟檔案錯誤");
    EXPECT_EQ(prompts.lastMessageTitle(), "VarnIII");
    EXPECT_EQ(doc->filePath(), file("a.vrn"));
    EXPECT_EQ(window->windowTitle(), "報價系統\t- " + file("a.vrn"));
    EXPECT_EQ(doc->header().customerName, "林先生");
    const VrnContent after = doc->content();
    EXPECT_EQ(after.leafPaths, before.leafPaths);
    EXPECT_EQ(after.rows, before.rows);
    EXPECT_EQ(recentCaptions(), QStringList{file("a.vrn")});
}

TEST_F(FileCommandsTest, CancelledDialogsChangeNothing)
{
    prompts.answerSaveFile(file("a.vrn"));
    ASSERT_TRUE(commands->mSaveAs_Click());
    const QString caption = window->windowTitle();

    prompts.answerSaveFile(std::nullopt);
    mSaveAs->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消另存檔案");
    EXPECT_EQ(prompts.last()->icon, PromptIcon::None);

    // 儲存檔案 starts from the current file.
    prompts.answerSaveFile(std::nullopt);
    mSaveF->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消存檔");
    const auto saves = prompts.asked(PromptKind::SaveFile);
    EXPECT_EQ(saves.back().fileName, file("a.vrn"));
    EXPECT_EQ(saves.back().startFolder, dir.path());

    prompts.answerOpenFile(std::nullopt);
    mOpen->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "取消開啟檔案");

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
    EXPECT_EQ(prompts.lastMessageText(), "取消另存檔案");
    QFile f(old);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "keep");
    f.close();

    prompts.answerSaveFile(file("old"));
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(commands->mSaveAs_Click());
    EXPECT_EQ(doc->filePath(), old);
    EXPECT_EQ(ReadCp950Lines(old).value(1), "[Title]");
}

TEST(VrnSaveNames, OnlyANameWithoutExtensionIsCompleted)
{
    EXPECT_EQ(VrnSavePrompter::completedName("/a/b/q1"), std::optional<QString>("/a/b/q1.vrn"));
    EXPECT_EQ(VrnSavePrompter::completedName("/a/b/q1."), std::optional<QString>("/a/b/q1.vrn"));
    EXPECT_EQ(VrnSavePrompter::completedName("/a/b.d/q1"), std::optional<QString>("/a/b.d/q1.vrn"));
    EXPECT_EQ(VrnSavePrompter::completedName("/a/b/q1.vrn"), std::nullopt);
    EXPECT_EQ(VrnSavePrompter::completedName("/a/b/q1.txt"), std::nullopt);
}

TEST_F(FileCommandsTest, RecentListAfterSixOpensAndAReopen)
{
    QStringList f;
    for (int i = 1; i <= 6; ++i)
        f << writeQuotationFile(QStringLiteral("f%1.vrn").arg(i));
    for (const QString& path : f) {
        prompts.answerOpenFile(path);
        ASSERT_TRUE(commands->mOpen_Click()) << path.toStdString();
    }
    const QStringList newestFirst{f[5], f[4], f[3], f[2], f[1]};
    EXPECT_EQ(recentCaptions(), newestFirst);

    reopenWindow();
    EXPECT_EQ(ReadCp950Lines(ofIni), newestFirst);
    EXPECT_EQ(recentCaptions(), newestFirst);

    mRF[3]->trigger();   // f3
    EXPECT_EQ(doc->filePath(), f[2]);
    EXPECT_EQ(recentCaptions(), (QStringList{f[2], f[5], f[4], f[3], f[1]}));

    // Saving under a name the list holds does not repeat it.
    prompts.answerSaveFile(f[4]);
    ASSERT_TRUE(commands->mSaveAs_Click());
    EXPECT_EQ(recentCaptions(), (QStringList{f[4], f[2], f[5], f[3], f[1]}));
}

TEST_F(FileCommandsTest, ARecentFileThatIsGoneIsReportedAndKept)
{
    const QString gone = writeQuotationFile("gone.vrn");
    prompts.answerOpenFile(gone);
    ASSERT_TRUE(commands->mOpen_Click());
    prompts.answerSaveFile(file("b.vrn"));
    ASSERT_TRUE(commands->mSaveAs_Click());
    ASSERT_TRUE(QFile::remove(gone));

    mRF[1]->trigger();
    EXPECT_EQ(prompts.lastMessageText(), "檔案不存在");
    EXPECT_EQ(prompts.last()->icon, PromptIcon::Critical);
    EXPECT_EQ(doc->filePath(), file("b.vrn"));
    EXPECT_EQ(recentCaptions(), (QStringList{file("b.vrn"), gone}));
}

} // namespace
} // namespace varn::test
