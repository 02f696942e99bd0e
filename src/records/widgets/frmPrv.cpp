#include "records/widgets/frmPrv.h"

#include "records/VendorRegister.h"
#include "records/widgets/FieldBinder.h"
#include "records/widgets/ListPick.h"
#include "records/widgets/PanelBuilder.h"
#include "records/widgets/frmWP.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace varn {

namespace {

constexpr int kPrintKindVendors = 2;

QPointer<frmPrv>& theInstance()
{
    static QPointer<frmPrv> instance;
    return instance;
}

// A link frame: the vendor's links of one kind and the button that edits them, on the
// kind's colour.
QGroupBox* linkFrame(const char* name, const QString& caption, const QColor& colour, QListWidget* list,
                     QPushButton* button, QWidget* parent)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, colour);
    frame->setPalette(palette);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(list, 1);
    row->addWidget(button);
    return frame;
}

QPushButton* narrowButton(const char* name, const QString& caption, QWidget* parent)
{
    // The captions are words spaced out so that a narrow button shows them one per line.
    QString lines = caption.simplified();
    lines.replace(QLatin1Char(' '), QLatin1Char('\n'));
    auto* b = new QPushButton(lines, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

frmPrv::frmPrv(QWidget* parent)
    : RegisterWindow(std::make_unique<VendorRegister>(), parent)
    , m_vendors(static_cast<VendorRegister*>(&engine()))
{
    setObjectName(QStringLiteral("frmPrv"));
    cbW = addFilterCombo("cbW", 8);
    cbP = addFilterCombo("cbP", 8);
    OnListPick(cbW, ArrowKeys::Pick, [this](int index) { cbW_Click(index); });
    OnListPick(cbP, ArrowKeys::Pick, [this](int index) { cbP_Click(index); });
    connect(m_vendors, &RegisterEngine::filterTextsChanged, this, &frmPrv::refreshSupply);
    connect(&m_vendors->form(), &RecordForm::fieldChanged, this, [this](const QString& control) {
        if (control == QLatin1String("ck0") || control == QLatin1String("ck1"))
            refresh();
    });
    buildDetail();
    finishSetUp(kPrintKindVendors);
    refreshSupply();
}

frmPrv::~frmPrv() = default;

frmPrv* frmPrv::existing()
{
    return theInstance();
}

VendorRegister& frmPrv::vendors()
{
    return *m_vendors;
}

void frmPrv::buildDetail()
{
    FieldBinder& b = binder();

    auto* P1 = new QWidget(Frame1);
    P1->setObjectName(QStringLiteral("P1"));
    PanelBuilder p1(P1, b);
    QLineEdit* t1 = p1.shown("t1", 6);
    QLineEdit* t2 = p1.line("t2", 16);
    QLineEdit* t3 = p1.line("t3", 8);
    QLineEdit* t29 = p1.line("t29");
    QComboBox* cb1 = p1.combo("cb1");
    QLineEdit* t5 = p1.line("t5", 20);
    QLineEdit* t6 = p1.line("t6", 5);
    QComboBox* cb4 = p1.combo("cb4");
    QComboBox* cb3 = p1.combo("cb3");
    QLineEdit* t7 = p1.line("t7", 20);
    QLineEdit* t10 = p1.line("t10", 4);
    QLineEdit* t11 = p1.line("t11", 10);
    QComboBox* cb5 = p1.combo("cb5");
    QLineEdit* t4 = p1.line("t4", 8);
    QLineEdit* t12 = p1.line("t12", 4);
    QLineEdit* t13 = p1.line("t13", 10);
    QComboBox* cb6 = p1.combo("cb6");
    QLineEdit* t9 = p1.line("t9", 16);
    QLineEdit* t14 = p1.line("t14", 4);
    QLineEdit* t15 = p1.line("t15", 10);
    QLineEdit* T34 = p1.shown("T34", 9);
    QDateEdit* DTP1 = p1.date("DTP1");
    QCheckBox* ck0 = p1.check("ck0", QStringLiteral("施工廠商"));
    QCheckBox* ck1 = p1.check("ck1", QStringLiteral("材料供應"));
    QComboBox* cbTp = p1.combo("cbTp");
    cbTp->lineEdit()->setPlaceholderText(QStringLiteral("分類"));
    // The category lies outside the field order, so Enter does not move on from it.
    cbTp->removeEventFilter(&b);
    cbTp->lineEdit()->removeEventFilter(&b);

    p1.field(0, 0, QStringLiteral("廠商編號:"), {t1});
    p1.field(0, 1, QStringLiteral("廠商名稱:"), {t2});
    p1.field(0, 2, QStringLiteral("廠商代號:"), {t3});
    p1.field(1, 0, QStringLiteral("介紹人:"), {t29});
    p1.field(1, 1, QStringLiteral("公司地址:"), {cb1, t5});
    p1.field(1, 2, QStringLiteral("郵 遞 區 號:"), {t6});
    p1.field(2, 0, QStringLiteral("負責業務:"), {cb4});
    p1.field(2, 1, QStringLiteral("發票地址:"), {cb3, t7});
    p1.field(2, 2, QStringLiteral("電話1:"), {t10, t11});
    p1.field(3, 0, QStringLiteral("行 業 別:"), {cb5});
    p1.field(3, 1, QStringLiteral("統一編號:"), {t4});
    p1.field(3, 2, QStringLiteral("電話2:"), {t12, t13});
    p1.field(4, 0, QStringLiteral("地 區 性:"), {cb6});
    p1.field(4, 1, QStringLiteral("電子郵件:"), {t9});
    p1.field(4, 2, QStringLiteral("傳  真:"), {t14, t15});
    p1.field(5, 0, QStringLiteral("登錄日期:"), {T34, DTP1});
    auto* kinds = new QHBoxLayout;
    kinds->addWidget(ck0);
    kinds->addWidget(ck1);
    kinds->addStretch(1);
    p1.grid()->addLayout(kinds, 5, 3);
    p1.grid()->addWidget(cbTp, 5, 5);

    SSTab1 = new QTabWidget(Frame1);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));

    auto* P2 = new QWidget(SSTab1);
    P2->setObjectName(QStringLiteral("P2"));
    PanelBuilder p2(P2, b);
    QLineEdit* t16 = p2.line("t16");
    QLineEdit* t17 = p2.line("t17");
    QLineEdit* t18 = p2.line("t18", 4);
    QLineEdit* t19 = p2.line("t19", 10);
    QLineEdit* t20 = p2.line("t20");
    QLineEdit* t21 = p2.line("t21", 4);
    QLineEdit* t22 = p2.line("t22", 10);
    QLineEdit* t23 = p2.line("t23");
    p2.field(0, 0, QStringLiteral("負  責  人:"), {t16});
    p2.field(0, 1, QStringLiteral("負責人身分證號:"), {t17});
    p2.field(1, 0, QStringLiteral("負責人公司電話:"), {t18, t19});
    p2.field(1, 1, QStringLiteral("負責人大哥大:"), {t20});
    p2.field(2, 0, QStringLiteral("負責人住家電話:"), {t21, t22});
    p2.field(2, 1, QStringLiteral("負 責 人職 稱:"), {t23});
    p2.grid()->setRowStretch(3, 1);
    SSTab1->addTab(P2, QStringLiteral("負責人資料"));

    auto* P3 = new QWidget(SSTab1);
    P3->setObjectName(QStringLiteral("P3"));
    PanelBuilder p3(P3, b);
    QLineEdit* t30 = p3.line("t30");
    QLineEdit* t31 = p3.line("t31");
    QLineEdit* t32 = p3.line("t32", 4);
    QLineEdit* T33 = p3.line("T33", 10);
    QComboBox* cb7 = p3.combo("cb7");
    QLineEdit* T36 = p3.line("T36");
    QLineEdit* T37 = p3.line("T37");
    QLineEdit* T38 = p3.line("T38", 16);
    QLineEdit* T39 = p3.line("T39", 16);
    p3.field(0, 0, QStringLiteral("會計人員:"), {t30});
    p3.field(0, 1, QStringLiteral("會計職稱:"), {t31});
    p3.field(1, 0, QStringLiteral("會計電話:"), {t32, T33});
    p3.field(1, 1, QStringLiteral("付款方式:"), {cb7});
    p3.field(2, 0, QStringLiteral("結  帳  日:"), {T36});
    p3.field(2, 1, QStringLiteral("請  款  日:"), {T37});
    p3.field(3, 0, QStringLiteral("支票抬頭:"), {T38});
    p3.field(3, 1, QStringLiteral("發票抬頭:"), {T39});
    SSTab1->addTab(P3, QStringLiteral("會計資料"));

    auto* contactTab = new QWidget(SSTab1);
    auto* contactRow = new QHBoxLayout(contactTab);
    auto* P4 = new QWidget(contactTab);
    P4->setObjectName(QStringLiteral("P4"));
    PanelBuilder p4(P4, b);
    QLineEdit* t24 = p4.line("t24");
    QLineEdit* t25 = p4.line("t25", 4);
    QLineEdit* t26 = p4.line("t26", 10);
    QLineEdit* t27 = p4.line("t27");
    QLineEdit* t28 = p4.line("t28");
    p4.field(0, 0, QStringLiteral("連  絡  人:"), {t24});
    p4.field(1, 0, QStringLiteral("連絡人公司電話:"), {t25, t26});
    p4.field(2, 0, QStringLiteral("連絡人大哥大:"), {t27});
    p4.field(3, 0, QStringLiteral("連絡人職稱:"), {t28});
    QPlainTextEdit* T35 = MakeMemo(contactTab, b, "T35", FieldBinder::MemoEnter::NewLine, 5);
    contactRow->addWidget(P4);
    contactRow->addWidget(MemoLabel(QStringLiteral("備註:"), contactTab));
    contactRow->addWidget(T35, 1);
    SSTab1->addTab(contactTab, QStringLiteral("連絡人 AND 備註"));

    auto* supplyTab = new QWidget(SSTab1);
    auto* supplyRow = new QHBoxLayout(supplyTab);
    QPlainTextEdit* T40 = MakeMemo(supplyTab, b, "T40", FieldBinder::MemoEnter::NewLine, 5);
    auto* Lw = new QListWidget(supplyTab);
    Lw->setObjectName(QStringLiteral("Lw"));
    b.bindList(Lw);
    auto* Lp = new QListWidget(supplyTab);
    Lp->setObjectName(QStringLiteral("Lp"));
    b.bindList(Lp);
    cmW = narrowButton("cmW", QStringLiteral("編輯       廠商       施工        <<--"), supplyTab);
    cmP = narrowButton("cmP", QStringLiteral("編輯       供應       材料    <<--"), supplyTab);
    Fm1 = linkFrame("Fm1", QStringLiteral("廠商施工"), QColor(SupplyColour(SupplyKind::Crews)), Lw, cmW,
                    supplyTab);
    Fm2 = linkFrame("Fm2", QStringLiteral("材料供應"), QColor(SupplyColour(SupplyKind::Materials)), Lp,
                    cmP, supplyTab);
    auto* description = new QVBoxLayout;
    description->addWidget(MemoLabel(QStringLiteral("敘述："), supplyTab));
    supplyRow->addLayout(description);
    supplyRow->addWidget(T40, 2);
    supplyRow->addWidget(Fm1, 1);
    supplyRow->addWidget(Fm2, 1);
    SSTab1->addTab(supplyTab, QStringLiteral("工班 或 材料供應"));

    detailBody()->addWidget(P1);
    detailBody()->addWidget(SSTab1);
    setLockedPanels({P1, P2, P3, P4, T35, T40, Fm1, Fm2});

    const QList<QWidget*> tabOrder = {
        t2,  t3,  t29, cb1, t5,  t6,  cb4, cb3, t7,  t10, t11, cb5, t4,  t12, t13, cb6, t9,  t14, t15,
        ck0, ck1, t16, t17, t18, t19, t20, t21, t22, t23, t30, t31, t32, T33, cb7, T36, T37, T38, T39,
        t24, t25, t26, t27, t28, T35, T40, cmdY, cmdN, cbTp};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    connect(t2, &QLineEdit::editingFinished, this, &frmPrv::t2_Validate);
    connect(cmW, &QPushButton::clicked, this, &frmPrv::cmW_Click);
    connect(cmP, &QPushButton::clicked, this, &frmPrv::cmP_Click);
}

void frmPrv::refresh()
{
    RegisterWindow::refresh();
    if (!Fm1)
        return;
    const RecordForm& form = m_vendors->form();
    Fm1->setVisible(form.field(QStringLiteral("ck0")) == QLatin1String("1"));
    Fm2->setVisible(form.field(QStringLiteral("ck1")) == QLatin1String("1"));
    // Kinds and links change while a stored vendor is changed; a new one starts with none.
    const bool changing = m_vendors->editMode() == EditMode::Edit;
    for (const char* box : {"ck0", "ck1"}) {
        if (QWidget* w = binder().widget(QString::fromLatin1(box)))
            w->setEnabled(changing);
    }
}

void frmPrv::refreshSupply()
{
    const std::pair<QComboBox*, QStringList> boxes[] = {{cbW, m_vendors->crewChoices()},
                                                        {cbP, m_vendors->materialChoices()}};
    for (const auto& [box, choices] : boxes) {
        QStringList shown;
        for (int i = 0; i < box->count(); ++i)
            shown << box->itemText(i);
        if (shown != choices) {
            box->clear();
            box->addItems(choices);
        }
    }
    cbW->setEditText(m_vendors->crewText());
    cbP->setEditText(m_vendors->materialText());
}

void frmPrv::cbW_Click(int index)
{
    m_vendors->listBySupply(SupplyKind::Crews, cbW->itemText(index));
}

void frmPrv::cbP_Click(int index)
{
    m_vendors->listBySupply(SupplyKind::Materials, cbP->itemText(index));
}

void frmPrv::editLinks(SupplyKind kind)
{
    if (!m_vendors->beginLinks(kind))
        return;
    frmWP links(this);
    links.exec();
    m_vendors->linksClosed(kind);
}

void frmPrv::cmW_Click()
{
    editLinks(SupplyKind::Crews);
}

void frmPrv::cmP_Click()
{
    editLinks(SupplyKind::Materials);
}

void frmPrv::t2_Validate()
{
    m_vendors->nameLeft();
}

void ShowVendorRegister(QWidget* parent)
{
    ShowRegisterWindow(theInstance(), parent);
}

} // namespace varn
