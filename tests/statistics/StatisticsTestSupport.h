#pragma once

#include "platform/report/ReportResources.h"
#include "statistics/ReportMenu.h"
#include "statistics/StatisticsTable.h"
#include "support/QuotationFixture.h"

#include <QFile>

namespace varn::test {

using namespace Qt::StringLiterals;

inline const QString kStatisticsTemplate = QStringLiteral(VARN_BINARY_DIR "/templates/Pother/統計.xlsx");
inline constexpr auto* path = &LeafPath;
inline constexpr auto* item = &GridItem;

// The fixture quotation: areas 浴室, 主臥室 and 陳's 書房 (a quote in a name); 木作 and 油漆
// under two areas each; a path four levels deep under 浴室 whose second level 主浴室
// contains the area's name; a blank row inside the first leaf.
inline VrnContent fixtureContent()
{
    VrnContent c;
    c.header.customerName = u"林先生"_s;
    c.header.projectName = u"林宅裝修"_s;
    c.header.salesperson = u"王小明"_s;
    c.header.quoteNo = u"1130501_1"_s;
    c.header.siteAddress = u"台北市信義路一段1號"_s;
    c.header.quoteDate = u"113/05/01"_s;
    const QString wood = path({"浴室", "木作"});
    const QString paint = path({"浴室", "油漆"});
    const QString deep = path({"浴室", "主浴室", "磁磚", "壁面"});
    const QString bedroom = path({"主臥室", "木作"});
    const QString study = path({"陳's 書房", "油漆"});
    c.leafPaths = {wood, paint, deep, bedroom, study};
    c.rows = {
        item(wood, "浴櫃|60cm|組|2|1000|2000|800|1600|1.25|備註A"),
        item(wood, ""),
        item(wood, "鏡櫃||個|1|3000|3000|2000|2000|1.5"),
        item(paint, "牆面||坪|10|500|5000|300|3000|1.67"),
        item(deep, "壁磚|30x60|才|100|150|15000|100|10000|1.5"),
        item(bedroom, "衣櫃||尺|8|6000|48000|4000|32000|1.5"),
        item(study, "天花板||坪|6|700|4200|400|2400|1.75"),
        item(study, "O'Neil 漆||式|1|1000|1000|600|600|1.67"),
    };
    PageEndValues& pe = c.pageEnd;
    pe.remarks = {u"本報價有效期限三十天"_s, QString(), QString(), u"付款方式: 訂金三成"_s, QString()};
    pe.design = {u"設計費"_s, CheckState::Checked, true, u"78200"_s, u"0.1"_s, u"7820"_s};
    pe.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500"_s, u"45000"_s};
    pe.taxChecked = CheckState::Checked;
    return c;
}

// Two work types directly under the root.
inline VrnContent noAreaContent()
{
    VrnContent c;
    c.noAreaMode = true;
    c.leafPaths = {path({"木作"}), path({"油漆"})};
    c.rows = {item(path({"木作"}), "衣櫃||尺|8|6000|48000|4000|32000|1.5"),
              item(path({"油漆"}), "牆面||坪|10|500|5000|300|3000|1.67")};
    return c;
}

// The quotation fixture with pt.mdb beside it.
class StatisticsFixture : public QuotationFixture {
protected:
    void SetUp() override
    {
        QuotationFixture::SetUp();
        Database::create(dir.filePath(u"pt.mdb"_s), {}, PtSchemaSql());
    }

    // The fixture's grid, every leaf shown, into 統計.
    void buildFixture()
    {
        load(fixtureContent());
        doc->selectRoot();
        BuildStatistics(*sta, doc->hfgQ());
    }

    // The built-in report layouts in the program folder.
    void installReportLayouts()
    {
        InitReportResources();
        for (const QString& name : {u"fp.rpt"_s, u"pb.rpt"_s})
            ASSERT_TRUE(QFile::copy(u":/reports/"_s + name, dir.filePath(name)));
    }

    // Every row of a query as texts joined by "|", a null as `null`.
    static QStringList rowsOf(Database& db, const QString& sql, const QString& null = {})
    {
        QStringList out;
        for (Recordset rs = db.openRecordset(sql); !rs.eof(); rs.moveNext()) {
            QStringList f;
            for (int i = 0; i < rs.fieldCount(); ++i)
                f << (rs.value(i).isNull() ? null : rs.text(i));
            out << f.join(u'|');
        }
        return out;
    }
    QStringList staRows(const QString& sql) { return rowsOf(*sta, sql); }
    QStringList ptRows(const QString& sql) { return rowsOf(*openPt(), sql, u"~"_s); }

    std::unique_ptr<Database> openPt() { return Database::open(dir.filePath(u"pt.mdb"_s)); }
};

// The report menu over the fixture's quotation, with the built-in layouts.
class ReportMenuFixture : public StatisticsFixture {
protected:
    void SetUp() override
    {
        StatisticsFixture::SetUp();
        installReportLayouts();
        menu = std::make_unique<ReportMenu>(*doc, *sta);
    }
    void TearDown() override
    {
        menu.reset();
        StatisticsFixture::TearDown();
    }
    // The report saved as PDF (存成 PDF); empty when it could not be prepared.
    QString pdf(ReportKind kind)
    {
        auto report = menu->prepare(kind);
        if (!report)
            return {};
        const QString file = dir.filePath(ReportMenu::layoutFile(kind) + u".pdf"_s);
        report->writePdf(file);
        return file;
    }

    std::unique_ptr<ReportMenu> menu;
};

} // namespace varn::test
