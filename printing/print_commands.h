#pragma once

// The print menu's commands as the main window calls them: the jobs, the
// preview window they end in and the print settings window, wired together.
// The main window passes the record numbers of the list grid in list order.

#include "printing/utskrifter.h"

#include <exception>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace kvilbo::printing {

class TForm9;
class TFormModiListeUtskrift;

/// Print commands over the open database.
class PrintCommands {
public:
    /// texts and Konfig must outlive the commands; the windows get parent.
    PrintCommands(const core::Texts& texts, const core::TKonfig& Konfig, QWidget* parent = nullptr);
    ~PrintCommands();

    /// The card table and layout table of the open database (null while none is open).
    void setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL);
    /// Messages, notices and status refresh of the main window; the preview is shown here.
    void setHost(PrintHost host);
    /// Hands an error to the program's error handler; unset, errors are thrown on.
    void setErrorReporter(std::function<void(std::exception_ptr)> report);
    /// Shows the preview window; the default runs it modally (tests replace it).
    void setPreviewShower(std::function<void()> show) { m_showPreview = std::move(show); }
    /// The choose-field window for "Legg til" in the label text.
    void setFieldChooser(std::function<int()> chooser);
    /// Whether Escape closes the settings window (DefEsc).
    void setDefEsc(bool on);

    /// The preview window.
    TForm9& Form9() { return *m_form9; }
    /// The print settings window.
    TFormModiListeUtskrift& settingsWindow() { return *m_settings; }
    /// The jobs.
    PrintJobs& jobs() { return *m_jobs; }

    /// Prints the current card (kind 1); nothing when the list has no row.
    void printCurrentCard(bool listHasRows);
    /// Prints every marked card in list order (kind 2).
    void printMarkedCards(const std::vector<int>& marked);
    /// Prints the text of one editor field for the current card (kind 0).
    void printEditorField(const QString& text);
    /// Lists the marked cards; text 2083 when none is marked.
    void printListMarked(const std::vector<int>& marked);
    /// Lists all cards.
    void printListAll(const std::vector<int>& all);
    /// Labels for the marked cards.
    void printLabelsMarked(const std::vector<int>& marked);
    /// Labels for all cards.
    void printLabelsAll(const std::vector<int>& all);
    /// Shows the print settings window modally.
    void showSettings();

private:
    template <typename Body>
    void run(Body&& body);
    std::vector<int> current() const;
    QString tx(int nr) const;

    const core::Texts& m_texts;
    engine::TDbfTable* m_DBF = nullptr;
    std::unique_ptr<TForm9> m_form9;
    std::unique_ptr<TFormModiListeUtskrift> m_settings;
    std::unique_ptr<PrintJobs> m_jobs;
    PrintHost m_host;
    std::function<void(std::exception_ptr)> m_report;
    std::function<void()> m_showPreview;
};

} // namespace kvilbo::printing
