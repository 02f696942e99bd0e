#pragma once

#include "app/SignIn.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace varn {

// The sign-in window (登入). Its load opens the main database; 確定 checks the name and
// password (see SignIn); three failures, 取消 or closing the window end the program.
class frmLogin : public QWidget {
    Q_OBJECT
public:
    // Form_Load; below is the window it is placed under (frmSplash), or null.
    explicit frmLogin(QWidget* below = nullptr, QWidget* parent = nullptr);

    QLineEdit* txtUserName() const { return m_user; }
    QLineEdit* txtPassword() const { return m_password; }
    QPushButton* cmdOK() const { return m_ok; }
    QPushButton* cmdCancel() const { return m_cancel; }

    void cmdOK_Click();
    void cmdCancel_Click();

    // Whether the main database opened at load.
    bool databaseOpen() const { return m_dbOpen; }

signals:
    // A successful sign-in: the signed-in state is filled and the folders are prepared.
    void signedIn(varn::SignInResult result);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* m_user;
    QLineEdit* m_password;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_dbOpen = false;
    bool m_done = false;   // signed in, or the program is ending
};

} // namespace varn
