#pragma once

// A card object in design mode: a control that paints its object (text,
// placeholder or picture) and can be moved and resized by the SizeCtrl.

#include "designer/design_object.h"

#include <QPixmap>
#include <QWidget>

namespace kvilbo::designer {

class DesignControl : public QWidget {
    Q_OBJECT
public:
    /// A control on card showing o; pictures show picture.
    DesignControl(const DesignObject &o, QWidget *card, QPixmap picture = {});

    /// The object with the control's current geometry.
    DesignObject object() const;
    /// Shows o (geometry, look and text).
    void setObject(const DesignObject &o);
    /// The picture shown by a picture object.
    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    DesignObject m_object;
    QPixmap m_picture;
};

} // namespace kvilbo::designer
