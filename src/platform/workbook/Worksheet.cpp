#include "platform/workbook/Worksheet.h"

#include "platform/workbook/SheetPart.h"

namespace varn {

Worksheet::Worksheet(std::unique_ptr<SheetPart> part)
    : d(std::move(part))
{
}

Worksheet::~Worksheet() = default;

QString Worksheet::name() const { return d->name(); }
QString Worksheet::text(int row, int column) const { return d->text(row, column); }
bool Worksheet::hasValue(int row, int column) const { return d->hasValue(row, column); }
std::optional<CellRange> Worksheet::laidOutRange() const { return d->laidOutRange(); }

void Worksheet::setText(int row, int column, const QString& text) { d->setText(row, column, text); }
void Worksheet::setNumber(int row, int column, double value) { d->setNumber(row, column, value); }
void Worksheet::clearValue(int row, int column) { d->clearValue(row, column); }

void Worksheet::setHorizontalAlignment(int row, int column, HorizontalAlignment alignment)
{
    d->setHorizontalAlignment(row, column, alignment);
}

void Worksheet::setNumberFormat(int row, int column, const QString& code) { d->setNumberFormat(row, column, code); }
void Worksheet::setBold(int row, int column, bool bold) { d->setBold(row, column, bold); }
void Worksheet::setFontSize(int row, int column, double points) { d->setFontSize(row, column, points); }
void Worksheet::setThinBorders(const CellRange& range, unsigned edges) { d->setThinBorders(range, edges); }
void Worksheet::mergeCells(const CellRange& range) { d->mergeCells(range); }

void Worksheet::copyRange(const CellRange& source, const CellRef& destination) { d->copyRange(source, destination); }
void Worksheet::copyRowHeight(int fromRow, int toRow) { d->copyRowHeight(fromRow, toRow); }
void Worksheet::fitRowHeights(int firstRow, int lastRow) { d->fitRowHeights(firstRow, lastRow); }
void Worksheet::fitWrappedText(int row, int column, double minPoints, double rowBudget)
{
    d->fitWrappedText(row, column, minPoints, rowBudget);
}
void Worksheet::fitTextInRow(int row, int column, double minPoints) { d->fitTextInRow(row, column, minPoints); }

void Worksheet::addRowPageBreak(int beforeRow) { d->addRowPageBreak(beforeRow); }
void Worksheet::addColumnPageBreak(int beforeColumn) { d->addColumnPageBreak(beforeColumn); }
void Worksheet::setZoom(int percent) { d->setZoom(percent); }
void Worksheet::setPrintTitleRows(const QString& rows) { d->setPrintTitleRows(rows); }
void Worksheet::setPrintTitleColumns(const QString& columns) { d->setPrintTitleColumns(columns); }
void Worksheet::setPrintArea(const QString& area) { d->setPrintArea(area); }

} // namespace varn
