#pragma once

// The move-and-resize controller of design mode: a transparent layer over
// the card surface that selects registered controls with the mouse, draws
// grab handles round the targets and moves or resizes them on the snap grid,
// never past the surface's edges.

#include <QColor>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <vector>

namespace kvilbo::designer {

class SizeCtrl : public QWidget {
    Q_OBJECT
public:
    /// A disabled controller, not yet over any surface.
    SizeCtrl();
    /// Lays the controller over surface (its parent from now on); nullptr detaches it.
    void setSurface(QWidget *surface);

    /// Lets control be selected, moved and resized.
    void RegisterControl(QWidget *control);
    /// Forgets control (and drops it as a target).
    void UnRegisterControl(QWidget *control);
    /// Forgets every control.
    void UnRegisterAll();
    /// Makes control the one target (registering it); raises OnTargetChange.
    void AddTarget(QWidget *control);
    /// Number of targets (0 or 1).
    int TargetCount() const { return m_target ? 1 : 0; }
    /// The first target, or nullptr.
    QWidget *Targets(int index) const { return index == 0 ? m_target.data() : nullptr; }
    /// Switches the whole mode on or off; off hides the layer and its handles.
    void setDesignEnabled(bool on);
    bool designEnabled() const { return m_enabled; }
    /// The snap grid in pixels (below 2: no snapping).
    void setGridSize(int pixels) { m_grid = pixels; }
    int gridSize() const { return m_grid; }
    /// The grab handles' colour as 0x00BBGGRR.
    void setHandleColour(std::uint32_t bgr);

signals:
    /// The target changed (a click on a control, or AddTarget).
    void OnTargetChange();
    /// A move or resize with the mouse ended.
    void OnEndSizeMove();
    /// The surface itself was pressed, not a control.
    void surfacePressed();
    /// The Delete key was pressed over the surface.
    void deletePressed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Edge { None = 0, Left = 1, Right = 2, Top = 4, Bottom = 8, Move = 16 };
    std::vector<QRect> handles(const QRect &r) const;
    int handleAt(QPoint pos) const;
    QWidget *controlAt(QPoint pos) const;
    QRect dragged(QPoint pos) const;

    QPointer<QWidget> m_surface;
    bool m_moved = false;
    std::vector<QPointer<QWidget>> m_controls;
    QPointer<QWidget> m_target;
    bool m_enabled = false;
    int m_grid = 0;
    QColor m_handleColour = Qt::red;
    int m_edges = None;
    QPoint m_pressAt;
    QRect m_startRect;
};

} // namespace kvilbo::designer
