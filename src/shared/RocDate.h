#pragma once

#include <QDate>
#include <QString>

namespace varn {

// Dates in the Republic of China calendar: the year counted from 1912 (year − 1911).
// The calendar starts on 1912-01-01; an earlier or invalid date gives an empty text.

// Quotation form "ee/mm/dd": year, month and day each at least two digits
// (2003-02-19 gives "92/02/19", 2023-02-19 gives "112/02/19").
QString FormatRocDate(const QDate& date);

// Register form, no leading zeros (2003-02-19 gives "92/2/19").
QString FormatRocDateShort(const QDate& date);

// Reads either form back ("92/02/19", "92/2/19", blanks around the parts allowed);
// an invalid QDate when the text is not a date of the calendar.
QDate ParseRocDate(const QString& text);

} // namespace varn
