#pragma once

#include "platform/ui/ScriptedPrompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/ItemLexicon.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"

#include <QHash>
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
inline const QString Dot = QStringLiteral("\u2027");

// "Ｑ‧a‧b" from "a", "b".
inline QString path(std::initializer_list<const char*> names)
{
    QString p = Q;
    for (const char* n : names)
        p += Dot + QString::fromUtf8(n);
    return p;
}

// Every test gets a fresh program state, a scripted prompter and a temporary folder.
class QuotationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = dir.path();
        state().m.gRights = 4095;
        Prompter::install(&prompts);
        doc = std::make_unique<Quotation>();
    }
    void TearDown() override
    {
        doc.reset();
        Prompter::install(nullptr);
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

    // The 品名 column of the shown rows, empty rows included.
    QStringList shownNames() const
    {
        QStringList out;
        for (int r = 1; r < doc->hfgQ().rows(); ++r)
            out << doc->GTxM(r, QCol::Name);
        return out;
    }
    // Column 1 of the shown rows.
    QStringList shownPaths() const
    {
        QStringList out;
        for (int r = 1; r < doc->hfgQ().rows(); ++r)
            out << doc->GTxM(r, QCol::Path);
        return out;
    }
    // Column `col` of hfgB.
    QStringList masterColumn(int col) const
    {
        QStringList out;
        for (int r = 1; r < doc->hfgB().rows(); ++r)
            out << doc->hfgB().textMatrix(r, col);
        return out;
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::unique_ptr<Quotation> doc;
};

// A lexicon held in memory: rows of (work type, work item, unit, cost, ratio) and
// details of (work item, detail, markup), first match in order, as a table reads.
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
        const Item* chosen = nullptr;
        int chosenRank = preferred.size();
        for (const Item& i : items) {
            if (i.item != workItem)
                continue;
            const int rank = preferred.indexOf(i.type);
            if (!chosen || (rank >= 0 && rank < chosenRank)) {
                chosen = &i;
                chosenRank = rank >= 0 ? rank : preferred.size();
            }
        }
        if (!chosen)
            return std::nullopt;
        return ItemFacts{chosen->unit, chosen->cost, chosen->ratio};
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
