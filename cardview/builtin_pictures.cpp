#include "cardview/builtin_pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace kvilbo::cardview {

namespace {

void drawCard(QPainter &p, const QRectF &r, const QColor &fill, const QColor &tab)
{
    QPainterPath card;
    card.addRoundedRect(r, 5, 5);
    p.fillPath(card, fill);
    p.setPen(QPen(QColor(60, 60, 70), 1.5));
    p.drawPath(card);
    p.fillRect(QRectF(r.left() + 8, r.top() + 6, r.width() * 0.35, 7), tab);
    p.setPen(QPen(QColor(120, 120, 130), 1));
    for (qreal y = r.top() + 20; y < r.bottom() - 6; y += 8)
        p.drawLine(QPointF(r.left() + 8, y), QPointF(r.right() - 8, y));
}

} // namespace

QPixmap internalPicture()
{
    // A small stack of index cards: what the program keeps.
    QPixmap pixmap(93, 80);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawCard(p, QRectF(22, 4, 66, 46), QColor(214, 228, 246), QColor(70, 110, 180));
    drawCard(p, QRectF(13, 16, 66, 46), QColor(236, 242, 214), QColor(120, 150, 60));
    drawCard(p, QRectF(4, 29, 66, 46), QColor(255, 250, 232), QColor(196, 84, 60));
    return pixmap;
}

QPixmap missingPicture()
{
    QPixmap pixmap(264, 204);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(190, 40, 40), 2, Qt::DashLine));
    p.drawRect(QRectF(1, 1, 262, 202));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(190, 40, 40));
    const QString words = QStringLiteral("Picture Missing");
    for (int row = 0; row < 9; ++row) {
        const int y = 22 + row * 21;
        const int shift = (row % 2) * 60;
        for (int x = 8 - shift; x < 264; x += 124)
            p.drawText(QPointF(x, y), words);
    }
    return pixmap;
}

} // namespace kvilbo::cardview
