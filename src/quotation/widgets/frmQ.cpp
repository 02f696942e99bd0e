#include "quotation/widgets/frmQ.h"

#include "platform/db/Database.h"
#include "platform/grid/widgets/GridView.h"
#include "platform/ui/Prompter.h"
#include "platform/ui/Twips.h"
#include "quotation/HeaderCommands.h"
#include "quotation/ItemLexicon.h"
#include "quotation/Quotation.h"
#include "quotation/StaDatabase.h"
#include "quotation/VrnSaveNames.h"
#include "quotation/widgets/CellEditors.h"
#include "shared/ProgramState.h"
#include "shared/RocDate.h"
#include "shared/setup/Schema.h"
#include "shared/setup/SettingsFiles.h"
#include "shared/widgets/RocDateEdit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace varn {

QPointer<frmQ> frmQ::s_instance;
std::function<void()> frmQ::s_templateMarker;
std::function<void()> frmQ::s_settingsLoader;
std::vector<std::function<void(frmQ&)>> frmQ::s_loadHooks;

namespace {

int px(int twips)
{
    return TwipsToPixels(twips);
}

// The eight print commands that need the area level.
const char* const kAreaPrintCommands[] = {"mPa", "mAs", "mPnw", "mPac", "mPas", "mPwaS", "mPwa", "mPwac"};
// Commands of other parts of the program that stay disabled until they are hooked in.
const char* const kHookedCommands[] = {"mOpen", "mSaveF", "mSaveAs", "mPfp", "mPdt",
                                       "mCalT", "mCalA", "mAdd2W"};
// Of those, the ones that work on the statistics database.
const char* const kStatisticsCommands[] = {"mPfp", "mPdt", "mCalT", "mCalA"};

QLabel* caption(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLabel* valueLabel(const char* name, QWidget* parent, int minTwips)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(px(minTwips));
    return l;
}

QComboBox* combo(const char* name, QWidget* parent, int widthTwips)
{
    auto* cb = new QComboBox(parent);
    cb->setObjectName(QString::fromLatin1(name));
    cb->setEditable(true);
    cb->setInsertPolicy(QComboBox::NoInsert);
    if (widthTwips > 0)
        cb->setMinimumWidth(px(widthTwips));
    return cb;
}

QLineEdit* lineEdit(const char* name, QWidget* parent, int widthTwips)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    if (widthTwips > 0)
        e->setMinimumWidth(px(widthTwips));
    return e;
}

// Shows a text in an edit without raising its change handlers and without moving the
// cursor when the text is already there.
void showText(QLineEdit* e, const QString& text)
{
    if (e->text() == text)
        return;
    const QSignalBlocker block(e);
    e->setText(text);
}

void showText(QComboBox* cb, const QString& text)
{
    if (cb->currentText() == text)
        return;
    const QSignalBlocker block(cb);
    cb->setEditText(text);
}

} // namespace

// ---- the one window --------------------------------------------------------------------

frmQ* frmQ::instance()
{
    if (!s_instance)
        s_instance = new frmQ;
    return s_instance;
}

frmQ* frmQ::existing()
{
    return s_instance;
}

void frmQ::open()
{
    frmQ* w = instance();
    w->showMaximized();
    w->raise();
    w->activateWindow();
}

bool frmQ::requestClose()
{
    QPointer<frmQ> w = s_instance;
    if (!w)
        return true;
    // The user sees what the question is about.
    if (w->isVisible()) {
        w->showMaximized();
        w->raise();
        w->activateWindow();
    }
    return w->close();
}

void frmQ::setTemplateMarker(std::function<void()> marker)
{
    s_templateMarker = std::move(marker);
}

void frmQ::setSettingsLoader(std::function<void()> loader)
{
    s_settingsLoader = std::move(loader);
}

void frmQ::addLoadHook(std::function<void(frmQ&)> hook)
{
    if (hook)
        s_loadHooks.push_back(std::move(hook));
}

// ---- load -------------------------------------------------------------------------------

frmQ::frmQ(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmQ"));
    setAttribute(Qt::WA_DeleteOnClose);
    QFont f = font();
    f.setFamily(QStringLiteral("Noto Sans CJK TC"));
    setFont(f);
    if (!s_instance)
        s_instance = this;

    m_doc = new Quotation(this);
    buildMenus();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("frmQBody"));
    central->installEventFilter(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildHeader());
    auto* line1 = new QFrame(central);
    line1->setObjectName(QStringLiteral("Line1"));
    line1->setFrameShape(QFrame::HLine);
    line1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line1);
    layout->addWidget(buildBody(), 1);
    setCentralWidget(central);

    // The floating controls live over the body, above the grid.
    m_editors = new CellEditors(*m_doc, *m_hfgQ, central);
    m_lstAK = new QListWidget(central);
    m_lstAK->setObjectName(QStringLiteral("lstAK"));
    m_lstAK->setSelectionMode(QAbstractItemView::MultiSelection);
    m_lstAK->setContextMenuPolicy(Qt::CustomContextMenu);
    m_lstAK->installEventFilter(this);
    m_lstAK->hide();
    connect(m_lstAK, &QListWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        lstAK_MouseDown(Qt::RightButton, m_lstAK->viewport()->mapToGlobal(p));
    });
    connect(m_lstAK, &QListWidget::itemSelectionChanged, this,
            [this] { lstAK_MouseDown(Qt::LeftButton); });

    bindDocument();
    Form_Load();
    for (const auto& hook : s_loadHooks)
        hook(*this);
}

frmQ::~frmQ() = default;

void frmQ::Form_Load()
{
    if (s_templateMarker)
        s_templateMarker();
    // The recent list is read so that the close, which writes it, keeps it.
    m_doc->recentFiles().load(RecentFiles::defaultPath());
    refreshCaption();
    openStaDb();
    if (s_settingsLoader)
        s_settingsLoader();
    else
        LoadXlSettingsFiles(state().programFolder);
    m_lexicon = std::make_unique<DatabaseItemLexicon>();
    m_editors->setLexicon(m_lexicon.get());
    loadPickLists();
    applyHeaderDefaults(m_cbK->count() > 0 ? m_cbK->itemText(0) : QString());
    resize(px(15000), px(10000));
    refreshAll();
}

void frmQ::openStaDb()
{
    const QString path = StaDatabase::pathFor(state().programFolder, state().m.gUserName);
    StaDatabase sta = StaDatabase::open(path, kDatabasePassword, StaSchemaSql());
    m_staDb = std::move(sta.db);
    if (!m_staDb) {
        prompter().inform(sta.error + QStringLiteral("\r\n統計與列印報表功能暫停使用"), PromptIcon::Warning);
    } else if (!sta.keptAside.isEmpty()) {
        prompter().inform(QStringLiteral("統計資料庫無法讀取,已重新建立\r\n原檔案保留為 %1")
                              .arg(QDir::toNativeSeparators(sta.keptAside)),
                          PromptIcon::Information);
    }
}

void frmQ::showPickFailure(const PickList& list)
{
    if (!list.ok())
        prompter().inform(list.error, PromptIcon::Warning);
}

void frmQ::loadPickLists()
{
    const std::shared_ptr<Database> mainDb = state().m.gDb;
    if (!mainDb) {
        prompter().inform(QStringLiteral("無法開啟主資料庫,清單無法載入"), PromptIcon::Warning);
        return;
    }
    Database& db = *mainDb;
    // One message for everything that could not be read, not one box per list.
    QStringList failures;
    auto take = [&](const PickList& list) {
        if (!list.ok())
            failures << list.error;
        return list.entries;
    };
    const QStringList categories = take(PickLists::categories(db));
    {
        const QSignalBlocker block(m_cbK);
        m_cbK->clear();
        m_cbK->addItems(categories);
    }
    const QStringList salespersons = take(PickLists::salespersons(db));
    {
        const QSignalBlocker block(m_cbSal);
        m_cbSal->clear();
        m_cbSal->addItems(salespersons);
    }
    const QStringList kinds = take(PickLists::caseKinds(db));
    {
        const QSignalBlocker block(m_cbEcn);
        m_cbEcn->clear();
        m_cbEcn->addItems(kinds);
    }
    m_editors->setUnits(take(PickLists::units(db)));
    const QStringList ratios = take(PickLists::ratios(db));
    m_editors->setRatios(ratios);
    m_taxRates = PickLists::taxRates(ratios);
    m_editors->setRemarkPhrases(take(PickLists::remarkPhrases(db)));
    m_pageEndPhrases = take(PickLists::pageEndPhrases(db));
    m_editors->setDetailLoader([this](const QString& workItem) {
        const std::shared_ptr<Database> db = state().m.gDb;
        return db ? PickLists::detailsOf(*db, workItem) : PickList{};
    });
    if (!failures.isEmpty())
        prompter().inform(failures.join(QStringLiteral("\r\n")), PromptIcon::Warning);
}

void frmQ::applyHeaderDefaults(const QString& category)
{
    // A new quotation starts on the first project kind; the category stays as the header
    // showed it (the first one when the window loads). They are put in as the quotation's
    // own values, not as edits: an untouched new quotation asks nothing when it is closed.
    const QString kind = m_cbEcn->count() > 0 ? m_cbEcn->itemText(0) : QString();
    const QuotationHeader& h = m_doc->header();
    if (m_doc->isModified() || (h.category == category && h.projectName == kind))
        return;
    VrnContent c = m_doc->snapshotContent();
    c.header.category = category;
    c.header.projectName = HeaderCommands::projectNameWithKind(QString(), kind);
    m_doc->load(c, QString());
}

void frmQ::LoadAreaPickList()
{
    const std::shared_ptr<Database> db = state().m.gDb;
    if (!db) {
        m_editors->setAreas({});
        return;
    }
    const PickList areas = PickLists::areasOf(*db, m_cbK->currentText());
    showPickFailure(areas);
    m_editors->setAreas(areas.entries);
}

void frmQ::LoadItemPickList()
{
    const std::shared_ptr<Database> db = state().m.gDb;
    if (!db || m_doc->shownPath().isEmpty()) {
        m_editors->setItems({});
        return;
    }
    const PickList items = PickLists::itemsForPath(*db, m_doc->workTypeCandidates());
    showPickFailure(items);
    m_editors->setItems(items.entries);
}

// ---- building ---------------------------------------------------------------------------

QAction* frmQ::addAction(QMenu* menu, const char* name, const QString& text)
{
    QAction* a = menu->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    m_actions.insert(a->objectName(), a);
    return a;
}

QAction* frmQ::action(const QString& name) const
{
    return m_actions.value(name);
}

void frmQ::buildMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(QStringLiteral("檔案(&F)"));
    file->setObjectName(QStringLiteral("mFile"));
    connect(addAction(file, "mNew", QStringLiteral("建立新檔(&N)")), &QAction::triggered, this,
            [this] { mNew_Click(); });
    file->addSeparator();
    addAction(file, "mOpen", QStringLiteral("開啟舊檔(&O)"));
    file->addSeparator();
    addAction(file, "mSaveF", QStringLiteral("儲存檔案(&S)"));
    addAction(file, "mSaveAs", QStringLiteral("另存新檔(&A)"));
    file->addSeparator();
    for (int i = 0; i < RecentFiles::Size; ++i) {
        QAction* rf = file->addAction(QStringLiteral("noF"));
        rf->setObjectName(QStringLiteral("mRF%1").arg(i));
        rf->setVisible(false);
        m_actions.insert(rf->objectName(), rf);
    }
    file->addSeparator();
    connect(addAction(file, "mExit", QStringLiteral("結束(&X)")), &QAction::triggered, this,
            [this] { close(); });
    for (const char* name : {"mOpen", "mSaveF", "mSaveAs"}) {
        const QString n = QString::fromLatin1(name);
        connect(m_actions.value(n), &QAction::triggered, this, [this, n] { runCommand(n); });
    }

    QMenu* calset = bar->addMenu(QStringLiteral("計算設定(&C)"));
    calset->setObjectName(QStringLiteral("mCalset"));
    const std::pair<const char*, PricingMode> modes[] = {
        {"mEpCr", PricingMode::EpCr}, {"mEpCc", PricingMode::EpCc}, {"mEcCp", PricingMode::EcCp},
        {"mEcCr", PricingMode::EcCr}, {"mErCp", PricingMode::ErCp}, {"mErCc", PricingMode::ErCc}};
    for (int i = 0; i < 6; ++i) {
        if (i == 2 || i == 4)
            calset->addSeparator();
        const PricingMode mode = modes[i].second;
        QAction* a = addAction(calset, modes[i].first, PricingModes::caption(mode));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, mode] { pricingModeClicked(mode); });
    }

    QMenu* xls = bar->addMenu(QStringLiteral("列印(Excel)(&P)"));
    xls->setObjectName(QStringLiteral("mPxls"));
    const std::pair<const char*, const char*> prints[] = {
        {"mPs", "單張估價(無首頁)"}, {"mPss", "單張估價(無首頁無階層)"}, {nullptr, nullptr},
        {"mPa", "區域首頁(估價)"}, {"mPnw", "區域首頁(估價)(不印工種)"}, {"mAs", "區域分頁"},
        {"mPw", "工種首頁(估價)"}, {"mPwa", "工種首頁(估價)(分離區域)"}, {"mWs", "工種分頁"},
        {nullptr, nullptr},
        {"mPas", "區域首頁(空白估價)"}, {"mPws", "工種首頁(空白估價)"},
        {"mPwaS", "工種首頁(空白估價)(分離區域)"}, {"mPwsb", "工種分頁(空白估價)"},
        {nullptr, nullptr},
        {"mPac", "區域首頁(成本)"}, {"mPwc", "工種首頁(成本)"}, {"mPwac", "工種首頁(成本)(分離區域)"}};
    for (const auto& [name, text] : prints) {
        if (!name) {
            xls->addSeparator();
            continue;
        }
        QAction* a = addAction(xls, name, QString::fromUtf8(text));
        const QString n = a->objectName();
        connect(a, &QAction::triggered, this, [this, n] { runCommand(n); });
    }

    QAction* xlset = bar->addAction(QStringLiteral("列印設定(&U)"));
    xlset->setObjectName(QStringLiteral("mPxlset"));
    m_actions.insert(xlset->objectName(), xlset);
    connect(xlset, &QAction::triggered, this, [this] { runCommand(QStringLiteral("mPxlset")); });

    QMenu* report = bar->addMenu(QStringLiteral("列印(&R)"));
    report->setObjectName(QStringLiteral("mP"));
    // mP_Click: the report data are rebuilt each time the menu opens.
    connect(report, &QMenu::aboutToShow, this, [this] {
        if (hasCommandHandler(QStringLiteral("mP")) && m_staDb)
            runCommand(QStringLiteral("mP"));
    });
    for (const auto& [name, text] : {std::pair{"mPfp", "列印首頁"}, std::pair{"mPdt", "列印明細"}}) {
        QAction* a = addAction(report, name, QString::fromUtf8(text));
        const QString n = a->objectName();
        connect(a, &QAction::triggered, this, [this, n] { runCommand(n); });
    }

    QAction* closeItem = bar->addAction(QStringLiteral("關閉(&E)"));
    closeItem->setObjectName(QStringLiteral("mClose"));
    m_actions.insert(closeItem->objectName(), closeItem);
    connect(closeItem, &QAction::triggered, this, [this] { mClose_Click(); });

    // The tree's popup.
    m_mTV = new QMenu(this);
    m_mTV->setObjectName(QStringLiteral("mTV"));
    QMenu* addN = m_mTV->addMenu(QStringLiteral("新增"));
    addN->setObjectName(QStringLiteral("mAddN"));
    m_actions.insert(QStringLiteral("mAddN"), addN->menuAction());
    connect(addAction(addN, "mAddA", QStringLiteral("新增區域")), &QAction::triggered, this,
            [this] { mAddA_Click(); });
    addN->addSeparator();
    connect(addAction(addN, "mAddT", QStringLiteral("新增工種")), &QAction::triggered, this,
            [this] { mAddT_Click(); });
    m_mTV->addSeparator();
    QMenu* insN = m_mTV->addMenu(QStringLiteral("插入"));
    insN->setObjectName(QStringLiteral("mInsN"));
    m_actions.insert(QStringLiteral("mInsN"), insN->menuAction());
    connect(addAction(insN, "mInsA", QStringLiteral("插入區域")), &QAction::triggered, this,
            [this] { mInsA_Click(); });
    insN->addSeparator();
    connect(addAction(insN, "mInsT", QStringLiteral("插入工種")), &QAction::triggered, this,
            [this] { mInsT_Click(); });
    m_mTV->addSeparator();
    connect(addAction(m_mTV, "mDelN", QStringLiteral("刪除")), &QAction::triggered, this,
            [this] { mDelN_Click(); });
    m_mTV->addSeparator();
    QMenu* cal = m_mTV->addMenu(QStringLiteral("統計"));
    cal->setObjectName(QStringLiteral("mCal"));
    m_actions.insert(QStringLiteral("mCal"), cal->menuAction());
    connect(addAction(cal, "mCalT", QStringLiteral("依工種...")), &QAction::triggered, this,
            [this] { runCommand(QStringLiteral("mCalT")); });
    cal->addSeparator();
    connect(addAction(cal, "mCalA", QStringLiteral("依區域...")), &QAction::triggered, this,
            [this] { runCommand(QStringLiteral("mCalA")); });

    // The name pick list's popup.
    m_mADAK = new QMenu(this);
    m_mADAK->setObjectName(QStringLiteral("mADAK"));
    connect(addAction(m_mADAK, "mADakO", QStringLiteral("確定")), &QAction::triggered, this,
            [this] { mADakO_Click(); });
    m_mADAK->addSeparator();
    connect(addAction(m_mADAK, "mADakC", QStringLiteral("取消")), &QAction::triggered, this,
            [this] { mADakC_Click(); });

    // The item grid's popup.
    m_mQ = new QMenu(this);
    m_mQ->setObjectName(QStringLiteral("mQ"));
    connect(addAction(m_mQ, "mInsQ", QStringLiteral("插入一空白列")), &QAction::triggered, this,
            [this] { mInsQ_Click(); });
    connect(addAction(m_mQ, "mInsQcp", QStringLiteral("插入複製資料")), &QAction::triggered, this,
            [this] { mInsQcp_Click(); });
    m_mQ->addSeparator();
    connect(addAction(m_mQ, "mDelQ", QStringLiteral("刪除")), &QAction::triggered, this,
            [this] { mDelQ_Click(); });
    m_mQ->addSeparator();
    connect(addAction(m_mQ, "mCpq", QStringLiteral("複製")), &QAction::triggered, this,
            [this] { mCpq_Click(); });
    m_mQ->addSeparator();
    connect(addAction(m_mQ, "mPstQ", QStringLiteral("貼上")), &QAction::triggered, this,
            [this] { mPstQ_Click(); });
    m_mQ->addSeparator();
    connect(addAction(m_mQ, "mUndo", QStringLiteral("退回當筆(修改)")), &QAction::triggered, this,
            [this] { mUndo_Click(); });
    m_mQ->addSeparator();
    connect(addAction(m_mQ, "mAdd2W", QStringLiteral("品名加入施工資料庫")), &QAction::triggered,
            this, [this] { runCommand(QStringLiteral("mAdd2W")); });
}

QWidget* frmQ::buildHeader()
{
    auto* header = new QWidget(this);
    auto* g = new QGridLayout(header);
    g->setContentsMargins(0, 0, 0, 0);
    g->setHorizontalSpacing(4);
    g->setVerticalSpacing(3);

    // Category and number.
    g->addWidget(caption("cmdK", QStringLiteral("工程類別:"), header), 0, 0);
    m_cbK = combo("cbK", header, 2000);
    g->addWidget(m_cbK, 0, 1);
    g->addWidget(caption("lbNo", QStringLiteral("單號:"), header), 0, 2, Qt::AlignRight);
    m_txtNo = lineEdit("txtNo", header, 1800);
    g->addWidget(m_txtNo, 0, 3, Qt::AlignLeft);

    // Customer row.
    m_cmdC = new QPushButton(QStringLiteral("客戶名稱:"), header);
    m_cmdC->setObjectName(QStringLiteral("cmdC"));
    connect(m_cmdC, &QPushButton::clicked, this, [this] { runCommand(QStringLiteral("cmdC")); });
    g->addWidget(m_cmdC, 1, 0);
    m_txtCn = lineEdit("txtCn", header, 2000);
    g->addWidget(m_txtCn, 1, 1);
    g->addWidget(caption("lbCN", QStringLiteral("工程案名:"), header), 1, 2, Qt::AlignRight);
    m_cbEcn = combo("cbEcn", header, 0);
    g->addWidget(m_cbEcn, 1, 3);
    g->addWidget(caption("l10", QStringLiteral("聯絡人:"), header), 1, 4, Qt::AlignRight);
    m_lbConn = valueLabel("lbConn", header, 1400);
    g->addWidget(m_lbConn, 1, 5);
    g->addWidget(caption("lbSal", QStringLiteral("負責業務:"), header), 1, 6, Qt::AlignRight);
    m_cbSal = combo("cbSal", header, 1500);
    g->addWidget(m_cbSal, 1, 7, 1, 2);

    // Address row, under the project name.
    g->addWidget(caption("lbAddr", QStringLiteral("工程地址:"), header), 2, 2, Qt::AlignRight);
    m_txtAddr = lineEdit("txtAddr", header, 0);
    g->addWidget(m_txtAddr, 2, 3);
    g->addWidget(caption("l11", QStringLiteral("電話:"), header), 2, 4, Qt::AlignRight);
    m_lbCtel = valueLabel("lbCtel", header, 1400);
    g->addWidget(m_lbCtel, 2, 5);
    g->addWidget(caption("lbQd", QStringLiteral("報價日期:"), header), 2, 6, Qt::AlignRight);
    m_txtQD = lineEdit("txtQD", header, 1000);
    g->addWidget(m_txtQD, 2, 7);
    m_DTP = new RocDateEdit(QDate::currentDate(), header);
    m_DTP->setObjectName(QStringLiteral("DTP"));
    m_DTP->setCalendarPopup(true);
    g->addWidget(m_DTP, 2, 8);
    g->setColumnStretch(3, 1);

    // Typing goes into the quotation; a refused text shows what the quotation holds.
    auto bindLine = [this](QLineEdit* e, HeaderField field) {
        connect(e, &QLineEdit::textEdited, this, [this, e, field](const QString& t) {
            if (!m_doc->setHeaderField(field, t))
                showText(e, m_doc->header().value(field));
        });
    };
    bindLine(m_txtCn, HeaderField::CustomerName);
    bindLine(m_txtNo, HeaderField::QuoteNo);
    bindLine(m_txtAddr, HeaderField::SiteAddress);
    bindLine(m_txtQD, HeaderField::QuoteDate);
    auto bindCombo = [this](QComboBox* cb, HeaderField field) {
        connect(cb, &QComboBox::editTextChanged, this, [this, cb, field](const QString& t) {
            if (!m_doc->setHeaderField(field, t))
                showText(cb, m_doc->header().value(field));
        });
    };
    bindCombo(m_cbEcn, HeaderField::ProjectName);
    bindCombo(m_cbSal, HeaderField::Salesperson);
    bindCombo(m_cbK, HeaderField::Category);
    // cbK_Change, cbK_Click: the area list follows the category.
    connect(m_cbK, &QComboBox::editTextChanged, this, [this] { LoadAreaPickList(); });
    // cbEcn_Click: a project kind chosen from the list follows the customer name.
    connect(m_cbEcn, &QComboBox::activated, this, [this](int i) {
        const QString name = HeaderCommands::projectNameWithKind(m_txtCn->text(), m_cbEcn->itemText(i));
        showText(m_cbEcn, name);
        m_doc->setHeaderField(HeaderField::ProjectName, name);
    });
    // DTP_CloseUp: the date chosen in the picker, with the mouse or the keys, goes into the
    // date field, and so does the picker's date whenever its calendar closes, chosen or not.
    // The picker follows the field when the quotation changes (refreshHeader).
    const auto writePickedDate = [this] {
        const QString text = HeaderCommands::quoteDateText(m_DTP->date());
        showText(m_txtQD, text);
        m_doc->setHeaderField(HeaderField::QuoteDate, text);
    };
    connect(m_DTP, &QDateEdit::dateChanged, this, writePickedDate);
    struct CloseUpWatcher : QObject {
        using QObject::QObject;
        std::function<void()> closedUp;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Hide)
                closedUp();
            return QObject::eventFilter(watched, event);
        }
    };
    if (QCalendarWidget* calendar = m_DTP->calendarWidget()) {
        auto* closeUp = new CloseUpWatcher(m_DTP);
        closeUp->closedUp = writePickedDate;
        calendar->window()->installEventFilter(closeUp);
    }
    return header;
}

QWidget* frmQ::buildBody()
{
    m_fme = new QSplitter(Qt::Horizontal, this);
    m_fme->setObjectName(QStringLiteral("fme"));
    m_fme->setChildrenCollapsible(false);

    auto* left = new QWidget(m_fme);
    auto* lv = new QVBoxLayout(left);
    lv->setContentsMargins(0, 0, 0, 0);
    lv->setSpacing(3);
    m_tv = new QTreeWidget(left);
    m_tv->setObjectName(QStringLiteral("tv"));
    m_tv->setHeaderHidden(true);
    m_tv->setColumnCount(1);
    m_tv->setContextMenuPolicy(Qt::CustomContextMenu);
    lv->addWidget(m_tv, 1);
    m_cmdPe = new QPushButton(QStringLiteral("頁尾備註 >>"), left);
    m_cmdPe->setObjectName(QStringLiteral("cmdPe"));
    connect(m_cmdPe, &QPushButton::clicked, this, [this] { runCommand(QStringLiteral("cmdPe")); });
    lv->addWidget(m_cmdPe);
    left->setMinimumWidth(px(800));

    auto* right = new QWidget(m_fme);
    auto* rv = new QVBoxLayout(right);
    rv->setContentsMargins(0, 0, 0, 0);
    rv->setSpacing(3);
    rv->addWidget(buildSummary());
    m_hfgQ = new GridView(right);
    m_hfgQ->setObjectName(QStringLiteral("hfgQ"));
    m_hfgQ->setGridModel(&m_doc->hfgQ());
    rv->addWidget(m_hfgQ, 1);

    m_fme->addWidget(left);
    m_fme->addWidget(right);
    m_fme->setStretchFactor(1, 1);
    m_fme->setSizes({px(2600), px(12000)});
    m_splitterPos = px(2600);
    connect(m_fme, &QSplitter::splitterMoved, this, [this](int pos, int) { splitterMoved(pos); });

    connect(m_tv, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (!m_syncingTree && item)
            tv_NodeClick(item->data(0, Qt::UserRole).toString());
    });
    connect(m_tv, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem* item) {
        if (item && QApplication::mouseButtons() & Qt::LeftButton)
            tv_MouseDown(Qt::LeftButton, item->data(0, Qt::UserRole).toString());
    });
    connect(m_tv, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        QTreeWidgetItem* item = m_tv->itemAt(p);
        tv_MouseDown(Qt::RightButton, item ? item->data(0, Qt::UserRole).toString() : QString(),
                     m_tv->viewport()->mapToGlobal(p));
    });
    auto expand = [this](QTreeWidgetItem* item, bool on) {
        if (!m_syncingTree)
            m_doc->setExpanded(item->data(0, Qt::UserRole).toString(), on);
    };
    connect(m_tv, &QTreeWidget::itemExpanded, this, [expand](QTreeWidgetItem* i) { expand(i, true); });
    connect(m_tv, &QTreeWidget::itemCollapsed, this, [expand](QTreeWidgetItem* i) { expand(i, false); });

    connect(m_hfgQ, &GridView::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers, const QPoint& pos) {
                hfgQ_MouseDown(b, m_hfgQ->mouseRow(), m_hfgQ->mouseCol(), m_hfgQ->mapToGlobal(pos));
            });
    connect(m_hfgQ, &GridView::mouseUp, this, [this] { hfgQ_MouseUp(); });
    connect(m_hfgQ, &GridView::mouseMove, this,
            [this](Qt::MouseButtons, Qt::KeyboardModifiers, const QPoint& pos) { hfgQ_MouseMove(pos); });
    connect(m_hfgQ, &GridView::cellDoubleClicked, this, [this](int r, int c) { hfgQ_DblClick(r, c); });
    connect(m_hfgQ, &GridView::scrolled, this, [this] { m_editors->hfgQ_Scroll(); });
    return m_fme;
}

QWidget* frmQ::buildSummary()
{
    auto* line = new QWidget(this);
    auto* h = new QHBoxLayout(line);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(0);
    m_lbPath = new QLabel(line);
    m_lbPath->setObjectName(QStringLiteral("lbPath"));
    m_lbPath->setMinimumWidth(px(1000));
    h->addWidget(m_lbPath, 1);
    auto pair = [&](const char* capName, const QString& text, const char* valueName, QLabel** value) {
        h->addSpacing(px(100));
        QLabel* cap = caption(capName, text, line);
        h->addWidget(cap);
        *value = valueLabel(valueName, line, 1200);
        (*value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        h->addWidget(*value);
        return cap;
    };
    m_lbSum = pair("lbSum", QStringLiteral("合計:"), "lbSumT", &m_lbSumT);
    pair("lbCsum", QStringLiteral("成本:"), "lbCsumT", &m_lbCsumT);
    pair("lbPro", QStringLiteral("毛利:"), "lbProT", &m_lbProT);
    m_lbSc = pair("lbSc", QStringLiteral("比例:"), "lbScT", &m_lbScT);
    m_lbSum->installEventFilter(this);
    m_lbSc->installEventFilter(this);
    return line;
}

void frmQ::splitterMoved(int pos)
{
    // The tree may take from 800 twips up to six sevenths of the window; beyond that the
    // splitter goes back where it was.
    if (pos < px(800) || pos > width() * 6 / 7) {
        const int total = m_fme->width() - m_fme->handleWidth();
        const QSignalBlocker block(m_fme);
        m_fme->setSizes({m_splitterPos, std::max(1, total - m_splitterPos)});
        return;
    }
    m_splitterPos = pos;
    m_editors->followCell();
}

// ---- binding the document ----------------------------------------------------------------

void frmQ::bindDocument()
{
    connect(m_doc, &Quotation::treeChanged, this, [this] { refreshTree(); });
    connect(m_doc, &Quotation::shownNodeChanged, this, [this](const QString& key) {
        m_lbPath->setText(key);
        selectTreeItem(key);
        LoadItemPickList();   // lbPath_Change
    });
    connect(m_doc, &Quotation::totalsChanged, this, [this] { refreshTotals(); });
    connect(m_doc, &Quotation::headerChanged, this, [this] { refreshHeader(); });
    connect(m_doc, &Quotation::noAreaModeChanged, this, [this] { refreshCommandStates(); });
    connect(m_doc, &Quotation::filePathChanged, this, [this] { refreshCaption(); });
}

void frmQ::refreshAll()
{
    refreshTree();
    m_lbPath->setText(m_doc->shownPath());
    selectTreeItem(m_doc->shownPath());
    LoadItemPickList();
    LoadAreaPickList();
    refreshHeader();
    refreshTotals();
    refreshCaption();
    refreshPricingModes();
    refreshCommandStates();
}

void frmQ::refreshCaption()
{
    setWindowTitle(m_doc->windowCaption());
}

void frmQ::refreshHeader()
{
    const QuotationHeader& h = m_doc->header();
    showText(m_txtCn, h.customerName);
    showText(m_cbEcn, h.projectName);
    showText(m_cbSal, h.salesperson);
    showText(m_txtNo, h.quoteNo);
    showText(m_txtAddr, h.siteAddress);
    showText(m_txtQD, h.quoteDate);
    const QDate shownDate = ParseRocDate(h.quoteDate);
    if (shownDate.isValid() && shownDate != m_DTP->date()) {
        const QSignalBlocker block(m_DTP);
        m_DTP->setDate(shownDate);
    }
    m_lbConn->setText(h.contact);
    m_lbCtel->setText(h.telephone);
    if (m_cbK->currentText() != h.category) {
        {
            const QSignalBlocker block(m_cbK);
            m_cbK->setEditText(h.category);
        }
        LoadAreaPickList();
    }
}

void frmQ::refreshTotals()
{
    const Totals& t = m_doc->totals();
    const TotalsVisibility v = m_doc->totalsVisibility();
    m_lbSumT->setText(t.lbSumT);
    m_lbCsumT->setText(t.lbCsumT);
    m_lbProT->setText(t.lbProT);
    m_lbScT->setText(t.lbScT);
    // Hidden values keep their place on the line.
    auto visible = [](QLabel* l, bool on) {
        QSizePolicy p = l->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        l->setSizePolicy(p);
        l->setVisible(on);
    };
    visible(m_lbSumT, v.sum);
    visible(m_lbCsumT, v.cost);
    visible(m_lbProT, v.profit);
    visible(m_lbScT, v.ratio);
}

void frmQ::refreshPricingModes()
{
    const std::pair<const char*, PricingMode> modes[] = {
        {"mEpCr", PricingMode::EpCr}, {"mEpCc", PricingMode::EpCc}, {"mEcCp", PricingMode::EcCp},
        {"mEcCr", PricingMode::EcCr}, {"mErCp", PricingMode::ErCp}, {"mErCc", PricingMode::ErCc}};
    for (const auto& [name, mode] : modes)
        action(QString::fromLatin1(name))->setChecked(m_doc->isPricingModeChecked(mode));
}

void frmQ::pricingModeClicked(PricingMode mode)
{
    m_doc->setPricingMode(mode);
    refreshPricingModes();
}

void frmQ::refreshCommandStates()
{
    for (const char* name : kAreaPrintCommands)
        action(QString::fromLatin1(name))->setEnabled(m_doc->areaPrintEnabled());
    for (const char* name : kHookedCommands)
        action(QString::fromLatin1(name))->setEnabled(hasCommandHandler(QString::fromLatin1(name)));
    for (const char* name : kStatisticsCommands) {
        QAction* a = action(QString::fromLatin1(name));
        a->setEnabled(a->isEnabled() && m_staDb);
    }
    m_cmdC->setEnabled(hasCommandHandler(QStringLiteral("cmdC")));
    m_cmdPe->setEnabled(hasCommandHandler(QStringLiteral("cmdPe")));
}

void frmQ::setCommandHandler(const QString& name, std::function<void()> handler)
{
    if (handler)
        m_handlers[name] = std::move(handler);
    else
        m_handlers.erase(name);
    refreshCommandStates();
}

bool frmQ::hasCommandHandler(const QString& name) const
{
    return m_handlers.count(name) > 0;
}

void frmQ::runCommand(const QString& name)
{
    const auto it = m_handlers.find(name);
    if (it != m_handlers.end()) {
        it->second();
        return;
    }
    QString text = name;
    if (const QAction* a = action(name))
        text = a->text().remove(QStringLiteral("(&")).remove(QLatin1Char('&'));
    prompter().inform(QStringLiteral("「%1」尚未提供").arg(text), PromptIcon::Information);
}

// ---- new, close ---------------------------------------------------------------------------

bool frmQ::mNew_Click()
{
    m_lstAK->hide();
    const ScopedVrnSaveNames names;  // its "save first?" may ask for a file name
    const QString category = m_cbK->currentText();
    if (!m_doc->mNew_Click())
        return false;
    applyHeaderDefaults(category);
    refreshAll();
    return true;
}

void frmQ::closeEvent(QCloseEvent* event)
{
    m_lstAK->hide();
    // The question runs at every close; Cancel, a cancelled save dialog or a failed save
    // keep the window and the quotation as they are.
    const ScopedVrnSaveNames names;
    const bool goAhead = m_queryClose ? m_queryClose() : m_doc->queryClose();
    if (!goAhead) {
        event->ignore();
        return;
    }
    m_editors->HideCellEditors();
    if (m_closed)
        m_closed();
    else
        m_doc->closeDown();
    event->accept();
}

void frmQ::setCloseHandlers(std::function<bool()> queryClose, std::function<void()> closed)
{
    m_queryClose = std::move(queryClose);
    m_closed = std::move(closed);
}

bool frmQ::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_lbSc) {
            lbSc_DblClick();
            return true;
        }
        if (watched == m_lbSum) {
            lbSum_DblClick();
            return true;
        }
    }
    if (watched == centralWidget() && event->type() == QEvent::MouseButtonPress) {
        m_lstAK->hide();   // Form_Click
        return false;
    }
    if (watched == m_lstAK && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        m_lstAK->hide();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmQ::lbSc_DblClick()
{
    m_editors->HideCellEditors();
    m_doc->lbSc_DblClick();
}

void frmQ::lbSum_DblClick()
{
    m_editors->HideCellEditors();
    m_doc->lbSum_DblClick();
}

} // namespace varn
