#include "records/widgets/frmCus.h"

#include "records/CustomerRegister.h"
#include "records/widgets/FieldBinder.h"
#include "records/widgets/PanelBuilder.h"
#include "shared/ProgramState.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {

QPointer<frmCus>& theInstance()
{
    static QPointer<frmCus> instance;
    return instance;
}

constexpr int kPrintKindCustomers = 1;

} // namespace

frmCus::frmCus(QWidget* parent)
    : RegisterWindow(std::make_unique<CustomerRegister>(), parent)
    , m_customers(static_cast<CustomerRegister*>(&engine()))
{
    setObjectName(QStringLiteral("frmCus"));
    cmd2Q = new QPushButton(QStringLiteral("傳回報價單"), this);
    cmd2Q->setObjectName(QStringLiteral("cmd2Q"));
    cmd2Q->setAutoDefault(false);
    commandRow()->insertWidget(3, cmd2Q);
    connect(cmd2Q, &QPushButton::clicked, this, &frmCus::cmd2Q_Click);
    buildDetail();
    finishSetUp(kPrintKindCustomers);
}

frmCus::~frmCus() = default;

CustomerRegister& frmCus::customers()
{
    return *m_customers;
}

frmCus* frmCus::instance()
{
    QPointer<frmCus>& w = theInstance();
    if (!w) {
        w = new frmCus;
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    return w;
}

frmCus* frmCus::existing()
{
    return theInstance();
}

void frmCus::buildDetail()
{
    FieldBinder& b = binder();

    // P1: the company.
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
    QComboBox* cb2 = p1.combo("cb2");
    QLineEdit* t8 = p1.line("t8", 20);
    QLineEdit* t10 = p1.line("t10", 4);
    QLineEdit* t11 = p1.line("t11", 10);
    QComboBox* cb5 = p1.combo("cb5");
    QComboBox* cb3 = p1.combo("cb3");
    QLineEdit* t7 = p1.line("t7", 20);
    QLineEdit* t12 = p1.line("t12", 4);
    QLineEdit* t13 = p1.line("t13", 10);
    QComboBox* cb6 = p1.combo("cb6");
    QLineEdit* t4 = p1.line("t4", 8);
    QLineEdit* t9 = p1.line("t9", 16);
    QLineEdit* t14 = p1.line("t14", 4);
    QLineEdit* t15 = p1.line("t15", 10);
    QLineEdit* T34 = p1.shown("T34", 9);   // "115/12/17"
    QDateEdit* DTP1 = p1.date("DTP1");
    QComboBox* cbTp = p1.combo("cbTp");
    // The category lies outside the field order, so Enter does not move on from it.
    cbTp->removeEventFilter(&b);
    cbTp->lineEdit()->removeEventFilter(&b);

    p1.field(0, 0, QStringLiteral("客戶編號:"), {t1});
    p1.field(0, 1, QStringLiteral("客戶名稱:"), {t2});
    p1.field(0, 2, QStringLiteral("客戶代號:"), {t3});
    p1.field(1, 0, QStringLiteral("介紹人:"), {t29});
    p1.field(1, 1, QStringLiteral("公司地址:"), {cb1, t5});
    p1.field(1, 2, QStringLiteral("郵遞區號:"), {t6});
    p1.field(2, 0, QStringLiteral("負責業務:"), {cb4});
    p1.field(2, 1, QStringLiteral("施工地址:"), {cb2, t8});
    p1.field(2, 2, QStringLiteral("電話1:"), {t10, t11});
    p1.field(3, 0, QStringLiteral("行業別:"), {cb5});
    p1.field(3, 1, QStringLiteral("發票地址:"), {cb3, t7});
    p1.field(3, 2, QStringLiteral("電話2:"), {t12, t13});
    p1.field(4, 0, QStringLiteral("地區性:"), {cb6});
    p1.field(4, 1, QStringLiteral("統一編號:"), {t4});
    p1.field(4, 2, QStringLiteral("電子郵件:"), {t9});
    p1.field(5, 0, QStringLiteral("登錄日期:"), {T34, DTP1});
    p1.field(5, 1, QStringLiteral("傳真:"), {t14, t15});
    p1.grid()->addWidget(cbTp, 5, 5);

    // P2: the owner; P3: the accountant and terms; P4: the contact.
    auto* P2 = new QWidget(Frame1);
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
    p2.field(0, 0, QStringLiteral("負        責        人:"), {t16});
    p2.field(1, 0, QStringLiteral("負責人身分證號:"), {t17});
    p2.field(2, 0, QStringLiteral("負責人公司電話:"), {t18, t19});
    p2.field(3, 0, QStringLiteral("負責人大哥大:"), {t20});
    p2.field(4, 0, QStringLiteral("負責人住家電話:"), {t21, t22});
    p2.field(5, 0, QStringLiteral("負責人職稱:"), {t23});

    auto* P3 = new QWidget(Frame1);
    P3->setObjectName(QStringLiteral("P3"));
    PanelBuilder p3(P3, b);
    QLineEdit* t30 = p3.line("t30");
    QLineEdit* t31 = p3.line("t31");
    QLineEdit* t32 = p3.line("t32", 4);
    QLineEdit* T33 = p3.line("T33", 10);
    QComboBox* cb7 = p3.combo("cb7");
    QLineEdit* T36 = p3.line("T36");
    QLineEdit* T37 = p3.line("T37");
    p3.field(0, 0, QStringLiteral("會計人員:"), {t30});
    p3.field(1, 0, QStringLiteral("會計職稱:"), {t31});
    p3.field(2, 0, QStringLiteral("會計電話:"), {t32, T33});
    p3.field(3, 0, QStringLiteral("收款方式:"), {cb7});
    p3.field(4, 0, QStringLiteral("結帳日:"), {T36});
    p3.field(5, 0, QStringLiteral("請款日:"), {T37});

    auto* P4 = new QWidget(Frame1);
    P4->setObjectName(QStringLiteral("P4"));
    PanelBuilder p4(P4, b);
    QLineEdit* t24 = p4.line("t24");
    QLineEdit* t25 = p4.line("t25", 4);
    QLineEdit* t26 = p4.line("t26", 10);
    QLineEdit* t27 = p4.line("t27");
    QLineEdit* t28 = p4.line("t28");
    p4.field(0, 0, QStringLiteral("連       絡       人:"), {t24});
    p4.field(1, 0, QStringLiteral("連絡人公司電話:"), {t25, t26});
    p4.field(2, 0, QStringLiteral("連絡人大哥大:"), {t27});
    p4.field(3, 0, QStringLiteral("連絡人職稱:"), {t28});
    p4.grid()->setRowStretch(4, 1);

    QPlainTextEdit* T35 = MakeMemo(Frame1, b, "T35", FieldBinder::MemoEnter::NewLine);

    detailBody()->addWidget(P1);
    auto* people = new QHBoxLayout;
    people->addWidget(P2);
    people->addWidget(P3);
    people->addWidget(P4);
    detailBody()->addLayout(people);
    auto* memoRow = new QHBoxLayout;
    memoRow->addWidget(MemoLabel(QStringLiteral("備註:"), Frame1));
    memoRow->addWidget(T35, 1);
    detailBody()->addLayout(memoRow);

    setLockedPanels({P1, P2, P3, P4, T35});

    // The order in which Tab and Enter walk the fields.
    const QList<QWidget*> tabOrder = {
        t2, t3, t29, cb1, t5, t6, cb4, cb2, t8, t10, t11, cb5, cb3, t7, t12, t13, cb6,
        t4, t9, t14, t15, t16, t17, t18, t19, t20, t21, t22, t23, t30, t31, t32, T33,
        cb7, T36, T37, t24, t25, t26, t27, t28, T35, cmdY, cmdN, cbTp};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    connect(t2, &QLineEdit::editingFinished, this, &frmCus::t2_Validate);
    // 傳回報價單 follows the name as it is typed.
    connect(&m_customers->form(), &RecordForm::fieldChanged, this, [this](const QString& control) {
        if (cmd2Q && control == QLatin1String("t2"))
            cmd2Q->setEnabled(m_customers->canHandBack());
    });
}

void frmCus::refresh()
{
    RegisterWindow::refresh();
    if (cmd2Q) {
        cmd2Q->setVisible(m_customers->pickMode());
        cmd2Q->setEnabled(m_customers->canHandBack());
    }
}

void frmCus::t2_Validate()
{
    m_customers->nameLeft();
}

void frmCus::cmd2Q_Click()
{
    if (m_customers->handBack())
        closeWithoutAsking(true);
}

void frmCus::unloaded()
{
    m_customers->unload();
}

void ShowCustomerRegister(QWidget* parent)
{
    state().m.gPickCustomer = false;
    ShowRegisterWindow(theInstance(), parent);
}

bool PickCustomer(QWidget* parent)
{
    mdM& m = state().m;
    m.gPickCustomer = true;
    m.gCustomerPicked = false;
    if (QPointer<frmCus> open = frmCus::existing()) {
        if (open->isVisible() && !open->close())
            return false;
        delete open.data();
    }
    QPointer<frmCus>& slot = theInstance();
    auto* w = new frmCus(parent);
    w->setAttribute(Qt::WA_DeleteOnClose);
    slot = w;
    w->setModal(true);
    w->exec();
    return state().m.gCustomerPicked;
}

} // namespace varn
