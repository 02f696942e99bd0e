#include "OutputTestSupport.h"
#include "output/OutputTask.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "records/ListPrinting.h"
#include "records/MailLabels.h"
#include "support/OfficeConvert.h"

#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

class MailLabelsTest : public OutputFixture {
protected:
    QString label(int kind)
    {
        return FillMailLabels(*db, kind, dir.filePath(u"Pother/Label.xlsx"_s), dir.filePath(u"out"_s));
    }

    static QJsonValue value(const QJsonObject& book, const QString& ref)
    {
        return SheetOf(book, 1).value("cells").toObject().value(ref).toObject().value("value");
    }
};

TEST_F(MailLabelsTest, SevenLabelsStandThreeAcrossInBlocksOfFiveRows)
{
    for (int i = 7; i >= 1; --i)   // stored out of code order
        addCustomer(u"C00%1"_s.arg(i), u"客戶%1"_s.arg(i),
                    {{4, u"台北市;中山路%1號"_s.arg(i)}, {5, u"10%1"_s.arg(i)}, {18, i == 7 ? QString() : u"王%1"_s.arg(i)}});
    const QJsonObject book = ReadWithOpenpyxl(label(1));
    for (int k = 0; k < 7; ++k) {
        const QString column = QString(QChar(u'A' + k % 3));
        const int row = 2 + 5 * (k / 3);
        const int n = k + 1;
        const QString contact = n == 7 ? QString() : u"王%1"_s.arg(n);
        const QStringList lines{u"10%1"_s.arg(n), u"台北市中山路%1號"_s.arg(n), u"    客戶%1"_s.arg(n),
                                contact + u"  君 啟     C00%1"_s.arg(n)};
        for (int line = 0; line < 4; ++line)
            EXPECT_EQ(value(book, column + QString::number(row + line)).toString(), lines[line])
                << (column + QString::number(row + line)).toStdString();
    }
    for (const char* ref : {"A6", "B6", "C6", "A11", "B11", "C11", "A16", "B12", "C12", "B15", "A17"})
        EXPECT_TRUE(value(book, QString::fromLatin1(ref)).isUndefined() || value(book, QString::fromLatin1(ref)).isNull())
            << ref;
    EXPECT_EQ(value(book, u"A15"_s).toString(), u"  君 啟     C007"_s);
}

TEST_F(MailLabelsTest, VendorLabelsAnEmptyRegisterAndNoEmployeeLabels)
{
    addVendor(u"A001"_s, u"Acme"_s, {{4, u"新北市;板橋區"_s}, {17, u"林"_s}});
    const QJsonObject book = ReadWithOpenpyxl(label(2));
    EXPECT_EQ(value(book, u"A3"_s).toString(), u"新北市板橋區"_s);
    EXPECT_EQ(value(book, u"A5"_s).toString(), u"林  君 啟     A001"_s);

    const QJsonObject empty = ReadWithOpenpyxl(label(1));
    for (const QJsonValue cell : SheetOf(empty, 1).value("cells").toObject())
        EXPECT_TRUE(cell.toObject().value("value").isNull());
    EXPECT_THROW(label(3), OutputRefused);
}

TEST_F(MailLabelsTest, ThePrintCommandUsesThePrintKind)
{
    addCustomer(u"A001"_s, u"Alpha"_s);
    state().m.gPrintKind = 1;
    const QString saved = PrintMailLabels();
    EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(u"Label_"_s)) << saved.toStdString();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
}

// Every register output opens in the spreadsheet program the workbooks are made for, in
// Taiwanese glyph forms, with long names and addresses whole and readable in their own cell.
TEST_F(MailLabelsTest, ListsAndLabelsOpenInLibreOfficeReadableAndInTaiwaneseForms)
{
    const QString name = u"富邦建設股份有限公司"_s, street = u"信義區松仁路一百號二十樓之三"_s;
    for (int i = 1; i <= 40; ++i)
        addCustomer(u"A%1"_s.arg(i, 3, 10, QChar(u'0')), i == 2 ? name : u"客戶%1"_s.arg(i),
                    {{4, u"臺北市;"_s + street}, {18, u"王"_s}});
    addVendor(u"A001"_s, u"Acme"_s);
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名) VALUES ('A001', '王小明')"_s);
    QStringList books{label(1)};
    for (int kind = 1; kind <= 3; ++kind) {
        const PrintKindInfo* info = FindPrintKind(kind);
        books << FillRegisterList(*db, kind, PrintableColumns(*db, kind), dir.filePath(u"Pother/"_s + info->templateFile),
                                  dir.filePath(u"out"_s));
    }
    books << FillRegisterList(*db, 1, {u"客戶名稱"_s, u"公司地址"_s, u"連絡人"_s}, dir.filePath(u"Pother/客戶資料.xlsx"_s),
                              dir.filePath(u"out"_s));
    QTemporaryDir pdf;
    ASSERT_EQ(ConvertWithOffice(books, pdf.path()).toStdString(), "");
    QStringList pdfs;
    for (const QString& book : books)
        pdfs << pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s);
    // One page wide: forty customers' labels on two pages, each full list on one.
    QList<int> pages;
    for (const QString& file : pdfs) {
        pages << pdfPages(file);
        const QString fonts = pdfTool(u"pdffonts"_s, {file});
        EXPECT_TRUE(fonts.contains(u"UMingTW"_s)) << fonts.toStdString();
        EXPECT_FALSE(fonts.contains(u"CJKjp"_s) || fonts.contains(u"CJKsc"_s)) << fonts.toStdString();
    }
    EXPECT_EQ(pages, (QList<int>{2, 1, 1, 1, 2}));

    // In the labels and the three-column list, the words of each column stay left of the next
    // column (found from words that start a cell), are at least 8 pt high, and read top to
    // bottom as the whole text.
    const std::vector<std::pair<QString, QStringList>> readable = {
        {pdfs.first(), {u"王"_s, u"臺北市"_s}}, {pdfs.last(), {u"王"_s, u"臺北市"_s, u"客戶1"_s}}};
    for (const auto& [file, cellStarts] : readable) {
        const QList<PdfWord> words = pdfWords(file);
        QList<double> columnStarts;
        for (const PdfWord& w : words) {
            const bool starts = std::any_of(cellStarts.begin(), cellStarts.end(), [&](const QString& t) {
                return w.text.startsWith(t) && (t != u"客戶1"_s || w.text == t);
            });
            if (starts && std::none_of(columnStarts.begin(), columnStarts.end(), [&](double x) { return std::abs(x - w.xMin) < 2; }))
                columnStarts << w.xMin;
        }
        std::sort(columnStarts.begin(), columnStarts.end());
        ASSERT_EQ(columnStarts.size(), 3) << file.toStdString();
        QStringList columnText(3);
        for (const PdfWord& w : words) {
            const auto column = std::upper_bound(columnStarts.begin(), columnStarts.end(), w.xMin + 1) - columnStarts.begin() - 1;
            if (column < 0)
                continue;
            if (column < 2) {
                EXPECT_LT(w.xMax, columnStarts[column + 1]) << w.text.toStdString();
            }
            EXPECT_GE(w.yMax - w.yMin, 8) << w.text.toStdString();
            columnText[column] += w.text;
        }
        EXPECT_TRUE(columnText.join(QString()).contains(name)) << file.toStdString();
        EXPECT_TRUE(columnText.join(QString()).contains(u"臺北市"_s + street)) << file.toStdString();
    }
}

} // namespace
} // namespace varn::test
