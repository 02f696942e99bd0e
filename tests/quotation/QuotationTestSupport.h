#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/ItemLexicon.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace varn::test {

inline const QString Q = QStringLiteral("\uFF31");

// "Ｑ‧a‧b" from "a", "b".
inline QString path(std::initializer_list<const char*> names)
{
    QString p = Q;
    for (const char* n : names)
        p += QStringLiteral("\u2027") + QString::fromUtf8(n);
    return p;
}

// Column `col` of a grid, header row left out.
inline QStringList column(const GridModel& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.textMatrix(r, col);
    return out;
}

// Every test gets a fresh program state in a temporary program folder, all rights, a
// scripted prompter and a quotation.
class QuotationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = state().m.gFilePath = dir.path();
        state().m.gRights = 4095;
        Prompter::install(&prompts);
        doc = std::make_unique<Quotation>();
    }
    void TearDown() override
    {
        doc.reset();
        Prompter::install(nullptr);
        ProgramState::reset();
    }

    // A main database with its schema as the shared connection.
    void openDatabase()
    {
        db = Database::create(file(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        state().m.gDb = db;
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    // Adds children without any question (no typed name, no rows at the node).
    void add(const QString& key, const QStringList& names, bool workTypes = false)
    {
        ASSERT_TRUE(doc->AddChildNodes(key, names, workTypes)) << key.toStdString();
    }

    // Makes sure the shown leaf has a row r.
    void ensureRow(int r)
    {
        ASSERT_TRUE(doc->isLeaf());
        while (doc->hfgQ().rows() <= r)
            doc->growAtLastRow(doc->hfgQ().rows() - 1);
    }

    // Selects the leaf and types the rows: each row is 品名, then optionally 數量 and 單價.
    void fill(const QString& key, const QList<QStringList>& rows)
    {
        doc->tv_NodeClick(key);
        ASSERT_TRUE(doc->isLeaf());
        for (int i = 0; i < rows.size(); ++i) {
            ensureRow(i + 1);
            const QStringList& r = rows[i];
            if (!r.value(0).isEmpty()) {
                ASSERT_TRUE(doc->setCellText(i + 1, QCol::Name, r[0]));
            }
            if (r.size() > 1) {
                ASSERT_TRUE(doc->cellEdited(i + 1, QCol::Qty, r[1]));
            }
            if (r.size() > 2) {
                ASSERT_TRUE(doc->cellEdited(i + 1, QCol::Price, r[2]));
            }
        }
    }

    QStringList shownNames() const { return column(doc->hfgQ(), QCol::Name); }
    QStringList shownPaths() const { return column(doc->hfgQ(), QCol::Path); }
    QStringList masterColumn(int col) const { return column(doc->hfgB(), col); }

    // Two areas sharing a work-type name, a deeper path, a blank row between filled ones,
    // quotes and the characters 四 and 院 (whose second CP950 byte is "|"), every header
    // field, remarks, a design fee by total, a supervision fee of 30 坪 at 2000, tax and a
    // discount.
    void buildRich()
    {
        const std::pair<HeaderField, const char*> header[] = {
            {HeaderField::CustomerName, "四季\"院\""}, {HeaderField::ProjectName, "四季院 新建工程"},
            {HeaderField::Salesperson, "王小明"},      {HeaderField::Category, "住宅"},
            {HeaderField::QuoteNo, "1130501_7"},      {HeaderField::SiteAddress, "台北市四維路 5 號"},
            {HeaderField::QuoteDate, "113/05/01"}};
        for (const auto& [field, text] : header)
            doc->setHeaderField(field, QString::fromUtf8(text));
        add(Q, {"客廳", "四樓", "臥室"});
        add(path({"客廳"}), {"木作", "油漆"}, true);
        add(path({"臥室"}), {"木作"}, true);
        add(path({"四樓"}), {"院子"}, true);
        add(path({"四樓", "院子"}), {"圍牆"}, true);
        fill(path({"臥室", "木作"}), {{"床架\"特製\"", "1", "5000"}});
        fill(path({"客廳", "木作"}), {{"天花板", "10", "1200"}, {""}, {"隔間", "2", "3000"}});
        for (auto [col, text] : {std::pair{QCol::Spec, "矽酸鈣板"}, {QCol::Unit, "坪"}, {QCol::Cost, "900"},
                                 {QCol::Remark, "含四角收邊"}, {QCol::WorkItem, "天花板"}})
            doc->setCellText(1, col, QString::fromUtf8(text));
        fill(path({"四樓", "院子", "圍牆"}), {{"院牆", "20", "800"}});
        fill(path({"客廳", "油漆"}), {{"乳膠漆", "30", "100"}});

        doc->pageEndPanelToggled(true);
        for (int i = 0; i < 5; ++i)
            doc->setRemark(i, QStringLiteral("備註%1 四院").arg(i));
        doc->setFeeTitle(Fee::Design, "設計費(四院)");
        doc->setFeeChecked(Fee::Design, CheckState::Checked);
        doc->setFeeRate(Fee::Design, "0.1");
        doc->setFeeChecked(Fee::Supervision, CheckState::Checked);
        doc->setFeeByTotal(Fee::Supervision, false);
        doc->setFeeBase(Fee::Supervision, "30");
        doc->setFeeRate(Fee::Supervision, "2000");
        doc->typeTaxRate("0.05");
        doc->enterTaxRate();
        doc->setDiscount("-1000");
        doc->setTaxChecked(CheckState::Checked);
        doc->pageEndPanelToggled(false);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::shared_ptr<Database> db;
    std::unique_ptr<Quotation> doc;
};

// A lexicon held in memory: items as (work type, work item, unit, cost, ratio), the first
// of the most preferred work type chosen; details as (work item, detail, markup).
class FakeLexicon : public ItemLexicon {
public:
    struct Item {
        QString type, item, unit;
        float cost, ratio;
    };
    struct Detail {
        QString item, detail;
        float markup;
    };
    QList<Item> items;
    QList<Detail> details;
    QStringList lastPreferred;

    std::optional<ItemFacts> itemFacts(const QString& workItem, const QStringList& preferred) override
    {
        lastPreferred = preferred;
        const auto rank = [&](const Item& i) { return preferred.contains(i.type) ? preferred.indexOf(i.type) : 99; };
        const Item* chosen = nullptr;
        for (const Item& i : items) {
            if (i.item == workItem && (!chosen || rank(i) < rank(*chosen)))
                chosen = &i;
        }
        return chosen ? std::optional(ItemFacts{chosen->unit, chosen->cost, chosen->ratio}) : std::nullopt;
    }
    std::optional<float> detailCost(const QString& detail, const QString& workItem) override
    {
        for (const Detail& d : details) {
            if (d.item == workItem && d.detail == detail)
                return d.markup;
        }
        return std::nullopt;
    }
};

} // namespace varn::test
