// The item grid under the hand: the click guards, the floating editors, Enter, the item,
// area and detail picks with their undo, and the totals following every keystroke.
#include "WindowFixture.h"

namespace varn::test {
namespace {

class Editing : public WindowTest {
protected:
    // Row 1 from 品名 to 比例, and the work item.
    QStringList cells()
    {
        QStringList out;
        for (int c : {QCol::Name, QCol::Standard, QCol::Unit, QCol::Qty, QCol::Price, QCol::Amount, QCol::Cost,
                      QCol::CostTotal, QCol::Ratio, QCol::WorkItem})
            out << cell(1, c);
        return out;
    }
};

TEST_F(Editing, ClicksAreRefusedUntilALeafIsShownThenTypingRecomputesAtEveryKeystroke)
{
    frmQ& w = window();
    clickCell(1, QCol::Name);
    EXPECT_EQ(prompts.lastMessageText(), "請在左方建立區域或工種");
    EXPECT_FALSE(editors().isOpen());

    buildTwoAreas();
    w.tv_NodeClick(LeafPath({"客廳"}));
    prompts.clear();
    clickCell(1, QCol::Name);
    EXPECT_EQ(prompts.lastMessageText(),
              "以下還有階層 無法修改\r\n請點取最低階層\r\n再行修改 OK ");
    EXPECT_FALSE(editors().isOpen());
    prompts.clear();
    clickCell(1, QCol::Path);   // the 階層 column answers nothing
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    // At a leaf, typing recomputes the row and the totals at every keystroke.
    w.tv_NodeClick(LeafPath({"客廳", "木作"}));
    enter(1, QCol::Name, "門框");
    EXPECT_EQ(cell(1, QCol::Name), "門框");
    enter(1, QCol::Qty, "2");
    enter(1, QCol::Price, "1");
    EXPECT_EQ(cell(1, QCol::Amount), "2");
    EXPECT_EQ(w.lbSumT()->text(), "2");
    type("5");
    EXPECT_EQ(cell(1, QCol::Amount), "30");
    EXPECT_EQ(w.lbSumT()->text(), "30");

    // An empty cost starts from the price before anything is typed.
    clickCell(1, QCol::Cost);
    EXPECT_EQ(editors().txt()->text(), "15");
    EXPECT_EQ(cell(1, QCol::CostTotal), "30");
    EXPECT_EQ(w.lbCsumT()->text(), "30");
    // Letters and signs are refused by the numeric editor, however they come: typed,
    // committed by an input method (full-width digits become digits) or pasted.
    QTest::keyClicks(editors().txt(), "-a");
    EXPECT_EQ(cell(1, QCol::Cost), "15");
    clickCell(1, QCol::Qty);
    QInputMethodEvent commit;
    commit.setCommitString("１２");
    QApplication::sendEvent(editors().txt(), &commit);
    EXPECT_EQ(cell(1, QCol::Qty), "12");
    EXPECT_EQ(cell(1, QCol::Amount), "180");
    QGuiApplication::clipboard()->setText("-7abc");
    editors().txt()->selectAll();
    editors().txt()->paste();
    EXPECT_EQ(editors().txt()->text(), "7");
    EXPECT_EQ(cell(1, QCol::Amount), "105");

    // Tab commits and moves on as Enter does; the keys that follow stay in the grid.
    QTest::keyClick(editors().txt(), Qt::Key_Tab);
    ASSERT_TRUE(editors().isOpen());
    EXPECT_EQ(editors().col(), QCol::Price);
    type("2");
    EXPECT_EQ(cell(1, QCol::Price), "2");
    EXPECT_EQ(w.cbK()->currentText(), "住宅");

    // Picking the ratio the cell holds recomputes the row all the same.
    doc().setCellText(1, QCol::Ratio, "1.2");
    clickCell(1, QCol::Ratio);
    editors().cbS()->setCurrentIndex(0);
    emit editors().cbS()->activated(0);
    EXPECT_EQ(cell(1, QCol::Price), "18");
    EXPECT_EQ(w.lbSumT()->text(), "126");

    // The computed columns open no editor; the last row grows the grid by ten.
    clickCell(1, QCol::Amount);
    EXPECT_FALSE(editors().isOpen());
    const int rows = doc().hfgQ().rows();
    clickCell(rows - 1, QCol::Name);
    EXPECT_EQ(doc().hfgQ().rows(), rows + 10);
}

TEST_F(Editing, AClickBelowTheRowsEditsTheFirstFreeRowAndNeverAFilledOne)
{
    frmQ& w = window();
    buildTwoAreas();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    // A click where no row is, under the last one, in the column given.
    const auto clickBelowRows = [&](int col) {
        GridView* grid = w.hfgQ();
        QApplication::processEvents();
        const QRect last = grid->cellRect(doc().hfgQ().rows() - 1, col);
        const QPoint at(last.center().x(), last.bottom() + 2 * last.height());
        ASSERT_LT(at.y(), grid->viewport()->geometry().bottom());
        QWidget* target = grid->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(grid, at));
        QApplication::processEvents();
    };
    const auto row = [&](int r) {
        QStringList out;
        for (int c = QCol::Name; c <= QCol::WorkItem; ++c)
            out << cell(r, c);
        return out;
    };
    clickCell(1, QCol::Name);
    pickItem("木門");
    const QStringList door = row(1);
    ASSERT_EQ(door.first(), "木門");

    // Shown again, the work type holds its one stored row and nothing under it.
    w.tv_NodeClick(LeafPath({"客廳"}));
    w.tv_NodeClick(LeafPath({"客廳", "木作"}));
    ASSERT_EQ(doc().hfgQ().rows(), 2);
    clickBelowRows(QCol::Name);
    EXPECT_EQ(doc().hfgQ().rows(), 12);   // grown as a click on the last row grows it
    ASSERT_TRUE(editors().isOpen());
    EXPECT_EQ(editors().row(), 2);
    type("天");
    pickItem("天花板");
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(cell(2, QCol::WorkItem), "天花板");
    EXPECT_EQ(cell(2, QCol::Cost), "3000");

    // Under empty rows the click edits the first of them; a number typed there stays there.
    clickBelowRows(QCol::Qty);
    EXPECT_EQ(doc().hfgQ().rows(), 22);
    ASSERT_TRUE(editors().isOpen());
    EXPECT_EQ((std::pair{editors().row(), editors().col()}), (std::pair{3, int(QCol::Qty)}));
    type("4");
    EXPECT_EQ(cell(3, QCol::Qty), "4");
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(cell(2, QCol::Qty), "1");
    // A click on the last row itself still edits that row.
    clickCell(21, QCol::Remark);
    EXPECT_EQ(editors().row(), 21);
    EXPECT_EQ(doc().hfgQ().rows(), 32);
}

TEST_F(Editing, APasteIntoANumberCellMustBeOnePlainNumber)
{
    frmQ& w = window();
    buildTwoAreas();
    enter(1, QCol::Name, "門");
    enter(1, QCol::Qty, "1");
    enter(1, QCol::Price, "100");
    doc().setCellText(1, QCol::Ratio, "1.2");
    // The keys go where the user's keys go: to the ratio combo, which hands them to its line.
    // Each is refused as a whole, with a word; the cell and the totals keep their values.
    const struct {
        int col;
        const char* text;
    } refused[] = {{QCol::Qty, "2\n3"},  {QCol::Qty, "2\r\n3"}, {QCol::Qty, "1,20"},  {QCol::Qty, "-5"},
                   {QCol::Qty, "."},      {QCol::Price, "1.2.3"}, {QCol::Price, "3 m"},  {QCol::Cost, "1e3"},
                   {QCol::Cost, "１０Ａ"}, {QCol::Ratio, "1.5x"},  {QCol::Ratio, "2\n3"}, {QCol::Ratio, "x"}};
    for (const auto& c : refused) {
        clickCell(1, c.col);
        auto* combo = qobject_cast<QComboBox*>(editors().openEditor());
        QLineEdit* into = combo ? combo->lineEdit() : editors().txt();
        const QString before = cell(1, c.col);
        const QString sum = w.lbSumT()->text();
        prompts.clear();
        pasteWithKeys(combo ? static_cast<QWidget*>(combo) : into, QString::fromUtf8(c.text));
        EXPECT_EQ(cell(1, c.col), before) << c.text;
        EXPECT_EQ(into->text(), before) << c.text;
        EXPECT_EQ(w.lbSumT()->text(), sum) << c.text;
        EXPECT_EQ(prompts.lastMessageText(), "此欄只能輸入數字") << c.text;
    }

    // One number is taken, without the line break a spreadsheet cell brings along.
    prompts.clear();
    clickCell(1, QCol::Qty);
    pasteWithKeys(editors().txt(), "3\r\n");
    EXPECT_EQ(editors().txt()->text(), "3");
    EXPECT_EQ(cell(1, QCol::Qty), "3");
    EXPECT_EQ(cell(1, QCol::Amount), QString::number(3 * cell(1, QCol::Price).toDouble()));
    clickCell(1, QCol::Ratio);
    pasteWithKeys(editors().cbS(), " 1.5\n");
    EXPECT_EQ(cell(1, QCol::Ratio), "1.5");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    // Typing and undoing stay as they were: refused keys beep without a word.
    clickCell(1, QCol::Qty);
    type("2x");
    EXPECT_EQ(cell(1, QCol::Qty), "2");
    QTest::keyClick(editors().txt(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(cell(1, QCol::Qty), "3");
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    // The context menu's paste is judged as the keys are.
    const auto pasteFromMenu = [&](const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        editors().txt()->selectAll();
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* a : menu->actions())
                if (a->text().contains("Paste") || a->text().contains("貼上"))
                    a->trigger();
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(2, 2), editors().txt()->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(editors().txt(), &menuEvent);
    };
    pasteFromMenu("4\n5");
    EXPECT_EQ(cell(1, QCol::Qty), "3");
    EXPECT_EQ(prompts.lastMessageText(), "此欄只能輸入數字");
    pasteFromMenu("45");
    EXPECT_EQ(cell(1, QCol::Qty), "45");
}

TEST_F(Editing, EnterMovesToTheNextColumnTheUserMayEdit)
{
    // The rights word, and the editor's column after each Enter from 數量.
    const std::pair<int, std::vector<int>> cases[] = {{4095, {QCol::Price, QCol::Cost, QCol::Ratio, QCol::Remark}},
                                                      {4095 & ~1, {QCol::Cost, QCol::Remark}},
                                                      {4095 & ~2, {QCol::Price, QCol::Remark}},
                                                      {4095 & ~3, {QCol::Remark}}};
    for (const auto& [rights, after] : cases) {
        window(rights);
        buildTwoAreas();
        clickCell(1, QCol::Name);
        std::vector<int> columns{QCol::Standard, QCol::Unit, QCol::Qty};
        columns.insert(columns.end(), after.begin(), after.end());
        for (int expected : columns) {
            pressEnter();
            ASSERT_TRUE(editors().isOpen());
            EXPECT_EQ((std::pair{editors().row(), editors().col()}), (std::pair{1, expected})) << rights;
        }
        pressEnter();   // the remark combo goes nowhere
        EXPECT_EQ(editors().col(), QCol::Remark);
        delete &window();   // the next rights word needs a new window
    }
}

TEST_F(Editing, AnItemPickFillsTheRowFromTheLexiconAndUndoRestoresIt)
{
    frmQ& w = window();
    buildTwoAreas();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    enter(1, QCol::Name, "門");
    enter(1, QCol::Qty, "2");
    enter(1, QCol::Price, "15");

    clickCell(1, QCol::Name);
    editors().c()->click();
    QListWidget* ls = editors().Ls();
    ASSERT_TRUE(ls->isVisible());
    ASSERT_EQ(ls->count(), 2);   // the items of 木作, the nearest work type on the path
    QListWidgetItem* door = ls->findItems("木門", Qt::MatchExactly).value(0);
    ASSERT_NE(door, nullptr);
    QTest::mouseClick(ls->viewport(), Qt::LeftButton, {}, ls->visualItemRect(door).center());

    EXPECT_EQ(cells(), (QStringList{"木門", "", "樘", "1", "6500", "6500", "5000", "5000", "1.3", "木門"}));
    EXPECT_FALSE(editors().isOpen());
    EXPECT_FALSE(ls->isVisible());
    EXPECT_EQ(w.lbSumT()->text(), "6500");
    // The quantity typed next stays in the grid, never in a header field.
    ASSERT_EQ(QApplication::focusWidget(), w.hfgQ());
    QTest::keyClicks(w.hfgQ(), "5");
    EXPECT_EQ(w.cbK()->currentText(), "住宅");

    // A detail sets the cost from the lexicon.
    clickCell(1, QCol::Standard);
    QComboBox* cbD = editors().cbD();
    ASSERT_EQ(cbD->count(), 1);
    cbD->setCurrentIndex(0);
    emit cbD->activated(0);
    EXPECT_EQ(cells(), (QStringList{"木門", "實木", "樘", "1", "8060", "8060", "6200", "6200", "1.3", "木門"}));

    rowPopup("mUndo");
    EXPECT_EQ(cells().mid(0, 9), (QStringList{"門", "", "", "2", "15", "30", "", "0", "1"}));
    EXPECT_EQ(w.lbSumT()->text(), "30");
}

TEST_F(Editing, InTheNoAreaModeAnAreaPickBecomesTheFrontOfTheItemName)
{
    frmQ& w = window();
    pickNames(Q, "mAddT", {"木作"});
    ASSERT_TRUE(doc().noAreaMode());
    clickCell(1, QCol::Name);
    ASSERT_TRUE(editors().ca()->isVisible());
    editors().ca()->click();
    ASSERT_TRUE(editors().LsA()->isVisible());
    editors().LsA_Click("客廳");
    EXPECT_EQ(cell(1, QCol::Name), "客廳");
    EXPECT_TRUE(editors().T()->isVisible());
    editors().Ls_Click("木門");
    EXPECT_EQ(cell(1, QCol::Name), "客廳木門");
    EXPECT_EQ(cell(1, QCol::WorkItem), "木門");
    EXPECT_EQ(w.lbSumT()->text(), "6500");
}

TEST_F(Editing, ARemarkPhraseAndAUnitGoIntoTheirCells)
{
    frmQ& w = window();
    buildTwoAreas();
    clickCell(1, QCol::Remark);
    editors().cbPs()->setCurrentIndex(0);
    EXPECT_EQ(cell(1, QCol::Remark), "含工帶料");
    // Pastes the quotation file could not hold are refused with a word: several lines into
    // 備註, a tab or a character outside the code page into 工程案名.
    const std::pair<QLineEdit*, const char*> pastes[] = {
        {editors().cbPs()->lineEdit(), "甲\r\n乙"}, {w.cbEcn()->lineEdit(), "甲\t乙"}, {w.cbEcn()->lineEdit(), "汉"}};
    for (const auto& [into, text] : pastes) {
        prompts.clear();
        const QString before = into->text();
        QGuiApplication::clipboard()->setText(QString::fromUtf8(text));
        into->paste();
        EXPECT_EQ(into->text(), before) << text;
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1) << text;
    }
    EXPECT_EQ(cell(1, QCol::Remark), "含工帶料");
    EXPECT_EQ(doc().header().value(HeaderField::ProjectName), "新建工程");
    enter(1, QCol::Unit, "組");
    EXPECT_EQ(cell(1, QCol::Unit), "組");
    // A field separator cannot go into a cell; the editor shows what the cell holds.
    prompts.answerMessage(PromptButton::Ok);
    type("|");
    EXPECT_EQ(cell(1, QCol::Unit), "組");
    EXPECT_EQ(editors().cbU()->currentText(), "組");
}

} // namespace
} // namespace varn::test
