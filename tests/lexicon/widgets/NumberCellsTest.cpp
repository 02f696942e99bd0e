// The lexicon window's number cells (成本, 比例, 加成金, the 比例 list) hold one number,
// typed or pasted, and never store a number too long to read as 0.
#include "../LexiconTestSupport.h"

#include "lexicon/widgets/frmEng.h"
#include "platform/grid/widgets/GridView.h"
#include "support/Typing.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace varn::test {
namespace {

const QString kNumbersOnly = QStringLiteral("此欄只能輸入數字");

class NumberCellsTest : public LexiconFixture {
protected:
    void SetUp() override
    {
        LexiconFixture::SetUp();
        addCategory(QStringLiteral("住宅"), 1);
        addWorkType(QStringLiteral("木作"), {QStringLiteral("天花板")});
        addDetails(QStringLiteral("天花板"), {QStringLiteral("矽酸鈣板")});
        w = std::make_unique<frmEng>();
        w->show();
        QApplication::processEvents();
        w->Tab1->setCurrentIndex(1);
    }
    void TearDown() override
    {
        w.reset();
        LexiconFixture::TearDown();
    }
    // 修改 on the work items, then a click on the cell opens its editor.
    void editWorkItem(int col)
    {
        w->mW->findChild<QAction*>(QStringLiteral("mEditW"))->trigger();
        QApplication::processEvents();
        const QPoint at = w->hfgW->cellRect(1, col).center();
        QWidget* target = w->hfgW->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(w->hfgW, at));
        ASSERT_TRUE(w->txtW->isVisible());
        ASSERT_EQ(w->editor().CurCol, col);
    }
    QString cost() const { return w->hfgW->gridModel()->textMatrix(1, 2); }

    std::unique_ptr<frmEng> w;
};

TEST_F(NumberCellsTest, ACostTypedOrPastedIsOneNumberGroupedPastesTakenWithoutSeparators)
{
    editWorkItem(2);
    typeInto(w->txtW, QStringLiteral("1.2.5x"));   // the second point and the letter beep away
    EXPECT_EQ(cost(), "1.25");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    const std::pair<const char16_t*, const char*> taken[] = {
        {u"1,200", "1200"}, {u"12,345.5", "12345.5"}, {u"１，２００", "1200"}, {u"\u200B2,500\u2060", "2500"}};
    for (const auto& [pasted, number] : taken) {
        pasteWithKeys(w->txtW, QString::fromUtf16(pasted));
        EXPECT_EQ(w->txtW->text(), number);
        EXPECT_EQ(cost(), number);
    }
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    for (const char16_t* pasted : {u"1,2,3", u"12,34", u"\u2212" u"5"}) {
        prompts.clear();
        pasteWithKeys(w->txtW, QString::fromUtf16(pasted));
        EXPECT_EQ(cost(), "2500");
        EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly);
    }
    w->cmWp->click();
    EXPECT_EQ(rows(QStringLiteral("SELECT c FROM t2w")), QStringList{"2500"});
}

TEST_F(NumberCellsTest, ACostTooLongToReadIsRefusedAsTooLargeNotStoredAsZero)
{
    editWorkItem(2);
    for (const QString& text : {QString(u'9').repeated(14), u'1' + QString(u'0').repeated(309)}) {
        prompts.clear();
        pasteWithKeys(w->txtW, text);
        EXPECT_EQ(cost(), "100") << text.size();
        EXPECT_EQ(prompts.lastMessageText(), QStringLiteral("數字過大:金額與總價最多 13 位數,此數字無法輸入"))
            << text.size();
    }
    w->cmWp->click();
    EXPECT_EQ(rows(QStringLiteral("SELECT c FROM t2w")), QStringList{"100"});
}

TEST_F(NumberCellsTest, TheNameColumnTakesAnyTextAndTheRatioListNamesWhatItRefuses)
{
    editWorkItem(0);
    pasteWithKeys(w->txtW, QStringLiteral("1,2,3 板"));
    EXPECT_EQ(w->hfgW->gridModel()->textMatrix(1, 0), QStringLiteral("1,2,3 板"));
    w->Command4->click();

    prompts.answerMessage(PromptButton::No);
    w->Tab1->setCurrentIndex(2);
    const QPoint at = w->hfgS[12]->cellRect(0, 0).center();
    QWidget* target = w->hfgS[12]->childAt(at);
    ASSERT_NE(target, nullptr);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(w->hfgS[12], at));
    ASSERT_TRUE(w->txtS->isVisible());
    prompts.clear();
    typeInto(w->txtS, QStringLiteral("1.5."));
    EXPECT_EQ(w->txtS->text(), "1.5");
    EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly);
    pasteWithKeys(w->txtS, QStringLiteral("1,000"));
    EXPECT_EQ(w->txtS->text(), "1000");
}

} // namespace
} // namespace varn::test
