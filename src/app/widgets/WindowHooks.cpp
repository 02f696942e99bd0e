#include "app/widgets/WindowHooks.h"

#include "app/MainDb.h"
#include "app/PrintSettings.h"
#include "app/widgets/Shell.h"
#include "excel_output/widgets/PrintCommandHooks.h"
#include "lexicon/widgets/frmEng.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmQ.h"
#include "records/widgets/frmCus.h"
#include "records/widgets/frmPrv.h"
#include "records/widgets/frmSta.h"
#include "statistics/widgets/StatisticsWindowHooks.h"

namespace varn {

void ConnectWindows(Shell& shell)
{
    shell.setWindowOpener(MenuButton::Quotation, [] { frmQ::open(); });
    // A window still being built (its load is what ends the program) has nothing to save.
    shell.setQuotationCloser([] {
        // An open lexicon window settles its pending grids and saves its lists first.
        if (frmEng* lexicon = frmEng::existing(); lexicon && lexicon->isVisible() && !lexicon->close())
            return false;
        const frmQ* q = frmQ::existing();
        return !q || !q->isVisible() || frmQ::requestClose();
    });
    shell.setWindowOpener(MenuButton::Customers, [] { ShowCustomerRegister(); });
    shell.setWindowOpener(MenuButton::Vendors, [] { ShowVendorRegister(); });
    shell.setWindowOpener(MenuButton::Employees, [] { ShowEmployeeRegister(); });
    shell.setWindowOpener(MenuButton::Lexicon, [] { ShowLexiconWindow(); });

    // The quotation window's own hooks are program-wide: set them once.
    static bool quotationHooked = false;
    if (quotationHooked)
        return;
    quotationHooked = true;
    frmEng::setDatabaseOpener([] { OpenMainDb(); });
    frmQ::setTemplateMarker([] { MarkTemplatesReadOnly(); });
    // The window reads the print ranges afresh and opens the main database again.
    frmQ::setSettingsLoader([] {
        LoadXlSettings();
        OpenMainDb();
    });
    QuotationWindowExtras::setCustomerPicker([](QWidget* parent) { return PickCustomer(parent); });
    frmQ::addLoadHook([](frmQ& window) {
        QuotationWindowExtras::attach(window);
        StatisticsWindowHooks::attach(window);
        AttachPrintCommands(window);
    });
}

} // namespace varn
