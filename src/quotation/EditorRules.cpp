#include "quotation/EditorRules.h"

#include "quotation/ItemColumns.h"

namespace varn::EditorRules {

CellEditor editorFor(int col)
{
    switch (col) {
    case QCol::Name: return CellEditor::ItemName;
    case QCol::Standard: return CellEditor::Detail;
    case QCol::Unit: return CellEditor::Unit;
    case QCol::Qty:
    case QCol::Price:
    case QCol::Cost: return CellEditor::Number;
    case QCol::Ratio: return CellEditor::Ratio;
    case QCol::Remark: return CellEditor::Remark;
    default: return CellEditor::None;
    }
}

GridGuard mouseDownGuard(int row, int col, int treeNodeCount, bool shownIsLeaf)
{
    if (col == QCol::Path)
        return GridGuard::Ignore;
    if (row == 0)
        return GridGuard::Pass;
    if (treeNodeCount <= 1)
        return GridGuard::NeedTreeNodes;
    if (!shownIsLeaf)
        return GridGuard::NotALeaf;
    return GridGuard::Pass;
}

LeftClick leftClick(int row, int col)
{
    if (col == QCol::Selector)
        return LeftClick::SelectRows;
    if (row == 0 || col == QCol::Amount || col == QCol::CostTotal)
        return LeftClick::CloseEditors;
    return LeftClick::EditCell;
}

int nextColumnOnEnter(int col, bool noPriceRight, bool noCostRight)
{
    switch (editorFor(col)) {
    case CellEditor::ItemName:
    case CellEditor::Detail:
    case CellEditor::Unit:
    case CellEditor::Ratio:
        return col + 1;
    case CellEditor::Number:
        break;
    default:
        return -1;
    }
    if (noPriceRight && noCostRight && col == QCol::Qty)
        return QCol::Remark;                       // 數量 -> 備註
    if (!noPriceRight && !noCostRight) {
        if (col == QCol::Price || col == QCol::Cost)
            return col + 2;                        // 單價 -> 成本, 成本 -> 比例
        return col + 1;                            // 數量 -> 單價
    }
    if (noPriceRight && (col == QCol::Qty || col == QCol::Cost))
        return col + 3;                            // 數量 -> 成本, 成本 -> 備註
    if (noCostRight && col == QCol::Price)
        return QCol::Remark;                       // 單價 -> 備註
    return col + 1;
}

bool numericKeyAccepted(QChar ch)
{
    return (ch >= u'0' && ch <= u'9') || ch == u'.' || ch == QChar(8) || ch == QChar(13);
}

QString numericEditorText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar ch : text) {
        // An input method commits full-width digits and points.
        if (ch >= QChar(0xFF10) && ch <= QChar(0xFF19))
            ch = QChar(u'0' + (ch.unicode() - 0xFF10));
        else if (ch == QChar(0xFF0E))
            ch = u'.';
        if (numericKeyAccepted(ch) && ch.unicode() >= 32)
            out += ch;
    }
    return out;
}

} // namespace varn::EditorRules
