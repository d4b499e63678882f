#pragma once

#include "core/config.h"
#include "core/user_prompts.h"
#include "engine/dbf_table.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A small card table on disk and a stand-in for the modal boxes.

namespace kvilbo::core::testing {

/// One card of the fixture table.
struct Kunde
{
    std::string navn;
    std::string by;
    std::string alder;
};

/// The four customers the window tests use; NAVN sorts as Anne, Kari, Ola, Per.
inline std::vector<Kunde> fourCustomers()
{
    return {{"Ola", "Oslo", "40"}, {"Kari", "Bergen", "25"}, {"Per", "Alesund", "33"},
            {"Anne", "Tromso", "51"}};
}

/// Writes folder/KUNDER.DBF (FoxPro with memo) holding cards; returns its path.
inline std::string makeKunder(const std::filesystem::path &folder, const std::vector<Kunde> &cards)
{
    const std::string path = (folder / "KUNDER.DBF").string();
    engine::TDbfTable table;
    table.LagFelt("NAVN", 'C', 20, 0, 0);
    table.LagFelt("BY", 'C', 15, 0, 0);
    table.LagFelt("ALDER", 'N', 3, 0, 0);
    table.LagFelt("NOTAT", 'M', 10, 0, 0);
    table.LagDatabase(path, 0);
    if (!table.OpenDatabase(path, true, false))
        throw std::runtime_error("fixture table did not open: " + table.lastMessage());
    for (const Kunde &k : cards) {
        table.AppendBlank();
        table.Store("NAVN", k.navn);
        table.Store("BY", k.by);
        table.Store("ALDER", k.alder);
        table.Write(false);
    }
    table.closedatabase();
    return path;
}

/// Writes the configuration file the window reads from folder.
inline void writeKonfig(const std::filesystem::path &folder, const std::function<void(TKonfig &)> &edit)
{
    TKonfig konfig = defaultKonfig();
    konfig.intVersjon = 1;
    konfig.bootSplashScreen = false;
    edit(konfig);
    skrivKONFIG(konfig, folder / "kvilbo.dat");
}

/// Answers the modal boxes from queues and records what was asked.
class FakePrompts : public UserPrompts
{
public:
    bool errorOkCancel(QWidget *, const QString &caption, const QString &text) override
    {
        errorCaptions << caption;
        errorTexts << text;
        return errorAnswer;
    }

    std::optional<ChosenDatabase> chooseDatabase(QWidget *, const QString &startFolder,
                                                 const QString &filter,
                                                 const QString &exclusiveCaption) override
    {
        askedFolders << startFolder;
        askedFilters << filter;
        exclusiveCaptions << exclusiveCaption;
        if (files.empty())
            return std::nullopt;
        auto answer = files.front();
        files.pop_front();
        return answer;
    }

    void runModal(QDialog &dialog) override
    {
        modals << dialog.objectName();
        if (onModal)
            onModal(dialog);
        dialog.done(QDialog::Accepted);
    }

    void messageBox(QWidget *, const QString &, const QString &text) override { messages << text; }

    bool confirmYesCancel(QWidget *, const QString &, const QString &text) override
    {
        questions << text;
        return confirmAnswer;
    }

    bool errorAnswer = true;
    bool confirmAnswer = true;
    std::deque<std::optional<ChosenDatabase>> files;
    std::function<void(QDialog &)> onModal;
    QStringList errorCaptions, errorTexts, askedFolders, askedFilters, exclusiveCaptions, modals, messages, questions;
};

} // namespace kvilbo::core::testing
