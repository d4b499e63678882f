// A writer killed (SIGKILL) anywhere in AppendBlank, Write, MemoWrite or Pack
// must leave a table that opens, with everything written before intact.
#include "engine/tests/system/child_process.h"
#include "engine/tests/system/crash_fixture.h"
#include "engine/tests/system/temp_dir.h"
#include "engine/tests/system/writer_table.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <thread>

namespace kvilbo::engine::systemtest {
namespace {

const char *kKindNames[] = {"FoxPro", "DBase4", "DBase3"};

int killsPerCase(int fallback)
{
    const char *text = std::getenv("KVILBO_RANDOM_KILLS");
    return text ? std::max(1, std::atoi(text)) : fallback;
}

// KVILBO_KILL_SEED repeats the kill moments of an earlier run (give the seed its failure printed).
unsigned killSeed()
{
    static const unsigned seed = [] {
        const char *text = std::getenv("KVILBO_KILL_SEED");
        return text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : std::random_device{}();
    }();
    return seed;
}

std::mt19937 &random()
{
    static std::mt19937 generator(killSeed());
    return generator;
}

// --- Every file change of an operation as crash point -------------------------------------

using CrashCase = std::tuple<int, std::string>;

class CrashPoints : public ::testing::TestWithParam<CrashCase> {};

TEST_P(CrashPoints, killBeforeAnyFileChangeLeavesSoundTable)
{
    const auto [dbType, operation] = GetParam();
    TempDir fixture;
    buildFixture(fixture.file("KORT.DBF"), static_cast<std::uint8_t>(dbType), kSmallFixture);

    bool completed = false;
    long crashAt = 1;
    for (; !completed && crashAt < 5000; ++crashAt) {
        TempDir work;
        copyFolderFiles(fixture.path(), work.path());
        const std::string table = work.file("KORT.DBF");
        ChildProcess writer({KVILBO_DBF_WRITER, "op", operation, table, std::to_string(crashAt)});
        const std::string output = writer.readOutput();
        const int status = writer.wait();
        completed = output.find("done") != std::string::npos;
        ASSERT_TRUE(completed || WIFSIGNALED(status))
            << "writer failed at crash point " << crashAt << ": " << describeStatus(status);
        const std::string problem = checkFixture(table, operation, kSmallFixture);
        ASSERT_EQ("", problem) << "killed before file change " << crashAt;
        ASSERT_EQ("", checkStillWritable(table)) << "killed before file change " << crashAt;
    }
    EXPECT_TRUE(completed) << "the operation never finished";
    RecordProperty("crash_points", static_cast<int>(crashAt - 2));
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, CrashPoints,
    ::testing::Combine(::testing::Values(0, 1, 2), ::testing::ValuesIn(fixtureOperations())),
    [](const auto &info) {
        std::string name = std::string(kKindNames[std::get<0>(info.param)]) + "_" + std::get<1>(info.param);
        for (auto &c : name)
            c = (c == '-') ? '_' : c;
        return name;
    });

// --- Kills at random moments --------------------------------------------------------------

class RandomKills : public ::testing::TestWithParam<int> {};

struct Reported {
    bool appended = false;
    int memoVersion = 0;
};

// Reads the writer's reports; a line means the operation before it had returned.
std::map<int, Reported> collectReports(ChildProcess &writer)
{
    std::map<int, Reported> reported;
    std::istringstream lines(writer.readOutput());
    std::string kind;
    int seq = 0;
    while (lines >> kind >> seq) {
        if (kind == "A") {
            reported[seq].appended = true;
        } else if (kind == "M") {
            int version = 0;
            lines >> version;
            reported[seq].memoVersion = std::max(reported[seq].memoVersion, version);
        }
    }
    return reported;
}

TEST_P(RandomKills, appendingAndMemoWritingWriterKilledAtRandom)
{
    const int dbType = GetParam();
    const int kills = killsPerCase(100);
    SCOPED_TRACE("KVILBO_KILL_SEED=" + std::to_string(killSeed()));
    // A fresh table now and then keeps the checks of earlier records cheap.
    constexpr int killsPerTable = 25;
    std::unique_ptr<TempDir> folder;
    std::map<std::pair<int, int>, Reported> allReported;
    int blankAllowed = 0;
    std::set<int> unfinished;
    int completedRecords = 0;
    int claimsLeft = 0;
    std::uniform_int_distribution<int> delayUs(0, 8000);

    for (int kill = 0; kill < kills; ++kill) {
        if (kill % killsPerTable == 0) {
            folder = std::make_unique<TempDir>();
            createWriterTable(folder->file("KORT.DBF"), static_cast<std::uint8_t>(dbType));
            allReported.clear();
            unfinished.clear();
            blankAllowed = 0;
        }
        const std::string table = folder->file("KORT.DBF");
        const int writerId = kill % killsPerTable + 1;
        {
            ChildProcess writer({KVILBO_DBF_WRITER, "loop", table, std::to_string(writerId)});
            std::string line;
            ASSERT_TRUE(writer.readLine(line, 10000) && line == "ready") << "writer did not start";
            std::this_thread::sleep_for(std::chrono::microseconds(delayUs(random())));
            writer.kill();
            const int status = writer.wait();
            ASSERT_TRUE(WIFSIGNALED(status)) << "writer ended by itself: " << describeStatus(status);
            for (const auto &[seq, r] : collectReports(writer)) {
                allReported[{writerId, seq}] = r;
                completedRecords += r.appended ? 1 : 0;
            }
        }
        ++blankAllowed;

        TDbfTable check;
        ASSERT_TRUE(check.OpenDatabase(table, false, false))
            << "kill " << kill << ": table no longer opens: " << check.lastMessage();
        std::map<std::pair<int, int>, int> found;
        int blanks = 0;
        for (int r = 1; r <= check.RecCount(); ++r) {
            check.Go(r);
            const RecordState state = readRecord(check);
            if (!state.problem.empty()) {
                // Only the record whose first values write was cut short may be
                // half written: it was the last record when its writer died and
                // its append was never reported complete.
                const auto it = allReported.find({state.writer, state.seq});
                const bool reported = it != allReported.end() && it->second.appended;
                if (r == check.RecCount() && !reported)
                    unfinished.insert(r);
                ASSERT_EQ(1, unfinished.count(r)) << "kill " << kill << ", record " << r << ": "
                                                  << state.problem;
                continue;
            }
            if (state.blank) {
                ++blanks;
                continue;
            }
            const auto key = std::make_pair(state.writer, state.seq);
            ASSERT_EQ(0, found.count(key)) << "kill " << kill << ": record (" << state.writer << ","
                                           << state.seq << ") stored twice";
            found[key] = state.memoVersion;
        }
        ASSERT_LE(blanks + static_cast<int>(unfinished.size()), blankAllowed)
            << "kill " << kill << ": more unfinished records than kills";
        for (const auto &[key, r] : allReported) {
            if (!r.appended)
                continue;
            ASSERT_EQ(1, found.count(key)) << "kill " << kill << ": completed record (" << key.first
                                           << "," << key.second << ") lost";
            ASSERT_GE(found[key], r.memoVersion) << "kill " << kill << ": completed memo of ("
                                                 << key.first << "," << key.second << ") lost";
        }
        check.closedatabase();
        claimsLeft += takeOverDeadClaim(table) ? 1 : 0;
    }
    RecordProperty("kills", kills);
    RecordProperty("completed_records", completedRecords);
    RecordProperty("kills_holding_the_claim", claimsLeft);
}

TEST_P(RandomKills, packKilledAtRandomLeavesOldOrNewPair)
{
    const int dbType = GetParam();
    const int kills = killsPerCase(100) / 3 + 1;
    SCOPED_TRACE("KVILBO_KILL_SEED=" + std::to_string(killSeed()));
    constexpr int records = 300;
    TempDir fixture;
    buildFixture(fixture.file("KORT.DBF"), static_cast<std::uint8_t>(dbType), records);

    // The kills spread over the writer's whole life, calibrated by one full run.
    auto runPack = [&](TempDir &work, int killAfterUs) {
        copyFolderFiles(fixture.path(), work.path());
        ChildProcess writer({KVILBO_DBF_WRITER, "op", "pack", work.file("KORT.DBF"), "0"});
        if (killAfterUs >= 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(killAfterUs));
            writer.kill();
        }
        writer.readOutput();
        return writer.wait();
    };
    int lifetimeUs = 0;
    {
        TempDir work;
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(exitedCleanly(runPack(work, -1)));
        lifetimeUs = static_cast<int>(std::chrono::duration_cast<std::chrono::microseconds>(
                                          std::chrono::steady_clock::now() - start)
                                          .count());
        ASSERT_EQ("", checkFixture(work.file("KORT.DBF"), "pack", records));
    }
    std::uniform_int_distribution<int> delayUs(0, lifetimeUs);
    int interrupted = 0;
    for (int kill = 0; kill < kills; ++kill) {
        TempDir work;
        const int status = runPack(work, delayUs(random()));
        interrupted += WIFSIGNALED(status) ? 1 : 0;
        const std::string table = work.file("KORT.DBF");
        ASSERT_EQ("", checkFixture(table, "pack", records)) << "kill " << kill;
        ASSERT_EQ("", checkStillWritable(table)) << "kill " << kill;
    }
    RecordProperty("kills", kills);
    RecordProperty("interrupted_packs", interrupted);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, RandomKills, ::testing::Values(0, 1, 2),
                         [](const auto &info) { return std::string(kKindNames[info.param]); });

} // namespace
} // namespace kvilbo::engine::systemtest
