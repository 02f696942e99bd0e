#pragma once

// The large lexicon the benchmarks use: 200 work types holding 20,000 work items (the last
// type holds 2,000 of them), three details per item, 20 categories of 100 areas, and the
// thirteen lookup lists of 500 entries each.

#include "platform/db/Database.h"
#include "shared/LookupLists.h"

#include <QString>

namespace varn::bench {

constexpr int kWorkTypes = 200;
constexpr int kBigType = 2000;
constexpr int kItems = 20000;
constexpr int kDetailsPerItem = 3;
constexpr int kCategories = 20;
constexpr int kAreasPerCategory = 100;
constexpr int kListEntries = 500;

inline QString TypeName(int t) { return QStringLiteral("工種%1").arg(t, 3, 10, QLatin1Char('0')); }

inline void SeedLexicon(Database& db)
{
    Transaction tx(db);
    for (int k = 0; k < kCategories; ++k) {
        const QString category = QStringLiteral("類別%1").arg(k);
        db.execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"), {k + 1, category});
        for (int a = 0; a < kAreasPerCategory; ++a)
            db.execute(QStringLiteral("INSERT INTO k2a (k, a, sort) VALUES (?, ?, ?)"),
                       {category, QStringLiteral("區域%1-%2").arg(k).arg(a), a + 1});
    }
    // The big work type is the last one; the others share the rest of the items.
    const int perSmall = (kItems - kBigType) / (kWorkTypes - 1);
    int item = 0;
    for (int t = 0; t < kWorkTypes; ++t) {
        db.execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (?, ?)"), {t + 1, TypeName(t)});
        const int count = t == kWorkTypes - 1 ? kItems - item : perSmall;
        for (int i = 0; i < count; ++i, ++item) {
            const QString w = QStringLiteral("施工%1").arg(item);
            db.execute(QStringLiteral("INSERT INTO t2w (t, w, sort, u, c, s) VALUES (?, ?, ?, '式', 1200, 1.3)"),
                       {TypeName(t), w, i + 2});
            for (int d = 0; d < kDetailsPerItem; ++d)
                db.execute(QStringLiteral("INSERT INTO w2d (w, d, c, sort) VALUES (?, ?, 100, ?)"),
                           {w, QStringLiteral("細項%1").arg(d), d + 2});
        }
    }
    for (const LookupListInfo& list : LookupLists())
        for (int i = 0; i < kListEntries; ++i)
            db.execute(list.insertSql(), {i + 1, list.numeric ? QVariant(1 + i / 100.0)
                                                             : QVariant(QStringLiteral("詞%1").arg(i))});
    tx.commit();
}

} // namespace varn::bench
