#include "printing/page_view.h"

#include "printing/preview_document.h"

#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace kvilbo::printing {

namespace {

constexpr int kMargin = 12;
constexpr int kShadow = 4;

} // namespace

PageView::PageView(PreviewDocument& doc, QScrollArea& scroller) : m_doc(doc), m_scroller(scroller)
{
    setObjectName(QStringLiteral("PrintPreview"));
    setFocusPolicy(Qt::StrongFocus);
    scroller.setWidget(this);
    scroller.setAlignment(Qt::AlignCenter);
}

double PageView::realSizeScale() const
{
    return logicalDpiX() / 2540.0;
}

double PageView::pixelsPerUnit() const
{
    const QSize room = m_scroller.viewport()->size() - QSize(2 * kMargin + kShadow, 2 * kMargin + kShadow);
    const double byWidth = std::max(1, room.width()) / double(m_doc.paperWidth());
    const double byHeight = std::max(1, room.height()) / double(m_doc.paperHeight());
    switch (m_mode) {
    case ZoomMode::FitWidth:
        return byWidth;
    case ZoomMode::FitHeight:
        return byHeight;
    case ZoomMode::FitPage:
        return std::min(byWidth, byHeight);
    case ZoomMode::Percent:
        break;
    }
    return realSizeScale() * m_percent / 100.0;
}

int PageView::zoomPercent() const
{
    return int(std::lround(pixelsPerUnit() / realSizeScale() * 100.0));
}

void PageView::setZoom(ZoomMode mode, int percent)
{
    m_mode = mode;
    m_percent = std::clamp(percent, 10, 400);
    refit();
    emit zoomChanged();
}

void PageView::setCurrentPage(int page)
{
    const int clamped = m_doc.pageCount() == 0 ? 0 : std::clamp(page, 1, m_doc.pageCount());
    if (clamped == m_page)
        return;
    m_page = clamped;
    update();
    emit pageChanged(m_page);
}

void PageView::refit()
{
    const double scale = pixelsPerUnit();
    resize(int(m_doc.paperWidth() * scale) + 2 * kMargin + kShadow,
           int(m_doc.paperHeight() * scale) + 2 * kMargin + kShadow);
    update();
}

void PageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
    const double scale = pixelsPerUnit();
    const QRect paper(kMargin, kMargin, int(m_doc.paperWidth() * scale),
                      int(m_doc.paperHeight() * scale));
    painter.fillRect(paper.translated(kShadow, kShadow), Qt::black);
    painter.fillRect(paper, Qt::white);
    painter.setPen(QColor(0, 0, 128));
    painter.drawRect(paper.adjusted(0, 0, -1, -1));
    if (m_page < 1 || m_page > m_doc.pageCount())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(paper.topLeft());
    painter.scale(scale, scale);
    painter.setClipRect(QRect(0, 0, m_doc.paperWidth(), m_doc.paperHeight()));
    m_doc.paintPage(painter, m_page - 1);
}

void PageView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const int step = event->angleDelta().y() > 0 ? 10 : -10;
    setZoom(ZoomMode::Percent, zoomPercent() + step);
    event->accept();
}

} // namespace kvilbo::printing

namespace kvilbo::printing {

void PageView::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        setCurrentPage(m_page + 1);
        break;
    case Qt::Key_PageUp:
        setCurrentPage(m_page - 1);
        break;
    case Qt::Key_Home:
        setCurrentPage(1);
        break;
    case Qt::Key_End:
        setCurrentPage(m_doc.pageCount());
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

} // namespace kvilbo::printing
