#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace varn {

// The start-up window: the program's name and version. Its one-shot timer asks for the
// sign-in window as soon as the event loop runs.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* l() const { return m_l; }
    QLabel* lb() const { return m_lb; }
    QTimer* Timer1() const { return m_timer; }

signals:
    // Timer1's first and only tick: frmLogin is wanted.
    void showLoginRequested();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Timer1_Timer();

    QLabel* m_l;
    QLabel* m_lb;
    QTimer* m_timer;
};

} // namespace varn
