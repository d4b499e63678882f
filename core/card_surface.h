#pragma once

#include <QScrollArea>

// The card surface bakgrunn1: a scrolling area the card's controls are placed
// on. A wheel over the surface itself (not over one of its controls) scrolls
// it line by line, sideways with Shift.

namespace kvilbo::core {

class CardSurface : public QScrollArea
{
public:
    explicit CardSurface(QWidget *parent = nullptr);
    /// The widget the card's controls are children of.
    QWidget *card() const { return widget(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool scrollByWheel(QWheelEvent *event);
};

} // namespace kvilbo::core
