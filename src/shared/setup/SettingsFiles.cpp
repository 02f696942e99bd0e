#include "shared/setup/SettingsFiles.h"

#include "shared/setup/XpDefaults.h"

#include "platform/text/Cp950.h"
#include "platform/text/VbNumber.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

QString filePath(const QString& folder, QLatin1String name)
{
    return QDir(folder).filePath(name);
}

// Reads a settings file; lines holds what could be read.
SettingsFileResult readLines(const QString& path, int wanted, QStringList* lines)
{
    SettingsFileResult r;
    r.path = path;
    const QFileInfo fi(path);
    if (!fi.exists()) {
        r.status = SettingsFileStatus::Missing;
        return r;
    }
    if (fi.isDir()) {
        r.status = SettingsFileStatus::Unreadable;
        r.detail = QStringLiteral("「%1」是資料夾，不是檔案").arg(QDir::toNativeSeparators(path));
        return r;
    }
    try {
        *lines = ReadCp950Lines(path);
    } catch (const TextFileError& e) {
        r.status = SettingsFileStatus::Unreadable;
        r.detail = e.message();
        return r;
    }
    if (lines->size() < wanted)
        r.status = SettingsFileStatus::Short;
    return r;
}

} // namespace

// ---- Mdbpath.ini

SettingsFileResult ReadMdbPathFile(const QString& programFolder, MdbPathSettings* out)
{
    QStringList lines;
    const SettingsFileResult r = readLines(filePath(programFolder, kMdbPathFile), 3, &lines);
    *out = MdbPathSettings{lines.value(0), lines.value(1), lines.value(2)};
    const QDir program(programFolder);
    if (out->printPath.isEmpty())
        out->printPath = program.filePath(kTemplatesFolder);
    if (out->filePath.isEmpty())
        out->filePath = program.filePath(kQuotationsFolder);
    return r;
}

void WriteMdbPathFile(const QString& programFolder, const MdbPathSettings& paths)
{
    Cp950LineWriter w;
    w.addLine(paths.mdbPath, QStringLiteral("資料庫 路徑"));
    w.addLine(paths.printPath, QStringLiteral("列印套表路徑"));
    w.addLine(paths.filePath, QStringLiteral("開存檔 路徑"));
    w.commit(filePath(programFolder, kMdbPathFile));
}

// ---- Auto.ini

int AutoSaveMinutes(const QString& intervalText)
{
    const double v = std::trunc(Val(intervalText));
    return int(std::clamp(v, 0.0, 32767.0));
}

SettingsFileResult ReadAutoFile(const QString& programFolder, AutoSaveSettings* out)
{
    QStringList lines;
    const SettingsFileResult r = readLines(filePath(programFolder, kAutoFile), 2, &lines);
    out->enabled = lines.value(0) == QLatin1String("1");
    out->intervalText = lines.value(1);
    return r;
}

void WriteAutoFile(const QString& programFolder, const AutoSaveSettings& settings)
{
    Cp950LineWriter w;
    w.addLine(settings.enabled ? QStringLiteral("1") : QStringLiteral("0"));
    w.addLine(settings.intervalText, QStringLiteral("分鐘存檔一次"));
    w.commit(filePath(programFolder, kAutoFile));
}

SettingsFileResult LoadAutoSaveSettings(const QString& programFolder)
{
    AutoSaveSettings s;
    const SettingsFileResult r = ReadAutoFile(programFolder, &s);
    mdM& m = state().m;
    m.gAutoSave = s.enabled;
    m.gAutoSaveMin = AutoSaveMinutes(s.intervalText);
    return r;
}

// ---- Xp.ini and fastP.ini

XpValues XpDefaults()
{
    // One source with the shipped templates, so the ranges always fit them.
    const QStringList values = DefaultXpValues();
    XpValues v;
    for (int i = 0; i < 32 && i < values.size(); ++i)
        v[size_t(i)] = values[i];
    return v;
}

SettingsFileResult ReadXpFile(const QString& programFolder, XpValues* out)
{
    QStringList lines;
    const SettingsFileResult r = readLines(filePath(programFolder, kXpFile), 32, &lines);
    const int n = std::min<int>(32, int(lines.size()));
    for (int i = 0; i < n; ++i)
        (*out)[size_t(i)] = lines[i];
    return r;
}

void WriteXpFile(const QString& programFolder, const XpValues& values)
{
    Cp950LineWriter w;
    for (const QString& v : values)
        w.addLine(v);
    w.commit(filePath(programFolder, kXpFile));
}

SettingsFileResult ReadFastPFile(const QString& programFolder, bool* fixedHeader)
{
    QStringList lines;
    const SettingsFileResult r = readLines(filePath(programFolder, kFastPFile), 1, &lines);
    *fixedHeader = lines.value(0).startsWith(u'1');
    return r;
}

void WriteFastPFile(const QString& programFolder, bool fixedHeader)
{
    Cp950LineWriter w;
    w.addLine(fixedHeader ? QStringLiteral("1") : QStringLiteral("0"));
    w.commit(filePath(programFolder, kFastPFile));
}

XlSettingsResult LoadXlSettingsFiles(const QString& programFolder)
{
    XlSettingsResult r;
    XpValues values = XpDefaults();
    r.xp = ReadXpFile(programFolder, &values);
    bool fixed = false;
    r.fastP = ReadFastPFile(programFolder, &fixed);
    mdM& m = state().m;
    m.gXp = values;
    m.gFixedHeader = fixed;
    return r;
}

} // namespace varn
