// Writes a benchmark table: ten fields of every type the program stores,
// deterministic values, optionally every n-th record deletion-flagged and,
// with --memo, the last field a memo holding a few lines per record.
//
//   kvilbo_benchgen <table> <records> [--type 0|1|2] [--deleted-every N] [--memo]
//
// The structure comes from the engine (LagFelt, LagDatabase); the records are
// written as whole bytes in one stream, since a million AppendBlank calls
// would measure the engine instead of generating a table. Memos go through
// MemoWrite so the memo file is exactly what the engine makes.
#include "engine/dbf_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using kvilbo::engine::TDbfTable;

namespace {

struct Options {
    std::string table;
    long records = 0;
    int type = 0;
    int deletedEvery = 0;
    bool memo = false;
};

[[noreturn]] void fail(const std::string &why)
{
    std::cerr << "benchgen: " << why << "\n";
    std::exit(2);
}

Options parse(int argc, char **argv)
{
    if (argc < 3)
        fail("usage: kvilbo_benchgen <table> <records> [--type 0|1|2] [--deleted-every N] [--memo]");
    Options o;
    o.table = argv[1];
    o.records = std::atol(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--memo")
            o.memo = true;
        else if (arg == "--type" && i + 1 < argc)
            o.type = std::atoi(argv[++i]);
        else if (arg == "--deleted-every" && i + 1 < argc)
            o.deletedEvery = std::atoi(argv[++i]);
        else
            fail("unknown argument " + arg);
    }
    if (o.records < 1 || o.type < 0 || o.type > 2)
        fail("records must be positive and the type 0, 1 or 2");
    return o;
}

void defineFields(TDbfTable &t, const Options &o)
{
    const auto type = static_cast<std::uint8_t>(o.type);
    const bool ok = t.LagFelt("KORTNR", 'N', 8, 0, type) && t.LagFelt("NAVN", 'C', 30, 0, type)
                    && t.LagFelt("ADRESSE", 'C', 40, 0, type) && t.LagFelt("POSTNR", 'C', 4, 0, type)
                    && t.LagFelt("STED", 'C', 20, 0, type) && t.LagFelt("FODT", 'D', 8, 0, type)
                    && t.LagFelt("BELOP", 'N', 12, 2, type) && t.LagFelt("AKTIV", 'L', 1, 0, type)
                    && t.LagFelt("ANTALL", 'N', 5, 0, type)
                    && (o.memo ? t.LagFelt("NOTAT", 'M', 10, 0, type) : t.LagFelt("KODE", 'C', 10, 0, type));
    if (!ok)
        fail("field definition refused");
}

// Field text in stored form, cp1252 bytes (the names hold æ, ø and å).
void put(std::vector<char> &record, int offset, int length, const std::string &text, bool right)
{
    const int n = std::min<int>(length, static_cast<int>(text.size()));
    std::memset(record.data() + offset, ' ', static_cast<std::size_t>(length));
    std::memcpy(record.data() + offset + (right ? length - n : 0), text.data(), static_cast<std::size_t>(n));
}

void fillRecord(std::vector<char> &rec, long i, const Options &o)
{
    static const char *const names[] = {"Bj\xf8rn Dahl", "\xc5se Berg", "Per \xd8stby", "Kari Nilsen",
                                        "Ol\xe6 Haug"};
    static const char *const places[] = {"Troms\xf8", "\xc5lesund", "Bod\xf8", "Hamar", "Skien"};
    char number[32];
    rec[0] = (o.deletedEvery > 0 && i % o.deletedEvery == 0) ? '*' : ' ';
    int at = 1;
    put(rec, at, 8, std::to_string(i), true), at += 8;
    put(rec, at, 30, std::string(names[i % 5]) + " " + std::to_string(i), false), at += 30;
    put(rec, at, 40, "Storgata " + std::to_string(i % 200 + 1) + " og litt mer tekst", false), at += 40;
    std::snprintf(number, sizeof number, "%04ld", i % 10000);
    put(rec, at, 4, number, false), at += 4;
    put(rec, at, 20, places[i % 5], false), at += 20;
    std::snprintf(number, sizeof number, "%04ld%02ld%02ld", 1940 + i % 80, 1 + i % 12, 1 + i % 28);
    put(rec, at, 8, number, false), at += 8;
    std::snprintf(number, sizeof number, "%ld.%02ld", i % 100000, i % 100);
    put(rec, at, 12, number, true), at += 12;
    put(rec, at, 1, i % 3 ? "T" : "F", false), at += 1;
    put(rec, at, 5, std::to_string(i % 1000), true), at += 5;
    if (o.memo)
        put(rec, at, o.type == 0 ? 4 : 10, o.type == 0 ? std::string(4, '\0') : "0", true);
    else
        put(rec, at, 10, "K" + std::to_string(i % 997), false);
}

void writeRecords(const Options &o, int headLen, int recLen)
{
    std::fstream file(o.table, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(headLen);
    std::vector<char> rec(static_cast<std::size_t>(recLen));
    std::vector<char> chunk;
    chunk.reserve(static_cast<std::size_t>(recLen) * 4096);
    for (long i = 1; i <= o.records; ++i) {
        fillRecord(rec, i, o);
        chunk.insert(chunk.end(), rec.begin(), rec.end());
        if (chunk.size() >= static_cast<std::size_t>(recLen) * 4096 || i == o.records) {
            file.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    file.put('\x1a');
    const std::uint32_t count = static_cast<std::uint32_t>(o.records);
    const char countBytes[4] = {static_cast<char>(count), static_cast<char>(count >> 8),
                                static_cast<char>(count >> 16), static_cast<char>(count >> 24)};
    file.seekp(4);
    file.write(countBytes, 4);
    if (!file)
        fail("cannot write " + o.table);
}

std::string memoFor(long i)
{
    std::string text = "Notat for kort " + std::to_string(i) + ":\r\n";
    for (long line = 0; line < 1 + i % 6; ++line)
        text += "Linje " + std::to_string(line + 1) + " med blåbær, tyttebær og multer.\r\n";
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    const Options o = parse(argc, argv);
    try {
        TDbfTable table;
        defineFields(table, o);
        table.LagDatabase(o.table, static_cast<std::uint8_t>(o.type));
        if (!table.OpenDatabase(o.table, true, false))
            fail(table.lastMessage());
        const int headLen = table.Hlen();
        const int recLen = table.Rlen();
        table.closedatabase();
        writeRecords(o, headLen, recLen);
        if (o.memo) {
            if (!table.OpenDatabase(o.table, true, false))
                fail(table.lastMessage());
            for (long i = 1; i <= o.records; ++i) {
                table.Go(static_cast<int>(i));
                table.MemoWrite(10, memoFor(i));
                // Writing the memo's pointer makes the record live again.
                if (o.deletedEvery > 0 && i % o.deletedEvery == 0)
                    table.Delete(true);
            }
            table.closedatabase();
        }
    } catch (const std::exception &e) {
        fail(e.what());
    }
    return 0;
}
