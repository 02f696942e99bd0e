#include "XlsxTestSupport.h"

#include "platform/workbook/Workbook.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace varn {
namespace {

// A sheet of 10 pt cells that wrap: A:B merged on rows 1-5 (about 21 wide characters a line
// at 10 pt), A6:B7 merged over two rows, C without wrapping, row 8 already 40 pt high.
class WrappedTextFitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        lxw_workbook* made = workbook_new(path("t.xlsx").toUtf8().constData());
        lxw_worksheet* ws = workbook_add_worksheet(made, "S");
        lxw_format* wrap = workbook_add_format(made);
        format_set_text_wrap(wrap);
        format_set_font_size(wrap, 10);
        lxw_format* plain = workbook_add_format(made);
        format_set_font_size(plain, 10);
        worksheet_set_column(ws, 0, 1, 20, nullptr);
        for (lxw_row_t r = 0; r < 5; ++r)
            worksheet_merge_range(ws, r, 0, r, 1, "", wrap);
        worksheet_merge_range(ws, 5, 0, 6, 1, "", wrap);
        worksheet_write_blank(ws, 0, 2, plain);
        worksheet_set_row(ws, 7, 40, nullptr);
        worksheet_merge_range(ws, 7, 0, 7, 1, "", wrap);
        ASSERT_EQ(workbook_close(made), LXW_NO_ERROR);
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
};

// Each text fitted with 8 pt at the least and a 26 pt row: (size, row height; 0 when the
// row keeps the sheet's default height).
TEST_F(WrappedTextFitTest, ATextTooLongForOneLineTakesTheLargestSizeItsRowAllowsButNeverLessThanTheLeast)
{
    Workbook book = Workbook::open(path("t.xlsx"));
    Worksheet& s = book.worksheet(1);
    const auto wide = [](int n) { return QString(n, QChar(u'字')); };
    const struct {
        int row, column;
        QString text;
    } cells[] = {
        {1, 1, wide(15)},    // one line at its own size
        {2, 1, wide(22)},    // a little too long: one line, a little smaller
        {3, 1, wide(40)},    // two lines of 9 pt fill the row's allowance
        {4, 1, wide(100)},   // too long for the allowance: the least size, the row grows
        {6, 1, wide(100)},   // a span over two rows is left alone
        {1, 3, wide(100)},   // a text that does not wrap
        {8, 1, wide(40)},    // a higher row allows two lines at 10 pt
    };
    for (const auto& c : cells) {
        s.setText(c.row, c.column, c.text);
        s.fitWrappedText(c.row, c.column, 8, 26);
    }
    s.fitWrappedText(5, 1, 8, 26);   // empty
    EXPECT_THROW(s.fitWrappedText(0, 1, 8, 26), WorkbookError);
    book.saveAs(path("out.xlsx"));

    const QJsonObject read = test::ReadWithOpenpyxl(path("out.xlsx"));
    const QJsonObject rows = test::SheetOf(read, 1).value("rows").toObject();
    const auto fitted = [&](const char* ref, int row) {
        const QJsonObject r = rows.value(QString::number(row)).toObject();
        return std::pair{test::CellOf(read, 1, QString::fromLatin1(ref)).value("size").toDouble(),
                         r.value("custom").toBool() ? r.value("height").toDouble() : 0.0};
    };
    EXPECT_EQ(fitted("A1", 1), (std::pair{10.0, 0.0}));
    EXPECT_EQ(fitted("A2", 2), (std::pair{9.5, 0.0}));
    const auto [size3, height3] = fitted("A3", 3);
    EXPECT_EQ(size3, 9);
    EXPECT_GT(height3, 2 * 9);
    EXPECT_LE(height3, 26);
    const auto [size4, height4] = fitted("A4", 4);
    EXPECT_EQ(size4, 8);
    EXPECT_GE(height4, 4 * 8 * 1.2);   // about 26 characters a line
    EXPECT_EQ(fitted("A6", 6), (std::pair{10.0, 0.0}));
    EXPECT_EQ(fitted("C1", 1).first, 10);
    EXPECT_EQ(fitted("A8", 8), (std::pair{10.0, 40.0}));
    EXPECT_EQ(fitted("A5", 5), (std::pair{10.0, 0.0}));
}

} // namespace
} // namespace varn
