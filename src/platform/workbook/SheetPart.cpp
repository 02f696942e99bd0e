#include "platform/workbook/SheetPart.h"

#include "platform/workbook/BookPart.h"
#include "platform/workbook/CellText.h"
#include "platform/workbook/Formula.h"
#include "platform/workbook/StyleSheet.h"
#include "platform/workbook/TextFit.h"
#include "platform/workbook/WorkbookError.h"
#include "platform/workbook/XmlTools.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace varn {

namespace {

// Child elements of a worksheet, in the order the schema requires.
const std::initializer_list<std::string_view> kSheetOrder = {
    "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr",
    "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState",
    "dataConsolidate", "customSheetViews", "mergeCells", "phoneticPr", "conditionalFormatting",
    "dataValidations", "hyperlinks", "printOptions", "pageMargins", "pageSetup", "headerFooter",
    "rowBreaks", "colBreaks", "customProperties", "cellWatches", "ignoredErrors", "smartTags",
    "drawing", "legacyDrawing", "legacyDrawingHF", "drawingHF", "picture", "oleObjects",
    "controls", "webPublishItems", "tableParts", "extLst"};

constexpr const char* kSheetDataMarker = "<?varn-sheetdata?>";

bool isTrue(const std::string* v)
{
    return v && (*v == "1" || *v == "true");
}

void appendInt(std::string& out, int v)
{
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void appendColumn(std::string& out, int column)
{
    char buf[4];
    int n = 0;
    while (column > 0) {
        buf[n++] = static_cast<char>('A' + (column - 1) % 26);
        column = (column - 1) / 26;
    }
    while (n > 0)
        out += buf[--n];
}

struct FormulaInfo {
    std::string type, si, ref, text;
};

FormulaInfo parseFormula(const std::string& raw)
{
    FormulaInfo info;
    pugi::xml_document doc;
    if (!doc.load_buffer(raw.data(), raw.size(), xml::kParseFlags))
        return info;
    auto f = doc.document_element();
    info.type = f.attribute("t").value();
    info.si = f.attribute("si").value();
    info.ref = f.attribute("ref").value();
    info.text = f.child_value();
    return info;
}

bool isSharedFormula(const Cell& cell)
{
    return cell.extra && !cell.extra->formula.empty()
        && cell.extra->formula.find("shared") != std::string::npos;
}

Cell* placeCell(Row& row, Cell&& cell)
{
    auto& cells = row.cells;
    if (cells.empty() || cells.back().column < cell.column) {
        cells.push_back(std::move(cell));
        return &cells.back();
    }
    auto it = std::lower_bound(cells.begin(), cells.end(), cell.column,
                               [](const Cell& c, int col) { return c.column < col; });
    if (it != cells.end() && it->column == cell.column) {
        *it = std::move(cell);
        return &*it;
    }
    return &*cells.insert(it, std::move(cell));
}

} // namespace

bool Cell::hasValue() const
{
    return !value.empty() || ownInlineText
        || (extra && (!extra->formula.empty() || !extra->inlineXml.empty()));
}

const std::string* Row::attribute(std::string_view name) const
{
    for (const auto& [n, v] : attributes)
        if (n == name)
            return &v;
    return nullptr;
}

void Row::setAttribute(std::string_view name, std::string value)
{
    for (auto& [n, v] : attributes)
        if (n == name) {
            v = std::move(value);
            return;
        }
    attributes.emplace_back(std::string(name), std::move(value));
}

void Row::removeAttribute(std::string_view name)
{
    attributes.erase(std::remove_if(attributes.begin(), attributes.end(),
                                    [&](const auto& a) { return a.first == name; }),
                     attributes.end());
}

const Cell* Row::find(int column) const
{
    auto it = std::lower_bound(cells.begin(), cells.end(), column,
                               [](const Cell& c, int col) { return c.column < col; });
    return it != cells.end() && it->column == column ? &*it : nullptr;
}

Cell* Row::find(int column)
{
    return const_cast<Cell*>(std::as_const(*this).find(column));
}

SheetPart::SheetPart(BookPart* book, QString name, int sheetIndex, std::string partName, const std::string& xml)
    : m_book(book)
    , m_name(std::move(name))
    , m_sheetIndex(sheetIndex)
    , m_partName(std::move(partName))
{
    load(xml);
}

void SheetPart::load(const std::string& data)
{
    xml::parse(m_doc, data, QString::fromStdString(m_partName), m_book->file());
    m_root = m_doc.document_element();
    if (xml::localName(m_root) != "worksheet")
        throw WorkbookError(QStringLiteral("活頁簿 %1 的 %2 不是工作表")
                                .arg(m_book->file(), QString::fromStdString(m_partName)));
    m_prefix = xml::prefixOf(m_root);

    if (auto cols = xml::child(m_root, "cols")) {
        for (auto c = cols.first_child(); c; c = c.next_sibling())
            if (c.type() == pugi::node_element && xml::localName(c) == "col")
                m_columns.push_back({c.attribute("min").as_int(), c.attribute("max").as_int(),
                                     c.attribute("style").as_int(-1), c.attribute("width").as_double(-1)});
    }

    auto sheetData = xml::ensureChild(m_root, "sheetData", kSheetOrder);
    int lastRow = 0;
    for (auto r = sheetData.first_child(); r; r = r.next_sibling()) {
        if (r.type() != pugi::node_element || xml::localName(r) != "row")
            continue;
        const int number = r.attribute("r") ? r.attribute("r").as_int() : lastRow + 1;
        if (number < 1 || number > kMaxRows)
            continue;
        lastRow = number;
        Row row;
        for (auto a : r.attributes()) {
            const std::string_view n = a.name();
            if (n != "r" && n != "spans")
                row.attributes.emplace_back(a.name(), a.value());
        }
        int lastColumn = 0;
        for (auto c = r.first_child(); c; c = c.next_sibling()) {
            if (c.type() != pugi::node_element)
                continue;
            if (xml::localName(c) != "c") {
                row.tail += xml::toString(c);
                continue;
            }
            Cell cell = parseCell(c, lastColumn);
            if (cell.column < 1 || cell.column > kMaxColumns)
                continue;
            lastColumn = cell.column;
            placeCell(row, std::move(cell));
        }
        m_rows[number] = std::move(row);
    }
    while (auto c = sheetData.first_child())
        sheetData.remove_child(c);
    sheetData.append_child(pugi::node_pi).set_name("varn-sheetdata");

    if (auto merges = xml::child(m_root, "mergeCells")) {
        for (auto m = merges.first_child(); m; m = m.next_sibling())
            if (m.type() == pugi::node_element)
                if (auto range = CellRange::parse(QString::fromUtf8(m.attribute("ref").value())))
                    m_merges.push_back(*range);
        m_root.remove_child(merges);
    }
}

Cell SheetPart::parseCell(pugi::xml_node node, int fallbackColumn)
{
    Cell cell;
    cell.column = fallbackColumn + 1;
    CellExtra extra;
    for (auto a : node.attributes()) {
        const std::string_view n = a.name();
        if (n == "r") {
            if (auto ref = CellRef::parse(QString::fromUtf8(a.value())))
                cell.column = ref->column;
        } else if (n == "s") {
            cell.style = a.as_int();
        } else if (n == "t") {
            cell.type = a.value();
        } else {
            extra.attributes += ' ';
            extra.attributes += a.name();
            extra.attributes += "=\"";
            AppendXmlAttribute(extra.attributes, a.value());
            extra.attributes += '"';
        }
    }
    for (auto c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element)
            continue;
        const auto n = xml::localName(c);
        if (n == "v")
            cell.value = c.child_value();
        else if (n == "f")
            extra.formula = xml::toString(c);
        else if (n == "is")
            extra.inlineXml = xml::toString(c);
        else
            extra.tail += xml::toString(c);
    }
    if (!extra.attributes.empty() || !extra.formula.empty() || !extra.inlineXml.empty() || !extra.tail.empty())
        cell.extra = std::make_shared<const CellExtra>(std::move(extra));
    return cell;
}

void SheetPart::checkCell(int row, int column)
{
    if (!CellRef::isValid(row, column))
        throw WorkbookError(QStringLiteral("儲存格超出工作表範圍：第 %1 列第 %2 欄").arg(row).arg(column));
}

const Cell* SheetPart::findCell(int row, int column) const
{
    auto it = m_rows.find(row);
    return it == m_rows.end() ? nullptr : it->second.find(column);
}

Row& SheetPart::ensureRow(int row)
{
    return m_rows[row];
}

long long SheetPart::sharedStringCells() const
{
    long long count = 0;
    for (const auto& [number, row] : m_rows)
        for (const Cell& c : row.cells)
            count += c.type == "s" ? 1 : 0;
    return count;
}

int SheetPart::defaultStyle(int row, int column) const
{
    if (auto it = m_rows.find(row); it != m_rows.end()) {
        const Row& r = it->second;
        if (isTrue(r.attribute("customFormat")))
            if (const std::string* s = r.attribute("s"))
                return std::atoi(s->c_str());
    }
    for (const auto& c : m_columns)
        if (column >= c.min && column <= c.max)
            return c.style;
    return -1;
}

int SheetPart::effectiveStyle(int row, int column) const
{
    if (const Cell* c = findCell(row, column))
        return std::max(c->style, 0);
    return std::max(defaultStyle(row, column), 0);
}

Cell& SheetPart::ensureCell(int row, int column)
{
    Row& r = ensureRow(row);
    if (Cell* c = r.find(column))
        return *c;
    Cell cell;
    cell.column = column;
    cell.style = defaultStyle(row, column);
    return *placeCell(r, std::move(cell));
}

std::string SheetPart::formulaXml(const std::string& text) const
{
    std::string out = "<" + m_prefix + "f>";
    AppendXmlText(out, text);
    out += "</" + m_prefix + "f>";
    return out;
}

void SheetPart::dissolveSharedFormula(int row, int column, const Cell& master)
{
    const FormulaInfo info = parseFormula(master.extra->formula);
    if (info.type != "shared" || info.ref.empty() || info.si.empty())
        return;
    const auto range = CellRange::parse(QString::fromStdString(info.ref));
    if (!range)
        return;
    const std::string siAttr = "si=\"" + info.si + "\"";
    for (auto it = m_rows.lower_bound(range->topLeft.row);
         it != m_rows.end() && it->first <= range->bottomRight.row; ++it) {
        for (Cell& c : it->second.cells) {
            if (c.column < range->topLeft.column || c.column > range->bottomRight.column)
                continue;
            if ((it->first == row && c.column == column) || !isSharedFormula(c)
                || c.extra->formula.find(siAttr) == std::string::npos)
                continue;
            const FormulaInfo child = parseFormula(c.extra->formula);
            if (child.type != "shared" || child.si != info.si)
                continue;
            auto extra = std::make_shared<CellExtra>(*c.extra);
            extra->formula = formulaXml(ShiftFormula(info.text, it->first - row, c.column - column));
            c.extra = std::move(extra);
        }
    }
}

void SheetPart::prepareOverwrite(int row, Cell& cell)
{
    // Cells that share the overwritten cell's formula keep it as formulas of their own.
    if (isSharedFormula(cell))
        dissolveSharedFormula(row, cell.column, cell);
}

QString SheetPart::text(int row, int column) const
{
    checkCell(row, column);
    const Cell* c = findCell(row, column);
    if (!c)
        return {};
    if (c->ownInlineText)
        return UnescapeCellText(c->value);
    if (c->type == "s") {
        bool ok = false;
        const int index = QString::fromStdString(c->value).toInt(&ok);
        return ok ? m_book->sharedString(index) : QString();
    }
    if (c->type == "inlineStr") {
        if (!c->extra || c->extra->inlineXml.empty())
            return {};
        pugi::xml_document doc;
        doc.load_buffer(c->extra->inlineXml.data(), c->extra->inlineXml.size(), xml::kParseFlags);
        return UnescapeCellText(xml::richText(doc.document_element()));
    }
    if (c->type == "b")
        return c->value == "1" ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    if (c->type == "str")
        return UnescapeCellText(c->value);
    return QString::fromStdString(c->value);
}

bool SheetPart::hasValue(int row, int column) const
{
    checkCell(row, column);
    const Cell* c = findCell(row, column);
    return c && c->hasValue();
}

std::optional<CellRange> SheetPart::laidOutRange() const
{
    int maxRow = 0;
    int maxColumn = 0;
    for (const auto& [r, row] : m_rows) {
        if (!row.cells.empty()) {
            maxRow = r;
            maxColumn = std::max(maxColumn, row.cells.back().column);
        } else if (!row.attributes.empty()) {
            maxRow = r;
        }
    }
    for (const auto& c : m_columns)
        maxColumn = std::max(maxColumn, std::min(c.max, kMaxColumns));
    if (maxRow == 0 && maxColumn == 0)
        return std::nullopt;
    return CellRange{{1, 1}, {std::max(maxRow, 1), std::max(maxColumn, 1)}};
}

void SheetPart::setText(int row, int column, const QString& text)
{
    checkCell(row, column);
    if (text.isEmpty()) {   // as in the spreadsheet itself: an empty text leaves the cell empty
        clearValue(row, column);
        return;
    }
    std::string stored = EscapeCellText(LimitCellText(text));
    Cell& c = ensureCell(row, column);
    prepareOverwrite(row, c);
    c.type = "inlineStr";
    c.value = std::move(stored);
    c.ownInlineText = true;
    c.extra.reset();
    m_dirty = true;
}

void SheetPart::setNumber(int row, int column, double value)
{
    checkCell(row, column);
    if (!std::isfinite(value))
        throw WorkbookError(QStringLiteral("儲存格只能存放有限的數值（第 %1 列第 %2 欄）").arg(row).arg(column));
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    Cell& c = ensureCell(row, column);
    prepareOverwrite(row, c);
    c.type.clear();
    c.value.assign(buf, res.ptr);
    c.ownInlineText = false;
    c.extra.reset();
    m_dirty = true;
}

void SheetPart::clearValue(int row, int column)
{
    checkCell(row, column);
    auto it = m_rows.find(row);
    if (it == m_rows.end())
        return;
    Cell* c = it->second.find(column);
    if (!c || !c->hasValue())
        return;
    prepareOverwrite(row, *c);
    c->type.clear();
    c->value.clear();
    c->ownInlineText = false;
    c->extra.reset();
    if (c->style < 0) {
        auto& cells = it->second.cells;
        cells.erase(cells.begin() + (c - cells.data()));
    }
    m_dirty = true;
}

template <class Derive>
void SheetPart::restyle(int row, int column, Derive derive)
{
    checkCell(row, column);
    const int xf = derive(m_book->styles(), effectiveStyle(row, column));
    ensureCell(row, column).style = xf;
    m_dirty = true;
}

void SheetPart::setHorizontalAlignment(int row, int column, HorizontalAlignment alignment)
{
    restyle(row, column, [&](StyleSheet& s, int xf) { return s.withAlignment(xf, alignment); });
}

void SheetPart::setNumberFormat(int row, int column, const QString& code)
{
    restyle(row, column, [&](StyleSheet& s, int xf) { return s.withNumberFormat(xf, code); });
}

void SheetPart::setBold(int row, int column, bool bold)
{
    restyle(row, column, [&](StyleSheet& s, int xf) { return s.withBold(xf, bold); });
}

void SheetPart::setFontSize(int row, int column, double points)
{
    restyle(row, column, [&](StyleSheet& s, int xf) { return s.withFontSize(xf, points); });
}

void SheetPart::setThinBorders(const CellRange& range, unsigned edges)
{
    checkCell(range.topLeft.row, range.topLeft.column);
    checkCell(range.bottomRight.row, range.bottomRight.column);
    for (int r = range.topLeft.row; r <= range.bottomRight.row; ++r) {
        for (int c = range.topLeft.column; c <= range.bottomRight.column; ++c) {
            unsigned cellEdges = 0;
            if (edges & (c == range.topLeft.column ? BorderEdge::Left : BorderEdge::InsideVertical))
                cellEdges |= BorderEdge::Left;
            if (edges & (c == range.bottomRight.column ? BorderEdge::Right : BorderEdge::InsideVertical))
                cellEdges |= BorderEdge::Right;
            if (edges & (r == range.topLeft.row ? BorderEdge::Top : BorderEdge::InsideHorizontal))
                cellEdges |= BorderEdge::Top;
            if (edges & (r == range.bottomRight.row ? BorderEdge::Bottom : BorderEdge::InsideHorizontal))
                cellEdges |= BorderEdge::Bottom;
            if (cellEdges)
                restyle(r, c, [&](StyleSheet& s, int xf) { return s.withThinBorders(xf, cellEdges); });
        }
    }
}

void SheetPart::mergeCells(const CellRange& range)
{
    checkCell(range.topLeft.row, range.topLeft.column);
    checkCell(range.bottomRight.row, range.bottomRight.column);
    if (range.rows() == 1 && range.columns() == 1)
        return;
    // Overlapping merged areas make a file the spreadsheet programs repair or refuse.
    m_merges.erase(std::remove_if(m_merges.begin(), m_merges.end(),
                                  [&](const CellRange& m) { return range.intersects(m); }),
                   m_merges.end());
    m_merges.push_back(range);
    m_dirty = true;
}

void SheetPart::copyRange(const CellRange& source, const CellRef& destination)
{
    checkCell(source.topLeft.row, source.topLeft.column);
    checkCell(source.bottomRight.row, source.bottomRight.column);
    checkCell(destination.row, destination.column);
    const int dr = destination.row - source.topLeft.row;
    const int dc = destination.column - source.topLeft.column;
    const CellRange target{destination, {source.bottomRight.row + dr, source.bottomRight.column + dc}};
    if (!CellRef::isValid(target.bottomRight.row, target.bottomRight.column))
        throw WorkbookError(QStringLiteral("複製的目的範圍超出工作表：%1 貼到 %2")
                                .arg(source.toString(), destination.toString()));

    // Masters of shared formulas, found only when a copied cell needs one.
    std::unordered_map<std::string, std::pair<CellRef, std::string>> masters;
    bool mastersBuilt = false;
    auto masterOf = [&](const std::string& si) -> const std::pair<CellRef, std::string>* {
        if (!mastersBuilt) {
            mastersBuilt = true;
            for (const auto& [r, row] : m_rows)
                for (const Cell& c : row.cells)
                    if (isSharedFormula(c)) {
                        FormulaInfo info = parseFormula(c.extra->formula);
                        if (info.type == "shared" && !info.ref.empty())
                            masters.emplace(info.si, std::make_pair(CellRef{r, c.column}, info.text));
                    }
        }
        auto it = masters.find(si);
        return it == masters.end() ? nullptr : &it->second;
    };

    struct Item {
        int row;
        Cell cell;
        bool present;
    };
    std::vector<Item> items;
    items.reserve(static_cast<size_t>(source.rows()) * static_cast<size_t>(source.columns()));
    for (int r = source.topLeft.row; r <= source.bottomRight.row; ++r) {
        auto rowIt = m_rows.find(r);
        const Row* row = rowIt == m_rows.end() ? nullptr : &rowIt->second;
        for (int c = source.topLeft.column; c <= source.bottomRight.column; ++c) {
            const Cell* cell = row ? row->find(c) : nullptr;
            if (!cell) {
                Cell blank;
                blank.column = c + dc;
                blank.style = defaultStyle(r, c);
                items.push_back({r + dr, std::move(blank), false});
                continue;
            }
            Cell copy = *cell;
            copy.column = c + dc;
            if (cell->extra && !cell->extra->formula.empty()) {
                const FormulaInfo info = parseFormula(cell->extra->formula);
                std::optional<std::string> text;
                if (info.type == "shared") {
                    if (!info.ref.empty())
                        text = info.text;
                    else if (auto m = masterOf(info.si))
                        text = ShiftFormula(m->second, r - m->first.row, c - m->first.column);
                } else if (info.type.empty() || info.type == "normal") {
                    text = info.text;
                }
                // Array and data-table formulas are not carried: the copy keeps their values.
                auto extra = std::make_shared<CellExtra>(*cell->extra);
                extra->formula = text ? formulaXml(ShiftFormula(*text, dr, dc)) : std::string();
                copy.extra = std::move(extra);
            }
            items.push_back({r + dr, std::move(copy), true});
        }
    }

    std::vector<CellRange> copiedMerges;
    for (const auto& m : m_merges)
        if (source.contains(m))
            copiedMerges.push_back({{m.topLeft.row + dr, m.topLeft.column + dc},
                                    {m.bottomRight.row + dr, m.bottomRight.column + dc}});

    for (Item& item : items) {
        Row& row = ensureRow(item.row);
        if (Cell* existing = row.find(item.cell.column))
            prepareOverwrite(item.row, *existing);
        if (!item.present && item.cell.style <= 0) {
            if (Cell* existing = row.find(item.cell.column))
                row.cells.erase(row.cells.begin() + (existing - row.cells.data()));
            continue;
        }
        placeCell(row, std::move(item.cell));
    }

    m_merges.erase(std::remove_if(m_merges.begin(), m_merges.end(),
                                  [&](const CellRange& m) { return target.intersects(m); }),
                   m_merges.end());
    m_merges.insert(m_merges.end(), copiedMerges.begin(), copiedMerges.end());
    m_dirty = true;
}

void SheetPart::copyRowHeight(int fromRow, int toRow)
{
    checkCell(fromRow, 1);
    checkCell(toRow, 1);
    std::optional<std::string> height, custom, hidden;
    if (auto it = m_rows.find(fromRow); it != m_rows.end()) {
        const Row& r = it->second;
        if (auto v = r.attribute("ht"))
            height = *v;
        if (auto v = r.attribute("customHeight"))
            custom = *v;
        if (auto v = r.attribute("hidden"))
            hidden = *v;
    }
    Row& to = ensureRow(toRow);
    auto apply = [&](const char* name, const std::optional<std::string>& v) {
        if (v)
            to.setAttribute(name, *v);
        else
            to.removeAttribute(name);
    };
    apply("ht", height);
    apply("customHeight", custom);
    apply("hidden", hidden);
    m_dirty = true;
}

double SheetPart::columnWidth(int column) const
{
    for (const auto& c : m_columns)
        if (column >= c.min && column <= c.max && c.width >= 0)
            return c.width;
    const auto format = xml::child(m_root, "sheetFormatPr");
    if (auto w = format.attribute("defaultColWidth"))
        return w.as_double();
    return format.attribute("baseColWidth").as_double(8) + 5.0 / 7;   // the default margins
}

double SheetPart::rowHeight(const Row& row) const
{
    if (const std::string* ht = row.attribute("ht"))
        return std::atof(ht->c_str());
    return xml::child(m_root, "sheetFormatPr").attribute("defaultRowHeight").as_double(15);
}

void SheetPart::fitRowHeights(int firstRow, int lastRow)
{
    checkCell(firstRow, 1);
    checkCell(lastRow, 1);
    const StyleSheet& styles = m_book->styles();
    for (auto it = m_rows.lower_bound(firstRow); it != m_rows.end() && it->first <= lastRow; ++it) {
        Row& row = it->second;
        double needed = 0;
        for (const Cell& cell : row.cells) {
            const TextLook look = styles.textLook(cell.style);
            // Merged areas are left alone, as spreadsheet programs leave them.
            const bool merged = std::any_of(m_merges.begin(), m_merges.end(),
                                            [&](const CellRange& m) { return m.contains(it->first, cell.column); });
            if (!look.wraps || merged || !cell.hasValue())
                continue;
            const int lines = WrappedLineCount(text(it->first, cell.column),
                                               ColumnWidthPoints(columnWidth(cell.column)), look.points);
            if (lines > 1)
                needed = std::max(needed, RowHeightForLines(lines, look.points));
        }
        growRow(row, needed);
    }
}

void SheetPart::growRow(Row& row, double points)
{
    if (points <= rowHeight(row))
        return;
    row.setAttribute("ht", QString::number(points, 'f', 2).toStdString());
    row.setAttribute("customHeight", "1");
    m_dirty = true;
}

std::optional<double> SheetPart::textWidth(int row, int column) const
{
    // The text has its merged span's columns; a span over several rows is left alone, as
    // spreadsheet programs leave it.
    int last = column;
    for (const CellRange& m : m_merges) {
        if (!m.contains(row, column))
            continue;
        if (m.topLeft.row != m.bottomRight.row || m.topLeft.column != column)
            return std::nullopt;
        last = m.bottomRight.column;
    }
    double characters = 0;
    for (int c = column; c <= last; ++c)
        characters += columnWidth(c);
    return ColumnWidthPoints(characters);
}

void SheetPart::fitWrappedText(int row, int column, double minPoints, double rowBudget)
{
    checkCell(row, column);
    const Cell* cell = findCell(row, column);
    const TextLook look = m_book->styles().textLook(effectiveStyle(row, column));
    if (!cell || !cell->hasValue() || !look.wraps)
        return;
    const std::optional<double> width = textWidth(row, column);
    if (!width)
        return;
    const QString t = text(row, column);
    auto linesAt = [&](double points) { return WrappedLineCount(t, *width, points); };
    if (linesAt(look.points) <= 1)
        return;

    Row& r = ensureRow(row);
    const double budget = std::max(rowBudget, rowHeight(r));
    double size = std::min(look.points, minPoints);
    for (int half = int(std::floor(look.points * 2)); half >= int(std::ceil(minPoints * 2)); --half) {
        if (RowHeightForLines(linesAt(half / 2.0), half / 2.0) <= budget) {
            size = half / 2.0;
            break;
        }
    }
    if (size != look.points)
        setFontSize(row, column, size);
    if (const int lines = linesAt(size); lines > 1)
        growRow(r, RowHeightForLines(lines, size));
}

void SheetPart::fitTextInRow(int row, int column, double minPoints)
{
    checkCell(row, column);
    const Cell* cell = findCell(row, column);
    if (!cell || !(cell->type == "s" || cell->type == "str" || cell->type == "inlineStr"))
        return;
    const std::optional<double> width = textWidth(row, column);
    if (!width)
        return;
    const TextLook look = m_book->styles().textLook(effectiveStyle(row, column));
    const QString t = text(row, column);
    const double height = rowHeight(ensureRow(row));
    for (int half = int(std::floor(look.points * 2)); half >= int(std::ceil(minPoints * 2)); --half) {
        const double size = half / 2.0;
        const int lines = WrappedLineCount(t, *width, size);
        // Once one line holds it, shrinking on that line gives it this size or more.
        if (lines <= 1)
            return;
        if (LinesFitRow(lines, size, height)) {
            restyle(row, column, [&](StyleSheet& s, int xf) { return s.withFontSize(s.withWrap(xf), size); });
            return;
        }
    }
}

void SheetPart::addBreak(const char* element, int id, int max)
{
    auto breaks = xml::ensureChild(m_root, element, kSheetOrder);
    pugi::xml_node existing, before;
    for (auto b = breaks.first_child(); b && !existing && !before; b = b.next_sibling()) {
        if (b.type() != pugi::node_element)
            continue;
        const int at = b.attribute("id").as_int();
        if (at == id)
            existing = b;
        else if (at > id)
            before = b;   // breaks stay sorted
    }
    if (existing) {
        xml::setAttribute(existing, "man", "1");
    } else {
        const std::string name = xml::prefixOf(breaks) + "brk";
        auto b = before ? breaks.insert_child_before(name.c_str(), before) : breaks.append_child(name.c_str());
        b.append_attribute("id").set_value(id);
        b.append_attribute("max").set_value(max);
        b.append_attribute("man").set_value(1);
    }
    int count = 0, manual = 0;
    for (auto b = breaks.first_child(); b; b = b.next_sibling()) {
        if (b.type() != pugi::node_element)
            continue;
        ++count;
        const std::string man = b.attribute("man").value();
        if (man == "1" || man == "true")
            ++manual;
    }
    xml::setAttribute(breaks, "count", std::to_string(count));
    xml::setAttribute(breaks, "manualBreakCount", std::to_string(manual));
    m_dirty = true;
}

void SheetPart::addRowPageBreak(int beforeRow)
{
    checkCell(beforeRow, 1);
    if (beforeRow > 1)   // nothing stands above the first row
        addBreak("rowBreaks", beforeRow - 1, kMaxColumns - 1);
}

void SheetPart::addColumnPageBreak(int beforeColumn)
{
    checkCell(1, beforeColumn);
    if (beforeColumn > 1)
        addBreak("colBreaks", beforeColumn - 1, kMaxRows - 1);
}

void SheetPart::setZoom(int percent)
{
    if (percent < 10 || percent > 400)
        throw WorkbookError(QStringLiteral("列印縮放比例必須在 10 到 400 之間：%1").arg(percent));
    auto setup = xml::ensureChild(m_root, "pageSetup", kSheetOrder);
    xml::setAttribute(setup, "scale", std::to_string(percent));
    if (auto pr = xml::child(m_root, "sheetPr"))
        if (auto fit = xml::child(pr, "pageSetUpPr"))
            fit.remove_attribute("fitToPage");
    m_dirty = true;
}

void SheetPart::setPrintTitleRows(const QString& rows)
{
    m_book->setPrintTitleRows(m_sheetIndex, m_name, rows);
}

void SheetPart::setPrintTitleColumns(const QString& columns)
{
    m_book->setPrintTitleColumns(m_sheetIndex, m_name, columns);
}

void SheetPart::setPrintArea(const QString& area)
{
    m_book->setPrintArea(m_sheetIndex, m_name, area);
}

bool SheetPart::hasFormulas() const
{
    for (const auto& [r, row] : m_rows)
        for (const Cell& c : row.cells)
            if (c.extra && !c.extra->formula.empty())
                return true;
    return false;
}

void SheetPart::writeRows(std::string& out) const
{
    const std::string rowOpen = "<" + m_prefix + "row r=\"";
    const std::string rowClose = "</" + m_prefix + "row>";
    const std::string cellOpen = "<" + m_prefix + "c r=\"";
    const std::string cellClose = "</" + m_prefix + "c>";
    const std::string vOpen = "<" + m_prefix + "v>";
    const std::string vClose = "</" + m_prefix + "v>";
    const std::string isOpen = "<" + m_prefix + "is><" + m_prefix + "t";
    const std::string isClose = "</" + m_prefix + "t></" + m_prefix + "is>";

    for (const auto& [r, row] : m_rows) {
        if (row.cells.empty() && row.attributes.empty() && row.tail.empty())
            continue;
        out += rowOpen;
        appendInt(out, r);
        out += '"';
        for (const auto& [n, v] : row.attributes) {
            out += ' ';
            out += n;
            out += "=\"";
            AppendXmlAttribute(out, v);
            out += '"';
        }
        if (row.cells.empty() && row.tail.empty()) {
            out += "/>";
            continue;
        }
        out += '>';
        for (const Cell& c : row.cells) {
            out += cellOpen;
            appendColumn(out, c.column);
            appendInt(out, r);
            out += '"';
            if (c.style >= 0) {
                out += " s=\"";
                appendInt(out, c.style);
                out += '"';
            }
            if (!c.type.empty()) {
                out += " t=\"";
                out += c.type;
                out += '"';
            }
            if (c.extra)
                out += c.extra->attributes;
            const bool hasFormula = c.extra && !c.extra->formula.empty();
            const bool hasInline = c.extra && !c.extra->inlineXml.empty();
            const bool hasTail = c.extra && !c.extra->tail.empty();
            if (!hasFormula && !hasInline && !hasTail && c.value.empty() && !c.ownInlineText) {
                out += "/>";
                continue;
            }
            out += '>';
            if (hasFormula)
                out += c.extra->formula;
            if (c.ownInlineText) {
                out += isOpen;
                const std::string& v = c.value;
                const bool preserve = !v.empty()
                    && (std::strchr(" \t\n", v.front()) || std::strchr(" \t\n", v.back())
                        || v.find_first_of("\t\n") != std::string::npos
                        || v.find("  ") != std::string::npos);
                if (preserve)
                    out += " xml:space=\"preserve\"";
                out += '>';
                AppendXmlText(out, v);
                out += isClose;
            } else {
                if (!c.value.empty()) {
                    out += vOpen;
                    AppendXmlText(out, c.value);
                    out += vClose;
                }
                if (hasInline)
                    out += c.extra->inlineXml;
            }
            if (hasTail)
                out += c.extra->tail;
            out += cellClose;
        }
        out += row.tail;
        out += rowClose;
    }
}

std::string SheetPart::serialize()
{
    // Dimension: the cells the sheet holds.
    int minRow = 0, maxRow = 0, minCol = 0, maxCol = 0;
    for (const auto& [r, row] : m_rows) {
        if (row.cells.empty())
            continue;
        if (!minRow)
            minRow = r;
        maxRow = r;
        const int lo = row.cells.front().column, hi = row.cells.back().column;
        minCol = minCol ? std::min(minCol, lo) : lo;
        maxCol = std::max(maxCol, hi);
    }
    const QString dimension = minRow ? CellRange{{minRow, minCol}, {maxRow, maxCol}}.toString()
                                     : QStringLiteral("A1");
    xml::setAttribute(xml::ensureChild(m_root, "dimension", kSheetOrder), "ref", dimension.toStdString());

    if (!m_merges.empty()) {
        auto merges = xml::ensureChild(m_root, "mergeCells", kSheetOrder);
        for (const auto& m : m_merges)
            merges.append_child((m_prefix + "mergeCell").c_str())
                .append_attribute("ref")
                .set_value(m.toString().toStdString().c_str());
        merges.append_attribute("count").set_value(static_cast<unsigned>(m_merges.size()));
    }
    std::string text = xml::toString(m_doc);
    if (auto merges = xml::child(m_root, "mergeCells"))
        m_root.remove_child(merges);   // rebuilt from m_merges at every save

    const size_t at = text.find(kSheetDataMarker);
    if (at == std::string::npos)
        throw WorkbookError(QStringLiteral("工作表 %1 無法寫出").arg(m_name));
    std::string out;
    out.reserve(text.size() + m_rows.size() * 256);
    out.append(text, 0, at);
    writeRows(out);
    out.append(text, at + std::strlen(kSheetDataMarker), std::string::npos);
    return out;
}

} // namespace varn
