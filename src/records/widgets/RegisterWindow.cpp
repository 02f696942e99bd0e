#include "records/widgets/RegisterWindow.h"

#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Twips.h"
#include "platform/ui/widgets/TabPageFocus.h"
#include "records/RegisterEngine.h"
#include "records/widgets/FieldBinder.h"
#include "records/widgets/ListPick.h"
#include "records/widgets/NamedControls.h"
#include "records/widgets/frmPsel.h"
#include "shared/ProgramState.h"
#include "shared/RecordCode.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace varn {

namespace {

constexpr int kTopTwips = 615;
constexpr int kWidthTwips = 11200;
constexpr int kMinListRows = 5;

// The detail fields scroll when the screen is too short for them (a small laptop), so
// that the window and its 確定 and 取消 stay on the screen; with room enough it is as
// tall as its fields and shows no scroll bar.
class DetailScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        const int f = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(f, f) : QScrollArea::sizeHint();
    }

    QSize minimumSizeHint() const override
    {
        if (!widget())
            return QScrollArea::minimumSizeHint();
        const int f = 2 * frameWidth();
        return {widget()->minimumSizeHint().width() + verticalScrollBar()->sizeHint().width() + f,
                fontMetrics().height() * 4 + f};
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Fields shown or hidden inside change the height the area asks of the window; the
        // layouts above it learn of a new size hint only when told.
        if (watched == widget() && event->type() == QEvent::LayoutRequest) {
            for (QWidget* w = this; w && !w->isWindow(); w = w->parentWidget())
                w->updateGeometry();
        }
        return QScrollArea::eventFilter(watched, event);
    }
};

// A combo box that shows a caption ("編號", "分類") when nothing is chosen.
QComboBox* filterCombo(const char* name, QWidget* parent)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setReadOnly(true);
    return c;
}

} // namespace

RegisterWindow::RegisterWindow(std::unique_ptr<RegisterEngine> engine, QWidget* parent)
    : QDialog(parent)
    , m_engine(std::move(engine))
{
    const RegisterConfig& cfg = m_engine->config();
    setWindowTitle(cfg.texts.caption);
    m_binder = new FieldBinder(*m_engine, this);

    auto* root = new QVBoxLayout(this);

    m_searchBar = new QHBoxLayout;
    m_searchBar->addWidget(new QLabel(QStringLiteral("搜尋條件:"), this));
    Combo1 = filterCombo("Combo1", this);
    Combo1->addItems(RecordCodePrefixes());
    Combo1->setEditText(QStringLiteral("編號"));
    Combo1->setMinimumContentsLength(4);  // room for "編號" in a CJK font
    m_searchBar->addWidget(Combo1);
    if (!cfg.typeColumn.isEmpty()) {
        Combo2 = filterCombo("Combo2", this);
        Combo2->setMinimumContentsLength(8);
        m_searchBar->addWidget(Combo2);
    }
    m_searchBar->addStretch(1);
    cmdPp = NamedButton("cmdPp", QStringLiteral("列印"), this);
    m_searchBar->addWidget(cmdPp);
    root->addLayout(m_searchBar);

    HFG = new GridView(this);
    HFG->setObjectName(QStringLiteral("HFG"));
    HFG->setGridModel(&m_engine->list());
    HFG->installEventFilter(this);
    // Room for the heading and a few records on the full page too.
    HFG->setMinimumHeight(HFG->gridRowHeight() * (kMinListRows + 1) + 2 * HFG->frameWidth());
    // The detail fields take the height they need first; the list takes what is left.
    HFG->setSizePolicy(HFG->sizePolicy().horizontalPolicy(), QSizePolicy::Ignored);
    m_engine->setTextWidthMeasure([this](const QString& text) {
        const QFontMetrics fm = HFG->fontMetrics();
        return PixelsToTwips(fm.horizontalAdvance(text) + fm.horizontalAdvance(QLatin1Char(' ')) * 2,
                             HFG->logicalDpiX());
    });
    root->addWidget(HFG, 1);

    m_commandRow = new QHBoxLayout;
    cmdAdd = NamedButton("cmdAdd", QStringLiteral("新增"), this);
    cmdDel = NamedButton("cmdDel", QStringLiteral("刪除"), this);
    lbf = new QLabel(this);
    lbf->setObjectName(QStringLiteral("lbf"));
    Command1 = NamedButton("Command1", QStringLiteral("全文搜尋"), this);
    Command3 = NamedButton("Command3", cfg.texts.showAllCaption, this);
    Command2 = NamedButton("Command2", QStringLiteral("整頁模式>>"), this);
    m_commandRow->addWidget(cmdAdd);
    m_commandRow->addWidget(cmdDel);
    m_commandRow->addWidget(lbf);
    m_commandRow->addStretch(1);
    m_commandRow->addWidget(Command1);
    m_commandRow->addWidget(Command3);
    m_commandRow->addWidget(Command2);
    root->addLayout(m_commandRow);

    Frame1 = new QGroupBox(QStringLiteral("詳細資料"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QVBoxLayout(Frame1);
    m_detailScroll = new DetailScrollArea(Frame1);
    m_detailScroll->setFrameShape(QFrame::NoFrame);
    m_detailScroll->setWidgetResizable(true);
    m_detailScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_detailScroll->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* detailPane = new QWidget(m_detailScroll);
    detailPane->setObjectName(QStringLiteral("detailPane"));
    m_detailBody = new QVBoxLayout(detailPane);
    m_detailBody->setContentsMargins(0, 0, 0, 0);
    m_detailScroll->setWidget(detailPane);
    frameLayout->addWidget(m_detailScroll, 1);
    auto* editRow = new QHBoxLayout;
    editRow->addStretch(1);
    cmdEdit = NamedButton("cmdEdit", QStringLiteral("修改"), Frame1);
    cmdY = NamedButton("cmdY", QStringLiteral("確定"), Frame1);
    cmdN = NamedButton("cmdN", QStringLiteral("取消"), Frame1);
    editRow->addWidget(cmdEdit);
    editRow->addWidget(cmdY);
    editRow->addWidget(cmdN);
    frameLayout->addLayout(editRow);
    root->addWidget(Frame1);

    OnListPick(Combo1, ArrowKeys::Pick, [this](int index) { Combo1_Click(index); });
    if (Combo2)
        OnListPick(Combo2, ArrowKeys::Pick, [this](int index) { Combo2_Click(index); });
    connect(cmdPp, &QPushButton::clicked, this, &RegisterWindow::cmdPp_Click);
    connect(cmdAdd, &QPushButton::clicked, this, &RegisterWindow::cmdAdd_Click);
    connect(cmdDel, &QPushButton::clicked, this, &RegisterWindow::cmdDel_Click);
    connect(Command1, &QPushButton::clicked, this, &RegisterWindow::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &RegisterWindow::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &RegisterWindow::Command3_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &RegisterWindow::cmdEdit_Click);
    connect(cmdY, &QPushButton::clicked, this, &RegisterWindow::cmdY_Click);
    connect(cmdN, &QPushButton::clicked, this, &RegisterWindow::cmdN_Click);
    connect(HFG, &GridView::cellClicked, this, [this] { HFG_Click(); });
    connect(HFG, &GridView::cellDoubleClicked, this, [this] { HFG_DblClick(); });

    connect(m_engine.get(), &RegisterEngine::stateChanged, this, [this] { refresh(); });
    connect(m_engine.get(), &RegisterEngine::pageModeChanged, this, [this] {
        refresh();
        applyPageMode();
    });
    connect(m_engine.get(), &RegisterEngine::filterTextsChanged, this, [this] { refreshFilters(); });
    connect(m_engine.get(), &RegisterEngine::focusRequested, this, &RegisterWindow::focusControl);
    // A field that takes the focus scrolls into sight.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && m_detailScroll->widget()->isAncestorOf(now))
            m_detailScroll->ensureWidgetVisible(now);
    });
}

RegisterWindow::~RegisterWindow() = default;

void RegisterWindow::finishSetUp(int printKind)
{
    m_printKind = printKind;
    m_engine->load();
    refresh();
    refreshFilters();

    const double dpi = logicalDpiX();
    const int width = std::max(TwipsToPixels(kWidthTwips, dpi), minimumSizeHint().width());
    resize(width, height());
    applyPageMode();
    int left = 0;
    if (const QScreen* s = screen())
        left = s->availableGeometry().left() + (s->availableGeometry().width() - width) / 2;
    move(std::max(0, left), TwipsToPixels(kTopTwips, logicalDpiY()));
}

QComboBox* RegisterWindow::addFilterCombo(const char* name, int minChars)
{
    QComboBox* c = filterCombo(name, this);
    c->setMinimumContentsLength(minChars);
    m_searchBar->insertWidget(m_searchBar->indexOf(Combo2 ? static_cast<QWidget*>(Combo2) : cmdPp) - (Combo2 ? 0 : 1), c);
    return c;
}

void RegisterWindow::refresh()
{
    RegisterEngine& e = *m_engine;
    const bool editing = e.editing();
    const bool mayEdit = e.canEdit();
    cmdY->setVisible(editing);
    cmdN->setVisible(editing);
    lbf->setVisible(editing);
    lbf->setText(e.stateLabel());
    cmdAdd->setVisible(!editing && mayEdit);
    cmdEdit->setVisible(!editing && mayEdit);
    cmdDel->setVisible(!editing && mayEdit);
    Command1->setVisible(!editing);
    Command2->setVisible(!editing);
    Command3->setVisible(!editing);
    cmdPp->setVisible(mayEdit);
    HFG->setEnabled(e.gridEnabled());
    Command2->setText(e.fullPage() ? QStringLiteral("簡單模式<<") : QStringLiteral("整頁模式>>"));

    for (QWidget* panel : std::as_const(m_lockedPanels))
        panel->setEnabled(e.fieldsEditable());
    keepRowInSight();
    const RegisterConfig& cfg = e.config();
    if (QWidget* name = m_binder->widget(cfg.nameControl))
        name->setEnabled(e.nameEditable());
    if (QWidget* code = m_binder->widget(cfg.codeControl))
        code->setEnabled(false);
    for (const DateBinding& d : cfg.dates) {
        if (QWidget* box = m_binder->widget(d.box))
            box->setEnabled(false);
    }
}

void RegisterWindow::refreshFilters()
{
    Combo1->setEditText(m_engine->prefixText());
    if (Combo2) {
        const QStringList choices = m_engine->categoryChoices();
        QStringList shown;
        for (int i = 0; i < Combo2->count(); ++i)
            shown << Combo2->itemText(i);
        if (shown != choices) {
            Combo2->clear();
            Combo2->addItems(choices);
        }
        Combo2->setEditText(m_engine->categoryText());
    }
}

void RegisterWindow::applyPageMode(bool growOnly)
{
    const bool full = m_engine->fullPage();
    Frame1->setVisible(full);
    const RegisterConfig& cfg = m_engine->config();
    if (layout())
        layout()->activate();
    const int twips = full ? cfg.fullHeightTwips : cfg.simpleHeightTwips;
    // The smallest layout, with the detail fields at their full height.
    int h = minimumSizeHint().height();
    if (full)
        h += m_detailScroll->sizeHint().height() - m_detailScroll->minimumSizeHint().height();
    h = std::max(TwipsToPixels(twips, logicalDpiY()), h);
    if (growOnly)
        h = std::max(h, height());
    // No taller than the room below the window's top (title bar and panels counted); a
    // screen too short even for the smallest layout gets the window moved up.
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        const int decoration = isVisible() ? std::max(0, frameGeometry().height() - height()) : 0;
        const int top = frameGeometry().top();
        h = std::max(std::min(h, area.bottom() + 1 - top - decoration), minimumSizeHint().height());
        if (top + decoration + h > area.bottom() + 1)
            move(x(), std::max(area.top(), area.bottom() + 1 - decoration - h));
    }
    resize(width(), h);
    keepRowInSight();
}

void RegisterWindow::keepRowInSight()
{
    const GridModel& list = m_engine->list();
    const int row = list.row();
    QAbstractItemModel* body = HFG->model();
    if (!body || row < list.fixedRows() || row >= list.rows())
        return;
    const QModelIndex index = body->index(row - list.fixedRows(), 0);
    if (index.isValid())
        HFG->scrollTo(index);
}

void RegisterWindow::bringIntoView(QWidget* panel)
{
    if (QLayout* fields = m_detailScroll->widget()->layout())
        fields->activate();
    for (QWidget* w = m_detailScroll; w != this; w = w->parentWidget())
        w->updateGeometry();
    if (layout())
        layout()->activate();
    if (m_detailScroll->height() < m_detailScroll->sizeHint().height()) {
        applyPageMode(true);
        if (layout())
            layout()->activate();
    }
    m_detailScroll->ensureWidgetVisible(panel, 0, 0);
}

void RegisterWindow::focusControl(const QString& control)
{
    if (QWidget* w = m_binder->widget(control)) {
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->selectAll();
    }
}

// --- handlers -------------------------------------------------------------------------

void RegisterWindow::Combo1_Click(int index)
{
    m_engine->listByCode(Combo1->itemText(index));
}

void RegisterWindow::Combo2_Click(int index)
{
    if (Combo2)
        m_engine->listByType(Combo2->itemText(index));
}

void RegisterWindow::Command1_Click()
{
    m_engine->search();
}

void RegisterWindow::Command2_Click()
{
    m_engine->togglePageMode();
}

void RegisterWindow::Command3_Click()
{
    m_engine->showAll();
}

void RegisterWindow::cmdAdd_Click()
{
    m_engine->beginAdd();
}

void RegisterWindow::cmdEdit_Click()
{
    m_engine->beginEdit();
}

void RegisterWindow::cmdY_Click()
{
    m_engine->save();
}

void RegisterWindow::cmdN_Click()
{
    m_engine->cancel();
}

void RegisterWindow::cmdDel_Click()
{
    m_engine->deleteSelected();
}

void RegisterWindow::cmdPp_Click()
{
    if (!m_engine->canEdit())
        return;
    ShowListPrinting(this, m_printKind);
}

void RegisterWindow::HFG_Click()
{
    m_engine->selectRow(HFG->mouseRow());
}

void RegisterWindow::HFG_DblClick()
{
    m_engine->openRow(HFG->mouseRow());
}

void RegisterWindow::HFG_KeyDown(int key)
{
    if (!m_engine->gridEnabled())
        return;
    GridModel& list = m_engine->list();
    int row = list.row();
    if (key == Qt::Key_Up)
        row = std::max(list.fixedRows(), row - 1);
    else if (key == Qt::Key_Down)
        row = std::min(list.rows() - 1, row + 1);
    else
        return;
    if (row == list.row() && !m_engine->shownName().isEmpty())
        return;
    m_engine->selectRow(row);
    list.setRow(row);
    keepRowInSight();
}

bool RegisterWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == HFG && event->type() == QEvent::Resize) {
        // A list made smaller (the full page) keeps the chosen row in sight; the view
        // takes its new size after this event.
        QMetaObject::invokeMethod(this, &RegisterWindow::keepRowInSight, Qt::QueuedConnection);
    }
    if (watched == HFG && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            HFG_KeyDown(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool RegisterWindow::focusNextPrevChild(bool next)
{
    // Enter and Tab reach the fields of the detail tabs that are not in front too.
    return FocusAcrossTabPages(this, next) || QDialog::focusNextPrevChild(next);
}

void RegisterWindow::reject()
{
    // The close box and Esc come here: an unsaved record is dropped only when the user
    // agrees.
    if (!m_closing) {
        if (!m_engine->confirmClose())
            return;
        m_closing = true;
        unloaded();
    }
    QDialog::reject();
}

void RegisterWindow::closeWithoutAsking(bool accepted)
{
    if (!m_closing) {
        m_closing = true;
        unloaded();
    }
    if (accepted)
        QDialog::accept();
    else
        QDialog::reject();
}

} // namespace varn
