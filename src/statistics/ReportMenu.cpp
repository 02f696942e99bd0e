#include "statistics/ReportMenu.h"

#include "platform/db/Database.h"
#include "platform/ui/Prompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "shared/setup/ProgramFolder.h"
#include "statistics/PrintDatabase.h"

#include <QDir>

namespace varn {

namespace {

void tellDbError(const DbError& e)
{
    prompter().inform(QString::number(e.number()) + QLatin1Char('\n') + e.description(),
                      PromptIcon::Critical);
}

} // namespace

bool QuotationIsBlank(const Quotation& q)
{
    // The rows as a save would store them: a refused print leaves the shown node and the
    // grid as they were. Rows kept for a leaf no longer in the tree are not printed.
    const VrnContent c = q.snapshotContent();
    for (const ItemLine& line : c.rows) {
        if (!c.leafPaths.contains(line[QCol::Path - 1]))
            continue;
        for (int col = QCol::Name; col <= QCol::Remark; ++col) {
            if (!line[col - 1].isEmpty())
                return false;
        }
    }
    return true;
}

ReportMenu::ReportMenu(Quotation& q, Database& staDb)
    : m_q(q), m_staDb(staDb)
{
}

void ReportMenu::bindLayoutFlags(bool* coverByArea, int* treeMode)
{
    m_coverByArea = coverByArea ? coverByArea : &m_ownCoverByArea;
    m_treeMode = treeMode ? treeMode : &m_ownTreeMode;
}

bool ReportMenu::itemsVisible() const
{
    return !m_q.noPriceRight();
}

void ReportMenu::mP_Click()
{
    *m_coverByArea = false;
    *m_treeMode = m_q.noAreaMode() ? 1 : 2;
    m_q.RecalcGrandTotal();

    PrintDatabaseContent content;
    content.head = ReadPrintHeader(state().m.gDb.get(), m_q);
    content.firstPage = FillFirstPageTables(m_q, m_staDb);
    content.body = FillDetailTables(m_q, m_staDb, *m_treeMode);

    auto pt = Database::open(printDatabasePath());
    WritePrintTables(*pt, content);
}

std::optional<Report> ReportMenu::prepare(ReportKind kind)
{
    if (!itemsVisible())
        return std::nullopt;
    if (QuotationIsBlank(m_q)) {
        prompter().inform(QStringLiteral("空白表單無法列印"), PromptIcon::Warning);
        return std::nullopt;
    }
    try {
        mP_Click();
        return Report::load(layoutPath(kind), printDatabasePath());
    } catch (const DbError& e) {
        tellDbError(e);
    } catch (const ReportError& e) {
        prompter().inform(e.message(), PromptIcon::Critical);
    }
    return std::nullopt;
}

QString ReportMenu::caption(ReportKind kind)
{
    return kind == ReportKind::FirstPage ? QStringLiteral("列印首頁") : QStringLiteral("列印明細");
}

QString ReportMenu::layoutFile(ReportKind kind)
{
    return kind == ReportKind::FirstPage ? QString(kFirstPageReport) : QString(kDetailReport);
}

QString ReportMenu::layoutPath(ReportKind kind)
{
    return QDir(UserWorkFolder()).filePath(layoutFile(kind));
}

QString ReportMenu::printDatabasePath()
{
    return UserPrintDatabasePath();
}

} // namespace varn
