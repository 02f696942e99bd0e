#include "records/widgets/frmSta.h"

#include "platform/ui/widgets/PasswordBox.h"
#include "records/EmployeeRegister.h"
#include "records/widgets/FieldBinder.h"
#include "records/widgets/PanelBuilder.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varn {

namespace {

constexpr int kPrintKindEmployees = 3;

QPointer<frmSta>& theInstance()
{
    static QPointer<frmSta> instance;
    return instance;
}

} // namespace

frmSta::frmSta(QWidget* parent)
    : RegisterWindow(std::make_unique<EmployeeRegister>(), parent)
    , m_employees(static_cast<EmployeeRegister*>(&engine()))
{
    setObjectName(QStringLiteral("frmSta"));
    buildDetail();
    finishSetUp(kPrintKindEmployees);
}

frmSta::~frmSta() = default;

frmSta* frmSta::existing()
{
    return theInstance();
}

EmployeeRegister& frmSta::employees()
{
    return *m_employees;
}

void frmSta::buildDetail()
{
    FieldBinder& b = binder();
    auto* P1 = new QWidget(Frame1);
    P1->setObjectName(QStringLiteral("P1"));
    PanelBuilder p1(P1, b);
    QLineEdit* t1 = p1.shown("t1", 6);
    QLineEdit* t2 = p1.line("t2", 8);
    QLineEdit* t3 = p1.line("t3", 10);
    QComboBox* cb1 = p1.combo("cb1");
    QLineEdit* t5 = p1.line("t5", 20);
    QLineEdit* t6 = p1.line("t6", 5);
    QLineEdit* t4 = p1.line("t4");
    QLineEdit* t20 = p1.line("t20");
    QLineEdit* t8 = p1.line("t8", 10);
    QLineEdit* t15 = p1.line("t15");
    QLineEdit* t10 = p1.line("t10", 4);
    QLineEdit* t11 = p1.line("t11", 10);
    QLineEdit* t13 = p1.shown("t13", 9);
    QDateEdit* DTP1 = p1.date("DTP1");
    QLineEdit* t9 = p1.line("t9", 16);
    QLineEdit* t12 = p1.line("t12", 10);
    QLineEdit* t14 = p1.shown("t14", 9);
    QDateEdit* DTP2 = p1.date("DTP2");
    QLineEdit* t16 = p1.line("t16");
    QLineEdit* t17 = p1.line("t17", 4);
    QLineEdit* t18 = p1.line("t18", 10);

    p1.field(0, 0, QStringLiteral("員工編號:"), {t1});
    p1.field(0, 1, QStringLiteral("中文姓名:"), {t2});
    p1.field(0, 2, QStringLiteral("英文姓名:   (使用者名稱)"), {t3});
    p1.field(1, 0, QStringLiteral("住家地址:"), {cb1, t5});
    p1.field(1, 1, QStringLiteral("郵遞區號:"), {t6});
    p1.field(1, 2, QStringLiteral("部門:"), {t4});
    p1.field(1, 3, QStringLiteral("職稱:"), {t20});
    p1.field(2, 0, QStringLiteral("身分字號:"), {t8});
    p1.field(2, 1, QStringLiteral("薪水:"), {t15});
    p1.field(2, 2, QStringLiteral("住家電話:"), {t10, t11});
    p1.field(2, 3, QStringLiteral("生日:"), {t13, DTP1});
    p1.field(3, 0, QStringLiteral("電子郵件:"), {t9});
    p1.field(3, 1, QStringLiteral("行動電話:"), {t12});
    p1.field(3, 3, QStringLiteral("僱用日期:"), {t14, DTP2});
    p1.field(4, 0, QStringLiteral("緊急連絡人姓名:"), {t16});
    p1.field(4, 1, QStringLiteral("緊急連絡人電話:"), {t17, t18});

    // Enter moves on in the memo too; Ctrl+Enter starts a new line there.
    QPlainTextEdit* t19 = MakeMemo(Frame1, b, "t19", FieldBinder::MemoEnter::MovesOn);
    buildPasswordPanel();

    detailBody()->addWidget(P1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(MemoLabel(QStringLiteral("備註:"), Frame1));
    lower->addWidget(t19, 1);
    lower->addWidget(Frame3);
    detailBody()->addLayout(lower);
    setLockedPanels({P1, t19});

    const QList<QWidget*> tabOrder = {t2,  t3,  cb1, t5,  t6,  t4,  t20, t8,  t15, t10,
                                      t11, t9,  t12, t16, t17, t18, t19, cmdY, cmdN};
    for (int i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder.at(i - 1), tabOrder.at(i));

    connect(t2, &QLineEdit::editingFinished, this, &frmSta::t2_Validate);
}

void frmSta::buildPasswordPanel()
{
    Frame3 = new QGroupBox(QStringLiteral("密碼設定"), Frame1);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto* grid = new QGridLayout(Frame3);
    auto secret = [this](const char* name) {
        auto* e = new QLineEdit(Frame3);
        e->setObjectName(QString::fromLatin1(name));
        MakePasswordBox(e);
        binder().enterMovesOn(e);
        return e;
    };
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new QLabel(caption, Frame3);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto push = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, Frame3);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    cmdPaSet = push("cmdPaSet", QStringLiteral("密碼設定"));
    lbOp = label("lbOp", QStringLiteral("原始密碼: "));
    txtOp = secret("txtOp");
    lbNp = label("lbNp", QStringLiteral("新  密  碼: "));
    txtNp = secret("txtNp");
    lbCp = label("lbCp", QStringLiteral("確定密碼 : "));
    txtCp = secret("txtCp");
    cmdPass = push("cmdPass", QStringLiteral("變更"));
    cmdCnC = push("cmdCnC", QStringLiteral("取消變更"));
    grid->addWidget(cmdPaSet, 0, 0, 1, 2);
    grid->addWidget(lbOp, 1, 0);
    grid->addWidget(txtOp, 1, 1);
    grid->addWidget(lbNp, 2, 0);
    grid->addWidget(txtNp, 2, 1);
    grid->addWidget(lbCp, 3, 0);
    grid->addWidget(txtCp, 3, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(cmdPass);
    row->addWidget(cmdCnC);
    grid->addLayout(row, 4, 0, 1, 2);
    setTabOrder(txtOp, txtNp);
    setTabOrder(txtNp, txtCp);
    setTabOrder(txtCp, cmdPass);

    connect(cmdPaSet, &QPushButton::clicked, this, &frmSta::cmdPaSet_Click);
    connect(cmdPass, &QPushButton::clicked, this, &frmSta::cmdPass_Click);
    connect(cmdCnC, &QPushButton::clicked, this, &frmSta::cmdCnC_Click);
    showPasswordPanel(false);
}

void frmSta::showPasswordPanel(bool open)
{
    for (QWidget* w : std::initializer_list<QWidget*>{lbOp, txtOp, lbNp, txtNp, lbCp, txtCp, cmdPass, cmdCnC})
        w->setVisible(open);
    cmdPaSet->setVisible(!open);
    txtOp->clear();
    txtNp->clear();
    txtCp->clear();
    if (open)
        txtOp->setFocus(Qt::OtherFocusReason);
}

void frmSta::t2_Validate()
{
    m_employees->nameLeft();
}

void frmSta::cmdPaSet_Click()
{
    if (m_employees->openPasswordPanel()) {
        showPasswordPanel(true);
        bringIntoView(Frame3);
    }
}

void frmSta::cmdPass_Click()
{
    if (m_employees->changePassword(txtOp->text(), txtNp->text(), txtCp->text())) {
        showPasswordPanel(false);
        return;
    }
    // A refusal empties the three boxes; the panel stays open.
    txtOp->clear();
    txtNp->clear();
    txtCp->clear();
    txtOp->setFocus(Qt::OtherFocusReason);
}

void frmSta::cmdCnC_Click()
{
    showPasswordPanel(false);
}

void ShowEmployeeRegister(QWidget* parent)
{
    ShowRegisterWindow(theInstance(), parent);
}

} // namespace varn
