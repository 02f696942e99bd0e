#include "statistics/widgets/RunReport.h"

#include "platform/report/widgets/ReportPreview.h"
#include "platform/ui/BusyIndicator.h"


namespace varn {

void RunReport(ReportMenu& menu, ReportKind kind, QWidget* parent)
{
    std::optional<Report> report;
    {
        BusyScope busy(QStringLiteral("報表資料準備中…"));
        report = menu.prepare(kind);
    }
    if (report)
        ShowReportPreview(*report, ReportMenu::caption(kind), parent);
}

} // namespace varn
