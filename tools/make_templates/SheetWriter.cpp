#include "SheetWriter.h"

#include <cstdio>

namespace templates {

namespace {

// A Ming face with Taiwanese glyph forms only, installed with the program's packages. A
// multi-region face such as Noto Sans CJK TC is drawn by the spreadsheet program in the
// forms of its default Asian language (Simplified or Japanese: 户, a low colon). Column
// widths count in the workbook's default font, whose metrics both spreadsheet programs share.
constexpr const char* kFont = "AR PL UMing TW";

// Page headers and footers name the face too; they do not follow the cells' fonts.
std::string headerFont()
{
    return std::string("&\"") + kFont + ",Regular\"";
}

lxw_format* newFormat(lxw_workbook* book, double size)
{
    lxw_format* f = workbook_add_format(book);
    format_set_font_name(f, kFont);
    format_set_font_size(f, size);
    format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
    return f;
}

void applyLook(lxw_format* f, Look look)
{
    switch (look) {
    case Look::Number:
    case Look::Unit:
        format_set_align(f, LXW_ALIGN_CENTER);
        break;
    case Look::Text:
    case Look::Note:
        format_set_align(f, LXW_ALIGN_LEFT);
        break;
    case Look::Quantity:
        format_set_align(f, LXW_ALIGN_RIGHT);
        break;
    case Look::Money:
        format_set_align(f, LXW_ALIGN_RIGHT);
        format_set_num_format(f, "#,##0");
        break;
    case Look::Ratio:
        format_set_align(f, LXW_ALIGN_RIGHT);
        format_set_num_format(f, "0.00");
        break;
    case Look::RatioOrMargin:
        // The same column holds an item's ratio and a 小計 row's margin, an amount.
        format_set_align(f, LXW_ALIGN_RIGHT);
        format_set_num_format(f, "[>=1000]#,##0;[<=-1000]-#,##0;0.00");
        break;
    }
}

} // namespace

Formats::Formats(lxw_workbook* book, double bodySize)
{
    company = newFormat(book, 16);
    format_set_bold(company);
    format_set_align(company, LXW_ALIGN_CENTER);

    companyDetails = newFormat(book, 9);
    format_set_align(companyDetails, LXW_ALIGN_CENTER);
    format_set_text_wrap(companyDetails);

    title = newFormat(book, 14);
    format_set_bold(title);
    format_set_align(title, LXW_ALIGN_CENTER);

    // A long contact or number shrinks rather than being cut by the next block; a long
    // customer name, project or address wraps instead, and the print gives it the size and
    // row height that show it whole.
    info = newFormat(book, 10);
    format_set_align(info, LXW_ALIGN_LEFT);
    format_set_shrink(info);
    longInfo = newFormat(book, 10);
    format_set_align(longInfo, LXW_ALIGN_LEFT);
    format_set_text_wrap(longInfo);

    heading = newFormat(book, 10);
    format_set_bold(heading);
    format_set_align(heading, LXW_ALIGN_CENTER);
    format_set_border(heading, LXW_BORDER_THIN);
    format_set_bg_color(heading, 0xD9D9D9);

    footer = newFormat(book, 10);
    format_set_align(footer, LXW_ALIGN_LEFT);

    footerNote = newFormat(book, 9);
    format_set_align(footerNote, LXW_ALIGN_LEFT);

    listTitle = newFormat(book, 14);
    format_set_bold(listTitle);

    listHeading = newFormat(book, 11);
    format_set_bold(listHeading);
    format_set_align(listHeading, LXW_ALIGN_CENTER);
    format_set_bg_color(listHeading, 0xD9D9D9);

    for (int i = 0; i < kLooks; ++i) {
        m_body[i] = newFormat(book, bodySize);
        applyLook(m_body[i], static_cast<Look>(i));
        format_set_border(m_body[i], LXW_BORDER_THIN);
        // Texts and figures of any length shrink rather than being cut at the column edge
        // or shown as ###: the largest amount the editor takes prints whole, grouped, in
        // columns sized for common ones. The rows keep their height, so every page keeps
        // its planned rows.
        format_set_shrink(m_body[i]);
        m_plain[i] = newFormat(book, bodySize);
        applyLook(m_plain[i], static_cast<Look>(i));
    }
    wrapped = newFormat(book, bodySize);
    format_set_align(wrapped, LXW_ALIGN_LEFT);
    format_set_text_wrap(wrapped);
}

SheetWriter::SheetWriter(lxw_workbook* book, const Formats& formats, const char* name)
    : m_book(book)
    , m_formats(formats)
    , m_sheet(workbook_add_worksheet(book, name))
{
}

void SheetWriter::columns(const std::vector<Column>& columns, Cells cells)
{
    for (size_t i = 0; i < columns.size(); ++i) {
        lxw_row_col_options options = {};
        options.hidden = columns[i].hidden ? 1 : 0;
        const auto c = static_cast<lxw_col_t>(i);
        lxw_format* format = cells == Cells::Wrapped ? m_formats.wrapped
            : cells == Cells::PlainLooks             ? m_formats.plain(columns[i].look)
                                                     : nullptr;
        worksheet_set_column_opt(m_sheet, c, c, columns[i].width, format, &options);
    }
}

void SheetWriter::rowHeight(int row, double points, lxw_format* format)
{
    worksheet_set_row(m_sheet, static_cast<lxw_row_t>(row - 1), points, format);
}

void SheetWriter::text(int row, int column, const std::string& text, lxw_format* format)
{
    worksheet_write_string(m_sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1),
                           text.c_str(), format);
}

void SheetWriter::across(int row, int first, int last, const std::string& text, lxw_format* format)
{
    if (first == last) {
        this->text(row, first, text, format);
        return;
    }
    const auto r = static_cast<lxw_row_t>(row - 1);
    worksheet_merge_range(m_sheet, r, static_cast<lxw_col_t>(first - 1), r, static_cast<lxw_col_t>(last - 1),
                          text.c_str(), format);
}

void SheetWriter::blank(int row, int column, lxw_format* format)
{
    worksheet_write_blank(m_sheet, static_cast<lxw_row_t>(row - 1), static_cast<lxw_col_t>(column - 1), format);
}

void SheetWriter::page(const Page& page)
{
    worksheet_set_paper(m_sheet, 9);   // A4
    if (page.landscape)
        worksheet_set_landscape(m_sheet);
    else
        worksheet_set_portrait(m_sheet);
    worksheet_set_margins(m_sheet, page.left, page.right, page.top, page.bottom);
    lxw_header_footer_options footer = {};
    footer.margin = 0.3;
    worksheet_set_footer_opt(m_sheet, ("&C" + headerFont() + "第 &P 頁／共 &N 頁").c_str(), &footer);
    worksheet_center_horizontally(m_sheet);
    if (page.fitWidth)
        worksheet_fit_to_pages(m_sheet, 1, 0);
    else
        worksheet_set_print_scale(m_sheet, 100);
}

void SheetWriter::pageHeading(const std::string& text)
{
    worksheet_set_header(m_sheet, ("&C" + headerFont() + "&14" + text).c_str());
}

void SheetWriter::printTitles(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    worksheet_repeat_rows(m_sheet, static_cast<lxw_row_t>(firstRow - 1), static_cast<lxw_row_t>(lastRow - 1));
    worksheet_repeat_columns(m_sheet, static_cast<lxw_col_t>(firstColumn - 1), static_cast<lxw_col_t>(lastColumn - 1));
}

void SheetWriter::printColumns(int firstColumn, int lastColumn)
{
    worksheet_print_area(m_sheet, 0, static_cast<lxw_col_t>(firstColumn - 1), LXW_ROW_MAX - 1,
                         static_cast<lxw_col_t>(lastColumn - 1));
}

lxw_workbook* NewWorkbook(const std::string& path, const char* title)
{
    lxw_workbook* book = workbook_new(path.c_str());
    if (!book)
        return nullptr;
    lxw_doc_properties properties = {};   // libxlsxwriter copies the texts
    std::string titleText = title;
    std::string author = "Varn III";
    properties.title = titleText.data();
    properties.author = author.data();
    properties.created = 1704067200;   // 2024-01-01: fixed, so rebuilt templates are equal
    workbook_set_properties(book, &properties);
    return book;
}

bool CloseWorkbook(lxw_workbook* book, const std::string& path)
{
    const lxw_error error = workbook_close(book);
    if (error != LXW_NO_ERROR) {
        std::fprintf(stderr, "make_templates: %s: %s\n", path.c_str(), lxw_strerror(error));
        return false;
    }
    return true;
}

} // namespace templates
