#pragma once

#include "quotation/QuotationAutosave.h"

#include <QObject>

#include <functional>

class QWidget;

namespace varn {

class frmPe;
class frmQ;
class LexiconAdditionCommand;
class QuotationFileCommands;

// The quotation window's file commands, recent files and autosave, page-end panel, customer
// pick and lexicon additions, put on a frmQ through its command hooks and actions. Made
// once per window, right after the window has loaded; it lives and dies with the window.
class QuotationWindowExtras : public QObject {
    Q_OBJECT
public:
    // The customer register's pick (frmCus in pick mode, shown modally): true when a
    // customer was handed back into the shared customer values. Without one 客戶名稱 stays
    // disabled.
    using CustomerPicker = std::function<bool(QWidget* parent)>;
    static void setCustomerPicker(CustomerPicker picker);

    static QuotationWindowExtras* attach(frmQ& window, AutosaveSchedule::Clock clock = {});

    // cmdC_Click: the register in pick mode; a customer handed back fills the header.
    void cmdC_Click();
    // The close question with the save names completed; false keeps the window open.
    bool queryClose();

    QuotationFileCommands& files() { return *m_files; }
    frmPe& pageEnd() { return *m_pageEnd; }
    LexiconAdditionCommand& lexicon() { return *m_lexicon; }

private:
    QuotationWindowExtras(frmQ& window, AutosaveSchedule::Clock clock);

    static CustomerPicker s_picker;

    frmQ& m_window;
    QuotationFileCommands* m_files;
    frmPe* m_pageEnd;
    LexiconAdditionCommand* m_lexicon;
};

} // namespace varn
