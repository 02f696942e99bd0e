#pragma once

#include <QString>
#include <QStringList>

namespace varn {

// Record codes of the customer, vendor and employee registers: a prefix and a running
// number of at least three digits. The prefix is the name's first character upper-cased
// when it is a Latin letter A to Z, otherwise the two-digit stroke class of that character
// (StrokePrefix), so a code has 4 characters under a letter and 5 under a stroke class.

// The prefix for a new record of this name; empty for an empty name.
QString RecordCodePrefix(const QString& name);

// The next code under the prefix: one more than the greatest running number among the
// stored codes that begin with it ("001" when there is none). The prefix is matched
// without regard to case, as the database's LIKE does; codes whose number part is not all
// digits are passed over; numbers go on past 999 (A999 is followed by A1000).
QString NextRecordCode(const QString& prefix, const QStringList& storedCodes);

// RecordCodePrefix and NextRecordCode together; empty for an empty name.
QString NewRecordCode(const QString& name, const QStringList& storedCodes);

// The prefix of a stored code: its first character when that is a letter, otherwise its
// first two characters.
QString RecordCodePrefixOf(const QString& code);

// The 59 prefixes the registers are browsed by: "01" to "33", then "A" to "Z".
QStringList RecordCodePrefixes();

} // namespace varn
