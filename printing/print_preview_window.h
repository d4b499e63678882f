#pragma once

// The print window TForm9: the preview of the pages a job drew, zoom,
// page range, printer setup, printing and saving as PDF.

#include "printing/preview_document.h"

#include <QDialog>
#include <QPrinter>

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace kvilbo::core {
class Texts;
}

namespace kvilbo::printing {

class PageView;

/// The print preview window.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    /// A hidden window in the language of texts, which must outlive it.
    explicit TForm9(const core::Texts& texts, QWidget* parent = nullptr);
    ~TForm9() override;

    /// The document the jobs draw into.
    PreviewDocument& document() { return m_doc; }
    /// The printer the pages go to.
    QPrinter& printer() { return m_printer; }
    /// The hidden text box whose text print kind 0 lays out.
    QPlainTextEdit* RichEdit() const { return m_richEdit; }
    /// Sets the job line shown above the pages.
    void setJobLine(const QString& line);
    /// The application title used in the captions.
    void setApplicationTitle(const QString& title);
    /// Overrides whether a printer is installed (tests; normally asked of the system).
    void setPrinterInstalled(bool installed);
    /// Asks for the PDF file name; the default shows a file dialog.
    void setPdfFileChooser(std::function<QString()> chooser) { m_choosePdf = std::move(chooser); }
    /// Writes all pages to a PDF file; false when it cannot be written.
    bool savePdf(const QString& path);
    /// Sets the paper size of the next jobs from the printer's current settings.
    void paperFromPrinter();

    /// Prints all pages or the chosen range (the print button).
    void PrintButtonClick();
    /// Sets the zoom from the zoom list.
    void ZoomComboBoxChange(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void FormActivate();
    void setTexts();
    void onDocumentBegun();
    void onDocumentEnded();
    void onChange();
    void onBeforePrint();
    void onProgress(int done, int total);
    void onAfterPrint();
    void followZoom();
    void updatePrintButton();
    void rebuildThumbnails();
    void openPrinterDialog();
    void choosePdf();
    QString tx(int nr) const;

    const core::Texts& m_texts;
    PreviewDocument m_doc;
    QPrinter m_printer;
    bool m_printerInstalled = false;
    QString m_title;
    std::function<QString()> m_choosePdf;
    PageView* m_view = nullptr;
    QListWidget* m_thumbnails = nullptr;
    QPlainTextEdit* m_richEdit = nullptr;
    QComboBox* m_zoom = nullptr;
    QRadioButton* m_allPages = nullptr;
    QRadioButton* m_somePages = nullptr;
    QSpinBox* m_from = nullptr;
    QSpinBox* m_to = nullptr;
    QLabel* m_pageLabel = nullptr;
    QLabel* m_jobLine = nullptr;
    QPushButton* m_print = nullptr;
    QPushButton* m_pdf = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_dialog = nullptr;
    std::vector<QLabel*> m_headings;
};

} // namespace kvilbo::printing
