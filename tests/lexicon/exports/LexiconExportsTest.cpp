#include "lexicon/exports/LexiconExports.h"
#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "platform/workbook/Workbook.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "support/FileFaults.h"
#include "support/OfficeConvert.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// An empty main database, the program folder with the lexicon templates, and a spreadsheet
// program that opens nothing.
class LexiconExportsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        db = Database::create(dir.filePath(u"varn3.mdb"_s), {}, MainSchemaSql());
        state().m.gDb = db;
        state().programFolder = dir.path();
        qputenv("VARN_SPREADSHEET", "/bin/true");
        QDir(dir.path()).mkdir(u"Pother"_s);
        for (LexiconExport which : {LexiconExport::LookupLists, LexiconExport::Categories, LexiconExport::WorkTypes,
                                    LexiconExport::Details}) {
            const QString file = LexiconExportTemplate(which);
            ASSERT_TRUE(QFile::copy(QStringLiteral(VARN_BINARY_DIR "/templates/Pother/") + file,
                                    dir.filePath(u"Pother/"_s + file)))
                << "the build writes the templates: " << file.toStdString();
        }
    }

    void TearDown() override { ProgramState::reset(); }

    QString fill(LexiconExport which)
    {
        return FillLexiconExport(*db, which, dir.filePath(u"Pother/"_s + LexiconExportTemplate(which)),
                                 dir.filePath(u"out"_s));
    }

    // Every cell that holds a value: reference -> value, texts quoted ("\"甲：\""), numbers bare.
    static std::map<std::string, std::string> values(const QJsonObject& book)
    {
        std::map<std::string, std::string> out;
        const QJsonObject cells = SheetOf(book, 1).value("cells").toObject();
        for (auto it = cells.begin(); it != cells.end(); ++it) {
            const QJsonValue v = it.value().toObject().value("value");
            if (v.isString())
                out[it.key().toStdString()] = "\"" + v.toString().toStdString() + "\"";
            else if (v.isDouble())
                out[it.key().toStdString()] = QString::number(v.toDouble()).toStdString();
        }
        return out;
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    ScriptedPrompter prompts;
    ScopedPrompter scope{prompts};
};

using Cells = std::map<std::string, std::string>;

TEST_F(LexiconExportsTest, EachExportLaysTheLexiconOutBelowTheTemplateHeadingsOpensInLibreOfficeAndPrints)
{
    // Two categories, two work types sharing 天花板, details and lookup lists, each stored out of order.
    for (const char* statement : {
             "INSERT INTO 別 (k_id, k) VALUES (1, '住宅'), (2, '店面')",
             "INSERT INTO k2a (k, a, sort) VALUES ('店面', '騎樓', 3), ('住宅', '客廳', 1), ('店面', '賣場', 1),"
             " ('住宅', '臥室', 2), ('店面', '倉庫', 2)",
             "INSERT INTO 種 (t_id, t) VALUES (1, '木作'), (2, '油漆')",
             "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('油漆', '水泥漆', 1, '式', 180, 1.3),"
             " ('木作', '天花板', 1, '式', 1200, 1.35), ('油漆', '批土', 2, '式', 95.5, 1),"
             " ('木作', '隔間', 2, '式', 2400, 1.2), ('油漆', '天花板', 3, '式', 0, 1)",
             "INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '角材', 1.1, 1), ('天花板', '矽酸鈣板', 1.25, 2),"
             " ('天花板', '收邊', 2, 3), ('批土', '補土', 1.05, 1)",
             "INSERT INTO u (sort, u) VALUES (2, '坪'), (1, '式'), (3, '才')",
             "INSERT INTO 行業 (sort, 行) VALUES (1, '餐飲')",
             "INSERT INTO 工班 (w_id, 工班) VALUES (1, '水電'), (2, '木工')",
             "INSERT INTO Qps (sort, ps) VALUES (1, '含運費')",
             "INSERT INTO sc (sort, sc) VALUES (1, 1.2)"})   // the ratio list is not exported
        db->execute(QString::fromUtf8(statement));
    const std::pair<LexiconExport, Cells> cases[] = {
        {LexiconExport::Categories,
         {{"A3", "\"住宅：\""}, {"B3", "\"客廳\""}, {"B4", "\"臥室\""}, {"C3", "\"店面：\""}, {"D3", "\"賣場\""},
          {"D4", "\"倉庫\""}, {"D5", "\"騎樓\""}}},
        {LexiconExport::WorkTypes,   // numbers stay numbers
         {{"A3", "\"木作：\""}, {"B3", "\"天花板\""}, {"C3", "\"式\""}, {"D3", "1200"}, {"E3", "1.35"},
          {"B4", "\"隔間\""}, {"C4", "\"式\""}, {"D4", "2400"}, {"E4", "1.2"},
          {"A5", "\"油漆：\""}, {"B5", "\"水泥漆\""}, {"C5", "\"式\""}, {"D5", "180"}, {"E5", "1.3"},
          {"B6", "\"批土\""}, {"C6", "\"式\""}, {"D6", "95.5"}, {"E6", "1"},
          {"B7", "\"天花板\""}, {"C7", "\"式\""}, {"D7", "0"}, {"E7", "1"}}},
        {LexiconExport::Details,     // a work item heads its group once, under each of its work types
         {{"A3", "\"木作：\""}, {"B3", "\"天花板：\""}, {"C3", "\"角材\""}, {"D3", "1.1"},
          {"C4", "\"矽酸鈣板\""}, {"D4", "1.25"}, {"C5", "\"收邊\""}, {"D5", "2"},
          {"A6", "\"油漆：\""}, {"B6", "\"批土：\""}, {"C6", "\"補土\""}, {"D6", "1.05"},
          {"A7", "\"油漆：\""}, {"B7", "\"天花板：\""}, {"C7", "\"角材\""}, {"D7", "1.1"},
          {"C8", "\"矽酸鈣板\""}, {"D8", "1.25"}, {"C9", "\"收邊\""}, {"D9", "2"}}},
        {LexiconExport::LookupLists, // side by side from row 3, whatever their lengths
         {{"A3", "\"式\""}, {"A4", "\"坪\""}, {"A5", "\"才\""}, {"B3", "\"餐飲\""}, {"G3", "\"水電\""},
          {"G4", "\"木工\""}, {"L3", "\"含運費\""}}},
    };
    QStringList books;
    for (const auto& [which, expected] : cases) {
        books << fill(which);
        Cells got = values(ReadWithOpenpyxl(books.last()));
        std::erase_if(got, [](const auto& cell) { return std::stoi(cell.first.substr(cell.first.find_first_of("0123456789"))) <= 2; });
        EXPECT_EQ(got, expected) << LexiconExportName(which).toStdString();
    }
    QTemporaryDir pdf;
    EXPECT_EQ(ConvertWithOffice(books, pdf.path()).toStdString(), "");
    for (const QString& book : books)   // small lists print on one page, one page wide
        EXPECT_EQ(pdfPages(pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s)), 1) << book.toStdString();
    // 列印 saves into the output folder and says nothing.
    const QString saved = PrintLexiconExport(LexiconExport::Categories);
    EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(u"工程類別_"_s)) << saved.toStdString();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.xlsx"_s}, QDir::Files), QStringList{QFileInfo(saved).fileName()});
}

// The same work item last under one work type and first under the next: each group keeps
// both headings, though the item's name does not change between them.
TEST_F(LexiconExportsTest, AWorkItemUnderTwoWorkTypesInARowIsHeadedUnderEach)
{
    for (const char* statement : {
             "INSERT INTO 種 (t_id, t) VALUES (1, '木作'), (2, '油漆')",
             "INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', '隔間', 1, '式', 1, 1),"
             " ('木作', '天花板', 2, '式', 1, 1), ('油漆', '天花板', 1, '式', 1, 1)",
             "INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '角材', 1.1, 1), ('天花板', '收邊', 2, 2)"})
        db->execute(QString::fromUtf8(statement));
    Workbook book = Workbook::open(fill(LexiconExport::Details));
    const Worksheet& sheet = book.worksheet(1);
    QStringList rows;
    for (int row = 3; row <= 7; ++row) {
        QStringList cells;
        for (int col = 1; col <= 4; ++col)
            cells << sheet.text(row, col);
        rows << cells.join(u'|');
    }
    EXPECT_EQ(rows.join(u'\n').toStdString(), "木作：|天花板：|角材|1.1\n||收邊|2\n油漆：|天花板：|角材|1.1\n||收邊|2\n|||");
}

// The user's output folder cannot be made: 列印 says why in words and saves nothing.
TEST_F(LexiconExportsTest, AnOutputFolderThatCannotBeMadeIsSaidInWords)
{
    state().m.gUserName = u"張三"_s;
    QFile blocker(dir.filePath(u"張三"_s));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(PrintLexiconExport(LexiconExport::Categories), QString());
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().startsWith(u"無法建立資料夾"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_TRUE(SaysInChinese(prompts.lastMessageText(), u"同名"_s));
}

TEST_F(LexiconExportsTest, RowsPastThe16BitCountAreWritten)
{
    db->execute(u"INSERT INTO 種 (t_id, t) VALUES (1, '木作')"_s);
    Transaction t(*db);
    for (int i = 1; i <= 33000; ++i)
        db->execute(u"INSERT INTO t2w (t, w, sort, u, c, s) VALUES ('木作', ?, ?, '式', ?, 1.5)"_s,
                    {u"項目%1"_s.arg(i), i, i});
    t.commit();
    Workbook book = Workbook::open(fill(LexiconExport::WorkTypes));
    EXPECT_EQ(book.worksheet(1).text(33002, 2), u"項目33000"_s);
    EXPECT_EQ(book.worksheet(1).text(33002, 4), u"33000"_s);
    EXPECT_EQ(book.worksheet(1).text(33003, 2), QString());
}

} // namespace
} // namespace varn::test
