#pragma once

#include "engine/dbf_table.h"
#include "printing/templates.h"

#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* os);

namespace kvilbo::printing {

/// A FoxPro card table with one field of each kind in a temporary folder:
/// 1 NAVN C(40), 2 DATO D, 3 BELOP N(8,2), 4 ANTALL N(4,0), 5 AKTIV L, 6 NOTAT M, 7 KLOKKE T.
/// Record 1 holds values in every field, record 2 is blank.
class CardTableTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// Stores value into field `name` of the current record and writes it.
    void put(const char* name, const QString& value);
    /// Template sources over the table in language spraak.
    TemplateSources sources(int spraak = 0);
    /// Full path of the table file.
    QString tablePath() const;

    QTemporaryDir m_dir;
    engine::TDbfTable m_table;
};

} // namespace kvilbo::printing
