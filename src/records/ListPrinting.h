#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace varn {

class Database;

// The register a list or labels print from, by the print kind gPrintKind
// (1 customers, 2 vendors, 3 employees).
struct PrintKindInfo {
    int kind;
    QString table;          // 客戶
    QString codeColumn;     // 客戶編號: records print in its order
    QString caption;        // 客戶資料列印
    QString templateFile;   // 客戶資料.xlsx, under Pother
    QString outputName;     // 客戶資料: the saved file's name begins with it
};

// nullptr for a number that names no register.
const PrintKindInfo* FindPrintKind(int kind);

// The shared connection (gDb); OutputRefused when none is open.
Database& PrintSourceDatabase();

// The columns a list of the register may print: the table's own columns in their order,
// never the category (type) of customers and vendors, nor the password and the rights word
// of employees. Throws DbError; OutputRefused for a kind that names no register.
QStringList PrintableColumns(Database& db, int kind);

// The two lists of the column chooser: all columns (所有欄位) and the columns to print in
// print order (欲列印欄位).
class ColumnChooser {
public:
    enum class Move { Moved, NoSelection, AtEnd };

    void setAvailable(const QStringList& columns);
    const QStringList& available() const { return m_available; }
    const QStringList& chosen() const { return m_chosen; }

    // 加入: the given rows of all columns, top to bottom, go to the end of the print list.
    void add(QList<int> availableRows);
    // 移除: the row of the print list goes back to the end of all columns.
    void remove(int chosenRow);
    // Exchanges the chosen row with its neighbour; -1 means nothing is selected.
    Move moveUp(int chosenRow);
    Move moveDown(int chosenRow);

private:
    QStringList m_available;
    QStringList m_chosen;
};

// Fills the register's list template: the column names in row 2 with thin borders, then
// every record in code order from row 3, each value as text with ";" removed, telephone
// numbers as the register page shows them (PhoneNumberText); rows grow to hold wrapped
// texts. Saves the result under a new name in outputFolder. The template is never
// written. Throws OutputRefused (a column that is not printable, too many records),
// DbError or WorkbookError.
QString FillRegisterList(Database& db, int kind, const QStringList& columns, const QString& templatePath,
                         const QString& outputFolder, const QDateTime& when = QDateTime::currentDateTime());

// 列印 of the column chooser: fills the register's list from the shared connection into a
// new workbook and opens it; failures are told. Returns the saved path, or empty.
QString PrintRegisterList(int kind, const QStringList& columns);

} // namespace varn
