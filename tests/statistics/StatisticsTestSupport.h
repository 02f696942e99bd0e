#pragma once

#include "platform/db/Database.h"
#include "platform/report/ReportTestSupport.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace varn::test {

inline const QString Dot = QStringLiteral("\u2027");

// "Ｑ‧a‧b" from "a", "b".
inline QString path(std::initializer_list<const char*> names)
{
    QString p = QStringLiteral("\uFF31");
    for (const char* n : names)
        p += Dot + QString::fromUtf8(n);
    return p;
}

// path, 品名, 規格, 單位, 數量, 單價, 金額, 成本, 成本複計, 比例, 備註 (no lexicon item).
inline ItemLine item(const QString& leaf, const char* name, const char* spec = "",
                     const char* unit = "", const char* qty = "", const char* price = "",
                     const char* amount = "", const char* cost = "", const char* costTotal = "",
                     const char* ratio = "", const char* remark = "")
{
    return {leaf, QString::fromUtf8(name), QString::fromUtf8(spec), QString::fromUtf8(unit),
            QString::fromUtf8(qty), QString::fromUtf8(price), QString::fromUtf8(amount),
            QString::fromUtf8(cost), QString::fromUtf8(costTotal), QString::fromUtf8(ratio),
            QString::fromUtf8(remark), QString()};
}

// The fixture quotation: areas 浴室, 主臥室 and 陳's 書房 (a quote in a name); 木作 and 油漆
// under two areas each; a path four levels deep under 浴室 whose second level 主浴室
// contains the area's name; a blank row inside the first leaf.
//
//   sot  path                              品名        金額    成本複計
//   1    Ｑ‧浴室‧木作                      浴櫃        2000    1600
//   2                                      (blank)
//   3                                      鏡櫃        3000    2000
//   4    Ｑ‧浴室‧油漆                      牆面        5000    3000
//   5    Ｑ‧浴室‧主浴室‧磁磚‧壁面          壁磚       15000   10000
//   6    Ｑ‧主臥室‧木作                    衣櫃       48000   32000
//   7    Ｑ‧陳's 書房‧油漆                 天花板      4200    2400
//   8                                      O'Neil 漆   1000     600
inline VrnContent fixtureContent()
{
    VrnContent c;
    c.noAreaMode = false;
    c.header.customerName = QStringLiteral("林先生");
    c.header.projectName = QStringLiteral("林宅裝修");
    c.header.salesperson = QStringLiteral("王小明");
    c.header.quoteNo = QStringLiteral("1130501_1");
    c.header.siteAddress = QStringLiteral("台北市信義路一段1號");
    c.header.quoteDate = QStringLiteral("113/05/01");
    const QString wood = path({"浴室", "木作"});
    const QString paint = path({"浴室", "油漆"});
    const QString deep = path({"浴室", "主浴室", "磁磚", "壁面"});
    const QString bedroom = path({"主臥室", "木作"});
    const QString study = path({"陳's 書房", "油漆"});
    c.leafPaths = {wood, paint, deep, bedroom, study};
    c.rows = {
        item(wood, "浴櫃", "60cm", "組", "2", "1000", "2000", "800", "1600", "1.25", "備註A"),
        item(wood, ""),
        item(wood, "鏡櫃", "", "個", "1", "3000", "3000", "2000", "2000", "1.5"),
        item(paint, "牆面", "", "坪", "10", "500", "5000", "300", "3000", "1.67"),
        item(deep, "壁磚", "30x60", "才", "100", "150", "15000", "100", "10000", "1.5"),
        item(bedroom, "衣櫃", "", "尺", "8", "6000", "48000", "4000", "32000", "1.5"),
        item(study, "天花板", "", "坪", "6", "700", "4200", "400", "2400", "1.75"),
        item(study, "O'Neil 漆", "", "式", "1", "1000", "1000", "600", "600", "1.67"),
    };
    PageEndValues& pe = c.pageEnd;
    pe.remarks = {QStringLiteral("本報價有效期限三十天"), QString(), QString(),
                  QStringLiteral("付款方式: 訂金三成"), QString()};
    pe.design.checked = CheckState::Checked;
    pe.design.byTotal = true;
    pe.design.base = QStringLiteral("78200");
    pe.design.rate = QStringLiteral("0.1");
    pe.design.amount = QStringLiteral("7820");
    pe.supervision.checked = CheckState::Checked;
    pe.supervision.byTotal = false;
    pe.supervision.base = QStringLiteral("30");
    pe.supervision.rate = QStringLiteral("1500");
    pe.supervision.amount = QStringLiteral("45000");
    pe.taxChecked = CheckState::Checked;
    pe.taxRate = QStringLiteral("5%");
    return c;
}

// The same rows with the work types directly under the root.
inline VrnContent noAreaContent()
{
    VrnContent c;
    c.noAreaMode = true;
    const QString wood = path({"木作"});
    const QString paint = path({"油漆"});
    c.leafPaths = {wood, paint};
    c.rows = {
        item(wood, "衣櫃", "", "尺", "8", "6000", "48000", "4000", "32000", "1.5"),
        item(paint, "牆面", "", "坪", "10", "500", "5000", "300", "3000", "1.67"),
    };
    return c;
}

// A signed-in superuser with a program folder holding sta.mdb, pt.mdb and the main
// database's company row, a scripted prompter and a quotation.
class StatisticsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureGuiApp();
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = dir.path();
        state().m.gRights = 4095;
        Prompter::install(&prompts);
        sta = Database::create(dir.filePath(QStringLiteral("sta.mdb")), {}, StaSchemaSql());
        Database::create(dir.filePath(QStringLiteral("pt.mdb")), {}, PtSchemaSql());
        std::shared_ptr<Database> main =
            Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        main->execute(QStringLiteral("INSERT INTO company VALUES (?, ?, ?, ?, ?, ?)"),
                      {QStringLiteral("瓦恩室內裝修"), QStringLiteral("台北市中山路2號"),
                       QStringLiteral("02-1234567"), QStringLiteral("02-7654321"),
                       QStringLiteral("12345678"), QStringLiteral("varn@example.com")});
        state().m.gDb = main;
        doc = std::make_unique<Quotation>();
    }
    void TearDown() override
    {
        doc.reset();
        Prompter::install(nullptr);
        ProgramState::reset();
    }

    void load(const VrnContent& c) { doc->load(c, dir.filePath(QStringLiteral("x.vrn"))); }

    // Every row of a query as texts joined by "|".
    QStringList rowsOf(Database& db, const QString& sql)
    {
        QStringList out;
        Recordset rs = db.openRecordset(sql);
        for (; !rs.eof(); rs.moveNext()) {
            QStringList f;
            for (int i = 0; i < rs.fieldCount(); ++i)
                f << rs.text(i);
            out << f.join(QLatin1Char('|'));
        }
        return out;
    }

    std::unique_ptr<Database> openPt()
    {
        return Database::open(dir.filePath(QStringLiteral("pt.mdb")));
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::unique_ptr<Database> sta;
    std::unique_ptr<Quotation> doc;
};

} // namespace varn::test
