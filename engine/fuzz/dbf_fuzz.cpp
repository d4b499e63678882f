// libFuzzer target: a table file (and optionally its memo file) from the
// input, opened and read the way the program reads a database: every field of
// every record, every memo and the description texts.
//
// Input layout: table bytes, then optionally the separator and the memo
// bytes. Without a separator the table is opened with a missing memo file
// created, so that path is fuzzed as well.
#include "engine/dbf_table.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

using kvilbo::engine::DbfIoError;
using kvilbo::engine::TDbfTable;

namespace {

constexpr std::string_view kSeparator = "\n<MEMO>\n";

// A folder of this process in memory when the system has one, so runs stay fast.
const std::filesystem::path &workFolder()
{
    static const std::filesystem::path folder = [] {
        std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm"
                                                                          : std::filesystem::temp_directory_path();
        auto path = base / ("kvilbo-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void readEverything(TDbfTable &table)
{
    for (std::uint8_t valg = 1; valg <= 10; ++valg)
        table.askdbf(valg);
    table.HeaderStru(1);
    table.HeaderStru(3);
    table.MemoBlkSize();
    for (int r = 1; r <= table.RecCount(); ++r) {
        table.Go(r);
        table.IsCurrentRecDeleted();
        for (int f = 1; f <= table.fieldCount(); ++f) {
            table.GetF(f);
            table.FieldName(f);
            table.FieldType(f);
            if (table.GetField(f).what == 'M') {
                table.MemoState(f);
                table.MemoRead(static_cast<std::uint16_t>(f));
            }
        }
    }
    table.GotoEnd();
    table.GotoNext();
    table.KortSok("ÆØÅ");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto cut = input.find(kSeparator);
    const bool withMemo = cut != std::string_view::npos;
    const auto &folder = workFolder();
    const auto table = folder / "t.dbf";
    writeFile(table, input.substr(0, cut));
    for (const char *ext : {"t.fpt", "t.dbt"}) {
        if (withMemo)
            writeFile(folder / ext, input.substr(cut + kSeparator.size()));
        else
            std::filesystem::remove(folder / ext);
    }

    TDbfTable dbf;
    try {
        if (dbf.OpenDatabase(table.string(), true, !withMemo))
            readEverything(dbf);
        dbf.closedatabase();
    } catch (const DbfIoError &) {
        // A typed, reported I/O failure is an orderly outcome for a damaged file.
    }
    return 0;
}
