#pragma once

#include "statistics/PrintTables.h"

#include <QString>

#include <vector>

namespace varn {

class Database;
class Quotation;

// The signed-in user's working folder: the program folder and the user's 中文姓名, or the
// program folder itself for the superuser. pt.mdb, sta.mdb and the report layouts the user
// runs lie there.
QString UserWorkFolder();
QString UserPrintDatabasePath();

// Everything the two reports print, gathered before pt.mdb is touched.
struct PrintDatabaseContent {
    PrintHeader head;
    FirstPageTables firstPage;
    std::vector<PrintRow> body;
};

// phead from the firm's row of the main database (blank when there is none) and the
// quotation header.
PrintHeader ReadPrintHeader(Database* mainDb, const Quotation& q);

// `FillFirstPageTables`: the totals recomputed, the root selected, 統計 rebuilt, and the
// first-page lines made from the work-type groups (Aot without areas, else T), the fees,
// the totals and the remarks.
FirstPageTables FillFirstPageTables(Quotation& q, Database& staDb);

// `FillDetailTables`: the root selected, 統計 rebuilt and numbered for the layout
// (treeMode 1 by the first level, 2 by work type with the area moved into the item name),
// then the detail lines from AlbyP with each group's total.
std::vector<PrintRow> FillDetailTables(Quotation& q, Database& staDb, int treeMode);

// Empties phead, pfp, ps0..ps4 and pbody and writes the new rows, in one transaction: a
// failure leaves every table as it was. Throws DbError.
void WritePrintTables(Database& pt, const PrintDatabaseContent& content);

} // namespace varn
