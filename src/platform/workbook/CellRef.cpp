#include "platform/workbook/CellRef.h"

#include "platform/workbook/WorkbookError.h"

#include <algorithm>

namespace varn {

std::optional<int> ColumnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return std::nullopt;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t c = ch.unicode();
        int v;
        if (c >= u'A' && c <= u'Z')
            v = c - u'A' + 1;
        else if (c >= u'a' && c <= u'z')
            v = c - u'a' + 1;
        else
            return std::nullopt;
        n = n * 26 + v;
    }
    if (n > kMaxColumns)
        return std::nullopt;
    return n;
}

QString ColumnLetters(int column)
{
    if (column < 1 || column > kMaxColumns)
        return {};
    QString s;
    while (column > 0) {
        const int rem = (column - 1) % 26;
        s.prepend(QChar(u'A' + rem));
        column = (column - 1) / 26;
    }
    return s;
}

std::optional<CellRef> CellRef::parse(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text[i] == u'$')
        ++i;
    const qsizetype letterStart = i;
    while (i < n && text[i].isLetter() && text[i].unicode() < 128)
        ++i;
    const auto column = ColumnNumber(text.mid(letterStart, i - letterStart));
    if (!column)
        return std::nullopt;
    if (i < n && text[i] == u'$')
        ++i;
    const qsizetype digitStart = i;
    while (i < n && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    if (i != n || i == digitStart || i - digitStart > 7 || text[digitStart] == u'0')
        return std::nullopt;
    const int row = text.mid(digitStart).toInt();
    if (row < 1 || row > kMaxRows)
        return std::nullopt;
    return CellRef{row, *column};
}

CellRef CellRef::fromText(QStringView text)
{
    if (auto ref = parse(text))
        return *ref;
    throw WorkbookError(QStringLiteral("儲存格位址不正確：「%1」").arg(text.toString()));
}

bool CellRef::isValid(int row, int column)
{
    return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
}

QString CellRef::toString() const
{
    return ColumnLetters(column) + QString::number(row);
}

std::optional<CellRange> CellRange::parse(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0) {
        if (auto one = CellRef::parse(text))
            return CellRange{*one, *one};
        return std::nullopt;
    }
    auto a = CellRef::parse(text.left(colon));
    auto b = CellRef::parse(text.mid(colon + 1));
    if (!a || !b)
        return std::nullopt;
    return CellRange{{std::min(a->row, b->row), std::min(a->column, b->column)},
                     {std::max(a->row, b->row), std::max(a->column, b->column)}};
}

CellRange CellRange::fromText(QStringView text)
{
    if (auto range = parse(text))
        return *range;
    throw WorkbookError(QStringLiteral("儲存格範圍不正確：「%1」").arg(text.toString()));
}

bool CellRange::contains(int row, int column) const
{
    return row >= topLeft.row && row <= bottomRight.row && column >= topLeft.column
        && column <= bottomRight.column;
}

bool CellRange::contains(const CellRange& other) const
{
    return contains(other.topLeft.row, other.topLeft.column)
        && contains(other.bottomRight.row, other.bottomRight.column);
}

bool CellRange::intersects(const CellRange& other) const
{
    return topLeft.row <= other.bottomRight.row && other.topLeft.row <= bottomRight.row
        && topLeft.column <= other.bottomRight.column && other.topLeft.column <= bottomRight.column;
}

QString CellRange::toString() const
{
    if (topLeft == bottomRight)
        return topLeft.toString();
    return topLeft.toString() + u':' + bottomRight.toString();
}

} // namespace varn
