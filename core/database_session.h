#pragma once

#include "core/user_prompts.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

// The open database: the card table DBF and its layout table FORFIL, opened
// and closed together. The window decides when; this does the file work.

namespace kvilbo::core {

struct TKonfig;
class Texts;
class Log;

/// The card table or its related files could not be opened; the text carries the engine's reason.
class DatabaseOpenError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

/// DBF and FORFIL of the one open database.
class DatabaseSession
{
public:
    /// konfig, texts and log must outlive the session; engine warnings go to the log only.
    DatabaseSession(const TKonfig &konfig, const Texts &texts, Log &log);

    /// The card table.
    engine::TDbfTable &DBF() { return m_DBF; }
    /// The layout table.
    engine::TDbfTable &FORFIL() { return m_layout.FORFIL(); }
    /// The layout table's keeper (opening, the list write-back).
    layout::LayoutTable &layoutTable() { return m_layout; }

    /// True while a card table is open.
    bool isOpen() const { return m_DBF.isOpen(); }
    /// The open table's file name without folder, empty when none.
    std::string fileName() const;
    /// True when the open table has records.
    bool hasRecords() const { return m_DBF.isOpen() && m_DBF.RecCount() > 0; }
    /// True when the open table is claimed for writing; false when none is open or it cannot be read.
    bool claimed();

    /// Opens the card table and goes to record 1; throws DatabaseOpenError with text 2025 and the reason.
    void openTable(const ChosenDatabase &choice);
    /// Opens (or creates) the layout table of the open card table.
    void openLayout();
    /// Hands the dead-claim time (NetZombieTime) to the engine.
    void applyZombieTime();
    /// Stores the list's layout, then closes both tables; nothing when none is open.
    void close(const std::optional<layout::ListViewState> &listState);

    /// The folder the open dialog starts in: DefMappePATH when chosen and set, else programFolder.
    static std::filesystem::path startFolder(const TKonfig &konfig,
                                             const std::filesystem::path &programFolder);

private:
    const TKonfig &m_konfig;
    const Texts &m_texts;
    engine::TDbfTable m_DBF;
    layout::LayoutTable m_layout;
};

} // namespace kvilbo::core
