#pragma once

#include "quotation/PickLists.h"

#include <QObject>
#include <QStringList>

#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace varn {

class GridView;
class ItemLexicon;
class Quotation;

// The floating editors of the item grid hfgQ. The grid edits nothing in place: one editor
// at a time is laid exactly over the cell being edited, and every change in it goes into
// that cell at once (the numeric editor and the ratio combo recompute the row and the
// totals as they go). Enter moves the editor on to the next column the user may edit.
//
// The editors are children of the grid view, so they follow it; the item and area lists
// drop down in the window area given as floatParent, where they are not clipped by the grid.
class CellEditors : public QObject {
    Q_OBJECT
public:
    CellEditors(Quotation& q, GridView& grid, QWidget* floatParent);

    // The lexicon for the item and detail picks (not owned; null: no lexicon, no picks).
    void setLexicon(ItemLexicon* lexicon) { m_lexicon = lexicon; }
    // `LoadDetailList`: the details of a work item, read each time 規格 is edited.
    void setDetailLoader(std::function<PickList(const QString& workItem)> loader)
    {
        m_detailLoader = std::move(loader);
    }
    // The lists of the row editors, filled when the window loads.
    void setUnits(const QStringList& units);
    void setRatios(const QStringList& ratios);
    void setRemarkPhrases(const QStringList& phrases);
    // Ls: the work items of the shown path; LsA: the areas of the project category.
    void setItems(const QStringList& items);
    void setAreas(const QStringList& areas);

    // `BeginCellEdit`: places the editor of the column over (row, col) and puts the cell's
    // text into it (column 8 first takes the price as the cost when it is empty).
    void BeginCellEdit(int row, int col);
    // `HideCellEditors`: every editor and list hidden; nothing is written.
    void HideCellEditors();
    // `hfgQ_Scroll`: the editors close, except the remark combo, which follows its cell.
    void hfgQ_Scroll();
    // The open editor goes back over its cell (the grid was resized or re-laid out).
    void followCell();

    bool isOpen() const { return m_open; }
    // The cell the open (or last) editor edits.
    int row() const { return m_row; }
    int col() const { return m_col; }
    // The editor widget that is open, or null.
    QWidget* openEditor() const;

    // Drop-down buttons and picks.
    void c_Click();
    void ca_Click();
    void Ls_Click(const QString& workItem);
    void LsA_Click(const QString& area);
    void cbD_Click(const QString& detail);
    // A ratio or unit picked from its list.
    void comboPicked(QComboBox* combo, const QString& text);
    // Enter in the open editor.
    void enterPressed();

    // The controls, by their names in the window.
    QLineEdit* T() const { return m_T; }
    QToolButton* c() const { return m_c; }
    QToolButton* ca() const { return m_ca; }
    QListWidget* Ls() const { return m_Ls; }
    QListWidget* LsA() const { return m_LsA; }
    QComboBox* cbD() const { return m_cbD; }
    QComboBox* cbU() const { return m_cbU; }
    QLineEdit* txt() const { return m_txt; }
    QComboBox* cbS() const { return m_cbS; }
    QComboBox* cbPs() const { return m_cbPs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* makeCombo(const char* name);
    void place();
    void ensureCellVisible(int row, int col);
    void openList(QListWidget* list);
    void writeBack(QWidget* editor, const QString& text);
    void showCellText(QWidget* editor);
    static void setEditorText(QWidget* editor, const QString& text);

    Quotation& m_q;
    GridView& m_grid;
    QWidget* m_floatParent;
    ItemLexicon* m_lexicon = nullptr;
    std::function<PickList(const QString&)> m_detailLoader;

    QLineEdit* m_T;
    QToolButton* m_c;
    QToolButton* m_ca;
    QListWidget* m_Ls;
    QListWidget* m_LsA;
    QComboBox* m_cbD;
    QComboBox* m_cbU;
    QLineEdit* m_txt;
    QComboBox* m_cbS;
    QComboBox* m_cbPs;

    bool m_open = false;
    bool m_placing = false;   // NoRecalc: the cell's text is being put into the editor
    int m_row = 0;
    int m_col = 0;
};

} // namespace varn
