#include "platform/grid/GridModel.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

// Counts every notification the model sends.
struct Signals {
    int cell = 0;
    int current = 0;
    int rowSel = 0;
    int structure = 0;
    explicit Signals(GridModel& m)
    {
        QObject::connect(&m, &GridModel::cellChanged, [this](int, int) { ++cell; });
        QObject::connect(&m, &GridModel::currentCellChanged, [this](int, int) { ++current; });
        QObject::connect(&m, &GridModel::rowSelChanged, [this](int) { ++rowSel; });
        QObject::connect(&m, &GridModel::structureChanged, [this] { ++structure; });
    }
    int total() const { return cell + current + rowSel + structure; }
};

CellFormat withBack(const QColor& c)
{
    CellFormat f;
    f.back = c;
    return f;
}

// Rows hold "r<row>c<col>" so a moved row is recognisable.
void fillNamed(GridModel& m)
{
    for (int r = 0; r < m.rows(); ++r)
        for (int c = 0; c < m.cols(); ++c)
            m.setTextMatrix(r, c, QStringLiteral("r%1c%2").arg(r).arg(c));
}

QStringList column(const GridModel& m, int col)
{
    QStringList out;
    for (int r = 0; r < m.rows(); ++r)
        out << m.textMatrix(r, col);
    return out;
}

TEST(GridModelShape, ResizingKeepsTextsAndWidthsAtTheStart)
{
    GridModel m(3, 3);
    EXPECT_EQ(m.fixedRows() + m.fixedCols(), 2);   // one fixed row and column
    fillNamed(m);
    m.setColWidth(1, 500);
    m.setColWidth(2, 700);
    m.setRows(2);
    m.setRows(4);   // dropped rows come back empty
    m.setCols(2);
    m.setCols(4);   // and a dropped column with the default width
    EXPECT_EQ(column(m, 1), QStringList({"r0c1", "r1c1", "", ""}));
    EXPECT_EQ(column(m, 2), QStringList({"", "", "", ""}));
    EXPECT_EQ(std::make_pair(m.colWidth(1), m.colWidth(2)), std::make_pair(500, -1));
    m.setColWidth(1, -5);   // a negative width is the default
    EXPECT_EQ(m.colWidth(1), -1);
}

TEST(GridModelShape, CurrentCellIsClampedToTheGrid)
{
    GridModel m(10, 5);
    m.setRow(9);
    m.setCol(4);
    m.setRowSel(3);
    Signals s(m);
    m.setRows(4);
    m.setCols(2);
    EXPECT_EQ(std::make_tuple(m.row(), m.rowSel(), m.col()), std::make_tuple(3, 3, 1));
    EXPECT_GE(s.current, 1);

    m.setRow(99);
    m.setCol(-3);
    EXPECT_EQ(std::make_pair(m.row(), m.col()), std::make_pair(3, 0));
    m.setRowSel(-1);
    EXPECT_EQ(m.rowSel(), 0);
}

TEST(GridModelShape, RemovingARunOfRows)
{
    const struct {
        int first, count;
        QStringList left;
    } cases[] = {
        {1, 2, {"r0c1", "r3c1", "r4c1"}},
        {3, 9, {"r0c1", "r1c1", "r2c1"}},   // as many as there are
        {0, 5, {}},
        {5, 1, {"r0c1", "r1c1", "r2c1", "r3c1", "r4c1"}},
        {-1, 2, {"r0c1", "r1c1", "r2c1", "r3c1", "r4c1"}},
        {2, 0, {"r0c1", "r1c1", "r2c1", "r3c1", "r4c1"}},
        {0, 1, {"r1c1", "r2c1", "r3c1", "r4c1"}},   // one row, as removeRow takes it
    };
    for (const auto& c : cases) {
        GridModel m(5, 2);
        fillNamed(m);
        m.setRow(4);
        Signals s(m);
        if (c.count == 1)
            m.removeRow(c.first);
        else
            m.removeRows(c.first, c.count);
        EXPECT_EQ(column(m, 1), c.left) << c.first << " " << c.count;
        EXPECT_EQ(s.structure, c.left.size() < 5 ? 1 : 0) << c.first << " " << c.count;
        EXPECT_EQ(m.row(), std::max(static_cast<int>(c.left.size()) - 1, 0)) << "the current row stays inside";
    }
    GridModel m(3, 2);
    fillNamed(m);
    m.insertRow(1);
    m.insertRow(m.rows());
    m.insertRow(-1);
    EXPECT_EQ(column(m, 1), QStringList({"r0c1", "", "r1c1", "r2c1", ""}));
}

TEST(GridModelCells, ReadsOutsideAreEmptyAndWritesOrMovesOutsideAreIgnored)
{
    GridModel m(3, 3);
    fillNamed(m);
    Signals s(m);
    m.setTextMatrix(3, 0, "x");
    m.setTextMatrix(0, 3, "x");
    m.setTextMatrix(-1, 1, "x");
    m.setCellFormat(5, 5, withBack(Qt::red));
    m.setRowPosition(1, 3);
    m.setRowPosition(-1, 0);
    m.setRowPosition(1, 1);
    EXPECT_EQ(s.total(), 0);
    EXPECT_EQ(column(m, 0), QStringList({"r0c0", "r1c0", "r2c0"}));
    EXPECT_EQ(m.textMatrix(3, 0) + m.textMatrix(-1, -1), QString());
    EXPECT_EQ(m.cellFormat(7, 1), CellFormat{});
    EXPECT_FALSE(m.mergeRow(40));
}

TEST(GridModelClear, TextAndFormatsGoToTheCurrentCellAndClearDropsThemButKeepsTheShape)
{
    GridModel m(4, 3);
    fillNamed(m);
    m.setRow(2);
    m.setCol(2);
    m.setText("abc");
    m.setCellBackColor(QColor(255, 255, 192));
    m.setCellForeColor(QColor(192, 0, 0));
    m.setCellAlignment(CellAlign::Center);
    m.setCellFontBold(true);
    m.setCellFontSize(12);
    EXPECT_EQ(m.textMatrix(2, 2), "abc");
    EXPECT_EQ(m.cellFormat(2, 2), (CellFormat{QColor(255, 255, 192), QColor(192, 0, 0), CellAlign::Center, true, 12}));
    m.setColWidth(1, 900);
    m.setColAlignment(2, CellAlign::Center);
    m.clear();
    EXPECT_EQ(std::make_pair(m.rows(), m.cols()), std::make_pair(4, 3));
    for (int c = 0; c < 3; ++c)
        EXPECT_EQ(column(m, c), QStringList({"", "", "", ""})) << c;
    EXPECT_EQ(m.cellFormat(2, 2), CellFormat{});
    EXPECT_EQ(std::make_pair(m.colWidth(1), m.colAlignment(2)), std::make_pair(900, CellAlign::Center));
}

TEST(GridModelRowPosition, MovesARowWithItsFormatsAndMergeFlag)
{
    GridModel m(6, 3);
    fillNamed(m);
    const CellFormat format{QColor(Qt::blue), QColor(), CellAlign::Right, true, 14};
    m.setCellFormat(1, 2, format);
    m.setMergeRow(1, true);
    m.setRowPosition(1, 4);   // down
    EXPECT_EQ(column(m, 0), QStringList({"r0c0", "r2c0", "r3c0", "r4c0", "r1c0", "r5c0"}));
    EXPECT_EQ(m.cellFormat(4, 2), format);
    EXPECT_TRUE(m.mergeRow(4) && !m.mergeRow(1));

    m.setRowPosition(4, 2);   // and up again
    EXPECT_EQ(column(m, 0), QStringList({"r0c0", "r2c0", "r1c0", "r3c0", "r4c0", "r5c0"}));
    EXPECT_EQ(m.cellFormat(2, 2), format);
    EXPECT_TRUE(m.mergeRow(2));
}

TEST(GridModelMerge, EqualNeighboursOfAMergedRowFormOneSpan)
{
    // The rights grid's header: pair titles over 編輯 / 查詢.
    GridModel m(3, 8);
    m.setFixedRows(2);
    const QStringList titles = {"", "員工姓名", "價格可見", "成本可見", "報 價 單", "客戶資料", "客戶資料", "系統設定"};
    for (int c = 0; c < 8; ++c) {
        m.setTextMatrix(0, c, titles[c]);
        m.setTextMatrix(1, c, titles[c]);
    }
    EXPECT_EQ(m.mergedSpan(0, 5), std::make_pair(5, 5)) << "an unmerged row has no spans";
    m.setMergeRow(0, true);
    const std::pair<int, std::pair<int, int>> spans[] = {
        {5, {5, 6}}, {6, {5, 6}}, {4, {4, 4}}, {7, {7, 7}},
        {0, {0, 0}},   // blank cells stay single
    };
    for (const auto& [col, span] : spans)
        EXPECT_EQ(m.mergedSpan(0, col), span) << col;
    EXPECT_EQ(m.mergedSpan(1, 5), std::make_pair(5, 5));
    EXPECT_EQ(m.mergedSpan(7, 2), std::make_pair(2, 2)) << "outside the grid";
    m.setTextMatrix(0, 6, "other");
    EXPECT_EQ(m.mergedSpan(0, 5), std::make_pair(5, 5));
}

TEST(GridModelNotify, EachChangeSendsOneSignalOfItsKind)
{
    GridModel m(10, 4);
    m.setRow(1);
    m.setCol(1);
    Signals s(m);
    m.setTextMatrix(3, 3, "a");
    m.setTextMatrix(3, 3, "a");   // unchanged
    EXPECT_EQ(std::make_pair(m.row(), m.col()), std::make_pair(1, 1)) << "the current cell stays";
    EXPECT_EQ(std::make_tuple(s.cell, s.current, s.rowSel), std::make_tuple(1, 0, 0));
    m.setRow(2);
    m.setRowSel(6);
    EXPECT_EQ(std::make_tuple(s.current, s.rowSel, m.rowSel()), std::make_tuple(1, 2, 6));
    m.setRow(4);   // the selection collapses onto the row
    EXPECT_EQ(m.rowSel(), 4);
    m.setRows(5);
    m.setColWidth(1, 300);
    m.setRowPosition(1, 2);
    m.setMergeRow(0, true);
    m.clear();
    EXPECT_EQ(s.structure, 5);
}

TEST(GridModelNotify, RedrawOffSilencesEverythingAndOnSendsOneReset)
{
    GridModel m(2, 13);
    Signals s(m);
    m.setRedraw(false);
    m.setRows(100);
    m.setRow(99);
    m.setCol(12);
    m.setTextMatrix(99, 12, "x");
    m.setCellBackColor(QColor(255, 255, 192));
    m.setColWidth(2, 3000);
    EXPECT_EQ(s.total(), 0);
    m.setRedraw(true);
    EXPECT_EQ(std::make_pair(s.structure, s.total()), std::make_pair(1, 1));
    EXPECT_EQ(m.textMatrix(99, 12), "x");
    m.setRedraw(true);
    EXPECT_EQ(s.total(), 1) << "switching on twice sends nothing more";
}

} // namespace
} // namespace varn
