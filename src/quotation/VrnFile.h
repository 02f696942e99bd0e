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
    // What a damaged file held that could not be read, in the user's words ("設計費", "折扣",
    // the rows after the last whole one...); empty for a whole file or an older layout.
    QStringList unread;
};

// How the reader meets a damaged file. Strict (a file from the recent list): any line or
// field that is missing or cannot be converted is an error. Tolerant (a file chosen in the
// dialog): what can be read is read, and what cannot is named in `VrnContent::unread`. In
// both modes the mode line and the section lines must match, and a file ending before its
// grid section is an error. A file that ends where an older layout ends (after the grid
// section, after the fee lines, after the totals line) is read as that layout.
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
// part keeps (the reset panel: its fee titles and tax box). `lastLineEnded` false: the file
// ends inside its last line, which is then taken as cut off, unless it is a check line
// whole but for its line break. Throws VrnError.
VrnContent parse(const QStringList& lines, VrnReadMode mode, const PageEndValues& blank,
                 bool lastLineEnded = true);
// Reads and parses a CP950 file. Throws VrnError (also when the file cannot be read).
VrnContent read(const QString& path, VrnReadMode mode, const PageEndValues& blank);

// The message of a file opened with parts it could not read.
QString incompleteMessage(const QStringList& unread);

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
