#include "OutputTestSupport.h"
#include "output/OutputTask.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "records/ListPrinting.h"
#include "records/MailLabels.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class MailLabelsTest : public OutputFixture {
protected:
    QString label(int kind) { return FillMailLabels(*db, kind, templ(u"Label.xlsx"_s), dir.filePath(u"out"_s)); }

    static QJsonValue value(const QJsonObject& book, const QString& ref)
    {
        return SheetOf(book, 1).value("cells").toObject().value(ref).toObject().value("value");
    }
};

TEST_F(MailLabelsTest, LabelsStandThreeAcrossInBlocksOfFiveRowsForCustomersAndVendorsOnly)
{
    for (int i = 7; i >= 1; --i)   // stored out of code order
        addCustomer(u"C00%1"_s.arg(i), u"客戶%1"_s.arg(i),
                    {{4, u"台北市;中山路%1號"_s.arg(i)}, {5, u"10%1"_s.arg(i)}, {18, i == 7 ? QString() : u"王%1"_s.arg(i)}});
    const QJsonObject book = ReadWithOpenpyxl(label(1));
    for (int k = 0; k < 7; ++k) {
        const QString column = QString(QChar(u'A' + k % 3));
        const int row = 2 + 5 * (k / 3), n = k + 1;
        const QStringList lines{u"10%1"_s.arg(n), u"台北市中山路%1號"_s.arg(n), u"    客戶%1"_s.arg(n),
                                (n == 7 ? QString() : u"王%1"_s.arg(n)) + u"  君 啟     C00%1"_s.arg(n)};
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(value(book, column + QString::number(row + line)).toString(), lines[line]) << k << line;
    }
    for (const char* ref : {"A6", "B6", "C6", "A11", "B11", "C11", "A16", "B12", "C12", "B15", "A17"})
        EXPECT_TRUE(value(book, QString::fromLatin1(ref)).isNull() || value(book, QString::fromLatin1(ref)).isUndefined()) << ref;

    // Vendors take the same places; an empty register leaves the sheet empty; employees have none.
    db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱, 公司地址, 連絡人) VALUES ('A001', 'Acme', '新北市;板橋區', '林')"_s);
    const QJsonObject vendors = ReadWithOpenpyxl(label(2));
    EXPECT_EQ(value(vendors, u"A3"_s).toString() + value(vendors, u"A5"_s).toString(), u"新北市板橋區林  君 啟     A001"_s);
    db->execute(u"DELETE FROM 客戶"_s);
    for (const QJsonValue cell : SheetOf(ReadWithOpenpyxl(label(1)), 1).value("cells").toObject())
        EXPECT_TRUE(cell.toObject().value("value").isNull());
    EXPECT_THROW(label(3), OutputRefused);
}

// A long address wraps inside its label and its row grows: in LibreOffice's PDF every line
// of a label stands apart, below the one before, and a block of labels below the one above.
TEST_F(MailLabelsTest, ALongAddressKeepsClearOfTheNameAndTheNextLabels)
{
    const QString marks = u"甲乙丙丁戊己"_s;   // every word of a label but the code holds its mark
    for (int i = 0; i < marks.size(); ++i)
        addCustomer(u"A%1"_s.arg(i), u"客戶"_s + marks[i],
                    {{4, u"臺北市;"_s + QString(12 + 9 * i, marks[i])}, {5, u"110"_s}, {18, u"王"_s + marks[i]}});
    const QString book = label(1);
    QTemporaryDir pdf;
    ASSERT_EQ(ConvertWithOffice({book}, pdf.path()).toStdString(), "");
    const std::vector<PdfWord> words = pdfWords(pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s), 1);
    // poppler's boxes reach into the lines above and below; their middles hold the glyphs.
    const auto middle = [](const QRectF& b) { return b.adjusted(0, b.height() / 5, 0, -b.height() / 5); };
    for (const auto& [box, text] : words) {
        EXPECT_GE(box.height(), 8) << text.toStdString();
        for (const auto& [otherBox, other] : words)
            EXPECT_FALSE(&otherBox != &box && middle(box).intersects(middle(otherBox)))
                << text.toStdString() << " | " << other.toStdString();
    }
    std::vector<QRectF> address(marks.size()), name(marks.size()), contact(marks.size());
    int addressLines = 0;
    for (const auto& [box, text] : words)
        for (int i = 0; i < marks.size(); ++i) {
            if (text == u"客戶"_s + marks[i])
                name[i] = middle(box);
            else if (text == u"王"_s + marks[i])
                contact[i] = middle(box);
            else if (text.contains(marks[i])) {
                address[i] = address[i].isNull() ? middle(box) : address[i].united(middle(box));
                ++addressLines;
            }
        }
    for (int i = 0; i < marks.size(); ++i) {
        ASSERT_FALSE(address[i].isNull() || name[i].isNull() || contact[i].isNull()) << i;
        EXPECT_GE(name[i].top(), address[i].bottom()) << i;
        EXPECT_GE(contact[i].top(), name[i].bottom()) << i;
        if (i >= 3) {
            EXPECT_GE(address[i].top(), contact[i - 3].bottom()) << i;
        }
    }
    EXPECT_GE(addressLines, 2 * marks.size());   // the addresses did wrap
}

// Labels and lists print in Taiwanese glyph forms; a long name or address wraps inside its
// cell at a readable size, never running under the next cell's text.
TEST_F(MailLabelsTest, ListsAndLabelsOpenInLibreOfficeReadableAndInTaiwaneseForms)
{
    for (int i = 1; i <= 40; ++i)
        addCustomer(u"A%1"_s.arg(i, 3, 10, QChar(u'0')), i == 2 ? u"富邦建設股份有限公司"_s : u"客戶%1"_s.arg(i),
                    {{4, u"臺北市;信義區松仁路一百號二十樓之三"_s}, {18, u"王"_s}});
    const QStringList books{label(1), fillList(1, {u"客戶名稱"_s, u"公司地址"_s, u"連絡人"_s})};
    QTemporaryDir pdf;
    ASSERT_EQ(ConvertWithOffice(books, pdf.path()).toStdString(), "");
    QList<int> pages;
    for (const QString& book : books) {
        const QString file = pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s);
        pages << pdfPages(file);
        const QString fonts = runTool(u"pdffonts"_s, {file});
        EXPECT_TRUE(fonts.contains(u"UMingTW"_s) && !fonts.contains(u"CJKjp"_s) && !fonts.contains(u"CJKsc"_s))
            << fonts.toStdString();
        const std::vector<PdfWord> words = pdfWords(file, 1);
        for (const auto& [box, text] : words) {
            EXPECT_GE(box.height(), 8) << text.toStdString();
            for (const auto& [otherBox, other] : words)   // words of one line never overlap
                EXPECT_FALSE(&otherBox != &box && std::abs(otherBox.top() - box.top()) < 2 && otherBox.intersects(box))
                    << text.toStdString() << " | " << other.toStdString();
        }
    }
    EXPECT_EQ(pages.value(0), 2);
    // One page wide: every page of the list (its rows grow with the wrapped addresses)
    // carries the headings of the first and the last column.
    ASSERT_GE(pages.value(1), 2);
    for (int page = 1; page <= pages.value(1); ++page) {
        const QString text = pdfText(pdf.filePath(QFileInfo(books[1]).completeBaseName() + u".pdf"_s), page);
        EXPECT_TRUE(text.contains(u"客戶名稱"_s) && text.contains(u"連絡人"_s)) << page;
    }
}

} // namespace
} // namespace varn::test
