#include "core/print_wiring.h"

#include "core/card_list.h"
#include "core/database_session.h"
#include "core/hovedskjerm.h"
#include "core/program_errors.h"
#include "printing/modilisteutskrift.h"
#include "printing/print_preview_window.h"
#include "search/card_grid.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace kvilbo::core {

PrintWiring::PrintWiring(TForm3 &window, search::CardGrid &cards, std::function<int()> chooseField)
    : m_window(window), m_cards(cards), m_print(window.m_texts, window.m_konfig, &window)
{
    m_print.setHost({
        {},
        [this](const QString &text, bool beep) { m_window.MSG(text.toStdString(), beep); },
        [this](const QString &text) { m_window.melding(text); },
        [this] { m_window.Oppdater(0); },
    });
    // The preview goes through the window's modal seam, so that tests can look at it and close it.
    m_print.setPreviewShower([this] { m_window.m_prompts->runModal(m_print.Form9()); });
    m_print.setErrorReporter([](std::exception_ptr error) { reportUnhandled(error); });
    m_print.setFieldChooser(std::move(chooseField));
    m_print.setDefEsc(window.m_konfig.DefEsc);
    m_print.Form9().setApplicationTitle(window.windowTitle());
    connectMenu();
}

void PrintWiring::databaseOpened()
{
    m_print.setTables(&m_window.m_session->DBF(), &m_window.m_session->FORFIL());
    // The settings may have changed since the window was made.
    m_print.setDefEsc(m_window.m_konfig.DefEsc);
}

void PrintWiring::databaseClosed()
{
    m_print.setTables(nullptr, nullptr);
}

std::function<void(const QString &)> PrintWiring::editorPrinter()
{
    return [this](const QString &text) { guarded([&] { m_print.printEditorField(text); }); };
}

void PrintWiring::onCommand(QObject *sender, std::function<void()> body)
{
    const auto run = [this, body] {
        guarded([&] {
            // Leaving the card's field writes an edit in progress before anything is printed.
            m_window.m_sToolBar1->setFocus(Qt::OtherFocusReason);
            if (m_window.m_session->isOpen())
                body();
        });
    };
    if (auto *button = qobject_cast<QToolButton *>(sender))
        QObject::connect(button, &QToolButton::clicked, &m_window, run);
    else if (auto *action = qobject_cast<QAction *>(sender))
        QObject::connect(action, &QAction::triggered, &m_window, run);
}

void PrintWiring::connectMenu()
{
    auto *button = m_window.findChild<QToolButton *>(QStringLiteral("ToolButton5"));
    const auto printCurrent = [this] { m_print.printCurrentCard(m_cards.rowCount() > 0); };
    onCommand(button, printCurrent);
    const std::vector<std::pair<int, std::function<void()>>> commands = {
        {2300, printCurrent},
        {2301, [this] { printMarkedCards(); }},
        {2303, [this] { m_print.printListMarked(rows(true)); }},
        {2304, [this] { m_print.printListAll(rows(false)); }},
        {2308, [this] { m_print.printLabelsMarked(rows(true)); }},
        {2309, [this] { m_print.printLabelsAll(rows(false)); }},
        {2306, [this] { m_window.m_prompts->runModal(m_print.settingsWindow()); }},
    };
    for (QAction *action : button->menu()->actions()) {
        for (const auto &[number, body] : commands) {
            if (action->data().toInt() == number)
                onCommand(action, body);
        }
    }
}

std::vector<int> PrintWiring::rows(bool markedOnly) const
{
    std::vector<int> recNos;
    for (int row = 0; row < m_cards.rowCount(); ++row) {
        if (!markedOnly || m_cards.IsRowMarked(row))
            recNos.push_back(m_cards.RowRecNo(row));
    }
    return recNos;
}

void PrintWiring::printMarkedCards()
{
    // The list's current row moves to the first card; the table's current record is kept.
    engine::TDbfTable &DBF = m_window.m_session->DBF();
    const int remembered = DBF.RecNo();
    if (m_cards.rowCount() > 0)
        m_window.m_kortliste->setCurrentRow(0);
    m_print.printMarkedCards(rows(true));
    if (remembered > 0 && DBF.RecNo() != remembered)
        DBF.Go(remembered);
    m_window.Oppdater(0);
}

} // namespace kvilbo::core
