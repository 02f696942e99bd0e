#pragma once

#include "quotation/PageEnd.h"
#include "quotation/QuotationHeader.h"

#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>
#include <vector>

namespace varn {

// One item line of the file: columns 1 to 12 of a master-grid row (path, 品名 ... 備註,
// lexicon work item).
using ItemLine = std::array<QString, 12>;

// Everything a quotation file holds, read or about to be written.
struct VrnContent {
    bool noAreaMode = false;
    QuotationHeader header;          // the seven stored fields
    QStringList leafPaths;           // the tree section, depth first
    std::vector<ItemLine> rows;      // the grid section, in master-grid order
    bool hasPageEnd = true;          // false: an older file without page-end sections
    PageEndValues pageEnd;
};

// How the reader meets a damaged file. Strict (a file from the recent list): any line or
// field that is missing or cannot be converted is an error. Tolerant (a file chosen in the
// dialog): a missing field or page-end line keeps its reset value. In both modes the mode
// line and the section lines must match and a file ending inside a section is an error.
enum class VrnReadMode { Strict, Tolerant };

class VrnError : public std::runtime_error {
public:
    // Error numbers of a failed save, as the save message shows them.
    static constexpr int RefusedText = 5;
    static constexpr int FileAccess = 75;

    explicit VrnError(const QString& message, int number = FileAccess);
    QString message() const { return m_message; }
    int number() const { return m_number; }

private:
    QString m_message;
    int m_number;
};

namespace Vrn {

// Parses the decoded lines of a file. `blank` gives the page-end values that a missing
// part keeps (the reset panel: its fee titles and tax box). Throws VrnError.
VrnContent parse(const QStringList& lines, VrnReadMode mode, const PageEndValues& blank);
// Reads and parses a CP950 file. Throws VrnError (also when the file cannot be read).
VrnContent read(const QString& path, VrnReadMode mode, const PageEndValues& blank);

// Why the content cannot be written, naming the field: a separator or line break inside a
// field, or a character code page 950 cannot hold. Empty when it can be written.
QString refusal(const VrnContent& content);
// The refusal that `refusal` would give for one field named `field`: a line break, one of
// the separators, or a character code page 950 cannot hold. Empty when the text can be saved.
QString fieldRefusal(const QString& field, const QString& text, const QString& separators);
// The file's lines (current layout, "|" between grid fields).
QStringList lines(const VrnContent& content);
// Checks, then writes the whole file through a temporary file renamed over the old one.
// Throws VrnError; on failure the old file is left as it was.
void write(const QString& path, const VrnContent& content);

} // namespace Vrn
} // namespace varn
