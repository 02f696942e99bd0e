#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace varn {

// The longest text a cell may hold, in UTF-16 units as the spreadsheet counts them.
constexpr int kMaxCellTextLength = 32767;

// Cuts a text at the cell limit without splitting a surrogate pair.
QString LimitCellText(const QString& text);

// Text as a cell stores it (UTF-8, before XML escaping): characters that XML 1.0 cannot
// carry, and the carriage return that XML parsers would fold, become _xHHHH_; a text that
// itself looks like _xHHHH_ is protected as _x005F_xHHHH_. Tabs and line feeds stay.
std::string EscapeCellText(QStringView text);
// The reverse of EscapeCellText.
QString UnescapeCellText(std::string_view stored);

// Appends text with &, < and > escaped (element content); quote too for attributes.
void AppendXmlText(std::string& out, std::string_view text);
void AppendXmlAttribute(std::string& out, std::string_view text);

} // namespace varn
