#include "quotation/RecentFiles.h"

#include "platform/text/Cp950.h"
#include "shared/ProgramState.h"

#include <QDir>

#include <algorithm>

namespace varn {

QStringList RecentFiles::paths() const
{
    QStringList out;
    for (const Item& item : m_items) {
        if (item.visible)
            out << item.caption;
    }
    return out;
}

void RecentFiles::AddRecentFile(const QString& path)
{
    int k = Size - 1;
    for (int i = 0; i < Size; ++i) {
        if (m_items[i].caption == path) {
            k = i;
            break;
        }
    }
    for (int j = k; j >= 1; --j)
        m_items[j] = m_items[j - 1];
    m_items[0] = Item{path, true};
    for (int i = Size - 1; i >= 1; --i) {
        if (!m_items[i].visible)
            continue;
        for (int j = 0; j < i; ++j) {
            if (m_items[j].visible && m_items[j].caption == m_items[i].caption) {
                m_items[i].visible = false;
                break;
            }
        }
    }
}

void RecentFiles::load(const QString& ofIniPath)
{
    m_items = {};
    QStringList lines;
    try {
        lines = ReadCp950Lines(ofIniPath);
    } catch (const TextFileError&) {
        return;
    }
    // A hand-edited or older list may repeat a file or hold blank lines; each would keep a
    // hidden slot for good, so only the first five distinct files are taken.
    int k = 0;
    for (const QString& line : lines) {
        if (k == Size)
            break;
        if (line.isEmpty() || std::any_of(m_items.begin(), m_items.begin() + k,
                                          [&](const Item& item) { return item.caption == line; }))
            continue;
        m_items[k++] = Item{line, true};
    }
}

bool RecentFiles::save(const QString& ofIniPath) const
{
    Cp950LineWriter writer;
    for (const Item& item : m_items) {
        if (item.visible && !FirstNonCp950Char(item.caption) && !item.caption.contains(u'\n') && !item.caption.contains(u'\r'))
            writer.addLine(item.caption);
    }
    try {
        writer.commit(ofIniPath);
    } catch (const TextFileError&) {
        return false;
    }
    return true;
}

QString RecentFiles::defaultPath()
{
    return QDir(state().programFolder).filePath(QStringLiteral("Of.ini"));
}

} // namespace varn
