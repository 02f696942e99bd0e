#pragma once

// Estimates of the room a wrapped cell text takes, for sheets whose rows must hold their
// texts in programs that do not grow rows when they open a file. They err on the large
// side: a row a little too high reads well, one too low prints lines over its neighbours.

#include <QString>

namespace varn {

// A column width in characters of the default font (as stored in the sheet) in points.
double ColumnWidthPoints(double characters);

// The lines a text takes when it wraps inside widthPoints: a wide (East Asian) character
// takes the font size, any other character 0.6 of it; a line may break between wide
// characters, at a blank or at a line feed, inside a word only when the word is wider than
// the line. An empty text takes one line.
int WrappedLineCount(const QString& text, double widthPoints, double fontPoints);

// The row height, in points, that shows that many lines of that font size, at most the
// 409 pt a row can have.
double RowHeightForLines(int lines, double fontPoints);

// Whether that many lines of that font size stay inside a row of rowPoints that cannot
// grow. Closer than RowHeightForLines, which may err high: here erring high would make
// the text smaller than its row allows.
bool LinesFitRow(int lines, double fontPoints, double rowPoints);

} // namespace varn
