#include "../LexiconTestSupport.h"

#include "lexicon/widgets/frmEm.h"
#include "lexicon/widgets/frmEng.h"
#include "platform/grid/widgets/GridView.h"
#include "quotation/PickLists.h"
#include "support/Typing.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace varn::test {
namespace {

class frmEngTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        addCategory(QStringLiteral("住宅"), 3);
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板"), QStringLiteral("隔間")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板")});
        sql(QStringLiteral("INSERT INTO u (sort, u) VALUES (1, '式'), (2, '坪')"));
    }
    void TearDown() override
    {
        if (w)
            for (QMenu* m : {w->mA, w->mW, w->mD})
                m->hide();
        w.reset();
        LexiconFixture::TearDown();
    }
    frmEng& open()
    {
        w = std::make_unique<frmEng>();
        w->show();
        QApplication::processEvents();
        return *w;
    }
    static void click(GridView* grid, int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        QApplication::processEvents();
        const QPoint at = grid->cellRect(row, col).center();
        QWidget* target = grid->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, button, {}, target->mapFrom(grid, at));
        QApplication::processEvents();
    }
    static QAction* action(QMenu* menu, const char* name)
    {
        return menu->findChild<QAction*>(QString::fromLatin1(name));
    }
    std::unique_ptr<frmEng> w;
};

TEST_F(frmEngTest, WithTheRightEachPrintButtonNamesItsTemplateWithoutItTheWindowOnlyShows)
{
    state().programFolder = dir.path();   // without templates: each 列印 names its missing one
    for (const bool right : {true, false}) {
        state().m.gRights = right ? kAllRights : kAllRights & ~RightMask(Right::LexiconEdit);
        frmEng& f = open();
        EXPECT_EQ(f.cbK->currentText(), QStringLiteral("住宅"));
        EXPECT_EQ(f.cbT->currentText(), QStringLiteral("木作"));
        click(f.hfgA[0], 0, 0, Qt::RightButton);
        EXPECT_EQ(f.mA->isVisible(), right);
        f.mA->hide();
        for (QPushButton* b : {f.cmdUpA, f.cmdDnA, f.cmdCancel, f.cmEdK, f.Command2})
            EXPECT_EQ(b->isEnabled(), right);
        const std::vector<std::pair<QPushButton*, QString>> exports = {
            {f.cmdPrK, QStringLiteral("工程類別.xlsx")}, {f.cmdPrt, QStringLiteral("工程種類.xlsx")},
            {f.cmdPrd, QStringLiteral("細項加成.xlsx")}, {f.cmdPo, QStringLiteral("其他詞庫.xlsx")}};
        for (const auto& [button, file] : exports) {
            EXPECT_EQ(button->isHidden(), !right);
            if (right) {
                button->click();
                EXPECT_TRUE(prompts.lastMessageText().contains(file)) << file.toStdString();
            }
        }
        f.Tab1->setCurrentIndex(2);
        click(f.hfgS[0], 0, 0);
        EXPECT_EQ(f.txtS->isVisible(), right);
    }
    // Nor does the editor add or save anything without the right.
    EXPECT_FALSE(w->editor().addArea());
    w->editor().lookups().grid(0).setTextMatrix(0, 0, QStringLiteral("改"));
    EXPECT_TRUE(w->close());
    EXPECT_EQ(rows(QStringLiteral("SELECT u FROM u ORDER BY sort")), (QStringList{QStringLiteral("式"), QStringLiteral("坪")}));
}

TEST_F(frmEngTest, RightClickMenuThenAnInCellEditReachesTheQuotationPickList)
{
    frmEng& f = open();
    f.Tab1->setCurrentIndex(1);
    action(f.mW, "mEditW")->trigger();
    click(f.hfgW, 1, 0);
    ASSERT_TRUE(f.txtW->isVisible());
    QTest::keyClicks(f.txtW, QStringLiteral("ab"));   // the name warning shows once per editor opening
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("此工種包含細項加成"));
    EXPECT_EQ(f.hfgW->gridModel()->textMatrix(1, 0), QStringLiteral("ab"));
    click(f.hfgW, 2, 0, Qt::RightButton);
    EXPECT_TRUE(f.mW->isVisible());
    f.mW->hide();
    action(f.mW, "mAddW")->trigger();
    ASSERT_TRUE(f.txtW->isVisible());
    EXPECT_EQ(f.editor().CurRow, 3);
    EXPECT_FALSE(f.hfgD->isEnabled());
    EXPECT_TRUE(f.cmWp->isEnabled());
    QTest::keyClicks(f.txtW, QStringLiteral("A|"));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("名稱不可含有「|」"));
    EXPECT_EQ(f.hfgW->gridModel()->textMatrix(3, 0), QStringLiteral("A"));
    QTest::keyClick(f.txtW, Qt::Key_Return);
    EXPECT_TRUE(f.cbW->isVisible());
    EXPECT_EQ(f.editor().CurCol, 1);
    f.cbW->setEditText(QStringLiteral("坪‧"));     // a unit is screened as names are
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("名稱不可含有「‧」"));
    f.cbW->setEditText(QStringLiteral("坪"));
    QTest::keyClick(f.cbW, Qt::Key_Return);      // the keyboard reaches the combo box, not its line edit
    ASSERT_TRUE(f.txtW->isVisible());
    EXPECT_EQ(f.editor().CurCol, 2);
    QTest::keyClicks(f.txtW, QStringLiteral("1x-2.5"));      // letters and the minus sign are refused
    EXPECT_EQ(f.hfgW->gridModel()->textMatrix(3, 2), QStringLiteral("12.5"));
    // Shortcuts and editing keys pass; a paste is screened as typing is (so are NaN and inf).
    QApplication::clipboard()->setText(QStringLiteral("1e999"));
    QTest::keyClick(f.txtW, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.txtW, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("此欄只能輸入數字"));
    QTest::keyClick(f.txtW, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(f.txtW, Qt::Key_Delete);
    EXPECT_EQ(f.hfgW->gridModel()->textMatrix(3, 2), QStringLiteral("0"));
    typeInto(f.txtW, QStringLiteral("99999999999999"));     // past the quotation's 13 digits
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("數字過大:金額與總價最多 13 位數,此數字無法輸入"));
    QTest::keyClick(f.txtW, Qt::Key_Tab);
    EXPECT_EQ(f.editor().CurCol, 3);
    f.cmWp->click();
    EXPECT_FALSE(f.cmWp->isEnabled());
    EXPECT_FALSE(f.txtW->isVisible());
    EXPECT_EQ(rows(QStringLiteral("SELECT w, u, c FROM t2w WHERE t = '木作' ORDER BY sort")).last(),
              QStringLiteral("A/坪/9999999999999"));
    // Moved up, the row stops at the first; the quotation lists the items in the new order.
    click(f.hfgW, 3, 0);
    for (int i = 0; i < 3; ++i)
        f.cmdUpW->click();
    f.cmWp->click();
    EXPECT_EQ(PickLists::itemsForPath(*db, {QStringLiteral("木作")}).entries,
              (QStringList{QStringLiteral("A"), QStringLiteral("ab"), QStringLiteral("隔間")}));
}

TEST_F(frmEngTest, APasteIntoANumberCellMustBeOnePlainNumber)
{
    frmEng& f = open();
    f.Tab1->setCurrentIndex(1);
    action(f.mW, "mEditW")->trigger();
    click(f.hfgW, 1, 2);
    ASSERT_TRUE(f.txtW->isVisible());
    ASSERT_EQ(f.editor().CurCol, 2);
    GridModel& items = *f.hfgW->gridModel();
    const QString cost = items.textMatrix(1, 2);
    for (const char* text : {"2\n3", "1.2.3", "1 200", "１２ａ", "."}) {
        prompts.clear();
        pasteWithKeys(f.txtW, QString::fromUtf8(text));
        EXPECT_EQ(f.txtW->text(), cost) << text;
        EXPECT_EQ(items.textMatrix(1, 2), cost) << text;
        EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("此欄只能輸入數字")) << text;
    }
    prompts.clear();
    pasteWithKeys(f.txtW, QStringLiteral("1500\r\n"));
    EXPECT_EQ(f.txtW->text(), QStringLiteral("1500"));
    EXPECT_EQ(items.textMatrix(1, 2), QStringLiteral("1500"));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    // The lookup list of ratios takes a pasted number the same way.
    prompts.answerMessage(PromptButton::No);
    f.Tab1->setCurrentIndex(2);
    click(f.hfgS[12], 0, 0);
    ASSERT_TRUE(f.txtS->isVisible());
    const QString ratio = f.txtS->text();
    prompts.clear();
    pasteWithKeys(f.txtS, QStringLiteral("1.2.3"));
    EXPECT_EQ(f.txtS->text(), ratio);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("此欄只能輸入數字"));
}

TEST_F(frmEngTest, EnterOpensTheNextAreaGridLeavingATabAsksAndALookupListIsSavedAtClose)
{
    sql(QStringLiteral("DELETE FROM k2a"));
    for (int i = 1; i <= 19; ++i)
        sql(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', ?, ?)"), {QStringLiteral("A%1").arg(i), i});
    frmEng& f = open();
    action(f.mA, "mAddA")->trigger();
    typeInto(f.txtA, QStringLiteral("A20"));
    QTest::keyClick(f.txtA, Qt::Key_Return);
    ASSERT_EQ(f.hfgA.size(), 2u);
    EXPECT_TRUE(f.hfgA[1]->isVisible());
    EXPECT_LT(f.hfgA[0]->geometry().right(), f.hfgA[1]->geometry().left() + 1);
    EXPECT_TRUE(f.txtA->isVisible());
    typeInto(f.txtA, QStringLiteral("A21"));
    // Leaving the tab asks: Cancel stays on it, Yes applies and leaves.
    prompts.answerMessage(PromptButton::Cancel);
    f.Tab1->setCurrentIndex(2);
    EXPECT_EQ(f.Tab1->currentIndex(), 0);
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("正在編輯中\r\n是否套用?"));
    EXPECT_TRUE(f.cmAp->isEnabled());
    prompts.answerMessage(PromptButton::Yes);
    f.Tab1->setCurrentIndex(1);
    EXPECT_EQ(f.Tab1->currentIndex(), 1);
    EXPECT_FALSE(f.cmAp->isEnabled());
    EXPECT_EQ(rows(QStringLiteral("SELECT a, sort FROM k2a ORDER BY sort")).last(), QStringLiteral("A21/21"));
    // A lookup list is edited in place, its entries screened, and saved at close.
    f.Tab1->setCurrentIndex(2);
    click(f.hfgS[0], 1, 0);
    ASSERT_TRUE(f.txtS->isVisible());
    typeInto(f.txtS, QStringLiteral("才|"));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("名稱不可含有「|」"));
    click(f.hfgS[12], 0, 0);     // the 比例 list takes numbers only
    typeInto(f.txtS, QStringLiteral("x"));
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("此欄只能輸入數字"));
    // Down from row 19 of grid 0 crosses into grid 1.
    f.Tab1->setCurrentIndex(0);
    click(f.hfgA[0], 19, 0);
    f.cmdDnA->click();
    EXPECT_EQ(f.hfgA[1]->gridModel()->textMatrix(0, 0), QStringLiteral("A20"));
    EXPECT_TRUE(f.cmAp->isEnabled());
    prompts.answerMessage(PromptButton::No);
    EXPECT_TRUE(f.close());
    EXPECT_EQ(rows(QStringLiteral("SELECT sort, u FROM u ORDER BY sort")),
              (QStringList{QStringLiteral("1/式"), QStringLiteral("2/才")}));
}

TEST_F(frmEngTest, AClickBelowALookupListTypesANewEntryAndChangesOnlyAnEntryClickedOn)
{
    sql(QStringLiteral("INSERT INTO Qps (sort, ps) VALUES (1, '含運費'), (2, '依現場丈量為準')"));
    frmEng& f = open();
    f.Tab1->setCurrentIndex(2);
    GridView* list = f.hfgS[11];
    // A click in the white space under the last entry.
    const auto clickBelow = [&] {
        QApplication::processEvents();
        const QRect last = list->cellRect(list->gridModel()->rows() - 1, 0);
        const QPoint at(last.center().x(), last.bottom() + 2 * last.height());
        ASSERT_LT(at.y(), list->viewport()->geometry().bottom());
        QWidget* target = list->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(list, at));
        ASSERT_TRUE(f.txtS->isVisible());
        EXPECT_EQ(f.txtS->text(), QString());
    };
    clickBelow();
    typeInto(f.txtS, QStringLiteral("不含拆除"));
    clickBelow();
    typeInto(f.txtS, QStringLiteral("保固一年"));
    click(list, 0, 0);
    typeInto(f.txtS, QStringLiteral("免運費"));    // the clicked entry's text is selected
    EXPECT_TRUE(f.close());
    EXPECT_EQ(rows(QStringLiteral("SELECT sort, ps FROM Qps ORDER BY sort")),
              (QStringList{QStringLiteral("1/免運費"), QStringLiteral("2/依現場丈量為準"), QStringLiteral("3/不含拆除"),
                           QStringLiteral("4/保固一年")}));
}

TEST_F(frmEngTest, ApplyRefusesASecondAreaOrWorkItemOfANameYetNamesStoredTwiceStillApply)
{
    addCategory(QStringLiteral("店面"), 0);
    sql(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('店面', '騎樓', 1), ('店面', '騎樓', 2)"));
    addWorkType(QStringLiteral("水電工程"), {QStringLiteral("插座迴路"), QStringLiteral("插座迴路")});
    frmEng& f = open();
    const auto stored = [&](const char* sqlText) { return rows(QString::fromUtf8(sqlText)).join(u','); };
    const QString areas = stored("SELECT k, a FROM k2a ORDER BY k, sort");
    const QString items = stored("SELECT t, w, c FROM t2w ORDER BY t, sort");

    // A new area named as one the category holds, letter case aside: refused, the grid kept.
    action(f.mA, "mAddA")->trigger();
    typeInto(f.txtA, QStringLiteral("a2"));
    f.cmAp->click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【A2】已經存在"));
    EXPECT_EQ(stored("SELECT k, a FROM k2a ORDER BY k, sort"), areas);
    EXPECT_EQ(f.hfgA[0]->gridModel()->textMatrix(3, 0), QStringLiteral("a2"));
    EXPECT_TRUE(f.cmAp->isEnabled());
    action(f.mA, "mEditA")->trigger();
    click(f.hfgA[0], 3, 0);
    typeInto(f.txtA, QStringLiteral("A4"));
    f.cmAp->click();
    EXPECT_FALSE(f.cmAp->isEnabled());
    // A category stored with an area twice opens and applies; a third one is refused.
    f.cbK->setFocus();
    QTest::keyClick(f.cbK, Qt::Key_Down);
    ASSERT_EQ(f.hfgA[0]->gridModel()->textMatrix(1, 0), QStringLiteral("騎樓"));
    for (const QString& name : {QStringLiteral("賣場"), QStringLiteral("騎樓")}) {
        action(f.mA, "mAddA")->trigger();
        typeInto(f.txtA, name);
        f.cmAp->click();
    }
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【騎樓】已經存在"));
    EXPECT_EQ(stored("SELECT a FROM k2a WHERE k = '店面' ORDER BY sort"), QStringLiteral("騎樓,騎樓,賣場"));

    // A new work item named as one the work type holds: refused until the row is removed.
    prompts.answerMessage(PromptButton::No);    // the refused area is dropped on leaving the tab
    f.Tab1->setCurrentIndex(1);
    ASSERT_EQ(f.Tab1->currentIndex(), 1);
    action(f.mW, "mAddW")->trigger();
    typeInto(f.txtW, QStringLiteral("隔間"));
    QTest::keyClick(f.txtW, Qt::Key_Return);
    QTest::keyClick(f.cbW, Qt::Key_Return);
    typeInto(f.txtW, QStringLiteral("999"));
    prompts.clear();
    f.cmWp->click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【隔間】已經存在"));
    EXPECT_EQ(stored("SELECT t, w, c FROM t2w ORDER BY t, sort"), items);
    EXPECT_EQ(f.hfgW->gridModel()->textMatrix(3, 2), QStringLiteral("999"));
    click(f.hfgW, 3, 0, Qt::RightButton);
    f.mW->hide();
    prompts.answerMessage(PromptButton::Yes);
    action(f.mW, "mDelW")->trigger();
    f.cmWp->click();
    EXPECT_FALSE(f.cmWp->isEnabled());
    // A work item stored twice keeps both rows, each with its own cost.
    f.cbT->setFocus();
    QTest::keyClick(f.cbT, Qt::Key_Down);
    action(f.mW, "mEditW")->trigger();
    click(f.hfgW, 2, 2);
    typeInto(f.txtW, QStringLiteral("999"));
    f.cmWp->click();
    EXPECT_EQ(stored("SELECT w, c FROM t2w WHERE t = '水電工程' ORDER BY sort"), QStringLiteral("插座迴路/100,插座迴路/999"));
}

TEST_F(frmEngTest, ApplyRefusesANameThatDiffersOnlyByBlanksYetLookAlikesStoredStillApply)
{
    sql(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 4), ('住宅', '陽台', 5), ('住宅', '陽台 ', 6)"));
    frmEng& f = open();
    const auto stored = [&](const char* sqlText) { return rows(QString::fromUtf8(sqlText)).join(u','); };
    const QString areas = stored("SELECT a FROM k2a ORDER BY sort");
    const QString items = stored("SELECT t, w, c FROM t2w ORDER BY t, sort");

    action(f.mA, "mAddA")->trigger();
    const auto refused = [&](const QString& name, const QString& message) {
        if (!f.txtA->isVisible()) {
            action(f.mA, "mEditA")->trigger();
            click(f.hfgA[0], 6, 0);
        }
        f.txtA->clear();
        typeInto(f.txtA, name);
        f.cmAp->click();
        EXPECT_EQ(prompts.lastMessageText(), message) << name.toStdString();
        EXPECT_EQ(stored("SELECT a FROM k2a ORDER BY sort"), areas);
        EXPECT_EQ(f.hfgA[0]->gridModel()->textMatrix(6, 0), name);
        EXPECT_TRUE(f.cmAp->isEnabled());
    };
    refused(QStringLiteral("客廳 "), QStringLiteral("【客廳】已經存在"));
    refused(QStringLiteral("客廳　"), QStringLiteral("【客廳】已經存在"));
    refused(QStringLiteral("　陽台"), QStringLiteral("【陽台】已經存在"));   // a third of a pair stored
    // The look-alikes stored already stay and the category applies.
    action(f.mA, "mEditA")->trigger();
    click(f.hfgA[0], 6, 0);
    f.txtA->clear();
    typeInto(f.txtA, QStringLiteral("書房"));
    f.cmAp->click();
    EXPECT_FALSE(f.cmAp->isEnabled());
    EXPECT_EQ(stored("SELECT a FROM k2a ORDER BY sort"), areas + QStringLiteral(",書房"));

    // A work item with a tab pasted after its name.
    f.Tab1->setCurrentIndex(1);
    action(f.mW, "mAddW")->trigger();
    pasteWithKeys(f.txtW, QStringLiteral("隔間\t"));
    ASSERT_EQ(f.hfgW->gridModel()->textMatrix(3, 0), QStringLiteral("隔間\t"));
    prompts.clear();
    f.cmWp->click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【隔間】已經存在"));
    EXPECT_EQ(stored("SELECT t, w, c FROM t2w ORDER BY t, sort"), items);
    EXPECT_TRUE(f.cmWp->isEnabled());
}

TEST_F(frmEngTest, ALookAlikeStoredEarlierRespeltIntoTheNameBesideItIsRefused)
{
    sql(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 4), ('住宅', '餐廳', 5), ('住宅', '客廳 ', 6)"));
    sql(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '隔間 ', 4, '坪', 200, 1.3)"));
    addDetails(QStringLiteral("隔間"), {QStringLiteral("石膏板")});
    addDetails(QStringLiteral("隔間 "), {QStringLiteral("矽酸鈣板"), QStringLiteral("吸音棉")});
    frmEng& f = open();
    const auto stored = [&](const char* sqlText) { return rows(QString::fromUtf8(sqlText)).join(u','); };
    const QString areas = stored("SELECT k, a, sort FROM k2a ORDER BY k, sort");
    const QString items = stored("SELECT t, w, sort, u, c, s FROM t2w ORDER BY t, sort");
    const QString details = stored("SELECT w, d, c, sort FROM w2d ORDER BY w, sort");
    // The blank after the name taken off, as a user mends it.
    const auto dropTrailingBlank = [](QLineEdit* box) {
        QTest::keyClick(box, Qt::Key_End);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Return);
    };

    action(f.mA, "mEditA")->trigger();
    click(f.hfgA[0], 5, 0);
    dropTrailingBlank(f.txtA);
    ASSERT_EQ(f.hfgA[0]->gridModel()->textMatrix(5, 0), QStringLiteral("客廳"));
    prompts.clear();
    f.cmAp->click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【客廳】已經存在"));
    EXPECT_EQ(stored("SELECT k, a, sort FROM k2a ORDER BY k, sort"), areas);
    EXPECT_EQ(f.hfgA[0]->gridModel()->textMatrix(5, 0), QStringLiteral("客廳"));
    EXPECT_TRUE(f.cmAp->isEnabled());

    // A work item with details of its own respelt into one with details of its own.
    prompts.answerMessage(PromptButton::No);    // the refused area is dropped on leaving the tab
    f.Tab1->setCurrentIndex(1);
    ASSERT_EQ(f.Tab1->currentIndex(), 1);
    action(f.mW, "mEditW")->trigger();
    click(f.hfgW, 3, 0);
    dropTrailingBlank(f.txtW);
    ASSERT_EQ(f.hfgW->gridModel()->textMatrix(3, 0), QStringLiteral("隔間"));
    prompts.clear();
    f.cmWp->click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("【隔間】已經存在"));
    EXPECT_EQ(stored("SELECT t, w, sort, u, c, s FROM t2w ORDER BY t, sort"), items);
    EXPECT_EQ(stored("SELECT w, d, c, sort FROM w2d ORDER BY w, sort"), details);
    EXPECT_TRUE(f.cmWp->isEnabled());

    // A category respelt so in the ordered list is told so, as a refusal, and nothing stored.
    sql(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (2, '店面'), (3, '店面 ')"));
    state().eng.gListKind = QStringLiteral("k");
    frmEm em;
    em.LsM->setCurrentRow(2);
    em.cmdEdit->click();
    prompts.clear();
    dropTrailingBlank(em.txt);
    ASSERT_NE(prompts.last(), nullptr);
    EXPECT_EQ(prompts.last()->text, QStringLiteral("【店面】已經存在"));
    EXPECT_EQ(prompts.last()->icon, PromptIcon::None);
    EXPECT_EQ(rows(QStringLiteral("SELECT k FROM 別 ORDER BY k_id")),
              (QStringList{QStringLiteral("住宅"), QStringLiteral("店面"), QStringLiteral("店面 ")}));
}

TEST_F(frmEngTest, OrderedListEditorAddsRefusesAndSavesTheOrder)
{
    state().eng.gListKind = QStringLiteral("t");
    addWorkType(QStringLiteral("泥作"), {});
    frmEm em;
    em.cmdNew_Click();
    em.cmdY_Click();
    EXPECT_FALSE(em.fm->isHidden());   // an empty name refused
    em.txt->setText(QStringLiteral("油漆"));
    em.cmdY_Click();
    EXPECT_TRUE(em.fm->isHidden());
    // A rename refused for an existing name keeps the entry chosen for the next 確定.
    em.LsM->setCurrentRow(0);
    em.cmdEdit->click();
    for (const QString& name : {QStringLiteral("泥作"), QStringLiteral("石作")}) {
        typeInto(em.txt, name);
        QTest::keyClick(em.txt, Qt::Key_Return);
    }
    EXPECT_EQ(prompts.asked().at(1).text, QStringLiteral("【泥作】已經存在"));
    EXPECT_TRUE(em.fm->isHidden());
    em.cmdUp_Click();
    EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("請先選取 再行調整順序"));
    em.LsM->setCurrentRow(2);
    em.cmdUp_Click();
    em.cmdUp_Click();
    EXPECT_EQ(em.LsM->currentRow(), 0);
    em.done(0);
    EXPECT_EQ(rows(QStringLiteral("SELECT t_id, t FROM 種 ORDER BY t_id")),
              (QStringList{QStringLiteral("1/油漆"), QStringLiteral("2/石作"), QStringLiteral("3/泥作")}));
}

} // namespace
} // namespace varn::test
