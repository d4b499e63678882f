#include "engine/tests/system/crash_fixture.h"

#include "engine/tests/system/writer_table.h"

#include <filesystem>
#include <functional>
#include <stdexcept>

namespace kvilbo::engine::systemtest {

namespace {

constexpr int kFixtureWriter = 1;

// Every third record is deletion-flagged, so packing has something to drop.
bool flaggedInFixture(int seq)
{
    return seq % 3 == 0;
}

int firstVersion(int seq, const std::function<bool(std::size_t)> &lengthFits)
{
    for (int version = 1; version < 10000; ++version) {
        if (lengthFits(memoText(kFixtureWriter, seq, version).size()))
            return version;
    }
    throw std::logic_error("no memo version of the wanted length");
}

// Memos of about a kilobyte: four of them reach over the first page boundary
// of the memo file in every kind, and a rewrite can both outgrow and fit them.
int baseVersion(int seq)
{
    return firstVersion(seq, [](std::size_t n) { return n >= 1000 && n <= 1300; });
}

int grownVersion(int seq)
{
    return firstVersion(seq, [](std::size_t n) { return n >= 1500; });
}

// Somewhat shorter, so the rewrite fits the old blocks and covers most of them.
int shrunkVersion(int seq)
{
    const std::size_t base = memoText(kFixtureWriter, seq, baseVersion(seq)).size();
    return firstVersion(seq, [base](std::size_t n) { return n + 300 >= base && n + 20 < base; });
}

// Memo operations rewrite the memo of every live record, so that one of them
// reaches over a page boundary whatever the block size.
int newMemoVersion(const std::string &operation, int seq)
{
    if (operation == "memo-grow")
        return grownVersion(seq);
    if (operation == "memo-shrink")
        return shrunkVersion(seq);
    return 0;
}

struct Expected {
    int seq;
    bool deleted;
    std::vector<int> memoVersions; // any of these is sound
};

std::string describe(const std::vector<Expected> &records)
{
    std::string text;
    for (const auto &r : records)
        text += " (" + std::to_string(r.seq) + (r.deleted ? "*" : "") + ")";
    return text;
}

// Empty when the open table starts with `expected` and has `extra` records
// more, else the first difference.
std::string compare(TDbfTable &table, const std::vector<Expected> &expected, int extra = 0)
{
    if (table.RecCount() != static_cast<int>(expected.size()) + extra)
        return "record count " + std::to_string(table.RecCount()) + ", expected" + describe(expected);
    for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
        table.Go(i + 1);
        const RecordState state = readRecord(table);
        const std::string where = "record " + std::to_string(i + 1) + ": ";
        if (!state.problem.empty())
            return where + state.problem;
        if (state.blank || state.writer != kFixtureWriter || state.seq != expected[i].seq)
            return where + "holds (" + std::to_string(state.writer) + "," + std::to_string(state.seq)
                   + "), expected" + describe(expected);
        if (table.IsCurrentRecDeleted() != expected[i].deleted)
            return where + "deletion flag changed";
        bool versionOk = false;
        for (int v : expected[i].memoVersions)
            versionOk = versionOk || v == state.memoVersion;
        if (!versionOk)
            return where + "memo version " + std::to_string(state.memoVersion);
    }
    return {};
}

std::vector<Expected> fixtureRecords(int count)
{
    std::vector<Expected> records;
    for (int seq = 1; seq <= count; ++seq)
        records.push_back({seq, flaggedInFixture(seq), {baseVersion(seq)}});
    return records;
}

std::string checkAppend(TDbfTable &table, int count, bool withValues)
{
    const bool appended = table.RecCount() == count + 1;
    if (appended) {
        table.Go(count + 1);
        const RecordState added = readRecord(table);
        if (!added.problem.empty())
            return "appended record: " + added.problem;
        const bool sound = added.blank || (withValues && added.writer == 7 && added.seq == 1);
        if (!sound)
            return "appended record holds (" + std::to_string(added.writer) + ","
                   + std::to_string(added.seq) + ")";
    }
    return compare(table, fixtureRecords(count), appended ? 1 : 0);
}

} // namespace

const std::vector<std::string> &fixtureOperations()
{
    static const std::vector<std::string> operations = {
        "appendblank", "append", "write", "memo-grow", "memo-shrink", "memo-empty", "pack"};
    return operations;
}

void buildFixture(const std::string &path, std::uint8_t dbType, int count)
{
    createWriterTable(path, dbType);
    TDbfTable table;
    if (!table.OpenDatabase(path, true, false))
        throw std::runtime_error("fixture does not open: " + table.lastMessage());
    for (int seq = 1; seq <= count; ++seq) {
        if (!appendRecord(table, kFixtureWriter, seq) || !writeMemo(table, kFixtureWriter, seq, baseVersion(seq)))
            throw std::runtime_error("fixture record not written");
        if (flaggedInFixture(seq))
            table.Delete(true);
    }
    table.closedatabase();
}

void runFixtureOperation(TDbfTable &table, const std::string &operation)
{
    if (operation == "appendblank") {
        table.AppendBlank();
    } else if (operation == "append") {
        if (appendRecord(table, 7, 1))
            writeMemo(table, 7, 1, 1);
    } else if (operation == "write") {
        table.Go(2);
        table.Store("NAVN", nameText(kFixtureWriter, 2));
        table.Write(false);
    } else if (operation.rfind("memo-", 0) == 0) {
        for (int seq = 1; seq <= table.RecCount(); ++seq) {
            table.Go(seq);
            // Writing a record makes it live; the program edits no deleted card.
            if (table.IsCurrentRecDeleted())
                continue;
            const int version = newMemoVersion(operation, seq);
            if (version > 0)
                writeMemo(table, kFixtureWriter, seq, version);
            else
                table.MemoWrite(kMemoField, "");
        }
    } else if (operation == "pack") {
        table.Pack();
    } else {
        throw std::invalid_argument("unknown operation " + operation);
    }
}

std::string checkFixture(const std::string &path, const std::string &operation, int count)
{
    // Looked at before any OpenDatabase could repair it: the program's open
    // command refuses a file name that does not exist without asking the engine.
    if (!std::filesystem::exists(path))
        return "the table file is missing on disk";
    TDbfTable table;
    if (!table.OpenDatabase(path, false, false))
        return "table no longer opens: " + table.lastMessage();
    if (operation == "appendblank" || operation == "append")
        return checkAppend(table, count, operation == "append");
    auto records = fixtureRecords(count);
    if (operation.rfind("memo-", 0) == 0) {
        for (auto &r : records) {
            if (!r.deleted)
                r.memoVersions.push_back(newMemoVersion(operation, r.seq));
        }
    }
    if (operation != "pack")
        return compare(table, records);

    const std::string asBefore = compare(table, records);
    if (asBefore.empty())
        return {};
    std::vector<Expected> packed;
    for (const auto &r : records) {
        if (!r.deleted)
            packed.push_back(r);
    }
    const std::string asAfter = compare(table, packed);
    if (asAfter.empty())
        return {};
    return "neither the old nor the packed table: as old, " + asBefore + "; as packed, " + asAfter;
}

std::string checkStillWritable(const std::string &path)
{
    takeOverDeadClaim(path);
    TDbfTable table;
    if (!table.OpenDatabase(path, false, false))
        return "table no longer opens: " + table.lastMessage();
    const int before = table.RecCount();
    if (!appendRecord(table, 8, 1) || !writeMemo(table, 8, 1, 1))
        return "append after the crash refused: " + table.lastMessage();
    table.closedatabase();
    if (!table.OpenDatabase(path, false, false))
        return "table no longer opens after an append: " + table.lastMessage();
    if (table.RecCount() != before + 1)
        return "append after the crash gave " + std::to_string(table.RecCount()) + " records";
    table.GotoEnd();
    const RecordState state = readRecord(table);
    if (!state.problem.empty() || state.writer != 8 || state.memoVersion != 1)
        return "record appended after the crash reads wrong: " + state.problem;
    return {};
}

} // namespace kvilbo::engine::systemtest
