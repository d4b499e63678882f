// Creation, first activation, the error dialog and the orderly close of the
// main window.

#include "core/hovedskjerm.h"

#include "cardview/card_view.h"
#include "cardview/field_editor.h"
#include "core/card_list.h"
#include "core/card_surface.h"
#include "core/database_session.h"
#include "core/error_report.h"
#include "core/message_line.h"
#include "core/palette_transform.h"
#include "core/print_wiring.h"
#include "core/program_errors.h"
#include "core/search_wiring.h"
#include "core/status_bar.h"
#include "core/user_prompts.h"
#include "core/welcome_window.h"
#include "core/window_placement.h"
#include "designer/design_mode.h"
#include "dialogs/informasjon.h"
#include "dialogs/konfigurasjon.h"
#include "dialogs/lagnydatabase.h"
#include "dialogs/logg.h"
#include "listview/list_grid.h"
#include "listview/modiliste.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#ifndef KVILBO_VERSION
#define KVILBO_VERSION "0.0"
#endif

namespace kvilbo::core {

namespace {
constexpr int kProgramEnd = 2055;
constexpr int kConfigMissing = 2089;
constexpr int kWelcome = 2106;
constexpr int kErrorCaption = 2411;
} // namespace

StartOptions StartOptions::fromArguments(const QStringList &arguments, const QString &programFile)
{
    StartOptions options;
    const QFileInfo program(programFile);
    options.programFolder = program.absolutePath().toStdString();
    if (!program.completeBaseName().isEmpty())
        options.programName = program.completeBaseName().toStdString();
    if (arguments.size() > 1)
        options.startFile = QFileInfo(arguments.at(1)).absoluteFilePath().toStdString();
    return options;
}

TForm3::TForm3(StartOptions options, QWidget *parent)
    : QMainWindow(parent), m_options(std::move(options)), m_konfig(defaultKonfig()), m_texts(1),
      m_log(m_options.programFolder, m_texts)
{
    if (m_options.prompts == nullptr)
        m_ownPrompts = std::make_unique<QtUserPrompts>();
    m_prompts = m_options.prompts ? m_options.prompts : m_ownPrompts.get();
    m_session = std::make_unique<DatabaseSession>(m_konfig, m_texts, m_log);
    m_notice = new Notice(this);
    m_busy = new BusyIndicator(this, [this] { return m_session->claimed(); });
    m_statusBar = new StatusBar(this, *m_notice);
    m_messageLine = new MessageLine(this);
    m_bakgrunn1 = new CardSurface(this);
    m_kortliste = makeCardList(this);
    buildWindow();
    setWindowTitle(QStringLiteral("Kvilbo"));
    resize(951, 574);
    setMinimumSize(951, 574);
    setMaximumSize(4000, 3000);

    m_log.setTableNameProvider([this] { return m_session->fileName(); });
    m_log.setMessageLineHook([this](const Log::MessageLines &lines) { m_messageLine->showLines(lines); });
    m_log.setBeepHook([] { QApplication::beep(); });
    setUnhandledErrorHandler([this](std::exception_ptr error) { ProgramFeil(error); });
    guarded([this] { m_log.MSG(kProgramStart); });
    readConfiguration();
    applyColourOffsets(m_konfig.bootFargerHUE, m_konfig.bootFargerSAT);
    setCaptions();
    m_kortliste->setOptions({m_texts.spraak(), m_konfig.DefAarHundre, bool(m_konfig.ListeSortBlank)});
    m_kortliste->setEvents({
        [this](int recNo, int feltNr, bool marked) { guarded([&] { onRecordSelected(recNo, feltNr, marked); }); },
        [this](bool marked) { m_statusBar->Label66()->setEnabled(marked); },
        [this] { guarded([this] { MSG(m_texts.ss(2065)); }); },
        [this] { guarded([this] { MSG(m_texts.ss(2066)); Oppdater(0); }); },
        [](std::exception_ptr error) { reportUnhandled(error); },
    });
    m_welcome = new WelcomeWindow(m_konfig, m_texts, versionText(), this);
    connectCommands();
    if (auto *grid = qobject_cast<listview::ListGrid *>(m_kortliste->widget())) {
        m_search = std::make_unique<SearchWiring>(*this, *grid);
        m_print = std::make_unique<PrintWiring>(*this, m_search->cards(), [this] { return m_search->chooseField(); });
    }
    guarded([this] { Oppdater(0); });
}

TForm3::~TForm3()
{
    setUnhandledErrorHandler({});
    m_print.reset();
    m_search.reset();
    m_kortliste.reset();
    // The card's controls may still write a field as they lose the focus;
    // they go while the tables they write to are still here.
    delete takeCentralWidget();
}

QString TForm3::versionText()
{
    return QStringLiteral(KVILBO_VERSION);
}

QString TForm3::text(int number) const
{
    return QString::fromStdString(m_texts.ss(number));
}

void TForm3::readConfiguration()
{
    const std::filesystem::path datFile = m_options.programFolder / (m_options.programName + ".dat");
    const std::uint16_t language = m_options.userLanguage ? m_options.userLanguage : userLanguageId();
    bool found = true;
    // An unreadable file is reported; the start goes on with what was read over the defaults.
    guarded([&] { found = lesKONFIG(m_konfig, datFile, language); });
    m_texts.setSpraak(m_konfig.intVersjon >= 1 ? 1 : 0);
    if (!found)
        guarded([this] { MSG(m_texts.ss(kConfigMissing)); });
}

void TForm3::start()
{
    if (m_konfig.bootSplashScreen) {
        m_welcome->prepare();
        m_prompts->runModal(*m_welcome);
    }
    show();
}

void TForm3::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    guarded([this] { FormActivate(); });
}

void TForm3::FormActivate()
{
    placeWindow();
    m_ListeVisningAktiv = m_konfig.bootListeView;
    melding(QString::fromStdString(m_texts.ss(kWelcome, {versionText().toStdString()})));
    openStartDatabase();
}

void TForm3::placeWindow()
{
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const WindowRect stored{m_konfig.bootVinduLeft, m_konfig.bootVinduTop,
                            m_konfig.bootVinduWidth, m_konfig.bootVinduHeight};
    const WindowPlacement placement =
        placeMainWindow(m_konfig.bootVinduValg, stored, available.width(), available.height());
    if (placement.maximise) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (placement.applyRect) {
        move(placement.rect.left, placement.rect.top);
        resize(placement.rect.width, placement.rect.height);
    } else if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm3::openStartDatabase()
{
    if (!m_options.startFile.empty()) {
        aapnefiler(QString::fromStdString(m_options.startFile));
        return;
    }
    if (m_konfig.bootDBFvalg == 1)
        aapnefiler(QString::fromStdString(m_konfig.bootDBFsiste.text()).trimmed());
    else if (m_konfig.bootDBFvalg == 2)
        aapnefiler(QString::fromStdString(m_konfig.bootDBFalltid.text()).trimmed());
}

void TForm3::MSG(const std::string &TekstStreng, bool lyd, bool FraDriver)
{
    m_log.MSG(TekstStreng, lyd, FraDriver);
}

void TForm3::melding(const QString &tekstmelding)
{
    m_notice->melding(tekstmelding);
}

void TForm3::Opptatt()
{
    m_busy->Opptatt();
}

bool TForm3::ProgramFeil(std::exception_ptr error)
{
    std::string className = "unknown";
    std::string message = "unknown error";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        className = errorClassName(e);
        message = innermostMessage(e);
    } catch (...) {
    }
    // The error must reach the user even when the log cannot take it.
    try {
        MSG(programFeilLogText(m_texts, className, message));
    } catch (...) {
    }
    if (m_inProgramFeil)
        return true;
    m_inProgramFeil = true;
    const bool goOn = m_prompts->errorOkCancel(
        this, text(kErrorCaption),
        QString::fromStdString(programFeilText(m_texts, className, message)));
    m_inProgramFeil = false;
    if (!goOn && !m_closed)
        QTimer::singleShot(0, this, [this] { close(); });
    return goOn;
}

void TForm3::orderlyClose()
{
    DatabaseLukk();
    m_konfig.intStartAnt = m_konfig.intStartAnt + 1;
    const QRect bounds = (windowState() & Qt::WindowMaximized) ? normalGeometry() : geometry();
    m_konfig.bootVinduLeft = storedCoordinate(x());
    m_konfig.bootVinduTop = storedCoordinate(y());
    m_konfig.bootVinduWidth = storedCoordinate(bounds.width());
    m_konfig.bootVinduHeight = storedCoordinate(bounds.height());
    skrivKONFIG(m_konfig, m_options.programFolder / (m_options.programName + ".dat"));
    MSG(m_texts.ss(kProgramEnd));
}

void TForm3::closeEvent(QCloseEvent *event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    try {
        orderlyClose();
    } catch (...) {
        // OK keeps the window so the user can try again; Cancel ends the program.
        m_closed = true;
        if (ProgramFeil(std::current_exception())) {
            m_closed = false;
            event->ignore();
            return;
        }
    }
    m_closed = true;
    event->accept();
}

void TForm3::keyPressEvent(QKeyEvent *event)
{
    if (m_design && m_design->FormKeyDown(event))
        return;
    // The exit button's hint promises that Esc ends the program as well.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TForm3::onCommand(QToolButton *button, void (TForm3::*operation)())
{
    QWidget *bar = button->parentWidget();
    connect(button, &QToolButton::clicked, this, [this, bar, operation] {
        guarded([&] {
            bar->setFocus(Qt::OtherFocusReason);
            // A value the field refused is still on screen and not written:
            // going on would load another card over it.
            if (QWidget *refused = m_cardView ? m_cardView->fieldEditor().failedControl() : nullptr) {
                refused->setFocus(Qt::OtherFocusReason);
                return;
            }
            (this->*operation)();
        });
    });
}

void TForm3::connectCommands()
{
    const auto button = [this](const char *name) {
        return findChild<QToolButton *>(QString::fromLatin1(name));
    };
    onCommand(button("ToolButton11"), &TForm3::openThroughDialog);
    onCommand(button("ToolButton26"), &TForm3::closeDatabaseCommand);
    onCommand(button("ToolButton1"), &TForm3::VisListeFormular);
    onCommand(button("ToolButton2"), &TForm3::VisSideFormular);
    onCommand(button("ToolButton24"), &TForm3::showWelcome);
    onCommand(button("ToolButton9"), &TForm3::exitCommand);
    onCommand(button("ToolButton10"), &TForm3::nyttKort);
    onCommand(button("ToolButton12"), &TForm3::firstCommand);
    onCommand(button("ToolButton14"), &TForm3::previousCommand);
    onCommand(button("ToolButton16"), &TForm3::nextCommand);
    onCommand(button("ToolButton17"), &TForm3::lastCommand);
    onCommand(button("ToolButton18"), &TForm3::MarkerDette);
    onCommand(button("ToolButton3"), &TForm3::VisSideFormularEndre);
    connect(m_design, &designer::DesignMode::message, this,
            [this](const QString &t, bool error) { MSG(t.toStdString(), error); });
    connect(m_design, &designer::DesignMode::melding, this, [this](const QString &t) { melding(t); });
    connect(m_design, &designer::DesignMode::failed, this, [this](std::exception_ptr e) { ProgramFeil(e); });
    connect(m_design, &designer::DesignMode::designModeChanged, this, [this](bool on) { setDesignMode(on); });

    // The secondary windows are made when asked for; each loads its state when shown.
    dialogs::setErrorHandler([](std::exception_ptr error) { reportUnhandled(error); });
    const auto showModal = [this](QWidget *control, auto makeWindow) {
        const auto run = [this, makeWindow] {
            auto window = makeWindow();
            m_prompts->runModal(*window);
        };
        if (auto *b = qobject_cast<QToolButton *>(control))
            connect(b, &QToolButton::clicked, this, [run] { guarded(run); });
        else
            dialogs::callOnClick(control, run);
    };
    const std::filesystem::path folder = m_options.programFolder;
    showModal(button("ToolButton25"), [this, folder] {
        return std::make_unique<dialogs::TFormLagNyDatabase>(m_konfig, m_texts, folder, nullptr, this);
    });
    showModal(button("ToolButton6"), [this] {
        return std::make_unique<dialogs::TForm5>(m_konfig, m_texts, &m_session->DBF(), &m_session->FORFIL(), this);
    });
    showModal(button("ToolButton7"), [this, folder] {
        return std::make_unique<dialogs::TFormKonfigurasjon>(m_konfig, m_texts, folder, &applyColourOffsets,
                                                             nullptr, this);
    });
    showModal(m_Image4, [this] { return std::make_unique<dialogs::TFormLogg>(m_konfig, m_texts, m_log, this); });
    button("ToolButton25")->setEnabled(true);
    button("ToolButton7")->setEnabled(true);
    m_Image4->setEnabled(true);
    m_databaseControls.push_back(button("ToolButton6"));
}

void TForm3::VisSideFormularEndre()
{
    if (!m_session->isOpen())
        return;
    if (m_ListeVisningAktiv) {
        // The window changes the grid in place; the write-back at close keeps it.
        if (auto *grid = qobject_cast<listview::ListGrid *>(m_kortliste->widget())) {
            listview::Tformmodiliste window(*grid, m_konfig, m_texts, this);
            m_prompts->runModal(window);
        }
        return;
    }
    // Design mode edits the card, so it starts from the card view only.
    if (!m_cardView)
        return;
    m_design->VisSideFormularEndre(*m_cardView, m_session->DBF(), m_session->FORFIL());
    Oppdater(0);
}

void TForm3::setDesignMode(bool on)
{
    m_sToolBar1->setEnabled(!on);
    m_sToolBar2->setEnabled(!on);
    if (auto *search = findChild<QWidget *>(QStringLiteral("hurtigsok")))
        search->setEnabled(!on);
    Oppdater(0);
}

void TForm3::showWelcome()
{
    m_welcome->prepare();
    m_prompts->runModal(*m_welcome);
}

void TForm3::exitCommand()
{
    close();
}

} // namespace kvilbo::core
