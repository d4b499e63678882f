#pragma once

#include "search/search_host.h"

#include "text_grid.h"

#include <string>
#include <utility>
#include <vector>

namespace kvilbo::search::testing {

// Records what the commands ask of the main window; answers the boxes as told.
class RecordingHost : public SearchHost {
public:
    explicit RecordingHost(TextGrid &grid, kvilbo::engine::TDbfTable &DBF) : m_grid(grid), m_table(DBF) {}

    void logMessage(const std::string &text, bool lyd) override { log.push_back({text, lyd}); }
    void notice(const std::string &text) override { notices.push_back(text); }
    void messageBox(const std::string &text) override { boxes.push_back(text); }
    bool confirmYesCancel(const std::string &text) override
    {
        boxes.push_back(text);
        return answerYes;
    }
    int chooseField() override { return chosenField; }
    void setMarkedLabel(bool marked) override { label66 = marked; }
    void refreshStatus() override { ++statusRefreshes; }
    void rebuildViews() override
    {
        m_grid.build(m_table, 0);
        ++rebuilds;
    }
    void refreshCurrentCard() override { ++cardRefreshes; }
    void refreshCardView() override { ++cardViewRefreshes; }
    void showListView() override { listShown = true; }

    std::vector<std::pair<std::string, bool>> log;
    std::vector<std::string> notices, boxes;
    bool answerYes = true;
    int chosenField = 0;
    bool label66 = false;
    int statusRefreshes = 0, rebuilds = 0, cardRefreshes = 0, cardViewRefreshes = 0;
    bool listShown = false;

private:
    TextGrid &m_grid;
    kvilbo::engine::TDbfTable &m_table;
};

} // namespace kvilbo::search::testing
