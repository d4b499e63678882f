#pragma once

#include <string>
#include <vector>

namespace kvilbo::tools {

/// One customer card of the demo database, values in the stored forms (UTF-8).
struct DemoKunde {
    int kundenr = 0;
    std::string fornavn;
    std::string etternavn;
    std::string adresse;
    std::string postnr;
    std::string poststed;
    std::string telefon;
    std::string fodt;  ///< yyyymmdd
    std::string saldo; ///< decimal text with '.' and two decimals
    bool aktiv = false;
    std::string notat; ///< empty for some cards
};

/// The same antall customers on every run and every machine.
std::vector<DemoKunde> demoKunder(int antall);

} // namespace kvilbo::tools
