#pragma once

// A card table with its layout table in a temporary folder, for the list
// view's tests: 1 NAVN C(20), 2 BELOP N(8,2), 3 ANTALL N(4,0), 4 FODT D,
// 5 AKTIV L, 6 NOTAT M, filled with rows whose sort orders differ per column.

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace kvilbo::listview::test {

/// One record to append, in stored form (cp1252 handled by the engine).
struct Row {
    std::string navn, belop, antall, fodt, aktiv;
};

class TestDatabase {
public:
    /// Creates KORT.DBF of the engine's table type (0 FoxPro, 1 dBASE IV, 2 dBASE III).
    explicit TestDatabase(int tableType = 0, bool withRows = true);
    ~TestDatabase();

    /// Opens DBF and its layout table (created with defaults when missing).
    void open();
    /// Writes the list view state back and closes both tables.
    void close(const layout::ListViewState *state = nullptr);
    /// Appends one record to the open table.
    void append(const Row &row);

    /// Stored bytes of field f of record recNo, read from the file (cp1252).
    std::string fieldBytes(int recNo, int f) const;
    /// Path of the card table.
    std::string path() const;

    static constexpr int kNavn = 1, kBelop = 2, kAntall = 3, kFodt = 4, kAktiv = 5, kNotat = 6;

    QTemporaryDir dir;
    core::TKonfig konfig;
    core::Texts texts{0};
    std::unique_ptr<core::Log> log;
    engine::TDbfTable DBF;
    std::unique_ptr<layout::LayoutTable> layoutTable;
};

/// The seven rows every sort test uses: names with case and Norwegian letters,
/// a blank name, equal amounts, blank and valid dates.
const Row *sampleRows();
inline constexpr int kSampleRows = 7;

} // namespace kvilbo::listview::test
