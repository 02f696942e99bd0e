#pragma once

#include "platform/workbook/CellRef.h"

#include <QString>

#include <array>
#include <vector>

namespace varn {

class Worksheet;

constexpr int kPlaceholderCount = 17;
using PlaceholderValues = std::array<QString, kPlaceholderCount>;

// "#客戶名稱#" … "#公司email#", in the order they are tried.
const std::array<QString, kPlaceholderCount>& PlaceholderNames();

// The values for a print: the quotation header, the date split at "/" (missing parts
// empty) and the firm's six texts (name, address, telephone, fax, tax number, e-mail).
struct PlaceholderSource {
    QString customerName, projectName, siteAddress, telephone, fax, contact;
    QString quoteDate, quoteNo, salesperson;
    std::array<QString, 6> firm;
};
PlaceholderValues MakePlaceholderValues(const PlaceholderSource& source);

// Every placeholder in the text replaced by its value in one pass from left to right
// (exact, case-sensitive): a value put in is never looked at again.
QString ReplacePlaceholders(const QString& text, const PlaceholderValues& values);

// The pass over the cells of the ranges, each cell once even where the ranges overlap; only
// cells that change are written, as text. A written text that wraps in its cell takes the
// size and row height that show it whole, never below 8 pt.
void FillPlaceholders(Worksheet& sheet, const std::vector<CellRange>& ranges, const PlaceholderValues& values);

} // namespace varn
