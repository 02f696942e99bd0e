// Writes the program's spreadsheet templates and the shipped Xp.ini into one folder:
//   make_templates <folder>

#include "Templates.h"

#include "shared/setup/XpDefaults.h"

#include <QStringList>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace templates {

namespace {

Geometry geometryOf(int firstLine)
{
    const QStringList xp = varn::DefaultXpValues();
    auto row = [&](int line) { return xp[line - 1].toInt(); };
    auto column = [&](int line) { return xp[line - 1][0].unicode() - u'A' + 1; };
    return {row(firstLine + 1), row(firstLine + 3), column(firstLine + 2),
            row(firstLine + 9), row(firstLine + 11), row(firstLine + 13), row(firstLine + 15)};
}

} // namespace

Geometry CoverGeometry() { return geometryOf(1); }
Geometry DetailGeometry() { return geometryOf(17); }

} // namespace templates

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_templates <folder>\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::error_code error;
    for (const char* sub : {"PrintQ", "PrintS", "PrintC", "PrintNF", "Pother"}) {
        std::filesystem::create_directories(dir / sub, error);
        if (error) {
            std::fprintf(stderr, "make_templates: %s: %s\n", (dir / sub).c_str(), error.message().c_str());
            return 1;
        }
    }

    const QByteArray xp = varn::DefaultXpIniContent();
    std::ofstream ini(dir / "Xp.ini", std::ios::binary | std::ios::trunc);
    ini.write(xp.constData(), xp.size());
    ini.close();
    if (!ini) {
        std::fprintf(stderr, "make_templates: cannot write %s\n", (dir / "Xp.ini").c_str());
        return 1;
    }

    const bool ok = templates::WriteQuotationTemplates(dir.string()) && templates::WriteOtherTemplates(dir.string());
    return ok ? 0 : 1;
}
