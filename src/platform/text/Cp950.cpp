#include "platform/text/Cp950.h"

#include "platform/files/FileFailure.h"
#include "platform/files/SafeSave.h"

#include <QFile>

#include <cerrno>
#include <iconv.h>

namespace varn {

namespace {

// One iconv conversion, opened once per thread and reset before every use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw TextFileError(QStringLiteral("系統不支援 Big5（CP950）編碼轉換"));
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t reset()
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

// QString's own UTF-16 units, in the host's byte order.
#if Q_BYTE_ORDER == Q_BIG_ENDIAN
constexpr const char* Utf16 = "UTF-16BE";
#else
constexpr const char* Utf16 = "UTF-16LE";
#endif

iconv_t decoder()
{
    thread_local Converter c(Utf16, "CP950");
    return c.reset();
}

iconv_t encoder()
{
    thread_local Converter c("CP950", Utf16);
    return c.reset();
}

struct EncodeResult {
    QByteArray bytes;
    qsizetype badIndex = -1;    // UTF-16 index of the first character that has no CP950 form
};

EncodeResult encode(QStringView text)
{
    EncodeResult r;
    if (text.isEmpty())
        return r;
    iconv_t cd = encoder();
    // Every UTF-16 unit gives at most two CP950 bytes.
    r.bytes.resize(text.size() * 2 + 8);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = size_t(text.size()) * 2;
    char* out = r.bytes.data();
    size_t outLeft = size_t(r.bytes.size());
    const char* inStart = in;
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == size_t(-1)) {
        // EILSEQ: no CP950 form; EINVAL: a lone high surrogate at the end.
        r.badIndex = (in - inStart) / 2;
        r.bytes.clear();
        return r;
    }
    r.bytes.resize(out - r.bytes.data());
    return r;
}

char32_t characterAt(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i + 1]);
    return c.unicode();
}

QString characterText(char32_t c)
{
    if (c >= 0xD800 && c <= 0xDFFF)   // a broken surrogate cannot be shown on its own
        return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return QString::fromUcs4(&c, 1);
}

} // namespace

TextFileError::TextFileError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

QString DecodeCp950(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    iconv_t cd = decoder();
    QString result;
    result.reserve(bytes.size());
    // Every CP950 byte or byte pair gives one UTF-16 unit.
    std::u16string buf(size_t(bytes.size()) + 8, u'\0');

    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    while (inLeft > 0) {
        char* out = reinterpret_cast<char*>(buf.data());
        size_t outLeft = buf.size() * 2;
        const size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        const auto produced = qsizetype((reinterpret_cast<char16_t*>(out) - buf.data()));
        result.append(QStringView(buf.data(), produced));
        if (rc != size_t(-1))
            break;
        if (errno == EILSEQ) {
            // Not CP950: mark it and go on with the next byte.
            result.append(QChar::ReplacementCharacter);
            ++in;
            --inLeft;
            cd = decoder();
        } else if (errno == EINVAL) {
            // A lead byte cut off by the end of the data.
            result.append(QChar::ReplacementCharacter);
            break;
        } else {
            break;      // E2BIG cannot happen: the buffer holds the whole text
        }
    }
    return result;
}

std::optional<QByteArray> EncodeCp950(QStringView text)
{
    EncodeResult r = encode(text);
    if (r.badIndex >= 0)
        return std::nullopt;
    return r.bytes;
}

std::optional<char32_t> FirstNonCp950Char(QStringView text)
{
    const EncodeResult r = encode(text);
    if (r.badIndex < 0)
        return std::nullopt;
    return characterAt(text, r.badIndex);
}

QStringList ReadCp950Lines(const QString& path)
{
    bool ended = true;
    return ReadCp950Lines(path, ended);
}

QStringList ReadCp950Lines(const QString& path, bool& lastLineEnded)
{
    QFile file(path);
    const auto fail = [&](int error) {
        return TextFileError(
            QStringLiteral("無法讀取檔案「%1」：%2").arg(path, FileFailureReason(file, error, FileUse::Read)));
    };
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw fail(errno);
    errno = 0;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fail(errno);

    // Decode first, split after: in CP950 the byte '|' can be the second half of a
    // character, but CR and LF never are.
    const QString text = DecodeCp950(bytes);
    lastLineEnded = text.isEmpty() || text.endsWith(u'\n');
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype lf = text.indexOf(u'\n', start);
        if (lf < 0) {
            lines.append(text.mid(start));
            break;
        }
        qsizetype end = lf;
        if (end > start && text[end - 1] == u'\r')
            --end;
        lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
    return lines;
}

void Cp950LineWriter::addLine(const QString& text, const QString& field)
{
    m_lines.push_back({text, field});
}

void Cp950LineWriter::commit(const QString& path) const
{
    QByteArray bytes;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line& line = m_lines[i];
        const QString name = line.field.isEmpty()
            ? QStringLiteral("第 %1 行").arg(i + 1)
            : QStringLiteral("「%1」").arg(line.field);
        // A line break inside a value would shift every later line of the file.
        if (line.text.contains(u'\r') || line.text.contains(u'\n'))
            throw TextFileError(QStringLiteral("%1含有換行字元，無法存檔").arg(name));
        const EncodeResult r = encode(line.text);
        if (r.badIndex >= 0) {
            throw TextFileError(QStringLiteral("%1含有無法存成 Big5 的字元「%2」")
                                    .arg(name, characterText(characterAt(line.text, r.badIndex))));
        }
        bytes += r.bytes;
        bytes += "\r\n";
    }

    if (const auto why = SaveFileSafely(path, bytes))
        throw TextFileError(QStringLiteral("無法寫入檔案「%1」：%2").arg(path, *why));
}

} // namespace varn
