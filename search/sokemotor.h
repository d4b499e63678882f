#pragma once

// The advanced search window: five condition rows joined by AND, the four
// search options, a summary of the conditions in words and the result of
// the last search. The matching itself is Locate's.

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace kvilbo::cardview {
class MaskedEdit;
}
namespace kvilbo::core {
class Stopwatch;
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::search {

class CardGrid;

class TFormSokemotor : public QDialog {
    Q_OBJECT
public:
    static constexpr int kRows = 5;

    /// A hidden window in the language of texts, which must outlive it.
    explicit TFormSokemotor(const core::Texts &texts, QWidget *parent = nullptr);
    ~TFormSokemotor() override;

    /// The card table and its list that a search marks; nullptr while no database is open.
    void setSearchTarget(engine::TDbfTable *DBF, CardGrid *grid);
    /// Whether Escape closes the window (the DefEsc setting).
    void setDefEsc(bool on) { m_defEsc = on; }
    /// The main window's stopwatch for the elapsed time of a search.
    void setStopwatch(core::Stopwatch *stopwatch) { m_stopwatch = stopwatch; }

    /// Prepares the window for a showing: texts, field lists, operators, empty values.
    void FormShow();
    /// Input rules of row's value box (1..5) for field feltNr; clears the box.
    void TvingFormatering(int row, int feltNr);
    /// Rebuilds the condition lists and the summary from the rows.
    void OppdaterSokeListe();
    /// Runs the search (SOK) and reports the result in the status label.
    void sButton2Click();

    /// The field names, operators and values as the last OppdaterSokeListe built them.
    const QString &feltnavn() const { return m_feltnavn; }
    const QString &operatorer() const { return m_operatorer; }
    const QString &verdier() const { return m_verdier; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    struct Row {
        QComboBox *field = nullptr;
        QComboBox *op = nullptr;
        cardview::MaskedEdit *value = nullptr;
        int feltNr = 0;
    };

    void buildWidgets();
    QWidget *buildConditionArea();
    QWidget *buildOptionsArea();
    void setTexts();
    void fieldChosen(int row);
    void valueLeft(int row);
    void setStatus(int text, int k = 0, int total = 0);

    const core::Texts &m_texts;
    engine::TDbfTable *m_table = nullptr;
    CardGrid *m_grid = nullptr;
    core::Stopwatch *m_stopwatch = nullptr;
    bool m_defEsc = false;
    std::array<Row, kRows> m_rows;
    QCheckBox *m_matchCase;  // sCheckBox5
    QCheckBox *m_stopFirst;  // sCheckBox3
    QCheckBox *m_partial;    // sCheckBox6
    QCheckBox *m_clearMarks; // sCheckBox1
    QLabel *m_summary;
    QLabel *m_status;
    QString m_feltnavn, m_operatorer, m_verdier;
};

} // namespace kvilbo::search
