#pragma once

#include "platform/report/Report.h"

#include <QString>

#include <optional>

namespace varn {

class Database;
class Quotation;

enum class ReportKind {
    FirstPage,   // 列印首頁: fp.rpt
    Detail,      // 列印明細: pb.rpt
};

// The quotation window's menu 列印(&R) without the window: its two items rebuild the print
// database pt.mdb of the signed-in user from the quotation and hand back the report to
// show, read from the user's own copy of the layout.
class ReportMenu {
public:
    ReportMenu(Quotation& q, Database& staDb);

    // The window's layout flags CoverByArea and TreeMode, which the spreadsheet outputs
    // share; until bound, the menu keeps its own.
    void bindLayoutFlags(bool* coverByArea, int* treeMode);
    bool coverByArea() const { return *m_coverByArea; }
    int treeMode() const { return *m_treeMode; }

    // The items are offered only to a user who may see prices.
    bool itemsVisible() const;

    // `mP_Click`: CoverByArea off, TreeMode 1 without areas and 2 with them, the totals
    // recomputed and every table of pt.mdb rewritten in one transaction. Throws DbError;
    // the old tables then stay.
    void mP_Click();

    // What 列印首頁 (`mPfp_Click`) and 列印明細 (`mPdt_Click`) show: an empty quotation gives
    // "空白表單無法列印"; otherwise the print database is rebuilt and the report read from it.
    // Any failure is told through the prompter and gives nullopt, so no report is shown on
    // half-written data.
    std::optional<Report> prepare(ReportKind kind);

    static QString caption(ReportKind kind);     // 列印首頁, 列印明細
    static QString layoutFile(ReportKind kind);  // fp.rpt, pb.rpt
    // The user's own copy of the layout and print database.
    static QString layoutPath(ReportKind kind);
    static QString printDatabasePath();

private:
    Quotation& m_q;
    Database& m_staDb;
    bool m_ownCoverByArea = false;
    int m_ownTreeMode = 0;
    bool* m_coverByArea = &m_ownCoverByArea;
    int* m_treeMode = &m_ownTreeMode;
};

// The whole quotation holds no item row with anything in it; the shown leaf's rows count
// as they stand. Nothing the window shows changes.
bool QuotationIsBlank(const Quotation& q);

} // namespace varn
