#pragma once

#include <QString>

namespace varn {

// The program's version numbers, shown on the start-up window.
struct ProgramVersion {
    int major = 3;
    int minor = 2025;
    int revision = 1;
};

ProgramVersion CurrentVersion();

// Label l: "Version: " major ".5 網路版".
QString SplashVersionText(const ProgramVersion& v);
// Label lb: "Build: " minor "." revision.
QString SplashBuildText(const ProgramVersion& v);

} // namespace varn
