#include "excel_output/widgets/PrintCommandHooks.h"

#include "excel_output/PrintCommandRunner.h"
#include "excel_output/paged/PagedEngines.h"
#include "excel_output/widgets/frmXlSet.h"
#include "output/DeliveredWorkbook.h"
#include "quotation/widgets/frmQ.h"

namespace varn {

void AttachPrintCommands(frmQ& window)
{
    StartSpreadsheetLookup();
    InstallPagedEngines();
    for (const PrintCommand& command : PrintCommands()) {
        window.setCommandHandler(command.name, [&window, &command] {
            RunPrintCommand(command, window.quotation(), window.staDb(), window.layoutFlags());
        });
    }
    window.setCommandHandler(QStringLiteral("mPxlset"), [&window] { mPxlset_Click(window); });
}

void mPxlset_Click(frmQ& window)
{
    frmXlSet dialog(&window);
    dialog.exec();
}

} // namespace varn
