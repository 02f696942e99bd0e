#pragma once

// The workbook's cell formats (xl/styles.xml). Every change derives a new format from a
// cell's own one, and reuses an equal format when the workbook has it already.

#include "platform/workbook/Worksheet.h"

#include <QString>

#include <pugixml.hpp>

#include <functional>
#include <map>
#include <string>
#include <unordered_map>

namespace varn {

// What a cell's text needs in height: its font size and whether it wraps in its cell.
struct TextLook {
    double points = 11;
    bool wraps = false;
};

class StyleSheet {
public:
    // xml: the part's bytes; empty when the workbook has no style part (every change then
    // throws WorkbookError).
    StyleSheet(const std::string& xml, const QString& file);

    int withAlignment(int xf, HorizontalAlignment alignment);
    int withNumberFormat(int xf, const QString& code);
    int withBold(int xf, bool bold);
    int withFontSize(int xf, double points);
    // Wraps the text in its cell; a format that shrinks its text stops shrinking.
    int withWrap(int xf);
    // edges: BorderEdge bits of this cell (Left, Top, Bottom, Right) that become thin.
    int withThinBorders(int xf, unsigned edges);

    // The look of a format; a workbook without formats gives the default look.
    TextLook textLook(int xf) const;

    bool isDirty() const { return m_dirty; }
    std::string serialize() const;

private:
    template <class Mutate>
    int derive(int xf, const std::string& changeKey, Mutate mutate);
    pugi::xml_node xfNode(int xf);
    int findOrAdd(pugi::xml_node list, std::unordered_map<std::string, int>& index, pugi::xml_node candidate);
    int derivedFont(int fontId, const std::function<void(pugi::xml_node)>& mutate);
    int derivedBorder(int borderId, unsigned edges);
    int numberFormatId(const QString& code);
    void requireStyles() const;

    QString m_file;
    pugi::xml_document m_doc;
    pugi::xml_node m_root;
    pugi::xml_node m_cellXfs, m_fonts, m_borders;
    std::unordered_map<std::string, int> m_xfIndex, m_fontIndex, m_borderIndex;
    std::map<std::pair<int, std::string>, int> m_derived;
    bool m_dirty = false;
};

} // namespace varn
