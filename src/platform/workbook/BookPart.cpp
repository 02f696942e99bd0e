#include "platform/workbook/BookPart.h"

#include "platform/workbook/CellText.h"
#include "platform/workbook/SheetPart.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/XmlTools.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace varn {

namespace {

const std::initializer_list<std::string_view> kWorkbookOrder = {
    "fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews", "sheets",
    "functionGroups", "externalReferences", "definedNames", "calcPr", "oleSize",
    "customWorkbookViews", "pivotCaches", "smartTagPr", "smartTagTypes", "webPublishing",
    "fileRecoveryPr", "webPublishObjects", "extLst"};

constexpr const char* kPrintTitles = "_xlnm.Print_Titles";
constexpr const char* kPrintArea = "_xlnm.Print_Area";

bool endsWith(std::string_view s, std::string_view tail)
{
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string directoryOf(const std::string& part)
{
    const auto slash = part.rfind('/');
    return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

std::string relsPartOf(const std::string& part)
{
    const auto slash = part.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? part : part.substr(slash + 1);
    return dir + "_rels/" + name + ".rels";
}

// The relationship id attribute of a <sheet> (r:id, whatever the prefix).
std::string relationshipId(pugi::xml_node sheet)
{
    for (auto a : sheet.attributes()) {
        std::string_view n = a.name();
        if (n.find(':') != std::string_view::npos && n.substr(n.find(':') + 1) == "id")
            return a.value();
    }
    return {};
}

QString quotedSheetName(const QString& name)
{
    QString q = name;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

const QRegularExpression& rowsPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\$?([0-9]+)(?::\\$?([0-9]+))?$"));
    return re;
}

const QRegularExpression& columnsPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\$?([A-Za-z]{1,3})(?::\\$?([A-Za-z]{1,3}))?$"));
    return re;
}

// "$1:$7", "1:7" or "$3" -> "$1:$7"; nullopt for anything else.
std::optional<QString> normalizedRows(const QString& text)
{
    const auto m = rowsPattern().match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    bool ok1 = false, ok2 = true;
    int a = m.captured(1).toInt(&ok1);
    int b = m.captured(2).isEmpty() ? a : m.captured(2).toInt(&ok2);
    if (!ok1 || !ok2 || a < 1 || b < 1 || a > kMaxRows || b > kMaxRows)
        return std::nullopt;
    if (a > b)
        std::swap(a, b);
    return QStringLiteral("$%1:$%2").arg(a).arg(b);
}

std::optional<QString> normalizedColumns(const QString& text)
{
    const auto m = columnsPattern().match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    auto a = ColumnNumber(m.captured(1));
    auto b = m.captured(2).isEmpty() ? a : ColumnNumber(m.captured(2));
    if (!a || !b)
        return std::nullopt;
    if (*a > *b)
        std::swap(a, b);
    return QStringLiteral("$%1:$%2").arg(ColumnLetters(*a), ColumnLetters(*b));
}

// One print area: whole columns, whole rows, a cell or a range of cells.
std::optional<QString> normalizedArea(const QString& text)
{
    if (auto columns = normalizedColumns(text))
        return columns;
    if (text.trimmed().contains(u':'))
        if (auto rows = normalizedRows(text))
            return rows;
    QString plain = text.trimmed();
    plain.remove(u'$');
    if (auto range = CellRange::parse(plain)) {
        const auto& a = range->topLeft;
        const auto& b = range->bottomRight;
        return QStringLiteral("$%1$%2:$%3$%4")
            .arg(ColumnLetters(a.column)).arg(a.row).arg(ColumnLetters(b.column)).arg(b.row);
    }
    return std::nullopt;
}

// Splits a defined name's formula at the commas between its areas (not inside quotes).
QStringList splitAreas(const QString& value)
{
    QStringList parts;
    QString current;
    bool quoted = false;
    for (QChar c : value) {
        if (c == u'\'')
            quoted = !quoted;
        if (c == u',' && !quoted) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        parts << current;
    return parts;
}

QString areaOf(const QString& part)
{
    const qsizetype bang = part.lastIndexOf(u'!');
    return bang < 0 ? part : part.mid(bang + 1);
}

} // namespace

BookPart::BookPart(const QString& path)
    : m_package(path)
{
    const QString file = m_package.path();
    auto notWorkbook = [&](const QString& why) {
        return WorkbookError(QStringLiteral("範本檔案不是 Excel 活頁簿（%1）：%2").arg(why, file));
    };

    // The package's main part, as its root relationships name it.
    if (m_package.contains("_rels/.rels")) {
        pugi::xml_document rels;
        xml::parse(rels, m_package.read("_rels/.rels"), QStringLiteral("_rels/.rels"), file);
        for (auto r = rels.document_element().first_child(); r; r = r.next_sibling())
            if (endsWith(r.attribute("Type").value(), "/officeDocument"))
                m_workbookPart = resolveTarget("", r.attribute("Target").value());
    }
    if (m_workbookPart.empty() || !m_package.contains(m_workbookPart))
        throw notWorkbook(QStringLiteral("缺少活頁簿內容"));
    m_workbookPart = *m_package.entryName(m_workbookPart);

    xml::parse(m_workbook, m_package.read(m_workbookPart), QString::fromStdString(m_workbookPart), file);
    if (xml::localName(m_workbook.document_element()) != "workbook")
        throw notWorkbook(QStringLiteral("主要內容不是活頁簿"));
    loadRelationships();
}

std::string BookPart::resolveTarget(const std::string& base, const std::string& target) const
{
    std::string joined = !target.empty() && target.front() == '/' ? target.substr(1) : directoryOf(base) + target;
    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= joined.size()) {
        size_t slash = joined.find('/', start);
        if (slash == std::string::npos)
            slash = joined.size();
        const std::string seg = joined.substr(start, slash - start);
        if (seg == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!seg.empty() && seg != ".") {
            segments.push_back(seg);
        }
        start = slash + 1;
    }
    std::string out;
    for (const auto& s : segments) {
        if (!out.empty())
            out += '/';
        out += s;
    }
    return out;
}

void BookPart::loadRelationships()
{
    const QString file = m_package.path();
    m_workbookRelsPart = relsPartOf(m_workbookPart);
    if (!m_package.contains(m_workbookRelsPart))
        throw WorkbookError(QStringLiteral("範本檔案不是 Excel 活頁簿（缺少活頁簿的關聯）：%1").arg(file));
    m_workbookRelsPart = *m_package.entryName(m_workbookRelsPart);
    xml::parse(m_workbookRels, m_package.read(m_workbookRelsPart), QString::fromStdString(m_workbookRelsPart), file);

    std::map<std::string, std::pair<std::string, std::string>> byId;   // id -> (type, part)
    for (auto r = m_workbookRels.document_element().first_child(); r; r = r.next_sibling()) {
        if (r.type() != pugi::node_element)
            continue;
        const std::string type = r.attribute("Type").value();
        if (std::string_view(r.attribute("TargetMode").value()) == "External")
            continue;
        const std::string part = resolveTarget(m_workbookPart, r.attribute("Target").value());
        byId[r.attribute("Id").value()] = {type, part};
        if (endsWith(type, "/styles"))
            m_stylesPart = part;
        else if (endsWith(type, "/sharedStrings"))
            m_sharedStringsPart = part;
        else if (endsWith(type, "/calcChain"))
            m_calcChainPart = part;
    }

    int index = 0;
    for (auto s = xml::child(m_workbook.document_element(), "sheets").first_child(); s; s = s.next_sibling()) {
        if (s.type() != pugi::node_element || xml::localName(s) != "sheet")
            continue;
        auto it = byId.find(relationshipId(s));
        if (it != byId.end() && endsWith(it->second.first, "/worksheet"))
            m_worksheets.push_back({QString::fromUtf8(s.attribute("name").value()), index, it->second.second});
        ++index;
    }
    m_loaded.resize(m_worksheets.size());
}

QString BookPart::worksheetName(int position) const
{
    if (position < 1 || position > worksheetCount())
        throw WorkbookError(QStringLiteral("活頁簿沒有第 %1 個工作表：%2").arg(position).arg(file()));
    return m_worksheets[static_cast<size_t>(position - 1)].name;
}

Worksheet& BookPart::worksheet(int position)
{
    if (position < 1 || position > worksheetCount())
        throw WorkbookError(QStringLiteral("活頁簿沒有第 %1 個工作表：%2").arg(position).arg(file()));
    auto& slot = m_loaded[static_cast<size_t>(position - 1)];
    if (!slot) {
        const SheetEntry& e = m_worksheets[static_cast<size_t>(position - 1)];
        if (!m_package.contains(e.partName))
            throw WorkbookError(QStringLiteral("活頁簿的工作表「%1」內容遺失：%2").arg(e.name, file()));
        const std::string part = *m_package.entryName(e.partName);
        auto sheet = std::make_unique<SheetPart>(this, e.name, e.sheetIndex, part, m_package.read(part));
        slot.reset(new Worksheet(std::move(sheet)));
    }
    return *slot;
}

StyleSheet& BookPart::styles()
{
    if (!m_styles) {
        std::string xml;
        if (!m_stylesPart.empty() && m_package.contains(m_stylesPart)) {
            m_stylesPart = *m_package.entryName(m_stylesPart);
            xml = m_package.read(m_stylesPart);
        }
        m_styles = std::make_unique<StyleSheet>(xml, file());
    }
    return *m_styles;
}

QString BookPart::sharedString(int index)
{
    if (!m_sharedStrings) {
        m_sharedStrings.emplace();
        if (!m_sharedStringsPart.empty() && m_package.contains(m_sharedStringsPart)) {
            pugi::xml_document doc;
            xml::parse(doc, m_package.read(m_sharedStringsPart), QString::fromStdString(m_sharedStringsPart), file());
            for (auto si = doc.document_element().first_child(); si; si = si.next_sibling())
                if (si.type() == pugi::node_element && xml::localName(si) == "si")
                    m_sharedStrings->push_back(UnescapeCellText(xml::richText(si)));
        }
    }
    if (index < 0 || index >= static_cast<int>(m_sharedStrings->size()))
        return {};
    return (*m_sharedStrings)[static_cast<size_t>(index)];
}

pugi::xml_node BookPart::definedName(const char* name, int sheetIndex, bool create)
{
    auto root = m_workbook.document_element();
    auto names = create ? xml::ensureChild(root, "definedNames", kWorkbookOrder) : xml::child(root, "definedNames");
    if (!names)
        return {};
    for (auto n = names.first_child(); n; n = n.next_sibling()) {
        if (n.type() != pugi::node_element)
            continue;
        if (QString::fromUtf8(n.attribute("name").value()).compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0
            && n.attribute("localSheetId") && n.attribute("localSheetId").as_int() == sheetIndex)
            return n;
    }
    if (!create)
        return {};
    auto n = names.append_child((xml::prefixOf(root) + "definedName").c_str());
    n.append_attribute("name").set_value(name);
    n.append_attribute("localSheetId").set_value(sheetIndex);
    return n;
}

void BookPart::setDefinedName(const char* name, int sheetIndex, const QString& value)
{
    m_workbookDirty = true;
    if (value.isEmpty()) {
        if (auto n = definedName(name, sheetIndex, false)) {
            auto names = n.parent();
            names.remove_child(n);
            if (!names.find_child([](pugi::xml_node c) { return c.type() == pugi::node_element; }))
                names.parent().remove_child(names);
        }
        return;
    }
    auto n = definedName(name, sheetIndex, true);
    while (auto c = n.first_child())
        n.remove_child(c);
    n.append_child(pugi::node_pcdata).set_value(value.toStdString().c_str());
}

void BookPart::setPrintTitleRows(int sheetIndex, const QString& sheetName, const QString& rows)
{
    std::optional<QString> normalized = rows.isEmpty() ? std::optional<QString>(QString()) : normalizedRows(rows);
    if (!normalized)
        throw WorkbookError(QStringLiteral("列印標題列不正確：「%1」").arg(rows));
    QString columns;
    if (auto n = definedName(kPrintTitles, sheetIndex, false))
        for (const QString& part : splitAreas(QString::fromUtf8(n.child_value())))
            if (columnsPattern().match(areaOf(part)).hasMatch())
                columns = areaOf(part);
    QStringList parts;
    const QString sheet = quotedSheetName(sheetName) + u'!';
    if (!columns.isEmpty())
        parts << sheet + columns;
    if (!normalized->isEmpty())
        parts << sheet + *normalized;
    setDefinedName(kPrintTitles, sheetIndex, parts.join(u','));
}

void BookPart::setPrintTitleColumns(int sheetIndex, const QString& sheetName, const QString& columns)
{
    std::optional<QString> normalized = columns.isEmpty() ? std::optional<QString>(QString()) : normalizedColumns(columns);
    if (!normalized)
        throw WorkbookError(QStringLiteral("列印標題欄不正確：「%1」").arg(columns));
    QString rows;
    if (auto n = definedName(kPrintTitles, sheetIndex, false))
        for (const QString& part : splitAreas(QString::fromUtf8(n.child_value())))
            if (rowsPattern().match(areaOf(part)).hasMatch())
                rows = areaOf(part);
    QStringList parts;
    const QString sheet = quotedSheetName(sheetName) + u'!';
    if (!normalized->isEmpty())
        parts << sheet + *normalized;
    if (!rows.isEmpty())
        parts << sheet + rows;
    setDefinedName(kPrintTitles, sheetIndex, parts.join(u','));
}

void BookPart::setPrintArea(int sheetIndex, const QString& sheetName, const QString& area)
{
    QStringList parts;
    if (!area.trimmed().isEmpty()) {
        for (const QString& piece : area.split(u',')) {
            const auto normalized = normalizedArea(piece);
            if (!normalized)
                throw WorkbookError(QStringLiteral("列印範圍不正確：「%1」").arg(area));
            parts << quotedSheetName(sheetName) + u'!' + *normalized;
        }
    }
    setDefinedName(kPrintArea, sheetIndex, parts.join(u','));
}

void BookPart::dropCalculationChain(std::map<std::string, std::string>& replaced, std::set<std::string>& removed)
{
    // Formulas may have moved or gone: the spreadsheet rebuilds its calculation order and
    // recalculates when it opens the file.
    auto root = m_workbook.document_element();
    xml::setAttribute(xml::ensureChild(root, "calcPr", kWorkbookOrder), "fullCalcOnLoad", "1");
    m_workbookDirty = true;
    if (m_calcChainPart.empty())
        return;
    if (auto entry = m_package.entryName(m_calcChainPart))
        removed.insert(LowerPartName(*entry));
    auto rels = m_workbookRels.document_element();
    for (auto r = rels.first_child(); r;) {
        auto next = r.next_sibling();
        if (endsWith(r.attribute("Type").value(), "/calcChain"))
            rels.remove_child(r);
        r = next;
    }
    replaced[LowerPartName(m_workbookRelsPart)] = xml::toString(m_workbookRels);
    if (m_package.contains("[Content_Types].xml")) {
        pugi::xml_document types;
        xml::parse(types, m_package.read("[Content_Types].xml"), QStringLiteral("[Content_Types].xml"), file());
        const std::string target = LowerPartName("/" + m_calcChainPart);
        auto troot = types.document_element();
        for (auto o = troot.first_child(); o;) {
            auto next = o.next_sibling();
            if (LowerPartName(o.attribute("PartName").value()) == target)
                troot.remove_child(o);
            o = next;
        }
        replaced[LowerPartName(*m_package.entryName("[Content_Types].xml"))] = xml::toString(types);
    }
    m_calcChainPart.clear();
}

// The string table with its count of uses set to the cells that use it now: copied cells add
// uses, overwritten ones drop them. nullopt when there is no table or its count is right.
std::optional<std::string> BookPart::countedSharedStrings()
{
    if (m_sharedStringsPart.empty() || !m_package.contains(m_sharedStringsPart))
        return std::nullopt;
    long long uses = 0;
    for (int position = 1; position <= worksheetCount(); ++position)
        uses += worksheet(position).d->sharedStringCells();
    const std::string part = *m_package.entryName(m_sharedStringsPart);
    pugi::xml_document doc;
    xml::parse(doc, m_package.read(part), QString::fromStdString(part), file());
    const std::string count = std::to_string(uses);
    if (doc.document_element().attribute("count").value() == count)
        return std::nullopt;
    xml::setAttribute(doc.document_element(), "count", count);
    return xml::toString(doc);
}

void BookPart::saveAs(const QString& path)
{
    const QFileInfo target(path);
    const QFileInfo source(file());
    if (target.absoluteFilePath() == source.absoluteFilePath()
        || (target.exists() && target.canonicalFilePath() == source.canonicalFilePath()))
        throw WorkbookError(QStringLiteral("不可寫入範本檔案，請另存新檔：%1").arg(path));
    if (!target.absoluteDir().exists())
        throw WorkbookError(QStringLiteral("無法儲存活頁簿 %1（資料夾不存在）").arg(path));

    std::map<std::string, std::string> replaced;
    std::set<std::string> removed;
    bool sheetsChanged = false;
    bool formulas = false;
    for (auto& sheet : m_loaded) {
        if (!sheet || !sheet->d->isDirty())
            continue;
        replaced[LowerPartName(sheet->d->partName())] = sheet->d->serialize();
        sheetsChanged = true;
        formulas = formulas || sheet->d->hasFormulas();
    }
    if (m_styles && m_styles->isDirty())
        replaced[LowerPartName(m_stylesPart)] = m_styles->serialize();
    if (sheetsChanged)
        if (auto strings = countedSharedStrings())
            replaced[LowerPartName(m_sharedStringsPart)] = std::move(*strings);
    if (sheetsChanged && (formulas || !m_calcChainPart.empty()))
        dropCalculationChain(replaced, removed);
    if (m_workbookDirty)
        replaced[LowerPartName(m_workbookPart)] = xml::toString(m_workbook);
    m_package.write(path, replaced, removed);
}

} // namespace varn
