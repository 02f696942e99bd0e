#include "platform/workbook/Workbook.h"

#include "platform/workbook/BookPart.h"

namespace varn {

Workbook::Workbook(std::unique_ptr<BookPart> part)
    : d(std::move(part))
{
}

Workbook Workbook::open(const QString& path)
{
    return Workbook(std::make_unique<BookPart>(path));
}

Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

QString Workbook::path() const { return d->file(); }
int Workbook::worksheetCount() const { return d->worksheetCount(); }
QString Workbook::worksheetName(int position) const { return d->worksheetName(position); }
Worksheet& Workbook::worksheet(int position) { return d->worksheet(position); }
void Workbook::saveAs(const QString& path) { d->saveAs(path); }

} // namespace varn
