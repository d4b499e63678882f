#include "designer/size_ctrl.h"

#include "designer/design_rules.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kvilbo::designer {

namespace {

constexpr int kHandle = 6;

// Which edges each of the eight handles drags, clockwise from the top-left.
constexpr int kHandleEdges[8] = {1 | 4, 4, 2 | 4, 2, 2 | 8, 8, 1 | 8, 1};

} // namespace

SizeCtrl::SizeCtrl()
{
    setObjectName(QStringLiteral("SizeCtrl"));
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::ClickFocus);
    hide();
}

void SizeCtrl::setSurface(QWidget *surface)
{
    if (m_surface)
        m_surface->removeEventFilter(this);
    m_surface = surface;
    setParent(surface);
    if (surface)
        surface->installEventFilter(this);
    hide();
    if (m_enabled && surface)
        setDesignEnabled(true);
}

void SizeCtrl::RegisterControl(QWidget *control)
{
    if (control && std::find(m_controls.begin(), m_controls.end(), control) == m_controls.end())
        m_controls.emplace_back(control);
}

void SizeCtrl::UnRegisterControl(QWidget *control)
{
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), control), m_controls.end());
    if (m_target == control)
        m_target = nullptr;
    update();
}

void SizeCtrl::UnRegisterAll()
{
    m_controls.clear();
    m_target = nullptr;
    update();
}

void SizeCtrl::AddTarget(QWidget *control)
{
    RegisterControl(control);
    m_target = control;
    update();
    emit OnTargetChange();
}

void SizeCtrl::setDesignEnabled(bool on)
{
    m_enabled = on;
    if (on && m_surface) {
        setGeometry(m_surface->rect());
        raise();
        show();
    } else {
        hide();
    }
}

void SizeCtrl::setHandleColour(std::uint32_t bgr)
{
    m_handleColour = QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                            static_cast<int>((bgr >> 16) & 0xFF));
    update();
}

bool SizeCtrl::eventFilter(QObject *watched, QEvent *event)
{
    // The layer covers the whole surface and stays above controls added later.
    if (watched == m_surface && m_enabled
        && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        setGeometry(m_surface->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

std::vector<QRect> SizeCtrl::handles(const QRect &r) const
{
    const int l = r.left() - kHandle / 2, t = r.top() - kHandle / 2;
    const int cx = r.center().x() - kHandle / 2, cy = r.center().y() - kHandle / 2;
    const int rr = r.right() - kHandle / 2 + 1, b = r.bottom() - kHandle / 2 + 1;
    const QPoint at[8] = {{l, t}, {cx, t}, {rr, t}, {rr, cy}, {rr, b}, {cx, b}, {l, b}, {l, cy}};
    std::vector<QRect> out;
    for (const QPoint &p : at)
        out.emplace_back(p, QSize(kHandle, kHandle));
    return out;
}

int SizeCtrl::handleAt(QPoint pos) const
{
    if (!m_target)
        return None;
    const std::vector<QRect> hs = handles(m_target->geometry());
    for (std::size_t i = 0; i < hs.size(); ++i) {
        if (hs[i].adjusted(-1, -1, 1, 1).contains(pos))
            return kHandleEdges[i];
    }
    return None;
}

QWidget *SizeCtrl::controlAt(QPoint pos) const
{
    // The topmost registered control: the last in stacking order.
    const QObjectList &children = m_surface->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto *w = qobject_cast<QWidget *>(*it);
        if (!w || w == this || !w->isVisible() || !w->geometry().contains(pos))
            continue;
        if (std::find(m_controls.begin(), m_controls.end(), w) != m_controls.end())
            return w;
    }
    return nullptr;
}

QRect SizeCtrl::dragged(QPoint pos) const
{
    const QPoint d = pos - m_pressAt;
    int left = m_startRect.left(), top = m_startRect.top();
    int right = m_startRect.left() + m_startRect.width(), bottom = m_startRect.top() + m_startRect.height();
    if (m_edges == Move) {
        left = snapTo(left + d.x(), m_grid);
        top = snapTo(top + d.y(), m_grid);
        return keepReachable(QRect(left, top, m_startRect.width(), m_startRect.height()), m_surface->size());
    }
    if (m_edges & Left)
        left = std::min(snapTo(left + d.x(), m_grid), right - kMinimumSize);
    if (m_edges & Right)
        right = std::max(snapTo(right + d.x(), m_grid), left + kMinimumSize);
    if (m_edges & Top)
        top = std::min(snapTo(top + d.y(), m_grid), bottom - kMinimumSize);
    if (m_edges & Bottom)
        bottom = std::max(snapTo(bottom + d.y(), m_grid), top + kMinimumSize);
    QRect r(left, top, right - left, bottom - top);
    // Resizing clips at the surface's edges instead of pushing the object along.
    r = r.intersected(QRect(QPoint(0, 0), m_surface->size()));
    return keepReachable(r, m_surface->size());
}

void SizeCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    const QPoint pos = event->position().toPoint();
    m_edges = handleAt(pos);
    if (m_edges == None) {
        QWidget *hit = controlAt(pos);
        if (!hit) {
            m_target = nullptr;
            update();
            emit surfacePressed();
            return;
        }
        if (hit != m_target)
            AddTarget(hit);
        m_edges = Move;
    }
    m_pressAt = pos;
    m_moved = false;
    m_startRect = m_target->geometry();
}

void SizeCtrl::mouseMoveEvent(QMouseEvent *event)
{
    if (m_edges == None || !m_target)
        return;
    m_moved = m_moved || event->position().toPoint() != m_pressAt;
    if (m_moved)
        m_target->setGeometry(dragged(event->position().toPoint()));
    update();
}

void SizeCtrl::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_edges == None || event->button() != Qt::LeftButton)
        return;
    // A click without a drag selects only; it must not pull the object onto the grid.
    if (m_target && (m_moved || event->position().toPoint() != m_pressAt))
        m_target->setGeometry(dragged(event->position().toPoint()));
    m_edges = None;
    m_moved = false;
    update();
    if (m_target)
        emit OnEndSizeMove();
}

void SizeCtrl::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete && m_enabled && m_target) {
        emit deletePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SizeCtrl::paintEvent(QPaintEvent *)
{
    if (!m_target || !m_surface)
        return;
    QPainter p(this);
    const QRect r = m_target->geometry();
    p.setPen(QPen(m_handleColour, 1, Qt::DotLine));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    for (const QRect &h : handles(r))
        p.fillRect(h, m_handleColour);
}

} // namespace kvilbo::designer
