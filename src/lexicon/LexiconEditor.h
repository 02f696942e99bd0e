#pragma once

#include "lexicon/AreaGrids.h"
#include "lexicon/ItemGrid.h"
#include "lexicon/LexiconTables.h"
#include "lexicon/LookupListSet.h"

#include <QObject>
#include <QStringList>

namespace varn {

class Database;

enum class LexiconGrid { Areas, WorkItems, Details };

enum class MoveResult { NoSelection, Refused, Moved };

// The lexicon window without its widgets: the working copies of the area grids, the work
// items (hfgW) and the details (hfgD) with the editing state the window's handlers share,
// and the thirteen lookup lists. Nothing reaches the database but an apply (one
// transaction, under the key the grid was loaded for) and the lookup lists at close.
// Questions and messages go through the Prompter. The database is the shared gDb.
class LexiconEditor : public QObject {
    Q_OBJECT
public:
    LexiconEditor();

    // The editing state (one set for all grids).
    int CurGrid = 0;
    int CurRow = 0;
    int CurCol = 0;
    bool Editing = false;
    bool EditExisting = false;
    QString CurWorkItem;

    AreaGrids& areas() { return m_areas; }
    ItemGrid& workItems() { return m_work; }      // hfgW: 施工 單位 成本 比例
    ItemGrid& details() { return m_details; }     // hfgD: 細項 加成金
    LookupListSet& lookups() { return m_lookups; }

    bool canEdit() const { return m_canEdit; }
    void setCanEdit(bool on) { m_canEdit = on; }
    // A grid has pending edits while its 套用 is enabled.
    bool pending(LexiconGrid g) const;
    bool workGridEnabled() const { return m_workEnabled; }
    bool detailGridEnabled() const { return m_detailsEnabled; }
    // lbl2: the selected work item followed by " 的", or empty.
    QString detailCaption() const;

    // The keys the grids were loaded for.
    QString category() const { return m_category; }
    QString workType() const { return m_workType; }
    QString detailKey() const { return m_detailKey; }

    // Window opening: the lists of the combos, the first category's areas, the first work
    // type's work items, an empty details grid, the lookup lists.
    void load();
    const QStringList& categoryList() const { return m_categories; }
    const QStringList& workTypeList() const { return m_workTypes; }
    const QStringList& unitList() const { return m_units; }
    // After the ordered-list editor: the list again, showing its first entry.
    void reloadCategories();
    void reloadWorkTypes();

    // A combo choice. A pending grid is settled first (the pending question); false when
    // the user keeps it, and the grid then stays on its key.
    bool chooseCategory(const QString& category);
    bool chooseWorkType(const QString& workType);

    // Left clicks. They return true when the in-cell editor is to open on (CurRow, CurCol).
    bool clickArea(int grid, int row);
    bool clickWorkItem(int row, int col);
    bool clickDetail(int row, int col);
    // Right clicks: true when the grid's pop-up menu is to open.
    bool rightClickArea(int grid, int row);
    bool rightClickWorkItem(int row);
    bool rightClickDetail(int row);

    // Menu commands. The add commands return true when an editor is to open on the new
    // row at (CurRow, CurCol) (for areas, in grid CurGrid).
    bool addArea();
    bool addWorkItem();
    bool addDetail();
    void editGrid(LexiconGrid g);        // 修改
    void deleteRow(LexiconGrid g);       // 刪除, after its question

    // What an editor types goes into the grid's current cell; an emptied numeric cell
    // holds "0".
    void typeText(LexiconGrid g, const QString& text);
    static bool isNumericColumn(LexiconGrid g, int col);
    // The work item being edited has details, so changing its name moves them.
    bool nameWarningDue();

    // Enter (or leaving the editor) in the work-item and detail editors: the next cell.
    void nextWorkCell();
    void nextDetailCell();

    MoveResult moveArea(int delta);
    MoveResult moveWorkItem(int delta);
    MoveResult moveDetail(int delta);

    // 套用 and 取消 of a grid; an apply that fails says why and keeps the edits.
    bool apply(LexiconGrid g);
    void cancel(LexiconGrid g);

    // Asks "正在編輯中 / 是否套用?" for a pending grid: Yes applies, No cancels. False when
    // the user chose Cancel (or the apply failed).
    bool settle(LexiconGrid g);
    // Leaving a tab; false: back to it.
    bool leaveTab(int previousTab);
    // The window closes: pending grids are settled, then the changed lookup lists saved
    // (only with the right). False: the window stays open.
    bool close();

signals:
    // Anything the window shows besides the grid texts changed (pending, enabled, keys).
    void stateChanged();

private:
    Database& db();
    void setPending(LexiconGrid g, bool on);
    void showAreas(const QString& category);
    void showWorkItems(const QString& workType);
    void showDetails(const QString& workItem);
    void reportFailure(const QString& description);
    void readFailed(const std::exception& e);
    MoveResult moveItemRow(ItemGrid& grid, LexiconGrid g, int delta);
    bool askDelete(const QString& text);
    // A grid cannot be added to before its key exists: says what to create first.
    bool keyMissing(const QString& key, const QString& what);
    // After the work items reload: the selected row's details as stored.
    void showSelectedDetails();

    AreaGrids m_areas;
    ItemGrid m_work;
    ItemGrid m_details;
    LookupListSet m_lookups;
    bool m_canEdit = false;
    bool m_pending[3] = {false, false, false};
    bool m_workEnabled = true;
    bool m_detailsEnabled = true;
    QString m_category, m_workType, m_detailKey;
    // The rows each grid was loaded from: an apply writes only what changed since.
    QList<LexiconRow> m_loadedAreas, m_loadedWork, m_loadedDetails;
    qint64 m_selectedWork = 0;   // the stored row of the selected work item
    QStringList m_categories, m_workTypes, m_units;
};

} // namespace varn
