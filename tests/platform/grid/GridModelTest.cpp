#include "platform/grid/GridModel.h"

#include <gtest/gtest.h>

namespace varn {
namespace {

// The windows reach most of the model; these are the moves and spans they leave out.

TEST(GridModel, ARowMovesWithItsFormatsAndMergeFlagAndTheCurrentRowTakesTheSelection)
{
    GridModel m(6, 3);
    for (int r = 0; r < m.rows(); ++r)
        m.setTextMatrix(r, 0, QStringLiteral("r%1").arg(r));
    const CellFormat format{QColor(Qt::blue), QColor(), CellAlign::Right, true, 14};
    m.setCellFormat(1, 2, format);
    m.setMergeRow(1, true);
    const std::pair<int, int> moves[] = {{1, 4}, {4, 2}};   // down, then up again
    const QStringList after[] = {{"r0", "r2", "r3", "r4", "r1", "r5"}, {"r0", "r2", "r1", "r3", "r4", "r5"}};
    for (int i = 0; i < 2; ++i) {
        m.setRowPosition(moves[i].first, moves[i].second);
        QStringList column;
        for (int r = 0; r < m.rows(); ++r)
            column << m.textMatrix(r, 0);
        EXPECT_EQ(column, after[i]) << i;
        EXPECT_EQ(m.cellFormat(moves[i].second, 2), format) << i;
        EXPECT_TRUE(m.mergeRow(moves[i].second) && !m.mergeRow(moves[i].first)) << i;
    }
    m.setRowSel(5);
    m.setRow(3);
    EXPECT_EQ(m.rowSel(), 3);
}

TEST(GridModel, ShrinkingClampsTheSelectionClearDropsFormatsAndNewColumnsTakeTheDefaultWidth)
{
    GridModel m(10, 3);
    m.setRow(9);
    m.setRows(4);
    EXPECT_EQ(m.rowSel(), 3);
    m.setCellBackColor(QColor(Qt::red));   // the current cell, (3, 0)
    m.clear();
    EXPECT_EQ(m.cellFormat(3, 0), CellFormat{});
    m.setColWidth(2, 700);
    m.setCols(2);
    m.setCols(3);
    EXPECT_EQ(m.colWidth(2), -1);
}

TEST(GridModel, EqualNeighboursOfAMergedRowFormOneSpanButBlankCellsStaySingle)
{
    // The rights grid's header: pair titles over 編輯 / 查詢.
    GridModel m(2, 6);
    const QStringList titles = {"", "", "客戶資料", "客戶資料", "系統設定", ""};
    for (int c = 0; c < 6; ++c)
        m.setTextMatrix(0, c, titles[c]);
    EXPECT_EQ(m.mergedSpan(0, 2), std::make_pair(2, 2)) << "an unmerged row has no spans";
    m.setMergeRow(0, true);
    const std::pair<int, std::pair<int, int>> spans[] = {{2, {2, 3}}, {3, {2, 3}}, {4, {4, 4}}, {1, {1, 1}}};
    for (const auto& [col, span] : spans)
        EXPECT_EQ(m.mergedSpan(0, col), span) << col;
}

} // namespace
} // namespace varn
