#include "excel_output/SheetPlan.h"

#include "platform/text/VbNumber.h"

namespace varn {

namespace {

// Below 4 pt a remark is past reading however it is laid out: there it shrinks on its one
// line, as a cell of the templates does, and stays whole.
constexpr double kSmallestWrappedRemark = 4;

} // namespace

void SheetPlan::put(int row, int column, PlannedValue value, HorizontalAlignment alignment,
                    const QString& numberFormat)
{
    if (!CellRef::isValid(row, column))
        throw PrintPlanError(QStringLiteral("列印資料超出工作表範圍（第 %1 列）").arg(row));
    cells.push_back({row, column, std::move(value), alignment, numberFormat});
}

void SheetPlan::putRemark(int row, int column, const QString& remark)
{
    put(row, column, remark);
    cells.back().fitInRow = true;
}

void SheetPlan::merge(int row, int firstColumn, int lastColumn)
{
    if (lastColumn > firstColumn)
        merges.push_back({{row, firstColumn}, {row, lastColumn}});
}

void SheetPlan::emphasize(int row, int column, double fontSize)
{
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        if (it->row == row && it->column == column) {
            it->bold = true;
            it->fontSize = fontSize;
            return;
        }
    }
}

const PlannedCell* SheetPlan::at(int row, int column) const
{
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        if (it->row == row && it->column == column)
            return &*it;
    }
    return nullptr;
}

QString SheetPlan::textAt(int row, int column) const
{
    const PlannedCell* c = at(row, column);
    if (!c)
        return {};
    if (const auto* text = std::get_if<QString>(&c->value))
        return *text;
    return CStr(std::get<double>(c->value));
}

void WritePlan(Worksheet& sheet, const SheetPlan& plan)
{
    const int height = plan.block.rows();
    for (int k = 1; k < plan.blocks; ++k) {
        const int top = plan.blockTop(k);
        sheet.copyRange(plan.block, CellRef{top, plan.block.topLeft.column});
        sheet.addRowPageBreak(top);
        for (int r = 0; r < height; ++r)
            sheet.copyRowHeight(plan.block.topLeft.row + r, top + r);
    }
    for (const PlannedCopy& copy : plan.copies) {
        sheet.copyRange(copy.source, CellRef{copy.toRow, copy.source.topLeft.column});
        // From the bottom up, so that an overlapping copy reads each height before it is replaced.
        for (int r = copy.source.rows() - 1; r >= 0; --r)
            sheet.copyRowHeight(copy.source.topLeft.row + r, copy.toRow + r);
    }
    for (const PlannedCell& c : plan.cells) {
        if (const auto* text = std::get_if<QString>(&c.value))
            sheet.setText(c.row, c.column, *text);
        else
            sheet.setNumber(c.row, c.column, std::get<double>(c.value));
        if (c.bold)
            sheet.setBold(c.row, c.column, true);
        if (c.fontSize > 0)
            sheet.setFontSize(c.row, c.column, c.fontSize);
        if (c.alignment != HorizontalAlignment::General)
            sheet.setHorizontalAlignment(c.row, c.column, c.alignment);
        if (!c.numberFormat.isEmpty())
            sheet.setNumberFormat(c.row, c.column, c.numberFormat);
        if (c.fitInRow)
            sheet.fitTextInRow(c.row, c.column, kSmallestWrappedRemark);
    }
    for (const CellRange& m : plan.merges)
        sheet.mergeCells(m);
}

} // namespace varn
