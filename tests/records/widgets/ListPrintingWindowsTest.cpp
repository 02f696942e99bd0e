#include "records/OutputTestSupport.h"
#include "records/ListPrinting.h"
#include "records/widgets/WindowFixture.h"
#include "records/widgets/frmCus.h"
#include "records/widgets/frmPrt.h"
#include "records/widgets/frmPsel.h"
#include "records/widgets/frmSta.h"

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// Runs the steps one by one, each when a modal window is up (the chooser, then the column
// chooser above it).
void whenModal(std::vector<std::function<void(QWidget*)>> steps)
{
    auto queue = std::make_shared<std::vector<std::function<void(QWidget*)>>>(std::move(steps));
    auto next = std::make_shared<std::function<void()>>();
    *next = [queue, next] {
        if (queue->empty())
            return;
        // The next step is due before this one runs: a step may open the next window.
        QTimer::singleShot(10, *next);
        if (QWidget* modal = QApplication::activeModalWidget()) {
            auto step = queue->front();
            queue->erase(queue->begin());
            step(modal);
        }
    };
    QTimer::singleShot(10, *next);
}

class ListPrintingWindowsTest : public WindowFixture<OutputFixture> {
protected:
    static void select(QListWidget* list, const QStringList& texts)
    {
        for (const QString& t : texts)
            list->findItems(t, Qt::MatchExactly).value(0)->setSelected(true);
    }

    static QStringList texts(QListWidget* list)
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
};

TEST_F(ListPrintingWindowsTest, CustomerPrintChoosesAListOfColumnsAndPrintsIt)
{
    addCustomer(u"A001"_s, u"Acme"_s, {{4, u"台北市;中山路"_s}});
    ShowCustomerRegister();
    frmCus* register_ = frmCus::existing();
    ASSERT_NE(register_, nullptr);

    QStringList offered, chosen;
    bool chooserBehind = false;
    whenModal({
        [&](QWidget* w) {
            auto* sel = qobject_cast<frmPsel*>(w);
            ASSERT_NE(sel, nullptr);
            sel->oPsel[1]->setChecked(true);
            QTest::mouseClick(sel->cmdNext, Qt::LeftButton);
        },
        [&](QWidget* w) {
            auto* prt = qobject_cast<frmPrt*>(w);
            ASSERT_NE(prt, nullptr);
            chooserBehind = qobject_cast<frmPsel*>(prt->parentWidget()) && prt->parentWidget()->isVisible();
            offered = texts(prt->lstOr);
            select(prt->lstOr, {u"公司地址"_s, u"客戶名稱"_s});
            QTest::mouseClick(prt->cmAd, Qt::LeftButton);
            prt->lstTa->setCurrentRow(1);
            QTest::mouseClick(prt->cmdUp, Qt::LeftButton);
            chosen = texts(prt->lstTa);
            QTest::mouseClick(prt->cmdP, Qt::LeftButton);
            QTest::mouseClick(prt->Command1, Qt::LeftButton);
        },
    });
    QTest::mouseClick(register_->cmdPp, Qt::LeftButton);

    EXPECT_TRUE(chooserBehind);
    EXPECT_EQ(offered.size(), 34);
    EXPECT_EQ(chosen, (QStringList{u"公司地址"_s, u"客戶名稱"_s}));
    ASSERT_EQ(savedBooks().size(), 1);
    EXPECT_TRUE(savedBooks().first().startsWith(u"客戶資料_"_s));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(ListPrintingWindowsTest, LabelsAreTheChooserDefaultAndCloseIt)
{
    addCustomer(u"A001"_s, u"Acme"_s);
    frmPsel chooser;
    state().m.gPrintKind = 1;
    QTest::mouseClick(chooser.cmdNext, Qt::LeftButton);
    ASSERT_EQ(savedBooks().size(), 1);
    EXPECT_TRUE(savedBooks().first().startsWith(u"Label_"_s));
    EXPECT_EQ(chooser.result(), QDialog::Accepted);

    frmPsel cancelled;
    QTest::mouseClick(cancelled.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(savedBooks().size(), 1);
}

TEST_F(ListPrintingWindowsTest, EmployeesGoStraightToColumnsWithoutPasswordOrRights)
{
    QStringList offered;
    whenModal({[&](QWidget* w) {
        auto* prt = qobject_cast<frmPrt*>(w);
        ASSERT_NE(prt, nullptr);
        offered = texts(prt->lstOr);
        prt->reject();
    }});
    ShowListPrinting(nullptr, 3);
    EXPECT_EQ(offered, PrintableColumns(*db, 3));
}

TEST_F(ListPrintingWindowsTest, ColumnChooserRefusesWhatItCannotDo)
{
    frmPrt prt;
    ASSERT_TRUE(prt.load(2));
    QTest::mouseClick(prt.cmAd, Qt::LeftButton);    // nothing selected: nothing happens
    QTest::mouseClick(prt.cmMv, Qt::LeftButton);
    EXPECT_EQ(prt.lstTa->count(), 0);
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    QTest::mouseClick(prt.cmdP, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessageText(), u"沒有選取欄位\r\n無法列印"_s);
    QTest::mouseClick(prt.cmdDn, Qt::LeftButton);
    EXPECT_EQ(prompts.lastMessageText(), u"請先選取 再行調整順序"_s);
    EXPECT_TRUE(savedBooks().isEmpty());
}

} // namespace
} // namespace varn::test
