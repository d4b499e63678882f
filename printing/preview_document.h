#pragma once

// The print preview document: pages recorded as lists of drawing operations
// in 0.01 mm from the top-left corner of the paper, replayed on the screen,
// on a printer or into a PDF file.

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace kvilbo::printing {

/// One recorded drawing operation of a page.
struct DrawOp {
    enum Kind { Text, Rectangle };
    Kind kind = Text;
    /// Text: top-left corner of the text; Rectangle: the rectangle.
    QRect rect;
    /// Text: clip rectangle, empty for none.
    QRect clip;
    QString text;
    QFont font;
    QColor colour;
    /// Text direction in degrees counter-clockwise; -90 runs down the page.
    int orientation = 0;
    int penWidth = 0;
};

/// Text alignment in a box.
enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };

/// A document of vector pages in 0.01 mm.
class PreviewDocument : public QObject {
    Q_OBJECT
public:
    explicit PreviewDocument(QObject* parent = nullptr);

    /// Paper size in document units (default A4).
    void setPaperSize(int width, int height);
    /// Paper width PW in document units.
    int paperWidth() const { return m_paperWidth; }
    /// Paper height PH in document units.
    int paperHeight() const { return m_paperHeight; }

    /// Called at the start of every page (the page furniture).
    void setPageStartHandler(std::function<void()> handler) { m_pageStart = std::move(handler); }

    /// Clears the pages and starts page 1; does nothing while a document is in progress.
    void BeginDoc();
    /// Closes the current page and starts the next.
    void NewPage();
    /// Closes the last page.
    void EndDoc();
    /// True between BeginDoc and EndDoc.
    bool inProgress() const { return m_inProgress; }
    /// Removes every page and ends a document left in progress.
    void clear();
    /// Total page count.
    int pageCount() const { return int(m_pages.size()); }

    /// The canvas font; its pixel size is in document units.
    void setFont(const QFont& font) { m_font = font; }
    /// The canvas font.
    const QFont& font() const { return m_font; }
    /// Text direction of the canvas font in degrees.
    void setOrientation(int degrees) { m_orientation = degrees; }
    /// Text direction of the canvas font.
    int orientation() const { return m_orientation; }
    /// Canvas text colour.
    void setColour(const QColor& colour) { m_colour = colour; }
    /// Pen width of rectangles; 0 is the thinnest line.
    void setPenWidth(int width) { m_penWidth = width; }

    /// Text with its top-left corner at (x, y).
    void textOut(int x, int y, const QString& text);
    /// Text at the top of box, aligned in it and clipped to it.
    void textRect(const QRect& box, const QString& text, int alignment);
    /// A rectangle outline.
    void rectangle(const QRect& rect);
    /// Width and height of text in the canvas font.
    QSize textExtent(const QString& text) const;

    /// Lays text out with word wrap in rect from character offset; the offset of the
    /// first character that did not fit, or -1 when all fitted.
    int paintRichText(const QString& text, const QFont& font, const QColor& colour,
                      const QRect& rect, int offset);

    /// The operations of page index (0-based).
    const std::vector<DrawOp>& page(int index) const { return m_pages.at(std::size_t(index)); }
    /// The texts drawn on page index, in drawing order.
    QStringList pageTexts(int index) const;

    /// Replays page index on a painter whose coordinates are document units.
    void paintPage(QPainter& painter, int index) const;
    /// Prints pages from..to (1-based) on device, one device page each; false when nothing printed.
    bool printPages(QPagedPaintDevice& device, int from, int to);
    /// True while pages are being printed.
    bool busy() const { return m_busy; }

signals:
    /// A document was begun.
    void documentBegun();
    /// The document was ended.
    void documentEnded();
    /// A page was added or the pages were cleared.
    void changed();
    /// Printing is about to start.
    void beforePrint();
    /// done of total pages printed.
    void progress(int done, int total);
    /// Printing has ended.
    void afterPrint();

private:
    void addPage();
    void addOp(DrawOp op);

    int m_paperWidth = 21000;
    int m_paperHeight = 29700;
    std::vector<std::vector<DrawOp>> m_pages;
    std::function<void()> m_pageStart;
    bool m_inProgress = false;
    bool m_busy = false;
    QFont m_font;
    QColor m_colour = Qt::black;
    int m_orientation = 0;
    int m_penWidth = 0;
};

} // namespace kvilbo::printing
