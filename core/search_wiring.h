#pragma once

// The marking menu, the quick search box and the advanced search window,
// wired to the main window: the window's outputs and modal boxes as the
// search commands' host.

#include "core/messages.h"
#include "search/list_grid_cards.h"
#include "search/search_host.h"

#include <memory>

class QMenu;

namespace kvilbo::designer {
class TForm1;
}
namespace kvilbo::search {
class MarkingCommands;
class QuickSearchBox;
} // namespace kvilbo::search

namespace kvilbo::core {

class TForm3;

class SearchWiring : public search::SearchHost
{
public:
    /// Wires the search commands into window, whose list grid is grid; both must outlive this.
    SearchWiring(TForm3 &window, listview::ListGrid &grid);
    ~SearchWiring() override;

    /// The list grid as the search and print commands see it.
    search::CardGrid &cards() { return m_cards; }
    /// The choose-field window, shown through the window's modal seam; 0 when nothing was chosen.
    int chooseField() override;

    void logMessage(const std::string &text, bool lyd) override;
    void notice(const std::string &text) override;
    void messageBox(const std::string &text) override;
    bool confirmYesCancel(const std::string &text) override;
    void setMarkedLabel(bool marked) override;
    void refreshStatus() override;
    void rebuildViews() override;
    void refreshCurrentCard() override;
    void refreshCardView() override;
    void showListView() override;

private:
    void connectMarkingMenu(QMenu &menu);
    void showSearchWindow();

    TForm3 &m_window;
    search::ListGridCards m_cards;
    std::unique_ptr<search::MarkingCommands> m_marking;
    search::QuickSearchBox *m_quickSearch = nullptr;
    designer::TForm1 *m_fieldChooser = nullptr;
    Stopwatch m_stopwatch;
};

} // namespace kvilbo::core
