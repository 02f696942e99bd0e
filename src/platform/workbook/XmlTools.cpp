#include "platform/workbook/XmlTools.h"

#include "platform/workbook/WorkbookError.h"

#include <algorithm>
#include <vector>

namespace varn::xml {

namespace {

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override
    {
        out.append(static_cast<const char*>(data), size);
    }
};

int orderIndex(std::string_view name, std::initializer_list<std::string_view> order)
{
    int i = 0;
    for (auto n : order) {
        if (n == name)
            return i;
        ++i;
    }
    return -1;
}

} // namespace

void parse(pugi::xml_document& doc, const std::string& data, const QString& part, const QString& file)
{
    const auto result = doc.load_buffer(data.data(), data.size(), kParseFlags, pugi::encoding_auto);
    if (!result)
        throw WorkbookError(QStringLiteral("活頁簿 %1 的內容 %2 無法讀取（%3）")
                                .arg(file, part, QString::fromUtf8(result.description())));
}

std::string_view localName(pugi::xml_node node)
{
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string prefixOf(pugi::xml_node node)
{
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

pugi::xml_node child(pugi::xml_node parent, std::string_view local)
{
    for (auto c = parent.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && localName(c) == local)
            return c;
    return {};
}

pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local,
                           std::initializer_list<std::string_view> order)
{
    if (auto found = child(parent, local))
        return found;
    const std::string name = prefixOf(parent) + std::string(local);
    const int want = orderIndex(local, order);
    for (auto c = parent.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        const int at = orderIndex(localName(c), order);
        if (at > want)
            return parent.insert_child_before(name.c_str(), c);
    }
    return parent.append_child(name.c_str());
}

void setAttribute(pugi::xml_node node, const char* name, const std::string& value)
{
    auto attr = node.attribute(name);
    if (!attr)
        attr = node.append_attribute(name);
    attr.set_value(value.c_str());
}

std::string toString(const pugi::xml_node& node)
{
    StringWriter w;
    node.print(w, "", pugi::format_raw, pugi::encoding_utf8);
    return std::move(w.out);
}

std::string toString(const pugi::xml_document& doc)
{
    StringWriter w;
    doc.save(w, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return std::move(w.out);
}

std::string canonicalKey(pugi::xml_node node)
{
    std::string key = "<";
    key += localName(node);
    std::vector<std::pair<std::string, std::string>> attrs;
    for (auto a : node.attributes())
        attrs.emplace_back(a.name(), a.value());
    std::sort(attrs.begin(), attrs.end());
    for (const auto& [n, v] : attrs) {
        key += ' ';
        key += n;
        key += "=\"";
        key += v;
        key += '"';
    }
    key += '>';
    for (auto c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element)
            key += canonicalKey(c);
        else if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
            key += c.value();
    }
    key += "</>";
    return key;
}

} // namespace varn::xml

namespace varn::xml {
std::string richText(pugi::xml_node item)
{
    std::string text;
    for (auto c = item.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        const auto name = localName(c);
        if (name == "t") {
            text += c.child_value();
        } else if (name == "r") {
            if (auto t = child(c, "t"))
                text += t.child_value();
        }
    }
    return text;
}
}
