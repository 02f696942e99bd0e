#pragma once

#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace varn::test {

inline const QString Q = QStringLiteral("\uFF31");
inline const QString Dot = QStringLiteral("\u2027");

// "Ｑ‧a‧b" from "a", "b".
inline QString qpath(std::initializer_list<const char*> names)
{
    QString p = Q;
    for (const char* n : names)
        p += Dot + QString::fromUtf8(n);
    return p;
}

// A fresh program state in a temporary program folder, a main database with its schema
// as the shared connection, a signed-in superuser, a scripted prompter and a quotation.
class Window2Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = dir.path();
        state().m.gFilePath = dir.path();
        state().m.gRights = 4095;
        std::shared_ptr<Database> made =
            Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        db = made;
        state().m.gDb = db;
        scope = std::make_unique<ScopedPrompter>(prompts);
        doc = std::make_unique<Quotation>();
    }

    void TearDown() override
    {
        doc.reset();
        scope.reset();
        ProgramState::reset();
    }

    QString file(const QString& name) const { return dir.filePath(name); }

    void add(const QString& key, const QStringList& names, bool workTypes = false)
    {
        ASSERT_TRUE(doc->AddChildNodes(key, names, workTypes)) << key.toStdString();
    }

    void ensureRow(int r)
    {
        while (doc->hfgQ().rows() <= r)
            doc->growAtLastRow(doc->hfgQ().rows() - 1);
    }

    // Selects the leaf and types its rows: 品名, then optionally 數量 and 單價.
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

    QStringList shownColumn(int col) const
    {
        QStringList out;
        for (int r = 1; r < doc->hfgQ().rows(); ++r)
            out << doc->hfgQ().textMatrix(r, col);
        return out;
    }

    QTemporaryDir dir;
    std::shared_ptr<Database> db;
    ScriptedPrompter prompts;
    std::unique_ptr<ScopedPrompter> scope;
    std::unique_ptr<Quotation> doc;
};

} // namespace varn::test
