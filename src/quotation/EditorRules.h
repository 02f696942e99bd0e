#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace varn {

// What a number pasted into a number field may look like.
enum class NumberForm {
    Unsigned,  // the grid's and the lexicon's number cells
    Signed,    // the page-end fee and discount boxes: "-" allowed (a discount is negative)
    Rate,      // the tax rate: "%" allowed after it
};

// The floating editor that edits a column of the item grid.
enum class CellEditor {
    None,       // 0 selector, 1 階層, 7 金額, 9 成本複計, 12 lexicon work item
    ItemName,   // 2 品名: text box T with the drop-down buttons c (items) and ca (areas)
    Detail,     // 3 規格: combo cbD of the row's work-item details
    Unit,       // 4 單位: combo cbU
    Number,     // 5 數量, 6 單價, 8 成本: numeric text box txt
    Ratio,      // 10 比例: combo cbS
    Remark,     // 11 備註: combo cbPs
};

// What a mouse button pressed over the item grid may do, before it does anything.
enum class GridGuard {
    Pass,          // go on
    Ignore,        // column 1 (階層): nothing at all
    NeedTreeNodes, // the tree holds only the root: "請在左方建立區域或工種"
    NotALeaf,      // the shown node has children: its rows are edited at the leaves
};

// What a left click that passed the guard does.
enum class LeftClick {
    SelectRows,    // column 0: the row starts a row selection
    CloseEditors,  // the header row or a computed column: no editor opens
    EditCell,      // an editor opens over the cell (none for column 12)
};

namespace EditorRules {

CellEditor editorFor(int col);

GridGuard mouseDownGuard(int row, int col, int treeNodeCount, bool shownIsLeaf);
LeftClick leftClick(int row, int col);

// The column Enter moves the editor of `col` on to; -1 when Enter does nothing there
// (the remark combo). The numeric editor skips the computed columns and the columns the
// user may not see.
int nextColumnOnEnter(int col, bool noPriceRight, bool noCostRight);

// The characters of the numeric editor: digits, the decimal point, Backspace and Enter (no
// sign, no thousands separator). Where a key goes is judged by numberFieldEntry.
bool numericKeyAccepted(QChar ch);
// What the numeric editor keeps of a text that reached it by other ways than its keys and
// pastes: full-width digits become ASCII digits, and every other character is dropped.
QString numericEditorText(const QString& text);

// The refusal of a text a number field cannot take.
QString numberOnlyMessage();
// What a paste into a number field of the form puts there: one plain number, judged whole,
// taken without the blanks, line breaks and invisible marks around it (a spreadsheet cell
// brings a line break along, a web page a zero-width space), with full-width digits and the
// minus sign "−" made ASCII and without the separators of a number grouped by thousands
// ("1,200" puts "1200"). Nothing when it is anything else ("2⏎3", "1,2,3", "12,34"), or when
// it holds a direction override, embedding or isolate, which shows its digits reordered.
std::optional<QString> pastedNumber(const QString& pasted, NumberForm form);
// Text typed or pasted into a number field of the form in place of [from, to) of its text:
// what goes there, or nothing when the field would then not hold one number of the form or
// the start of one ("-", "1.", "."). A paste must itself be one number (pastedNumber).
std::optional<QString> numberFieldEntry(const QString& text, qsizetype from, qsizetype to,
                                        const QString& inserted, NumberForm form, bool pasted);

} // namespace EditorRules
} // namespace varn
