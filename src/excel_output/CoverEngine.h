#pragma once

#include "excel_output/CoverPlan.h"
#include "excel_output/DetailPlan.h"
#include "quotation/LayoutFlags.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace varn {

class Database;
class Quotation;

// What a print command hands to its engine: the quotation, the user's statistics database,
// the layout flags, and where the workbook dialog starts (the layout's template).
struct PrintJob {
    Quotation& q;
    Database* staDb = nullptr;
    LayoutFlags flags;
    QString startFolder;
    QString templateFile;
    // 區域首頁(估價)(不印工種): the cover by area, the details by area alone.
    bool areaNoTypes = false;
};

// How a two-sheet layout lays out its sheets from the statistics. Unset parts are those of
// PrintExcelCover: groups numbered by work type unless TreeMode is 1; the cover by area or
// by work type and the detail sheet of PlanDetail.
struct TwoSheetLayout {
    std::optional<bool> numberBySecondLevel;
    std::function<void(Database& sta, const LayoutFlags& flags, const QStringList& xp, CoverPlan& cover,
                       DetailPlan& detail)>
        plan;
    // Run at the end of the preparing step, the statistics rebuilt and numbered. No layout
    // needs one; tests reach that step through it.
    std::function<void(Database& sta)> prepared;
};

// The statistics rows as a saved query or a statement returns them, in the columns of 統計.
std::vector<DetailRow> ReadDetailRows(Database& sta, const QString& source);

// The steps of one cover print, each of which throws on failure (DbError, WorkbookError,
// PrintPlanError): the quotation gathered, the template laid out, the workbook filled and
// saved. PrintExcelCover runs them with the dialog and the messages in between.
class CoverPrint {
public:
    explicit CoverPrint(const PrintJob& job, TwoSheetLayout layout = {});
    ~CoverPrint();

    // The root selected, the totals recomputed, the statistics rebuilt and numbered, the
    // header values taken.
    void prepare();
    // The picked template opened and checked, the plans of both sheets worked out.
    void plan(const QString& templatePath);
    // Placeholders, cover, detail sheet and page set-up written into the workbook.
    void fill();
    // Saved under a new name in the user's working folder; returns the file.
    QString save();

    int coverPages() const;
    int detailPages() const;

private:
    struct State;
    const PrintJob& m_job;
    TwoSheetLayout m_layout;
    LayoutFlags m_flags;
    std::unique_ptr<State> d;
};

// `PrintExcelCover` for the two-sheet layouts: the root selected and the totals recomputed,
// the statistics rebuilt and numbered, the header values taken, the dialog "輸出檔案" for
// the template to fill, then the placeholders, the cover, the detail sheet and the page
// set-up laid out and written into a copy that is saved in the user's working folder and
// opened in the spreadsheet program. Every failure, any exception included, is
// told through the prompter and nothing is saved then. Returns the saved file, or empty.
QString PrintExcelCover(const PrintJob& job, const TwoSheetLayout& layout = {});

} // namespace varn
