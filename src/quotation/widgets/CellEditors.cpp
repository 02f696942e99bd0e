#include "quotation/widgets/CellEditors.h"

#include "platform/db/DbError.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "quotation/EditorRules.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/NumberEntry.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

constexpr int ButtonTwips = 285;      // the drop-down buttons c and ca
constexpr int ListHeightTwips = 4000;  // the item and area lists

int px(int twips)
{
    return TwipsToPixels(twips);
}

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

} // namespace

CellEditors::CellEditors(Quotation& q, GridView& grid, QWidget* floatParent)
    : QObject(&grid), m_q(q), m_grid(grid), m_floatParent(floatParent)
{
    m_T = new QLineEdit(&m_grid);
    m_T->setObjectName(QStringLiteral("T"));
    m_c = new QToolButton(&m_grid);
    m_c->setObjectName(QStringLiteral("c"));
    m_ca = new QToolButton(&m_grid);
    m_ca->setObjectName(QStringLiteral("ca"));
    for (QToolButton* b : {m_c, m_ca}) {
        b->setText(QStringLiteral("▼"));
        b->setFocusPolicy(Qt::NoFocus);
        b->resize(px(ButtonTwips), px(ButtonTwips));
    }
    m_Ls = new QListWidget(m_floatParent);
    m_Ls->setObjectName(QStringLiteral("Ls"));
    m_LsA = new QListWidget(m_floatParent);
    m_LsA->setObjectName(QStringLiteral("LsA"));
    m_cbD = makeCombo("cbD");
    m_cbU = makeCombo("cbU");
    m_txt = new QLineEdit(&m_grid);
    m_txt->setObjectName(QStringLiteral("txt"));
    m_txt->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_cbS = makeCombo("cbS");
    m_cbPs = makeCombo("cbPs");

    for (QWidget* w : {static_cast<QWidget*>(m_T), static_cast<QWidget*>(m_c),
                       static_cast<QWidget*>(m_ca), static_cast<QWidget*>(m_Ls),
                       static_cast<QWidget*>(m_LsA), static_cast<QWidget*>(m_cbD),
                       static_cast<QWidget*>(m_cbU), static_cast<QWidget*>(m_txt),
                       static_cast<QWidget*>(m_cbS), static_cast<QWidget*>(m_cbPs)}) {
        w->hide();
    }
    for (QObject* o : {static_cast<QObject*>(m_T), static_cast<QObject*>(m_txt),
                       static_cast<QObject*>(m_LsA), static_cast<QObject*>(m_Ls)}) {
        o->installEventFilter(this);
    }
    m_grid.installEventFilter(this);
    // A number cell holds one number: a key or a paste that would leave anything else is refused.
    for (QLineEdit* number : {m_txt, m_cbS->lineEdit()})
        FilterNumberEntry(number, NumberForm::Unsigned);
    // The ratio is the number typed, not the first of the list that begins with it: "1" and
    // Enter is 1, not 1.2.
    m_cbS->setCompleter(nullptr);
    // A node click, a finished item pick or a bulk edit closes whatever editor is open.
    connect(&m_q, &Quotation::hideCellEditorsRequested, this, &CellEditors::HideCellEditors);

    // Every change goes into the cell at once.
    connect(m_T, &QLineEdit::textChanged, this, [this](const QString& t) { writeBack(m_T, t); });
    connect(m_txt, &QLineEdit::textChanged, this, [this](const QString& t) { writeBack(m_txt, t); });
    for (QComboBox* cb : {m_cbD, m_cbU, m_cbS, m_cbPs}) {
        connect(cb, &QComboBox::editTextChanged, this, [this, cb](const QString& t) { writeBack(cb, t); });
    }
    connect(m_cbD, &QComboBox::activated, this, [this](int i) { cbD_Click(m_cbD->itemText(i)); });
    // A pick recomputes the row even when it names what the cell holds already (the text
    // did not change, so the change handler did not run).
    for (QComboBox* cb : {m_cbS, m_cbU}) {
        connect(cb, &QComboBox::activated, this, [this, cb](int i) { comboPicked(cb, cb->itemText(i)); });
    }
    connect(m_cbPs, &QComboBox::activated, this, [this](int) {
        // cbPs_Click: the phrase is in the cell already; the sums are refreshed.
        if (m_open && !m_placing)
            m_q.UpdateTotals();
    });
    connect(m_c, &QToolButton::clicked, this, [this] { c_Click(); });
    connect(m_ca, &QToolButton::clicked, this, [this] { ca_Click(); });
    connect(m_Ls, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { Ls_Click(it->text()); });
    connect(m_LsA, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { LsA_Click(it->text()); });
}

QComboBox* CellEditors::makeCombo(const char* name)
{
    auto* cb = new QComboBox(&m_grid);
    cb->setObjectName(QString::fromLatin1(name));
    cb->setEditable(true);
    cb->setInsertPolicy(QComboBox::NoInsert);
    cb->setMaxVisibleItems(16);
    cb->installEventFilter(this);
    cb->lineEdit()->installEventFilter(this);
    return cb;
}

void CellEditors::setUnits(const QStringList& units)
{
    const QSignalBlocker block(m_cbU);
    m_cbU->clear();
    m_cbU->addItems(units);
}

void CellEditors::setRatios(const QStringList& ratios)
{
    const QSignalBlocker block(m_cbS);
    m_cbS->clear();
    m_cbS->addItems(ratios);
}

void CellEditors::setRemarkPhrases(const QStringList& phrases)
{
    const QSignalBlocker block(m_cbPs);
    m_cbPs->clear();
    m_cbPs->addItems(phrases);
}

void CellEditors::setItems(const QStringList& items)
{
    m_Ls->clear();
    m_Ls->addItems(items);
    if (items.isEmpty())
        m_Ls->hide();
}

void CellEditors::setAreas(const QStringList& areas)
{
    m_LsA->clear();
    m_LsA->addItems(areas);
    if (areas.isEmpty())
        m_LsA->hide();
}

QWidget* CellEditors::openEditor() const
{
    if (!m_open)
        return nullptr;
    switch (EditorRules::editorFor(m_col)) {
    case CellEditor::ItemName: return m_T;
    case CellEditor::Detail: return m_cbD;
    case CellEditor::Unit: return m_cbU;
    case CellEditor::Number: return m_txt;
    case CellEditor::Ratio: return m_cbS;
    case CellEditor::Remark: return m_cbPs;
    case CellEditor::None: break;
    }
    return nullptr;
}

void CellEditors::HideCellEditors()
{
    // Hiding the focused editor would hand the keyboard to the next control in the tab
    // chain, a header field: the keys that follow stay with the grid instead.
    const QWidget* focus = QApplication::focusWidget();
    bool hadFocus = false;
    for (QWidget* w : {static_cast<QWidget*>(m_T), static_cast<QWidget*>(m_c),
                       static_cast<QWidget*>(m_ca), static_cast<QWidget*>(m_Ls),
                       static_cast<QWidget*>(m_LsA), static_cast<QWidget*>(m_cbD),
                       static_cast<QWidget*>(m_cbU), static_cast<QWidget*>(m_cbS),
                       static_cast<QWidget*>(m_cbPs), static_cast<QWidget*>(m_txt)}) {
        hadFocus = hadFocus || (focus && (focus == w || w->isAncestorOf(focus)));
        w->hide();
    }
    m_open = false;
    if (hadFocus)
        m_grid.setFocus(Qt::OtherFocusReason);
}

void CellEditors::BeginCellEdit(int row, int col)
{
    HideCellEditors();
    GridModel& grid = m_q.hfgQ();
    if (row < 1 || row >= grid.rows() || col < 0 || col >= grid.cols())
        return;
    m_placing = true;
    ensureCellVisible(row, col);
    m_row = row;
    m_col = col;
    m_q.setEditCell(row, col);
    grid.setRow(row);
    grid.setCol(col);

    QWidget* editor = nullptr;
    switch (EditorRules::editorFor(col)) {
    case CellEditor::None:
        break;
    case CellEditor::ItemName:
        editor = m_T;
        break;
    case CellEditor::Detail: {
        editor = m_cbD;
        const QSignalBlocker block(m_cbD);
        m_cbD->clear();
        if (m_detailLoader) {
            const PickList details = m_detailLoader(m_q.GTxM(row, QCol::WorkItem));
            if (!details.ok())
                prompter().inform(details.error, PromptIcon::Warning);
            m_cbD->addItems(details.entries);
        }
        break;
    }
    case CellEditor::Unit:
        editor = m_cbU;
        break;
    case CellEditor::Number:
        editor = m_txt;
        break;
    case CellEditor::Ratio:
        editor = m_cbS;
        break;
    case CellEditor::Remark:
        editor = m_cbPs;
        break;
    }
    if (!editor) {
        m_placing = false;
        return;
    }

    // An empty cost starts from the price; the cost total follows at once.
    QString text = m_q.GTxM(row, col);
    if (col == QCol::Cost) {
        text = m_q.beginCostEdit(row);
        m_q.UpdateTotals();
    }
    setEditorText(editor, text);
    m_open = true;
    place();
    editor->setFont(m_grid.font());
    editor->show();
    editor->raise();
    if (editor == m_T) {
        m_c->show();
        m_c->raise();
        m_ca->setVisible(m_q.noAreaMode());
        m_ca->raise();
    }
    editor->setFocus(Qt::OtherFocusReason);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->lineEdit()->selectAll();
    m_placing = false;
}

void CellEditors::setEditorText(QWidget* editor, const QString& text)
{
    const QSignalBlocker block(editor);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(-1);
        combo->setEditText(text);
    }
}

void CellEditors::place()
{
    const QRect cell = m_grid.cellRect(m_row, m_col);
    if (!cell.isValid())
        return;
    QWidget* editor = openEditor();
    if (editor != m_T) {
        if (editor)
            editor->setGeometry(cell);
        return;
    }
    // [▼ areas][ T ... ][▼ items]; the area button only in the no-area mode.
    const int b = std::min(px(ButtonTwips), cell.height());
    const bool areas = m_q.noAreaMode();
    const int left = cell.left() + (areas ? b : 0);
    const int width = std::max(1, cell.width() - b - (areas ? b : 0));
    m_T->setGeometry(left, cell.top(), width, cell.height());
    m_c->setGeometry(left + width, cell.top(), b, cell.height());
    m_ca->setGeometry(cell.left(), cell.top(), b, cell.height());
}

void CellEditors::followCell()
{
    if (m_open)
        place();
    for (QListWidget* list : {m_Ls, m_LsA}) {
        if (list->isVisible())
            openList(list);
    }
}

void CellEditors::hfgQ_Scroll()
{
    if (m_open && m_col == QCol::Remark)
        place();
    else
        HideCellEditors();
}

void CellEditors::ensureCellVisible(int row, int col)
{
    const QRect cell = m_grid.cellRect(row, col);
    if (!cell.isValid())
        return;
    const QRect vp = m_grid.viewport()->geometry();
    if (col >= m_q.hfgQ().fixedCols()) {
        QScrollBar* h = m_grid.horizontalScrollBar();
        if (cell.right() > vp.right())
            h->setValue(h->value() + std::min(cell.right() - vp.right(), cell.left() - vp.left()));
        else if (cell.left() < vp.left())
            h->setValue(h->value() - (vp.left() - cell.left()));
    }
    if (row >= m_q.hfgQ().fixedRows()) {
        QScrollBar* v = m_grid.verticalScrollBar();
        const int h = std::max(1, m_grid.gridRowHeight());
        if (cell.bottom() > vp.bottom())
            v->setValue(v->value() + (cell.bottom() - vp.bottom() + h - 1) / h);
        else if (cell.top() < vp.top())
            v->setValue(v->value() - (vp.top() - cell.top() + h - 1) / h);
    }
}

void CellEditors::writeBack(QWidget* editor, const QString& text)
{
    // NoRecalc: putting the cell's own text into the editor writes nothing.
    if (m_placing || !m_open || editor != openEditor())
        return;
    bool written;
    if (editor == m_txt) {
        // Whatever way the text arrived, the editor holds only what its keys may type.
        const QString kept = EditorRules::numericEditorText(text);
        if (kept != text) {
            const int cursor = m_txt->cursorPosition() - static_cast<int>(text.size() - kept.size());
            setEditorText(m_txt, kept);
            m_txt->setCursorPosition(std::max(0, cursor));
        }
        written = m_q.cellEdited(m_row, m_col, kept);   // txt_Change
    } else if (editor == m_cbS) {
        written = m_q.cellEdited(m_row, m_col, text);   // cbS_Change
    } else {
        written = m_q.setCellText(m_row, m_col, text);  // T, cbD, cbU, cbPs
    }
    if (!written)
        showCellText(editor);   // refused: the editor goes back to what the cell holds
}

void CellEditors::showCellText(QWidget* editor)
{
    setEditorText(editor, m_q.GTxM(m_row, m_col));
}

void CellEditors::openList(QListWidget* list)
{
    const QPoint at = m_T->mapTo(m_floatParent, QPoint(0, 0));
    const int height = px(ListHeightTwips);
    const int width = m_T->width() + m_c->width();
    // Below the editor when there is room for it in the window, above it otherwise.
    int top = at.y() + m_T->height();
    if (top + height > m_floatParent->height())
        top = std::max(0, at.y() - height);
    list->setGeometry(at.x(), top, width, height);
    list->show();
    list->raise();
}

void CellEditors::c_Click()
{
    m_LsA->hide();
    if (m_open && m_Ls->count() > 0)
        openList(m_Ls);
}

void CellEditors::ca_Click()
{
    m_Ls->hide();
    if (m_open && m_LsA->count() > 0)
        openList(m_LsA);
}

void CellEditors::Ls_Click(const QString& workItem)
{
    if (!m_open || m_col != QCol::Name)
        return;
    if (!m_lexicon) {
        prompter().inform(QStringLiteral("無法讀取詞庫"), PromptIcon::Warning);
        return;
    }
    const int row = m_row;
    try {
        m_q.pickItem(row, workItem, m_T->text(), *m_lexicon);
    } catch (const DbError& e) {
        prompter().inform(QStringLiteral("無法讀取詞庫\r\n%1").arg(e.description()), PromptIcon::Warning);
    }
    // A pick that found the item closed the editors; one that did not leaves them open
    // with the name written.
    if (m_open)
        showCellText(m_T);
}

void CellEditors::LsA_Click(const QString& area)
{
    if (!m_open || m_col != QCol::Name)
        return;
    m_T->setText(area);   // T_Change writes it into the cell
    m_LsA->hide();
    m_T->setFocus(Qt::OtherFocusReason);
}

void CellEditors::cbD_Click(const QString& detail)
{
    if (!m_open || m_col != QCol::Standard || m_placing)
        return;
    if (!m_lexicon)
        return;
    try {
        m_q.pickDetail(m_row, detail, *m_lexicon);
    } catch (const DbError& e) {
        prompter().inform(QStringLiteral("無法讀取詞庫\r\n%1").arg(e.description()), PromptIcon::Warning);
    }
}

void CellEditors::comboPicked(QComboBox* combo, const QString& text)
{
    if (!m_open || m_placing || combo != openEditor() || m_q.GTxM(m_row, m_col) != text)
        return;   // a refused pick: the change handler has said so already
    if (combo == m_cbS)
        m_q.cellEdited(m_row, m_col, text);   // cbS_Click
    else
        m_q.UpdateTotals();                    // cbU_Click: the unit is in the cell
}

void CellEditors::enterPressed()
{
    if (!m_open)
        return;
    const int next = EditorRules::nextColumnOnEnter(m_col, m_q.noPriceRight(), m_q.noCostRight());
    if (next < 0)
        return;
    BeginCellEdit(m_row, next);
}

bool CellEditors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_grid) {
        if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutRequest)
            followCell();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab never leaves the grid for the header: it does what Enter does.
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (watched == m_Ls || watched == m_LsA) {
            if (tab)
                return true;
            if (isEnter(key) && static_cast<QListWidget*>(watched)->currentItem()) {
                QListWidgetItem* item = static_cast<QListWidget*>(watched)->currentItem();
                if (watched == m_Ls)
                    Ls_Click(item->text());
                else
                    LsA_Click(item->text());
                return true;
            }
            return false;
        }
        const bool isRemark = watched == m_cbPs || watched == m_cbPs->lineEdit();
        if (isEnter(key) || tab) {
            if (!isRemark && key->key() != Qt::Key_Backtab)
                enterPressed();
            return true;   // no combo takes Enter as "add to the list"
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace varn
