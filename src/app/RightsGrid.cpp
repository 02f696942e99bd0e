#include "app/RightsGrid.h"

#include "platform/db/Database.h"
#include "platform/grid/GridModel.h"
#include "shared/Rights.h"

#include <array>

namespace varn::RightsGrid {

namespace {

constexpr int NameWidthTwips = 1100;
constexpr int BitWidthTwips = 800;

struct BitColumn {
    const char16_t* title;
    const char16_t* subTitle;
    QRgb back;
};

// Columns 2 to 13. Equal neighbouring titles merge, so each pair spans 編輯 and 查詢.
const std::array<BitColumn, 12> bitColumns{{
    {u"價格可見", u"", 0xFFFFC0},
    {u"成本可見", u"", 0xFFFFC0},
    {u"報 價 單", u"", 0xC0FFC0},
    {u"客戶資料", u"編輯", 0xC0C0FF},
    {u"客戶資料", u"查詢", 0xC0C0FF},
    {u"廠商資料", u"編輯", 0xFFC0C0},
    {u"廠商資料", u"查詢", 0xFFC0C0},
    {u"員工資料", u"編輯", 0xC0FFFF},
    {u"員工資料", u"查詢", 0xC0FFFF},
    {u"  詞 庫", u"編輯", 0xFFC0FF},
    {u"  詞 庫", u"查詢", 0xFFC0FF},
    {u"系統設定", u"", 0xFFFFC0},
}};

bool isEditCol(int col) { return col == 5 || col == 7 || col == 9 || col == 11; }
bool isViewCol(int col) { return col == 6 || col == 8 || col == 10 || col == 12; }

int rightsOf(const QString& stored)
{
    bool ok = false;
    const int n = stored.trimmed().toInt(&ok);
    return ok ? n : 0;
}

void toggle(GridModel& grid, int row, int col)
{
    grid.setTextMatrix(row, col, grid.textMatrix(row, col) == mark() ? QString() : mark());
}

} // namespace

QString mark()
{
    return QStringLiteral("★");
}

void fill(Database& db, GridModel& grid)
{
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT 中文姓名, 權限 FROM 員工 ORDER BY 員工編號"));
    grid.clear();
    grid.setCols(Cols);
    grid.setRows(FirstDataRow + rs.recordCount());
    grid.setFixedRows(FirstDataRow);
    grid.setFixedCols(FirstBitCol);
    for (int row = FirstDataRow; !rs.eof(); rs.moveNext(), ++row) {
        grid.setTextMatrix(row, NameCol, rs.text(0));
        const QString bits = RightsToBinary12(rightsOf(rs.text(1)));
        for (int col = FirstBitCol; col <= LastBitCol; ++col)
            grid.setTextMatrix(row, col, bits.mid(col - FirstBitCol, 1) == QLatin1String("1") ? mark() : QString());
    }
}

void setHeader(GridModel& grid)
{
    const bool redraw = grid.redraw();
    grid.setRedraw(false);
    grid.setColWidth(0, 0);
    grid.setColWidth(NameCol, NameWidthTwips);
    grid.setTextMatrix(0, NameCol, QStringLiteral("員工姓名"));
    for (int col = FirstBitCol; col <= LastBitCol; ++col) {
        const BitColumn& c = bitColumns[col - FirstBitCol];
        grid.setTextMatrix(0, col, QString::fromUtf16(c.title));
        grid.setTextMatrix(1, col, QString::fromUtf16(c.subTitle));
        grid.setColWidth(col, BitWidthTwips);
        grid.setColAlignment(col, CellAlign::Center);
    }
    grid.setMergeRow(0, true);
    for (int row = 0; row < grid.rows(); ++row) {
        CellFormat name = grid.cellFormat(row, NameCol);
        name.fore = QColor(0x00, 0x00, 0xC0);
        name.bold = true;
        grid.setCellFormat(row, NameCol, name);
        for (int col = FirstBitCol; col <= LastBitCol; ++col) {
            CellFormat f = grid.cellFormat(row, col);
            f.back = QColor(bitColumns[col - FirstBitCol].back);
            f.align = CellAlign::Center;
            grid.setCellFormat(row, col, f);
        }
    }
    grid.setRow(0);
    grid.setCol(0);
    grid.setRedraw(redraw);
}

void fitToTexts(GridModel& grid, const std::function<int(const QString& text, bool bold)>& widthTwips)
{
    // Room on both sides of a text, as the grid draws it.
    constexpr int Padding = 180;
    const auto widen = [&](int col, int needed) {
        if (grid.colWidth(col) < needed)
            grid.setColWidth(col, needed);
    };
    widen(NameCol, widthTwips(grid.textMatrix(0, NameCol), true) + Padding);
    for (int row = FirstDataRow; row < grid.rows(); ++row)
        widen(NameCol, widthTwips(grid.textMatrix(row, NameCol), true) + Padding);
    for (int col = FirstBitCol; col <= LastBitCol; ++col) {
        const QString title = grid.textMatrix(0, col);
        const bool merged = (col > FirstBitCol && grid.textMatrix(0, col - 1) == title)
            || (col < LastBitCol && grid.textMatrix(0, col + 1) == title);
        const int titleWidth = widthTwips(title, false) + Padding;
        widen(col, merged ? (titleWidth + 1) / 2 : titleWidth);
        widen(col, widthTwips(grid.textMatrix(1, col), false) + Padding);
    }
}

bool click(GridModel& grid, int row, int col)
{
    if (row < FirstDataRow || row >= grid.rows() || col < FirstBitCol || col > LastBitCol)
        return false;
    if (isEditCol(col)) {
        const bool wasSet = grid.textMatrix(row, col) == mark();
        toggle(grid, row, col);
        if (!wasSet)
            grid.setTextMatrix(row, col + 1, mark());
        return true;
    }
    if (isViewCol(col) && grid.textMatrix(row, col - 1) == mark()) {
        // View right stays while edit right is given.
        const bool changed = grid.textMatrix(row, col) != mark();
        grid.setTextMatrix(row, col, mark());
        return changed;
    }
    toggle(grid, row, col);
    return true;
}

int rowRights(const GridModel& grid, int row)
{
    int n = 0;
    for (int col = FirstBitCol; col <= LastBitCol; ++col) {
        if (grid.textMatrix(row, col) == mark())
            n |= 1 << (col - FirstBitCol);
    }
    return n;
}

void save(Database& db, const GridModel& grid)
{
    Transaction tx(db);
    for (int row = FirstDataRow; row < grid.rows(); ++row) {
        db.execute(QStringLiteral("UPDATE 員工 SET 權限 = ? WHERE 中文姓名 = ?"),
                   {rowRights(grid, row), grid.textMatrix(row, NameCol)});
    }
    tx.commit();
}

} // namespace varn::RightsGrid
