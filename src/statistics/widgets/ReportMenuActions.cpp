#include "statistics/widgets/ReportMenuActions.h"

#include "platform/report/widgets/ReportPreview.h"
#include "platform/ui/BusyIndicator.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

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

ReportMenuActions::ReportMenuActions(ReportMenu& menu, QWidget* window)
    : QObject(window), m_menu(menu), m_window(window)
{
    m_mP = new QMenu(QStringLiteral("列印(&R)"), window);
    m_mPfp = m_mP->addAction(QStringLiteral("列印首頁"));
    m_mPdt = m_mP->addAction(QStringLiteral("列印明細"));
    connect(m_mPfp, &QAction::triggered, this, &ReportMenuActions::mPfp_Click);
    connect(m_mPdt, &QAction::triggered, this, &ReportMenuActions::mPdt_Click);
    // Opening the menu only shows it: the tables are rebuilt when an item is chosen.
    connect(m_mP, &QMenu::aboutToShow, this, &ReportMenuActions::refresh);
    refresh();
}

void ReportMenuActions::refresh()
{
    const bool visible = m_menu.itemsVisible();
    m_mPfp->setVisible(visible);
    m_mPdt->setVisible(visible);
}

void ReportMenuActions::mPfp_Click()
{
    RunReport(m_menu, ReportKind::FirstPage, m_window);
}

void ReportMenuActions::mPdt_Click()
{
    RunReport(m_menu, ReportKind::Detail, m_window);
}

} // namespace varn
