#pragma once

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <QString>
#include <QTemporaryDir>

#include <vector>

namespace kvilbo::printing::test {

/// A card table KUNDER.DBF with its layout table made by Formularaapne in a
/// temporary folder: 1 NR N(5,0), 2 NAVN C(30), 3 BELOP N(8,2), 4 NOTAT M.
/// Record i holds NR i, NAVN "Kunde i" and BELOP i,50.
class PrintDatabase {
public:
    explicit PrintDatabase(int records);
    ~PrintDatabase();

    /// Full path of a file in the database folder.
    QString beside(const QString& name) const;
    /// Stores a value into field name of record rec.
    void put(int rec, const char* name, const QString& value);
    /// Replaces the card-print template file.
    void writeTemplate(const QString& text);
    /// Record numbers 1 .. n.
    std::vector<int> all() const;

    QTemporaryDir dir;
    core::TKonfig Konfig;
    core::Texts texts{0};
    core::Log log;
    engine::TDbfTable DBF;
    layout::LayoutTable layout;
};

} // namespace kvilbo::printing::test
