#include "platform/grid/widgets/GridView.h"
#include "records/CustomerRegister.h"
#include "records/widgets/WindowFixture.h"
#include "records/widgets/frmCus.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class frmCusTest : public WindowFixture<> {
protected:
    frmCus* openFromMenu() { return open<frmCus>(&ShowCustomerRegister); }

    // The window from the menu on 張家豪 (連絡人 林), which another workstation, connected
    // as `other`, changes too.
    frmCus* onSharedCustomer()
    {
        addCustomer(u"12001"_s, u"張家豪"_s, {{2, u"張家豪"_s}, {18, u"林"_s}});
        other = Database::open(dir.filePath(u"varn3.mdb"_s));
        frmCus* w = openFromMenu();
        return w && w->customers().selectRow(1) ? w : nullptr;
    }
    std::unique_ptr<Database> other;

    // The window from the menu with a new record begun.
    frmCus* adding()
    {
        frmCus* w = openFromMenu();
        if (w)
            QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
        return w;
    }

    void addThree()
    {
        for (const QString& name : {u"Acme"_s, u"Apex"_s, u"Arc"_s})
            addCustomer(u"A00"_s + QString::number(customerCount() + 1), name, {{2, name}});
    }
};

TEST_F(frmCusTest, FromTheMenuANewUserAddsACustomer)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);

    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    auto* t2 = child(w, "t2");
    t2->setFocus();
    QTest::keyClicks(t2, u"Acme Trading"_s);
    EXPECT_EQ(child(w, "t3")->text(), u"Acme"_s);
    QTest::keyClick(t2, Qt::Key_Return);
    EXPECT_EQ(child(w, "t1")->text(), u"A001"_s);

    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(stored(u"Acme Trading"_s, 0), u"A001"_s);

    // Closing during an add asks first.
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    prompts.answerMessage(PromptButton::No);
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    prompts.answerMessage(PromptButton::Yes);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    QApplication::processEvents();
}

TEST_F(frmCusTest, OnlyACountyPickedFromTheListFillsAreaCodesAndEnterMovesOneFieldOn)
{
    frmCus* w = adding();
    ASSERT_NE(w, nullptr);
    child(w, "t2")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child(w, "t3"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), child(w, "t29"));

    auto* cb1 = child<QComboBox>(w, "cb1");
    auto* t5 = child(w, "t5");
    auto* t25 = child(w, "t25");
    // A county typed, then left with Enter or Tab: nothing filled, the street is next.
    for (Qt::Key leave : {Qt::Key_Return, Qt::Key_Tab}) {
        w->customers().form().setField(u"t25"_s, u"09"_s);
        cb1->setFocus();
        cb1->lineEdit()->clear();
        cb1->lineEdit()->insert(u"苗栗縣"_s);   // as an input method commits it
        QTest::keyClick(QApplication::focusWidget(), leave);
        EXPECT_EQ(QApplication::focusWidget(), t5) << leave;
        EXPECT_EQ(t25->text(), u"09"_s) << leave;
        EXPECT_TRUE(child<QComboBox>(w, "cb3")->currentText().isEmpty()) << leave;
    }

    // Picked from the open list: the area codes and the other counties follow.
    const int index = cb1->findText(u"苗栗縣"_s);
    ASSERT_GE(index, 0);
    cb1->setFocus();
    cb1->showPopup();
    QAbstractItemView* list = cb1->view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(child<QComboBox>(w, "cb3")->currentText(), u"苗栗縣"_s);
    EXPECT_EQ(t25->text(), u"037"_s);
    EXPECT_EQ(QApplication::focusWidget(), t5);
}

TEST_F(frmCusTest, CodesDatesAndTheChosenRowShowWhole)
{
    for (int i = 1; i <= 30; ++i)
        addCustomer(u"03%1"_s.arg(i, 3, 10, QLatin1Char('0')), u"王%1"_s.arg(i, 2, 10, QLatin1Char('0')));
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    const QFontMetrics fm = w->HFG->fontMetrics();
    EXPECT_GT(w->HFG->cellRect(1, 1).width(), fm.horizontalAdvance(u"03001"_s));
    EXPECT_GT(w->HFG->cellRect(0, 4).width(), fm.horizontalAdvance(u"聯 絡 人"_s));

    // The last record, chosen on the simple page, stays in sight on the full page, with
    // room for several records around it.
    ASSERT_TRUE(w->customers().selectRow(30));
    QTest::mouseClick(w->Command2, Qt::LeftButton);
    ASSERT_TRUE(w->Frame1->isVisible());
    QApplication::processEvents();
    const QRect view = w->HFG->viewport()->geometry();
    EXPECT_GE(view.height(), w->HFG->gridRowHeight() * 5);
    const QRect chosen = w->HFG->cellRect(30, 2);
    EXPECT_TRUE(view.contains(chosen.center())) << chosen.y() << " not in " << view.y() << "+" << view.height();

    auto* T34 = child(w, "T34");
    T34->setText(u"115/12/17"_s);
    EXPECT_GE(T34->contentsRect().width(), T34->fontMetrics().horizontalAdvance(u"115/12/17"_s) + 4);
}

TEST_F(frmCusTest, TheFullPageStaysOnTheScreenWithItsLastFieldAndButtonsInReach)
{
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    // Large print makes the fields taller than the screen.
    QFont large = w->font();
    large.setPointSize(large.pointSize() * 2);
    w->setFont(large);
    QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
    QApplication::processEvents();
    const QRect area = w->screen()->availableGeometry();
    const QRect frame = w->frameGeometry();
    EXPECT_GE(frame.top(), area.top());
    EXPECT_LE(frame.bottom(), area.bottom());
    const QRect inside = w->rect();
    for (QWidget* b : {static_cast<QWidget*>(w->cmdY), static_cast<QWidget*>(w->cmdN)})
        EXPECT_TRUE(inside.contains(QRect(b->mapTo(w, QPoint(0, 0)), b->size())));

    // Enter from the last phone field reaches the memo, which comes into sight.
    QLineEdit* t28 = child(w, "t28");
    t28->setFocus();
    QTest::keyClick(t28, Qt::Key_Return);
    auto* memo = child<QPlainTextEdit>(w, "T35");
    ASSERT_EQ(QApplication::focusWidget(), memo);
    QApplication::processEvents();
    const QPoint memoTop = memo->mapTo(w, QPoint(0, 0));
    EXPECT_TRUE(w->childAt(memoTop + QPoint(4, 4)) != nullptr);
    EXPECT_TRUE(memo->visibleRegion().boundingRect().height() > memo->height() / 2);
}

TEST_F(frmCusTest, ArrowKeysShowTheRowTheyMoveTo)
{
    addThree();
    frmCus* w = openFromMenu();
    ASSERT_NE(w, nullptr);
    auto* t2 = child(w, "t2");
    w->customers().selectRow(1);
    // (key, name shown after)
    const std::pair<Qt::Key, QString> keys[] = {{Qt::Key_Down, u"Apex"_s},
                                                {Qt::Key_Down, u"Arc"_s},
                                                {Qt::Key_Down, u"Arc"_s},
                                                {Qt::Key_Up, u"Apex"_s}};
    for (const auto& [key, name] : keys) {
        QTest::keyClick(w->HFG, key);
        EXPECT_EQ(t2->text(), name);
    }
    EXPECT_EQ(w->customers().selectedName(), u"Apex"_s);
}

TEST_F(frmCusTest, PickReplacesAWindowFromTheMenuAndHandsBackOnlyAPickedCustomer)
{
    addCustomer(u"A001"_s, u"Acme"_s, {{2, u"AC"_s}, {9, u"04;22334455"_s}});
    frmCus* menuWindow = openFromMenu();
    ASSERT_NE(menuWindow, nullptr);
    // 全文搜尋 shows a compound field in its parts, as the detail page does.
    prompts.answerInput(u"2233"_s);
    QTest::mouseClick(menuWindow->Command1, Qt::LeftButton);
    EXPECT_TRUE(menuWindow->customers().list().textMatrix(1, 2).endsWith(u" 04 22334455"_s));
    state().m.gCusName = u"earlier"_s;
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->isModal());
        w->customers().selectRow(1);
        w->close();
    });
    EXPECT_FALSE(PickCustomer());
    EXPECT_FALSE(state().m.gCustomerPicked);
    EXPECT_EQ(state().m.gCusName, u"earlier"_s);

    bool sawDisabledFirst = false;
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        sawDisabledFirst = !w->cmd2Q->isEnabled();
        w->customers().selectRow(1);
        QTest::mouseClick(w->cmd2Q, Qt::LeftButton);
    });
    EXPECT_TRUE(PickCustomer());
    EXPECT_TRUE(sawDisabledFirst);
    EXPECT_TRUE(state().m.gCustomerPicked);
    EXPECT_EQ(state().m.gCusName, u"Acme"_s);
    QApplication::processEvents();
    EXPECT_EQ(frmCus::existing(), nullptr);
}

// 傳回報價單 hands back what the fields show while a customer is added or changed, without a
// question; it saves nothing, and the unsaved edit goes with the window.
TEST_F(frmCusTest, APickHandsBackACustomerBeingAddedOrChangedAsShownAndSavesNothing)
{
    addCustomer(u"A001"_s, u"Acme"_s, {{2, u"AC"_s}, {9, u"04;22334455"_s}, {18, u"林先生"_s}});
    const mdM& m = state().m;
    // A pick the button did not end is closed, so the modal window never waits.
    auto closeIfOpen = [](frmCus* w) {
        if (w->isVisible()) {
            w->customers().cancel();
            w->close();
        }
    };
    // Typed text arrives as an input method commits it.
    auto type = [](QLineEdit* box, const QString& text) {
        box->setFocus();
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box, &commit);
    };

    // 新增: off while the name is empty, on once one is typed.
    std::vector<bool> enabled;
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w->cmdAdd, Qt::LeftButton);
        enabled.push_back(w->cmd2Q->isEnabled());
        auto* t2 = child(w, "t2");
        type(t2, u"Bolt 工程"_s);
        enabled.push_back(w->cmd2Q->isEnabled());
        QTest::keyClick(t2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(t2, Qt::Key_Backspace);
        enabled.push_back(w->cmd2Q->isEnabled());
        type(t2, u"Bolt 工程"_s);
        type(child<QComboBox>(w, "cb2")->lineEdit(), u"台北市"_s);
        type(child(w, "t8"), u"信義路1號"_s);
        type(child(w, "t10"), u"02"_s);
        type(child(w, "t11"), u"23456789"_s);
        type(child(w, "t14"), u"02"_s);
        type(child(w, "t15"), u"23456780"_s);
        type(child(w, "t24"), u"王小姐"_s);
        enabled.push_back(w->cmd2Q->isEnabled());
        QTest::mouseClick(w->cmd2Q, Qt::LeftButton);
        closeIfOpen(w);
    });
    ASSERT_TRUE(PickCustomer());
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, false, true}));
    // The pick asks nothing: what the fields show goes to the quotation as it stands.
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(m.gCusName, u"Bolt 工程"_s);
    EXPECT_EQ(m.gCusSiteAddr, u"台北市信義路1號"_s);
    // Area code, then number (however the two are joined).
    EXPECT_TRUE(m.gCusTel.startsWith(u"02"_s) && m.gCusTel.endsWith(u"23456789"_s)) << m.gCusTel.toStdString();
    EXPECT_TRUE(m.gCusFax.startsWith(u"02"_s) && m.gCusFax.endsWith(u"23456780"_s)) << m.gCusFax.toStdString();
    EXPECT_EQ(m.gCusContact, u"王小姐"_s);
    EXPECT_EQ(customerCount(), 1);
    QApplication::processEvents();
    EXPECT_EQ(frmCus::existing(), nullptr);

    // 修改: the changed contact goes to the quotation; the stored row stays as it was.
    prompts.clear();
    QTimer::singleShot(0, [&] {
        frmCus* w = frmCus::existing();
        ASSERT_NE(w, nullptr);
        w->customers().selectRow(1);
        QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
        auto* t24 = child(w, "t24");
        t24->selectAll();
        type(t24, u"陳先生"_s);
        QTest::mouseClick(w->cmd2Q, Qt::LeftButton);
        closeIfOpen(w);
    });
    ASSERT_TRUE(PickCustomer());
    EXPECT_EQ(m.gCusName, u"Acme"_s);
    EXPECT_EQ(m.gCusContact, u"陳先生"_s);
    EXPECT_EQ(stored(u"Acme"_s, 18), u"林先生"_s);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    QApplication::processEvents();
}

// Another workstation changes the customer between 修改 and 確定.
TEST_F(frmCusTest, AChangeStoredElsewhereMeanwhileIsKeptOrShownBeforeItIsOverwritten)
{
    frmCus* w = onSharedCustomer();
    ASSERT_NE(w, nullptr);
    auto* t9 = child(w, "t9");
    auto* t24 = child(w, "t24");

    // Different fields: both are stored, and the window shows the record as stored.
    QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
    t9->setFocus();
    QTest::keyClicks(t9, u"chang@example.com"_s);
    other->execute(u"UPDATE 客戶 SET 連絡人 = '王' WHERE 客戶名稱 = '張家豪'"_s);
    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(stored(u"張家豪"_s, 8), u"chang@example.com"_s);
    EXPECT_EQ(stored(u"張家豪"_s, 18), u"王"_s);
    EXPECT_EQ(t24->text(), u"王"_s);
    EXPECT_FALSE(w->cmdY->isVisible());

    // The same field: told with the field's caption, nothing overwritten until 確定 again.
    QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
    t24->setFocus();
    t24->selectAll();
    QTest::keyClicks(t24, u"Chen"_s);
    other->execute(u"UPDATE 客戶 SET 連絡人 = '李' WHERE 客戶名稱 = '張家豪'"_s);
    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessageText(), u"此筆資料已被其他使用者修改：\n連絡人：「李」\n請確認後再按確定儲存。"_s);
    EXPECT_EQ(stored(u"張家豪"_s, 18), u"李"_s);
    EXPECT_TRUE(w->cmdY->isVisible());
    EXPECT_EQ(w->lbf->text(), u"修改中"_s);
    EXPECT_EQ(t24->text(), u"Chen"_s);

    QTest::mouseClick(w->cmdY, Qt::LeftButton);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_EQ(stored(u"張家豪"_s, 18), u"Chen"_s);
    EXPECT_EQ(stored(u"張家豪"_s, 8), u"chang@example.com"_s);
    EXPECT_FALSE(w->cmdY->isVisible());
}

// Another workstation deletes the customer and adds another, which takes its code again.
TEST_F(frmCusTest, ACustomerDeletedMeanwhileIsRefusedThoughAnotherTookItsCode)
{
    frmCus* w = onSharedCustomer();
    ASSERT_NE(w, nullptr);
    auto* t24 = child(w, "t24");

    QTest::mouseClick(w->cmdEdit, Qt::LeftButton);
    t24->setFocus();
    t24->selectAll();
    QTest::keyClicks(t24, u"Chen"_s);
    other->execute(u"DELETE FROM 客戶 WHERE 客戶名稱 = '張家豪'"_s);
    other->execute(u"INSERT INTO 客戶 (客戶編號, 客戶名稱, 連絡人) VALUES ('12001', '張小明', '王')"_s);
    QTest::mouseClick(w->cmdY, Qt::LeftButton);

    EXPECT_TRUE(prompts.lastMessageText().contains(u"已不在資料庫中"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(stored(u"張小明"_s, 18), u"王"_s);
    EXPECT_EQ(stored(u"張家豪"_s, 18), u"<none>"_s);
    EXPECT_TRUE(w->cmdY->isVisible());
    EXPECT_EQ(t24->text(), u"Chen"_s);
}

} // namespace
} // namespace varn::test
