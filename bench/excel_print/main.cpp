// Prints a 10,000-item quotation (20 areas × 25 work types × 20 items) through 區域首頁(估價),
// 工種首頁(成本)(分離區域), the two single sheets, 區域首頁(估價)(不印工種) and the three paged
// layouts, end to end without the viewer: root and statistics, plan, fill, save. For comparison it writes the same cells into a new workbook with
// libxlsxwriter in the same run. Prints the time of each phase.
//   excel_print_bench

#include "excel_output/CoverEngine.h"
#include "excel_output/PrintCommands.h"
#include "excel_output/paged/PagedEngines.h"
#include "output/DeliveredWorkbook.h"
#include "platform/db/Database.h"
#include "platform/workbook/Workbook.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "shared/setup/XpDefaults.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <chrono>
#include <cstdio>
#include <functional>

using namespace varn;

namespace {

using Clock = std::chrono::steady_clock;

double since(Clock::time_point t)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

VrnContent bigQuotation()
{
    VrnContent c;
    c.pageEnd.taxChecked = 1;
    for (int a = 1; a <= 20; ++a) {
        for (int t = 1; t <= 25; ++t) {
            const QString leaf = QStringLiteral("\uFF31") + QChar(0x2027) + QStringLiteral("區域%1").arg(a) + QChar(0x2027)
                                 + QStringLiteral("工種%1").arg(t);
            c.leafPaths << leaf;
            for (int i = 1; i <= 20; ++i) {
                ItemLine line;
                line[0] = leaf;
                line[1] = QStringLiteral("矽酸鈣板天花板 %1").arg(i);
                line[2] = QStringLiteral("6mm");
                line[3] = QStringLiteral("坪");
                line[4] = QString::number(i);
                line[5] = QStringLiteral("1200");
                line[6] = QString::number(i * 1200);
                line[7] = QStringLiteral("800");
                line[8] = QString::number(i * 800);
                line[9] = QStringLiteral("1.5");
                c.rows.push_back(line);
            }
        }
    }
    return c;
}

// The same number of cells a row into a fresh workbook, as a writer-only baseline.
double writeWithXlsxwriter(const QString& out, int rows)
{
    const auto t = Clock::now();
    lxw_workbook* wb = workbook_new(out.toLocal8Bit().constData());
    lxw_worksheet* cover = workbook_add_worksheet(wb, nullptr);
    lxw_worksheet* sheet = workbook_add_worksheet(wb, nullptr);
    worksheet_write_string(cover, 7, 1, "區域1", nullptr);
    for (int r = 0; r < rows; ++r) {
        worksheet_write_number(sheet, lxw_row_t(7 + r), 0, r + 1, nullptr);
        worksheet_write_string(sheet, lxw_row_t(7 + r), 1, "矽酸鈣板天花板 6mm", nullptr);
        worksheet_write_string(sheet, lxw_row_t(7 + r), 2, "坪", nullptr);
        for (int c = 3; c < 9; ++c)
            worksheet_write_number(sheet, lxw_row_t(7 + r), lxw_col_t(c), 1200.0 * c, nullptr);
        worksheet_write_string(sheet, lxw_row_t(7 + r), 9, "", nullptr);
    }
    workbook_close(wb);
    return since(t);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    state().programFolder = dir.path();
    state().m.gPrintPath = QStringLiteral(VARN_TEMPLATE_DIR);
    state().m.gRights = 4095;
    const QStringList xp = DefaultXpValues();
    for (int i = 0; i < 32; ++i)
        state().m.gXp[size_t(i)] = xp[i];
    auto sta = Database::create(dir.filePath(QStringLiteral("sta.mdb")), {}, StaSchemaSql());
    state().m.gDb = Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());

    Quotation q;
    q.setRightsWord(4095);
    auto t = Clock::now();
    q.load(bigQuotation(), dir.filePath(QStringLiteral("big.vrn")));
    std::printf("load 10,000 items: %.0f ms\n", since(t));

    for (const char* name : {"mPa", "mPwac", "mPs", "mPss", "mPnw", "mAs", "mWs", "mPwsb"}) {
        const PrintCommand& command = *FindPrintCommand(QString::fromLatin1(name));
        LayoutFlags flags = CommandFlags(command, {}, {false, false, false});
        TwoSheetLayout layout;
        if (command.engine == PrintEngine::AreaPages) {
            flags.TreeMode = 1;   // as PrintExcelAreaPages runs it
            layout = AreaPagesLayout(q);
        } else if (command.engine == PrintEngine::TypePages) {
            layout = TypePagesLayout(q, flags);
        }
        const PrintJob job{q, sta.get(), flags, QuotationTemplateFolder(command.folder), command.templateFile,
                           command.engine == PrintEngine::AreaNoTypes};
        CoverPrint print(job, layout);
        const auto start = Clock::now();
        t = Clock::now();
        print.prepare();
        const double prepare = since(t);
        t = Clock::now();
        print.plan(QuotationTemplateFolder(command.folder) + QLatin1Char('/') + command.templateFile);
        const double plan = since(t);
        t = Clock::now();
        print.fill();
        const double fill = since(t);
        t = Clock::now();
        const QString saved = print.save();
        const double save = since(t);
        const double total = since(start);
        const int rows = 10000 + 20 * 25 * 3;
        const double baseline = writeWithXlsxwriter(dir.filePath(QStringLiteral("baseline.xlsx")), rows);
        std::printf("%s %s: root+statistics %.0f ms, plan %.0f ms, fill %.0f ms, save %.0f ms, total %.0f ms "
                    "(%d cover + %d detail pages); libxlsxwriter same cells %.0f ms, fill+save ratio %.2f\n",
                    name, command.caption.toUtf8().constData(), prepare, plan, fill, save, total,
                    print.coverPages(), print.detailPages(), baseline, (fill + save) / baseline);
        QFile::remove(saved);
    }
    return 0;
}
