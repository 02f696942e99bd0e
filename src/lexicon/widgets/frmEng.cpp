#include "lexicon/widgets/frmEng.h"

#include "lexicon/LexiconText.h"
#include "lexicon/exports/LexiconExports.h"
#include "lexicon/widgets/Controls.h"
#include "lexicon/widgets/frmEm.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "quotation/widgets/NumberEntry.h"
#include "shared/ProgramState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace varn {

namespace {

QPointer<frmEng>& theInstance()
{
    static QPointer<frmEng> instance;
    return instance;
}

std::function<void()>& databaseOpener()
{
    static std::function<void()> opener;
    return opener;
}

QLineEdit* cellEditor(QWidget* parent, const char* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setFrame(false);
    e->hide();
    return e;
}

void colour(QWidget* w, const QColor& back, const QColor& fore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Button, back);
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Text, fore);
    p.setColor(QPalette::ButtonText, fore);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

} // namespace

frmEng::frmEng(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmEng"));
    setWindowTitle(QStringLiteral("工程資料"));
    resize(TwipsToPixels(13800), TwipsToPixels(7800));

    Tab1 = new QTabWidget(this);
    Tab1->setObjectName(QStringLiteral("Tab1"));
    auto* areasPage = new QWidget;
    auto* workPage = new QWidget;
    auto* listsPage = new QWidget;
    Tab1->addTab(areasPage, QStringLiteral("工程類別 與 區域"));
    Tab1->addTab(workPage, QStringLiteral("工程種類 與 施工 、 加成"));
    Tab1->addTab(listsPage, QStringLiteral("其他詞庫"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Tab1);

    buildAreasTab(areasPage);
    buildWorkTab(workPage);
    buildListsTab(listsPage);
    connect(cmdPo, &QPushButton::clicked, this, [this] { cmdPo_Click(); });
    connect(cmdPrd, &QPushButton::clicked, this, [this] { cmdPrd_Click(); });
    connect(cmdPrK, &QPushButton::clicked, this, [this] { cmdPrK_Click(); });
    connect(cmdPrt, &QPushButton::clicked, this, [this] { cmdPrt_Click(); });

    connect(Tab1, &QTabWidget::currentChanged, this, [this](int) {
        if (m_switchingBack)
            return;
        const int previous = m_currentTab;
        m_currentTab = Tab1->currentIndex();
        Tab1_Click(previous);
    });
    connect(&m_editor, &LexiconEditor::stateChanged, this, [this] { refreshState(); });
    connect(&m_editor.areas(), &AreaGrids::layoutChanged, this, [this] { syncAreaViews(); });

    Form_Load();
}

frmEng::~frmEng() = default;

frmEng* frmEng::instance()
{
    QPointer<frmEng>& w = theInstance();
    if (!w) {
        w = new frmEng;
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    return w;
}

frmEng* frmEng::existing()
{
    return theInstance();
}

void frmEng::setDatabaseOpener(std::function<void()> opener)
{
    databaseOpener() = std::move(opener);
}

// ---- building ---------------------------------------------------------------------

QMenu* frmEng::buildMenu(const QString& suffix, QAction*& apply,
                         const std::array<std::function<void()>, 5>& handlers)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("m") + suffix);
    auto add = [&](const QString& name, const QString& text, const std::function<void()>& handler) {
        QAction* a = menu->addAction(text);
        a->setObjectName(name);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };
    add(QStringLiteral("mAdd") + suffix, QStringLiteral("新增"), handlers[0]);
    add(QStringLiteral("mDel") + suffix, QStringLiteral("刪除"), handlers[1]);
    add(QStringLiteral("mEdit") + suffix, QStringLiteral("修改"), handlers[2]);
    menu->addSeparator();
    // Shown and enabled, with nothing behind them.
    add(QStringLiteral("mCopy") + suffix, QStringLiteral("複製"), {});
    add(QStringLiteral("mPast") + suffix, QStringLiteral("貼上"), {});
    menu->addSeparator();
    const QString applyName = suffix == QLatin1String("A") ? QStringLiteral("mAp")
                              : suffix == QLatin1String("W") ? QStringLiteral("mWap")
                                                             : QStringLiteral("mDap");
    const QString cancelName = suffix == QLatin1String("A") ? QStringLiteral("mAc")
                               : suffix == QLatin1String("W") ? QStringLiteral("mWc")
                                                              : QStringLiteral("mDc");
    apply = add(applyName, QStringLiteral("套用"), handlers[3]);
    apply->setEnabled(false);
    add(cancelName, QStringLiteral("取消"), handlers[4]);
    return menu;
}

void frmEng::buildAreasTab(QWidget* page)
{
    cmEdK = NamedButton(page, "cmEdK", QStringLiteral("工程類別："));
    cbK = new QComboBox(page);
    cbK->setObjectName(QStringLiteral("cbK"));
    cbK->setMinimumWidth(TwipsToPixels(3000));
    colour(cbK, categoryBack(), Qt::black);
    cmdPrK = NamedButton(page, "cmdPrK", QStringLiteral("列印"));
    cmdPrK->hide();
    Frame1 = new QGroupBox(QStringLiteral("區域地點："), page);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->installEventFilter(this);
    txtA = cellEditor(Frame1, "txtA");
    cmAp = NamedButton(page, "cmAp", QStringLiteral("套用"));
    cmdCancel = NamedButton(page, "cmdCancel", QStringLiteral("取消"));
    cmdUpA = NamedButton(page, "cmdUpA", QStringLiteral("▲"));
    cmdDnA = NamedButton(page, "cmdDnA", QStringLiteral("▼"));

    auto* top = new QHBoxLayout;
    top->addWidget(cmEdK);
    top->addWidget(cbK);
    top->addStretch();
    top->addWidget(cmdPrK);
    auto* side = new QVBoxLayout;
    side->addWidget(cmdUpA);
    side->addWidget(cmdDnA);
    side->addStretch();
    side->addWidget(cmAp);
    side->addWidget(cmdCancel);
    auto* body = new QHBoxLayout;
    body->addWidget(Frame1, 1);
    body->addLayout(side);
    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addLayout(body, 1);

    connect(cbK, &QComboBox::activated, this, [this](int) { cbK_Click(); });
    connect(cmEdK, &QPushButton::clicked, this, [this] { cmEdK_Click(); });
    connect(cmAp, &QPushButton::clicked, this, [this] { cmAp_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdUpA, &QPushButton::clicked, this, [this] { cmdUpA_Click(); });
    connect(cmdDnA, &QPushButton::clicked, this, [this] { cmdDnA_Click(); });
    connect(txtA, &QLineEdit::textEdited, this,
            [this](const QString& t) { editorEdited(LexiconGrid::Areas, txtA, t); });
    connect(txtA, &QLineEdit::returnPressed, this, [this] { mAddA_Click(); });
    txtA->installEventFilter(this);

    mA = buildMenu(QStringLiteral("A"), mAp,
                   {[this] { mAddA_Click(); }, [this] { mDelA_Click(); }, [this] { mEditA_Click(); },
                    [this] { cmAp_Click(); }, [this] { cmdCancel_Click(); }});
}

void frmEng::buildWorkTab(QWidget* page)
{
    Command2 = NamedButton(page, "Command2", QStringLiteral("工程種類："));
    cbT = new QComboBox(page);
    cbT->setObjectName(QStringLiteral("cbT"));
    cbT->setMinimumWidth(TwipsToPixels(3000));
    colour(cbT, kindBack(), Qt::white);
    cmdPrt = NamedButton(page, "cmdPrt", QStringLiteral("列印"));
    cmdPrd = NamedButton(page, "cmdPrd", QStringLiteral("列印"));
    cmdPrt->hide();
    cmdPrd->hide();

    hfgW = new GridView(page);
    hfgW->setObjectName(QStringLiteral("hfgW"));
    hfgW->setGridModel(&m_editor.workItems().model());
    const int widths[] = {4000, 650, 800, 580};
    for (int c = 0; c < 4; ++c)
        m_editor.workItems().model().setColWidth(c, widths[c]);
    cmWp = NamedButton(page, "cmWp", QStringLiteral("套用"));
    Command4 = NamedButton(page, "Command4", QStringLiteral("取消"));
    cmdUpW = NamedButton(page, "cmdUpW", QStringLiteral("▲"));
    cmdDnW = NamedButton(page, "cmdDnW", QStringLiteral("▼"));

    Label1 = new QLabel(QStringLiteral("細項加成："), page);
    Label1->setObjectName(QStringLiteral("Label1"));
    lbl2 = new QLabel(page);
    lbl2->setObjectName(QStringLiteral("lbl2"));
    hfgD = new GridView(page);
    hfgD->setObjectName(QStringLiteral("hfgD"));
    hfgD->setGridModel(&m_editor.details().model());
    hfgD->setMinimumWidth(TwipsToPixels(3400));
    hfgD->installEventFilter(this);
    cmdP = NamedButton(page, "cmdP", QStringLiteral("套用"));
    Command5 = NamedButton(page, "Command5", QStringLiteral("取消"));
    cmUpD = NamedButton(page, "cmUpD", QStringLiteral("▲"));
    cmDnD = NamedButton(page, "cmDnD", QStringLiteral("▼"));

    txtW = cellEditor(page, "txtW");
    txtD = cellEditor(page, "txtD");
    cbW = new QComboBox(page);
    cbW->setObjectName(QStringLiteral("cbW"));
    cbW->setEditable(true);
    cbW->setInsertPolicy(QComboBox::NoInsert);
    cbW->hide();

    auto* top = new QHBoxLayout;
    top->addWidget(Command2);
    top->addWidget(cbT);
    top->addStretch();
    top->addWidget(cmdPrt);
    auto* workButtons = new QHBoxLayout;
    workButtons->addWidget(cmdUpW);
    workButtons->addWidget(cmdDnW);
    workButtons->addStretch();
    workButtons->addWidget(cmWp);
    workButtons->addWidget(Command4);
    auto* left = new QVBoxLayout;
    left->addWidget(hfgW, 1);
    left->addLayout(workButtons);
    auto* detailTop = new QHBoxLayout;
    detailTop->addWidget(Label1);
    detailTop->addWidget(lbl2, 1);
    detailTop->addWidget(cmdPrd);
    auto* detailButtons = new QHBoxLayout;
    detailButtons->addWidget(cmUpD);
    detailButtons->addWidget(cmDnD);
    detailButtons->addStretch();
    detailButtons->addWidget(cmdP);
    detailButtons->addWidget(Command5);
    auto* right = new QVBoxLayout;
    right->addLayout(detailTop);
    right->addWidget(hfgD, 1);
    right->addLayout(detailButtons);
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);
    auto* v = new QVBoxLayout(page);
    v->addLayout(top);
    v->addLayout(body, 1);

    connect(cbT, &QComboBox::activated, this, [this](int) { cbT_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(cmWp, &QPushButton::clicked, this, [this] { cmWp_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(cmdP, &QPushButton::clicked, this, [this] { cmdP_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(cmdUpW, &QPushButton::clicked, this, [this] { cmdUpW_Click(); });
    connect(cmdDnW, &QPushButton::clicked, this, [this] { cmdDnW_Click(); });
    connect(cmUpD, &QPushButton::clicked, this, [this] { cmUpD_Click(); });
    connect(cmDnD, &QPushButton::clicked, this, [this] { cmDnD_Click(); });
    connect(hfgW, &GridView::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& p) { hfgW_MouseDown(b, p); });
    connect(hfgD, &GridView::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& p) { hfgD_MouseDown(b, p); });
    connect(hfgW, &GridView::scrolled, this, [this] {
        txtW->hide();
        cbW->hide();
    });
    connect(hfgD, &GridView::scrolled, this, [this] { txtD->hide(); });
    connect(txtW, &QLineEdit::textEdited, this,
            [this](const QString& t) { editorEdited(LexiconGrid::WorkItems, txtW, t); });
    connect(txtD, &QLineEdit::textEdited, this,
            [this](const QString& t) { editorEdited(LexiconGrid::Details, txtD, t); });
    connect(txtW, &QLineEdit::returnPressed, this, [this] { NextWorkCell(); });
    connect(txtD, &QLineEdit::returnPressed, this, [this] { NextDetailCell(); });
    connect(cbW, &QComboBox::editTextChanged, this, [this](const QString& t) {
        if (m_quiet || !cbW->isVisible())
            return;
        if (!refused(NameRefusal(t), [this] { cbW->setEditText(m_editor.workItems().text(m_editor.CurRow, 1)); }))
            m_editor.typeText(LexiconGrid::WorkItems, t);
    });
    // Enter is taken before the combo box sees it (it would hand the key on a second time). The
    // keyboard reaches the combo box itself (its line edit forwards focus to it), tests the line edit.
    cbW->installEventFilter(this);
    cbW->lineEdit()->installEventFilter(this);
    txtW->installEventFilter(this);
    txtD->installEventFilter(this);
    // An editor holds one number where its cell holds a number, any text elsewhere.
    FilterNumberEntry(txtW, NumberForm::Unsigned,
                      [this] { return LexiconEditor::isNumericColumn(LexiconGrid::WorkItems, m_editor.CurCol); });
    FilterNumberEntry(txtD, NumberForm::Unsigned,
                      [this] { return LexiconEditor::isNumericColumn(LexiconGrid::Details, m_editor.CurCol); });

    mW = buildMenu(QStringLiteral("W"), mWap,
                   {[this] { mAddW_Click(); }, [this] { mDelW_Click(); }, [this] { mEditW_Click(); },
                    [this] { cmWp_Click(); }, [this] { Command4_Click(); }});
    mD = buildMenu(QStringLiteral("D"), mDap,
                   {[this] { mAddD_Click(); }, [this] { mDelD_Click(); }, [this] { mEditD_Click(); },
                    [this] { cmdP_Click(); }, [this] { Command5_Click(); }});
}

void frmEng::buildListsTab(QWidget* page)
{
    auto* grid = new QGridLayout(page);
    for (int i = 0; i < kLookupListCount; ++i) {
        auto* label = new QLabel(LookupLists()[i].labelText(), page);
        auto* view = new GridView(page);
        view->setObjectName(QStringLiteral("hfgS%1").arg(i));
        view->setGridModel(&m_editor.lookups().grid(i));
        hfgS[i] = view;
        const int row = (i / 7) * 2;
        const int col = i % 7;
        grid->addWidget(label, row, col);
        grid->addWidget(view, row + 1, col);
        connect(view, &GridView::mouseDown, this,
                [this, i](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& p) { hfgS_MouseDown(i, b, p); });
        connect(view, &GridView::scrolled, this, [this] { txtS->hide(); });
        view->installEventFilter(this);
    }
    cmdPo = NamedButton(page, "cmdPo", QStringLiteral("列印"));
    cmdPo->hide();
    grid->addWidget(cmdPo, 2, 6);
    txtS = cellEditor(page, "txtS");
    // The lists' editor has always named what it refuses, typed or pasted.
    FilterNumberEntry(txtS, NumberForm::Unsigned, [this] { return LookupLists()[CurList].numeric; },
                      KeyRefusal::Message);
    connect(txtS, &QLineEdit::textEdited, this, [this](const QString& t) {
        GridModel& list = m_editor.lookups().grid(CurList);
        if (!refused(LookupLists()[CurList].numeric ? NumberRefusal(t) : NameRefusal(t),
                     [&] { txtS->setText(list.textMatrix(m_listRow, 0)); }))
            list.setTextMatrix(m_listRow, 0, t);
    });
}

// ---- loading ----------------------------------------------------------------------

void frmEng::Form_Load()
{
    if (databaseOpener())
        databaseOpener()();
    m_editor.load();
    fillCombo(cbK, m_editor.categoryList(), m_editor.category());
    fillCombo(cbT, m_editor.workTypeList(), m_editor.workType());
    cbW->addItems(m_editor.unitList());
    syncAreaViews();
    const bool canEdit = m_editor.canEdit();
    cmEdK->setEnabled(canEdit);
    Command2->setEnabled(canEdit);
    for (QPushButton* b : {cmdPrK, cmdPrt, cmdPrd, cmdPo})
        b->setVisible(canEdit);
    refreshState();
}

void frmEng::fillCombo(QComboBox* combo, const QStringList& entries, const QString& current)
{
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(std::max<int>(0, static_cast<int>(entries.indexOf(current))));
}

void frmEng::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ArrangeAreaGrids(m_editor.areas().lastVisible());
}

void frmEng::fitColumns(GridView* grid)
{
    const int width = PixelsToTwips(grid->width());
    if (grid == hfgD) {
        m_editor.details().model().setColWidth(0, std::max(300, (width - 60) / 3 * 2));
        m_editor.details().model().setColWidth(1, std::max(300, (width - 60) / 3 - 280));
        return;
    }
    // A lookup list: room for the scroll bar.
    grid->gridModel()->setColWidth(0, std::max(300, width - 350));
}

void frmEng::refreshState()
{
    const bool canEdit = m_editor.canEdit();
    cmAp->setEnabled(canEdit && m_editor.pending(LexiconGrid::Areas));
    cmWp->setEnabled(canEdit && m_editor.pending(LexiconGrid::WorkItems));
    cmdP->setEnabled(canEdit && m_editor.pending(LexiconGrid::Details));
    mAp->setEnabled(cmAp->isEnabled());
    mWap->setEnabled(cmWp->isEnabled());
    mDap->setEnabled(cmdP->isEnabled());
    for (QPushButton* b : {cmdCancel, Command4, Command5, cmdUpA, cmdDnA, cmdUpW, cmdDnW, cmUpD, cmDnD})
        b->setEnabled(canEdit);
    hfgW->setEnabled(m_editor.workGridEnabled());
    hfgD->setEnabled(m_editor.detailGridEnabled());
    lbl2->setText(m_editor.detailCaption());
}

void frmEng::syncAreaViews()
{
    AreaGrids& grids = m_editor.areas();
    while (static_cast<int>(hfgA.size()) < grids.count()) {
        const int i = static_cast<int>(hfgA.size());
        auto* view = new GridView(Frame1);
        view->setObjectName(QStringLiteral("hfgA%1").arg(i));
        view->setGridModel(&grids.grid(i));
        connect(view, &GridView::mouseDown, this,
                [this, i](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& p) { hfgA_MouseDown(i, b, p); });
        connect(view, &GridView::scrolled, this, [this] { txtA->hide(); });
        hfgA.push_back(view);
    }
    for (int i = 0; i < grids.count(); ++i)
        hfgA[i]->setVisible(grids.isVisible(i));
    ArrangeAreaGrids(grids.lastVisible());
    txtA->raise();
}

void frmEng::ArrangeAreaGrids(int lastIndex)
{
    const int top = TwipsToPixels(200) + 8;
    const int width = (Frame1->width() - TwipsToPixels(120)) / (lastIndex + 1);
    const int height = std::max(40, Frame1->height() - top - 6);
    for (int i = 0; i <= lastIndex && i < static_cast<int>(hfgA.size()); ++i) {
        hfgA[i]->setGeometry(width * i + TwipsToPixels(50), top, std::max(20, width), height);
        hfgA[i]->gridModel()->setColWidth(0, std::max(200, PixelsToTwips(width) - 80 - 300));
    }
    for (int i = lastIndex + 1; i < static_cast<int>(hfgA.size()); ++i)
        if (i >= 1)
            hfgA[i]->hide();
}

// ---- combos and lists -------------------------------------------------------------

void frmEng::cbK_Click()
{
    hideEditors();
    if (!m_editor.chooseCategory(cbK->currentText()))
        fillCombo(cbK, m_editor.categoryList(), m_editor.category());
}

void frmEng::cbT_Click()
{
    hideEditors();
    if (!m_editor.chooseWorkType(cbT->currentText()))
        fillCombo(cbT, m_editor.workTypeList(), m_editor.workType());
}

void frmEng::cmEdK_Click()
{
    if (!m_editor.settle(LexiconGrid::Areas))
        return;
    state().eng.gListKind = QStringLiteral("k");
    frmEm editorWindow(this);
    editorWindow.exec();
    m_editor.reloadCategories();
    fillCombo(cbK, m_editor.categoryList(), m_editor.category());
}

void frmEng::Command2_Click()
{
    if (!m_editor.settle(LexiconGrid::WorkItems))
        return;
    state().eng.gListKind = QStringLiteral("t");
    frmEm editorWindow(this);
    editorWindow.exec();
    m_editor.reloadWorkTypes();
    fillCombo(cbT, m_editor.workTypeList(), m_editor.workType());
}

// ---- apply, cancel, moves ---------------------------------------------------------

void frmEng::settleAndRun(LexiconGrid g, bool apply)
{
    hideEditors();
    if (apply)
        m_editor.apply(g);
    else
        m_editor.cancel(g);
}

void frmEng::cmAp_Click() { settleAndRun(LexiconGrid::Areas, true); }
void frmEng::cmdCancel_Click() { settleAndRun(LexiconGrid::Areas, false); }
void frmEng::cmWp_Click() { settleAndRun(LexiconGrid::WorkItems, true); }
void frmEng::Command4_Click() { settleAndRun(LexiconGrid::WorkItems, false); }
void frmEng::cmdP_Click() { settleAndRun(LexiconGrid::Details, true); }
void frmEng::Command5_Click() { settleAndRun(LexiconGrid::Details, false); }

void frmEng::moved(MoveResult result, GridView* grid)
{
    if (result == MoveResult::Refused)
        QApplication::beep();
    if (result != MoveResult::NoSelection && grid && grid->isEnabled())
        grid->setFocus();
}

void frmEng::cmdUpA_Click()
{
    const MoveResult r = m_editor.moveArea(-1);
    moved(r, hfgA.at(m_editor.CurGrid));
}

void frmEng::cmdDnA_Click()
{
    const MoveResult r = m_editor.moveArea(+1);
    moved(r, hfgA.at(m_editor.CurGrid));
}

void frmEng::cmdUpW_Click() { moved(m_editor.moveWorkItem(-1), hfgW); }
void frmEng::cmdDnW_Click() { moved(m_editor.moveWorkItem(+1), hfgW); }
void frmEng::cmUpD_Click() { moved(m_editor.moveDetail(-1), hfgD); }
void frmEng::cmDnD_Click() { moved(m_editor.moveDetail(+1), hfgD); }

// ---- tabs and closing -------------------------------------------------------------

void frmEng::Tab1_Click(int previousTab)
{
    hideEditors();
    txtS->hide();
    if (m_editor.leaveTab(previousTab))
        return;
    m_switchingBack = true;
    Tab1->setCurrentIndex(previousTab);
    m_currentTab = previousTab;
    m_switchingBack = false;
}

void frmEng::closeEvent(QCloseEvent* event)
{
    hideEditors();
    txtS->hide();
    if (m_editor.close())
        event->accept();
    else
        event->ignore();
}

// ---- mouse ------------------------------------------------------------------------

void frmEng::hfgA_MouseDown(int index, Qt::MouseButton button, const QPoint& pos)
{
    const auto [row, col] = hfgA.at(index)->cellAt(pos);
    Q_UNUSED(col);
    if (button == Qt::RightButton) {
        if (m_editor.rightClickArea(index, std::max(row, 0)))
            mA->popup(hfgA[index]->mapToGlobal(pos));
        return;
    }
    if (button == Qt::LeftButton && row >= 0 && m_editor.clickArea(index, row))
        BeginEditArea();
}

void frmEng::hfgW_MouseDown(Qt::MouseButton button, const QPoint& pos)
{
    const auto [row, col] = hfgW->cellAt(pos);
    if (button == Qt::RightButton) {
        if (m_editor.rightClickWorkItem(row))
            mW->popup(hfgW->mapToGlobal(pos));
        return;
    }
    if (button != Qt::LeftButton || row < 1)
        return;
    if (m_editor.clickWorkItem(row, col))
        BeginEditWorkItem();
}

void frmEng::hfgD_MouseDown(Qt::MouseButton button, const QPoint& pos)
{
    const auto [row, col] = hfgD->cellAt(pos);
    if (button == Qt::RightButton) {
        if (m_editor.rightClickDetail(row))
            mD->popup(hfgD->mapToGlobal(pos));
        return;
    }
    if (button == Qt::LeftButton && row >= 1 && m_editor.clickDetail(row, col))
        BeginEditDetail();
}

void frmEng::hfgS_MouseDown(int index, Qt::MouseButton button, const QPoint& pos)
{
    if (!m_editor.canEdit() || button != Qt::LeftButton)
        return;
    const auto [row, col] = hfgS[index]->cellAt(pos);
    Q_UNUSED(col);
    CurList = index;
    // Below the entries the grid still reports the last one: the click opens the empty row.
    const int editRow =
        m_editor.lookups().editRowForClick(index, std::max(row, 0), hfgS[index]->belowLastRow(pos));
    m_editor.lookups().grid(index).setRow(editRow);
    showListEditor(index, editRow);
}

void frmEng::showListEditor(int index, int row)
{
    m_listRow = row;
    placeEditor(txtS, hfgS[index], row, 0);
    txtS->setText(m_editor.lookups().grid(index).textMatrix(row, 0));
    txtS->setFocus();
    txtS->selectAll();
}

// ---- menus ------------------------------------------------------------------------

void frmEng::mAddA_Click()
{
    if (m_editor.addArea())
        BeginEditArea();
}

void frmEng::mDelA_Click()
{
    txtA->hide();
    m_editor.deleteRow(LexiconGrid::Areas);
}

void frmEng::mEditA_Click() { m_editor.editGrid(LexiconGrid::Areas); }

void frmEng::mAddW_Click()
{
    if (m_editor.addWorkItem())
        BeginEditWorkItem();
}

void frmEng::mDelW_Click()
{
    txtW->hide();
    cbW->hide();
    m_editor.deleteRow(LexiconGrid::WorkItems);
}

void frmEng::mEditW_Click() { m_editor.editGrid(LexiconGrid::WorkItems); }

void frmEng::mAddD_Click()
{
    if (m_editor.addDetail())
        BeginEditDetail();
}

void frmEng::mDelD_Click()
{
    txtD->hide();
    m_editor.deleteRow(LexiconGrid::Details);
}

void frmEng::mEditD_Click() { m_editor.editGrid(LexiconGrid::Details); }

// ---- in-cell editors --------------------------------------------------------------

void frmEng::placeEditor(QWidget* editor, GridView* grid, int row, int col, bool keepHeight)
{
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QRect cell = grid->cellRect(row, col);
    const QPoint at = grid->mapTo(editor->parentWidget(), cell.topLeft());
    const int height = keepHeight ? editor->sizeHint().height() : cell.height();
    const bool wasQuiet = std::exchange(m_quiet, true);
    editor->setGeometry(at.x(), at.y(), cell.width(), height);
    editor->show();
    editor->raise();
    m_quiet = wasQuiet;
}

void frmEng::BeginEditArea()
{
    GridView* grid = hfgA.at(m_editor.CurGrid);
    placeEditor(txtA, grid, m_editor.CurRow, 0);
    txtA->setFocus();
    txtA->setText(grid->gridModel()->textMatrix(m_editor.CurRow, 0));
    txtA->selectAll();
    m_editorText = txtA->text();
}

void frmEng::BeginEditWorkItem()
{
    // Moving the focus between the two editors is no leaving of the editor.
    const bool wasQuiet = std::exchange(m_quiet, true);
    const auto restore = qScopeGuard([&] { m_quiet = wasQuiet; });
    m_warned = false;
    const int row = m_editor.CurRow;
    const int col = m_editor.CurCol;
    const QString text = m_editor.workItems().text(row, col);
    if (col == 1) {
        txtW->hide();
        placeEditor(cbW, hfgW, row, col, true);
        cbW->setEditText(text);
        cbW->setFocus();
        return;
    }
    cbW->hide();
    placeEditor(txtW, hfgW, row, col);
    txtW->setText(text);
    m_editorText = text;
    txtW->setFocus();
    txtW->selectAll();
}

void frmEng::BeginEditDetail()
{
    placeEditor(txtD, hfgD, m_editor.CurRow, m_editor.CurCol);
    txtD->setText(m_editor.details().text(m_editor.CurRow, m_editor.CurCol));
    m_editorText = txtD->text();
    txtD->setFocus();
    txtD->selectAll();
}

void frmEng::NextWorkCell()
{
    m_editor.nextWorkCell();
    BeginEditWorkItem();
}

void frmEng::NextDetailCell()
{
    m_editor.nextDetailCell();
    BeginEditDetail();
}

bool frmEng::refused(const std::optional<QString>& refusal, const std::function<void()>& restore)
{
    if (!refusal)
        return false;
    QWidget* focused = QApplication::focusWidget();
    {
        const bool wasQuiet = std::exchange(m_quiet, true);
        restore();
        m_quiet = wasQuiet;
    }
    prompter().inform(*refusal, PromptIcon::Warning);
    if (focused)
        focused->setFocus();
    return true;
}

void frmEng::editorEdited(LexiconGrid g, QLineEdit* editor, const QString& text)
{
    if (m_quiet)
        return;
    // A name a quotation could not hold, or a number it could not take: the text goes back
    // to what it was.
    const bool numeric = LexiconEditor::isNumericColumn(g, m_editor.CurCol);
    if (refused(numeric ? NumberRefusal(text) : m_editor.CurCol == 0 ? NameRefusal(text) : std::nullopt,
                [&] { editor->setText(m_editorText); }))
        return;
    m_editorText = text;
    m_editor.typeText(g, text);
}

void frmEng::editorKey(QLineEdit* editor)
{
    // The number columns screen their keys themselves (FilterNumberEntry).
    if (editor == txtW && m_editor.CurCol == 0 && !m_warned && m_editor.nameWarningDue()) {
        m_warned = true;
        prompter().inform(QStringLiteral("此工種包含細項加成"), PromptIcon::Warning);
        editor->setFocus();
    }
}

void frmEng::editorLeft(QLineEdit* editor)
{
    // Leaving an editor moves it on as Enter does, without taking the focus back.
    if (editor == txtA) {
        txtA->hide();
        return;
    }
    GridView* grid = editor == txtW ? hfgW : hfgD;
    if (editor == txtW)
        m_editor.nextWorkCell();
    else
        m_editor.nextDetailCell();
    const int row = m_editor.CurRow;
    const int col = m_editor.CurCol;
    if (editor == txtW && col == 1) {
        editor->hide();
        return;
    }
    placeEditor(editor, grid, row, col);
    editor->setText(grid->gridModel()->textMatrix(row, col));
    m_editorText = editor->text();
}

bool frmEng::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == Frame1)
            ArrangeAreaGrids(m_editor.areas().lastVisible());
        else if (auto* grid = qobject_cast<GridView*>(watched))
            fitColumns(grid);
    }
    if (cbW && (watched == cbW || watched == cbW->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            NextWorkCell();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }
    auto* editor = qobject_cast<QLineEdit*>(watched);
    if (editor && (editor == txtW || editor == txtD) && event->type() == QEvent::KeyPress)
        editorKey(editor);
    if (editor && event->type() == QEvent::FocusOut && editor->isVisible() && !m_quiet) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)
            editorLeft(editor);
    }
    return QWidget::eventFilter(watched, event);
}

void frmEng::hideEditors()
{
    const bool wasQuiet = std::exchange(m_quiet, true);
    for (QWidget* w : {static_cast<QWidget*>(txtA), static_cast<QWidget*>(txtW), static_cast<QWidget*>(txtD),
                       static_cast<QWidget*>(cbW)})
        w->hide();
    m_quiet = wasQuiet;
}

void ShowLexiconWindow(QWidget* parent)
{
    frmEng* w = frmEng::existing();
    if (!w) {
        w = frmEng::instance();
        if (parent)
            w->setParent(parent, w->windowFlags() | Qt::Window);
    }
    w->show();
    // A window the user minimised (or maximised) comes back at its normal size.
    w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    w->raise();
    w->activateWindow();
}

// ---- exports (the database as stored; pending grid edits are not included) ----------

void frmEng::cmdPo_Click()
{
    PrintLexiconExport(LexiconExport::LookupLists);
}

void frmEng::cmdPrd_Click()
{
    PrintLexiconExport(LexiconExport::Details);
}

void frmEng::cmdPrK_Click()
{
    PrintLexiconExport(LexiconExport::Categories);
}

void frmEng::cmdPrt_Click()
{
    PrintLexiconExport(LexiconExport::WorkTypes);
}

} // namespace varn
