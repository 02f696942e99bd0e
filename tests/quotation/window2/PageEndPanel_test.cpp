// The page-end panel driven through its controls: fees, tax entry, the totals block and
// the button that opens and closes it.
#include "Window2Support.h"

#include "quotation/widgets/frmPe.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTest>

namespace varn::test {
namespace {

class PageEndPanelTest : public Window2Test {
protected:
    void SetUp() override
    {
        Window2Test::SetUp();
        window = std::make_unique<QWidget>();
        window->resize(1000, 700);
        panel = new frmPe(*doc, window.get());
        cmdPe = new QPushButton(window.get());
        panel->attachToggle(cmdPe);
        panel->setTaxRates({"5%", "10%"});
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        Window2Test::TearDown();
    }

    // One work type whose rows total `amounts`.
    void quotationOf(const QList<QStringList>& rows)
    {
        add(Q, {"木作"}, true);
        fill(qpath({"木作"}), rows);
    }

    // Types as a keyboard does, one character at a time (Chinese ones included).
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(edit, &press);
        }
    }

    QStringList totals() const
    {
        return {panel->lbNtax()->text(), panel->lbTax()->text(), panel->lbHtax()->text(),
                panel->lbApr()->text()};
    }

    std::unique_ptr<QWidget> window;
    frmPe* panel = nullptr;
    QPushButton* cmdPe = nullptr;
};

TEST_F(PageEndPanelTest, OpeningSelectsTheWholeQuotationAndComputesTaxedTotal)
{
    quotationOf({{"甲", "1", "101"}});
    EXPECT_EQ(cmdPe->text(), "頁尾備註 >>");
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(cmdPe->text(), "頁尾備註 <<");
    EXPECT_EQ(doc->shownPath(), Q);
    // Key "001": 101 with 5% gives 5 (from 5.05) and 106 (from 106.05).
    EXPECT_EQ(totals(), (QStringList{"101", "5", "106", "106"}));
    EXPECT_EQ(panel->txtDp()->text(), "101");   // both fee bases go by total
    EXPECT_EQ(panel->txtLp()->text(), "101");

    type(panel->txtOff(), "-1000");
    EXPECT_EQ(panel->lbApr()->text(), "-894");

    QTest::mouseClick(cmdPe, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(cmdPe->text(), "頁尾備註 >>");
}

TEST_F(PageEndPanelTest, FeesByTotalAndByAreaAddToTheTotalUnrounded)
{
    quotationOf({{"甲", "1", "987"}});
    QTest::mouseClick(cmdPe, Qt::LeftButton);

    QTest::mouseClick(panel->ckD(), Qt::LeftButton);
    type(panel->txtdx(), "0.1");
    EXPECT_EQ(panel->txtDt()->text(), "98.7");

    QTest::mouseClick(panel->ckL(), Qt::LeftButton);
    QTest::mouseClick(panel->Lop2(), Qt::LeftButton);
    EXPECT_EQ(panel->lbl()->text(), "坪");
    EXPECT_EQ(panel->txtLp()->text(), "987");   // kept until the area is typed
    type(panel->txtLp(), "2.5");
    type(panel->txtlx(), "200");
    EXPECT_EQ(panel->txtLt()->text(), "500");

    // Key "111": 987 + 98.7 + 500 untaxed; tax and total with tax whole numbers.
    EXPECT_EQ(totals(), (QStringList{"1585.7", "79", "1665", "1665"}));
    EXPECT_EQ(doc->pageEnd().supervision.byTotal, false);

    // Clearing a rate empties its amount, which then counts as nothing.
    type(panel->txtlx(), "");
    EXPECT_EQ(panel->txtLt()->text(), "");
    EXPECT_EQ(panel->lbNtax()->text(), "1085.7");

    // Back to by total: the base becomes the shown total again.
    QTest::mouseClick(panel->Lop1(), Qt::LeftButton);
    EXPECT_EQ(panel->lbl()->text(), "元");
    EXPECT_EQ(panel->txtLp()->text(), "987");
}

TEST_F(PageEndPanelTest, UntaxedKeyCopiesTheItemTotalAndKeepsTheTaxLabels)
{
    quotationOf({{"甲", "2", "50"}});
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    const QString taxBefore = panel->lbTax()->text();
    const QString withTaxBefore = panel->lbHtax()->text();
    QTest::mouseClick(panel->ckTax(), Qt::LeftButton);
    EXPECT_FALSE(panel->ckTax()->isChecked());
    EXPECT_EQ(panel->lbNtax()->text(), doc->totals().lbSumT);
    EXPECT_EQ(panel->lbTax()->text(), taxBefore);
    EXPECT_EQ(panel->lbHtax()->text(), withTaxBefore);
    type(panel->txtOff(), "0.5");
    EXPECT_EQ(panel->lbApr()->text(), "100.5");
}

TEST_F(PageEndPanelTest, TaxRateEntryWithEnterAndFromTheList)
{
    quotationOf({{"甲", "1", "1000"}});
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    QLineEdit* rate = panel->cbTax()->lineEdit();

    type(rate, "0.05");
    EXPECT_EQ(panel->lbTax()->text(), "50");       // typing alone recomputes nothing
    type(rate, "0.1");
    EXPECT_EQ(panel->lbTax()->text(), "50");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "10%");
    EXPECT_EQ(panel->lbTax()->text(), "100");

    type(rate, "5");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "500%");
    EXPECT_EQ(panel->lbTax()->text(), "5000");

    // A text that is not a number as a whole is left as typed, nothing recomputed.
    type(rate, "5%");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "5%");
    EXPECT_EQ(panel->lbTax()->text(), "5000");

    // Picking from the list recomputes.
    QCoreApplication::processEvents();
    panel->cbTax()->setFocus();
    panel->cbTax()->showPopup();
    QTest::keyClick(panel->cbTax()->view(), Qt::Key_Down);
    QTest::keyClick(panel->cbTax()->view(), Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "10%");
    EXPECT_EQ(panel->lbTax()->text(), "100");
}

TEST_F(PageEndPanelTest, EmptyTaxTextChargesNothing)
{
    quotationOf({{"甲", "1", "100.5"}});
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    type(panel->cbTax()->lineEdit(), "");
    type(panel->txtOff(), "0");   // any trigger recomputes
    EXPECT_EQ(panel->lbTax()->text(), "0");
    EXPECT_EQ(panel->lbHtax()->text(), "100");   // 100.5 to the even neighbour
}

TEST_F(PageEndPanelTest, RemarksAndTitlesReachTheQuotationAndRefusedTextIsUndone)
{
    panel->setRemarkPhrases({"保固一年", "含稅"});
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    type(panel->cbPe(2)->lineEdit(), "工期30天");
    EXPECT_EQ(doc->pageEnd().remarks[2], "工期30天");
    EXPECT_EQ(panel->cbPe(0)->count(), 2);

    // The fee line is stored with "," between its fields: the comma is refused and dropped.
    type(panel->tD(), "設計,規劃費");
    EXPECT_EQ(doc->pageEnd().design.title, "設計規劃費");
    EXPECT_EQ(panel->tD()->text(), "設計規劃費");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(PageEndPanelTest, ShowsValuesLoadedIntoTheQuotation)
{
    PageEndValues v;
    v.remarks[4] = "付款方式";
    v.design.checked = CheckState::Checked;
    v.design.byTotal = false;
    v.design.base = "30";
    v.design.rate = "2000";
    v.design.amount = "60000";
    v.taxChecked = CheckState::Greyed;
    v.untaxed = "1";
    VrnContent c;
    c.leafPaths = QStringList{Q};
    c.rows.push_back(ItemLine{});
    c.pageEnd = v;
    doc->load(c, file("x.vrn"));
    EXPECT_EQ(panel->cbPe(4)->currentText(), "付款方式");
    EXPECT_TRUE(panel->ckD()->isChecked());
    EXPECT_TRUE(panel->Dop2()->isChecked());
    EXPECT_EQ(panel->lbd()->text(), "坪");
    EXPECT_EQ(panel->txtDt()->text(), "60000");
    EXPECT_EQ(panel->ckTax()->checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(panel->lbNtax()->text(), "1");
    // A click on the greyed box takes it out of the third state.
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    QTest::mouseClick(panel->ckTax(), Qt::LeftButton);
    EXPECT_EQ(doc->pageEnd().taxChecked, CheckState::Checked);
    EXPECT_FALSE(panel->ckTax()->isTristate());
}

} // namespace
} // namespace varn::test
