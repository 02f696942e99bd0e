#pragma once

// The open workbook behind Workbook: the package, the workbook part with its sheet list and
// defined names, the shared strings and the style sheet, and the worksheets read so far.

#include "platform/workbook/Package.h"
#include "platform/workbook/StyleSheet.h"
#include "platform/workbook/Worksheet.h"

#include <QString>

#include <pugixml.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace varn {

class BookPart {
public:
    explicit BookPart(const QString& path);

    const QString& file() const { return m_package.path(); }
    int worksheetCount() const { return static_cast<int>(m_worksheets.size()); }
    QString worksheetName(int position) const;
    Worksheet& worksheet(int position);

    StyleSheet& styles();
    QString sharedString(int index);

    // Print titles and print area of the sheet at sheetIndex (among all sheets, from 0).
    void setPrintTitleRows(int sheetIndex, const QString& sheetName, const QString& rows);
    void setPrintTitleColumns(int sheetIndex, const QString& sheetName, const QString& columns);
    void setPrintArea(int sheetIndex, const QString& sheetName, const QString& area);

    void saveAs(const QString& path);

private:
    struct SheetEntry {
        QString name;
        int sheetIndex;          // among all sheets
        std::string partName;    // "xl/worksheets/sheet1.xml"
    };

    std::string resolveTarget(const std::string& base, const std::string& target) const;
    void loadRelationships();
    pugi::xml_node definedName(const char* name, int sheetIndex, bool create);
    void setDefinedName(const char* name, int sheetIndex, const QString& value);
    std::optional<std::string> countedSharedStrings();
    void dropCalculationChain(std::map<std::string, std::string>& replaced, std::set<std::string>& removed);

    Package m_package;
    std::string m_workbookPart;        // "xl/workbook.xml"
    std::string m_workbookRelsPart;    // "xl/_rels/workbook.xml.rels"
    pugi::xml_document m_workbook;
    pugi::xml_document m_workbookRels;
    bool m_workbookDirty = false;
    std::string m_stylesPart;
    std::string m_sharedStringsPart;
    std::string m_calcChainPart;
    std::vector<SheetEntry> m_worksheets;
    std::vector<std::unique_ptr<Worksheet>> m_loaded;   // by position, filled on first use
    std::unique_ptr<StyleSheet> m_styles;
    std::optional<std::vector<QString>> m_sharedStrings;
};

} // namespace varn
