#include "records/ListPrinting.h"

#include "output/DeliveredWorkbook.h"
#include "output/OutputTask.h"
#include "platform/db/Database.h"
#include "platform/workbook/Workbook.h"
#include "records/CustomerRecord.h"
#include "records/EmployeeRecord.h"
#include "records/VendorRecord.h"
#include "shared/ProgramState.h"
#include "shared/TextRoutines.h"

#include <algorithm>
#include <array>

namespace varn {

namespace {

constexpr int kHeadingRow = 2;
constexpr int kFirstRecordRow = 3;

const std::array<PrintKindInfo, 3>& printKinds()
{
    static const std::array<PrintKindInfo, 3> kinds{{
        {1, QStringLiteral("客戶"), QStringLiteral("客戶編號"), QStringLiteral("客戶資料列印"),
         QStringLiteral("客戶資料.xlsx"), QStringLiteral("客戶資料")},
        {2, QStringLiteral("廠商"), QStringLiteral("廠商編號"), QStringLiteral("廠商資料列印"),
         QStringLiteral("廠商資料.xlsx"), QStringLiteral("廠商資料")},
        {3, QStringLiteral("員工"), QStringLiteral("員工編號"), QStringLiteral("員工資料列印"),
         QStringLiteral("員工資料.xlsx"), QStringLiteral("員工資料")},
    }};
    return kinds;
}

const PrintKindInfo& requireKind(int kind)
{
    if (const PrintKindInfo* info = FindPrintKind(kind))
        return *info;
    throw OutputRefused(QStringLiteral("沒有這種資料可以列印"));
}

bool offered(int kind, const QString& column)
{
    if (kind == 3)
        return column.compare(QStringLiteral("pass"), Qt::CaseInsensitive) != 0
            && column.compare(QStringLiteral("權限"), Qt::CaseInsensitive) != 0;
    return column != QStringLiteral("type");
}

// The register table's columns in table order.
QStringList tableColumns(Database& db, const PrintKindInfo& info)
{
    const Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QuoteIdentifier(info.table)));
    QStringList columns;
    for (int i = 0; i < rs.fieldCount(); ++i)
        columns << rs.fieldName(i);
    return columns;
}

RegisterConfig registerConfig(int kind)
{
    return kind == 1 ? CustomerRegisterConfig() : kind == 2 ? VendorRegisterConfig() : EmployeeRegisterConfig();
}

// For each chosen column whether it holds telephone numbers: they print as the register
// page shows them, other compound values with their parts joined.
std::vector<bool> phoneColumns(Database& db, const PrintKindInfo& info, const QStringList& columns)
{
    const QStringList table = tableColumns(db, info);
    const RegisterConfig config = registerConfig(info.kind);
    std::vector<bool> phones;
    for (const QString& c : columns)
        phones.push_back(config.holdsPhoneNumber(table.indexOf(c)));
    return phones;
}

} // namespace

Database& PrintSourceDatabase()
{
    if (const auto& db = state().m.gDb)
        return *db;
    throw OutputRefused(QStringLiteral("資料庫尚未開啟"));
}

const PrintKindInfo* FindPrintKind(int kind)
{
    for (const PrintKindInfo& info : printKinds())
        if (info.kind == kind)
            return &info;
    return nullptr;
}

QStringList PrintableColumns(Database& db, int kind)
{
    QStringList columns = tableColumns(db, requireKind(kind));
    columns.removeIf([kind](const QString& c) { return !offered(kind, c); });
    return columns;
}

void ColumnChooser::setAvailable(const QStringList& columns)
{
    m_available = columns;
    m_chosen.clear();
}

void ColumnChooser::add(QList<int> availableRows)
{
    std::sort(availableRows.begin(), availableRows.end());
    for (int row : std::as_const(availableRows))
        if (row >= 0 && row < m_available.size() && !m_chosen.contains(m_available.at(row)))
            m_chosen << m_available.at(row);
    m_available.removeIf([this](const QString& c) { return m_chosen.contains(c); });
}

void ColumnChooser::remove(int chosenRow)
{
    if (chosenRow < 0 || chosenRow >= m_chosen.size())
        return;
    m_available << m_chosen.takeAt(chosenRow);
}

ColumnChooser::Move ColumnChooser::moveUp(int chosenRow)
{
    if (chosenRow < 0 || chosenRow >= m_chosen.size())
        return Move::NoSelection;
    if (chosenRow == 0)
        return Move::AtEnd;
    m_chosen.swapItemsAt(chosenRow, chosenRow - 1);
    return Move::Moved;
}

ColumnChooser::Move ColumnChooser::moveDown(int chosenRow)
{
    if (chosenRow < 0 || chosenRow >= m_chosen.size())
        return Move::NoSelection;
    if (chosenRow == m_chosen.size() - 1)
        return Move::AtEnd;
    m_chosen.swapItemsAt(chosenRow, chosenRow + 1);
    return Move::Moved;
}

QString FillRegisterList(Database& db, int kind, const QStringList& columns, const QString& templatePath,
                         const QString& outputFolder, const QDateTime& when)
{
    const PrintKindInfo& info = requireKind(kind);
    if (columns.isEmpty())
        throw OutputRefused(QStringLiteral("沒有選取欄位\r\n無法列印"));
    // Only names from the table's own definition reach the statement, quoted.
    const QStringList printable = PrintableColumns(db, kind);
    QStringList quoted;
    for (const QString& c : columns) {
        if (!printable.contains(c))
            throw OutputRefused(QStringLiteral("欄位「%1」不能列印").arg(c));
        quoted << QuoteIdentifier(c);
    }
    const Recordset rs = db.openRecordset(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3, rowid")
                                              .arg(quoted.join(QStringLiteral(", ")), QuoteIdentifier(info.table),
                                                   QuoteIdentifier(info.codeColumn)));
    CheckRowsFit(qint64(kFirstRecordRow) + rs.recordCount() - 1);

    const std::vector<bool> phones = phoneColumns(db, info, columns);

    Workbook book = Workbook::open(templatePath);
    Worksheet& sheet = book.worksheet(1);
    const int n = static_cast<int>(columns.size());
    for (int c = 0; c < n; ++c)
        sheet.setText(kHeadingRow, c + 1, columns.at(c));
    Recordset records = rs;
    int row = kFirstRecordRow;
    for (; !records.eof(); records.moveNext(), ++row) {
        for (int c = 0; c < n; ++c) {
            const QString value = records.text(c);
            sheet.setText(row, c + 1, phones[c] ? PhoneNumberText(value) : QString(value).remove(QLatin1Char(';')));
        }
    }
    sheet.fitRowHeights(kFirstRecordRow, row - 1);
    sheet.setThinBorders(CellRange{{kHeadingRow, 1}, {kHeadingRow, n}},
                         BorderEdge::Outline | BorderEdge::InsideVertical);
    return SaveNewWorkbook(book, outputFolder, info.outputName, when);
}

QString PrintRegisterList(int kind, const QStringList& columns)
{
    return DeliverOutput(QStringLiteral("資料列印中…"), [&] {
        const PrintKindInfo& info = requireKind(kind);
        return FillRegisterList(PrintSourceDatabase(), kind, columns, OtherTemplatePath(info.templateFile), OutputFolder());
    });
}

} // namespace varn
