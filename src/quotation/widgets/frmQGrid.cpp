// The item grid hfgQ of the quotation window: its mouse handling, which opens the cell
// editors and the row popup mQ, and the row commands.
#include "quotation/widgets/frmQ.h"

#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Prompter.h"
#include "quotation/EditorRules.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/CellEditors.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>

namespace varn {

void frmQ::hfgQ_MouseDown(Qt::MouseButton button, int row, int col, const QPoint& globalPos)
{
    switch (EditorRules::mouseDownGuard(row, col, m_doc->tree().nodeCount(), m_doc->isLeaf())) {
    case GridGuard::Ignore:
        return;
    case GridGuard::NeedTreeNodes:
        prompter().inform(QStringLiteral("請在左方建立區域或工種"), PromptIcon::Warning,
                          QStringLiteral("Varn3"));
        return;
    case GridGuard::NotALeaf:
        prompter().inform(QStringLiteral("以下還有階層 無法修改\r\n請點取最低階層\r\n再行修改 OK "),
                          PromptIcon::Warning);
        return;
    case GridGuard::Pass:
        break;
    }
    m_lstAK->hide();
    m_doc->setEditCell(row, col);

    if (button == Qt::LeftButton) {
        switch (EditorRules::leftClick(row, col)) {
        case LeftClick::SelectRows:
            m_doc->setRowSelection(row, m_doc->selRowEnd());
            m_editors->HideCellEditors();
            break;
        case LeftClick::CloseEditors:
            m_doc->setRowSelection(-1, m_doc->selRowEnd());
            m_editors->HideCellEditors();
            break;
        case LeftClick::EditCell: {
            m_doc->setRowSelection(-1, m_doc->selRowEnd());
            // A click on the last row makes room for ten more; one below the rows edits the
            // first free row, never the filled row the grid reports under the mouse.
            const int editRow = m_doc->editRowForClick(row, m_hfgQ->mouseBelowRows());
            m_doc->setEditCell(editRow, col);
            m_doc->hfgQ().setRow(editRow);
            m_doc->hfgQ().setCol(col);
            if (col != QCol::WorkItem)
                m_editors->BeginCellEdit(editRow, col);
            else
                m_editors->HideCellEditors();
            break;
        }
        }
        return;
    }
    if (button != Qt::RightButton)
        return;

    // The right-clicked cell is where the row commands act (below the rows, the first free
    // row); an open editor stays open.
    m_doc->rightClickCell(row, col, m_hfgQ->mouseBelowRows());
    const RowMenuState s = m_doc->rowMenuState();
    action(QStringLiteral("mUndo"))->setEnabled(s.undo);
    if (col != QCol::Selector)
        return;
    const bool onDataRow = m_doc->editRow() >= 1;
    action(QStringLiteral("mInsQ"))->setEnabled(m_doc->isLeaf() && onDataRow);
    action(QStringLiteral("mCpq"))->setEnabled(s.copy);
    action(QStringLiteral("mDelQ"))->setEnabled(s.remove);
    action(QStringLiteral("mPstQ"))->setEnabled(s.paste && onDataRow);
    action(QStringLiteral("mInsQcp"))->setEnabled(s.insertCopied && onDataRow);
    action(QStringLiteral("mAdd2W"))->setEnabled(hasCommandHandler(QStringLiteral("mAdd2W")));
    m_mQ->popup(globalPos);
}

void frmQ::hfgQ_MouseUp()
{
    m_doc->setRowSelection(m_doc->selRow(), m_doc->hfgQ().rowSel());
}

void frmQ::hfgQ_MouseMove(const QPoint& pos)
{
    // The 階層 path of the row as the tooltip over column 1; nothing below the last row.
    GridModel& grid = m_doc->hfgQ();
    const auto [row, col] = m_hfgQ->cellAt(pos);
    const QRect last = m_hfgQ->cellRect(grid.rows() - 1, std::max(col, 0));
    QString tip;
    if (row >= 0 && col == QCol::Path && !(last.isValid() && pos.y() > last.bottom()))
        tip = grid.textMatrix(row, QCol::Path);
    grid.setToolTipText(tip);
}

void frmQ::hfgQ_DblClick(int row, int col)
{
    m_doc->hfgQ_DblClick(row, col);
}

// ---- row commands --------------------------------------------------------------------------
// An open editor is closed first: the rows under it move.

void frmQ::mInsQ_Click()
{
    m_editors->HideCellEditors();
    m_doc->mInsQ_Click();
}

void frmQ::mInsQcp_Click()
{
    m_editors->HideCellEditors();
    m_doc->mInsQcp_Click();
}

void frmQ::mDelQ_Click()
{
    m_editors->HideCellEditors();
    m_doc->mDelQ_Click();
}

void frmQ::mCpq_Click()
{
    m_doc->mCpq_Click();
}

void frmQ::mPstQ_Click()
{
    m_editors->HideCellEditors();
    m_doc->mPstQ_Click();
}

void frmQ::mUndo_Click()
{
    m_editors->HideCellEditors();
    if (!m_doc->mUndo_Click())
        prompter().inform(QStringLiteral("沒有可退回的資料"), PromptIcon::Information);
}

} // namespace varn
