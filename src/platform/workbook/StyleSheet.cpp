#include "platform/workbook/StyleSheet.h"

#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/XmlTools.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace varn {

namespace {

const std::initializer_list<std::string_view> kStyleSheetOrder = {
    "numFmts", "fonts", "fills", "borders", "cellStyleXfs", "cellXfs", "cellStyles",
    "dxfs", "tableStyles", "colors", "extLst"};
const std::initializer_list<std::string_view> kXfOrder = {"alignment", "protection", "extLst"};
const std::initializer_list<std::string_view> kFontOrder = {
    "b", "i", "strike", "condense", "extend", "outline", "shadow", "u", "vertAlign",
    "sz", "color", "name", "family", "charset", "scheme"};
const std::initializer_list<std::string_view> kBorderOrder = {
    "left", "start", "right", "end", "top", "bottom", "diagonal", "vertical", "horizontal"};

// Number formats every spreadsheet knows by number.
int builtinFormatId(const QString& code)
{
    static const std::map<QString, int> ids = {
        {QStringLiteral("General"), 0}, {QStringLiteral("0"), 1}, {QStringLiteral("0.00"), 2},
        {QStringLiteral("#,##0"), 3}, {QStringLiteral("#,##0.00"), 4}, {QStringLiteral("0%"), 9},
        {QStringLiteral("0.00%"), 10}, {QStringLiteral("0.00E+00"), 11}, {QStringLiteral("@"), 49},
    };
    auto it = ids.find(code);
    return it == ids.end() ? -1 : it->second;
}

std::string numberText(double v)
{
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

int countChildren(pugi::xml_node list)
{
    int n = 0;
    for (auto c = list.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element)
            ++n;
    return n;
}

pugi::xml_node nthChild(pugi::xml_node list, int index)
{
    int n = 0;
    for (auto c = list.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        if (n++ == index)
            return c;
    }
    return {};
}

void buildIndex(pugi::xml_node list, std::unordered_map<std::string, int>& index)
{
    if (!index.empty())
        return;
    int n = 0;
    for (auto c = list.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        index.emplace(xml::canonicalKey(c), n++);
    }
}

void setEdge(pugi::xml_node border, const char* edge)
{
    if (auto old = xml::child(border, edge))
        border.remove_child(old);
    auto e = xml::ensureChild(border, edge, kBorderOrder);
    e.append_attribute("style").set_value("thin");
    auto color = e.append_child((xml::prefixOf(border) + "color").c_str());
    color.append_attribute("indexed").set_value("64");   // automatic
}

} // namespace

StyleSheet::StyleSheet(const std::string& xml, const QString& file)
    : m_file(file)
{
    if (xml.empty())
        return;
    xml::parse(m_doc, xml, QStringLiteral("styles.xml"), file);
    m_root = m_doc.document_element();
    m_cellXfs = xml::child(m_root, "cellXfs");
    m_fonts = xml::child(m_root, "fonts");
    m_borders = xml::child(m_root, "borders");
}

void StyleSheet::requireStyles() const
{
    if (!m_root || !m_cellXfs || countChildren(m_cellXfs) == 0)
        throw WorkbookError(QStringLiteral("活頁簿沒有儲存格格式表，無法設定格式：%1").arg(m_file));
}

pugi::xml_node StyleSheet::xfNode(int xf)
{
    requireStyles();
    auto node = nthChild(m_cellXfs, xf);
    return node ? node : nthChild(m_cellXfs, 0);   // an index past the table means the default
}

int StyleSheet::findOrAdd(pugi::xml_node list, std::unordered_map<std::string, int>& index,
                          pugi::xml_node candidate)
{
    buildIndex(list, index);
    const std::string key = xml::canonicalKey(candidate);
    if (auto it = index.find(key); it != index.end())
        return it->second;
    list.append_copy(candidate);
    const int id = countChildren(list) - 1;
    xml::setAttribute(list, "count", std::to_string(id + 1));
    index.emplace(key, id);
    m_dirty = true;
    return id;
}

template <class Mutate>
int StyleSheet::derive(int xf, const std::string& changeKey, Mutate mutate)
{
    if (xf < 0)
        xf = 0;
    const auto cacheKey = std::make_pair(xf, changeKey);
    if (auto it = m_derived.find(cacheKey); it != m_derived.end())
        return it->second;
    pugi::xml_document scratch;
    auto copy = scratch.append_copy(xfNode(xf));
    mutate(copy);
    const int id = findOrAdd(m_cellXfs, m_xfIndex, copy);
    m_derived.emplace(cacheKey, id);
    return id;
}

int StyleSheet::withAlignment(int xf, HorizontalAlignment alignment)
{
    static const char* names[] = {"general", "left", "center", "right"};
    const char* name = names[static_cast<int>(alignment)];
    return derive(xf, std::string("align:") + name, [&](pugi::xml_node node) {
        auto align = xml::ensureChild(node, "alignment", kXfOrder);
        if (alignment == HorizontalAlignment::General)
            align.remove_attribute("horizontal");
        else
            xml::setAttribute(align, "horizontal", name);
        xml::setAttribute(node, "applyAlignment", "1");
    });
}

int StyleSheet::numberFormatId(const QString& code)
{
    const int builtin = builtinFormatId(code);
    if (builtin >= 0)
        return builtin;
    const std::string utf8 = code.toStdString();
    auto numFmts = xml::ensureChild(m_root, "numFmts", kStyleSheetOrder);
    int maxId = 163;   // custom formats start at 164
    for (auto f = numFmts.first_child(); f; f = f.next_sibling()) {
        if (f.type() != pugi::node_element)
            continue;
        const int id = f.attribute("numFmtId").as_int();
        if (utf8 == f.attribute("formatCode").value())
            return id;
        maxId = std::max(maxId, id);
    }
    auto f = numFmts.append_child((xml::prefixOf(m_root) + "numFmt").c_str());
    f.append_attribute("numFmtId").set_value(maxId + 1);
    f.append_attribute("formatCode").set_value(utf8.c_str());
    xml::setAttribute(numFmts, "count", std::to_string(countChildren(numFmts)));
    m_dirty = true;
    return maxId + 1;
}

int StyleSheet::withNumberFormat(int xf, const QString& code)
{
    requireStyles();
    if (code.isEmpty())
        throw WorkbookError(QStringLiteral("數字格式不可空白"));
    const int id = numberFormatId(code);
    return derive(xf, "numfmt:" + std::to_string(id), [&](pugi::xml_node node) {
        xml::setAttribute(node, "numFmtId", std::to_string(id));
        xml::setAttribute(node, "applyNumberFormat", "1");
    });
}

int StyleSheet::derivedFont(int fontId, const std::function<void(pugi::xml_node)>& mutate)
{
    if (!m_fonts || countChildren(m_fonts) == 0)
        throw WorkbookError(QStringLiteral("活頁簿沒有字型表，無法設定字型：%1").arg(m_file));
    auto base = nthChild(m_fonts, fontId);
    if (!base)
        base = nthChild(m_fonts, 0);
    pugi::xml_document scratch;
    auto copy = scratch.append_copy(base);
    mutate(copy);
    return findOrAdd(m_fonts, m_fontIndex, copy);
}

int StyleSheet::withBold(int xf, bool bold)
{
    return derive(xf, bold ? "bold:1" : "bold:0", [&](pugi::xml_node node) {
        const int font = derivedFont(node.attribute("fontId").as_int(), [&](pugi::xml_node f) {
            if (auto b = xml::child(f, "b"))
                f.remove_child(b);
            if (bold)
                xml::ensureChild(f, "b", kFontOrder);
        });
        xml::setAttribute(node, "fontId", std::to_string(font));
        xml::setAttribute(node, "applyFont", "1");
    });
}

int StyleSheet::withFontSize(int xf, double points)
{
    if (!(points >= 1 && points <= 409))
        throw WorkbookError(QStringLiteral("字型大小必須在 1 到 409 點之間"));
    const std::string size = numberText(points);
    return derive(xf, "size:" + size, [&](pugi::xml_node node) {
        const int font = derivedFont(node.attribute("fontId").as_int(), [&](pugi::xml_node f) {
            xml::setAttribute(xml::ensureChild(f, "sz", kFontOrder), "val", size);
        });
        xml::setAttribute(node, "fontId", std::to_string(font));
        xml::setAttribute(node, "applyFont", "1");
    });
}

int StyleSheet::withWrap(int xf)
{
    return derive(xf, "wrap", [&](pugi::xml_node node) {
        auto align = xml::ensureChild(node, "alignment", kXfOrder);
        // Spreadsheet programs do one or the other; a cell asking for both is read differently.
        align.remove_attribute("shrinkToFit");
        xml::setAttribute(align, "wrapText", "1");
        xml::setAttribute(node, "applyAlignment", "1");
    });
}

int StyleSheet::derivedBorder(int borderId, unsigned edges)
{
    if (!m_borders || countChildren(m_borders) == 0)
        throw WorkbookError(QStringLiteral("活頁簿沒有框線表，無法設定框線：%1").arg(m_file));
    auto base = nthChild(m_borders, borderId);
    if (!base)
        base = nthChild(m_borders, 0);
    pugi::xml_document scratch;
    auto copy = scratch.append_copy(base);
    if (edges & BorderEdge::Left)
        setEdge(copy, "left");
    if (edges & BorderEdge::Right)
        setEdge(copy, "right");
    if (edges & BorderEdge::Top)
        setEdge(copy, "top");
    if (edges & BorderEdge::Bottom)
        setEdge(copy, "bottom");
    return findOrAdd(m_borders, m_borderIndex, copy);
}

int StyleSheet::withThinBorders(int xf, unsigned edges)
{
    if ((edges & BorderEdge::Outline) == 0)
        return xf < 0 ? 0 : xf;
    return derive(xf, "border:" + std::to_string(edges & BorderEdge::Outline), [&](pugi::xml_node node) {
        const int border = derivedBorder(node.attribute("borderId").as_int(), edges);
        xml::setAttribute(node, "borderId", std::to_string(border));
        xml::setAttribute(node, "applyBorder", "1");
    });
}

TextLook StyleSheet::textLook(int xf) const
{
    TextLook look;
    if (!m_cellXfs)
        return look;
    pugi::xml_node node = nthChild(m_cellXfs, std::max(xf, 0));
    if (!node)
        node = nthChild(m_cellXfs, 0);
    if (!node)
        return look;
    if (auto align = xml::child(node, "alignment")) {
        const std::string_view wrap = align.attribute("wrapText").value();
        look.wraps = wrap == "1" || wrap == "true";
    }
    pugi::xml_node font = nthChild(m_fonts, node.attribute("fontId").as_int());
    if (!font)
        font = nthChild(m_fonts, 0);
    if (auto sz = xml::child(font, "sz"); sz && sz.attribute("val").as_double() > 0)
        look.points = sz.attribute("val").as_double();
    return look;
}

std::string StyleSheet::serialize() const
{
    return xml::toString(m_doc);
}

} // namespace varn
