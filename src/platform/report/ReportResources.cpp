#include "platform/report/ReportResources.h"

#include <QtCore/qglobal.h>
#include <QDir>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initReportsResource()
{
    Q_INIT_RESOURCE(reports);
}

namespace varn {

void InitReportResources()
{
    initReportsResource();
}

} // namespace varn
