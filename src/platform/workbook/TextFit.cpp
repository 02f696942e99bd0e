#include "platform/workbook/TextFit.h"

#include <QStringList>

#include <algorithm>

namespace varn {

namespace {

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == 0x3000;
}

int paragraphLines(const QString& paragraph, double width, double size)
{
    const auto advance = [&](char32_t c) { return isWide(c) ? size : 0.6 * size; };
    const std::u32string chars = paragraph.toStdU32String();
    int lines = 1;
    double x = 0;
    for (size_t i = 0; i < chars.size();) {
        // The next piece that stays on one line: a wide character, a blank or a word.
        size_t end = i + 1;
        if (!isWide(chars[i]) && !isBlank(chars[i]))
            while (end < chars.size() && !isWide(chars[end]) && !isBlank(chars[end]))
                ++end;
        double piece = 0;
        for (size_t k = i; k < end; ++k)
            piece += advance(chars[k]);
        if (isBlank(chars[i]) || x + piece <= width) {
            x += piece;   // blanks hang past the line's end
        } else if (x > 0 && piece <= width) {
            ++lines;
            x = piece;
        } else {
            for (size_t k = i; k < end; ++k) {   // wider than a line: broken anywhere
                if (x > 0 && x + advance(chars[k]) > width) {
                    ++lines;
                    x = 0;
                }
                x += advance(chars[k]);
            }
        }
        i = end;
    }
    return lines;
}

} // namespace

double ColumnWidthPoints(double characters)
{
    // Seven pixels a character (the default font at 11 points), less the cell's margins.
    return characters * 7 * 0.75 - 4;
}

int WrappedLineCount(const QString& text, double widthPoints, double fontPoints)
{
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        lines += paragraphLines(paragraph, widthPoints, fontPoints);
    return lines;
}

double RowHeightForLines(int lines, double fontPoints)
{
    // A spreadsheet row is at most 409 pt high; a text longer than that is cut in its cell.
    return std::min(lines * fontPoints * 1.2 + 4, 409.0);
}

bool LinesFitRow(int lines, double fontPoints, double rowPoints)
{
    // Lines 1.2 em apart (the Ming face of the templates sets them 1.05 em apart, most
    // faces no more than 1.2) and a point for the cell's edges.
    return lines * fontPoints * 1.2 + 1 <= rowPoints;
}

} // namespace varn
