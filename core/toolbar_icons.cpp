#include "core/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace kvilbo::core {

namespace {

const QColor kInk(40, 60, 90);
const QColor kPaper(250, 248, 235);
const QColor kAccent(40, 120, 200);
const QColor kWarm(210, 120, 40);

void card(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawRoundedRect(r, 2, 2);
    p.setPen(QPen(kInk.lighter(160), 1));
    for (double y = r.top() + 5; y < r.bottom() - 2; y += 4)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

void triangle(QPainter &p, double x, double y, double size, bool right)
{
    const double d = right ? size : -size;
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({QPointF(x, y - size), QPointF(x + d, y), QPointF(x, y + size)}));
}

void bar(QPainter &p, double x)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(QRectF(x, 7, 3, 18));
}

void drawNavigation(QPainter &p, ToolIcon kind)
{
    switch (kind) {
    case ToolIcon::First: bar(p, 7); triangle(p, 22, 16, 9, false); break;
    case ToolIcon::Previous: triangle(p, 20, 16, 9, false); break;
    case ToolIcon::Next: triangle(p, 12, 16, 9, true); break;
    case ToolIcon::Last: triangle(p, 10, 16, 9, true); bar(p, 22); break;
    default: break;
    }
}

void plus(QPainter &p, double x, double y)
{
    p.setPen(QPen(QColor(30, 150, 60), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - 5, y), QPointF(x + 5, y));
    p.drawLine(QPointF(x, y - 5), QPointF(x, y + 5));
}

void draw(QPainter &p, ToolIcon kind)
{
    switch (kind) {
    case ToolIcon::Open:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(240, 200, 90));
        p.drawPolygon(QPolygonF({QPointF(3, 9), QPointF(12, 9), QPointF(14, 12), QPointF(29, 12),
                                 QPointF(29, 27), QPointF(3, 27)}));
        break;
    case ToolIcon::NewDatabase:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(200, 220, 240));
        p.drawEllipse(QRectF(5, 5, 18, 6));
        p.drawRect(QRectF(5, 8, 18, 17));
        plus(p, 24, 23);
        break;
    case ToolIcon::Close:
        card(p, QRectF(5, 5, 20, 22));
        p.setPen(QPen(QColor(190, 40, 40), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(17, 17), QPointF(27, 27));
        p.drawLine(QPointF(27, 17), QPointF(17, 27));
        break;
    case ToolIcon::ListView:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 5, 24, 22));
        for (int y = 11; y < 27; y += 5)
            p.drawLine(QPointF(4, y), QPointF(28, y));
        p.drawLine(QPointF(12, 5), QPointF(12, 27));
        break;
    case ToolIcon::CardView: card(p, QRectF(6, 4, 20, 24)); break;
    case ToolIcon::Print:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 4, 14, 10));
        p.setBrush(QColor(150, 160, 175));
        p.drawRoundedRect(QRectF(4, 12, 24, 11), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(9, 19, 14, 9));
        break;
    case ToolIcon::Information:
    case ToolIcon::Welcome:
        p.setPen(Qt::NoPen);
        p.setBrush(kind == ToolIcon::Welcome ? kWarm : kAccent);
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPoint(QPointF(16, 10));
        p.drawLine(QPointF(16, 15), QPointF(16, 23));
        break;
    case ToolIcon::Settings:
        p.setPen(QPen(kInk, 5, Qt::SolidLine, Qt::RoundCap));
        for (int a = 0; a < 180; a += 45) {
            QLineF spoke = QLineF::fromPolar(12, a).translated(16, 16);
            p.drawLine(QLineF(spoke.p2(), QLineF::fromPolar(12, a + 180).translated(16, 16).p2()));
        }
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawEllipse(QRectF(10, 10, 12, 12));
        break;
    case ToolIcon::Design:
        card(p, QRectF(4, 8, 18, 20));
        p.setPen(QPen(kWarm, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 22), QPointF(28, 5));
        break;
    case ToolIcon::Exit:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(170, 120, 80));
        p.drawRect(QRectF(6, 4, 14, 24));
        p.setPen(QPen(QColor(190, 40, 40), 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, 16), QPointF(28, 16));
        p.drawLine(QPointF(24, 12), QPointF(28, 16));
        p.drawLine(QPointF(24, 20), QPointF(28, 16));
        break;
    case ToolIcon::NewCard: card(p, QRectF(4, 4, 18, 22)); plus(p, 23, 23); break;
    case ToolIcon::Mark:
        card(p, QRectF(4, 4, 20, 24));
        p.setPen(QPen(QColor(30, 150, 60), 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPolyline(QPolygonF({QPointF(12, 18), QPointF(17, 24), QPointF(28, 8)}));
        break;
    case ToolIcon::Log:
        card(p, QRectF(6, 3, 20, 26));
        break;
    case ToolIcon::Search:
        p.setPen(QPen(kInk, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 5, 15, 15));
        p.drawLine(QPointF(18, 18), QPointF(27, 27));
        break;
    default: drawNavigation(p, kind); break;
    }
}

} // namespace

QIcon toolIcon(ToolIcon kind)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, kind);
    painter.end();
    return QIcon(pixmap);
}

} // namespace kvilbo::core
