#pragma once

// Helpers for the package's XML parts: element lookup by local name (parts may use a
// namespace prefix), insertion in schema order, raw serialisation.

#include <QString>

#include <pugixml.hpp>

#include <initializer_list>
#include <string>
#include <string_view>

namespace varn::xml {

// Keeps the declaration, lone-blank texts (" " in a cell) and everything else as found.
constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration
    | pugi::parse_ws_pcdata_single | pugi::parse_pi | pugi::parse_comments;

// Parses a part; throws WorkbookError naming the part and the file.
void parse(pugi::xml_document& doc, const std::string& data, const QString& part, const QString& file);

std::string_view localName(pugi::xml_node node);
// "x:" when the element is written with a prefix, else "".
std::string prefixOf(pugi::xml_node node);

pugi::xml_node child(pugi::xml_node parent, std::string_view local);

// The child with this local name; when missing it is created (with the parent's prefix)
// before the first sibling that comes later in `order`. Unknown siblings are stepped over.
pugi::xml_node ensureChild(pugi::xml_node parent, std::string_view local,
                           std::initializer_list<std::string_view> order);

// Sets an attribute, adding it when missing.
void setAttribute(pugi::xml_node node, const char* name, const std::string& value);

std::string toString(const pugi::xml_node& node);
std::string toString(const pugi::xml_document& doc);

// An order-independent key of an element (attributes sorted, children in order), used to
// find an existing style entry equal to a derived one.
std::string canonicalKey(pugi::xml_node node);

} // namespace varn::xml

namespace varn::xml {
// The text of a string item (<si> or <is>): its plain text or its rich-text runs joined;
// phonetic runs are left out. Still in the stored (_xHHHH_-escaped) form.
std::string richText(pugi::xml_node item);
}
