#include "OutputTestSupport.h"
#include "output/OutputTask.h"
#include "platform/workbook/CellRef.h"
#include "platform/workbook/XlsxTestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// Left, top, bottom, right: inside lines give every heading cell its four edges.
const std::string kBoxed = R"(["thin","thin","thin","thin"])";

class ListPrintingTest : public OutputFixture {
protected:
    // A cell's value, or one of its properties, as compact JSON ("null" when there is none).
    static std::string json(const QJsonObject& book, const QString& ref, const char* key = "value")
    {
        const QJsonValue v = SheetOf(book, 1).value("cells").toObject().value(ref).toObject().value(QLatin1String(key));
        if (v.isArray())
            return QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact).toStdString();
        return v.isString() ? v.toString().toStdString() : v.isBool() ? (v.toBool() ? "true" : "false") : "null";
    }
};

TEST_F(ListPrintingTest, EachRegisterOffersItsOwnColumnsButNeverTypePasswordOrRights)
{
    for (int kind : {1, 2, 3}) {
        const QStringList columns = PrintableColumns(*db, kind);
        for (const QString& hidden : {u"type"_s, u"pass"_s, u"權限"_s})
            EXPECT_FALSE(columns.contains(hidden, Qt::CaseInsensitive)) << kind << hidden.toStdString();
    }
    // A column added to a table later is offered.
    db->execute(u"ALTER TABLE 員工 ADD COLUMN 分機 TEXT"_s);
    EXPECT_EQ(PrintableColumns(*db, 3).last(), u"分機"_s);
    EXPECT_THROW(PrintableColumns(*db, 4), OutputRefused);
}

TEST_F(ListPrintingTest, ChooserAddsInListOrderRemovesToTheEndAndMovesWithinBounds)
{
    ColumnChooser chooser;
    chooser.setAvailable({u"a"_s, u"b"_s, u"c"_s, u"d"_s});
    chooser.add({3, 1});   // picked bottom first, added top to bottom
    EXPECT_EQ(chooser.chosen(), (QStringList{u"b"_s, u"d"_s}));
    EXPECT_EQ(chooser.available(), (QStringList{u"a"_s, u"c"_s}));
    chooser.remove(0);
    EXPECT_EQ(chooser.available(), (QStringList{u"a"_s, u"c"_s, u"b"_s}));
    chooser.add({2});
    chooser.add({0});
    EXPECT_EQ(chooser.chosen(), (QStringList{u"d"_s, u"b"_s, u"a"_s}));

    using Move = ColumnChooser::Move;
    EXPECT_EQ((std::vector{chooser.moveUp(0), chooser.moveDown(2), chooser.moveUp(2), chooser.moveDown(0)}),
              (std::vector{Move::AtEnd, Move::AtEnd, Move::Moved, Move::Moved}));
    EXPECT_EQ(chooser.chosen(), (QStringList{u"a"_s, u"d"_s, u"b"_s}));
}

// Records in code order as text without semicolons; headings in row 2, bold and boxed over
// exactly the chosen columns, also for 30, 38 (a column added later) or an empty register.
TEST_F(ListPrintingTest, RecordsPrintInCodeOrderUnderBorderedHeadingsOfEveryChosenColumn)
{
    addCustomer(u"B002"_s, u"Beta"_s, {{4, u"台北市;中山路"_s}, {5, u"104"_s}});
    addCustomer(u"A001"_s, u"Alpha"_s, {{4, u""_s}, {5, u"0800"_s}});
    const QJsonObject book = ReadWithOpenpyxl(fillList(1, {u"客戶名稱"_s, u"郵遞區號"_s, u"公司地址"_s}));
    std::string printed;
    for (const char* ref : {"A2", "B2", "C2", "A3", "B3", "C3", "A4", "B4", "C4", "A5"})
        printed += json(book, QString::fromLatin1(ref)) + "|";
    EXPECT_EQ(printed, "客戶名稱|郵遞區號|公司地址|Alpha|0800|null|Beta|104|台北市中山路|null|");
    EXPECT_EQ(json(book, u"B4"_s, "type") + json(book, u"A2"_s, "bold") + json(book, u"A3"_s, "border"),
              "strue[null,null,null,null]");

    db->execute(u"ALTER TABLE 廠商 ADD COLUMN 網址 TEXT"_s);
    db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱) VALUES ('A001', 'Acme')"_s);
    for (const auto& [kind, count, firstName] :
         {std::tuple{1, 30, "Alpha"}, std::tuple{2, 38, "Acme"}, std::tuple{3, 2, "null"}}) {
        const QStringList columns = PrintableColumns(*db, kind).mid(0, count);
        const QJsonObject wide = ReadWithOpenpyxl(fillList(kind, columns));
        for (int col = 1; col <= count; ++col) {
            EXPECT_EQ(json(wide, ColumnLetters(col) + u"2"_s), columns.at(col - 1).toStdString()) << col;
            EXPECT_EQ(json(wide, ColumnLetters(col) + u"2"_s, "border"), kBoxed) << col;
        }
        EXPECT_EQ(json(wide, ColumnLetters(count + 1) + u"2"_s, "border").find("thin"), std::string::npos) << count;
        EXPECT_EQ(json(wide, u"B3"_s), firstName);
    }
}

// Telephone and fax numbers print as the register page shows them, area code and number
// apart, in every register; an area code without its number prints nothing. Addresses keep
// their county and street joined.
TEST_F(ListPrintingTest, TelephoneNumbersPrintAsThePageShowsThemAndAnAreaCodeAloneNotAtAll)
{
    addCustomer(u"A001"_s, u"Alpha"_s,
                {{4, u"台北市;中山路"_s}, {9, u"02;27751234"_s}, {11, u"02;"_s}, {14, u";27751234"_s}, {15, u"0912;345678"_s}});
    db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱, 電話1, 公司傳真) VALUES ('A001', 'Acme', '04;22334455', '04;')"_s);
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名, 地址, 住家電話, 緊急連絡人電話) "
                "VALUES ('A001', '王', '新北市;板橋區', '02;29595959', ';')"_s);
    std::string printed;
    for (const auto& [kind, columns] :
         {std::pair{1, QStringList{u"公司地址"_s, u"電話1"_s, u"公司傳真"_s, u"負責人公司電話"_s, u"負責人大哥大"_s}},
          std::pair{2, QStringList{u"電話1"_s, u"公司傳真"_s}},
          std::pair{3, QStringList{u"地址"_s, u"住家電話"_s, u"緊急連絡人電話"_s}}}) {
        const QJsonObject book = ReadWithOpenpyxl(fillList(kind, columns));
        for (int col = 1; col <= columns.size(); ++col)
            printed += json(book, ColumnLetters(col) + u"3"_s) + "|";
        printed += "\n";
    }
    EXPECT_EQ(printed, "台北市中山路|02 27751234|null|27751234|0912345678|\n"
                       "04 22334455|null|\n"
                       "新北市板橋區|02 29595959|null|\n");
}

// A long address wraps in its cell and its row grows to hold it, in LibreOffice's PDF as
// on screen: no two words overlap, the headings stand above every record and each record
// below the one before it.
TEST_F(ListPrintingTest, WrappedCellsGrowTheirRowsInLibreOfficesPdf)
{
    const QString marks = u"甲乙丙丁戊己庚辛壬癸"_s;   // every word of a record holds its mark
    for (int i = 0; i < marks.size(); ++i)
        addCustomer(u"A%1"_s.arg(i, 3, 10, QChar(u'0')), u"客戶"_s + marks[i],
                    {{4, u"臺北市;"_s + QString(30 + 6 * (i % 3), marks[i])}, {9, u"02;2775123%1"_s.arg(i)}});
    const QString book = fillList(1, {u"客戶名稱"_s, u"公司地址"_s, u"電話1"_s});
    QTemporaryDir pdf;
    ASSERT_EQ(ConvertWithOffice({book}, pdf.path()).toStdString(), "");
    const QString file = pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s);
    EXPECT_EQ(pdfPages(file), 2);   // ten grown records: seven on the first page
    int seen = 0, addressLines = 0;
    for (int page = 1; page <= pdfPages(file); ++page) {
        const std::vector<PdfWord> words = pdfWords(file, page);
        // poppler's boxes reach into the lines above and below; their middles hold the glyphs.
        const auto middle = [](const QRectF& b) { return b.adjusted(0, b.height() / 5, 0, -b.height() / 5); };
        for (const auto& [box, text] : words)
            for (const auto& [otherBox, other] : words)
                EXPECT_FALSE(&otherBox != &box && middle(box).intersects(middle(otherBox)))
                    << text.toStdString() << " | " << other.toStdString();
        double above = 0;   // the bottom of the headings, then of the record before
        for (const auto& [box, text] : words)
            if (text == u"公司地址"_s)
                above = box.bottom();
        for (const QChar mark : marks) {
            QRectF span;
            for (const auto& [box, text] : words)
                if (text.contains(mark)) {
                    span = span.isNull() ? box : span.united(box);
                    addressLines += text.startsWith(mark) ? 1 : 0;
                }
            if (span.isNull())
                continue;
            ++seen;
            EXPECT_GE(span.top(), above - 0.5) << QString(mark).toStdString() << " page " << page;
            above = span.bottom();
        }
    }
    EXPECT_EQ(seen, marks.size());
    EXPECT_GE(addressLines, 2 * marks.size());   // the addresses did wrap
}

TEST_F(ListPrintingTest, OnlyColumnsOfTheTableReachTheStatement)
{
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名, pass, 權限) VALUES ('A001', '王', 'secret', 4095)"_s);
    for (const QStringList& columns :
         {QStringList{u"中文姓名"_s, u"pass"_s}, QStringList{u"PASS"_s}, QStringList{u"權限"_s},
          QStringList{u"中文姓名 FROM 員工; DROP TABLE 員工; --"_s}, QStringList{u"客戶名稱"_s}, QStringList{}}) {
        EXPECT_THROW(fillList(3, columns), OutputRefused) << columns.join(u',').toStdString();
    }
    EXPECT_EQ(db->openRecordset(u"SELECT count(*) FROM 員工"_s).value(0).toInt(), 1);
    EXPECT_TRUE(QDir(dir.filePath(u"out"_s)).entryList(QDir::Files).isEmpty());
}

// A missing template, a database that is gone, an output past the last sheet row: the user
// is told, nothing is saved, nothing stays busy.
TEST_F(ListPrintingTest, APrintThatFailsTellsWhyAndSavesNothing)
{
    QFile::remove(templ(u"廠商資料.xlsx"_s));
    EXPECT_TRUE(PrintRegisterList(2, {u"廠商名稱"_s}).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"廠商資料.xlsx"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(prompts.lastMessageTitle(), u"Varn III"_s);
    db->execute(u"DROP TABLE 員工"_s);
    EXPECT_TRUE(PrintRegisterList(3, {u"中文姓名"_s}).isEmpty());
    EXPECT_NO_THROW(CheckRowsFit(kMaxRows));
    EXPECT_TRUE(DeliverOutput(u"x"_s, [] {
                    CheckRowsFit(qint64(kMaxRows) + 5);
                    return u"never"_s;
                }).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"1048581"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(BusyScope::depth(), 0);
    EXPECT_TRUE(savedBooks().isEmpty());
}

} // namespace
} // namespace varn::test
