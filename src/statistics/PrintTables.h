#pragma once

#include "quotation/PageEnd.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

namespace varn {

// The texts of the print database pt.mdb, built from plain values so the rules can be
// checked without a quotation window. A null QString in a row is a field the line does not
// set (stored as NULL); everything else is already formatted text.
using PrintRow = std::vector<QString>;

// phead: the firm (table company) and the quotation header.
struct PrintHeader {
    QString con, coa, cot, cof, cono, coe;   // firm: name, address, telephone, fax, tax number, e-mail
    QString cn, ct, cf, en, ea, dy, qno, sl; // customer, telephone, fax, project, site, date, number, salesperson
    bool operator==(const PrintHeader&) const = default;
};

// One work-type group of the first page: its name and its 小計 as plain number text.
struct GroupTotal {
    QString name;
    QString subtotal;
};

struct FirstPageInput {
    std::vector<GroupTotal> groups;   // from the saved query Aot (no areas) or T
    QString lbSumT;                   // item total
    PageEndValues pageEnd;            // fees, tax, discount, quoted total, remarks
};

// pfp: lines in print order, five fields each; ps0..ps4: the numbered remark of each slot,
// or an empty text when the slot has none (the table then has no row).
struct FirstPageTables {
    std::vector<PrintRow> pfp;
    std::array<QString, 5> ps;
};

// Every amount whole, the figures every printout of the quotation shows (SplitPrintedTotals):
// the work types add up to 小計, 小計 and the fees to 合計, 合計, 稅金 and 折扣 to 總計.
FirstPageTables BuildFirstPageTables(const FirstPageInput& in);

// A fee's rate on the total as a percentage with the decimals the rate holds, up to four
// (0.075 is 7.5%, 0.1225 12.25%, 0.1 10%); a rate with more rounds as its display format
// rounds it. The spreadsheet's format for it ("0%", "0.0%" or "0.00%": "0.##%" would show
// "10.%") and the text that format shows.
QString RatePercentFormat(double rate);
QString RatePercentText(double rate);

// The quoted total in formal numerals; "零" for 0, "負" before a negative amount.
QString QuotedTotalInWords(double amount);

// Lines of the first page that carry a page: the fillers make n work types and the
// closing lines fill 29 lines (22 − n mod 29 fillers, none when n is a multiple of 29;
// one fewer when a discount line is printed, so the closing lines stay on the page).
constexpr int kFirstPageFillTo = 22;
constexpr int kFirstPagePeriod = 29;
// Lines of a detail page.
constexpr int kDetailPageLines = 34;

// One row of the saved query AlbyP as the detail pages print it; numbers as plain text.
struct DetailItem {
    QString tre, des, siz, uni, qua, unp, top, rem;
};

// Puts the rows of one path together at the place of the path's first row, keeping their
// order, so that no path is printed as two groups (each with the whole path's total).
std::vector<DetailItem> GroupRowsByPath(const std::vector<DetailItem>& items);

// The heading numeral of a path level from 1 to 4: 壹 貳 參…, 一 二 三…, A B … Z AA AB…,
// a b … z aa ab…
QString HeadingNumeral(int level, int counter);

// pbody: headings numbered by level against the previous group, items numbered within their
// group, a 小計 row after each group with the total `groupTotal` gives for its path (plain
// number text), then fillers so the table ends one line short of a whole number of pages.
std::vector<PrintRow> BuildDetailRows(const std::vector<DetailItem>& items,
                                      const std::function<QString(const QString& path)>& groupTotal);

} // namespace varn
