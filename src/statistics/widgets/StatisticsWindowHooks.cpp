#include "statistics/widgets/StatisticsWindowHooks.h"

#include "quotation/widgets/frmQ.h"
#include "statistics/ReportMenu.h"
#include "statistics/widgets/RunReport.h"
#include "statistics/widgets/frmCal.h"

#include <QAction>

namespace varn {

StatisticsWindowHooks* StatisticsWindowHooks::attach(frmQ& window)
{
    if (!window.staDb())
        return nullptr;
    return new StatisticsWindowHooks(window);
}

StatisticsWindowHooks::StatisticsWindowHooks(frmQ& window)
    : QObject(&window),
      m_window(window),
      m_reportMenu(std::make_unique<ReportMenu>(window.quotation(), *window.staDb()))
{
    m_reportMenu->bindLayoutFlags(&window.layoutFlags().CoverByArea, &window.layoutFlags().TreeMode);
    window.setCommandHandler(QStringLiteral("mCalT"), [this] { mCalT_Click(); });
    window.setCommandHandler(QStringLiteral("mCalA"), [this] { mCalA_Click(); });
    window.setCommandHandler(QStringLiteral("mPfp"), [this] { mPfp_Click(); });
    window.setCommandHandler(QStringLiteral("mPdt"), [this] { mPdt_Click(); });
    // The report items are for users who may see prices.
    const bool visible = m_reportMenu->itemsVisible();
    for (const char* name : {"mPfp", "mPdt"}) {
        if (QAction* a = window.action(QLatin1String(name)))
            a->setVisible(visible);
    }
}

StatisticsWindowHooks::~StatisticsWindowHooks() = default;

frmCal& StatisticsWindowHooks::cal()
{
    if (!m_cal)
        m_cal = new frmCal(m_window.quotation(), *m_window.staDb(), &m_window);
    return *m_cal;
}

void StatisticsWindowHooks::mCalT_Click()
{
    cal().mCalT_Click();
}

void StatisticsWindowHooks::mCalA_Click()
{
    cal().mCalA_Click();
}

void StatisticsWindowHooks::mPfp_Click()
{
    RunReport(*m_reportMenu, ReportKind::FirstPage, &m_window);
}

void StatisticsWindowHooks::mPdt_Click()
{
    RunReport(*m_reportMenu, ReportKind::Detail, &m_window);
}

} // namespace varn
