#include "app/Version.h"

namespace varn {

ProgramVersion CurrentVersion()
{
    return {};
}

QString SplashVersionText(const ProgramVersion& v)
{
    return QStringLiteral("Version: ") + QString::number(v.major) + QStringLiteral(".5 網路版");
}

QString SplashBuildText(const ProgramVersion& v)
{
    return QStringLiteral("Build: ") + QString::number(v.minor) + QLatin1Char('.')
           + QString::number(v.revision);
}

} // namespace varn
