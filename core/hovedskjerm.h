#pragma once

#include "core/config.h"
#include "core/messages.h"
#include "core/navigation.h"
#include "core/toolbar_icons.h"
#include "core/user_prompts.h"

#include <QMainWindow>

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QCheckBox;
class QToolBar;
class QToolButton;

namespace kvilbo::cardview {
class CardView;
class TForm2;
} // namespace kvilbo::cardview
namespace kvilbo::designer {
class DesignMode;
}

// TForm3, the main window: it owns the configuration, the log, the open
// database and the two views, and wires the parts below it together.

namespace kvilbo::core {

class BusyIndicator;
class CardList;
class CardSurface;
class DatabaseSession;
class MessageLine;
class Notice;
class PrintWiring;
class SearchWiring;
class StatusBar;
class WelcomeWindow;

/// How the program was started.
struct StartOptions
{
    std::filesystem::path programFolder; ///< configuration file and log
    std::string programName = "kvilbo";  ///< the configuration file is programName + ".dat"
    std::string startFile;               ///< a table to open at start instead of bootDBFvalg's
    UserPrompts *prompts = nullptr;      ///< modal boxes; nullptr: the real ones
    std::uint16_t userLanguage = 0;      ///< language identifier without a configuration file; 0: the user's

    /// Options for the executable's folder and an optional table file argument.
    static StartOptions fromArguments(const QStringList &arguments, const QString &programFile);
};

class TForm3 : public QMainWindow
{
    // The subsystems' wiring reaches the window's outputs and views directly.
    friend class PrintWiring;
    friend class SearchWiring;

public:
    /// Creates the window: log started, configuration read, colours applied, no database.
    explicit TForm3(StartOptions options, QWidget *parent = nullptr);
    ~TForm3() override;

    /// Shows the welcome window when bootSplashScreen is set, then the main window.
    void start();

    /// Opens the table FilValg, or asks for one when it is blank.
    void aapnefiler(const QString &FilValg);
    /// Closes the open database, storing the list's layout.
    void DatabaseLukk();
    /// Refreshes the status bar; Verdi above 0 becomes the current card number.
    void Oppdater(int Verdi);
    /// Logs TekstStreng and shows it on the message line unless FraDriver.
    void MSG(const std::string &TekstStreng, bool lyd = false, bool FraDriver = false);
    /// Shows a notice in the status bar for 50 seconds.
    void melding(const QString &tekstmelding);
    /// Lights the busy indicator at once.
    void Opptatt();
    /// The program-wide error dialog: logs the error; true for OK, false for Cancel (which closes).
    bool ProgramFeil(std::exception_ptr error);

    /// Shows the list view (only when the table has records).
    void VisListeFormular();
    /// Shows the card view (only when the table has records).
    void VisSideFormular();
    /// Loads the current record into the card's field controls.
    void oppdaterSide();
    /// Shows the hint for field FeltNr and its number in sLabel3.
    void visfeltinfo(int FeltNr);
    /// Goes to the first, previous, next or last card in list order.
    void naviger(NavCommand command);
    /// Appends a blank card and makes it current.
    void nyttKort();
    /// Toggles the mark of the current card.
    void MarkerDette();

    /// The settings record.
    TKonfig &Konfig() { return m_konfig; }
    /// 0 Norwegian, 1 English.
    std::uint16_t Spraak() const { return m_texts.spraak(); }
    /// True while the list view is the current view.
    bool ListeVisningAktiv() const { return m_ListeVisningAktiv; }
    /// The open database.
    DatabaseSession &session() { return *m_session; }
    /// The list grid.
    CardList &kortliste() { return *m_kortliste; }
    /// The texts in the window's language.
    const Texts &texts() const { return m_texts; }
    /// The version text, "major.minor".
    static QString versionText();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWindow();
    QToolButton *addButton(QToolBar *bar, const char *name, ToolIcon icon, int hint);
    void buildMenus();
    void setCaptions();
    void connectCommands();
    void onCommand(QToolButton *button, void (TForm3::*operation)());
    void readConfiguration();
    void FormActivate();
    void placeWindow();
    void openStartDatabase();
    void setDatabaseControlsEnabled(bool on);
    void showCurrentView();
    void closeViews();
    void onRecordSelected(int recNo, int feltNr, bool marked);
    void ensureCardView();
    void VisSideFormularEndre();
    void setDesignMode(bool on);
    void orderlyClose();
    void openThroughDialog() { aapnefiler(QString()); }
    void closeDatabaseCommand();
    void showWelcome();
    void exitCommand();
    void firstCommand() { naviger(NavCommand::First); }
    void previousCommand() { naviger(NavCommand::Previous); }
    void nextCommand() { naviger(NavCommand::Next); }
    void lastCommand() { naviger(NavCommand::Last); }
    std::optional<ChosenDatabase> chooseDatabase(const QString &FilValg);
    QString text(int number) const;

    StartOptions m_options;
    std::unique_ptr<UserPrompts> m_ownPrompts;
    UserPrompts *m_prompts;
    TKonfig m_konfig;
    Texts m_texts;
    Log m_log;
    std::unique_ptr<DatabaseSession> m_session;
    bool m_ListeVisningAktiv = true;
    bool m_activated = false;
    bool m_closed = false;
    bool m_inProgramFeil = false;

    QToolBar *m_sToolBar1 = nullptr;
    QToolBar *m_sToolBar2 = nullptr;
    std::vector<QWidget *> m_databaseControls;
    QLineEdit *m_sEdit1 = nullptr;
    QCheckBox *m_sCheckBox1 = nullptr;
    QLabel *m_sLabel4 = nullptr;
    QLabel *m_Image4 = nullptr;
    QLabel *m_versionLabel = nullptr;
    Notice *m_notice = nullptr;
    BusyIndicator *m_busy = nullptr;
    StatusBar *m_statusBar = nullptr;
    MessageLine *m_messageLine = nullptr;
    CardSurface *m_bakgrunn1 = nullptr;
    WelcomeWindow *m_welcome = nullptr;
    std::unique_ptr<CardList> m_kortliste;
    cardview::CardView *m_cardView = nullptr; // made with the first database opened
    cardview::TForm2 *m_Form2 = nullptr;
    designer::DesignMode *m_design = nullptr; // the card's design mode and its object handler sPanel1
    std::unique_ptr<SearchWiring> m_search;
    std::unique_ptr<PrintWiring> m_print;
};

} // namespace kvilbo::core
