#pragma once

#include <QString>

#include <array>

namespace varn {

// One of the thirteen lookup lists of the main database: a table of (order number, text).
struct LookupListInfo {
    const char16_t* label;      // caption beside its grid in the lexicon window
    const char16_t* table;
    const char16_t* orderColumn;
    const char16_t* textColumn;
    bool numeric;               // the text column holds numbers (the ratio list)
    bool exported;              // part of the lookup-list workbook

    QString tableName() const { return QString::fromUtf16(table); }
    QString orderName() const { return QString::fromUtf16(orderColumn); }
    QString textName() const { return QString::fromUtf16(textColumn); }
    QString labelText() const { return QString::fromUtf16(label); }
    // "select <text> from <table> order by <order>"
    QString selectSql() const;
    // "insert into <table> (<order>, <text>) values (?, ?)"
    QString insertSql() const;
};

constexpr int kLookupListCount = 13;

// The lists in the order of the lexicon window's grids hfgS(0..12).
const std::array<LookupListInfo, kLookupListCount>& LookupLists();

} // namespace varn
