#include "designer/design_control.h"

#include <QPainter>

namespace kvilbo::designer {

namespace {

QColor colourOf(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

Qt::Alignment alignmentOf(ObjectAlign a)
{
    switch (a) {
    case ObjectAlign::Right: return Qt::AlignRight;
    case ObjectAlign::Centre: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

} // namespace

DesignControl::DesignControl(const DesignObject &o, QWidget *card, QPixmap picture)
    : QWidget(card), m_picture(std::move(picture))
{
    setObject(o);
}

DesignObject DesignControl::object() const
{
    DesignObject o = m_object;
    o.left = x();
    o.top = y();
    o.width = width();
    o.height = height();
    return o;
}

void DesignControl::setObject(const DesignObject &o)
{
    m_object = o;
    setObjectName(o.name);
    setProperty("Tag", tagOf(o));
    setGeometry(o.left, o.top, o.width, o.height);
    QFont f = font();
    if (!o.fontName.isEmpty())
        f.setFamily(o.fontName);
    if (o.fontSize > 0)
        f.setPointSize(o.fontSize);
    f.setBold(o.bold);
    f.setItalic(o.italic);
    f.setUnderline(o.underline);
    setFont(f);
    update();
}

void DesignControl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void DesignControl::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    if (m_object.kind == ObjectKind::Picture) {
        if (m_object.stretch)
            p.drawPixmap(r, m_picture);
        else
            p.drawPixmap(0, 0, m_picture);
        return;
    }
    if (!(m_object.kind == ObjectKind::TextBox && m_object.transparent))
        p.fillRect(r, colourOf(m_object.backgroundColour));
    if (isField(m_object.kind) && m_object.border) {
        p.setPen(Qt::darkGray);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setPen(colourOf(m_object.textColour));
    const bool field = isField(m_object.kind);
    const Qt::Alignment vertical = field && m_object.kind != ObjectKind::Editor ? Qt::AlignVCenter : Qt::AlignTop;
    p.drawText(r.adjusted(2, 1, -2, -1), alignmentOf(m_object.align) | vertical | Qt::TextWordWrap, m_object.text);
}

} // namespace kvilbo::designer
