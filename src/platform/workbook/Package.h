#pragma once

// The .xlsx container: reads parts of an open archive and writes a new archive in which
// untouched parts are copied as they are stored (no recompression).

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct zip;

namespace varn {

class Package {
public:
    // Opens read-only; throws WorkbookError naming the file and what is wrong with it.
    explicit Package(const QString& path);
    ~Package();
    Package(const Package&) = delete;
    Package& operator=(const Package&) = delete;

    const QString& path() const { return m_path; }

    // Part names are matched without regard to case, as the format requires.
    std::optional<std::string> entryName(const std::string& partName) const;
    bool contains(const std::string& partName) const { return entryName(partName).has_value(); }
    // The part's bytes; throws WorkbookError when it is missing or unreadable.
    std::string read(const std::string& partName) const;

    // Writes a new archive to `target`, atomically (temporary file, then rename): every
    // entry in its original order, with `replaced` parts given new contents and `removed`
    // parts left out. Throws WorkbookError; on failure the target is not touched.
    void write(const QString& target, const std::map<std::string, std::string>& replaced,
               const std::set<std::string>& removed) const;

private:
    QString m_path;
    zip* m_zip = nullptr;
    std::vector<std::string> m_entries;              // archive order
    std::map<std::string, std::string> m_byLower;    // lower-case part name -> entry name
};

// Lower case of an ASCII part name (part names compare without regard to case).
std::string LowerPartName(const std::string& name);

} // namespace varn
