#pragma once

// A card table with every field type the card shows, and its layout table, in
// a temporary folder: 1 NAVN C(10), 2 BELOP N(8,2), 3 ANTALL N(4,0),
// 4 MENGDE N(6,1), 5 AKTIV L, 6 DATO D, 7 NOTAT M, 8 VEKT F(6,1).
// Record 1 holds values (NAVN "12", a memo), record 2 is blank.

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_record.h"
#include "layout/layout_table.h"

#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace kvilbo::cardview::test {

class CardDatabase {
public:
    /// Creates KORT.DBF (FoxPro with memo) with two records; spraak 0 Norwegian, 1 English.
    explicit CardDatabase(int spraak = 0);
    ~CardDatabase();

    /// Opens DBF shared and its layout table (the default layout is made when missing).
    void open();
    /// Replaces the card layout: every live card record deleted, recs appended.
    void replaceCard(const std::vector<layout::LayoutRecord> &recs);

    /// Stored bytes of field f of record recNo, read from the file itself.
    std::string fieldBytes(int recNo, int f) const;
    /// The whole table file.
    std::string fileBytes() const;
    /// Path of the card table.
    std::string path() const;
    /// The log file's text.
    std::string logText() const;

    static constexpr int kNavn = 1, kBelop = 2, kAntall = 3, kMengde = 4, kAktiv = 5, kDato = 6, kNotat = 7,
                         kVekt = 8;

    QTemporaryDir dir;
    core::TKonfig konfig;
    core::Texts texts;
    std::unique_ptr<core::Log> log;
    engine::TDbfTable DBF;
    std::unique_ptr<layout::LayoutTable> layoutTable;
};

/// A card database-field record at top for table field feltNr with tab number tab.
layout::LayoutRecord fieldRecord(int feltNr, int top, int tab);

} // namespace kvilbo::cardview::test
