#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace varn {

// The kinds of number field: what a pasted number may look like, and which keys type there.
enum class NumberForm {
    Digits,    // the numeric editors of the grid and the lexicon: their keys type digits and "."
    Unsigned,  // the ratio combo: any key; a number without a sign
    Signed,    // the page-end fee and discount boxes: any key; a number, "-" allowed
    Rate,      // the tax rate: any key; a number, "%" allowed after it
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

// The numeric editor takes digits, the decimal point, Backspace and Enter; any other
// typed character is refused (no sign, no thousands separator).
bool numericKeyAccepted(QChar ch);
// What the numeric editor keeps of a text that did not come key by key (an input method's
// commit, a paste): full-width digits become ASCII digits, and every character the key
// filter would refuse is dropped.
QString numericEditorText(const QString& text);

// The refusal of a text a number field cannot take.
QString numberOnlyMessage();
// A change of a number field's text from `before` to `after`; `clipboard` is the text a paste
// would bring. A paste (`after` is `before` with a part replaced by the clipboard's text) must
// be one plain number of the form, judged whole: it is kept without the blanks and line breaks
// around it, full-width digits made ASCII, and the field's new text is returned. Of any other
// change, one character a key could have put there stands as typed (`after` is returned as it
// is); more at once (an input method's commit) must be one plain number likewise. Nothing when
// refused: the field keeps `before`.
std::optional<QString> numberFieldChange(const QString& before, const QString& after, NumberForm form,
                                         const QString& clipboard);

} // namespace EditorRules
} // namespace varn
