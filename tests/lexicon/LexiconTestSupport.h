#pragma once

#include "lexicon/LexiconEditor.h"
#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/Schema.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace varn::test {

// A new main database with the schema alone, the shared connection on it, a signed-in
// superuser, a scripted prompter and a lexicon editor not yet loaded.
class LexiconFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        db = Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        state().m.gDb = db;
        state().m.gRights = kAllRights;
    }

    void TearDown() override { ProgramState::reset(); }

    void sql(const QString& statement, const QVariantList& params = {}) { db->execute(statement, params); }

    // The rows of a query, each as its fields joined by "/".
    QStringList rows(const QString& query, const QVariantList& params = {})
    {
        QStringList out;
        for (Recordset rs = db->openRecordset(query, params); !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (int i = 0; i < rs.fieldCount(); ++i)
                row << rs.text(i);
            out << row.join(u'/');
        }
        return out;
    }

    void addCategory(const QString& k, int areaCount)
    {
        sql(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES ((SELECT count(*) + 1 FROM 別), ?)"), {k});
        for (int i = 1; i <= areaCount; ++i)
            sql(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, ?)"), {k, QStringLiteral("A%1").arg(i), i});
    }

    void addWorkType(const QString& t, const QStringList& items)
    {
        sql(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES ((SELECT count(*) + 1 FROM 種), ?)"), {t});
        for (int i = 0; i < items.size(); ++i)
            sql(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, '式', 100, 1.2)"),
                {t, items[i], i + 2});
    }

    void addDetails(const QString& w, const QStringList& names)
    {
        for (int i = 0; i < names.size(); ++i)
            sql(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, 10, ?)"), {w, names[i], i + 2});
    }

    QStringList detailsOf(const QString& w)
    {
        return rows(QStringLiteral("SELECT d FROM w2d WHERE w = ? ORDER BY sort"), {w});
    }

    // Types into a cell as the grid's in-cell editor does.
    void type(LexiconGrid g, int row, int col, const QString& text, int grid = 0)
    {
        editor.CurGrid = grid;
        editor.CurRow = row;
        editor.CurCol = col;
        editor.typeText(g, text);
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    ScriptedPrompter prompts;
    ScopedPrompter scope{prompts};
    LexiconEditor editor;
};

} // namespace varn::test
