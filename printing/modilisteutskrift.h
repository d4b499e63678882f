#pragma once

// The print settings window of a database: the list print's columns and
// font, the card-print template and the label sheet. It reads everything
// when shown and writes everything back whenever it closes.

#include "printing/print_file.h"
#include "printing/print_settings.h"

#include <QDialog>

#include <exception>
#include <functional>

class QCheckBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;

namespace kvilbo::core {
class Texts;
}
namespace kvilbo::engine {
class TDbfTable;
}

namespace kvilbo::printing {

/// Font controls of one tab: font list, size, F/K/U buttons and colour button.
struct FontControls {
    QFontComboBox* name = nullptr;
    QSpinBox* size = nullptr;
    QToolButton* bold = nullptr;
    QToolButton* italic = nullptr;
    QToolButton* underline = nullptr;
    QPushButton* colour = nullptr;
};

/// The list and label print settings window.
class TFormModiListeUtskrift : public QDialog {
    Q_OBJECT
public:
    /// A hidden window in the language of texts, which must outlive it.
    explicit TFormModiListeUtskrift(const core::Texts& texts, QWidget* parent = nullptr);

    /// The card table and layout table of the open database.
    void setTables(engine::TDbfTable* DBF, engine::TDbfTable* FORFIL);
    /// Whether Escape closes the window (the DefEsc setting).
    void setDefEsc(bool on) { m_defEsc = on; }
    /// Asks the user for a field number, 0 when cancelled (the choose-field window).
    void setFieldChooser(std::function<int()> chooser) { m_chooseField = std::move(chooser); }
    /// Prints the sample label sheet (PrinteLabels(0)).
    void setLabelTest(std::function<void()> test) { m_labelTest = std::move(test); }
    /// Hands an error to the program's error handler (core::reportUnhandled).
    void setErrorReporter(std::function<void(std::exception_ptr)> report) { m_report = std::move(report); }
    /// The selected printer's name, empty when none is selected.
    void setPrinterName(const QString& name) { m_printerName = name; }

    /// Reads all settings into the window.
    void FormActivate();
    /// Writes all settings back; always allows the window to close.
    bool FormCloseQuery();
    /// Recalculates the used width and the printer line.
    void KalkeBredde();
    /// Recalculates the label information.
    void KalkeLabels();
    /// Inserts a chosen field's tag into the label text at the caret ("Legg til").
    void addFieldTag();
    /// Stores the sheet settings into the label settings record and prints the sample.
    void testLabels();

    /// The colour of a tab's colour button.
    static QColor buttonColour(const QPushButton* button);
    /// Sets the colour of a tab's colour button.
    static void setButtonColour(QPushButton* button, const QColor& colour);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    QWidget* buildListTab();
    QWidget* buildCardTab();
    QWidget* buildLabelTab();
    FontControls buildFontControls(QWidget* parent, const char* comboName, const char* sizeName,
                                   const char* colourName, int firstButton);
    void setTexts();
    void readListPrint();
    void readLabelSettings();
    void readTemplate();
    void writeAll();
    void selectRow();
    void headingEdited(const QString& text);
    void widthEdited(int width);
    FontSpec fontOf(const FontControls& controls) const;
    void showFont(const FontControls& controls, const FontSpec& font);
    LabelSheet sheet() const;
    void showSheet(const LabelSheet& sheet);
    LabelSettings labelSettings() const;
    QString printFile() const;
    QString tx(int nr) const;
    QString printerText() const;
    void report(std::exception_ptr error) const;

    const core::Texts& m_texts;
    engine::TDbfTable* m_DBF = nullptr;
    engine::TDbfTable* m_FORFIL = nullptr;
    bool m_defEsc = false;
    bool m_listFound = false;
    std::function<int()> m_chooseField;
    std::function<void()> m_labelTest;
    std::function<void(std::exception_ptr)> m_report;
    QString m_printerName;

    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_columns = nullptr;
    QLineEdit* m_heading = nullptr;
    QSpinBox* m_width = nullptr;
    FontControls m_listFont;
    QCheckBox* m_shading = nullptr;
    QLabel* m_available = nullptr;
    QLabel* m_used = nullptr;
    QLabel* m_printer = nullptr;
    QPlainTextEdit* m_template = nullptr;
    QLabel* m_templatePath = nullptr;
    PrintFileEncoding m_templateEncoding = PrintFileEncoding::Cp1252;
    bool m_templateRead = false;
    QPlainTextEdit* m_labelText = nullptr;
    QSpinBox* m_sheet[8] = {};
    FontControls m_labelFont;
    QLabel* m_labelInfo[5] = {};
    QPushButton* m_addField = nullptr;
    QPushButton* m_test = nullptr;
    QPushButton* m_ok = nullptr;
    std::vector<std::pair<QWidget*, int>> m_textOf;
};

} // namespace kvilbo::printing
