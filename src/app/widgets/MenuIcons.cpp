#include "app/widgets/MenuIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace varn {

namespace {

constexpr int Size = 64;   // drawn large, scaled down by the button

void drawQuotation(QPainter& p)
{
    // A sheet with a folded corner and ruled lines, and a coin.
    QPainterPath sheet;
    sheet.moveTo(12, 6);
    sheet.lineTo(40, 6);
    sheet.lineTo(52, 18);
    sheet.lineTo(52, 58);
    sheet.lineTo(12, 58);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x37, 0x47, 0x4F), 3));
    p.setBrush(QColor(0xFA, 0xFA, 0xFA));
    p.drawPath(sheet);
    p.setBrush(QColor(0xCF, 0xD8, 0xDC));
    p.drawPolygon(QPolygon({QPoint(40, 6), QPoint(40, 18), QPoint(52, 18)}));
    p.setPen(QPen(QColor(0x19, 0x76, 0xD2), 3));
    for (int y : {26, 34, 42})
        p.drawLine(19, y, 44, y);
    p.setPen(QPen(QColor(0xF5, 0x7F, 0x17), 2));
    p.setBrush(QColor(0xFF, 0xC1, 0x07));
    p.drawEllipse(QPoint(42, 50), 9, 9);
}

void drawPerson(QPainter& p, QPointF at, double scale, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(at + QPointF(0, -14 * scale), 9 * scale, 9 * scale);
    QPainterPath body;
    body.addRoundedRect(QRectF(at.x() - 16 * scale, at.y() - 2 * scale, 32 * scale, 24 * scale),
                        12 * scale, 12 * scale);
    p.drawPath(body);
}

void drawCustomers(QPainter& p)
{
    drawPerson(p, QPointF(32, 34), 1.2, QColor(0x19, 0x76, 0xD2));
}

void drawVendors(QPainter& p)
{
    // A works building with a saw-tooth roof and a chimney.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x6D, 0x4C, 0x41));
    p.drawRect(44, 8, 8, 22);
    p.setBrush(QColor(0xEF, 0x6C, 0x00));
    p.drawPolygon(QPolygon({QPoint(6, 58), QPoint(6, 26), QPoint(20, 34), QPoint(20, 26),
                            QPoint(34, 34), QPoint(34, 26), QPoint(58, 30), QPoint(58, 58)}));
    p.setBrush(QColor(0xFF, 0xF3, 0xE0));
    for (int x : {12, 26, 40})
        p.drawRect(x, 40, 8, 8);
}

void drawEmployees(QPainter& p)
{
    drawPerson(p, QPointF(22, 36), 0.9, QColor(0x2E, 0x7D, 0x32));
    drawPerson(p, QPointF(42, 32), 1.0, QColor(0x43, 0xA0, 0x47));
}

void drawLexicon(QPainter& p)
{
    // A closed book with a bookmark.
    p.setPen(QPen(QColor(0x4E, 0x34, 0x2E), 3));
    p.setBrush(QColor(0x8D, 0x6E, 0x63));
    p.drawRoundedRect(QRectF(12, 6, 40, 52), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xFF, 0xF8, 0xE1));
    p.drawRect(QRectF(46, 10, 5, 44));
    p.setBrush(QColor(0xC6, 0x28, 0x28));
    p.drawPolygon(QPolygon({QPoint(22, 6), QPoint(30, 6), QPoint(30, 24), QPoint(26, 20),
                            QPoint(22, 24)}));
    p.setPen(QPen(QColor(0xFF, 0xF8, 0xE1), 3));
    p.drawLine(18, 36, 40, 36);
    p.drawLine(18, 44, 36, 44);
}

void drawSettings(QPainter& p)
{
    // A gear: eight teeth round a wheel with a hole.
    const QPointF c(32, 32);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i * M_PI) / teeth;
        const double r = (i % 2 == 0) ? 27 : 20;
        const double half = M_PI / teeth / 2;
        const QPointF p0 = c + QPointF(r * std::cos(a0 - half), r * std::sin(a0 - half));
        const QPointF p1 = c + QPointF(r * std::cos(a0 + half), r * std::sin(a0 + half));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(c, 8, 8);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(QColor(0x37, 0x47, 0x4F), 2));
    p.setBrush(QColor(0x78, 0x90, 0x9C));
    p.drawPath(gear);
}

void drawExit(QPainter& p)
{
    // The power sign.
    QPen pen(QColor(0xC6, 0x28, 0x28), 7, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(12, 12, 40, 40), 120 * 16, 300 * 16);
    p.drawLine(32, 8, 32, 30);
}

void drawHide(QPainter& p)
{
    // Two chevrons pointing up: the bar folds away to the top edge.
    QPen pen(QColor(0x45, 0x5A, 0x64), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({QPoint(14, 32), QPoint(32, 16), QPoint(50, 32)}));
    p.drawPolyline(QPolygon({QPoint(14, 50), QPoint(32, 34), QPoint(50, 50)}));
}

} // namespace

QIcon MenuIcon(MenuButton button)
{
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (button) {
    case MenuButton::Quotation: drawQuotation(p); break;
    case MenuButton::Customers: drawCustomers(p); break;
    case MenuButton::Vendors: drawVendors(p); break;
    case MenuButton::Employees: drawEmployees(p); break;
    case MenuButton::Lexicon: drawLexicon(p); break;
    case MenuButton::Settings: drawSettings(p); break;
    case MenuButton::Exit: drawExit(p); break;
    case MenuButton::Hide: drawHide(p); break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace varn
