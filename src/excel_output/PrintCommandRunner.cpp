#include "excel_output/PrintCommandRunner.h"

#include "excel_output/CoverEngine.h"
#include "output/DeliveredWorkbook.h"
#include "platform/ui/Prompter.h"
#include "quotation/Quotation.h"
#include "statistics/ReportMenu.h"

namespace varn {

namespace {

bool s_running = false;

struct RunningPrint {
    RunningPrint() { s_running = true; }
    ~RunningPrint() { s_running = false; }
};

} // namespace

QString RunPrintCommand(const PrintCommand& command, Quotation& q, Database* staDb, LayoutFlags& flags)
{
    if (s_running)
        return {};
    const RunningPrint running;
    const LayoutFlags before = flags;
    flags = CommandFlags(command, before, {q.noPriceRight(), q.noCostRight(), q.noAreaMode()});
    const LayoutFlags during = flags;

    QString saved;
    if (QuotationIsBlank(q)) {
        prompter().inform(QStringLiteral("空白表單無法列印"), PromptIcon::Warning);
    } else if (command.engine == PrintEngine::Cover || command.engine == PrintEngine::AreaNoTypes) {
        saved = PrintExcelCover({q, staDb, during, QuotationTemplateFolder(command.folder), command.templateFile,
                                 command.engine == PrintEngine::AreaNoTypes});
    } else {
        prompter().inform(QStringLiteral("「%1」尚未提供").arg(command.caption), PromptIcon::Information);
    }
    flags = FlagsAfterCommand(command, before, during);
    return saved;
}

} // namespace varn
