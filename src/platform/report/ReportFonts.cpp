#include "platform/report/ReportFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QMutex>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>

#include <map>

namespace varn {

namespace {

using CharMap = std::map<char32_t, quint32>;            // character -> glyph
using Tables = std::map<QByteArray, QByteArray>;        // tag -> table, in tag order

// Every table an OpenType or TrueType font may carry that a renderer reads. A signature
// ("DSIG") no longer fits an altered font and is left out.
const char* const kTableTags[] = {
    "BASE", "CBDT", "CBLC", "CFF ", "CFF2", "COLR", "CPAL", "EBDT", "EBLC", "EBSC", "GDEF", "GPOS",
    "GSUB", "HVAR", "JSTF", "LTSH", "MATH", "MVAR", "OS/2", "PCLT", "STAT", "SVG ", "VDMX", "VORG",
    "VVAR", "avar", "cmap", "cvar", "cvt ", "fpgm", "fvar", "gasp", "glyf", "gvar", "hdmx", "head",
    "hhea", "hmtx", "kern", "loca", "maxp", "meta", "name", "post", "prep", "sbix", "vhea", "vmtx",
};

quint16 read16(const QByteArray& b, qsizetype at)
{
    return at >= 0 && at + 2 <= b.size() ? qFromBigEndian<quint16>(b.constData() + at) : 0;
}

quint32 read32(const QByteArray& b, qsizetype at)
{
    return at >= 0 && at + 4 <= b.size() ? qFromBigEndian<quint32>(b.constData() + at) : 0;
}

void put16(QByteArray& b, quint16 v)
{
    char c[2];
    qToBigEndian(v, c);
    b.append(c, 2);
}

void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToBigEndian(v, c);
    b.append(c, 4);
}

bool isIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
           || (c >= 0x20000 && c <= 0x3FFFF);
}

// Offset of the Unicode subtable of that format, or -1.
qsizetype unicodeSubtable(const QByteArray& cmap, quint16 format)
{
    const int count = read16(cmap, 2);
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 4 + 8 * qsizetype(i);
        const quint16 platform = read16(cmap, record), encoding = read16(cmap, record + 2);
        const qsizetype at = read32(cmap, record + 4);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        if (unicode && read16(cmap, at) == format)
            return at;
    }
    return -1;
}

// The font's Unicode map: format 12 when it has one (all planes), else format 4.
CharMap readUnicodeMap(const QByteArray& cmap)
{
    CharMap map;
    if (const qsizetype at = unicodeSubtable(cmap, 12); at >= 0) {
        const quint32 groups = read32(cmap, at + 12);
        if (at + 16 + 12 * qsizetype(groups) > cmap.size())
            return {};
        for (quint32 g = 0; g < groups; ++g) {
            const qsizetype group = at + 16 + 12 * qsizetype(g);
            const quint32 first = read32(cmap, group), last = read32(cmap, group + 4);
            const quint32 glyph = read32(cmap, group + 8);
            if (last < first || last > 0x10FFFF)
                return {};
            for (quint32 c = first; c <= last; ++c)
                map[c] = glyph + (c - first);
        }
    } else if (const qsizetype at4 = unicodeSubtable(cmap, 4); at4 >= 0) {
        const qsizetype segments = read16(cmap, at4 + 6) / 2;
        const qsizetype ends = at4 + 14, starts = ends + 2 * segments + 2;
        const qsizetype deltas = starts + 2 * segments, ranges = deltas + 2 * segments;
        for (qsizetype s = 0; s < segments; ++s) {
            const quint32 first = read16(cmap, starts + 2 * s), last = read16(cmap, ends + 2 * s);
            const quint16 delta = read16(cmap, deltas + 2 * s), range = read16(cmap, ranges + 2 * s);
            for (quint32 c = first; c <= last && c < 0xFFFF; ++c) {
                quint16 glyph = quint16(c + delta);
                if (range != 0) {
                    glyph = read16(cmap, ranges + 2 * s + range + 2 * (c - first));
                    glyph = glyph != 0 ? quint16(glyph + delta) : 0;
                }
                map[c] = glyph;
            }
        }
    }
    std::erase_if(map, [](const auto& entry) { return entry.second == 0; });
    return map;
}

// What a Chinese text means by a glyph that several characters share: the ideograph, or
// the full-width form it is typed in (／ rather than the division slash ∕).
bool isMeant(char32_t c)
{
    return isIdeograph(c) || (c >= 0xFF01 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// Takes out the characters that share a glyph with one a text means by it; returns how many.
// A text that holds one of them still prints it, in another font.
int dropTwins(CharMap& map)
{
    QSet<quint32> meantGlyphs;
    for (const auto& [c, glyph] : map)
        if (isMeant(c))
            meantGlyphs.insert(glyph);
    return int(std::erase_if(map, [&](const auto& entry) {
        return !isMeant(entry.first) && meantGlyphs.contains(entry.second);
    }));
}

// A character map of one format-12 subtable (for Unicode and for Windows UCS-4), with the
// variation sequences of the original kept as they are.
QByteArray writeCmap(const CharMap& map, const QByteArray& original)
{
    QByteArray groups;
    quint32 count = 0;
    for (auto it = map.begin(); it != map.end();) {
        const char32_t first = it->first;
        const quint32 glyph = it->second;
        char32_t last = first;
        auto next = std::next(it);
        while (next != map.end() && next->first == last + 1 && next->second == glyph + (next->first - first))
            last = next++->first;
        put32(groups, first);
        put32(groups, last);
        put32(groups, glyph);
        ++count;
        it = next;
    }
    QByteArray format12;
    put16(format12, 12);
    put16(format12, 0);
    put32(format12, quint32(16 + groups.size()));
    put32(format12, 0);
    put32(format12, count);
    format12 += groups;

    QByteArray format14;
    if (const qsizetype at = unicodeSubtable(original, 14); at >= 0)
        format14 = original.mid(at, read32(original, at + 2));   // offsets inside are its own

    const quint16 records = format14.isEmpty() ? 2 : 3;
    const quint32 at12 = 4 + 8 * records;
    QByteArray cmap;
    put16(cmap, 0);
    put16(cmap, records);
    auto record = [&cmap](quint16 platform, quint16 encoding, quint32 offset) {
        put16(cmap, platform);
        put16(cmap, encoding);
        put32(cmap, offset);
    };
    record(0, 4, at12);
    if (!format14.isEmpty())
        record(0, 5, at12 + quint32(format12.size()));
    record(3, 10, at12);
    return cmap + format12 + format14;
}

// A naming table of the copy's own: a family of its own keeps it apart from the original.
QByteArray writeNames(const QString& family, const QString& style)
{
    QString postscript = family + QLatin1Char('-') + style;
    postscript.remove(QRegularExpression(QStringLiteral("[^A-Za-z0-9-]")));
    const std::pair<quint16, QString> names[] = {
        {1, family}, {2, style}, {3, postscript}, {4, family + QLatin1Char(' ') + style}, {6, postscript}};
    QByteArray records, strings;
    for (const auto& [id, text] : names) {
        QByteArray utf16;
        for (QChar ch : text)
            put16(utf16, ch.unicode());
        for (quint16 field : {quint16(3), quint16(1), quint16(0x409), id, quint16(utf16.size()),
                              quint16(strings.size())})
            put16(records, field);
        strings += utf16;
    }
    QByteArray name;
    put16(name, 0);
    put16(name, quint16(std::size(names)));
    put16(name, quint16(6 + records.size()));
    return name + records + strings;
}

quint32 checksum(const QByteArray& b)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < b.size(); i += 4) {
        char word[4] = {0, 0, 0, 0};
        std::copy(b.constData() + i, b.constData() + std::min(i + 4, b.size()), word);
        sum += qFromBigEndian<quint32>(word);
    }
    return sum;
}

// The font file of these tables.
QByteArray writeFont(Tables tables)
{
    tables[QByteArrayLiteral("head")].replace(8, 4, QByteArray(4, '\0'));   // whole-file sum, set last
    const quint16 count = quint16(tables.size());
    quint16 selector = 0;
    while ((2u << selector) <= count)
        ++selector;
    const quint16 searchRange = quint16(16u << selector);

    QByteArray font;
    put32(font, tables.count(QByteArrayLiteral("CFF ")) ? 0x4F54544F : 0x00010000);
    for (quint16 field : {count, searchRange, selector, quint16(count * 16 - searchRange)})
        put16(font, field);
    quint32 offset = 12 + 16 * quint32(count);
    qsizetype headAt = 0;
    for (const auto& [tag, data] : tables) {
        if (tag == "head")
            headAt = offset;
        font += tag;
        put32(font, checksum(data));
        put32(font, offset);
        put32(font, quint32(data.size()));
        offset += (quint32(data.size()) + 3) & ~3u;
    }
    for (const auto& [tag, data] : tables) {
        font += data;
        font += QByteArray((4 - data.size() % 4) % 4, '\0');
    }
    QByteArray adjustment;
    put32(adjustment, 0xB1B0AFBA - checksum(font));
    return font.replace(headAt + 8, 4, adjustment);
}

// The copy of the face Qt paints `font` with, named `family` and `style`; empty when the
// face is not `font`'s own family, has no twins to take out or lacks a table a font needs.
QByteArray copyWithoutTwins(const QFont& font, const QString& family, const QString& style)
{
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().compare(font.family(), Qt::CaseInsensitive) != 0)
        return {};
    Tables tables;
    for (const char* tag : kTableTags) {
        const QByteArray data = raw.fontTable(tag);
        if (!data.isEmpty())
            tables.emplace(QByteArray(tag), data);
    }
    for (const char* needed : {"cmap", "head", "hhea", "hmtx", "maxp", "name", "post"})
        if (!tables.count(needed))
            return {};
    if (!tables.count("CFF ") && !tables.count("glyf"))
        return {};
    CharMap map = readUnicodeMap(tables["cmap"]);
    if (dropTwins(map) == 0)
        return {};
    tables["cmap"] = writeCmap(map, tables["cmap"]);
    tables["name"] = writeNames(family, style);
    return writeFont(std::move(tables));
}

// Registers the copies of the family's regular and bold faces; the copy's family, or empty.
QString registerCopy(const QString& family)
{
    const QString copy = QStringLiteral("Varn Report ") + family;
    QFont regular(family);
    regular.setBold(false);
    const QByteArray face = copyWithoutTwins(regular, copy, QStringLiteral("Regular"));
    if (face.isEmpty() || QFontDatabase::addApplicationFontFromData(face) < 0)
        return {};
    // A family without a bold face of its own is emboldened by Qt, the copy alike.
    QFont bold(family);
    bold.setBold(true);
    if (QRawFont::fromFont(bold).fontTable("name") != QRawFont::fromFont(regular).fontTable("name")) {
        const QByteArray boldFace = copyWithoutTwins(bold, copy, QStringLiteral("Bold"));
        if (!boldFace.isEmpty())
            QFontDatabase::addApplicationFontFromData(boldFace);
    }
    return copy;
}

} // namespace

QString ReportFontFamily(const QString& family)
{
    static QMutex lock;
    static QHash<QString, QString> copies;
    const QMutexLocker locked(&lock);
    auto it = copies.constFind(family);
    if (it == copies.constEnd()) {
        const QString copy = registerCopy(family);
        it = copies.insert(family, copy.isEmpty() ? family : copy);
    }
    return *it;
}

} // namespace varn
