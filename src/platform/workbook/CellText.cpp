#include "platform/workbook/CellText.h"

namespace varn {

namespace {

bool needsEscape(char16_t c)
{
    if (c < 0x20)
        return c != u'\t' && c != u'\n';
    return c == 0xFFFE || c == 0xFFFF;
}

bool isHex(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F');
}

// "_xHHHH_" at position i.
bool escapeAt(QStringView text, qsizetype i)
{
    if (i + 7 > text.size() || text[i] != u'_' || text[i + 1] != u'x' || text[i + 6] != u'_')
        return false;
    for (int k = 2; k < 6; ++k)
        if (!isHex(text[i + k]))
            return false;
    return true;
}

void appendHexEscape(QString& out, char16_t c)
{
    out += QStringLiteral("_x") + QString::number(c, 16).toUpper().rightJustified(4, u'0') + u'_';
}

} // namespace

QString LimitCellText(const QString& text)
{
    if (text.size() <= kMaxCellTextLength)
        return text;
    qsizetype cut = kMaxCellTextLength;
    if (text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut);
}

std::string EscapeCellText(QStringView text)
{
    bool plain = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (needsEscape(c) || (c == u'_' && escapeAt(text, i))) {
            plain = false;
            break;
        }
        if (QChar::isSurrogate(c)) {
            const bool pairedHigh = QChar::isHighSurrogate(c) && i + 1 < text.size()
                && text[i + 1].isLowSurrogate();
            if (!pairedHigh) {
                plain = false;
                break;
            }
            ++i;
        }
    }
    if (plain)
        return text.toUtf8().toStdString();

    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (needsEscape(c)) {
            appendHexEscape(out, c);
        } else if (c == u'_' && escapeAt(text, i)) {
            out += QStringLiteral("_x005F_");   // the underscore itself, escaped
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text[i];
            out += text[i + 1];
            ++i;
        } else if (QChar::isSurrogate(c)) {
            appendHexEscape(out, c);   // a lone half cannot be written as UTF-8
        } else {
            out += text[i];
        }
    }
    return out.toUtf8().toStdString();
}

QString UnescapeCellText(std::string_view stored)
{
    const QString text = QString::fromUtf8(stored.data(), static_cast<qsizetype>(stored.size()));
    if (!text.contains(QStringLiteral("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && escapeAt(text, i)) {
            out += QChar(static_cast<char16_t>(text.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {

// Appends text with the characters XML needs escaped; attribute values also escape the
// quote and the white space that attribute normalisation would otherwise fold.
void appendEscaped(std::string& out, std::string_view text, bool attribute)
{
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char* rep = nullptr;
        switch (text[i]) {
        case '&': rep = "&amp;"; break;
        case '<': rep = "&lt;"; break;
        case '>': rep = "&gt;"; break;
        case '"': rep = attribute ? "&quot;" : nullptr; break;
        case '\n': rep = attribute ? "&#10;" : nullptr; break;
        case '\r': rep = attribute ? "&#13;" : nullptr; break;
        case '\t': rep = attribute ? "&#9;" : nullptr; break;
        default: break;
        }
        if (!rep)
            continue;
        out.append(text.data() + start, i - start);
        out.append(rep);
        start = i + 1;
    }
    out.append(text.data() + start, text.size() - start);
}

} // namespace

void AppendXmlText(std::string& out, std::string_view text)
{
    appendEscaped(out, text, false);
}

void AppendXmlAttribute(std::string& out, std::string_view text)
{
    appendEscaped(out, text, true);
}

} // namespace varn
