#pragma once

// The preview's page view: one page of the document on a grey desk at a
// zoom in percent of real size or fitted to the view.

#include <QWidget>

class QScrollArea;

namespace kvilbo::printing {

class PreviewDocument;

/// How the page view chooses its scale.
enum class ZoomMode { Percent, FitWidth, FitHeight, FitPage };

/// Shows one page of a preview document.
class PageView : public QWidget {
    Q_OBJECT
public:
    /// A view of doc inside scroller (which the view is put into).
    PageView(PreviewDocument& doc, QScrollArea& scroller);

    /// Sets a fit mode or, with ZoomMode::Percent, the zoom in percent.
    void setZoom(ZoomMode mode, int percent = 100);
    /// The zoom mode.
    ZoomMode zoomMode() const { return m_mode; }
    /// The zoom in percent of real size (computed for the fit modes).
    int zoomPercent() const;
    /// Shows page (1-based); clamped to the document.
    void setCurrentPage(int page);
    /// The page shown, 1-based; 0 without pages.
    int currentPage() const { return m_page; }
    /// Recomputes the size after the document or the viewport changed.
    void refit();

signals:
    /// The zoom changed from the view (Ctrl and the mouse wheel) or by setZoom.
    void zoomChanged();
    /// Another page is shown.
    void pageChanged(int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double pixelsPerUnit() const;
    double realSizeScale() const;

    PreviewDocument& m_doc;
    QScrollArea& m_scroller;
    ZoomMode m_mode = ZoomMode::FitPage;
    int m_percent = 100;
    int m_page = 0;
};

} // namespace kvilbo::printing
