#pragma once

// The print jobs: a card per record from the card-print template, the list
// print and the label sheets. Each job draws into the preview document and
// then asks its host to show the preview window. Jobs take the record numbers
// to print in list order, so they run without the list grid.

#include <QColor>
#include <QString>

#include <functional>
#include <vector>

namespace kvilbo::core {
struct TKonfig;
class Texts;
} // namespace kvilbo::core
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::printing {

class PreviewDocument;
struct TemplateSources;

/// What the jobs ask of the main window.
struct PrintHost {
    /// Shows the preview window modally.
    std::function<void()> showPreview;
    /// Log and message line, with a beep when asked (MSG).
    std::function<void(const QString& text, bool beep)> message;
    /// The status bar notice (melding).
    std::function<void(const QString& text)> notice;
    /// Refreshes the status labels (Oppdater(0)).
    std::function<void()> refreshStatus;
};

/// Card, list and label printing into a preview document.
class PrintJobs {
public:
    /// doc, texts and Konfig must outlive the jobs.
    PrintJobs(PreviewDocument& doc, const core::Texts& texts, const core::TKonfig& Konfig);

    /// The card table and layout table of the open database (null while none is open).
    void setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL);
    /// The main window's side of the jobs.
    void setHost(PrintHost host) { m_host = std::move(host); }
    /// The hidden text box's text that kind 0 prints.
    void setRichText(const QString& text) { m_richText = text; }
    /// The hidden text box's text.
    const QString& richText() const { return m_richText; }
    /// The job line: text 7012 and the job name.
    const QString& jobLine() const { return m_jobLine; }

    /// Prints one card per record of recNos (kind 0: the hidden text, 1 and 2: the .prt file).
    void PrintMotor(int kind, const QString& jobName, const std::vector<int>& recNos);
    /// Prints recNos as a list (kind 1 marked cards, 2 all cards); throws PrintError on bad settings.
    void ListeUtskrift(int kind, const QString& jobName, const std::vector<int>& recNos);
    /// Prints labels: kind 0 the sample sheet, 1 marked and 2 all cards of recNos.
    void PrinteLabels(int kind, const std::vector<int>& recNos);

    /// Draws the page furniture of the page just begun (unless a label job suppresses it).
    void PrintPreviewNewPage();
    /// Text at the top of the box (left, top, width, height), clipped; alignment 0 left, 1 right, 2 centre.
    void PrintTekstboks(int left, int top, const QColor& colour, int alignment, const QString& text,
                        int height, int width);

private:
    QString tx(int nr) const;
    void setJobLine(const QString& jobName);
    TemplateSources sources() const;
    void drawFurnitureLine(int y, const QString& left, const QString& middle, const QString& right);
    void printCard(const QString& source);
    void listFail();

    PreviewDocument& m_doc;
    const core::Texts& m_texts;
    const core::TKonfig& m_konfig;
    engine::TDbfTable* m_DBF = nullptr;
    engine::TDbfTable* m_FORFIL = nullptr;
    PrintHost m_host;
    QString m_richText;
    QString m_jobLine;
    bool m_furniture = true;
};

} // namespace kvilbo::printing
