#pragma once

// What the marking commands need of the main window: its message outputs,
// its modal boxes (answered by tests) and the view refreshes it owns.

#include <string>

namespace kvilbo::search {

class SearchHost {
public:
    virtual ~SearchHost() = default;

    /// The log and the message line, with a beep when lyd.
    virtual void logMessage(const std::string &text, bool lyd) = 0;
    /// The 50-second notice in the status bar.
    virtual void notice(const std::string &text) = 0;
    /// A plain modal message box.
    virtual void messageBox(const std::string &text) = 0;
    /// A confirmation box with Yes and Cancel; true for Yes.
    virtual bool confirmYesCancel(const std::string &text) = 0;
    /// The choose-field window: a field number, or 0 when nothing was chosen.
    virtual int chooseField() = 0;
    /// Enables or disables the "MARKERT" status label.
    virtual void setMarkedLabel(bool marked) = 0;
    /// The status refresh of the main window.
    virtual void refreshStatus() = 0;
    /// Rebuilds the list and the card view from the table (all marks cleared).
    virtual void rebuildViews() = 0;
    /// Refreshes the list's current row and the card view from the current record.
    virtual void refreshCurrentCard() = 0;
    /// Refreshes the card view from the current record when it is the visible view.
    virtual void refreshCardView() = 0;
    /// Makes the list view the visible view.
    virtual void showListView() = 0;
};

} // namespace kvilbo::search
