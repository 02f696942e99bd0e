#include "OutputTestSupport.h"
#include "output/OutputTask.h"
#include "platform/workbook/CellRef.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "records/ListPrinting.h"

#include <QJsonArray>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// Left, top, bottom, right: inside lines give every heading cell its four edges.
const std::string kBoxed = R"(["thin","thin","thin","thin"])";
const std::string kUnbordered = "[null,null,null,null]";

class ListPrintingTest : public OutputFixture {
protected:
    QString templ(const QString& file) const { return dir.filePath(u"Pother/"_s + file); }

    QString fill(int kind, const QStringList& columns)
    {
        const PrintKindInfo* info = FindPrintKind(kind);
        return FillRegisterList(*db, kind, columns, templ(info->templateFile), dir.filePath(u"out"_s));
    }

    static QJsonObject cells(const QJsonObject& book) { return SheetOf(book, 1).value("cells").toObject(); }
    // A cell's value, or one of its properties, as compact JSON ("null" when there is none).
    static std::string json(const QJsonObject& book, const QString& ref, const char* key = "value")
    {
        const QJsonValue v = cells(book).value(ref).toObject().value(QLatin1String(key));
        if (v.isArray())
            return QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact).toStdString();
        return v.isString() ? v.toString().toStdString() : v.isDouble() ? QString::number(v.toDouble()).toStdString() : "null";
    }
};

TEST_F(ListPrintingTest, EachRegisterOffersItsOwnColumnsButNeverTypePasswordOrRights)
{
    struct Case {
        int kind;
        int count;
        QString first;
        QString last;
    };
    for (const Case& c : {Case{1, 34, u"客戶編號"_s, u"備註"_s}, Case{2, 37, u"廠商編號"_s, u"敘述"_s},
                          Case{3, 17, u"員工編號"_s, u"職稱"_s}}) {
        const QStringList columns = PrintableColumns(*db, c.kind);
        EXPECT_EQ(columns.size(), c.count) << c.kind;
        EXPECT_EQ(columns.value(0), c.first) << c.kind;
        EXPECT_EQ(columns.value(columns.size() - 1), c.last) << c.kind;
        for (const QString& hidden : {u"type"_s, u"pass"_s, u"權限"_s})
            EXPECT_FALSE(columns.contains(hidden, Qt::CaseInsensitive)) << c.kind << hidden.toStdString();
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
    EXPECT_EQ(chooser.moveUp(0), Move::AtEnd);
    EXPECT_EQ(chooser.moveDown(2), Move::AtEnd);
    EXPECT_EQ(chooser.moveUp(2), Move::Moved);
    EXPECT_EQ(chooser.moveDown(0), Move::Moved);
    EXPECT_EQ(chooser.chosen(), (QStringList{u"a"_s, u"d"_s, u"b"_s}));
}

TEST_F(ListPrintingTest, RecordsPrintInCodeOrderAsTextWithoutSemicolonsUnderBorderedHeadings)
{
    addCustomer(u"B002"_s, u"Beta"_s, {{4, u"台北市;中山路"_s}, {5, u"104"_s}});
    addCustomer(u"A001"_s, u"Alpha"_s, {{4, u""_s}, {5, u"0800"_s}});
    const QString saved = fill(1, {u"客戶名稱"_s, u"郵遞區號"_s, u"公司地址"_s});
    const QJsonObject book = ReadWithOpenpyxl(saved);
    const std::vector<std::pair<QString, std::string>> expected = {
        {u"A2"_s, "客戶名稱"}, {u"B2"_s, "郵遞區號"}, {u"C2"_s, "公司地址"}, {u"A3"_s, "Alpha"}, {u"B3"_s, "0800"},
        {u"C3"_s, "null"},       {u"A4"_s, "Beta"},       {u"B4"_s, "104"},        {u"C4"_s, "台北市中山路"},
        {u"A5"_s, "null"}};
    for (const auto& [ref, text] : expected)
        EXPECT_EQ(json(book, ref), text) << ref.toStdString();
    EXPECT_EQ(json(book, u"B4"_s, "type"), "s");
    for (const char* ref : {"A2", "B2", "C2"})
        EXPECT_EQ(json(book, QString::fromLatin1(ref), "border"), kBoxed) << ref;
    EXPECT_EQ(json(book, u"A3"_s, "border"), kUnbordered);
    EXPECT_EQ(json(book, u"D2"_s, "border").find("thin"), std::string::npos);
}

TEST_F(ListPrintingTest, EveryHeadingCellIsBorderedForThirtyThirtyEightOrAnEmptyRegister)
{
    addCustomer(u"A001"_s, u"Alpha"_s);
    db->execute(u"ALTER TABLE 廠商 ADD COLUMN 網址 TEXT"_s);
    addVendor(u"A001"_s, u"Acme"_s);
    struct Case {
        int kind;
        int count;
        std::string firstName;
    };
    for (const Case& c : {Case{1, 30, "Alpha"}, Case{2, 38, "Acme"}, Case{3, 2, "null"}}) {
        const QStringList columns = PrintableColumns(*db, c.kind).mid(0, c.count);
        ASSERT_EQ(columns.size(), c.count);
        const QJsonObject book = ReadWithOpenpyxl(fill(c.kind, columns));
        for (int col = 1; col <= c.count; ++col) {
            const QString ref = ColumnLetters(col) + u"2"_s;
            EXPECT_EQ(json(book, ref), columns.at(col - 1).toStdString()) << col;
            EXPECT_EQ(json(book, ref, "border"), kBoxed) << col;
        }
        EXPECT_EQ(json(book, ColumnLetters(c.count + 1) + u"2"_s, "border").find("thin"), std::string::npos) << c.count;
        EXPECT_EQ(json(book, u"B3"_s), c.firstName);
    }
}

TEST_F(ListPrintingTest, OnlyColumnsOfTheTableReachTheStatement)
{
    db->execute(u"INSERT INTO 員工 (員工編號, 中文姓名, pass, 權限) VALUES ('A001', '王', 'secret', 4095)"_s);
    for (const QStringList& columns :
         {QStringList{u"中文姓名"_s, u"pass"_s}, QStringList{u"PASS"_s}, QStringList{u"權限"_s},
          QStringList{u"中文姓名 FROM 員工; DROP TABLE 員工; --"_s}, QStringList{u"客戶名稱"_s}, QStringList{}}) {
        EXPECT_THROW(fill(3, columns), OutputRefused) << columns.join(u',').toStdString();
    }
    EXPECT_EQ(db->openRecordset(u"SELECT count(*) FROM 員工"_s).value(0).toInt(), 1);
    EXPECT_TRUE(QDir(dir.filePath(u"out"_s)).entryList(QDir::Files).isEmpty());
}

TEST_F(ListPrintingTest, PrintSavesANewBookOrTellsWhyNothingWasSaved)
{
    addCustomer(u"A001"_s, u"Alpha"_s);
    const QString saved = PrintRegisterList(1, {u"客戶名稱"_s});
    EXPECT_EQ(QFileInfo(saved).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(u"客戶資料_"_s));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    // Missing template, then a database that is gone: told, nothing saved, nothing busy.
    QFile::remove(templ(u"廠商資料.xlsx"_s));
    EXPECT_TRUE(PrintRegisterList(2, {u"廠商名稱"_s}).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"廠商資料.xlsx"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(prompts.lastMessageTitle(), u"Varn III"_s);
    db->execute(u"DROP TABLE 員工"_s);
    EXPECT_TRUE(PrintRegisterList(3, {u"中文姓名"_s}).isEmpty());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    EXPECT_EQ(BusyScope::depth(), 0);
    EXPECT_EQ(savedBooks(), QStringList{QFileInfo(saved).fileName()});
}

TEST_F(ListPrintingTest, AnOutputBeyondTheLastSheetRowIsRefusedBeforeAnythingIsWritten)
{
    EXPECT_NO_THROW(CheckRowsFit(kMaxRows));
    EXPECT_THROW(CheckRowsFit(qint64(kMaxRows) + 1), OutputRefused);
    const QString saved = DeliverOutput(u"x"_s, [] {
        CheckRowsFit(qint64(kMaxRows) + 5);
        return u"never"_s;
    });
    EXPECT_TRUE(saved.isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"1048581"_s)) << prompts.lastMessageText().toStdString();
}

} // namespace
} // namespace varn::test
