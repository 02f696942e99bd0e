// The templates in Pother: register lists, mailing labels, lexicon exports and the
// statistics grid. The program writes every value; these sheets give titles, headings,
// widths and the page.

#include "SheetWriter.h"
#include "Templates.h"

#include <cstdio>
#include <functional>

namespace templates {

namespace {

// A list sheet: title in A1, column headings in row 2, records from row 3.
struct ListTemplate {
    const char* file;
    const char* sheet;
    const char* title;              // nullptr: the program writes A1 itself
    std::vector<Column> columns;    // headings written into row 2 when given
    bool headingsFromProgram;       // the program writes row 2 (register lists)
    Page page;
};

std::vector<Column> uniformColumns(int count, double width)
{
    return std::vector<Column>(static_cast<size_t>(count), Column{"", width, Look::Text});
}

// Register lists: the user chooses up to every column of the table (the vendor table has
// 38) in any order, written from A2 on; the page is scaled to one width of whatever was
// chosen. A column holds a company name; longer texts (addresses) wrap in their cell.
constexpr int kRegisterColumns = 38;
constexpr double kRegisterWidth = 22;

ListTemplate registerList(const char* file, const char* title)
{
    return {file, "列表", title, uniformColumns(kRegisterColumns, kRegisterWidth), true,
            Page{.landscape = true, .fitWidth = true}};
}

const std::vector<ListTemplate>& listTemplates()
{
    static const std::vector<ListTemplate> lists = {
        registerList("Pother/客戶資料.xlsx", "客戶資料列表"),
        registerList("Pother/廠商資料.xlsx", "廠商資料列表"),
        registerList("Pother/員工資料.xlsx", "員工資料列表"),
        // Twelve lookup lists side by side, one column each, from row 3.
        {"Pother/其他詞庫.xlsx", "其他詞庫", "其他詞庫",
         {{"單位", 10, Look::Text}, {"行業別", 12, Look::Text}, {"地區性", 10, Look::Text},
          {"收款方式", 14, Look::Text}, {"付款方式", 14, Look::Text}, {"頁尾備註", 30, Look::Text},
          {"工班", 12, Look::Text}, {"供應材料", 12, Look::Text}, {"工程案名", 16, Look::Text},
          {"客戶分類", 12, Look::Text}, {"廠商分類", 12, Look::Text}, {"報價單項備註", 24, Look::Text}},
         false, Page{.landscape = true, .fitWidth = true}},
        // One row per detail, with its work type and work item on the first row of each item.
        {"Pother/細項加成.xlsx", "細項加成", "細項加成表",
         {{"工程種類", 18, Look::Text}, {"工程項目", 28, Look::Text}, {"細項名稱", 28, Look::Text},
          {"加成", 10, Look::Ratio}},
         false, Page{}},
        // A pair of columns per category: its name, then its areas below each other.
        {"Pother/工程類別.xlsx", "工程類別", "工程類別及區域", {}, false,
         Page{.landscape = true, .fitWidth = true}},
        // The program writes the title "工程種類列表：" into A1 itself.
        {"Pother/工程種類.xlsx", "工程種類", nullptr,
         {{"工程種類", 18, Look::Text}, {"工程項目", 30, Look::Text}, {"單位", 8, Look::Unit},
          {"成本", 12, Look::Quantity}, {"比例", 8, Look::Ratio}},
         false, Page{}},
    };
    return lists;
}

void writeList(lxw_workbook* book, const Formats& f, const ListTemplate& t)
{
    SheetWriter w(book, f, t.sheet);
    std::vector<Column> columns = t.columns;
    if (columns.empty()) {   // 工程類別: name column, then area column, for 20 categories
        for (int i = 0; i < 20; ++i) {
            columns.push_back({"", 14, Look::Text});
            columns.push_back({"", 16, Look::Text});
        }
    }
    w.columns(columns, t.headingsFromProgram ? SheetWriter::Cells::Wrapped : SheetWriter::Cells::PlainLooks);
    w.rowHeight(1, 24);
    if (t.title)
        w.text(1, 1, t.title, f.listTitle);
    else
        w.blank(1, 1, f.listTitle);
    if (t.headingsFromProgram) {
        w.rowHeight(2, 20, f.listHeading);   // the headings the program writes take this format
    } else {
        w.rowHeight(2, 20);
        for (size_t c = 0; c < t.columns.size(); ++c)
            w.text(2, static_cast<int>(c) + 1, t.columns[c].heading, f.listHeading);
    }
    w.page(t.page);
    worksheet_repeat_rows(w.sheet(), 0, 1);
}

// Mailing labels: three across (columns A to C), each four lines in a block of five rows
// from row 2. A long address wraps inside its label; its row grows.
void writeLabels(lxw_workbook* book, const Formats& f)
{
    SheetWriter w(book, f, "標籤");
    w.columns({{"", 30, Look::Text}, {"", 30, Look::Text}, {"", 30, Look::Text}}, SheetWriter::Cells::Wrapped);
    w.rowHeight(1, 9);
    w.page(Page{.top = 0.5, .bottom = 0.5});
    w.printColumns(1, 3);
}

// Statistics grid: the program writes the grid's title row into row 1 and a row per group
// below it, columns A to F: name, 小計, 成本複計, 毛利, 平均比例, 佔總價比. Row 1 holds the
// column titles, so the page heading names the sheet.
void writeStatistics(lxw_workbook* book, const Formats& f)
{
    SheetWriter w(book, f, "統計");
    w.columns({{"", 20, Look::Text}, {"", 14, Look::Money}, {"", 14, Look::Money}, {"", 14, Look::Money},
               {"", 11, Look::Quantity}, {"", 11, Look::Quantity}},
              SheetWriter::Cells::PlainLooks);
    w.rowHeight(1, 20, f.listHeading);
    w.page({});
    w.pageHeading("報價統計表");
    worksheet_repeat_rows(w.sheet(), 0, 0);
    w.printColumns(1, 6);
}

bool writeBook(const std::string& path, const std::function<void(lxw_workbook*, const Formats&)>& describe)
{
    lxw_workbook* book = NewWorkbook(path, "Varn III 範本");
    if (!book) {
        std::fprintf(stderr, "make_templates: cannot create %s\n", path.c_str());
        return false;
    }
    const Formats formats(book);
    describe(book, formats);
    return CloseWorkbook(book, path);
}

} // namespace

bool WriteOtherTemplates(const std::string& dir)
{
    for (const ListTemplate& t : listTemplates())
        if (!writeBook(dir + "/" + t.file, [&](lxw_workbook* b, const Formats& f) { writeList(b, f, t); }))
            return false;
    return writeBook(dir + "/Pother/Label.xlsx", writeLabels)
        && writeBook(dir + "/Pother/統計.xlsx", writeStatistics);
}

} // namespace templates
