// The number fields of a real quotation window hold one number, typed or pasted, and count
// what they show: the page-end boxes, the tax rate and the grid's number cells.
#include "quotation/widgets/WindowFixture.h"

#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmPe.h"

namespace varn::test {
namespace {

const QString kNumbersOnly = QStringLiteral("此欄只能輸入數字");
const QString kTooLarge = QStringLiteral("數字過大:金額與總價最多 13 位數,此數字無法輸入");

class NumberFieldsTest : public WindowTest {
protected:
    void windowMade(frmQ& w) override { extras = QuotationWindowExtras::attach(w); }
    frmPe& panel()
    {
        window();
        return extras->pageEnd();
    }
    // One work type with one row of 數量 1 and that 單價, and the page end opened.
    void openPanel(const char* price = "1000")
    {
        ASSERT_TRUE(doc().AddChildNodes(Q, {"木作"}, true));
        doc().tv_NodeClick(LeafPath({"木作"}));
        ASSERT_TRUE(doc().setCellText(1, QCol::Name, "甲"));
        ASSERT_TRUE(doc().cellEdited(1, QCol::Qty, "1"));
        ASSERT_TRUE(doc().cellEdited(1, QCol::Price, price));
        QTest::mouseClick(window().cmdPe(), Qt::LeftButton);
    }
    QStringList totals()
    {
        return {panel().lbNtax()->text(), panel().lbTax()->text(), panel().lbHtax()->text(), panel().lbApr()->text()};
    }
    // The clipboard's text pasted with the keys at the cursor, nothing selected.
    static void pasteAtCursor(QWidget* keys, const QString& text)
    {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(keys, Qt::Key_V, Qt::ControlModifier);
    }

    QuotationWindowExtras* extras = nullptr;
};

TEST_F(NumberFieldsTest, ThePageEndBoxesRefuseWhatCannotBePartOfTheirNumberAsItIsTyped)
{
    openPanel();
    QLineEdit* off = panel().txtOff();
    // Letters beep away without a word; the discount counts what the box shows.
    retype(off, "abc");
    EXPECT_EQ(off->text(), "");
    EXPECT_EQ(doc().pageEnd().discount, "");
    retype(off, "-1a2x0");
    EXPECT_EQ(off->text(), "-120");
    EXPECT_EQ(totals(), (QStringList{"1000", "50", "1050", "930"}));
    // A sign after the digits, a second point: refused where they would go.
    off->end(false);
    typeInto(off, "-.5.");
    EXPECT_EQ(off->text(), "-120.5");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    // The states a number passes through while it is typed stay open.
    retype(off, "-");
    EXPECT_EQ(doc().pageEnd().discount, "-");
    EXPECT_EQ(panel().lbApr()->text(), "1050");
    typeInto(off, ".");
    typeInto(off, "5");
    EXPECT_EQ(doc().pageEnd().discount, "-.5");
    for (QLineEdit* box : {panel().txtdx(), panel().txtDp(), panel().txtlx(), panel().txtLp()}) {
        retype(box, "0.");
        EXPECT_EQ(box->text(), "0.") << box->objectName().toStdString();
        typeInto(box, "1x,");
        EXPECT_EQ(box->text(), "0.1") << box->objectName().toStdString();
    }
    QTest::mouseClick(panel().ckD(), Qt::LeftButton);
    EXPECT_EQ(panel().txtDt()->text(), "100");
    // A full-width digit from an input method goes in as a digit.
    retype(panel().txtdx(), QStringLiteral("０．２"));
    EXPECT_EQ(doc().pageEnd().design.rate, "0.2");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(NumberFieldsTest, APasteIntoAPageEndBoxIsJudgedWithWhatTheBoxAlreadyHolds)
{
    openPanel();
    QLineEdit* off = panel().txtOff();
    retype(off, "12");
    off->end(false);
    pasteAtCursor(off, "-5");   // would make "12-5"
    EXPECT_EQ(off->text(), "12");
    EXPECT_EQ(doc().pageEnd().discount, "12");
    EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly);
    off->home(false);
    pasteAtCursor(off, QStringLiteral("\u2212"));   // a sign alone is no number
    EXPECT_EQ(off->text(), "12");
    prompts.clear();
    pasteAtCursor(off, QStringLiteral("\u200B\u2212" "3\u200E"));   // the minus sign of a web page
    EXPECT_EQ(doc().pageEnd().discount, "-312");
    EXPECT_EQ(panel().lbApr()->text(), "738");

    // Grouped by thousands, the number is taken without its separators.
    QTest::mouseClick(panel().Lop2(), Qt::LeftButton);   // a floor area is kept as typed
    const std::pair<QLineEdit*, const char16_t*> grouped[] = {
        {panel().txtDp(), u"12,345.5"}, {panel().txtLp(), u"１，２００"}, {off, u"-1,000"}, {panel().txtdx(), u"\uFEFF1,000 "}};
    const char* taken[] = {"12345.5", "1200", "-1000", "1000"};
    for (int i = 0; i < 4; ++i) {
        pasteWithKeys(grouped[i].first, QString::fromUtf16(grouped[i].second));
        EXPECT_EQ(grouped[i].first->text(), taken[i]);
    }
    EXPECT_EQ(doc().pageEnd().discount, "-1000");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    // Wrongly grouped, refused with the word.
    for (const char* text : {"1,2,3", "12,34"}) {
        prompts.clear();
        pasteWithKeys(off, text);
        EXPECT_EQ(off->text(), "-1000") << text;
        EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly) << text;
    }

    // However long, a number past the limit is refused, never counted as 0.
    const QString huge = u'9' + QString(u'0').repeated(309);
    for (const QString& text : {QString(u'9').repeated(14), huge}) {
        prompts.clear();
        pasteWithKeys(off, text);
        EXPECT_EQ(doc().pageEnd().discount, "-1000") << text.size();
        EXPECT_EQ(prompts.lastMessageText(), kTooLarge) << text.size();
    }
    prompts.clear();
    pasteWithKeys(panel().txtLp(), huge);
    EXPECT_EQ(doc().pageEnd().supervision.base, "1200");
    EXPECT_EQ(prompts.lastMessageText(), kTooLarge);
}

TEST_F(NumberFieldsTest, TheTaxRateBoxLeftWithABareNumberShowsTheRateEnterGivesAndTheTotalsUseIt)
{
    openPanel();
    QComboBox* tax = panel().cbTax();
    QLineEdit* rate = tax->lineEdit();
    // Tab away from "0.1": the box shows 10%, as Enter would, and the tax follows.
    retype(rate, "0.1");
    EXPECT_EQ(panel().lbTax()->text(), "50");
    QTest::keyClick(tax, Qt::Key_Tab);
    EXPECT_EQ(tax->currentText(), "10%");
    EXPECT_EQ(doc().pageEnd().taxRate, "10%");
    EXPECT_EQ(totals(), (QStringList{"1000", "100", "1100", "1100"}));

    // A click elsewhere leaves the box too: "5" reads 500%, as Enter reads it.
    retype(rate, "5");
    panel().txtOff()->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(tax->currentText(), "500%");
    EXPECT_EQ(panel().lbTax()->text(), "5000");

    // A click on another control leaves the box first.
    retype(rate, "12");
    QTest::mouseClick(panel().ckL(), Qt::LeftButton);
    EXPECT_EQ(tax->currentText(), "1200%");
    // Before the box is left, a computation reads the rate as the box will show it.
    retype(rate, "0.05");
    doc().RecalcGrandTotal();
    EXPECT_EQ(panel().lbTax()->text(), "50");
    EXPECT_EQ(tax->currentText(), "0.05");

    // A rate with "%" is left as it is, and the tax beside it follows it, whether the box is
    // left or Enter pressed; letters are refused.
    retype(rate, "8x%");
    EXPECT_EQ(rate->text(), "8%");
    QTest::keyClick(tax, Qt::Key_Tab);
    EXPECT_EQ(tax->currentText(), "8%");
    EXPECT_EQ(panel().lbTax()->text(), "80");
    retype(rate, "7%");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(panel().lbTax()->text(), "70");
    retype(rate, "0.06");
    QTest::keyClick(rate, Qt::Key_Return);
    EXPECT_EQ(tax->currentText(), "6%");
    EXPECT_EQ(panel().lbTax()->text(), "60");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(NumberFieldsTest, ABareTaxRateWhosePercentageIsTooLargeGivesBackTheRateTheTotalsUse)
{
    openPanel("2000000000000");
    const QStringList at5 = {"2000000000000", "100000000000", "2100000000000", "2100000000000"};
    ASSERT_EQ(totals(), at5);

    // "5" reads 500%, which takes the total past 13 digits: refused, and the box does not
    // keep a rate that the next computation would read as 500%.
    QComboBox* tax = panel().cbTax();
    retype(tax->lineEdit(), "5");
    prompts.clear();
    QTest::keyClick(tax, Qt::Key_Tab);
    EXPECT_EQ(prompts.lastMessageText(), kTooLarge);
    EXPECT_EQ(tax->currentText(), "5%");
    EXPECT_EQ(doc().pageEnd().taxRate, "5%");
    doc().RecalcGrandTotal();
    EXPECT_EQ(totals(), at5);

    // Enter alike; a rate that fits is still taken.
    retype(tax->lineEdit(), "9");
    QTest::keyClick(tax->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(doc().pageEnd().taxRate, "5%");
    retype(tax->lineEdit(), "0.1");
    QTest::keyClick(tax, Qt::Key_Tab);
    EXPECT_EQ(doc().pageEnd().taxRate, "10%");
    EXPECT_EQ(panel().lbTax()->text(), "200000000000");
}

TEST_F(NumberFieldsTest, APasteThatCountsOtherThanItShowsIsRefusedInTheTaxRateTheDiscountAndTheGrid)
{
    openPanel();
    const QStringList at5 = {"1000", "50", "1050", "1050"};
    QLineEdit* rate = panel().cbTax()->lineEdit();
    QLineEdit* off = panel().txtOff();
    // "12" inside a right-to-left override shows as "21": neither box takes it.
    const QString reversed = QStringLiteral("\u202E" "12" "\u202C");
    for (QLineEdit* box : {rate, off}) {
        prompts.clear();
        pasteWithKeys(box, reversed);
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly) << box->objectName().toStdString();
    }
    EXPECT_EQ(rate->text(), "5%");
    EXPECT_EQ(doc().pageEnd().taxRate, "5%");
    EXPECT_EQ(doc().pageEnd().discount, "");
    EXPECT_EQ(totals(), at5);

    // A bare rate of 306 to 310 digits is too large however its percentage is written, and the
    // box gives back the rate the totals use; the discount alike.
    for (int digits : {306, 307, 308, 309, 310}) {
        const QString huge = QString(u'9').repeated(digits);
        for (QLineEdit* box : {rate, off}) {
            prompts.clear();
            pasteWithKeys(box, huge);
            QTest::keyClick(box, Qt::Key_Return);
            EXPECT_EQ(prompts.lastMessageText(), kTooLarge) << digits << box->objectName().toStdString();
        }
        EXPECT_EQ(doc().pageEnd().taxRate, "5%") << digits;
        EXPECT_EQ(doc().pageEnd().discount, "") << digits;
        EXPECT_EQ(totals(), at5) << digits;
    }

    // The grid's number cells alike; a zero-width mark is still dropped.
    doc().tv_NodeClick(LeafPath({"木作"}));
    clickCell(1, QCol::Qty);
    prompts.clear();
    pasteWithKeys(editors().openEditor(), reversed);
    EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly);
    EXPECT_EQ(cell(1, QCol::Qty), "1");
    prompts.clear();
    pasteWithKeys(editors().openEditor(), QStringLiteral("\uFEFF" "2\u200B"));
    EXPECT_EQ(cell(1, QCol::Qty), "2");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(NumberFieldsTest, TheGridsNumberCellsHoldOneNumberAndRefuseOneTooLongToRead)
{
    ASSERT_TRUE(doc().AddChildNodes(Q, {"木作"}, true));
    doc().tv_NodeClick(LeafPath({"木作"}));
    enter(1, QCol::Name, "甲");
    enter(1, QCol::Price, "100");
    // A second point is refused where it would go; one in place of the selection is taken.
    enter(1, QCol::Qty, "1.2.5");
    EXPECT_EQ(cell(1, QCol::Qty), "1.25");
    EXPECT_EQ(cell(1, QCol::Amount), "125");
    auto* txt = qobject_cast<QLineEdit*>(editors().openEditor());
    ASSERT_NE(txt, nullptr);
    txt->setSelection(1, 2);
    type(".");
    EXPECT_EQ(cell(1, QCol::Qty), "1.5");

    // Grouped pastes into the quantity, the cost and the ratio.
    pasteWithKeys(txt, "1,200");
    EXPECT_EQ(cell(1, QCol::Qty), "1200");
    EXPECT_EQ(cell(1, QCol::Amount), "120000");
    clickCell(1, QCol::Cost);
    pasteWithKeys(editors().openEditor(), QStringLiteral("\u200E12,345.5"));
    EXPECT_EQ(cell(1, QCol::Cost), "12345.5");
    clickCell(1, QCol::Ratio);
    for (const char* text : {"1,2,3", "x"}) {
        prompts.clear();
        pasteWithKeys(editors().cbS(), text);
        EXPECT_EQ(prompts.lastMessageText(), kNumbersOnly) << text;
    }
    typeInto(editors().cbS()->lineEdit(), "1.2a.");   // typed into the ratio, letters beep
    EXPECT_EQ(editors().cbS()->currentText(), "1.2");
    EXPECT_EQ(cell(1, QCol::Ratio), "1.2");

    // A quantity of 310 digits is refused as 14 digits are, not counted as 0.
    const QString amount = cell(1, QCol::Amount);
    for (const QString& qty : {u'1' + QString(u'0').repeated(13), u'1' + QString(u'0').repeated(309)}) {
        clickCell(1, QCol::Qty);
        prompts.clear();
        pasteWithKeys(editors().openEditor(), qty);
        EXPECT_EQ(cell(1, QCol::Qty), "1200") << qty.size();
        EXPECT_EQ(cell(1, QCol::Amount), amount) << qty.size();
        EXPECT_EQ(prompts.lastMessageText(), kTooLarge) << qty.size();
    }
    EXPECT_EQ(window().lbSumT()->text(), amount);
}

TEST_F(NumberFieldsTest, AKeyHeldWithAltOrMetaIsJudgedAsAnyTypedKey)
{
    openPanel();
    // No shortcut takes these keys, so the box would type their characters.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> letters[] = {
        {Qt::Key_A, Qt::AltModifier}, {Qt::Key_Minus, Qt::AltModifier}, {Qt::Key_Z, Qt::MetaModifier}};
    for (QLineEdit* box : {panel().txtOff(), panel().txtdx(), panel().cbTax()->lineEdit()}) {
        retype(box, "12");
        for (const auto& [key, mods] : letters)
            QTest::keyClick(box, key, mods);
        EXPECT_EQ(box->text(), "12") << box->objectName().toStdString();
        QTest::keyClick(box, Qt::Key_5, Qt::AltModifier);
        EXPECT_EQ(box->text(), "125") << box->objectName().toStdString();
    }
    EXPECT_EQ(doc().pageEnd().discount, "125");
    EXPECT_EQ(panel().lbApr()->text(), "1175");

    // The grid's number cell alike.
    doc().tv_NodeClick(LeafPath({"木作"}));
    clickCell(1, QCol::Qty);
    for (const auto& [key, mods] : letters)
        QTest::keyClick(editors().openEditor(), key, mods);
    EXPECT_EQ(cell(1, QCol::Qty), "1");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

TEST_F(NumberFieldsTest, TheRatioIsTheNumberTypedNotTheFirstOfItsListBeginningWithIt)
{
    ASSERT_TRUE(doc().AddChildNodes(Q, {"木作"}, true));
    doc().tv_NodeClick(LeafPath({"木作"}));
    enter(1, QCol::Name, "甲");
    enter(1, QCol::Qty, "1");
    enter(1, QCol::Cost, "100");
    // The list holds 1.2 and 0.05; "1" and "0.0" are what the cell gets, shown and counted.
    QComboBox* ratio = editors().cbS();
    for (const auto& [typed, price] : {std::pair{"1", "100"}, std::pair{"0.0", "0"}}) {
        clickCell(1, QCol::Ratio);
        ASSERT_TRUE(ratio->isVisible());
        ratio->lineEdit()->selectAll();
        type(typed);
        EXPECT_EQ(ratio->currentText(), typed);
        pressEnter();
        EXPECT_EQ(cell(1, QCol::Ratio), typed);
        EXPECT_EQ(cell(1, QCol::Price), price);
    }
    // The list still gives its ratios.
    clickCell(1, QCol::Ratio);
    ratio->showPopup();
    QTest::keyClick(ratio->view(), Qt::Key_Home);
    QTest::keyClick(ratio->view(), Qt::Key_Return);
    EXPECT_EQ(cell(1, QCol::Ratio), "1.2");
    EXPECT_EQ(cell(1, QCol::Price), "120");
}

} // namespace
} // namespace varn::test
