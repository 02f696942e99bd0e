#include "excel_output/PrintCommandRunner.h"

#include "excel_output/CoverEngine.h"
#include "output/DeliveredWorkbook.h"
#include "platform/ui/Prompter.h"
#include "quotation/Quotation.h"
#include "statistics/ReportMenu.h"

#include <map>

namespace varn {

namespace {

bool s_running = false;

std::map<PrintEngine, std::function<QString(const PrintJob&)>>& handedIn()
{
    static std::map<PrintEngine, std::function<QString(const PrintJob&)>> engines;
    return engines;
}

struct RunningPrint {
    RunningPrint() { s_running = true; }
    ~RunningPrint() { s_running = false; }
};

} // namespace

void SetPrintEngine(PrintEngine engine, std::function<QString(const PrintJob&)> run)
{
    handedIn()[engine] = std::move(run);
}

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
    } else if (const auto engine = handedIn().find(command.engine); engine != handedIn().end() && engine->second) {
        saved = engine->second({q, staDb, during, QuotationTemplateFolder(command.folder), command.templateFile});
    } else {
        prompter().inform(QStringLiteral("「%1」尚未提供").arg(command.caption), PromptIcon::Information);
    }
    flags = FlagsAfterCommand(command, before, during);
    return saved;
}

} // namespace varn
