#include "excel_output/Placeholders.h"

#include "platform/workbook/Worksheet.h"

#include <QStringList>

namespace varn {

namespace {

// A long name or address wraps in a header cell made for it, at 8 pt or more: smaller a
// customer cannot read it. While a size of 8 pt or more allows, its row stays within two
// lines of 9 pt: the shipped page blocks keep room for three such rows below one page.
constexpr double kSmallestHeaderPoints = 8;
constexpr double kHeaderRowBudget = 26;

void fillCell(Worksheet& sheet, int r, int c, const PlaceholderValues& values)
{
    const QString text = sheet.text(r, c);
    if (!text.contains(QLatin1Char('#')))
        return;
    const QString filled = ReplacePlaceholders(text, values);
    if (filled == text)
        return;
    sheet.setText(r, c, filled);
    sheet.fitWrappedText(r, c, kSmallestHeaderPoints, kHeaderRowBudget);
}

} // namespace

const std::array<QString, kPlaceholderCount>& PlaceholderNames()
{
    static const std::array<QString, kPlaceholderCount> names{
        QStringLiteral("#客戶名稱#"), QStringLiteral("#工程名稱#"), QStringLiteral("#工程地址#"),
        QStringLiteral("#客戶電話#"), QStringLiteral("#客戶傳真#"), QStringLiteral("#客戶聯絡人#"),
        QStringLiteral("#年#"),       QStringLiteral("#月#"),       QStringLiteral("#日#"),
        QStringLiteral("#單號#"),     QStringLiteral("#業務#"),     QStringLiteral("#公司名稱#"),
        QStringLiteral("#公司地址#"), QStringLiteral("#公司電話#"), QStringLiteral("#公司傳真#"),
        QStringLiteral("#公司統編#"), QStringLiteral("#公司email#")};
    return names;
}

PlaceholderValues MakePlaceholderValues(const PlaceholderSource& s)
{
    const QStringList date = s.quoteDate.split(QLatin1Char('/'));
    return {s.customerName, s.projectName, s.siteAddress, s.telephone, s.fax, s.contact,
            date.value(0), date.value(1), date.value(2), s.quoteNo, s.salesperson,
            s.firm[0], s.firm[1], s.firm[2], s.firm[3], s.firm[4], s.firm[5]};
}

QString ReplacePlaceholders(const QString& text, const PlaceholderValues& values)
{
    const auto& names = PlaceholderNames();
    QString out;
    qsizetype from = 0;
    qsizetype hash = text.indexOf(QLatin1Char('#'));
    while (hash >= 0) {
        int found = -1;
        for (int k = 0; k < kPlaceholderCount && found < 0; ++k) {
            if (QStringView(text).sliced(hash).startsWith(names[size_t(k)]))
                found = k;
        }
        if (found < 0) {
            hash = text.indexOf(QLatin1Char('#'), hash + 1);
            continue;
        }
        out += QStringView(text).sliced(from, hash - from);
        out += values[size_t(found)];
        from = hash + names[size_t(found)].size();
        hash = text.indexOf(QLatin1Char('#'), from);
    }
    if (from == 0)
        return text;
    out += QStringView(text).sliced(from);
    return out;
}

void FillPlaceholders(Worksheet& sheet, const std::vector<CellRange>& ranges, const PlaceholderValues& values)
{
    for (size_t i = 0; i < ranges.size(); ++i) {
        const CellRange& range = ranges[i];
        for (int r = range.topLeft.row; r <= range.bottomRight.row; ++r) {
            for (int c = range.topLeft.column; c <= range.bottomRight.column; ++c) {
                bool seen = false;
                for (size_t j = 0; j < i && !seen; ++j)
                    seen = ranges[j].contains(r, c);
                if (!seen)
                    fillCell(sheet, r, c, values);
            }
        }
    }
}

} // namespace varn
