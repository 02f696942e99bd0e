#include "excel_output/CoverEngine.h"

#include "excel_output/CoverPlan.h"
#include "excel_output/DetailFigures.h"
#include "excel_output/DetailPlan.h"
#include "excel_output/Placeholders.h"
#include "excel_output/SingleSheetPlan.h"
#include "excel_output/TemplateCheck.h"
#include "output/DeliveredWorkbook.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Prompter.h"
#include "platform/workbook/Workbook.h"
#include "quotation/Quotation.h"
#include "shared/ProgramState.h"
#include "statistics/StatisticsTable.h"

#include <QDir>
#include <QFileInfo>

namespace varn {

namespace {

std::array<QString, 6> readFirm(Database* mainDb)
{
    std::array<QString, 6> firm;
    if (!mainDb)
        return firm;
    Recordset company = mainDb->openRecordset(QStringLiteral("company"));
    if (company.eof())
        return firm;
    for (int i = 0; i < 6 && i < company.fieldCount(); ++i)
        firm[size_t(i)] = company.text(i);
    return firm;
}

// The header values of the print, copied from the window's header at every run.
PlaceholderSource takeHeaderValues(const Quotation& q, const std::array<QString, 6>& firm)
{
    mdM& m = state().m;
    const QuotationHeader& h = q.header();
    m.gSalesName = h.salesperson;
    m.gCusName = h.customerName;
    m.gProjectName = h.projectName;
    m.gCusSiteAddr = h.siteAddress;
    m.gQuoteDate = h.quoteDate;
    m.gQuoteNo = h.quoteNo;
    PlaceholderSource s;
    s.customerName = m.gCusName;
    s.projectName = m.gProjectName;
    s.siteAddress = m.gCusSiteAddr;
    s.telephone = m.gCusTel;
    s.fax = m.gCusFax;
    s.contact = m.gCusContact;
    s.quoteDate = m.gQuoteDate;
    s.quoteNo = m.gQuoteNo;
    s.salesperson = m.gSalesName;
    s.firm = firm;
    return s;
}

// The cover lists the first path level (the areas, or the work types without areas), or
// else the second.
bool coverByFirstLevel(const LayoutFlags& f, bool noAreaMode)
{
    return f.CoverByArea || noAreaMode;
}

std::vector<CoverGroup> readCoverGroups(Database& sta, const LayoutFlags& f, bool noAreaMode)
{
    const QString query = coverByFirstLevel(f, noAreaMode) ? QStringLiteral("Aot") : QStringLiteral("T");
    Recordset rs = sta.openRecordset(query);
    std::vector<CoverGroup> groups;
    for (; !rs.eof(); rs.moveNext())
        groups.push_back({rs.text(0), rs.value(1).toDouble(), rs.value(2).toDouble(), rs.value(3).toDouble()});
    return groups;
}

} // namespace

std::vector<DetailRow> ReadDetailRows(Database& sta, const QString& source)
{
    Recordset rs = sta.openRecordset(source);
    std::vector<DetailRow> rows;
    rows.reserve(size_t(rs.recordCount()));
    for (; !rs.eof(); rs.moveNext()) {
        DetailRow d;
        d.tre = rs.text(0);
        d.des = rs.text(1);
        d.siz = rs.text(2);
        d.uni = rs.text(3);
        d.qua = rs.value(4).toDouble();
        d.unp = rs.value(5).toDouble();
        d.top = rs.value(6).toDouble();
        d.cos = rs.value(7).toDouble();
        d.toc = rs.value(8).toDouble();
        d.rat = rs.value(9).toDouble();
        d.rem = rs.text(10);
        d.aot = rs.text(11);
        d.t = rs.text(12);
        rows.push_back(std::move(d));
    }
    return rows;
}

namespace {

void applyPageSetup(Worksheet& sheet, const SheetRanges& r)
{
    sheet.setZoom(100);
    sheet.setPrintTitleRows(r.titleRows);
    sheet.setPrintTitleColumns(r.titleColumns);
    sheet.setPrintArea(r.titleColumns);
}

QStringList xpValues()
{
    QStringList xp;
    for (const QString& v : state().m.gXp)
        xp << v;
    return xp;
}

} // namespace

struct CoverPrint::State {
    PlaceholderValues values;
    QString templatePath;
    std::optional<Workbook> book;
    SheetRanges coverRanges, detailRanges;
    CoverPlan cover;
    DetailPlan detail;
    SingleSheetPlan single;
};

CoverPrint::CoverPrint(const PrintJob& job, TwoSheetLayout layout)
    : m_job(job), m_layout(std::move(layout)), m_flags(job.flags), d(std::make_unique<State>())
{
    // Whatever the command asked for, prices stay hidden from a user who may not see them.
    m_flags.BlankPrices = m_flags.BlankPrices || job.q.noPriceRight();
}

CoverPrint::~CoverPrint() = default;

void CoverPrint::prepare()
{
    m_job.q.selectRoot();
    m_job.q.RecalcGrandTotal();
    const auto firm = readFirm(state().m.gDb.get());
    BuildStatistics(*m_job.staDb, m_job.q.hfgQ());
    const bool byType = m_layout.numberBySecondLevel.value_or(!m_job.areaNoTypes && m_flags.TreeMode != 1);
    NumberStatisticsGroups(*m_job.staDb, byType, m_job.q.noAreaMode(), m_flags.TreeMode);
    if (m_layout.prepared)
        m_layout.prepared(*m_job.staDb);
    d->values = MakePlaceholderValues(takeHeaderValues(m_job.q, firm));
}

void CoverPrint::plan(const QString& templatePath)
{
    const QStringList xp = xpValues();
    d->templatePath = templatePath;
    d->book.emplace(Workbook::open(templatePath));
    const QString problem = CheckQuotationTemplate(
        *d->book, m_flags.SingleSheet ? QuotationTemplateKind::SingleSheet : QuotationTemplateKind::CoverAndDetail, xp);
    if (!problem.isEmpty())
        throw PrintPlanError(problem);

    Database& sta = *m_job.staDb;
    d->coverRanges = CoverRanges(xp);
    d->detailRanges = DetailRanges(xp);
    if (m_layout.plan) {
        m_layout.plan(sta, m_flags, xp, d->cover, d->detail);
        return;
    }
    CoverInput cover;
    cover.groups = readCoverGroups(sta, m_flags, m_job.q.noAreaMode());
    cover.pageEnd = m_job.q.pageEnd();
    cover.flags = m_flags;
    cover.areaNoTypes = m_job.areaNoTypes;
    const std::vector<DetailRow> rows = ReadDetailRows(sta, QStringLiteral("AlbyP"));
    for (const DetailRow& row : rows)
        cover.costTotal += row.toc;

    if (m_flags.SingleSheet) {
        d->single = PlanSingleSheet(rows, cover.pageEnd, m_flags, m_job.q.noPriceRight(), d->detailRanges,
                                    d->coverRanges);
        return;
    }
    d->cover = PlanCover(cover, d->coverRanges);
    // The detail rows print the cover's figures split over their 小計s: by area alone, or by path.
    const DetailKey area = [](const DetailRow& r) { return r.aot; };
    const DetailKey line = coverByFirstLevel(m_flags, m_job.q.noAreaMode()) ? area : [](const DetailRow& r) { return r.t; };
    const DetailKey subtotal = m_job.areaNoTypes ? area : [](const DetailRow& r) { return r.tre; };
    const std::vector<DetailRow> whole = WholeDetailRows(rows, d->cover.groups, line, subtotal);
    d->detail = m_job.areaNoTypes ? PlanAreaDetail(whole, m_flags, d->detailRanges)
                                  : PlanDetail(whole, m_flags, m_job.q.noPriceRight(), d->detailRanges);
}

void CoverPrint::fill()
{
    Worksheet& first = d->book->worksheet(1);
    if (m_flags.SingleSheet) {
        // The only sheet: both variable ranges are looked at on it, the detail set-up applies.
        if (!state().m.gFixedHeader) {
            FillPlaceholders(first, {d->coverRanges.variables, d->detailRanges.variables}, d->values);
        }
        first.addColumnPageBreak(d->detailRanges.output.bottomRight.column + 1);
        WritePlan(first, d->single);
        applyPageSetup(first, d->detailRanges);
        return;
    }
    Worksheet& second = d->book->worksheet(2);
    if (!state().m.gFixedHeader) {
        FillPlaceholders(first, {d->coverRanges.variables}, d->values);
        FillPlaceholders(second, {d->detailRanges.variables}, d->values);
    }
    WritePlan(first, d->cover);
    if (d->cover.blocks > 1)
        applyPageSetup(first, d->coverRanges);
    second.addColumnPageBreak(d->detailRanges.output.bottomRight.column + 1);
    WritePlan(second, d->detail);
    applyPageSetup(second, d->detailRanges);
}

QString CoverPrint::save()
{
    return SaveNewWorkbook(*d->book, OutputFolder(), QFileInfo(d->templatePath).completeBaseName());
}

int CoverPrint::coverPages() const
{
    return m_flags.SingleSheet ? 0 : d->cover.blocks;
}

int CoverPrint::detailPages() const
{
    return m_flags.SingleSheet ? d->single.blocks : d->detail.blocks;
}

QString PrintExcelCover(const PrintJob& job, const TwoSheetLayout& layout)
{
    if (!job.staDb) {
        prompter().inform(QStringLiteral("統計資料庫 sta.mdb 無法開啟\n無法列印"), PromptIcon::Warning);
        return {};
    }
    // Whatever a step throws ends this print only: the busy indicator closes with its scope,
    // nothing is saved, and the user is told what failed.
    auto unexpected = [](const QString& step, const char* what) {
        prompter().inform(QStringLiteral("%1：程式發生未預期的錯誤（%2），未產生檔案").arg(step, QString::fromLocal8Bit(what)),
                          PromptIcon::Critical);
        return QString();
    };
    CoverPrint print(job, layout);
    const QString preparing = QStringLiteral("列印資料無法準備");
    try {
        BusyScope busy(QStringLiteral("列印資料準備中…"));
        print.prepare();
    } catch (const DbError& e) {
        prompter().inform(QStringLiteral("%1：%2").arg(preparing, e.description()), PromptIcon::Critical);
        return {};
    } catch (const std::exception& e) {
        return unexpected(preparing, e.what());
    } catch (...) {
        return unexpected(preparing, "?");
    }

    FileRequest request;
    request.title = QStringLiteral("輸出檔案");
    request.filter = QStringLiteral("MS Excel Files (*.xlsx)");
    request.startFolder = job.startFolder;
    request.fileName = job.templateFile;
    const std::optional<QString> picked = prompter().openFile(request);
    if (!picked) {
        prompter().inform(QStringLiteral("取消列印"), PromptIcon::None);
        return {};
    }

    const QString printing = QStringLiteral("無法列印 %1").arg(QDir::toNativeSeparators(*picked));
    QString saved;
    try {
        BusyScope busy(QStringLiteral("列印中…"));
        print.plan(*picked);
        if (const QString tooLong = CheckSheetPages(print.coverPages(), print.detailPages()); !tooLong.isEmpty())
            throw PrintPlanError(tooLong);
        print.fill();
        saved = print.save();
    } catch (const WorkbookError& e) {
        prompter().inform(QStringLiteral("無法列印：%1").arg(e.message()), PromptIcon::Critical);
        return {};
    } catch (const PrintPlanError& e) {
        prompter().inform(QStringLiteral("%1：%2").arg(printing, e.message()), PromptIcon::Critical);
        return {};
    } catch (const DbError& e) {
        prompter().inform(QStringLiteral("無法列印：統計資料庫錯誤 %1").arg(e.description()), PromptIcon::Critical);
        return {};
    } catch (const std::exception& e) {
        return unexpected(printing, e.what());
    } catch (...) {
        return unexpected(printing, "?");
    }
    DeliverSavedWorkbook(saved);
    return saved;
}

} // namespace varn
