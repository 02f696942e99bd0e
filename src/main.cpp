#include "app/widgets/ApplicationSetup.h"
#include "app/widgets/Shell.h"
#include "app/widgets/WindowHooks.h"
#include "platform/report/ReportResources.h"
#include "platform/ui/widgets/GuardedApplication.h"
#include "platform/ui/widgets/QtPrompter.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

int main(int argc, char* argv[])
{
    // An exception that escapes a command is told and the program goes on.
    varn::GuardedApplication app(argc, argv);
    varn::SetUpApplication(app);

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

    // The menu opens the other modules' windows; the quotation window's close hook keeps
    // 結束 from dropping an unsaved quotation.
    varn::Shell shell;
    varn::ConnectWindows(shell);
    shell.start();
    const int code = app.exec();
    varn::Prompter::install(nullptr);
    return code;
}
