// The real window with a quotation file cut inside its fee lines or right after its grid
// section, or an older file cut inside its grid: 開啟舊檔 shows what the file holds and then
// says what it could not read; the recent list refuses the file, saying the same.
#include "quotation/widgets/WindowFixture.h"

#include "platform/text/Cp950.h"
#include "quotation/widgets/QuotationFileCommands.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmPe.h"
#include "support/RichQuotation.h"

namespace varn::test {
namespace {

// Notes what the window shows at the moment a message box comes up.
class WatchingPrompter : public ScriptedPrompter {
public:
    PromptButton message(const MessageRequest& request) override
    {
        if (watch)
            watch();
        return ScriptedPrompter::message(request);
    }
    std::function<void()> watch;
};

class CutFileWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Prompter::install(&watching);
    }
    void windowMade(frmQ& w) override { extras = QuotationWindowExtras::attach(w); }

    WatchingPrompter watching;
    QuotationWindowExtras* extras = nullptr;
};

TEST_F(CutFileWindowTest, AFileCutInsideItsFeesOpensAndThenSaysWhatItCouldNotRead)
{
    {
        Quotation rich;
        BuildRichQuotation(rich);
        ASSERT_TRUE(rich.saveTo(file("whole.vrn")));
    }
    db().execute("INSERT INTO 客戶 (客戶編號, 客戶名稱, 連絡人) VALUES ('C001', ?, '林太太')", {"四季\"院\""});
    QFile whole(file("whole.vrn"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    // The copy stopped in the middle of the supervision-fee line.
    const QByteArray cut = bytes.left(bytes.indexOf(",False,30,") + 4);
    {
        QFile f(file("cut.vrn"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cut);
    }
    window();
    frmPe& panel = extras->pageEnd();

    QStringList seen;
    watching.watch = [&] {
        seen = {window().windowTitle(), window().lbConn()->text(), doc().hfgQ().textMatrix(1, QCol::Name),
                panel.txtdx()->text(), panel.txtlx()->text()};
    };
    watching.answerOpenFile(file("cut.vrn"));
    watching.answerMessage(PromptButton::Ok);
    act("mOpen")->trigger();

    EXPECT_EQ(watching.unexpected(), 0);
    ASSERT_EQ(watching.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(watching.lastMessageTitle(), "Varn III");
    EXPECT_EQ(watching.last()->icon, PromptIcon::Warning);
    EXPECT_TRUE(watching.lastMessageText().startsWith(
        "檔案不完整，無法讀取：監工費、稅率、折扣、總價、設計費的勾選、監工費的勾選、稅金的勾選\r\n"))
        << watching.lastMessageText().toStdString();
    // The quotation was in the window when the message came: the file, the customer's
    // contact from the register, the rows and the design fee; the supervision fee is gone.
    EXPECT_EQ(seen, (QStringList{"報價系統\t- " + file("cut.vrn"), "林太太", "天花板", "0.1", ""}));

    // Opened as any file is: on the recent list, unchanged, and the file itself untouched.
    EXPECT_EQ(doc().filePath(), file("cut.vrn"));
    EXPECT_EQ(doc().recentFiles().paths(), QStringList{file("cut.vrn")});
    EXPECT_FALSE(doc().isModified());
    QFile after(file("cut.vrn"));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), cut);
}

TEST_F(CutFileWindowTest, AFileCutRightAfterItsGridSectionIsToldEitherWayIn)
{
    {
        Quotation rich;
        BuildRichQuotation(rich);
        ASSERT_TRUE(rich.saveTo(file("whole.vrn")));
    }
    QFile whole(file("whole.vrn"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    // The copy stopped at the end of the grid section's empty line: lines whole, the page end gone.
    const QByteArray cut = bytes.left(bytes.indexOf("[PageEndPs]"));
    ASSERT_TRUE(cut.endsWith("\r\n\r\n"));
    {
        QFile f(file("cut.vrn"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(cut);
    }
    window();
    const QString lost = "檔案不完整，無法讀取：頁尾備註、設計費、監工費、稅率、折扣、總價、設計費的勾選、監工費的勾選、稅金的勾選";

    // 開啟舊檔: the rows open, and the user is told what is missing.
    watching.answerOpenFile(file("cut.vrn"));
    watching.answerMessage(PromptButton::Ok);
    act("mOpen")->trigger();
    ASSERT_EQ(watching.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(watching.lastMessageText().startsWith(lost + "\r\n")) << watching.lastMessageText().toStdString();
    EXPECT_EQ(doc().filePath(), file("cut.vrn"));
    EXPECT_EQ(doc().hfgQ().textMatrix(1, QCol::Name), "天花板");

    // The recent list refuses it, saying the same.
    doc().newQuotation();
    watching.clear();
    watching.answerMessage(PromptButton::Ok);
    act("mRF0")->trigger();
    ASSERT_EQ(watching.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(watching.lastMessageText(), "開啟檔案錯誤\r\n" + lost);
    EXPECT_EQ(doc().filePath(), QString());
    EXPECT_EQ(watching.unexpected(), 0);
}

// An older file ("0" or "1", the grid by ",") has no page end: cut inside its grid, it is
// told only of the rows it may have lost.
TEST_F(CutFileWindowTest, AnOlderFileCutInsideItsGridIsToldOnlyOfItsRows)
{
    const QStringList lines{"0", "[Title]", "客", "案", "業務", "類", "No1", "址", "92/02/19", "", "[Tree]",
                            LeafPath({"木作"}), "", "[Grid]", LeafPath({"木作"}) + ",木門,,樘,1,3000,3000,2000,2000,1.5,"};
    {
        QFile f(file("cut.vrn"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(*EncodeCp950(lines.join("\r\n") + "\r\n" + LeafPath({"木作"}) + ",乳膠"));
    }
    window();
    const QString lost = "檔案不完整，無法讀取：" + LeafPath({"木作"}) + " 第 1 列之後的明細列";

    watching.answerOpenFile(file("cut.vrn"));
    watching.answerMessage(PromptButton::Ok);
    act("mOpen")->trigger();
    ASSERT_EQ(watching.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(watching.lastMessageText().startsWith(lost + "\r\n")) << watching.lastMessageText().toStdString();
    EXPECT_EQ(doc().hfgQ().textMatrix(1, QCol::Name), "木門");

    doc().newQuotation();
    watching.clear();
    watching.answerMessage(PromptButton::Ok);
    act("mRF0")->trigger();
    EXPECT_EQ(watching.lastMessageText(), "開啟檔案錯誤\r\n" + lost);
    EXPECT_EQ(watching.unexpected(), 0);
}

} // namespace
} // namespace varn::test
