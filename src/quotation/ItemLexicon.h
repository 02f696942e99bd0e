#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace varn {

class Database;

// Unit, cost and ratio of a lexicon work item (a row of t2w).
struct ItemFacts {
    QString unit;
    float cost = 0;
    float ratio = 0;
};

// The look-ups an item pick and a detail pick make in the lexicon. The window supplies
// the database one; tests supply their own.
class ItemLexicon {
public:
    virtual ~ItemLexicon() = default;
    // The first t2w row of the work item, preferring the work types in the order given
    // (the nearest work type on the shown path first) before any other row of that name.
    virtual std::optional<ItemFacts> itemFacts(const QString& workItem,
                                               const QStringList& preferredWorkTypes) = 0;
    // The markup of a detail of a work item (w2d.c).
    virtual std::optional<float> detailCost(const QString& detail, const QString& workItem) = 0;
};

// The lexicon of the main database: the one given, or else the program's connection gDb as
// it stands at each look-up (the settings window may reopen it elsewhere).
class DatabaseItemLexicon : public ItemLexicon {
public:
    DatabaseItemLexicon() = default;
    explicit DatabaseItemLexicon(Database& db) : m_db(&db) {}
    std::optional<ItemFacts> itemFacts(const QString& workItem,
                                       const QStringList& preferredWorkTypes) override;
    std::optional<float> detailCost(const QString& detail, const QString& workItem) override;

private:
    // Throws DbError when there is no connection.
    Database& db() const;

    Database* m_db = nullptr;
};

} // namespace varn
