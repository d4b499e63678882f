#pragma once

// A small card table in a temporary folder for the search tests: a text,
// a date, two numbers, a logical, a memo and a field with a ten-letter name.

#include "engine/dbf_table.h"

#include <QTemporaryDir>

#include <stdexcept>
#include <string>
#include <vector>

namespace kvilbo::search::testing {

struct Card {
    std::string navn;
    std::string fodt;  ///< stored form yyyymmdd, or blank
    std::string belop; ///< stored form with '.'
    std::string antall;
    std::string aktiv; ///< "T", "F" or blank
    std::string notat; ///< memo text
    std::string adresse = "";
};

class CardTable {
    QTemporaryDir m_dir; // first, so the table is closed before its folder goes

public:
    explicit CardTable(const std::vector<Card> &cards, bool exclusive = true)
    {
        if (!m_dir.isValid())
            throw std::runtime_error("no temporary folder");
        m_path = (m_dir.path() + "/KORT.DBF").toStdString();
        engine::TDbfTable maker;
        const bool ok = maker.LagFelt("NAVN", 'C', 20, 0, 0) && maker.LagFelt("FODT", 'D', 8, 0, 0)
                        && maker.LagFelt("BELOP", 'N', 8, 2, 0) && maker.LagFelt("ANTALL", 'N', 5, 0, 0)
                        && maker.LagFelt("AKTIV", 'L', 1, 0, 0) && maker.LagFelt("NOTAT", 'M', 10, 0, 0)
                        && maker.LagFelt("ADRESSELIN", 'C', 30, 0, 0);
        if (!ok)
            throw std::runtime_error("field definition refused");
        maker.LagDatabase(m_path, 0);
        if (!DBF.OpenDatabase(m_path, exclusive, false))
            throw std::runtime_error("cannot open " + m_path + ": " + DBF.lastMessage());
        for (const Card &card : cards)
            append(card);
        if (DBF.RecCount() > 0)
            DBF.Go(1);
    }

    void append(const Card &card)
    {
        DBF.AppendBlank();
        DBF.Store("NAVN", card.navn);
        DBF.Store("FODT", card.fodt);
        DBF.Store("BELOP", card.belop);
        DBF.Store("ANTALL", card.antall);
        DBF.Store("AKTIV", card.aktiv);
        DBF.Store("ADRESSELIN", card.adresse);
        DBF.Write(false);
        if (!card.notat.empty())
            DBF.MemoWrite(6, card.notat);
    }

    const std::string &path() const { return m_path; }

    engine::TDbfTable DBF;

private:
    std::string m_path;
};

} // namespace kvilbo::search::testing
