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

// Every register output opens in the spreadsheet program the workbooks are made for.
TEST_F(MailLabelsTest, ListsAndLabelsOpenInLibreOffice)
{
    for (int i = 1; i <= 40; ++i)
        addCustomer(u"A%1"_s.arg(i, 3, 10, QChar(u'0')), u"客戶%1"_s.arg(i), {{4, u"台北市;中山路"_s}, {18, u"王"_s}});
    addVendor(u"A001"_s, u"Acme"_s);
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名) VALUES ('A001', '王小明')"_s);
    QStringList books{label(1)};
    for (int kind = 1; kind <= 3; ++kind) {
        const PrintKindInfo* info = FindPrintKind(kind);
        books << FillRegisterList(*db, kind, PrintableColumns(*db, kind), dir.filePath(u"Pother/"_s + info->templateFile),
                                  dir.filePath(u"out"_s));
    }
    QTemporaryDir pdf;
    EXPECT_EQ(ConvertWithOffice(books, pdf.path()).toStdString(), "");
    // One page wide: forty customers' labels on two pages, each list on one.
    QList<int> pages;
    for (const QString& book : books)
        pages << pdfPages(pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s));
    EXPECT_EQ(pages, (QList<int>{2, 1, 1, 1}));
}

} // namespace
} // namespace varn::test
