#include "excel_output/XlSettings.h"

#include "excel_output/TemplateCheck.h"
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
    if (const QString refused = CheckPrintRangeOrder(QStringList(values.xp.begin(), values.xp.end()));
        !refused.isEmpty())
        return refused + QStringLiteral("\n列印設定未儲存");
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
