#include "printing/print_preview_window.h"

#include "core/messages.h"
#include "printing/page_view.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kvilbo::printing {

namespace {

constexpr int kThumbWidth = 110;

QPushButton* button(QWidget* parent, const char* name)
{
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QSpinBox* pageSpin(QWidget* parent, const char* name)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(1, 9999);
    spin->setValue(1);
    return spin;
}

} // namespace

TForm9::TForm9(const core::Texts& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("Form9"));
    setMinimumSize(800, 600);
    m_printerInstalled = !QPrinterInfo::availablePrinters().isEmpty();
    m_printer.setFullPage(true);
    m_printer.setDocName(QStringLiteral("Kvilbo UTSKRIFTSJOBB"));
    m_title = QApplication::applicationName();
    build();
    paperFromPrinter();
    connect(&m_doc, &PreviewDocument::documentBegun, this, &TForm9::onDocumentBegun);
    connect(&m_doc, &PreviewDocument::documentEnded, this, &TForm9::onDocumentEnded);
    connect(&m_doc, &PreviewDocument::changed, this, &TForm9::onChange);
    connect(&m_doc, &PreviewDocument::beforePrint, this, &TForm9::onBeforePrint);
    connect(&m_doc, &PreviewDocument::progress, this, &TForm9::onProgress);
    connect(&m_doc, &PreviewDocument::afterPrint, this, &TForm9::onAfterPrint);
    setTexts();
}

TForm9::~TForm9() = default;

QString TForm9::tx(int nr) const
{
    return QString::fromStdString(m_texts.ss(nr));
}

void TForm9::build()
{
    auto* scroller = new QScrollArea(this);
    m_view = new PageView(m_doc, *scroller);
    m_thumbnails = new QListWidget(this);
    m_thumbnails->setObjectName(QStringLiteral("ThumbnailPreview"));
    m_thumbnails->setViewMode(QListView::IconMode);
    m_thumbnails->setFlow(QListView::TopToBottom);
    m_thumbnails->setWrapping(false);
    m_thumbnails->setMovement(QListView::Static);
    m_thumbnails->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_thumbnails->setIconSize(QSize(kThumbWidth, kThumbWidth * 297 / 210));
    m_thumbnails->setFixedWidth(kThumbWidth + 40);
    m_richEdit = new QPlainTextEdit(this);
    m_richEdit->setObjectName(QStringLiteral("RichEdit"));
    m_richEdit->hide();

    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("ZoomComboBox"));
    m_allPages = new QRadioButton(this);
    m_allPages->setObjectName(QStringLiteral("sRadioButton1"));
    m_allPages->setChecked(true);
    m_somePages = new QRadioButton(this);
    m_somePages->setObjectName(QStringLiteral("sRadioButton2"));
    m_from = pageSpin(this, "sSpinEdit5");
    m_to = pageSpin(this, "sSpinEdit1");
    for (QSpinBox* spin : {m_from, m_to}) {
        spin->installEventFilter(this);
        spin->findChild<QWidget*>()->installEventFilter(this);
    }
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("sLabel8"));
    m_jobLine = new QLabel(this);
    m_jobLine->setObjectName(QStringLiteral("sLabel6"));
    m_print = button(this, "PrintButton");
    m_pdf = button(this, "PdfButton");
    m_cancel = button(this, "sButton1");
    m_dialog = button(this, "sButton2");
    m_print->setEnabled(false);
    m_pdf->setEnabled(false);

    auto* side = new QVBoxLayout;
    for (int i = 0; i < 6; ++i)
        m_headings.push_back(new QLabel(this));
    m_headings[5]->setWordWrap(true);
    side->addWidget(m_headings[0]);
    side->addWidget(m_jobLine);
    side->addWidget(m_headings[1]);
    side->addWidget(m_headings[2]);
    side->addWidget(m_zoom);
    side->addWidget(m_headings[3]);
    side->addWidget(m_allPages);
    side->addWidget(m_somePages);
    auto* range = new QGridLayout;
    m_headings.push_back(new QLabel(this));
    m_headings.push_back(new QLabel(this));
    range->addWidget(m_headings[6], 0, 0);
    range->addWidget(m_from, 0, 1);
    range->addWidget(m_headings[7], 1, 0);
    range->addWidget(m_to, 1, 1);
    side->addLayout(range);
    side->addWidget(m_dialog);
    side->addWidget(m_print);
    side->addWidget(m_pdf);
    side->addWidget(m_cancel);
    side->addStretch();
    side->addWidget(m_headings[4]);
    side->addWidget(m_headings[5]);
    auto* pages = new QVBoxLayout;
    m_headings.push_back(new QLabel(this));
    pages->addWidget(m_headings[8]);
    pages->addWidget(scroller, 1);
    pages->addWidget(m_pageLabel);
    auto* main = new QHBoxLayout(this);
    main->addWidget(m_thumbnails);
    main->addLayout(pages, 1);
    main->addLayout(side);

    connect(m_zoom, &QComboBox::activated, this, &TForm9::ZoomComboBoxChange);
    connect(m_view, &PageView::zoomChanged, this, &TForm9::followZoom);
    connect(m_view, &PageView::pageChanged, this, &TForm9::onChange);
    connect(m_thumbnails, &QListWidget::currentRowChanged, this,
            [this](int row) { m_view->setCurrentPage(row + 1); });
    connect(m_print, &QPushButton::clicked, this, &TForm9::PrintButtonClick);
    connect(m_pdf, &QPushButton::clicked, this, &TForm9::choosePdf);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_dialog, &QPushButton::clicked, this, &TForm9::openPrinterDialog);
}

void TForm9::setTexts()
{
    const int zoomIndex = m_zoom->currentIndex();
    m_zoom->clear();
    for (int nr = 7080; nr <= 7086; ++nr)
        m_zoom->addItem(tx(nr));
    m_zoom->setCurrentIndex(zoomIndex < 0 ? 6 : zoomIndex);
    m_allPages->setText(tx(7021));
    m_somePages->setText(tx(7022));
    m_headings[6]->setText(tx(7023));
    m_headings[7]->setText(tx(7025));
    m_print->setText(tx(7072));
    m_pdf->setText(tx(7073));
    m_cancel->setText(tx(7071));
    m_dialog->setText(tx(7070));
    m_headings[0]->setText(tx(7010));
    m_headings[1]->setText(QLatin1String("  ") + tx(7015));
    m_headings[2]->setText(tx(7016));
    m_headings[3]->setText(QLatin1String("  ") + tx(7020));
    m_headings[4]->setText(tx(7030));
    m_headings[5]->setText(tx(7031));
    m_headings[8]->setText(QLatin1String("  ") + tx(7040));
    onChange();
}

void TForm9::setJobLine(const QString& line)
{
    m_jobLine->setText(line);
}

void TForm9::setApplicationTitle(const QString& title)
{
    m_title = title;
    setWindowTitle(m_title);
}

void TForm9::setPrinterInstalled(bool installed)
{
    m_printerInstalled = installed;
    updatePrintButton();
}

void TForm9::paperFromPrinter()
{
    const QSizeF mm = m_printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    if (mm.width() > 0 && mm.height() > 0)
        m_doc.setPaperSize(int(mm.width() * 100), int(mm.height() * 100));
}

void TForm9::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TForm9::FormActivate()
{
    m_view->setZoom(ZoomMode::FitPage);
    m_zoom->setCurrentIndex(6);
    setTexts();
    m_zoom->setCurrentIndex(6);
    setWindowTitle(m_title);
    rebuildThumbnails();
    if (m_doc.pageCount() > 0)
        m_view->setCurrentPage(1);
    updatePrintButton();
}

void TForm9::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_view->zoomMode() != ZoomMode::Percent)
        m_view->refit();
}

bool TForm9::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::FocusIn)
        m_somePages->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TForm9::ZoomComboBoxChange(int index)
{
    static const int percents[] = {50, 100, 150, 200};
    if (index >= 0 && index <= 3)
        m_view->setZoom(ZoomMode::Percent, percents[index]);
    else if (index == 4)
        m_view->setZoom(ZoomMode::FitWidth);
    else if (index == 5)
        m_view->setZoom(ZoomMode::FitHeight);
    else if (index == 6)
        m_view->setZoom(ZoomMode::FitPage);
}

void TForm9::followZoom()
{
    switch (m_view->zoomMode()) {
    case ZoomMode::FitWidth:
        m_zoom->setCurrentIndex(4);
        return;
    case ZoomMode::FitHeight:
        m_zoom->setCurrentIndex(5);
        return;
    case ZoomMode::FitPage:
        m_zoom->setCurrentIndex(6);
        return;
    case ZoomMode::Percent:
        break;
    }
    const int percent = m_view->zoomPercent();
    const int index = percent % 50 == 0 && percent >= 50 && percent <= 200 ? percent / 50 - 1 : -1;
    m_zoom->setCurrentIndex(index);
}

void TForm9::onDocumentBegun()
{
    setWindowTitle(m_title + QLatin1String(" - Creating pages..."));
    m_print->setEnabled(false);
}

void TForm9::onDocumentEnded()
{
    setWindowTitle(m_title);
    updatePrintButton();
    rebuildThumbnails();
    m_view->setCurrentPage(1);
}

void TForm9::onChange()
{
    const int total = m_doc.pageCount();
    m_pageLabel->setText(QString::fromStdString(m_texts.ss(7041, {m_view->currentPage(), total})));
    m_from->setMaximum(std::max(1, total));
    m_to->setMaximum(std::max(1, total));
    m_to->setValue(std::max(1, total));
    if (m_doc.busy())
        QApplication::processEvents();
    else if (!m_doc.inProgress())
        updatePrintButton();
}

void TForm9::updatePrintButton()
{
    const bool pages = m_doc.pageCount() > 0 && !m_doc.inProgress() && !m_doc.busy();
    m_print->setEnabled(pages && m_printerInstalled);
    m_pdf->setEnabled(pages);
}

void TForm9::onBeforePrint()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle(m_title + QLatin1String(" - Preparing to print..."));
    m_print->setEnabled(false);
}

void TForm9::onProgress(int done, int total)
{
    QString percent = QString::number(total > 0 ? done * 100.0 / total : 0.0, 'f', 1);
    percent.replace(QLatin1Char('.'), QLatin1Char(m_texts.decimalSeparator()));
    setWindowTitle(QStringLiteral("%1 - Printing... (%2% done)").arg(m_title, percent));
    repaint();
}

void TForm9::onAfterPrint()
{
    setWindowTitle(m_title);
    QApplication::restoreOverrideCursor();
    updatePrintButton();
}

void TForm9::PrintButtonClick()
{
    if (m_doc.busy() || !m_print->isEnabled())
        return;
    if (m_allPages->isChecked()) {
        m_doc.printPages(m_printer, 1, m_doc.pageCount());
        return;
    }
    if (m_to->value() >= m_from->value())
        m_doc.printPages(m_printer, m_from->value(), m_to->value());
}

bool TForm9::savePdf(const QString& path)
{
    if (m_doc.pageCount() == 0 || m_doc.busy())
        return false;
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QApplication::applicationName());
    writer.setTitle(m_jobLine->text());
    return m_doc.printPages(writer, 1, m_doc.pageCount());
}

void TForm9::choosePdf()
{
    const QString path = m_choosePdf
        ? m_choosePdf()
        : QFileDialog::getSaveFileName(this, tx(7073), QString(), tx(7074));
    if (!path.isEmpty())
        savePdf(path);
}

void TForm9::openPrinterDialog()
{
    QPrintDialog dialog(&m_printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted) {
        m_printer.setFullPage(true);
        paperFromPrinter();
    }
}

void TForm9::rebuildThumbnails()
{
    const QSignalBlocker block(m_thumbnails);
    m_thumbnails->clear();
    const double scale = double(kThumbWidth) / m_doc.paperWidth();
    for (int p = 0; p < m_doc.pageCount(); ++p) {
        QImage image(kThumbWidth, int(m_doc.paperHeight() * scale), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        m_doc.paintPage(painter, p);
        painter.end();
        auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(image)), QString::number(p + 1));
        m_thumbnails->addItem(item);
    }
}

} // namespace kvilbo::printing
