// The page-end panel driven through its controls: fees, tax entry, the totals block and
// the button that opens and closes it.
#include "quotation/widgets/WindowFixture.h"

#include "quotation/widgets/frmPe.h"

namespace varn::test {
namespace {

class PageEndPanelTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
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
        QuotationTest::TearDown();
    }

    // One work type with one row, and the panel opened.
    void open(const char* qty, const char* price)
    {
        add(Q, {"木作"}, true);
        fill(path({"木作"}), {{"甲", qty, price}});
        QTest::mouseClick(cmdPe, Qt::LeftButton);
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

TEST_F(PageEndPanelTest, FeesByTotalAndByAreaAddToTheTotalUnrounded)
{
    open("1", "987");
    QTest::mouseClick(panel->ckD(), Qt::LeftButton);
    retype(panel->txtdx(), "0.1");
    EXPECT_EQ(panel->txtDt()->text(), "98.7");

    QTest::mouseClick(panel->ckL(), Qt::LeftButton);
    QTest::mouseClick(panel->Lop2(), Qt::LeftButton);
    EXPECT_EQ(panel->lbl()->text(), "坪");
    EXPECT_EQ(panel->txtLp()->text(), "987");   // kept until the area is typed
    retype(panel->txtLp(), "2.5");
    retype(panel->txtlx(), "200");
    EXPECT_EQ(panel->txtLt()->text(), "500");
    EXPECT_EQ(totals(), (QStringList{"1585.7", "79", "1665", "1665"}));
    EXPECT_FALSE(doc->pageEnd().supervision.byTotal);

    // Clearing a rate empties its amount, which then counts as nothing.
    retype(panel->txtlx(), "");
    EXPECT_EQ(panel->txtLt()->text(), "");
    EXPECT_EQ(panel->lbNtax()->text(), "1085.7");
    // Back to by total: the base becomes the shown total again.
    QTest::mouseClick(panel->Lop1(), Qt::LeftButton);
    EXPECT_EQ(panel->lbl()->text(), "元");
    EXPECT_EQ(panel->txtLp()->text(), "987");
}

TEST_F(PageEndPanelTest, OpeningSelectsTheWholeQuotationAndTheTaxRateIsEnteredWithEnterOrFromTheList)
{
    open("1", "1000");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(doc->shownPath(), Q);
    EXPECT_EQ(panel->txtDp()->text(), "1000");   // both fee bases go by total
    EXPECT_EQ(panel->txtLp()->text(), "1000");
    QLineEdit* rate = panel->cbTax()->lineEdit();
    retype(rate, "0.1");
    EXPECT_EQ(panel->lbTax()->text(), "50");   // typing alone recomputes nothing
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "10%");
    EXPECT_EQ(panel->lbTax()->text(), "100");

    // A text that is not a number as a whole is left as typed, nothing recomputed.
    retype(rate, "5%");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "5%");
    EXPECT_EQ(panel->lbTax()->text(), "100");

    // Picking from the list recomputes.
    QCoreApplication::processEvents();
    panel->cbTax()->setFocus();
    panel->cbTax()->showPopup();
    QTest::keyClick(panel->cbTax()->view(), Qt::Key_Down);
    QTest::keyClick(panel->cbTax()->view(), Qt::Key_Return);
    EXPECT_EQ(panel->cbTax()->currentText(), "10%");
    EXPECT_EQ(panel->lbTax()->text(), "100");

    // An empty rate charges nothing at the next recomputation, the discount's.
    retype(rate, "");
    retype(panel->txtOff(), "-1000");
    EXPECT_EQ(totals(), (QStringList{"1000", "0", "1000", "0"}));

    QTest::mouseClick(cmdPe, Qt::LeftButton);
    EXPECT_FALSE(panel->isVisible());
}

TEST_F(PageEndPanelTest, RemarksAndTitlesReachTheQuotationAndRefusedTextIsUndone)
{
    panel->setRemarkPhrases({"保固一年", "含稅"});
    QTest::mouseClick(cmdPe, Qt::LeftButton);
    retype(panel->cbPe(2)->lineEdit(), "工期30天");
    EXPECT_EQ(doc->pageEnd().remarks[2], "工期30天");
    EXPECT_EQ(panel->cbPe(0)->count(), 2);

    // The fee line is stored with "," between its fields: the comma is refused and dropped.
    retype(panel->tD(), "設計,規劃費");
    EXPECT_EQ(doc->pageEnd().design.title, "設計規劃費");
    EXPECT_EQ(panel->tD()->text(), "設計規劃費");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

TEST_F(PageEndPanelTest, ShowsValuesLoadedIntoTheQuotation)
{
    VrnContent c;
    c.leafPaths = QStringList{Q};
    c.rows.push_back(ItemLine{});
    PageEndValues& v = c.pageEnd;
    v.remarks[4] = "付款方式";
    v.design.checked = CheckState::Checked;
    v.design.byTotal = false;
    v.design.amount = "60000";
    v.taxChecked = CheckState::Greyed;
    v.untaxed = "1";
    doc->load(c, file("x.vrn"));
    EXPECT_EQ(panel->cbPe(4)->currentText(), "付款方式");
    EXPECT_TRUE(panel->ckD()->isChecked());
    EXPECT_TRUE(panel->Dop2()->isChecked());
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
