#include "core/message_line.h"

#include "core/program_errors.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTimer>
#include <QVBoxLayout>

namespace kvilbo::core {

namespace {
constexpr int kNoticeMs = 50000;
constexpr int kBusyPollMs = 500;
} // namespace

ElidedLabel::ElidedLabel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QSize ElidedLabel::minimumSizeHint() const
{
    return {20, fontMetrics().height()};
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    style()->drawItemText(&painter, area, int(Qt::AlignLeft | Qt::AlignVCenter), palette(),
                          isEnabled(), shown, foregroundRole());
}

MessageLine::MessageLine(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("meldingslinje"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 3; ++i) {
        m_lines[i] = new ElidedLabel(QStringLiteral("msgtekst%1").arg(i + 1), this);
        layout->addWidget(m_lines[i]);
    }
}

void MessageLine::showLines(const Log::MessageLines &lines)
{
    for (int i = 0; i < 3; ++i) {
        m_lines[i]->setText(QString::fromStdString(lines[static_cast<std::size_t>(i)]));
        m_lines[i]->setToolTip(m_lines[i]->text());
    }
}

Notice::Notice(QWidget *parent)
    : QObject(parent), m_label(new ElidedLabel(QStringLiteral("mlabel"), parent)),
      m_timer(new QTimer(this))
{
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(kNoticeMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_label->clear();
        m_timer->stop();
    });
    m_timer->start();
}

void Notice::melding(const QString &tekstmelding)
{
    if (tekstmelding.isEmpty()) {
        m_timer->stop();
        m_label->clear();
        return;
    }
    m_timer->start(); // a running timer starts over, so the 50 seconds count from now
    m_label->setText(QStringLiteral("  ") + tekstmelding);
}

BusyIndicator::BusyIndicator(QWidget *parent, std::function<bool()> claimed)
    : QObject(parent), m_label(new QLabel(parent)), m_timer(new QTimer(this)),
      m_claimed(std::move(claimed))
{
    m_label->setObjectName(QStringLiteral("label1"));
    m_label->setEnabled(false);
    m_timer->setObjectName(QStringLiteral("Timer3"));
    m_timer->setInterval(kBusyPollMs);
    connect(m_timer, &QTimer::timeout, this, [this] { guarded([this] { poll(); }); });
    m_timer->start();
}

void BusyIndicator::Opptatt()
{
    m_label->setEnabled(true);
    m_label->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void BusyIndicator::poll()
{
    m_label->setEnabled(m_claimed && m_claimed());
}

} // namespace kvilbo::core
