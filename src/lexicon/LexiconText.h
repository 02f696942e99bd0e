#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace varn {

// Rules for the texts typed into the lexicon.

// The 詞庫 編輯 right: character 10 of the rights text.
bool CanEditLexicon(int rights);

// A cost, ratio or markup as the tables store it: the number when the text reads as one
// (blanks around it allowed), else 0.
QVariant StoredNumber(const QString& text);

// Whether a typed character is refused by the numeric columns (成本, 比例, 加成金): they
// take what the quotation's numeric editor takes. Control characters (Tab, Delete, Esc,
// Ctrl+V...) are no typed characters and always pass.
bool NumericKeyRefused(QChar key);

// A text that reached a numeric column or the 比例 list, typed or pasted: the message that
// refuses it, or nothing. Only digits and "." are taken, and the number must stay within
// the quotation's limit however long it is (so no "NaN", "inf" or 310 digits read as 0 is
// ever stored).
std::optional<QString> NumberRefusal(const QString& text);

// Names are compared as the tables compare them: without regard to letter case.
bool SameName(const QString& a, const QString& b);
bool ContainsName(const QStringList& names, const QString& name);
// Names that differ only by blanks before or after them (the blank, the ideographic blank,
// tabs and other white space) show alike in every list: a list refuses one beside the other.
bool LookAlike(const QString& a, const QString& b);

// A name a quotation file cannot hold (its field and path separators, a line break):
// the message to show, or nothing when the name is fine.
std::optional<QString> NameRefusal(const QString& name);

} // namespace varn
