#include "lexicon/exports/LexiconExports.h"
#include "output/OutputTask.h"
#include "platform/db/Database.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/ScriptedPrompter.h"
#include "platform/workbook/Workbook.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "support/OfficeConvert.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

const std::vector<LexiconExport> kAll = {LexiconExport::LookupLists, LexiconExport::Categories,
                                         LexiconExport::WorkTypes, LexiconExport::Details};

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
        for (LexiconExport which : kAll) {
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

    void addWorkItem(const QString& type, const QString& item, int sort, const QVariant& cost = 0,
                     const QVariant& ratio = 1)
    {
        db->execute(u"INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, '式', ?, ?)"_s, {type, item, sort, cost, ratio});
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    ScriptedPrompter prompts;
    ScopedPrompter scope{prompts};
};

using Cells = std::map<std::string, std::string>;

TEST_F(LexiconExportsTest, CategoriesStandInPairsOfColumnsWithTheirAreasBelow)
{
    db->execute(u"INSERT INTO 別 (k_id, k) VALUES (1, '住宅'), (2, '店面')"_s);
    db->execute(u"INSERT INTO k2a (k, a, sort) VALUES ('店面', '騎樓', 3), ('住宅', '客廳', 1), ('店面', '賣場', 1),"
                " ('住宅', '臥室', 2), ('店面', '倉庫', 2)"_s);
    EXPECT_EQ(values(ReadWithOpenpyxl(fill(LexiconExport::Categories))),
              (Cells{{"A1", "\"工程類別及區域\""}, {"A3", "\"住宅：\""}, {"B3", "\"客廳\""}, {"B4", "\"臥室\""},
                     {"C3", "\"店面：\""}, {"D3", "\"賣場\""}, {"D4", "\"倉庫\""}, {"D5", "\"騎樓\""}}));
}

TEST_F(LexiconExportsTest, WorkTypesListTheirItemsWithNumbersAsNumbers)
{
    db->execute(u"INSERT INTO 種 (t_id, t) VALUES (1, '木作'), (2, '油漆')"_s);
    addWorkItem(u"油漆"_s, u"水泥漆"_s, 1, 180, 1.3);
    addWorkItem(u"木作"_s, u"天花板"_s, 1, 1200, 1.35);
    addWorkItem(u"油漆"_s, u"批土"_s, 2, 95.5, 1);
    addWorkItem(u"木作"_s, u"隔間"_s, 2, 2400, 1.2);
    const QJsonObject book = ReadWithOpenpyxl(fill(LexiconExport::WorkTypes));
    Cells expected{{"A1", "\"工程種類列表：\""}, {"A3", "\"木作：\""}, {"A5", "\"油漆：\""}};
    const char* rows[4][4] = {{"天花板", "式", "1200", "1.35"}, {"隔間", "式", "2400", "1.2"},
                              {"水泥漆", "式", "180", "1.3"}, {"批土", "式", "95.5", "1"}};
    for (int r = 0; r < 4; ++r) {
        const std::string n = std::to_string(r + 3);
        expected["B" + n] = std::string("\"") + rows[r][0] + "\"";
        expected["C" + n] = std::string("\"") + rows[r][1] + "\"";
        expected["D" + n] = rows[r][2];
        expected["E" + n] = rows[r][3];
    }
    // The template's own headings in row 2 stay.
    Cells got = values(book);
    for (const char* heading : {"A2", "B2", "C2", "D2", "E2"})
        got.erase(heading);
    EXPECT_EQ(got, expected);
    EXPECT_EQ(SheetOf(book, 1).value("cells").toObject().value("D3").toObject().value("type"), u"n"_s);
}

TEST_F(LexiconExportsTest, DetailsHeadTheirGroupOnceAndASharedItemUnderEachWorkType)
{
    db->execute(u"INSERT INTO 種 (t_id, t) VALUES (1, '木作'), (2, '油漆')"_s);
    addWorkItem(u"木作"_s, u"天花板"_s, 1);
    addWorkItem(u"油漆"_s, u"天花板"_s, 1);   // one work item under two work types
    addWorkItem(u"油漆"_s, u"牆面"_s, 2);
    db->execute(u"INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '角材', 1.1, 1), ('天花板', '矽酸鈣板', 1.25, 2),"
                " ('天花板', '收邊', 2, 3), ('牆面', '批土', 1.05, 1)"_s);
    Cells got = values(ReadWithOpenpyxl(fill(LexiconExport::Details)));
    for (const char* heading : {"A1", "A2", "B2", "C2", "D2"})
        got.erase(heading);
    EXPECT_EQ(got, (Cells{{"A3", "\"木作：\""},  {"B3", "\"天花板：\""}, {"C3", "\"角材\""},     {"D3", "1.1"},
                          {"C4", "\"矽酸鈣板\""}, {"D4", "1.25"},       {"C5", "\"收邊\""},     {"D5", "2"},
                          {"A6", "\"油漆：\""},  {"B6", "\"天花板：\""}, {"C6", "\"角材\""},     {"D6", "1.1"},
                          {"C7", "\"矽酸鈣板\""}, {"D7", "1.25"},       {"C8", "\"收邊\""},     {"D8", "2"},
                          {"A9", "\"油漆：\""},  {"B9", "\"牆面：\""},   {"C9", "\"批土\""},     {"D9", "1.05"}}));
}

TEST_F(LexiconExportsTest, LookupListsStandSideBySideFromRowThreeWhateverTheirLengths)
{
    db->execute(u"INSERT INTO u (sort, u) VALUES (2, '坪'), (1, '式'), (3, '才')"_s);
    db->execute(u"INSERT INTO 行業 (sort, 行) VALUES (1, '餐飲')"_s);
    db->execute(u"INSERT INTO 工班 (w_id, 工班) VALUES (1, '水電'), (2, '木工')"_s);
    db->execute(u"INSERT INTO Qps (sort, ps) VALUES (1, '含運費')"_s);
    db->execute(u"INSERT INTO sc (sort, sc) VALUES (1, 1.2)"_s);   // the ratio list is not exported
    Cells got = values(ReadWithOpenpyxl(fill(LexiconExport::LookupLists)));
    for (auto it = got.begin(); it != got.end();)
        it = (it->first.size() == 2 && (it->first[1] == '1' || it->first[1] == '2')) ? got.erase(it) : std::next(it);
    EXPECT_EQ(got, (Cells{{"A3", "\"式\""},  {"A4", "\"坪\""},   {"A5", "\"才\""}, {"B3", "\"餐飲\""},
                          {"G3", "\"水電\""}, {"G4", "\"木工\""}, {"L3", "\"含運費\""}}));
}

TEST_F(LexiconExportsTest, RowsPastThe16BitCountAreWritten)
{
    db->execute(u"INSERT INTO 種 (t_id, t) VALUES (1, '木作')"_s);
    Transaction t(*db);
    for (int i = 1; i <= 33000; ++i)
        addWorkItem(u"木作"_s, u"項目%1"_s.arg(i), i, i, 1.5);
    t.commit();
    Workbook book = Workbook::open(fill(LexiconExport::WorkTypes));
    EXPECT_EQ(book.worksheet(1).text(33002, 2), u"項目33000"_s);
    EXPECT_EQ(book.worksheet(1).text(33002, 4), u"33000"_s);
    EXPECT_EQ(book.worksheet(1).text(33003, 2), QString());
}

TEST_F(LexiconExportsTest, EmptyQueriesWriteNoHeadingButTheWorkTypeTitle)
{
    for (LexiconExport which : {LexiconExport::Categories, LexiconExport::Details, LexiconExport::LookupLists}) {
        Workbook book = Workbook::open(fill(which));
        EXPECT_FALSE(book.worksheet(1).hasValue(3, 1)) << LexiconExportName(which).toStdString();
    }
    Workbook types = Workbook::open(fill(LexiconExport::WorkTypes));
    EXPECT_EQ(types.worksheet(1).text(1, 1), u"工程種類列表："_s);
    EXPECT_FALSE(types.worksheet(1).hasValue(3, 1));
}

TEST_F(LexiconExportsTest, PrintTellsAMissingTemplateOrABrokenDatabaseAndLeavesNothing)
{
    const QString saved = PrintLexiconExport(LexiconExport::Categories);
    EXPECT_TRUE(QFileInfo(saved).fileName().startsWith(u"工程類別_"_s)) << saved.toStdString();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);

    QFile::remove(dir.filePath(u"Pother/細項加成.xlsx"_s));
    EXPECT_TRUE(PrintLexiconExport(LexiconExport::Details).isEmpty());
    EXPECT_TRUE(prompts.lastMessageText().contains(u"細項加成.xlsx"_s)) << prompts.lastMessageText().toStdString();
    db->execute(u"DROP VIEW Pt2w"_s);
    EXPECT_TRUE(PrintLexiconExport(LexiconExport::WorkTypes).isEmpty());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
    EXPECT_EQ(prompts.lastMessageTitle(), u"Varn III"_s);
    EXPECT_EQ(BusyScope::depth(), 0);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.xlsx"_s}, QDir::Files), QStringList{QFileInfo(saved).fileName()});
}

TEST_F(LexiconExportsTest, EveryExportOpensInLibreOffice)
{
    db->execute(u"INSERT INTO 別 (k_id, k) VALUES (1, '住宅')"_s);
    db->execute(u"INSERT INTO k2a (k, a, sort) VALUES ('住宅', '客廳', 1)"_s);
    db->execute(u"INSERT INTO 種 (t_id, t) VALUES (1, '木作')"_s);
    addWorkItem(u"木作"_s, u"天花板"_s, 1, 1200, 1.35);
    db->execute(u"INSERT INTO w2d (w, d, c, sort) VALUES ('天花板', '角材', 1.1, 1)"_s);
    db->execute(u"INSERT INTO u (sort, u) VALUES (1, '式')"_s);
    QStringList books;
    for (LexiconExport which : kAll)
        books << fill(which);
    QTemporaryDir pdf;
    EXPECT_EQ(ConvertWithOffice(books, pdf.path()).toStdString(), "");
    for (const QString& book : books)   // small lists print on one page, one page wide
        EXPECT_EQ(pdfPages(pdf.filePath(QFileInfo(book).completeBaseName() + u".pdf"_s)), 1) << book.toStdString();
}

} // namespace
} // namespace varn::test
