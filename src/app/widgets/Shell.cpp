#include "app/widgets/Shell.h"

#include "app/ProgramEnd.h"
#include "app/widgets/frmLogin.h"
#include "app/widgets/frmMenu.h"
#include "app/widgets/frmSet.h"
#include "app/widgets/frmSplash.h"
#include "shared/ProgramState.h"

#include <QApplication>

#include <vector>

namespace varn {

Shell::Shell()
{
    m_openers[MenuButton::Settings] = [this] { showSettings(); };
    SetWindowCloser([this] { return closeWindows(); });
}

Shell::~Shell()
{
    SetWindowCloser({});
    delete m_settings;
    delete m_menu;
    delete m_login;
    delete m_splash;
}

void Shell::start()
{
    m_splash = new frmSplash;
    connect(m_splash, &frmSplash::showLoginRequested, this, &Shell::showLogin);
    m_splash->show();
}

void Shell::setWindowOpener(MenuButton button, std::function<void()> opener)
{
    m_openers[button] = opener;
    if (m_menu)
        m_menu->setWindowOpener(button, std::move(opener));
}

void Shell::setQuotationCloser(std::function<bool()> closer)
{
    m_quotationCloser = std::move(closer);
}

bool Shell::closeWindows()
{
    if (m_quotationCloser && !m_quotationCloser())
        return false;
    // Held by guarded pointers: closing one window may take others with it.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        windows.emplace_back(w);
    for (const QPointer<QWidget>& w : windows) {
        // The menu goes last, with the program itself.
        if (!w || w == m_menu || !w->isVisible() || w->windowType() == Qt::Popup
            || w->windowType() == Qt::ToolTip)
            continue;
        w->raise();
        w->activateWindow();
        if (!w->close())
            return false;
    }
    return true;
}

void Shell::showLogin()
{
    if (m_login)
        return;
    m_login = new frmLogin(m_splash);
    m_login->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_login, &frmLogin::signedIn, this, &Shell::showMenu);
    // Closing the sign-in window takes the start-up window with it.
    connect(m_login, &QObject::destroyed, this, [this] {
        if (m_splash)
            m_splash->deleteLater();
    });
    if (m_login->databaseOpen()) {
        m_login->show();
        // Typing goes to the sign-in box at once, without a click first.
        m_login->raise();
        m_login->activateWindow();
    } else
        m_login->close();
}

void Shell::showMenu()
{
    if (m_menu)
        return;
    m_menu = new frmMenu(state().m.gRights);
    for (const auto& [button, opener] : m_openers)
        m_menu->setWindowOpener(button, opener);
    m_menu->show();
    emit menuShown(m_menu);
}

void Shell::showSettings()
{
    if (!m_settings) {
        m_settings = new frmSet;
        m_settings->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

} // namespace varn
