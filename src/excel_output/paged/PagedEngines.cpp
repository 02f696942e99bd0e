#include "excel_output/paged/PagedEngines.h"

#include "excel_output/DetailFigures.h"
#include "excel_output/PrintCommandRunner.h"
#include "excel_output/paged/PagedPlan.h"
#include "quotation/Quotation.h"

namespace varn {

namespace {

using DetailPlanner = DetailPlan (*)(const std::vector<DetailRow>&, const LayoutFlags&, const SheetRanges&);

// The cover by the rows' first path level, the fee by floor area with its rate; the detail
// pages print each cover line split over the page groups under it.
TwoSheetLayout pagedLayout(const Quotation& q, bool byWorkType, const QString& rowsSource, DetailPlanner planDetail,
                           DetailKey pageGroup)
{
    TwoSheetLayout layout;
    layout.numberBySecondLevel = byWorkType;
    layout.plan = [&q, rowsSource, planDetail, pageGroup](Database& sta, const LayoutFlags& flags,
                                                         const QStringList& xp, CoverPlan& cover, DetailPlan& detail) {
        const std::vector<DetailRow> rows = ReadDetailRows(sta, rowsSource);
        CoverInput in;
        in.groups = FirstLevelGroups(rows);
        in.pageEnd = q.pageEnd();
        in.flags = flags;
        in.feeAreaTimesRate = true;
        for (const DetailRow& d : rows)
            in.costTotal += d.toc;
        cover = PlanCover(in, CoverRanges(xp));
        detail = planDetail(WholeDetailRows(rows, cover.groups, FirstPathLevel, pageGroup), flags, DetailRanges(xp));
    };
    return layout;
}

} // namespace

TwoSheetLayout AreaPagesLayout(const Quotation& q)
{
    return pagedLayout(q, true, QStringLiteral("select * from 統計 order by sot"), PlanAreaPages, FirstPathLevel);
}

TwoSheetLayout TypePagesLayout(const Quotation& q, const LayoutFlags& commandFlags)
{
    return pagedLayout(q, commandFlags.TreeMode != 1, QStringLiteral("AlbyP"), PlanTypePages,
                       [](const DetailRow& d) { return d.tre; });
}

QString PrintExcelAreaPages(const PrintJob& job)
{
    PrintJob inTreeOrder = job;
    inTreeOrder.flags.TreeMode = 1;
    return PrintExcelCover(inTreeOrder, AreaPagesLayout(job.q));
}

QString PrintExcelTypePages(const PrintJob& job)
{
    return PrintExcelCover(job, TypePagesLayout(job.q, job.flags));
}

void InstallPagedEngines()
{
    SetPrintEngine(PrintEngine::AreaPages, PrintExcelAreaPages);
    SetPrintEngine(PrintEngine::TypePages, PrintExcelTypePages);
}

} // namespace varn
