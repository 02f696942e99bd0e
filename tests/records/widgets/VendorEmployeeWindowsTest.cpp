#include "platform/crypto/PasswordHash.h"
#include "records/EmployeeRegister.h"
#include "records/VendorRegister.h"
#include "records/widgets/WindowFixture.h"
#include "records/widgets/frmCus.h"
#include "records/widgets/frmPrv.h"
#include "records/widgets/frmSta.h"
#include "records/widgets/frmWP.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

using VendorEmployeeWindowsTest = WindowFixture<>;

TEST_F(VendorEmployeeWindowsTest, VendorKindsAndLinksRoundTrip)
{
    db->execute(u"DELETE FROM 工班"_s);
    db->execute(u"INSERT INTO 工班 (w_id, 工班) VALUES (1, '水電'), (2, '木工'), (3, '油漆')"_s);
    db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱, 廠商代號, 供應類別) VALUES ('A001', 'Acme', 'Acme', 1)"_s);
    db->execute(u"INSERT INTO 商vs工 VALUES ('Acme', '水電')"_s);
    frmPrv* w = open<frmPrv>(&ShowVendorRegister);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->engine().selectRow(1));
    QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
    w->SSTab1->setCurrentIndex(3);   // 工班 或 材料供應
    ASSERT_TRUE(w->Fm1->isVisible());
    EXPECT_FALSE(w->Fm2->isVisible());
    auto* ck0 = child<QCheckBox>(w, "ck0");
    auto* ck1 = child<QCheckBox>(w, "ck1");
    ASSERT_TRUE(ck0->isEnabled());

    // The kind's rule runs for a keyboard toggle too: No keeps the box and its frame.
    prompts.answerMessage(PromptButton::No);
    ck0->setFocus();
    QTest::keyClick(ck0, Qt::Key_Space);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(ck0->isChecked());
    EXPECT_TRUE(w->Fm1->isVisible());
    QTest::mouseClick(ck1, Qt::LeftButton);
    EXPECT_TRUE(w->Fm2->isVisible());

    // The links window: 木工 added to the vendor's crews.
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
        auto* links = qobject_cast<frmWP*>(QApplication::activeModalWidget());
        ASSERT_NE(links, nullptr);
        sawWindow = true;
        ASSERT_EQ(links->LsAll->count(), 2);
        links->LsAll->item(0)->setSelected(true);
        QTest::mouseClick(links->cmAd, Qt::LeftButton);
        QTest::mouseClick(links->Command1, Qt::LeftButton);
    });
    QTest::mouseClick(w->cmW, Qt::LeftButton);
    EXPECT_TRUE(sawWindow);
    auto* Lw = child<QListWidget>(w, "Lw");
    ASSERT_EQ(Lw->count(), 2);
    EXPECT_EQ(Lw->item(1)->text(), u"木工"_s);

    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(db->openRecordset(u"SELECT 供應類別 FROM 廠商"_s).text(0), u"3"_s);
}

TEST_F(VendorEmployeeWindowsTest, EnterWalksThroughEveryDetailTab)
{
    frmPrv* w = open<frmPrv>(&ShowVendorRegister);
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    ASSERT_EQ(w->SSTab1->currentIndex(), 0);
    // (field left with Enter, field reached, tab in front)
    const std::tuple<const char*, const char*, int> steps[] = {
        {"t23", "t30", 1}, {"T39", "t24", 2}, {"t28", "T35", 2}};
    for (const auto& [from, to, tab] : steps) {
        QLineEdit* field = child(w, from);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(w, to)) << from;
        EXPECT_EQ(w->SSTab1->currentIndex(), tab) << from;
    }
    EXPECT_TRUE(w->engine().editing());
}

TEST_F(VendorEmployeeWindowsTest, EmployeePasswordPanel)
{
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名) VALUES ('A001', '王小明', 'Ming')"_s);
    // The panel is there without the right to change employees.
    state().m.gRights = kAllRights & ~RightMask(Right::EmployeeEdit);
    frmSta* w = open<frmSta>(&ShowEmployeeRegister);
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->engine().selectRow(1));
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    QTest::mouseClick(w->cmdPaSet, Qt::LeftButton);
    // With room on the screen the panel shows whole: the detail fields take the height
    // they need, without a scroll bar.
    QApplication::processEvents();
    EXPECT_EQ(w->findChild<QScrollArea*>()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(w->Frame3->visibleRegion().boundingRect().size(), w->Frame3->size());
    ASSERT_TRUE(w->txtOp->isVisible());
    EXPECT_EQ(w->txtNp->echoMode(), QLineEdit::Password);

    // Enter walks the three boxes; a mismatch empties them all.
    w->txtOp->setFocus();
    QTest::keyClick(w->txtOp, Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), u"abc"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), u"abd"_s);
    EXPECT_EQ(w->txtNp->text(), u"abc"_s);
    EXPECT_EQ(w->txtCp->text(), u"abd"_s);
    QTest::mouseClick(w->cmdPass, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessageText(), u"新密碼與確定密碼不同"_s);
    EXPECT_TRUE(w->txtNp->text().isEmpty());
    EXPECT_TRUE(w->txtOp->isVisible());

    w->txtNp->setText(u"abc"_s);
    w->txtCp->setText(u"abc"_s);
    QTest::mouseClick(w->cmdPass, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessageText(), u"密碼變更完成\r\n下次請使用新密碼登入"_s);
    EXPECT_FALSE(w->txtOp->isVisible());
    EXPECT_TRUE(VerifyPassword(u"abc"_s, db->openRecordset(u"SELECT pass FROM 員工"_s).text(0)));
}

// Ctrl+Enter breaks the line in a memo; Enter moves on from the employee's but breaks the
// line in the customer's.
TEST_F(VendorEmployeeWindowsTest, EnterAndCtrlEnterInTheMemos)
{
    frmCus* customers = open<frmCus>(&ShowCustomerRegister);
    frmSta* employees = open<frmSta>(&ShowEmployeeRegister);
    ASSERT_TRUE(customers && employees);
    const std::tuple<RegisterWindow*, const char*, bool> memos[] = {{customers, "T35", true}, {employees, "t19", false}};
    for (const auto& [w, name, enterBreaks] : memos) {
        QApplication::setActiveWindow(w);
        QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
        auto* memo = child<QPlainTextEdit>(w, name);
        memo->setFocus();
        QTest::keyClicks(memo, u"a"_s);
        QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
        QTest::keyClicks(memo, u"b"_s);
        EXPECT_EQ(QApplication::focusWidget(), memo) << name;
        QTest::keyClick(memo, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget() == memo, enterBreaks) << name;
        EXPECT_EQ(w->engine().form().field(QString::fromLatin1(name)), enterBreaks ? u"a\nb\n"_s : u"a\nb"_s);
    }
}

} // namespace
} // namespace varn::test
