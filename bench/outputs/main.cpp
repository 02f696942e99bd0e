// Times the delivered outputs of the lexicon and the registers on large data, each next to
// libxlsxwriter writing the same cells into a new workbook in the same run:
//   工程種類 of 20,000 work items, 細項加成 of 60,000 details (the lexicon benchmark's data),
//   a list of every column of 20,000 customers,
//   and their mailing labels.
//   outputs_bench [template folder]

#include "lexicon/exports/LexiconExports.h"
#include "platform/db/Database.h"
#include "platform/workbook/Workbook.h"
#include "records/ListPrinting.h"
#include "records/MailLabels.h"
#include "shared/setup/Schema.h"
#include "support/LexiconData.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace varn;
using namespace varn::bench;

namespace {

constexpr int kCustomers = 20000;
constexpr int kRuns = 3;

void seedCustomers(Database& db)
{
    Transaction tx(db);
    const int columns = db.openRecordset(QStringLiteral("SELECT * FROM 客戶 LIMIT 0")).fieldCount();
    QStringList marks;
    for (int c = 0; c < columns; ++c)
        marks << QStringLiteral("?");
    const QString sql = QStringLiteral("INSERT INTO 客戶 VALUES (%1)").arg(marks.join(QLatin1Char(',')));
    for (int i = 0; i < kCustomers; ++i) {
        QVariantList row;
        row << QStringLiteral("A%1").arg(i, 5, 10, QLatin1Char('0')) << QStringLiteral("客戶公司%1").arg(i);
        while (row.size() < columns)
            row << (row.size() == 4 ? QStringLiteral("台北市;中山北路二段%1號").arg(i) : QStringLiteral("資料%1").arg(row.size()));
        db.execute(sql, row);
    }
    tx.commit();
}

// The cells an output writes, for libxlsxwriter to write the same.
struct Cell {
    int row;
    int column;
    QString text;
    double number;
    bool isNumber;
};

std::vector<Cell> cellsOf(const QString& book)
{
    std::vector<Cell> cells;
    Workbook wb = Workbook::open(book);
    Worksheet& s = wb.worksheet(1);
    const auto range = s.laidOutRange();
    if (!range)
        return cells;
    for (int r = 3; r <= range->bottomRight.row; ++r)
        for (int c = 1; c <= range->bottomRight.column; ++c) {
            if (!s.hasValue(r, c))
                continue;
            bool ok = false;
            const QString text = s.text(r, c);
            const double n = text.toDouble(&ok);
            cells.push_back({r, c, text, n, ok && !text.startsWith(QLatin1Char('0'))});
        }
    return cells;
}

double writeWithXlsxwriter(const std::vector<Cell>& cells, const QString& out)
{
    QElapsedTimer t;
    t.start();
    lxw_workbook* book = workbook_new(out.toUtf8().constData());
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    for (const Cell& c : cells) {
        if (c.isNumber)
            worksheet_write_number(sheet, c.row - 1, c.column - 1, c.number, nullptr);
        else
            worksheet_write_string(sheet, c.row - 1, c.column - 1, c.text.toUtf8().constData(), nullptr);
    }
    workbook_close(book);
    return t.nsecsElapsed() / 1e6;
}

double bestOf(const std::function<QString()>& run, QString* last)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        *last = run();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

void report(const char* what, double ms, double target, double writerMs)
{
    const double ratio = ms / writerMs;
    std::printf("%-44s %8.1f ms (target < %5.0f ms)  libxlsxwriter %7.1f ms  ratio %.2f%s\n", what, ms, target,
                writerMs, ratio, ms < target && ratio <= 2.0 ? "" : "  OVER");
}

} // namespace

int main(int argc, char** argv)
{
    const QString templates = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(VARN_TEMPLATE_DIR);
    const QString other = templates + QStringLiteral("/Pother/");
    QTemporaryDir dir;
    std::unique_ptr<Database> db =
        Database::create(dir.filePath(QStringLiteral("varn3.mdb")), QStringLiteral("bench"), MainSchemaSql());
    QElapsedTimer t;
    t.start();
    SeedLexicon(*db);
    seedCustomers(*db);
    std::printf("seeded in %.0f ms; best of %d runs each\n", t.nsecsElapsed() / 1e6, kRuns);
    const QString out = dir.filePath(QStringLiteral("out"));

    struct Case {
        const char* what;
        double target;
        std::function<QString()> run;
    };
    const QStringList allColumns = PrintableColumns(*db, 1);
    const std::vector<Case> cases = {
        {"工程種類, 20,000 work items", 1000,
         [&] { return FillLexiconExport(*db, LexiconExport::WorkTypes, other + QStringLiteral("工程種類.xlsx"), out); }},
        {"細項加成, 60,000 details", 2000,
         [&] { return FillLexiconExport(*db, LexiconExport::Details, other + QStringLiteral("細項加成.xlsx"), out); }},
        {"客戶資料, 20,000 customers x 34 columns", 3000,
         [&] { return FillRegisterList(*db, 1, allColumns, other + QStringLiteral("客戶資料.xlsx"), out); }},
        {"Label, 20,000 customers", 1500,
         [&] { return FillMailLabels(*db, 1, other + QStringLiteral("Label.xlsx"), out); }},
    };
    int writerRun = 0;
    for (const Case& c : cases) {
        QString saved;
        const double ms = bestOf(c.run, &saved);
        const std::vector<Cell> cells = cellsOf(saved);
        double writer = 1e300;
        for (int i = 0; i < kRuns; ++i)
            writer = std::min(writer, writeWithXlsxwriter(cells, dir.filePath(QStringLiteral("w%1.xlsx").arg(writerRun++))));
        report(c.what, ms, c.target, writer);
    }
    return 0;
}
