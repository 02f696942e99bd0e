#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace varn {

// The five recent-file items of the File menu (`mRF`) and their file `Of.ini`.
class RecentFiles {
public:
    static constexpr int Size = 5;

    struct Item {
        QString caption = QStringLiteral("noF");
        bool visible = false;
        bool operator==(const Item&) const = default;
    };

    // The menu items, element 0 the most recent.
    const std::array<Item, Size>& items() const { return m_items; }
    // The captions of the visible items, in item order.
    QStringList paths() const;

    // Puts the path at the top (`AddRecentFile`): its old place, or the oldest item, gives
    // way, the items above move down, and a later item equal to an earlier one is hidden.
    void AddRecentFile(const QString& path);

    // Fills the items from the first five lines of the file; a missing or unreadable file
    // leaves the list empty.
    void load(const QString& ofIniPath);
    // Writes the visible items, one path per line (CP950, CRLF, replaced atomically).
    // A path code page 950 cannot hold is left out. Returns false when the file cannot be
    // written.
    bool save(const QString& ofIniPath) const;

    // `Of.ini` in the program folder.
    static QString defaultPath();

private:
    std::array<Item, Size> m_items;
};

} // namespace varn
