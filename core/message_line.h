#pragma once

#include "core/messages.h"

#include <QLabel>
#include <QObject>
#include <QWidget>

#include <functional>

class QTimer;

// The window's ways of telling the user what happened: the three-line message
// line fed by the log, the status-bar notice that goes away by itself, and the
// busy indicator that follows the open table's write claim.

namespace kvilbo::core {

/// A label that cuts its text at the right edge with an ellipsis; text() stays whole.
class ElidedLabel : public QLabel
{
public:
    explicit ElidedLabel(const QString &objectName, QWidget *parent = nullptr);
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

/// msgtekst1 (newest) to msgtekst3 (oldest).
class MessageLine : public QWidget
{
public:
    explicit MessageLine(QWidget *parent = nullptr);
    /// Shows the three lines, newest first.
    void showLines(const Log::MessageLines &lines);

private:
    ElidedLabel *m_lines[3];
};

/// The notice label mlabel and Timer1, which clears it 50 seconds after the last notice.
class Notice : public QObject
{
public:
    explicit Notice(QWidget *parent);
    /// The label to place in the status bar.
    ElidedLabel *label() const { return m_label; }
    /// Shows tekstmelding for 50 seconds; an empty text clears at once.
    void melding(const QString &tekstmelding);

private:
    ElidedLabel *m_label;
    QTimer *m_timer;
};

/// The indicator label1 and Timer3, which polls the write claim every half second.
class BusyIndicator : public QObject
{
public:
    /// claimed answers whether the open table is claimed for writing (false with none open).
    BusyIndicator(QWidget *parent, std::function<bool()> claimed);
    /// The label to place in the header.
    QLabel *label() const { return m_label; }
    /// Lights the indicator and repaints at once; the next poll puts it out when the claim is gone.
    void Opptatt();
    /// Polls the claim now.
    void poll();

private:
    QLabel *m_label;
    QTimer *m_timer;
    std::function<bool()> m_claimed;
};

} // namespace kvilbo::core
