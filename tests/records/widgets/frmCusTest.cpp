#include "platform/grid/widgets/GridView.h"
#include "records/CustomerRegister.h"
#include "records/RecordsTestSupport.h"
#include "records/widgets/frmCus.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace varn::test {
namespace {

class frmCusTest : public RegisterFixture {
protected:
    void TearDown() override
    {
        if (frmCus* w = frmCus::existing()) {
            // Nothing may be asked while the test tears down.
            w->customers().cancel();
            w->close();
            delete w;
        }
        QApplication::processEvents();
        RegisterFixture::TearDown();
    }

    frmCus* openFromMenu()
    {
        ShowCustomerRegister();
        frmCus* w = frmCus::existing();
        if (w) {
            QApplication::setActiveWindow(w);
            QApplication::processEvents();
        }
        return w;
    }

    template <typename T>
    static T* child(QWidget* w, const char* name)
    {
        return w->findChild<T*>(QString::fromLatin1(name));
    }

    void addThree()
    {
        addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
        addCustomer(QStringLiteral("A002"), QStringLiteral("Apex"), {QStringLiteral("Apex")});
        addCustomer(QStringLiteral("A003"), QStringLiteral("Arc"), {QStringLiteral("Arc")});
    }
};

TEST_F(frmCusTest, FromTheMenuANewUserAddsACustomer)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->cmd2Q->isVisible());
    EXPECT_FALSE(w->Frame1->isVisible());
    EXPECT_EQ(w->Combo1->count(), 59);
    EXPECT_EQ(w->Combo1->currentText(), QStringLiteral("編號"));
    prompts.clear();   // the empty register said "所選編號無記錄"

    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    EXPECT_TRUE(w->Frame1->isVisible());
    EXPECT_TRUE(w->cmdY->isVisible());
    EXPECT_FALSE(w->cmdAdd->isVisible());
    EXPECT_EQ(child<QLabel>(w, "lbf")->text(), QStringLiteral("新增中"));
    auto* t2 = child<QLineEdit>(w, "t2");
    auto* t1 = child<QLineEdit>(w, "t1");
    ASSERT_TRUE(t2->isEnabled());
    EXPECT_FALSE(t1->isEnabled());
    t2->setFocus();
    QTest::keyClicks(t2, QStringLiteral("Acme Trading"));
    EXPECT_EQ(child<QLineEdit>(w, "t3")->text(), QStringLiteral("Acme"));
    QTest::keyClick(t2, Qt::Key_Return);
    EXPECT_EQ(t1->text(), QStringLiteral("A001"));

    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(stored(QStringLiteral("Acme Trading"), 0), QStringLiteral("A001"));
    EXPECT_FALSE(w->cmdY->isVisible());
    EXPECT_TRUE(w->cmdAdd->isVisible());
    EXPECT_FALSE(t2->isEnabled());
    EXPECT_EQ(w->customers().selectedName(), QStringLiteral("Acme Trading"));
}

TEST_F(frmCusTest, EnterMovesToTheNextFieldButNotInTheMemo)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    auto* t2 = child<QLineEdit>(w, "t2");
    t2->setFocus();
    QTest::keyClick(t2, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "t3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "t29"));

    auto* cb1 = child<QComboBox>(w, "cb1");
    cb1->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "t5"));

    auto* memo = child<QPlainTextEdit>(w, "T35");
    memo->setFocus();
    QTest::keyClicks(memo, QStringLiteral("a"));
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, QStringLiteral("b"));
    EXPECT_EQ(QApplication::focusWidget(), memo);
    EXPECT_EQ(w->customers().form().field(QStringLiteral("T35")), QStringLiteral("a\nb"));
}

TEST_F(frmCusTest, ChoosingACountyFillsTheAreaCodesAndMovesOn)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    auto* cb1 = child<QComboBox>(w, "cb1");
    ASSERT_GT(cb1->count(), 7);
    const int index = cb1->findText(QStringLiteral("苗栗縣"));
    ASSERT_GE(index, 0);
    cb1->setFocus();
    cb1->setCurrentIndex(index);
    emit cb1->activated(index);
    EXPECT_EQ(child<QComboBox>(w, "cb2")->currentText(), QStringLiteral("苗栗縣"));
    EXPECT_EQ(child<QComboBox>(w, "cb3")->currentText(), QStringLiteral("苗栗縣"));
    for (const char* box : {"t10", "t12", "t14", "t18", "t21", "t32", "t25"})
        EXPECT_EQ(child<QLineEdit>(w, box)->text(), QStringLiteral("037")) << box;
    EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(w, "t5"));
}

TEST_F(frmCusTest, ArrowKeysShowTheRecordOfTheRowTheyMoveTo)
{
    addThree();
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    auto* t2 = child<QLineEdit>(w, "t2");
    w->customers().selectRow(1);
    EXPECT_EQ(t2->text(), QStringLiteral("Acme"));
    QTest::keyClick(w->HFG, Qt::Key_Down);
    EXPECT_EQ(t2->text(), QStringLiteral("Apex"));
    QTest::keyClick(w->HFG, Qt::Key_Down);
    QTest::keyClick(w->HFG, Qt::Key_Down);
    EXPECT_EQ(t2->text(), QStringLiteral("Arc"));
    QTest::keyClick(w->HFG, Qt::Key_Up);
    EXPECT_EQ(t2->text(), QStringLiteral("Apex"));
    EXPECT_EQ(w->customers().selectedName(), QStringLiteral("Apex"));
}

TEST_F(frmCusTest, PageModeFollowsTheCommands)
{
    addThree();
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Command2->text(), QStringLiteral("整頁模式>>"));
    w->customers().selectRow(2);
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    EXPECT_TRUE(w->Frame1->isVisible());
    EXPECT_EQ(w->Command2->text(), QStringLiteral("簡單模式<<"));
    EXPECT_FALSE(child<QWidget>(w, "P1")->isEnabled());
    QTest::mouseClick(w->Command3, Qt::LeftButton);
    EXPECT_FALSE(w->Frame1->isVisible());
    EXPECT_EQ(w->Command2->text(), QStringLiteral("整頁模式>>"));
}

TEST_F(frmCusTest, WithoutTheRightNoEditingCommands)
{
    state().m.gRights = kAllRights & ~RightMask(Right::CustomerEdit);
    addThree();
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    EXPECT_FALSE(w->cmdAdd->isVisible());
    EXPECT_FALSE(w->cmdEdit->isVisible());
    EXPECT_FALSE(w->cmdDel->isVisible());
    EXPECT_FALSE(w->cmdPp->isVisible());
    EXPECT_TRUE(w->Command1->isVisible());
}

TEST_F(frmCusTest, ClosingDuringAnAddAsksFirst)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    prompts.clear();
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(w->close());
    QApplication::processEvents();
}

TEST_F(frmCusTest, PickHandsBackTheShownCustomer)
{
    QStringList more(33);
    more[0] = QStringLiteral("AC");
    more[5] = QStringLiteral("臺中市;工地路1號");
    more[7] = QStringLiteral("04;22334455");
    more[16] = QStringLiteral("林先生");
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), more);

    bool sawDisabledFirst = false;
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isModal());
        EXPECT_TRUE(w->cmd2Q->isVisible());
        sawDisabledFirst = !w->cmd2Q->isEnabled();
        w->customers().selectRow(1);
        EXPECT_TRUE(w->cmd2Q->isEnabled());
        QTest::mouseClick(w->cmd2Q, Qt::LeftButton);
    });
    EXPECT_TRUE(PickCustomer());
    EXPECT_TRUE(sawDisabledFirst);
    EXPECT_TRUE(state().m.gCustomerPicked);
    EXPECT_EQ(state().m.gCusName, QStringLiteral("Acme"));
    EXPECT_EQ(state().m.gCusSiteAddr, QStringLiteral("臺中市工地路1號"));
    EXPECT_EQ(state().m.gCusTel, QStringLiteral("0422334455"));
    EXPECT_EQ(state().m.gCusContact, QStringLiteral("林先生"));
    QApplication::processEvents();
    EXPECT_EQ(frmCus::existing(), nullptr);
}

TEST_F(frmCusTest, PickClosedWithoutHandingBackGivesNothing)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    state().m.gCusName = QStringLiteral("earlier");
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        w->customers().selectRow(1);
        w->close();
    });
    EXPECT_FALSE(PickCustomer());
    EXPECT_FALSE(state().m.gCustomerPicked);
    EXPECT_EQ(state().m.gCusName, QStringLiteral("earlier"));
}

TEST_F(frmCusTest, PickReplacesAWindowOpenFromTheMenu)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    frmCus* fromMenu = openFromMenu();
    ASSERT_NE(fromMenu, nullptr);
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->customers().pickMode());
        w->customers().selectRow(1);
        w->cmd2Q_Click();
    });
    EXPECT_TRUE(PickCustomer());
    EXPECT_EQ(state().m.gCusName, QStringLiteral("Acme"));
}

} // namespace
} // namespace varn::test
