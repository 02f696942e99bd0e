#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <stdexcept>

namespace varn {

// Code page 950 (Big5 as Windows has it) through glibc iconv.

// Decodes CP950 bytes; bytes that are not CP950 become U+FFFD.
QString DecodeCp950(const QByteArray& bytes);

// Encodes to CP950; nullopt when a character has no CP950 form.
std::optional<QByteArray> EncodeCp950(QStringView text);

// The first character of the text that CP950 cannot hold, or nullopt if all can.
std::optional<char32_t> FirstNonCp950Char(QStringView text);

class TextFileError : public std::runtime_error {
public:
    explicit TextFileError(const QString& message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Reads a whole CP950 file and splits it into lines (CRLF, or a lone LF) after decoding,
// so that a '|' second byte never splits a character. A final line break gives no extra
// empty line. Throws TextFileError when the file cannot be read.
QStringList ReadCp950Lines(const QString& path);
// The same; `lastLineEnded` tells whether the file's last line has its line break (true for
// an empty file), so that a file cut off inside a line can be told from a whole one.
QStringList ReadCp950Lines(const QString& path, bool& lastLineEnded);

// Collects lines for a CP950 CRLF file and writes them in one go: every line is checked
// before the file is touched, and the file is replaced atomically (temporary file, then
// rename), so a failed write leaves the old file as it was.
class Cp950LineWriter {
public:
    // field names the value in messages ("品名", "區域名稱"...); empty uses the line number.
    void addLine(const QString& text, const QString& field = {});
    int lineCount() const { return static_cast<int>(m_lines.size()); }

    // Throws TextFileError naming the field and the character when a line cannot be
    // encoded, or naming the path when the file cannot be written.
    void commit(const QString& path) const;

private:
    struct Line {
        QString text;
        QString field;
    };
    std::vector<Line> m_lines;
};

} // namespace varn
