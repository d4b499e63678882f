#include "core/card_surface.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace kvilbo::core {

CardSurface::CardSurface(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("bakgrunn1"));
    auto *card = new QWidget;
    card->setObjectName(QStringLiteral("kortflate"));
    card->setAutoFillBackground(true);
    card->resize(900, 600);
    setWidget(card);
    setWidgetResizable(false);
    viewport()->installEventFilter(this);
    card->installEventFilter(this);
    hide();
}

bool CardSurface::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Wheel && (watched == viewport() || watched == widget()))
        return scrollByWheel(static_cast<QWheelEvent *>(event));
    return QScrollArea::eventFilter(watched, event);
}

void CardSurface::wheelEvent(QWheelEvent *event)
{
    if (!scrollByWheel(event))
        QScrollArea::wheelEvent(event);
}

bool CardSurface::scrollByWheel(QWheelEvent *event)
{
    // Only the surface itself scrolls this way; a control on the card that
    // lets the wheel through keeps it out of here.
    const QPoint global = event->globalPosition().toPoint();
    QWidget *under = widget()->childAt(widget()->mapFromGlobal(global));
    if (under != nullptr)
        return false;
    const QPoint delta = event->angleDelta();
    const int steps = delta.y() != 0 ? delta.y() : delta.x();
    if (steps == 0)
        return true;
    QScrollBar *bar = (event->modifiers() & Qt::ShiftModifier) ? horizontalScrollBar()
                                                               : verticalScrollBar();
    const int lines = QApplication::wheelScrollLines() * (steps > 0 ? -1 : 1);
    bar->setValue(bar->value() + lines * bar->singleStep());
    event->accept();
    return true;
}

} // namespace kvilbo::core
