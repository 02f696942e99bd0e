#include "ReportTestSupport.h"

#include "platform/db/Database.h"
#include "platform/report/Report.h"
#include "platform/report/ReportResources.h"

#include <QFile>
#include <QRectF>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace varn;
using namespace varn::test;

namespace {

QByteArray resource(const QString& name)
{
    InitReportResources();
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small layout: a header from t0, a body over t1 of three lines a page.
const char* kSmallLayout = R"({
  "page": { "size": "A4", "margins": [10, 10, 10, 10] },
  "fonts": { "default": { "size": 10 } },
  "everyPage": [ { "kind": "text", "x": 0, "y": 0, "width": 190, "height": 8,
                   "text": "{t0.title} p{page}/{pages}" } ],
  "lastPage":  [ { "kind": "text", "x": 0, "y": 60, "width": 190, "height": 8,
                   "text": "END {t0.1}" } ],
  "body": { "source": "t1", "top": 20, "rowHeight": 6, "rowsPerPage": 3,
            "columns": [ { "field": 0, "x": 0, "width": 20 },
                         { "field": "amount", "x": 20, "width": 40, "align": "right" } ] }
})";

class ReportRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        ASSERT_TRUE(dir.isValid());
    }

    QString makeDb(int rows)
    {
        const QString path = dir.filePath(QStringLiteral("pt.mdb"));
        QFile::remove(path);
        auto db = Database::create(path, {},
                                   QStringLiteral("CREATE TABLE t0 (title TEXT, other TEXT);"
                                                  "CREATE TABLE t1 (name TEXT, amount TEXT);"));
        db->execute(QStringLiteral("INSERT INTO t0 VALUES (?, ?)"),
                    {QStringLiteral("標題"), QStringLiteral("尾")});
        for (int i = 0; i < rows; ++i)
            db->execute(QStringLiteral("INSERT INTO t1 VALUES (?, ?)"),
                        {QStringLiteral("R%1").arg(i + 1), QStringLiteral("%1,000").arg(i + 1)});
        return path;
    }

    QString writeLayout(const QByteArray& json)
    {
        const QString path = dir.filePath(QStringLiteral("x.rpt"));
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(json);
        return path;
    }

    QTemporaryDir dir;
};

} // namespace

TEST(ReportLayoutTest, RefusesBrokenLayoutsWithAMessage)
{
    const char* bad[] = {
        "not json",
        R"({"page": {}})",                                                     // no body
        R"({"body": {"source": "t", "columns": []}})",                          // no column
        R"({"body": {"source": "t", "columns": [{"field": 0, "width": 0}]}})", // no width
        R"({"body": {"source": "t", "columns": [{"field": 0, "width": 5, "align": "middle"}]}})",
        R"({"page": {"size": "A9"}, "body": {"source": "t", "columns": [{"field": 0, "width": 5}]}})",
        R"({"body": {"source": "t", "rowsPerPage": 0, "columns": [{"field": 0, "width": 5}]}})",
    };
    for (const char* json : bad) {
        try {
            ReportLayout::fromJson(json);
            ADD_FAILURE() << "accepted: " << json;
        } catch (const ReportError& e) {
            EXPECT_TRUE(e.message().startsWith(QStringLiteral("報表格式錯誤"))) << json;
        }
    }
}

// The report menu's tests print both; here: nothing is placed below the printable area.
TEST(ReportLayoutTest, BuiltInLayoutsFitTheirPage)
{
    for (const char* name : {":/reports/fp.rpt", ":/reports/pb.rpt"}) {
        const ReportLayout l = ReportLayout::fromJson(resource(QString::fromLatin1(name)));
        const double height = l.pageLayout().paintRect(QPageLayout::Millimeter).height();
        EXPECT_LE(l.body().bottom(), height) << name;
        for (const auto* items : {&l.everyPage(), &l.firstPage(), &l.lastPage()})
            for (const ReportItem& i : *items)
                EXPECT_LE(i.y + i.height, height) << name << " " << i.text.toStdString();
    }
}

TEST_F(ReportRunnerTest, PagesFollowTheBodyRowsAndPlaceholdersTakeTheFirstRow)
{
    const ReportLayout l = ReportLayout::fromJson(kSmallLayout);
    for (auto [rows, pages] : {std::pair{0, 1}, {3, 1}, {4, 2}, {6, 2}, {7, 3}}) {
        auto db = Database::open(makeDb(rows));
        EXPECT_EQ(Report(l, ReportData::read(*db, l.tables())).pageCount(), pages) << rows;
    }
    auto db = Database::open(makeDb(4));
    EXPECT_EQ(Report(l, ReportData::read(*db, l.tables()))
                  .expand(QStringLiteral("{t0.title}|{T0.OTHER}|{t0.1}|{page}/{pages}|{x}"), 1),
              QStringLiteral("標題|尾|尾|2/2|{x}"));
    // A table without rows gives empty texts.
    db->execute(QStringLiteral("DELETE FROM t0"));
    EXPECT_EQ(Report(l, ReportData::read(*db, l.tables())).expand(QStringLiteral("[{t0.title}]"), 0),
              QStringLiteral("[]"));
}

TEST_F(ReportRunnerTest, AFieldOrTableTheDatabaseLacksIsRefused)
{
    try {
        Report::load(writeLayout(QByteArray(kSmallLayout).replace("\"amount\"", "\"total\"")), makeDb(1));
        FAIL() << "missing field accepted";
    } catch (const ReportError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("total")));
    }
    EXPECT_THROW(Report::load(writeLayout(QByteArray(kSmallLayout).replace("\"t1\"", "\"t9\"")), makeDb(1)), DbError);
}

TEST_F(ReportRunnerTest, PdfHoldsEveryLineOnItsPage)
{
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const Report r = Report::load(writeLayout(kSmallLayout), makeDb(7));
    r.writePdf(pdf, QStringLiteral("測試"));
    ASSERT_EQ(pdfPages(pdf), 3);

    const QString p1 = pdfTextAsIs(pdf, 1), p3 = pdfTextAsIs(pdf, 3);
    for (const char* shown : {"標題p1/3", "R1", "3,000"})
        EXPECT_TRUE(p1.contains(QString::fromUtf8(shown))) << shown;
    EXPECT_FALSE(p1.contains(QStringLiteral("R4")) || p1.contains(QStringLiteral("END")));
    for (const char* shown : {"標題p3/3", "R7", "END尾"})
        EXPECT_TRUE(p3.contains(QString::fromUtf8(shown))) << shown;
}

// The PDF goes through the safe save, whose own tests keep the old file on a full disk.
TEST_F(ReportRunnerTest, AnUnwritablePdfIsReported)
{
    const Report r = Report::load(writeLayout(kSmallLayout), makeDb(1));
    EXPECT_THROW(r.writePdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf"))), ReportError);
}
