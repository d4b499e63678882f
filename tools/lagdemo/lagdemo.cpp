// Writes the demo database KUNDER.DBF (with its memo, layout and print files)
// into the folder given, for ./run.sh to open.

#include "tools/lagdemo/demo_data.h"

#include "core/config.h"
#include "core/messages.h"
#include "engine/dbf_table.h"
#include "layout/layout_table.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

namespace {

using kvilbo::engine::TDbfTable;

constexpr int kAntallKunder = 200;

struct Felt {
    const char *navn;
    char type;
    int lengde;
    int desimaler;
};

constexpr Felt kFelter[] = {
    {"KUNDENR", 'N', 5, 0},   {"FORNAVN", 'C', 20, 0}, {"ETTERNAVN", 'C', 25, 0}, {"ADRESSE", 'C', 35, 0},
    {"POSTNR", 'C', 4, 0},    {"POSTSTED", 'C', 20, 0}, {"TELEFON", 'C', 11, 0}, {"FODT", 'D', 8, 0},
    {"SALDO", 'N', 10, 2},    {"AKTIV", 'L', 1, 0},     {"NOTAT", 'M', 4, 0},
};
constexpr int kNotatFelt = 11;

void lagTabell(TDbfTable &DBF, const std::string &path)
{
    for (const Felt &f : kFelter) {
        if (!DBF.LagFelt(f.navn, f.type, static_cast<std::uint8_t>(f.lengde),
                         static_cast<std::uint8_t>(f.desimaler), 0))
            throw std::runtime_error(std::string("field definition refused: ") + f.navn);
    }
    DBF.LagDatabase(path, 0);
    if (!DBF.OpenDatabase(path, true, false))
        throw std::runtime_error("cannot open the new table: " + DBF.lastErrorMessage());
}

void leggTil(TDbfTable &DBF, const kvilbo::tools::DemoKunde &k)
{
    const int before = DBF.RecCount();
    DBF.AppendBlank();
    if (DBF.RecCount() <= before)
        throw std::runtime_error("cannot append a card: " + DBF.lastErrorMessage());
    DBF.Store("KUNDENR", std::to_string(k.kundenr));
    DBF.Store("FORNAVN", k.fornavn);
    DBF.Store("ETTERNAVN", k.etternavn);
    DBF.Store("ADRESSE", k.adresse);
    DBF.Store("POSTNR", k.postnr);
    DBF.Store("POSTSTED", k.poststed);
    DBF.Store("TELEFON", k.telefon);
    DBF.Store("FODT", k.fodt);
    DBF.Store("SALDO", k.saldo);
    DBF.Store("AKTIV", k.aktiv ? "T" : "F");
    if (!DBF.Write(false))
        throw std::runtime_error("cannot write a card: " + DBF.lastErrorMessage());
    // Also an empty memo is written: a blank record holds four spaces in the
    // pointer, which other FoxPro readers take for a block number.
    DBF.MemoWrite(kNotatFelt, k.notat);
}

// The tool's own folder keeps its log, as the program's folder keeps the program's.
std::filesystem::path programFolder(const std::filesystem::path &fallback)
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? fallback : exe.parent_path();
}

void lagDemo(const std::filesystem::path &folder)
{
    std::filesystem::create_directories(folder);
    const std::string table = (folder / "KUNDER.DBF").string();
    const auto fs = kvilbo::engine::posixFileSystem();
    for (const char *ext : {".DBF", ".FPT", ".for", ".prt"}) {
        const std::string path = kvilbo::engine::replaceExtension(table, ext);
        if (fs->exists(path))
            throw std::runtime_error(path + " exists already; remove the demo files to make them anew");
    }

    TDbfTable DBF(fs);
    lagTabell(DBF, table);
    for (const auto &kunde : kvilbo::tools::demoKunder(kAntallKunder))
        leggTil(DBF, kunde);

    const kvilbo::core::TKonfig Konfig = kvilbo::core::defaultKonfig();
    const kvilbo::core::Texts texts(kvilbo::core::spraakForLanguageId(kvilbo::core::userLanguageId()));
    kvilbo::core::Log log(programFolder(folder), texts);
    log.setTableNameProvider([&DBF] { return kvilbo::engine::fileNamePart(DBF.fileName()); });
    kvilbo::layout::LayoutTable layout(Konfig, texts, log, fs);
    layout.Formularaapne(DBF);
    layout.close();
    std::printf("%s: %d cards, layout %s\n", table.c_str(), DBF.RecCount(),
                kvilbo::layout::formFilePath(table).c_str());
    DBF.closedatabase();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n  writes <folder>/KUNDER.DBF with its memo, layout and print files\n",
                     argv[0]);
        return 2;
    }
    try {
        lagDemo(argv[1]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "lagdemo: %s\n", e.what());
        return 1;
    }
    return 0;
}
