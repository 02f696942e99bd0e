#include "platform/workbook/Formula.h"

#include "platform/workbook/CellRef.h"

#include <cctype>
#include <optional>

namespace varn {

namespace {

bool isTokenChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' || c == '.'
        || c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}

struct Part {
    bool absolute = false;
    std::string_view text;
};

// "$AB" or "AB": a column part; "$12" or "12": a row part.
std::optional<int> columnPart(std::string_view t, bool& absolute)
{
    absolute = !t.empty() && t.front() == '$';
    if (absolute)
        t.remove_prefix(1);
    if (t.empty() || t.size() > 3)
        return std::nullopt;
    for (char c : t)
        if (!std::isalpha(static_cast<unsigned char>(c)))
            return std::nullopt;
    return ColumnNumber(QString::fromLatin1(t.data(), static_cast<qsizetype>(t.size())));
}

std::optional<int> rowPart(std::string_view t, bool& absolute)
{
    absolute = !t.empty() && t.front() == '$';
    if (absolute)
        t.remove_prefix(1);
    if (t.empty() || t.size() > 7 || t.front() == '0')
        return std::nullopt;
    int v = 0;
    for (char c : t) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        v = v * 10 + (c - '0');
    }
    if (v > kMaxRows)
        return std::nullopt;
    return v;
}

std::string columnText(int column, bool absolute)
{
    if (column < 1 || column > kMaxColumns)
        return {};
    return (absolute ? "$" : "") + ColumnLetters(column).toStdString();
}

std::string rowText(int row, bool absolute)
{
    if (row < 1 || row > kMaxRows)
        return {};
    return (absolute ? "$" : "") + std::to_string(row);
}

// A cell reference "A1", "$A$1": shifted text, or nullopt when it is not one.
std::optional<std::string> shiftCell(std::string_view t, int rows, int columns)
{
    size_t i = 0;
    if (i < t.size() && t[i] == '$')
        ++i;
    while (i < t.size() && std::isalpha(static_cast<unsigned char>(t[i])))
        ++i;
    bool colAbs = false, rowAbs = false;
    const auto col = columnPart(t.substr(0, i), colAbs);
    const auto row = rowPart(t.substr(i), rowAbs);
    if (!col || !row)
        return std::nullopt;
    const std::string c = columnText(colAbs ? *col : *col + columns, colAbs);
    const std::string r = rowText(rowAbs ? *row : *row + rows, rowAbs);
    if (c.empty() || r.empty())
        return std::string("#REF!");
    return c + r;
}

} // namespace

std::string ShiftFormula(std::string_view f, int rows, int columns)
{
    std::string out;
    out.reserve(f.size() + 8);
    size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            // A string, or a quoted sheet name; a doubled quote stays inside it.
            size_t j = i + 1;
            while (j < f.size()) {
                if (f[j] == c) {
                    if (j + 1 < f.size() && f[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
        } else if (c == '[') {
            int depth = 0;
            size_t j = i;
            for (; j < f.size(); ++j) {
                if (f[j] == '[')
                    ++depth;
                else if (f[j] == ']' && --depth == 0)
                    break;
            }
            j = std::min(j + 1, f.size());
            out.append(f.substr(i, j - i));
            i = j;
        } else if (isTokenChar(c)) {
            size_t j = i;
            while (j < f.size() && isTokenChar(f[j]))
                ++j;
            const std::string_view token = f.substr(i, j - i);
            const char next = j < f.size() ? f[j] : '\0';
            if (next == '(' || next == '!' || next == '[') {
                out.append(token);   // a function, a sheet name or a table name
                i = j;
                continue;
            }
            if (auto cell = shiftCell(token, rows, columns)) {
                out += *cell;
                i = j;
                continue;
            }
            // Whole columns "A:C" or whole rows "1:3".
            if (next == ':') {
                size_t k = j + 1;
                while (k < f.size() && isTokenChar(f[k]))
                    ++k;
                const std::string_view second = f.substr(j + 1, k - j - 1);
                bool a1 = false, a2 = false;
                const auto c1 = columnPart(token, a1);
                const auto c2 = columnPart(second, a2);
                if (c1 && c2) {
                    const std::string x = columnText(a1 ? *c1 : *c1 + columns, a1);
                    const std::string y = columnText(a2 ? *c2 : *c2 + columns, a2);
                    out += (x.empty() || y.empty()) ? std::string("#REF!") : x + ":" + y;
                    i = k;
                    continue;
                }
                const auto r1 = rowPart(token, a1);
                const auto r2 = rowPart(second, a2);
                if (r1 && r2) {
                    const std::string x = rowText(a1 ? *r1 : *r1 + rows, a1);
                    const std::string y = rowText(a2 ? *r2 : *r2 + rows, a2);
                    out += (x.empty() || y.empty()) ? std::string("#REF!") : x + ":" + y;
                    i = k;
                    continue;
                }
            }
            out.append(token);
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

} // namespace varn
