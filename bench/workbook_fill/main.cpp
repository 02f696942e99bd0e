// Fills the detail sheet of 報價單.xlsx with 10,000 item rows the way the print engines do
// (a page block copied every 30 rows, 7 cells a row), saves it, and writes the same cells
// into a new workbook with libxlsxwriter for comparison. Prints both times and their ratio.
//   workbook_fill_bench [template [folder to keep the outputs in]]

#include "shared/setup/XpDefaults.h"
#include "platform/workbook/Workbook.h"

#include <QString>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace varn;

namespace {

constexpr int kItems = 10000;
constexpr int kRuns = 5;

struct Geometry {
    QString left, right;
    int outputTop, outputBottom, footerTop, footerBottom;
    int rowsPerPage() const { return outputBottom - outputTop + 1; }
    int footerRows() const { return footerBottom - footerTop + 1; }
    int blockHeight() const { return footerBottom - outputTop + 1; }
};

Geometry detailGeometry()
{
    const QStringList xp = DefaultXpValues();
    return {xp[24], xp[26], xp[25].toInt(), xp[27].toInt(), xp[29].toInt(), xp[31].toInt()};
}

// The sheet rows the items land on: consecutive output rows, skipping each block's footer.
std::vector<int> itemRows(const Geometry& g)
{
    std::vector<int> rows;
    int offset = 0;
    for (int i = 1; i <= kItems; ++i) {
        rows.push_back(g.outputTop + offset);
        offset += (i % g.rowsPerPage() == 0) ? g.footerRows() + 1 : 1;
    }
    return rows;
}

QString itemName(int i) { return QStringLiteral("矽酸鈣板天花板 %1 6mm").arg(i); }

void fillWithLayer(const QString& templatePath, const QString& out, const Geometry& g, const std::vector<int>& rows)
{
    Workbook book = Workbook::open(templatePath);
    Worksheet& s = book.worksheet(2);
    s.addColumnPageBreak(ColumnNumber(g.right).value() + 1);
    const CellRange block = CellRange::fromText(QStringLiteral("%1%2:%3%4").arg(g.left).arg(g.outputTop).arg(g.right).arg(g.footerBottom));
    const int blocks = kItems / g.rowsPerPage();
    for (int i = 1; i <= blocks; ++i) {
        const CellRef at{g.outputTop + g.blockHeight() * i, 1};
        s.copyRange(block, at);
        s.addRowPageBreak(at.row);
        for (int r = g.outputTop; r <= g.footerBottom; ++r)
            s.copyRowHeight(r, g.blockHeight() * i + r);
    }
    for (int i = 0; i < kItems; ++i) {
        const int r = rows[static_cast<size_t>(i)];
        s.setNumber(r, 1, i + 1);
        s.setText(r, 2, itemName(i));
        s.setText(r, 3, QStringLiteral("才"));
        s.setNumber(r, 4, 12.5);
        s.setNumber(r, 5, 850);
        s.setNumber(r, 6, 10625);
        s.setText(r, 7, QStringLiteral("含施工"));
    }
    s.setZoom(100);
    s.setPrintTitleRows(QStringLiteral("$1:$7"));
    s.setPrintTitleColumns(QStringLiteral("$A:$%1").arg(g.right));
    s.setPrintArea(QStringLiteral("$A:$%1").arg(g.right));
    book.saveAs(out);
}

void writeWithXlsxwriter(const QString& out, const std::vector<int>& rows)
{
    lxw_workbook* book = workbook_new(out.toUtf8().constData());
    lxw_worksheet* s = workbook_add_worksheet(book, "明細");
    for (int i = 0; i < kItems; ++i) {
        const auto r = static_cast<lxw_row_t>(rows[static_cast<size_t>(i)] - 1);
        worksheet_write_number(s, r, 0, i + 1, nullptr);
        worksheet_write_string(s, r, 1, itemName(i).toUtf8().constData(), nullptr);
        worksheet_write_string(s, r, 2, "才", nullptr);
        worksheet_write_number(s, r, 3, 12.5, nullptr);
        worksheet_write_number(s, r, 4, 850, nullptr);
        worksheet_write_number(s, r, 5, 10625, nullptr);
        worksheet_write_string(s, r, 6, "含施工", nullptr);
    }
    workbook_close(book);
}

double medianMs(const std::function<void()>& run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const QString templatePath = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                          : QStringLiteral(VARN_TEMPLATE_DIR "/PrintQ/報價單.xlsx");
    QTemporaryDir temporary;
    const QString folder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const Geometry g = detailGeometry();
    const std::vector<int> rows = itemRows(g);
    try {
        const double fill = medianMs([&] { fillWithLayer(templatePath, folder + "/filled.xlsx", g, rows); });
        const double writer = medianMs([&] { writeWithXlsxwriter(folder + "/written.xlsx", rows); });
        std::printf("items: %d, page blocks: %d, median of %d runs\n", kItems, kItems / g.rowsPerPage() + 1, kRuns);
        std::printf("template fill and save:  %8.1f ms\n", fill);
        std::printf("libxlsxwriter new book:  %8.1f ms\n", writer);
        std::printf("ratio fill / writer:     %8.2f\n", fill / writer);
    } catch (const WorkbookError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
