#pragma once

#include "layout/list_view_writeback.h"

#include "engine/dbf_table.h"

#include <functional>
#include <memory>
#include <string>

namespace kvilbo::core {
struct TKonfig;
class Texts;
class Log;
} // namespace kvilbo::core

namespace kvilbo::layout {

/// The layout table (".for") of the open database, held in FORFIL beside the card table.
class LayoutTable {
public:
    using Melding = std::function<void(const std::string &tekstmelding)>;

    /// Konfig, texts and log must outlive this object; fs is shared with FORFIL.
    LayoutTable(const core::TKonfig &Konfig, const core::Texts &texts, core::Log &log,
                std::shared_ptr<engine::FileSystem> fs = engine::posixFileSystem());

    /// The status-bar notice that also shows the maintenance message.
    void setMelding(Melding melding) { m_melding = std::move(melding); }

    /// Opens (creating, repairing and packing as needed) the layout table of the open DBF;
    /// throws LayoutTableError when it cannot be used.
    void Formularaapne(engine::TDbfTable &DBF);

    /// Stores the list view's appearance and columns into the layout; false when nothing was written.
    bool saveListView(engine::TDbfTable &DBF, const ListViewState &state);

    /// Closes the layout table.
    void close() { m_FORFIL.closedatabase(); }

    /// The layout table object.
    engine::TDbfTable &FORFIL() { return m_FORFIL; }

private:
    void createDefault(const std::string &path, engine::TDbfTable &DBF);
    void open(const std::string &path, bool exclusive);
    void checkStructure();
    void repairLabels();
    void ensurePrintFile(engine::TDbfTable &DBF);
    void maintain(int fieldCount);

    const core::TKonfig &m_konfig;
    const core::Texts &m_texts;
    core::Log &m_log;
    std::shared_ptr<engine::FileSystem> m_fs;
    Melding m_melding;
    engine::TDbfTable m_FORFIL;
};

/// The layout table's file name for a card table: its extension replaced by ".for".
std::string formFilePath(const std::string &cardTablePath);
/// The card-print text's file name for a card table: its extension replaced by ".prt".
std::string printFilePath(const std::string &cardTablePath);

} // namespace kvilbo::layout
