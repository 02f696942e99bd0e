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

namespace varn {
namespace {

// Cells of 11 pt that shrink to fit, in a column of 9 characters (about four wide
// characters a line at 11 pt) and 18 pt rows, except row 9 (30 pt); A7:B7 merged over
// two rows, B as wide as A.
class TextInRowTest : public WrappedTextFitTest {
protected:
    void SetUp() override
    {
        lxw_workbook* made = workbook_new(path("row.xlsx").toUtf8().constData());
        lxw_worksheet* ws = workbook_add_worksheet(made, "S");
        lxw_format* shrink = workbook_add_format(made);
        format_set_shrink(shrink);
        format_set_font_size(shrink, 11);
        worksheet_set_column(ws, 0, 1, 9, nullptr);
        for (lxw_row_t r = 0; r < 10; ++r) {
            worksheet_set_row(ws, r, r == 8 ? 30 : 18, nullptr);
            worksheet_write_blank(ws, r, 0, shrink);
        }
        worksheet_merge_range(ws, 6, 0, 7, 1, "", shrink);
        ASSERT_EQ(workbook_close(made), LXW_NO_ERROR);
    }
};

struct Fitted {
    double size;
    bool wraps, shrinks;
    bool operator==(const Fitted&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Fitted& f)
{
    return out << f.size << (f.wraps ? " wraps" : "") << (f.shrinks ? " shrinks" : "");
}

TEST_F(TextInRowTest, ATextTooLongForOneLineWrapsAtTheLargestSizeItsRowHoldsWithoutGrowingIt)
{
    Workbook book = Workbook::open(path("row.xlsx"));
    Worksheet& s = book.worksheet(1);
    const auto wide = [](int n) { return QString(n, QChar(u'字')); };
    s.setText(1, 1, wide(2));                  // fits its line
    s.setText(2, 1, wide(6));                  // one shrunk line is larger than two that fit
    s.setText(3, 1, wide(10));                 // two lines of 7 pt fill the row
    s.setText(4, 1, wide(20));                 // two lines of 4.5 pt
    s.setText(5, 1, wide(60));                 // too long for lines of 4 pt: shrinks
    s.setNumber(6, 1, 1234567890123.0);        // a number never wraps
    s.setText(7, 1, wide(10));                 // a span over two rows is left alone
    s.setText(9, 1, wide(10));                 // a higher row holds two lines of 9 pt
    for (int row = 1; row <= 10; ++row)
        s.fitTextInRow(row, 1, 4);             // row 10 is empty
    EXPECT_THROW(s.fitTextInRow(0, 1, 4), WorkbookError);
    book.saveAs(path("out.xlsx"));

    const QJsonObject read = test::ReadWithOpenpyxl(path("out.xlsx"));
    const auto fitted = [&](int row) {
        const QJsonObject c = test::CellOf(read, 1, QStringLiteral("A%1").arg(row));
        return Fitted{c.value("size").toDouble(), c.value("wrap").toBool(), c.value("shrink").toBool()};
    };
    const Fitted asMade{11, false, true};
    EXPECT_EQ(fitted(1), asMade);
    EXPECT_EQ(fitted(2), asMade);
    EXPECT_EQ(fitted(3), (Fitted{7, true, false}));
    EXPECT_EQ(fitted(4), (Fitted{4.5, true, false}));
    EXPECT_EQ(fitted(5), asMade);
    EXPECT_EQ(fitted(6), asMade);
    EXPECT_EQ(fitted(7), asMade);
    EXPECT_EQ(fitted(9), (Fitted{9, true, false}));
    EXPECT_EQ(fitted(10), asMade);
    const QJsonObject rows = test::SheetOf(read, 1).value("rows").toObject();
    for (int row = 1; row <= 10; ++row)
        EXPECT_EQ(rows.value(QString::number(row)).toObject().value("height").toDouble(), row == 9 ? 30 : 18) << row;
}

} // namespace
} // namespace varn
