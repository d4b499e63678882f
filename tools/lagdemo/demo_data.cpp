#include "tools/lagdemo/demo_data.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kvilbo::tools {

namespace {

constexpr std::array<std::string_view, 40> kFornavn = {
    "\xC3\x85se", "Bj\xC3\xB8rn", "K\xC3\xA5re", "S\xC3\xB8lvi", "\xC3\x98rjan", "Tormod", "Ingrid", "H\xC3\xA5kon", "Mette", "J\xC3\xB8rgen",
    "Randi", "\xC3\x98ystein", "Kari", "Ola", "Siv", "Tor", "Liv", "Gunnar", "Astrid", "P\xC3\xA5l",
    "Eirik", "Ragnhild", "Sigrid", "Terje", "Bj\xC3\xB8rg", "Marit", "H\xC3\xA5vard", "Trond", "Solveig", "St\xC3\xA5le",
    "Nina", "Anders", "Grethe", "Lars", "M\xC3\xA5lfrid", "Torbj\xC3\xB8rn", "Hege", "Espen", "\xC3\x85smund", "Line"};

constexpr std::array<std::string_view, 40> kEtternavn = {
    "Hansen", "Johansen", "Olsen", "Larsen", "Andersen", "Pedersen", "Nilsen", "Kristiansen",
    "Jensen", "Karlsen", "Berg", "Haugen", "Hagen", "Dahl", "J\xC3\xB8rgensen", "Halvorsen",
    "S\xC3\xB8rensen", "Strand", "Solberg", "Bakken", "Moen", "\xC3\x98" "deg\xC3\xA5rd", "S\xC3\xA6ther", "Br\xC3\xA5ten",
    "L\xC3\xB8ken", "Gr\xC3\xB8nli", "\xC3\x85sheim", "N\xC3\xA6ss", "Fj\xC3\xA6re", "Lie", "Sandvik", "Holm",
    "Aas", "\xC3\x98stby", "Kv\xC3\xA5le", "Myhre", "R\xC3\xB8nning", "Tveit", "V\xC3\xA5gen", "R\xC3\xA6" "der"};

constexpr std::array<std::string_view, 20> kGater = {
    "Storgata", "Kirkeveien", "Skolegata", "L\xC3\xB8kkeveien", "Fjellveien", "Sj\xC3\xB8gata", "\xC3\x85sveien",
    "Granlia", "Furuveien", "Bekkeliveien", "M\xC3\xB8llergata", "Strandgata", "Kongens gate",
    "Dronningens gate", "\xC3\x98vre Slottsgate", "Nedre Bakklandet", "Bryggen", "T\xC3\xA5rnveien",
    "Kl\xC3\xB8verveien", "Bl\xC3\xA5" "b\xC3\xA6rstien"};

struct Sted {
    std::string_view postnr;
    std::string_view navn;
};

constexpr std::array<Sted, 30> kSteder = {{
    {"0150", "Oslo"}, {"5003", "Bergen"}, {"7010", "Trondheim"}, {"4006", "Stavanger"},
    {"9008", "Troms\xC3\xB8"}, {"4610", "Kristiansand"}, {"3015", "Drammen"}, {"1606", "Fredrikstad"},
    {"3916", "Porsgrunn"}, {"2317", "Hamar"}, {"2609", "Lillehammer"}, {"6002", "\xC3\x85lesund"},
    {"8006", "Bod\xC3\xB8"}, {"1530", "Moss"}, {"3211", "Sandefjord"}, {"4307", "Sandnes"},
    {"9600", "Hammerfest"}, {"6413", "Molde"}, {"2800", "Gj\xC3\xB8vik"}, {"5501", "Haugesund"},
    {"3510", "H\xC3\xB8nefoss"}, {"4836", "Arendal"}, {"7500", "Stj\xC3\xB8rdal"}, {"9405", "Harstad"},
    {"8300", "Svolv\xC3\xA6r"}, {"1440", "Dr\xC3\xB8" "bak"}, {"3717", "Skien"}, {"9900", "Kirkenes"},
    {"5700", "Voss"}, {"6800", "F\xC3\xB8rde"},
}};

constexpr std::array<std::string_view, 6> kMerknader = {
    "Foretrekker kontakt p\xC3\xA5 e-post.",
    "Ring helst etter klokka fire.",
    "\xC3\x98nsker katalogen tilsendt hver h\xC3\xB8st.",
    "Har f\xC3\xA5tt rabatt p\xC3\xA5 grunn av forsinket levering i fjor.",
    "Betaler alltid f\xC3\xB8r forfall. Hyggelig kunde!",
    "M\xC3\xA5 minnes p\xC3\xA5 at adressen ble endret i \xC3\xA5r.",
};

// A fixed linear congruential generator: the demo must look the same on every machine.
class Tall {
public:
    std::uint32_t neste(std::uint32_t under)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) % under;
    }

private:
    std::uint32_t m_state = 20121509u;
};

template <typename T, std::size_t N>
const T &velg(Tall &tall, const std::array<T, N> &liste)
{
    return liste[tall.neste(N)];
}

std::string sifre(std::uint32_t verdi, int bredde)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*u", bredde, verdi % 100000000u);
    return buf;
}

std::string saldo(Tall &tall)
{
    const long ore = static_cast<long>(tall.neste(2000000)) - 500000;
    char buf[24];
    std::snprintf(buf, sizeof buf, "%s%ld.%02ld", ore < 0 ? "-" : "", std::labs(ore) / 100, std::labs(ore) % 100);
    return buf;
}

std::string notat(Tall &tall, const DemoKunde &k)
{
    if (tall.neste(5) == 0)
        return {};
    std::string text = "Kunde siden " + std::to_string(2000 + tall.neste(24)) + ". ";
    text += velg(tall, kMerknader);
    if (tall.neste(2) == 0)
        text += "\r\nKontaktperson: " + k.fornavn + " " + k.etternavn + ", " + k.poststed + ".";
    return text;
}

} // namespace

std::vector<DemoKunde> demoKunder(int antall)
{
    Tall tall;
    std::vector<DemoKunde> kunder;
    for (int i = 1; i <= antall; ++i) {
        DemoKunde k;
        k.kundenr = i;
        k.fornavn = std::string(velg(tall, kFornavn));
        k.etternavn = std::string(velg(tall, kEtternavn));
        k.adresse = std::string(velg(tall, kGater)) + " " + std::to_string(1 + tall.neste(120));
        const Sted &sted = velg(tall, kSteder);
        k.postnr = std::string(sted.postnr);
        k.poststed = std::string(sted.navn);
        const std::string nummer = sifre((tall.neste(2) ? 90000000u : 40000000u) + tall.neste(10000000), 8);
        k.telefon = nummer.substr(0, 3) + " " + nummer.substr(3, 2) + " " + nummer.substr(5);
        k.fodt = sifre(1935 + tall.neste(71), 4) + sifre(1 + tall.neste(12), 2) + sifre(1 + tall.neste(28), 2);
        k.saldo = saldo(tall);
        k.aktiv = tall.neste(4) != 0;
        k.notat = notat(tall, k);
        kunder.push_back(k);
    }
    return kunder;
}

} // namespace kvilbo::tools
