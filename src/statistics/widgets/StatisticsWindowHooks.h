#pragma once

#include <QObject>
#include <QPointer>

#include <memory>

namespace varn {

class frmCal;
class frmQ;
class ReportMenu;

// The statistics commands (依工種..., 依區域...) and the report items (列印首頁, 列印明細) put
// on a quotation window through its command hooks. Made once per window, right after it
// has loaded; it lives and dies with the window. The report tables are rebuilt when an
// item is chosen, so nothing is hooked on the opening of the menu itself.
class StatisticsWindowHooks : public QObject {
    Q_OBJECT
public:
    // Null when the window has no statistics database (the commands then stay disabled).
    static StatisticsWindowHooks* attach(frmQ& window);
    ~StatisticsWindowHooks() override;

    void mCalT_Click();
    void mCalA_Click();
    void mPfp_Click();
    void mPdt_Click();

    // The statistics window, made on first use.
    frmCal& cal();
    ReportMenu& reportMenu() { return *m_reportMenu; }

private:
    explicit StatisticsWindowHooks(frmQ& window);

    frmQ& m_window;
    QPointer<frmCal> m_cal;
    std::unique_ptr<ReportMenu> m_reportMenu;
};

} // namespace varn
