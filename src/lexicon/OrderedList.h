#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace varn {

class Database;

// What differs between the two ordered lists: project categories ("k", table 別, areas in
// k2a) and work types ("t", table 種, work items in t2w).
struct OrderedListKind {
    QString code;            // "k" or "t"
    QString table, idColumn, nameColumn;
    QString dependentTable;  // rows that belong to a name: k2a or t2w
    QString dependentColumn;
    QString caption;         // of the editor window
    QString addLine;         // second caption line of the entry frame when adding
    QString emptyMessage;
    QString deleteWarning;

    static const OrderedListKind& of(const QString& code);   // "k" or else "t"
};

// The ordered-list editor's list: names are added, renamed and deleted in the table at
// once (each one transaction, reaching the dependent rows), the order is changed in the
// list only and written by save(). Every refusal and failure is shown through the
// Prompter; the methods return false then.
class OrderedList {
public:
    explicit OrderedList(const QString& kindCode);

    const OrderedListKind& kind() const { return m_kind; }
    const QStringList& names() const { return m_names; }
    int count() const { return static_cast<int>(m_names.size()); }

    // LoadList: the names in their stored order.
    void load(Database& db);

    // The message that refuses a name for the entry at `index` (-1 for a new one), or
    // nothing: empty or blanks alone, a character a quotation cannot hold, or a name the
    // list already has (letter case and blanks before or after it aside; an entry may
    // be respelt to a look-alike of its own name that no other entry holds).
    std::optional<QString> refusal(const QString& name, int index) const;

    // Adds the name as the last entry, then reloads (moves not yet saved are dropped).
    bool add(Database& db, const QString& name);
    // Renames entry `index` in the list table and in its dependent rows, then reloads.
    bool rename(Database& db, int index, const QString& name);
    // Asks, then deletes entry `index` with its dependent rows (for work types also the
    // details of work items no other work type holds), reloads and saves.
    bool remove(Database& db, int index);

    // Exchanges the entry with its neighbour; the index it moved to, or nothing at an end.
    std::optional<int> moveUp(int index);
    std::optional<int> moveDown(int index);

    // SaveList: rewrites the table numbered 1..n in the list's order. Names another
    // workstation added since the load are kept after the list's own; names deleted
    // elsewhere are not brought back. False (with a message) on failure.
    bool save(Database& db);

private:
    // The names stored now, in their stored order.
    QStringList storedNames(Database& db) const;
    bool failed(Database& db, const QString& description);
    // Checks the name, also against the names stored now, runs the statements in one
    // transaction and reloads.
    bool writeName(Database& db, int index, const QString& name, const std::function<void()>& statements);

    const OrderedListKind& m_kind;
    QStringList m_names;
};

} // namespace varn
