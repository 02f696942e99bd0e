#include "excel_output/XlSettings.h"

#include "platform/text/Cp950.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"

#include <QDir>

namespace varn {

XlSettingsValues LoadXlSettingsValues()
{
    LoadXlSettingsFiles(state().programFolder);
    return {state().m.gXp, state().m.gFixedHeader};
}

QString ApplyXlSettings(const XlSettingsValues& values)
{
    mdM& m = state().m;
    const QString folder = state().programFolder;
    QStringList problems;
    try {
        WriteXpFile(folder, values.xp);
        m.gXp = values.xp;
    } catch (const TextFileError& e) {
        problems << e.message();
    }
    try {
        WriteFastPFile(folder, values.fixedHeader);
        m.gFixedHeader = values.fixedHeader;
    } catch (const TextFileError& e) {
        problems << e.message();
    }
    return problems.join(QLatin1Char('\n'));
}

} // namespace varn
