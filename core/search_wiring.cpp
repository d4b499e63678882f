#include "core/search_wiring.h"

#include "core/card_list.h"
#include "core/database_session.h"
#include "core/hovedskjerm.h"
#include "core/program_errors.h"
#include "core/status_bar.h"
#include "cardview/card_view.h"
#include "designer/velgfelt.h"
#include "dialogs/secondary_dialog.h"
#include "search/marking.h"
#include "search/quick_search_box.h"
#include "search/sokemotor.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace kvilbo::core {

namespace {
/// The marking menu's entries in menu order (texts 2200 to 2206).
constexpr const char *kMarkingActions[] = {
    "Marker1", "Slavmarkeringpnvrendekort1", "Markrallekort1", "Fjernallemarkeringerpallekort1",
    "ellhvormangekortsomermarkert1", "Fysisk1", "Summretfeltpallemarkertkort1",
};
} // namespace

SearchWiring::SearchWiring(TForm3 &window, listview::ListGrid &grid)
    : m_window(window), m_cards(grid)
{
    m_marking = std::make_unique<search::MarkingCommands>(window.m_session->DBF(), m_cards, window.m_texts, *this);
    m_quickSearch = new search::QuickSearchBox(*window.m_sEdit1, *window.m_sCheckBox1, m_cards, window.m_texts,
                                               *this, &window);
    m_fieldChooser = new designer::TForm1(window.m_texts, &window);
    if (auto *button = window.findChild<QToolButton *>(QStringLiteral("ToolButton18")))
        connectMarkingMenu(*button->menu());
    dialogs::callOnClick(window.m_sLabel4, [this] { showSearchWindow(); });
}

SearchWiring::~SearchWiring() = default;

void SearchWiring::connectMarkingMenu(QMenu &menu)
{
    using Command = void (search::MarkingCommands::*)();
    static constexpr Command commands[] = {
        &search::MarkingCommands::markCurrent, &search::MarkingCommands::unmarkCurrent,
        &search::MarkingCommands::markAll,     &search::MarkingCommands::unmarkAll,
        &search::MarkingCommands::countMarked, &search::MarkingCommands::deleteMarked,
        &search::MarkingCommands::sumField,
    };
    const QList<QAction *> actions = menu.actions();
    for (int i = 0; i < actions.size() && i < int(std::size(commands)); ++i) {
        QAction *action = actions[i];
        action->setObjectName(QString::fromLatin1(kMarkingActions[i]));
        const Command command = commands[i];
        QObject::connect(action, &QAction::triggered, &m_window, [this, command] {
            guarded([&] {
                // Leaving the card's field writes an edit in progress before the marks are read.
                m_window.m_sToolBar2->setFocus(Qt::OtherFocusReason);
                if (m_window.m_session->isOpen())
                    ((*m_marking).*command)();
            });
        });
    }
}

void SearchWiring::showSearchWindow()
{
    if (!m_window.m_session->isOpen())
        return;
    search::TFormSokemotor window(m_window.m_texts, &m_window);
    window.setSearchTarget(&m_window.m_session->DBF(), &m_cards);
    window.setDefEsc(m_window.m_konfig.DefEsc);
    window.setStopwatch(&m_stopwatch);
    m_window.m_prompts->runModal(window);
    // The search moves the current card and changes marks.
    m_window.oppdaterSide();
    m_window.Oppdater(0);
}

int SearchWiring::chooseField()
{
    m_fieldChooser->setTable(m_window.m_session->isOpen() ? &m_window.m_session->DBF() : nullptr);
    m_fieldChooser->setDefEsc(m_window.m_konfig.DefEsc);
    m_window.m_prompts->runModal(*m_fieldChooser);
    return m_fieldChooser->chosenField();
}

void SearchWiring::logMessage(const std::string &text, bool lyd)
{
    m_window.MSG(text, lyd);
}

void SearchWiring::notice(const std::string &text)
{
    m_window.melding(QString::fromStdString(text));
}

void SearchWiring::messageBox(const std::string &text)
{
    m_window.m_prompts->messageBox(&m_window, m_window.windowTitle(), QString::fromStdString(text));
}

bool SearchWiring::confirmYesCancel(const std::string &text)
{
    return m_window.m_prompts->confirmYesCancel(&m_window, m_window.windowTitle(), QString::fromStdString(text));
}

void SearchWiring::setMarkedLabel(bool marked)
{
    m_window.m_statusBar->Label66()->setEnabled(marked);
}

void SearchWiring::refreshStatus()
{
    m_window.Oppdater(0);
}

void SearchWiring::rebuildViews()
{
    DatabaseSession &session = *m_window.m_session;
    m_window.m_kortliste->formularsettoppLISTE(session.DBF(), session.FORFIL());
    if (m_window.m_cardView)
        m_window.m_cardView->formularsettoppSIDE(session.FORFIL());
    if (session.hasRecords())
        m_window.m_kortliste->setCurrentRow(0);
}

void SearchWiring::refreshCurrentCard()
{
    m_window.m_kortliste->OppdaterListe();
    m_window.oppdaterSide();
}

void SearchWiring::refreshCardView()
{
    if (!m_window.m_ListeVisningAktiv)
        m_window.oppdaterSide();
}

void SearchWiring::showListView()
{
    m_window.VisListeFormular();
}

} // namespace kvilbo::core
