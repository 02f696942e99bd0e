// The row popup opened by a right click in the empty area below the item rows: its
// commands act at the first free row and leave every filled row as it was, while a right
// click on a filled row still acts on that row.
#include "WindowFixture.h"

namespace varn::test {
namespace {

class RowMenuBelowRows : public WindowTest {
protected:
    // Two rows picked from the lexicon (木門, 天花板), the second one copied, and the work
    // type shown again: it holds its two stored rows and not one row more.
    void SetUp() override
    {
        WindowTest::SetUp();
        frmQ& w = window();
        buildTwoAreas();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        clickCell(1, QCol::Name);
        pickItem("木門");
        clickCell(2, QCol::Name);
        pickItem("天花板");
        selectRows(2, 2);
        chooseAt(cellPoint(2, QCol::Selector), "mCpq");
        showAgain();
        ASSERT_EQ(doc().hfgQ().rows(), 3);
        door = row(1);
        ceiling = row(2);
        ASSERT_EQ(door.value(QCol::WorkItem - 1), "木門");
        ASSERT_EQ(ceiling.value(QCol::Cost - 1), "3000");
    }

    void showAgain()
    {
        window().tv_NodeClick(LeafPath({"客廳"}));
        window().tv_NodeClick(LeafPath({"客廳", "木作"}));
    }

    // Every column of a row but the selector, the hidden lexicon item included.
    QStringList row(int r)
    {
        QStringList out;
        for (int c = QCol::Path; c <= QCol::WorkItem; ++c)
            out << cell(r, c);
        return out;
    }
    // The copied row as 貼上 writes it: 品名 to 備註 only.
    QStringList pasted(const QStringList& copied) const
    {
        QStringList out(copied.size());
        for (int c = QCol::Name; c <= QCol::Remark; ++c)
            out[c - 1] = copied[c - 1];
        return out;
    }
    QStringList empty() const { return QStringList(QCol::WorkItem); }

    QPoint cellPoint(int r, int col) { return window().hfgQ()->cellRect(r, col).center(); }
    // A point in the empty area under the last row, in that column.
    QPoint belowRows(int col)
    {
        GridView* grid = window().hfgQ();
        QApplication::processEvents();
        const QRect last = grid->cellRect(doc().hfgQ().rows() - 1, col);
        const QPoint at(last.center().x(), last.bottom() + 2 * last.height());
        EXPECT_LT(at.y(), grid->viewport()->geometry().bottom());
        return at;
    }

    void rightClick(const QPoint& at)
    {
        GridView* grid = window().hfgQ();
        QWidget* target = grid->childAt(at);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::RightButton, {}, target->mapFrom(grid, at));
        QApplication::processEvents();
    }
    // The names of the row popup's commands that are on.
    QStringList menuOn()
    {
        QStringList on;
        for (const char* name : {"mInsQ", "mInsQcp", "mDelQ", "mCpq", "mPstQ"})
            if (enabled(name))
                on << QString::fromLatin1(name);
        return on;
    }
    // A right click at the point of the grid, then the command clicked in the popup.
    void chooseAt(const QPoint& at, const char* command)
    {
        rightClick(at);
        QMenu* menu = window().mQ();
        ASSERT_TRUE(menu->isVisible());
        ASSERT_TRUE(enabled(command)) << command;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(act(command)).center());
        QApplication::processEvents();
        EXPECT_FALSE(menu->isVisible());
    }
    void closeMenu()
    {
        QTest::keyClick(window().mQ(), Qt::Key_Escape);
        QApplication::processEvents();
    }

    QStringList door, ceiling;
};

TEST_F(RowMenuBelowRows, PasteFillsTheFirstFreeRowsAndKeepsEveryFilledRow)
{
    // No free row in the grid: the pasted row comes after the last filled one.
    chooseAt(belowRows(QCol::Selector), "mPstQ");
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
    EXPECT_EQ(row(3), pasted(ceiling));
    EXPECT_EQ(doc().hfgQ().rows(), 4);

    // With free rows under them, the first of those takes the paste, not the last grid row.
    clickCell(doc().hfgQ().rows() - 1, QCol::Remark);
    editors().HideCellEditors();
    ASSERT_EQ(doc().hfgQ().rows(), 14);
    chooseAt(belowRows(QCol::Selector), "mPstQ");
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
    EXPECT_EQ(row(4), pasted(ceiling));
    for (int r = 5; r < doc().hfgQ().rows(); ++r)
        EXPECT_EQ(row(r), empty()) << r;

    // Stored and shown again, the work type holds its rows in order.
    showAgain();
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
    EXPECT_EQ(row(3), pasted(ceiling));
    EXPECT_EQ(row(4), pasted(ceiling));
}

TEST_F(RowMenuBelowRows, InsertsGoToTheFirstFreeRowAndCopyAndDeleteAreOff)
{
    // A selection of both filled rows is not what a click below the rows points at.
    selectRows(1, 2);
    rightClick(belowRows(QCol::Selector));
    ASSERT_TRUE(window().mQ()->isVisible());
    EXPECT_EQ(menuOn(), (QStringList{"mInsQ", "mInsQcp", "mPstQ"}));
    closeMenu();
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);

    chooseAt(belowRows(QCol::Selector), "mInsQ");
    EXPECT_EQ(doc().hfgQ().rows(), 4);
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
    EXPECT_EQ(row(3), empty());

    chooseAt(belowRows(QCol::Selector), "mInsQcp");
    EXPECT_EQ(doc().hfgQ().rows(), 5);
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
    EXPECT_EQ(row(3), pasted(ceiling));
    EXPECT_EQ(row(4), empty());

    // A selection still counts where the user points at a filled row.
    selectRows(1, 2);
    rightClick(cellPoint(1, QCol::Selector));
    EXPECT_EQ(menuOn(), (QStringList{"mInsQ", "mInsQcp", "mDelQ", "mCpq", "mPstQ"}));
    closeMenu();
}

TEST_F(RowMenuBelowRows, ARightClickInADataColumnBelowTheRowsPointsAtTheFirstFreeRow)
{
    // The editor open on row 1 stays open, no popup opens, and no row changes.
    clickCell(1, QCol::Qty);
    ASSERT_TRUE(editors().isOpen());
    rightClick(belowRows(QCol::Qty));
    EXPECT_FALSE(window().mQ()->isVisible());
    EXPECT_TRUE(editors().isOpen());
    EXPECT_EQ(doc().editRow(), 3);
    EXPECT_EQ(doc().hfgQ().rows(), 3);
    EXPECT_EQ(row(1), door);
    EXPECT_EQ(row(2), ceiling);
}

TEST_F(RowMenuBelowRows, ARightClickOnAFilledRowStillActsOnThatRow)
{
    chooseAt(cellPoint(1, QCol::Selector), "mPstQ");
    EXPECT_EQ(row(1).mid(QCol::Name - 1, 10), ceiling.mid(QCol::Name - 1, 10));
    EXPECT_EQ(row(2), ceiling);

    chooseAt(cellPoint(2, QCol::Selector), "mInsQ");
    EXPECT_EQ(row(2), empty());
    EXPECT_EQ(row(3), ceiling);

    selectRows(3, 3);
    chooseAt(cellPoint(3, QCol::Selector), "mDelQ");
    EXPECT_EQ(row(2), empty());
    EXPECT_EQ(doc().hfgQ().rows(), 3);
}

} // namespace
} // namespace varn::test
