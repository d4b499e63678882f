#pragma once

// The print button, its menu and the editor's print button, wired to the
// print commands over the open database.

#include "printing/print_commands.h"

#include <QString>

class QObject;

#include <functional>
#include <vector>

namespace kvilbo::search {
class CardGrid;
}

namespace kvilbo::core {

class TForm3;

class PrintWiring
{
public:
    /// Wires the print commands into window; cards are its list grid's rows. Both must outlive this.
    PrintWiring(TForm3 &window, search::CardGrid &cards, std::function<int()> chooseField);

    /// Hands the open database's tables to the commands (after opening).
    void databaseOpened();
    /// Takes the tables away (after closing).
    void databaseClosed();
    /// What the editor window's print button calls.
    std::function<void(const QString &)> editorPrinter();
    /// The commands, with the preview window.
    printing::PrintCommands &commands() { return m_print; }

private:
    void connectMenu();
    void onCommand(QObject *sender, std::function<void()> body);
    std::vector<int> rows(bool markedOnly) const;
    void printMarkedCards();

    TForm3 &m_window;
    search::CardGrid &m_cards;
    printing::PrintCommands m_print;
};

} // namespace kvilbo::core
