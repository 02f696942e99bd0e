#include "app/widgets/frmLogin.h"

#include "app/MainDb.h"
#include "app/ProgramEnd.h"
#include "platform/ui/widgets/PasswordBox.h"
#include "shared/ProgramState.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace varn {

frmLogin::frmLogin(QWidget* below, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("登入"));

    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("txtUserName"));
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    MakePasswordBox(m_password);
    m_ok = new QPushButton(QStringLiteral("確定"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* userLabel = new QLabel(QStringLiteral("使用者名稱(&U):"), this);
    userLabel->setBuddy(m_user);
    auto* passLabel = new QLabel(QStringLiteral("密碼(&P):"), this);
    passLabel->setBuddy(m_password);

    auto* grid = new QGridLayout(this);
    grid->addWidget(userLabel, 0, 0);
    grid->addWidget(m_user, 0, 1);
    grid->addWidget(passLabel, 1, 0);
    grid->addWidget(m_password, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    m_user->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20);

    // Enter in the name goes on to the password; Enter in the password signs in.
    connect(m_user, &QLineEdit::returnPressed, this, [this] {
        m_password->setFocus();
        m_password->selectAll();
    });
    connect(m_password, &QLineEdit::returnPressed, this, &frmLogin::cmdOK_Click);
    connect(m_ok, &QPushButton::clicked, this, &frmLogin::cmdOK_Click);
    connect(m_cancel, &QPushButton::clicked, this, &frmLogin::cmdCancel_Click);

    // Form_Load: under the start-up window, centred across the screen.
    adjustSize();
    setFixedSize(sizeHint());
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->geometry();
        const int top = below ? below->geometry().bottom() + 1 : area.y() + (area.height() - height()) / 2;
        move(area.x() + (area.width() - width()) / 2, top);
    }
    m_dbOpen = OpenMainDb();
    if (!m_dbOpen)
        m_done = true;   // the program is ending
    state().m.gLoginFailures = 0;
}

void frmLogin::cmdOK_Click()
{
    if (m_done)
        return;
    const SignInResult result = SignIn::attempt(m_user->text(), m_password->text());
    switch (result) {
    case SignInResult::Superuser:
    case SignInResult::Employee:
        m_done = true;
        emit signedIn(result);
        close();
        break;
    case SignInResult::Failed:
        m_user->setFocus();
        m_user->selectAll();
        break;
    case SignInResult::TooManyFailures:
        m_done = true;
        close();
        break;
    }
}

void frmLogin::cmdCancel_Click()
{
    hide();
    m_done = true;
    EndProgram(0);
    close();
}

void frmLogin::closeEvent(QCloseEvent* event)
{
    // Closing the window before a sign-in leaves nothing to go on with.
    if (!m_done) {
        m_done = true;
        EndProgram(0);
    }
    event->accept();
}

} // namespace varn
