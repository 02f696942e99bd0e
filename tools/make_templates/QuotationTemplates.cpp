// The four quotation templates. Each sheet has the header rows with the placeholders the
// engines replace, the empty output rows they fill, and the footer rows that end a page
// block, at the rows the shipped print ranges give. A header plus one page block fits one
// A4 page at 100%.

#include "SheetWriter.h"
#include "Templates.h"

#include <cstdio>
#include <optional>

namespace templates {

namespace {

struct Footer {
    const char* left;
    const char* right;
    const char* note;
};

struct SheetDescription {
    const char* name;
    const char* title;
    std::vector<Column> columns;
    Footer footer;
};

struct QuotationTemplate {
    const char* file;
    double bodySize;                         // points of the output rows
    std::optional<SheetDescription> cover;   // none on the single-sheet form
    SheetDescription detail;
};

// The header's customer block (the columns up to 單位, or 單價 on the cost details, see
// Blocks) holds 65 wide characters in two lines of 8 pt, the contact block a telephone
// number at 10 pt, and all the columns together stay within the A4 page at 100%.

// Cover rows: item numeral, group name, "式", 1 (or a fee's rate or area), amount, and in
// the cost form the cost and the margin. The estimate's amounts, totals among them, take
// the room its cover rows leave empty under 備註.
const std::vector<Column> kEstimateCover = {
    {"項次", 6, Look::Number},   {"工程項目", 37.5, Look::Text}, {"單位", 6, Look::Unit},
    {"數量", 8, Look::Quantity}, {"複價", 14, Look::Money},      {"備註", 11, Look::Note},
    {nullptr, 7, Look::Note},
};

const std::vector<Column> kCostCover = {
    {"項次", 6, Look::Number},   {"工程項目", 37.5, Look::Text}, {"單位", 6, Look::Unit},
    {"數量", 8, Look::Quantity}, {"金額", 12, Look::Money},      {"成本", 10, Look::Money},
    {"毛利", 10, Look::Money},
};

// Detail rows of the estimate forms use A to G; H to J stay hidden so that the shared
// detail print range (A to J, for the cost form) prints the same seven columns.
const std::vector<Column> kEstimateDetail = {
    {"項次", 6, Look::Number},   {"品名規格", 37.5, Look::Text}, {"單位", 6, Look::Unit},
    {"數量", 8, Look::Quantity}, {"單價", 12, Look::Quantity},   {"複價", 11, Look::Money},
    {"備註", 9, Look::Note},     {"", 8, Look::Note, true},      {"", 8, Look::Note, true},
    {"", 8, Look::Note, true},
};

// Ten columns on a portrait page: narrower columns and a smaller body font, still wide
// enough for every heading; a longer text or figure shrinks to its column.
const std::vector<Column> kCostDetail = {
    {"項次", 4.5, Look::Number},  {"品名規格", 24.5, Look::Text}, {"單位", 4.5, Look::Unit},
    {"數量", 6, Look::Quantity},  {"單價", 8.5, Look::Quantity},  {"金額", 10, Look::Money},
    {"成本", 9.5, Look::Quantity}, {"成本複計", 8.5, Look::Money}, {"比例", 7, Look::RatioOrMargin},
    {"備註", 4.5, Look::Note},
};

const Footer kEstimateFooter = {"客戶簽認：", "公司簽章：", "本報價單有效期限為三十日，逾期請重新報價。"};
const Footer kBlankFooter = {"報價廠商：", "簽章：", "請填妥單價及複價後回傳。"};
const Footer kCostFooter = {"製表：", "審核：", "本表為內部成本分析資料，請勿提供客戶。"};

const QuotationTemplate kTemplates[] = {
    {"PrintQ/報價單.xlsx", 11,
     SheetDescription{"首頁", "報　價　單", kEstimateCover, kEstimateFooter},
     {"明細", "報 價 明 細 表", kEstimateDetail, kEstimateFooter}},
    {"PrintS/空白報價單.xlsx", 11,
     SheetDescription{"首頁", "估　價　單", kEstimateCover, kBlankFooter},
     {"明細", "估 價 明 細 表", kEstimateDetail, kBlankFooter}},
    {"PrintC/成本分析.xlsx", 10,
     SheetDescription{"首頁", "成 本 分 析 表", kCostCover, kCostFooter},
     {"明細", "成 本 分 析 明 細", kCostDetail, kCostFooter}},
    {"PrintNF/單張報價單.xlsx", 11, std::nullopt,
     {"報價單", "報　價　單", kEstimateDetail, kEstimateFooter}},
};

// Header information rows are split into three blocks of columns: the customer and the
// project (the longest texts, wrapping onto a second line), the contact, the quotation's
// own data. Each block is wide enough for its labels and placeholders, so nothing runs
// into the next block.
struct Blocks {
    int leftEnd, middleEnd, last;
};

Blocks blocksFor(int visibleColumns)
{
    return visibleColumns >= 10 ? Blocks{5, 7, 10} : Blocks{3, 5, 7};
}

int visibleColumns(const std::vector<Column>& columns)
{
    int n = 0;
    for (const auto& c : columns)
        if (!c.hidden)
            ++n;
    return n;
}

// Rows headerTop.. : firm, firm's details, title, three rows about the customer and the
// quotation, column headings. Every placeholder stands here, inside the 變數 range.
void writeHeader(SheetWriter& w, const Geometry& g, const SheetDescription& d)
{
    const Formats& f = w.formats();
    const Blocks b = blocksFor(visibleColumns(d.columns));
    const int r = g.headerTop;

    w.rowHeight(r, 26);
    w.across(r, 1, b.last, "#公司名稱#", f.company);
    w.rowHeight(r + 1, 26);
    w.across(r + 1, 1, b.last,
             "地址：#公司地址#　電話：#公司電話#　傳真：#公司傳真#\n"
             "統一編號：#公司統編#　E-mail：#公司email#",
             f.companyDetails);
    w.rowHeight(r + 2, 22);
    w.across(r + 2, 1, b.last, d.title, f.title);

    const char* info[3][3] = {
        {"客戶名稱：#客戶名稱#", "聯 絡 人：#客戶聯絡人#", "報價日期：#年#/#月#/#日#"},
        {"工程名稱：#工程名稱#", "電　　話：#客戶電話#", "報價單號：#單號#"},
        {"工程地址：#工程地址#", "傳　　真：#客戶傳真#", "業務人員：#業務#"},
    };
    for (int i = 0; i < 3; ++i) {
        w.rowHeight(r + 3 + i, 18);
        w.across(r + 3 + i, 1, b.leftEnd, info[i][0], f.longInfo);
        w.across(r + 3 + i, b.leftEnd + 1, b.middleEnd, info[i][1], f.info);
        w.across(r + 3 + i, b.middleEnd + 1, b.last, info[i][2], f.info);
    }

    const int headings = r + 6;
    w.rowHeight(headings, 20);
    const auto& cols = d.columns;
    for (size_t i = 0; i < cols.size(); ++i) {
        if (cols[i].hidden || !cols[i].heading)
            continue;
        size_t last = i;
        while (last + 1 < cols.size() && !cols[last + 1].heading)
            ++last;
        w.across(headings, static_cast<int>(i) + 1, static_cast<int>(last) + 1, cols[i].heading, f.heading);
    }
}

// The output rows stay empty: only their formats are laid out.
void writeOutputRows(SheetWriter& w, const Geometry& g, const SheetDescription& d)
{
    for (int r = g.outputTop; r <= g.outputBottom; ++r) {
        w.rowHeight(r, 18);
        for (size_t c = 0; c < d.columns.size(); ++c)
            if (!d.columns[c].hidden)
                w.blank(r, static_cast<int>(c) + 1, w.formats().body(d.columns[c].look));
    }
}

void writeFooter(SheetWriter& w, const Geometry& g, const SheetDescription& d)
{
    const Formats& f = w.formats();
    const Blocks b = blocksFor(visibleColumns(d.columns));
    for (int r = g.footerTop; r <= g.footerBottom; ++r)
        w.rowHeight(r, 18);
    w.across(g.footerTop, 1, b.leftEnd, d.footer.left, f.footer);
    w.across(g.footerTop, b.middleEnd + 1, b.last, d.footer.right, f.footer);
    if (g.footerBottom > g.footerTop)
        w.across(g.footerTop + 1, 1, b.last, d.footer.note, f.footerNote);
}

bool writeSheet(lxw_workbook* book, const Formats& formats, const Geometry& g, const SheetDescription& d)
{
    if (g.headerBottom - g.headerTop != 6) {
        std::fprintf(stderr, "make_templates: the header range must span seven rows\n");
        return false;
    }
    SheetWriter w(book, formats, d.name);
    w.columns(d.columns);
    writeHeader(w, g, d);
    writeOutputRows(w, g, d);
    writeFooter(w, g, d);
    w.page({});
    w.printTitles(g.headerTop, g.headerBottom, 1, g.lastColumn);
    w.printColumns(1, g.lastColumn);
    return true;
}

} // namespace

bool WriteQuotationTemplates(const std::string& dir)
{
    for (const QuotationTemplate& t : kTemplates) {
        const std::string path = dir + "/" + t.file;
        lxw_workbook* book = NewWorkbook(path, "Varn III 報價範本");
        if (!book) {
            std::fprintf(stderr, "make_templates: cannot create %s\n", path.c_str());
            return false;
        }
        const Formats formats(book, t.bodySize);
        bool ok = true;
        if (t.cover)
            ok = writeSheet(book, formats, CoverGeometry(), *t.cover);
        ok = ok && writeSheet(book, formats, DetailGeometry(), t.detail);
        if (!CloseWorkbook(book, path) || !ok)
            return false;
    }
    return true;
}

} // namespace templates
