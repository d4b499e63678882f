#pragma once

// TForm2, the editor window: memo text edited in a window of its own, with
// font size, four predefined texts from the settings, import and export of
// text files and (once printing connects it) printing of the text alone.

#include <QDialog>
#include <QString>

#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace kvilbo::core {
struct TKonfig;
class Texts;
} // namespace kvilbo::core

namespace kvilbo::cardview {

/// The file dialogs of import and export; a test answers them instead of a user.
struct TextFileDialogs {
    /// Asks for a file to read: title, start folder, Qt name filter; empty when cancelled.
    std::function<QString(QWidget *parent, const QString &title, const QString &folder, const QString &filter)> open;
    /// Asks for a file to write (confirming an overwrite); empty when cancelled.
    std::function<QString(QWidget *parent, const QString &folder, const QString &filter)> save;
};

/// A text file could not be read or written.
class TextFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TForm2 : public QDialog {
    Q_OBJECT
public:
    /// Konfig and texts must outlive the window; programFolder is where the file dialogs start.
    TForm2(const core::TKonfig &Konfig, const core::Texts &texts, std::filesystem::path programFolder,
           QWidget *parent = nullptr);

    /// Replaces the file dialogs (tests).
    void setDialogs(TextFileDialogs dialogs) { m_dialogs = std::move(dialogs); }
    /// Connects the print button; it stays disabled until then.
    void setPrinter(std::function<void(const QString &text)> print);

    /// Shows text modally and returns the text when the window closes, however it closes.
    QString RedigerTekst(const QString &text);
    /// Inserts Tekstinnhold after the selection, the caret after the inserted text.
    void SettinnTekst(const QString &Tekstinnhold);
    /// Refreshes the line and column labels from the caret.
    void OppdaterLINKOL();

    /// Reads a text file (a byte-order mark selects the encoding, else cp1252); throws TextFileError.
    static QString readTextFile(const QString &path);
    /// Writes text to path + forced ".TXT" in cp1252 with CR LF; returns the name written; throws TextFileError.
    static QString writeTextFile(const QString &path, const QString &text);

signals:
    /// An import or export failed; for the program's error dialog.
    void failed(std::exception_ptr error);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    QToolButton *addButton(const char *name, const QString &caption, int hint);
    void FormActivate();
    void changeFontSize(int step);
    void importText();
    void exportText();
    QString text(int number) const;

    const core::TKonfig &m_Konfig;
    const core::Texts &m_texts;
    std::filesystem::path m_programFolder;
    TextFileDialogs m_dialogs;
    std::function<void(const QString &)> m_print;
    QPlainTextEdit *m_sMemo1 = nullptr;
    QLabel *m_linje = nullptr;
    QLabel *m_kolonne = nullptr;
    QLabel *m_header = nullptr;
    QLabel *m_headerText = nullptr;
    QToolButton *m_insert[4] = {};
};

} // namespace kvilbo::cardview
