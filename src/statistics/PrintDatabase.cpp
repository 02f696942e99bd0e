#include "statistics/PrintDatabase.h"

#include "output/DeliveredWorkbook.h"

#include "platform/db/Database.h"
#include "platform/text/VbNumber.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "statistics/StatisticsTable.h"

#include <QDir>

namespace varn {

namespace {

// A number of the statistics database as plain text.
QString numberText(const QVariant& v)
{
    return CStr(v.toDouble());
}

// Every table is written by position: its column names are taken from the file.
void insertRows(Database& db, const QString& table, const std::vector<PrintRow>& rows)
{
    const QString name = QuoteIdentifier(table);
    Recordset layout = db.openRecordset(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(name));
    for (const PrintRow& row : rows) {
        if (int(row.size()) > layout.fieldCount())
            throw DbError(DbErr::ItemNotFound,
                          QStringLiteral("資料表 %1 的欄位不足。").arg(table));
        QStringList cols, marks;
        QVariantList values;
        for (size_t i = 0; i < row.size(); ++i) {
            if (row[i].isNull())
                continue;   // a field the line does not set
            cols << QuoteIdentifier(layout.fieldName(int(i)));
            marks << QStringLiteral("?");
            values << row[i];
        }
        if (cols.isEmpty())
            db.execute(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(name));
        else
            db.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                           .arg(name, cols.join(QLatin1String(", ")), marks.join(QLatin1String(", "))),
                       values);
    }
}

} // namespace

QString UserWorkFolder()
{
    return OutputFolder();
}

QString UserPrintDatabasePath()
{
    return QDir(UserWorkFolder()).filePath(kPtDbFile);
}

PrintHeader ReadPrintHeader(Database* mainDb, const Quotation& q)
{
    PrintHeader h;
    if (mainDb) {
        Recordset company = mainDb->openRecordset(QStringLiteral("company"));
        if (!company.eof() && company.fieldCount() >= 6) {
            h.con = company.text(0);
            h.coa = company.text(1);
            h.cot = company.text(2);
            h.cof = company.text(3);
            h.cono = company.text(4);
            h.coe = company.text(5);
        }
    }
    const QuotationHeader& qh = q.header();
    h.cn = qh.customerName;
    h.ct = qh.telephone;
    h.cf = qh.fax;
    h.en = qh.projectName;
    h.ea = qh.siteAddress;
    h.dy = qh.quoteDate;
    h.qno = qh.quoteNo;
    h.sl = qh.salesperson;
    return h;
}

FirstPageTables FillFirstPageTables(Quotation& q, Database& staDb)
{
    q.RecalcGrandTotal();
    q.selectRoot();
    q.RecalcGrandTotal();
    BuildStatistics(staDb, q.hfgQ());

    FirstPageInput in;
    Recordset groups = staDb.openRecordset(q.noAreaMode() ? QStringLiteral("Aot") : QStringLiteral("T"));
    for (; !groups.eof(); groups.moveNext())
        in.groups.push_back({groups.text(0), numberText(groups.value(1))});

    in.lbSumT = q.totals().lbSumT;
    in.pageEnd = q.pageEnd();
    return BuildFirstPageTables(in);
}

std::vector<PrintRow> FillDetailTables(Quotation& q, Database& staDb, int treeMode)
{
    q.RecalcGrandTotal();
    q.selectRoot();
    BuildStatistics(staDb, q.hfgQ());
    if (treeMode == 1 || treeMode == 2)
        NumberStatisticsGroups(staDb, treeMode == 2, q.noAreaMode(), treeMode);

    std::vector<DetailItem> items;
    Recordset rows = staDb.openRecordset(QStringLiteral("AlbyP"));
    for (; !rows.eof(); rows.moveNext()) {
        DetailItem it;
        it.tre = rows.text(0);
        it.des = rows.text(1);
        it.siz = rows.text(2);
        it.uni = rows.text(3);
        it.qua = numberText(rows.value(4));
        it.unp = numberText(rows.value(5));
        it.top = numberText(rows.value(6));
        it.rem = rows.text(10);
        items.push_back(it);
    }
    return BuildDetailRows(GroupRowsByPath(items), [&staDb](const QString& path) {
        Recordset sum = staDb.openRecordset(
            QStringLiteral("SELECT sum(Top) FROM 統計 WHERE tre = ?"), {path});
        return sum.eof() ? QStringLiteral("0") : numberText(sum.value(0));
    });
}

void WritePrintTables(Database& pt, const PrintDatabaseContent& c)
{
    Transaction tx(pt);
    pt.execute(QStringLiteral("DELETE FROM phead"));
    const PrintHeader& h = c.head;
    pt.execute(QStringLiteral("INSERT INTO phead (con, coa, cot, cof, cono, coe, cn, ct, cf, en, ea, "
                              "dy, qno, sl) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {h.con, h.coa, h.cot, h.cof, h.cono, h.coe, h.cn, h.ct, h.cf, h.en, h.ea, h.dy,
                h.qno, h.sl});

    pt.execute(QStringLiteral("DELETE FROM pfp"));
    insertRows(pt, QStringLiteral("pfp"), c.firstPage.pfp);

    for (int k = 0; k < 5; ++k) {
        const QString table = QStringLiteral("ps%1").arg(k);
        pt.execute(QStringLiteral("DELETE FROM %1").arg(table));
        const QString& remark = c.firstPage.ps[size_t(k)];
        if (!remark.isEmpty())
            insertRows(pt, table, {PrintRow{remark}});
    }

    pt.execute(QStringLiteral("DELETE FROM pbody"));
    insertRows(pt, QStringLiteral("pbody"), c.body);
    tx.commit();
}

} // namespace varn
