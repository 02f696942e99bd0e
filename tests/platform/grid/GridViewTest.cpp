#include "platform/grid/widgets/GridView.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <functional>

namespace varn {
namespace {

class GridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.setRows(200);
        model.setCols(20);
        for (int r = 0; r < model.rows(); ++r)
            for (int c = 0; c < model.cols(); ++c)
                model.setTextMatrix(r, c, QStringLiteral("%1/%2").arg(r).arg(c));
        view.setGridModel(&model);
        view.resize(400, 300);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    // The widget under a cell's centre, and the centre in its coordinates.
    std::pair<QWidget*, QPoint> under(int row, int col)
    {
        const QPoint p = view.cellRect(row, col).center();
        QWidget* target = view.childAt(p);
        EXPECT_NE(target, nullptr);
        return {target ? target : &view, target ? target->mapFrom(&view, p) : p};
    }
    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        const auto [target, local] = under(row, col);
        QTest::mouseClick(target, button, {}, local);
    }

    // A point of a cell's background that its text does not reach.
    static QPoint clearOf(const QRect& cell) { return {cell.right() - 2, cell.top() + 2}; }

    QColor pixelAt(const QPoint& p)
    {
        return view.grab().toImage().pixelColor(p * view.devicePixelRatioF());
    }

    // The text's ink in a cell: how far it reaches left and right (in the cell's pixels),
    // how many pixels differ from the same cell without text and how many of them have
    // the colour `fore`.
    struct Ink {
        int left = -1;
        int right = -1;
        int pixels = 0;
        int inFore = 0;
    };
    Ink inkIn(int row, int col, const QColor& fore = {})
    {
        const QString text = model.textMatrix(row, col);
        model.setTextMatrix(row, col, QString());
        const QImage blank = grabCell(row, col);
        model.setTextMatrix(row, col, text);
        const QImage shown = grabCell(row, col);
        Ink ink;
        for (int x = 0; x < shown.width(); ++x) {
            for (int y = 0; y < shown.height(); ++y) {
                if (shown.pixel(x, y) == blank.pixel(x, y))
                    continue;
                ++ink.pixels;
                if (QColor(shown.pixel(x, y)) == fore)
                    ++ink.inFore;
                const int at = static_cast<int>(x / view.devicePixelRatioF());
                ink.left = ink.left < 0 ? at : std::min(ink.left, at);
                ink.right = std::max(ink.right, at);
            }
        }
        return ink;
    }
    QImage grabCell(int row, int col)
    {
        qApp->processEvents();
        return view.grab(view.cellRect(row, col)).toImage();
    }

    // Applies a format through the current cell, as the windows do, then goes back to row 0.
    void format(int row, int col, const std::function<void()>& apply)
    {
        model.setRow(row);
        model.setCol(col);
        apply();
        model.setRow(0);
    }

    GridModel model{2, 13};
    GridView view;
};

TEST_F(GridViewTest, ColumnWidthsAreTwipsAndCellsFollowScrollingExceptTheFixedRowAndColumn)
{
    model.setColWidth(1, 1500);
    EXPECT_EQ(view.cellRect(1, 1).width(), qRound(1500 * view.logicalDpiX() / 1440.0));
    EXPECT_EQ(view.cellRect(1, 1).height(), qRound(300 * view.logicalDpiY() / 1440.0));
    for (int hidden : {2, 0}) {   // a hidden column has no width and takes no clicks
        model.setColWidth(hidden, 0);
        EXPECT_EQ(view.cellRect(1, hidden).width(), 0);
        EXPECT_EQ(view.cellAt(view.cellRect(1, hidden + 1).topLeft() + QPoint(1, 1)), std::make_pair(1, hidden + 1));
    }
    model.setColWidth(0, -1);
    format(0, 3, [&] { model.setCellBackColor(QColor(255, 0, 0)); });
    format(150, 0, [&] { model.setCellBackColor(QColor(0, 0, 255)); });
    const QRect header = view.cellRect(0, 3), firstBodyRow = view.cellRect(1, 3), far = view.cellRect(160, 12);
    EXPECT_EQ(firstBodyRow.top(), header.bottom() + 1);

    QSignalSpy scrolled(&view, &GridView::scrolled);
    view.horizontalScrollBar()->setValue(100);
    view.verticalScrollBar()->setValue(149);
    qApp->processEvents();
    EXPECT_EQ(scrolled.count(), 2);
    EXPECT_EQ(view.cellRect(160, 12).topLeft(), far.topLeft() - QPoint(100, 149 * view.gridRowHeight()));
    EXPECT_EQ(view.cellRect(0, 3).top(), header.top()) << "the header row does not scroll down";
    EXPECT_EQ(view.cellRect(150, 3).top(), firstBodyRow.top());
    EXPECT_EQ(view.cellRect(150, 0).topLeft(), QPoint(view.cellRect(0, 0).left(), firstBodyRow.top()))
        << "the fixed column scrolls with the rows only";
    EXPECT_EQ(pixelAt(clearOf(view.cellRect(0, 3))), QColor(255, 0, 0));
    EXPECT_EQ(pixelAt(clearOf(view.cellRect(150, 0))), QColor(0, 0, 255));
    for (auto [r, c] : {std::pair{0, 0}, {0, 3}, {0, 12}, {151, 0}, {160, 12}, {155, 8}})
        EXPECT_EQ(view.cellAt(view.cellRect(r, c).center()), std::make_pair(r, c));

    // Past the last row the mouse is on the last row.
    model.setRows(3);
    view.horizontalScrollBar()->setValue(0);
    qApp->processEvents();
    EXPECT_EQ(view.cellAt(view.cellRect(2, 3).center() + QPoint(0, 3 * view.gridRowHeight())), std::make_pair(2, 3));
}

TEST_F(GridViewTest, OnlyALeftClickInTheBodyMakesTheCellCurrentAndDoubleClicksAndMovesAreEmitted)
{
    const struct {
        int row, col;
        Qt::MouseButton button;
        bool clicked;   // cellClicked sent
        bool current;   // the cell became current
    } cases[] = {
        {3, 2, Qt::LeftButton, true, true},
        {0, 4, Qt::LeftButton, true, false},   // the fixed row
        {6, 4, Qt::RightButton, false, false},
    };
    for (const auto& c : cases) {
        model.setRow(5);
        model.setCol(5);
        QSignalSpy clicked(&view, &GridView::cellClicked);
        clickCell(c.row, c.col, c.button);
        ASSERT_EQ(clicked.count(), c.clicked ? 1 : 0) << c.row;
        EXPECT_EQ(clicked.value(0), c.clicked ? QVariantList({c.row, c.col}) : QVariantList());
        EXPECT_EQ(std::make_pair(view.mouseRow(), view.mouseCol()), std::make_pair(c.row, c.col));
        EXPECT_EQ(std::make_pair(model.row(), model.col()),
                  c.current ? std::make_pair(c.row, c.col) : std::make_pair(5, 5));
    }

    // A double click emits its cell; the tooltip is the model's text.
    QSignalSpy dbl(&view, &GridView::cellDoubleClicked);
    QSignalSpy clicked(&view, &GridView::cellClicked);
    const auto [target, local] = under(4, 1);
    QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    ASSERT_EQ(dbl.count(), 1);
    EXPECT_EQ(dbl.at(0), QVariantList({4, 1}));
    EXPECT_LE(clicked.count(), 1) << "the second release is no second click";

    // A move is passed on with the buttons held and the point.
    QSignalSpy moved(&view, &GridView::mouseMove);
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved.at(0).at(0).value<Qt::MouseButtons>(), Qt::MouseButtons(Qt::LeftButton));
    EXPECT_EQ(moved.at(0).at(2).toPoint(), view.cellRect(4, 1).center());

    model.setToolTipText("Ｑ‧客廳‧木作");
    QHelpEvent help(QEvent::ToolTip, local, target->mapToGlobal(local));
    QApplication::sendEvent(target, &help);
    EXPECT_EQ(QToolTip::text(), "Ｑ‧客廳‧木作");
}

TEST_F(GridViewTest, MergedHeaderRowsShowOneCell)
{
    model.setRows(5);
    model.setCols(6);
    model.setFixedRows(2);
    for (int c = 0; c < 6; ++c) {
        model.setColWidth(c, 900);
        model.setTextMatrix(0, c, c == 2 || c == 3 ? "客戶資料" : QStringLiteral("t%1").arg(c));
        model.setTextMatrix(1, c, c == 2 ? "編輯" : c == 3 ? "查詢" : "");
        for (int r : {0, 1})
            format(r, c, [&] { model.setCellBackColor(QColor(192, 255, 192)); });
    }
    model.setMergeRow(0, true);
    qApp->processEvents();
    const int boundary = view.cellRect(0, 3).left() - 1;
    const QColor merged = pixelAt(QPoint(boundary, view.cellRect(0, 2).top() + 2));
    const QColor split = pixelAt(QPoint(boundary, view.cellRect(1, 2).top() + 2));
    EXPECT_EQ(merged, QColor(192, 255, 192)) << "no grid line inside the merged cell";
    EXPECT_NE(split, QColor(192, 255, 192)) << "the second header row is not merged";
    EXPECT_EQ(view.cellRect(2, 2).top(), view.cellRect(1, 2).bottom() + 1)
        << "both header rows are fixed";
}

TEST_F(GridViewTest, RefilledWithFewerOrMoreRowsShowsTheNewRowsAndKeepsItsColumns)
{
    model.setColWidth(2, 0);
    model.setColWidth(3, 1500);
    const int width3 = view.cellRect(1, 3).width();
    const QColor back[] = {QColor(0, 0, 255), QColor(0, 160, 0), QColor(255, 0, 0)};
    int i = 0;
    for (int rows : {51, 10001, 31}) {
        model.setRedraw(false);
        model.clear();
        model.setRows(rows);
        for (int r = 1; r < rows; ++r)
            model.setTextMatrix(r, 1, QString::number(r));
        format(rows - 1, 4, [&] { model.setCellBackColor(back[i]); });
        model.setRedraw(true);
        qApp->processEvents();

        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        qApp->processEvents();
        const QPoint bottom(view.cellRect(1, 1).center().x(), view.viewport()->geometry().bottom() - 2);
        EXPECT_EQ(view.cellAt(bottom).first, rows - 1) << rows;
        EXPECT_EQ(pixelAt(clearOf(view.cellRect(rows - 1, 4))), back[i]) << rows;
        EXPECT_EQ(view.cellRect(rows - 1, 2).width(), 0) << rows;
        EXPECT_EQ(view.cellRect(rows - 1, 3).width(), width3) << rows;
        ++i;
    }
}

TEST_F(GridViewTest, CellTextIsDrawnInItsColoursWhereItsAlignmentPutsItAndChangesShowAtOnce)
{
    const QColor fore(200, 0, 0);
    model.setColWidth(3, 3000);
    format(4, 3, [&] {
        model.setCellBackColor(QColor(255, 255, 255));
        model.setCellForeColor(fore);
    });
    const int width = view.cellRect(4, 3).width();

    const struct {
        QString text;
        CellAlign align;
        bool atLeft, atRight;
    } cases[] = {
        {"1234", CellAlign::Default, false, true},   // numbers go right
        {"木門", CellAlign::Default, true, false},
        {"1234", CellAlign::Left, true, false},
        {"木門", CellAlign::Right, false, true},
        {"木門", CellAlign::Center, false, false},
    };
    for (const auto& c : cases) {
        model.setTextMatrix(4, 3, c.text);
        format(4, 3, [&] { model.setCellAlignment(c.align); });
        const Ink ink = inkIn(4, 3, fore);
        const std::string what = c.text.toStdString() + " " + std::to_string(int(c.align));
        ASSERT_GT(ink.pixels, 0) << what;
        EXPECT_GT(ink.inFore, 0) << what;
        EXPECT_EQ(ink.left < width / 4, c.atLeft) << what;
        EXPECT_EQ(ink.right > width * 3 / 4, c.atRight) << what;
        if (!c.atLeft && !c.atRight) {
            EXPECT_NEAR(ink.left, width - 1 - ink.right, 4) << what;
        }
    }

    // Changed texts and fonts show at once.
    format(4, 3, [&] { model.setCellAlignment(CellAlign::Left); });

    model.setTextMatrix(4, 3, "木");
    const Ink one = inkIn(4, 3);
    model.setTextMatrix(4, 3, "木木木木");
    const Ink four = inkIn(4, 3);
    EXPECT_GT(four.right, one.right + (one.right - one.left));

    format(4, 3, [&] { model.setCellFontSize(20); });
    const Ink larger = inkIn(4, 3);
    EXPECT_GT(larger.right, four.right) << "a larger font is drawn larger";

    model.setTextMatrix(4, 3, "上\n下");
    EXPECT_GT(inkIn(4, 3).pixels, 0) << "a text with a line break is shown too";
}

} // namespace
} // namespace varn
