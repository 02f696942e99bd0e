#include "quotation/EditorRules.h"

#include "quotation/ItemColumns.h"

#include <QRegularExpression>

#include <algorithm>

namespace varn::EditorRules {

namespace {

// An input method commits full-width digits, points and signs; a copied number may bring
// the typographic minus sign.
QChar halfWidth(QChar ch)
{
    if (ch >= QChar(0xFF10) && ch <= QChar(0xFF19))
        return QChar(u'0' + (ch.unicode() - 0xFF10));
    switch (ch.unicode()) {
    case 0xFF0E: return u'.';
    case 0xFF05: return u'%';
    case 0xFF0D: return u'-';
    case 0x2212: return u'-';
    case 0xFF0B: return u'+';
    case 0xFF0C: return u',';
    default: return ch;
    }
}

// Marks a copy from a web page or a document brings along without showing them: zero-width
// spaces and joiners, the byte-order mark and direction marks.
bool invisible(QChar ch)
{
    const char16_t u = ch.unicode();
    return (u >= 0x200B && u <= 0x200F) || u == 0x2060 || u == 0xFEFF || u == 0x061C;
}

// Direction overrides, embeddings and isolates reorder what follows them: "12" inside a
// right-to-left override shows as "21". A number holding one is not the number it shows.
bool reordering(QChar ch)
{
    const char16_t u = ch.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

// The text without the blanks and invisible marks around it.
QStringView trimmedAround(const QString& text)
{
    QStringView t(text);
    const auto cut = [](QChar ch) { return ch.isSpace() || invisible(ch); };
    while (!t.isEmpty() && cut(t.front()))
        t = t.mid(1);
    while (!t.isEmpty() && cut(t.back()))
        t.chop(1);
    return t;
}

// What a number field may hold on the way to a number: "", "-", ".", "1." and the like.
const QRegularExpression& partialNumber(NumberForm form)
{
    static const QRegularExpression unsignedNumber(QStringLiteral("^[0-9]*\\.?[0-9]*$"));
    static const QRegularExpression signedNumber(QStringLiteral("^[-+]?[0-9]*\\.?[0-9]*$"));
    static const QRegularExpression rate(QStringLiteral("^(?:[0-9]*\\.?[0-9]*|(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)%)$"));
    return form == NumberForm::Signed ? signedNumber : form == NumberForm::Rate ? rate : unsignedNumber;
}

} // namespace

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
        ch = halfWidth(ch);
        if (numericKeyAccepted(ch) && ch.unicode() >= 32)
            out += ch;
    }
    return out;
}

QString numberOnlyMessage()
{
    return QStringLiteral("此欄只能輸入數字");
}

std::optional<QString> pastedNumber(const QString& pasted, NumberForm form)
{
    if (std::any_of(pasted.begin(), pasted.end(), reordering))
        return std::nullopt;
    QString number;
    for (const QChar ch : trimmedAround(pasted))
        number += halfWidth(ch);
    // Digits grouped by thousands, every group after the first of three: "1,200", "12,345.5".
    static const QString digits = QStringLiteral("(?:(?:[0-9]{1,3}(?:,[0-9]{3})+|[0-9]+)(?:\\.[0-9]*)?|\\.[0-9]+)");
    static const QRegularExpression unsignedNumber(u'^' + digits + u'$');
    static const QRegularExpression signedNumber(QStringLiteral("^[-+]?") + digits + u'$');
    static const QRegularExpression rate(u'^' + digits + QStringLiteral("%?$"));
    const QRegularExpression& plain = form == NumberForm::Signed ? signedNumber
                                      : form == NumberForm::Rate ? rate
                                                                 : unsignedNumber;
    if (!plain.match(number).hasMatch())
        return std::nullopt;
    number.remove(u',');
    return number;
}

std::optional<QString> numberFieldEntry(const QString& text, qsizetype from, qsizetype to,
                                        const QString& inserted, NumberForm form, bool pasted)
{
    from = std::clamp<qsizetype>(from, 0, text.size());
    to = std::clamp<qsizetype>(to, from, text.size());
    std::optional<QString> put;
    if (pasted) {
        put = pastedNumber(inserted, form);
    } else {
        put.emplace();
        for (const QChar ch : inserted)
            *put += halfWidth(ch);
    }
    if (!put || !partialNumber(form).match(text.left(from) + *put + text.mid(to)).hasMatch())
        return std::nullopt;
    return put;
}

} // namespace varn::EditorRules
