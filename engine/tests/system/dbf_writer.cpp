// A writer process for the multi-process and crash tests.
//
//   dbf_writer append <table> <writer> <count>
//       appends records (writer, 1..count) with memos, rewriting the memo of
//       the record three back after each append; prints "done".
//   dbf_writer loop <table> <writer>
//       prints "ready", then appends and rewrites memos until killed; after
//       each operation has returned it prints "A <seq>" or "M <seq> <version>".
//   dbf_writer op <operation> <table> <crashAt>
//       one operation on a crash-test fixture (see crash_fixture.h), killing
//       itself before file change number crashAt when it is above 0; prints "done".
#include "engine/dbf_table.h"
#include "engine/tests/system/crash_fixture.h"
#include "engine/tests/system/crashing_file_system.h"
#include "engine/tests/system/writer_table.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>

using namespace kvilbo::engine;
using namespace kvilbo::engine::systemtest;

namespace {

// Unbuffered, so a line the parent sees means the operation before it returned.
void report(const std::string &line)
{
    const std::string text = line + "\n";
    if (::write(1, text.data(), text.size()) < 0)
        std::exit(3);
}

[[noreturn]] void fail(const std::string &why)
{
    std::cerr << "dbf_writer: " << why << "\n";
    std::exit(2);
}

void openShared(TDbfTable &table, const std::string &path)
{
    if (!table.OpenDatabase(path, false, false))
        fail("cannot open " + path + ": " + table.lastMessage());
}

int appendWithRetry(TDbfTable &table, int writer, int seq)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (const int recNo = appendRecord(table, writer, seq))
            return recNo;
    }
    fail("append of (" + std::to_string(writer) + "," + std::to_string(seq) + ") refused 100 times");
}

void memoWithRetry(TDbfTable &table, int writer, int seq, int version)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (writeMemo(table, writer, seq, version))
            return;
    }
    fail("memo of (" + std::to_string(writer) + "," + std::to_string(seq) + ") refused 100 times");
}

int runAppend(const std::string &path, int writer, int count)
{
    TDbfTable table;
    openShared(table, path);
    std::map<int, int> recordOf;
    for (int seq = 1; seq <= count; ++seq) {
        recordOf[seq] = appendWithRetry(table, writer, seq);
        memoWithRetry(table, writer, seq, 1);
        if (seq > 3) {
            table.Go(recordOf[seq - 3]);
            memoWithRetry(table, writer, seq - 3, 2);
        }
    }
    table.closedatabase();
    report("done");
    return 0;
}

int runLoop(const std::string &path, int writer)
{
    TDbfTable table;
    openShared(table, path);
    report("ready");
    std::map<int, int> recordOf;
    for (int seq = 1;; ++seq) {
        recordOf[seq] = appendWithRetry(table, writer, seq);
        report("A " + std::to_string(seq));
        memoWithRetry(table, writer, seq, 1);
        report("M " + std::to_string(seq) + " 1");
        if (seq > 2) {
            table.Go(recordOf[seq - 2]);
            memoWithRetry(table, writer, seq - 2, 2);
            report("M " + std::to_string(seq - 2) + " 2");
        }
    }
}

int runOperation(const std::string &operation, const std::string &path, long crashAt)
{
    TDbfTable table(crashAt > 0 ? crashingFileSystem(crashAt) : posixFileSystem());
    const bool exclusive = operation == "pack";
    if (!table.OpenDatabase(path, exclusive, false))
        fail("cannot open " + path + ": " + table.lastMessage());
    runFixtureOperation(table, operation);
    table.closedatabase();
    report("done");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const std::string mode = argc > 1 ? argv[1] : "";
        if (mode == "append" && argc == 5)
            return runAppend(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
        if (mode == "loop" && argc == 4)
            return runLoop(argv[2], std::atoi(argv[3]));
        if (mode == "op" && argc == 5)
            return runOperation(argv[2], argv[3], std::atol(argv[4]));
    } catch (const std::exception &e) {
        fail(e.what());
    }
    std::cerr << "usage: dbf_writer append <table> <writer> <count> | loop <table> <writer> | "
                 "op <operation> <table> <crashAt>\n";
    return 1;
}
