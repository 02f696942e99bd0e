#include "app/PrintSettings.h"
#include "app/widgets/Shell.h"
#include "platform/report/ReportResources.h"
#include "platform/ui/widgets/QtPrompter.h"
#include "quotation/widgets/QuotationWindowExtras.h"
#include "quotation/widgets/frmQ.h"
#include "records/widgets/frmCus.h"
#include "statistics/widgets/StatisticsWindowHooks.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <QApplication>
#include <QFont>

namespace {

// The windows that the menu opens, and the parts of the quotation window that live in other
// modules (files and page end, statistics and reports, the customer pick).
void connectWindows(varn::Shell& shell)
{
    using namespace varn;
    shell.setWindowOpener(MenuButton::Quotation, [] { frmQ::open(); });
    shell.setQuotationCloser([] { return frmQ::requestClose(); });
    shell.setWindowOpener(MenuButton::Customers, [] { ShowCustomerRegister(); });

    frmQ::setTemplateMarker([] { MarkTemplatesReadOnly(); });
    QuotationWindowExtras::setCustomerPicker([](QWidget* parent) { return PickCustomer(parent); });
    frmQ::addLoadHook([](frmQ& window) {
        QuotationWindowExtras::attach(window);
        StatisticsWindowHooks::attach(window);
    });
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("varn3"));
    QApplication::setApplicationDisplayName(QStringLiteral("Varn III"));

    QFont font(QStringLiteral("Noto Sans CJK TC"));
    font.setPointSize(10);
    QApplication::setFont(font);

    varn::QtPrompter qtPrompter;
    varn::Prompter::install(&qtPrompter);

    // The program folder holds the settings, the master copies and the working folders;
    // a new one is seeded on the first start.
    varn::InitReportResources();  // the seed copies the report layouts from the resources
    const QString folder = varn::ResolveProgramFolder();
    try {
        varn::SeedProgramFolder(folder, varn::DefaultTemplatesSource());
    } catch (const varn::SetupError& e) {
        varn::prompter().inform(QStringLiteral("無法建立程式資料夾 ") + e.path() + QLatin1Char('\n')
                                    + e.message(),
                                varn::PromptIcon::Critical);
        return 1;
    }
    varn::state().programFolder = folder;

    // The menu's buttons open the windows hooked to the shell (Shell::setWindowOpener); the
    // quotation window's close hook (Shell::setQuotationCloser with CloseWindowAsking) keeps
    // 結束 from dropping an unsaved quotation.
    varn::Shell shell;
    connectWindows(shell);
    shell.start();
    const int code = app.exec();
    varn::Prompter::install(nullptr);
    return code;
}
