#include "app/widgets/frmSplash.h"

#include "app/Version.h"
#include "platform/ui/Twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace varn {

namespace {

constexpr int WidthTwips = 6600;
constexpr int HeightTwips = 3300;
constexpr int RaiseTwips = 1500;   // sits above the centre, leaving room for frmLogin

} // namespace

frmSplash::frmSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("瓦恩工房 III"));
    setFixedSize(TwipsToPixels(WidthTwips), TwipsToPixels(HeightTwips));

    const ProgramVersion v = CurrentVersion();
    m_l = new QLabel(SplashVersionText(v), this);
    m_l->setObjectName(QStringLiteral("l"));
    m_lb = new QLabel(SplashBuildText(v), this);
    m_lb->setObjectName(QStringLiteral("lb"));
    for (QLabel* label : {m_l, m_lb}) {
        label->setAlignment(Qt::AlignRight);
        label->setStyleSheet(QStringLiteral("color: white;"));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_l);
    layout->addWidget(m_lb);

    // Form_Load: above the middle of the screen.
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect area = s->geometry();
        move(area.x() + (area.width() - width()) / 2,
             area.y() + (area.height() - height()) / 2 - TwipsToPixels(RaiseTwips));
    }

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(2);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    // Enabled at load: it fires once the event loop runs.
    m_timer->start();
}

void frmSplash::Timer1_Timer()
{
    m_timer->stop();
    emit showLoginRequested();
}

void frmSplash::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(rect().topLeft(), rect().bottomRight());
    sky.setColorAt(0, QColor(0x0D, 0x47, 0xA1));
    sky.setColorAt(1, QColor(0x00, 0x83, 0x8F));
    p.fillRect(rect(), sky);

    // A roof line over the name: the program is for builders.
    QPen roof(QColor(0xFF, 0xC1, 0x07), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(roof);
    const int w = width();
    const int h = height();
    p.drawPolyline(QPolygon({QPoint(w / 10, h * 2 / 5), QPoint(w / 2, h / 8),
                             QPoint(w * 9 / 10, h * 2 / 5)}));

    QFont title = font();
    title.setPixelSize(h / 6);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(0, h * 2 / 5, w, h / 4), Qt::AlignCenter, QStringLiteral("瓦恩工房 III"));
}

} // namespace varn
