#pragma once

#include "app/MainMenu.h"
#include "app/widgets/frmLogin.h"
#include "app/widgets/frmMenu.h"
#include "app/widgets/frmSet.h"
#include "app/widgets/frmSplash.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

namespace varn {

// The windows of the start: frmSplash, then frmLogin, then frmMenu, each existing once.
// Window openers registered here are handed to the menu when it appears, so the later
// windows plug into the menu without touching it.
class Shell : public QObject {
    Q_OBJECT
public:
    Shell();
    ~Shell() override;

    // Shows frmSplash; its timer brings up frmLogin.
    void start();

    void setWindowOpener(MenuButton button, std::function<void()> opener);
    // Closes the quotation window with its own save question, shown maximised so the user
    // sees what is asked about; false when it stays open. Asked first whenever the program
    // ends.
    void setQuotationCloser(std::function<bool()> closer);

    frmSplash* splash() const { return m_splash; }
    frmLogin* login() const { return m_login; }
    frmMenu* menu() const { return m_menu; }
    frmSet* settings() const { return m_settings; }

    // cmdPws: shows the settings window, making it on first use.
    void showSettings();

signals:
    void menuShown(varn::frmMenu* menu);

private:
    void showLogin();
    void showMenu();
    // On every end of the program: the quotation window, then every other open window,
    // each with its own question; false when one stays open.
    bool closeWindows();

    QPointer<frmSplash> m_splash;
    QPointer<frmLogin> m_login;
    QPointer<frmMenu> m_menu;
    QPointer<frmSet> m_settings;
    std::map<MenuButton, std::function<void()>> m_openers;
    std::function<bool()> m_quotationCloser;
};

} // namespace varn
