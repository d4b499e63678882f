#include "printing/preview_document.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace kvilbo::printing {

namespace {

// End of the paragraph that starts at pos, and where the next one starts.
std::pair<int, int> paragraphAt(const QString& text, int pos)
{
    int end = pos;
    while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
        ++end;
    int next = end;
    if (next < text.size()) {
        const bool crlf = text[next] == QLatin1Char('\r') && next + 1 < text.size()
            && text[next + 1] == QLatin1Char('\n');
        next += crlf ? 2 : 1;
    }
    return {end, next};
}

} // namespace

PreviewDocument::PreviewDocument(QObject* parent) : QObject(parent)
{
    m_font.setPixelSize(282);
}

void PreviewDocument::setPaperSize(int width, int height)
{
    m_paperWidth = width;
    m_paperHeight = height;
}

void PreviewDocument::clear()
{
    m_pages.clear();
    m_inProgress = false;
    emit changed();
}

void PreviewDocument::BeginDoc()
{
    if (m_inProgress)
        return;
    m_pages.clear();
    m_inProgress = true;
    m_orientation = 0;
    emit documentBegun();
    addPage();
}

void PreviewDocument::NewPage()
{
    if (!m_inProgress)
        return;
    addPage();
}

void PreviewDocument::EndDoc()
{
    if (!m_inProgress)
        return;
    m_inProgress = false;
    emit documentEnded();
}

void PreviewDocument::addPage()
{
    m_pages.emplace_back();
    if (m_pageStart)
        m_pageStart();
    emit changed();
}

void PreviewDocument::addOp(DrawOp op)
{
    if (m_pages.empty())
        return;
    m_pages.back().push_back(std::move(op));
}

void PreviewDocument::textOut(int x, int y, const QString& text)
{
    DrawOp op;
    op.rect = QRect(QPoint(x, y), textExtent(text));
    op.text = text;
    op.font = m_font;
    op.colour = m_colour;
    op.orientation = m_orientation;
    addOp(std::move(op));
}

void PreviewDocument::textRect(const QRect& box, const QString& text, int alignment)
{
    const QSize extent = textExtent(text);
    int x = box.left();
    if (alignment == AlignRight)
        x = box.left() + box.width() - extent.width();
    else if (alignment == AlignCentre)
        x = box.left() + (box.width() - extent.width()) / 2;
    DrawOp op;
    op.rect = QRect(QPoint(x, box.top()), extent);
    op.clip = box;
    op.text = text;
    op.font = m_font;
    op.colour = m_colour;
    addOp(std::move(op));
}

void PreviewDocument::rectangle(const QRect& rect)
{
    DrawOp op;
    op.kind = DrawOp::Rectangle;
    op.rect = rect;
    op.colour = Qt::black;
    op.penWidth = m_penWidth;
    addOp(std::move(op));
}

QSize PreviewDocument::textExtent(const QString& text) const
{
    const QFontMetricsF metrics(m_font);
    return QSize(int(std::ceil(metrics.horizontalAdvance(text))), int(std::ceil(metrics.height())));
}

int PreviewDocument::paintRichText(const QString& text, const QFont& font, const QColor& colour,
                                   const QRect& rect, int offset)
{
    const qreal lineHeight = QFontMetricsF(font).lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    qreal y = rect.top();
    bool placedAny = false;
    int pos = std::max(0, offset);
    while (pos < text.size()) {
        const auto [end, next] = paragraphAt(text, pos);
        const QString paragraph = text.mid(pos, end - pos);
        QTextLayout layout(paragraph, font);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(rect.width());
            // A line taller than the whole rectangle is still placed (clipped) so that
            // paging always moves on.
            if (y + lineHeight > rect.bottom() + 1 && placedAny) {
                layout.endLayout();
                return pos + line.textStart();
            }
            DrawOp op;
            op.text = paragraph.mid(line.textStart(), line.textLength());
            op.font = font;
            op.colour = colour;
            op.rect = QRect(rect.left(), int(std::lround(y)), rect.width(), int(std::ceil(lineHeight)));
            op.clip = rect;
            addOp(std::move(op));
            placedAny = true;
            y += lineHeight;
        }
        layout.endLayout();
        pos = next;
    }
    return -1;
}

QStringList PreviewDocument::pageTexts(int index) const
{
    QStringList texts;
    for (const DrawOp& op : page(index)) {
        if (op.kind == DrawOp::Text)
            texts << op.text;
    }
    return texts;
}

void PreviewDocument::paintPage(QPainter& painter, int index) const
{
    for (const DrawOp& op : page(index)) {
        painter.save();
        if (op.kind == DrawOp::Rectangle) {
            QPen pen(op.colour);
            pen.setWidth(op.penWidth);
            pen.setCosmetic(op.penWidth == 0);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(op.rect);
        } else {
            if (!op.clip.isEmpty())
                painter.setClipRect(op.clip, Qt::IntersectClip);
            painter.setFont(op.font);
            painter.setPen(op.colour);
            painter.translate(op.rect.topLeft());
            painter.rotate(-op.orientation);
            painter.drawText(QPointF(0, QFontMetricsF(op.font).ascent()), op.text);
        }
        painter.restore();
    }
}

bool PreviewDocument::printPages(QPagedPaintDevice& device, int from, int to)
{
    from = std::max(1, from);
    to = std::min(pageCount(), to);
    if (m_busy || from > to)
        return false;
    m_busy = true;
    emit beforePrint();
    // The size is given upright and the orientation turns it, so a landscape paper
    // is not turned twice.
    const qreal shortSide = std::min(m_paperWidth, m_paperHeight) / 100.0;
    const qreal longSide = std::max(m_paperWidth, m_paperHeight) / 100.0;
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(),
                         QPageSize::FuzzyMatch);
    device.setPageLayout(QPageLayout(size, m_paperWidth > m_paperHeight ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    bool ok = painter.begin(&device);
    const int total = to - from + 1;
    for (int p = from; ok && p <= to; ++p) {
        if (p > from)
            ok = device.newPage();
        painter.resetTransform();
        const qreal scale = device.logicalDpiX() / 2540.0;
        painter.scale(scale, device.logicalDpiY() / 2540.0);
        paintPage(painter, p - 1);
        emit progress(p - from + 1, total);
    }
    if (painter.isActive())
        painter.end();
    m_busy = false;
    emit afterPrint();
    return ok;
}

} // namespace kvilbo::printing
