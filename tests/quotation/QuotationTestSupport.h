#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "support/QuotationContent.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace varn::test {

inline const QString Q = QStringLiteral("\uFF31");

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
            doc->editRowForClick(doc->hfgQ().rows() - 1);
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

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::unique_ptr<Quotation> doc;
};

} // namespace varn::test
