#pragma once

#include "statistics/ReportMenu.h"

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace varn {

// Rebuilds the print database and shows the report in a print preview, from which the
// user prints it or saves a PDF. Nothing is shown when the quotation is empty, the
// rebuild fails or the layout cannot be read (the prompter says why).
void RunReport(ReportMenu& menu, ReportKind kind, QWidget* parent);

// The quotation window's menu 列印(&R) with 列印首頁 and 列印明細, for its menu bar. The
// items are shown only to a user who may see prices.
class ReportMenuActions : public QObject {
    Q_OBJECT
public:
    ReportMenuActions(ReportMenu& menu, QWidget* window);

    QMenu* mP() const { return m_mP; }
    QAction* mPfp() const { return m_mPfp; }
    QAction* mPdt() const { return m_mPdt; }

    void mPfp_Click();
    void mPdt_Click();
    // The items follow the user's rights whenever the menu opens.
    void refresh();

private:
    ReportMenu& m_menu;
    QWidget* m_window;
    QMenu* m_mP;
    QAction* m_mPfp;
    QAction* m_mPdt;
};

} // namespace varn
