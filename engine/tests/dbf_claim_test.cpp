// The write claim in the table header: taking, waiting, zombie takeover,
// releasing, and its indivisibility across processes.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace kvilbo::engine::test {
namespace {

double stampAt(const Bytes &file)
{
    double d;
    std::memcpy(&d, &file[20], sizeof d);
    return d;
}

class Claim : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.file("C.DBF");
        createTable(holder, path, 2, {{"A", 'C', 4, 0}});
        useFakeTime(holder, holderClock);
        useFakeTime(waiter, waiterClock, [this](int ms) { onSleep(ms); });
        ASSERT_TRUE(holder.OpenDatabase(path, false, false));
        ASSERT_TRUE(waiter.OpenDatabase(path, false, false));
        holder.AppendBlank();
        waiter.H_Refresh();
    }

    TempDir dir;
    std::string path;
    FakeClock holderClock;
    FakeClock waiterClock;
    TDbfTable holder;
    TDbfTable waiter;
    int slept = 0;
    std::function<void(int)> onSleep = [this](int ms) { slept += ms; };
};

struct AgeCase {
    const char *label;
    std::uint16_t zombieTime;
    double ageSeconds;
    bool takenOver;
};

class ClaimAge : public Claim, public ::testing::WithParamInterface<AgeCase> {};

TEST_P(ClaimAge, TakenOverOnlyAfterTheZombieTime)
{
    const AgeCase &c = GetParam();
    waiter.ZoombieTid(c.zombieTime);
    std::vector<std::pair<std::string, bool>> seen;
    waiter.OnWarn = [&seen](const std::string &t, bool e) { seen.emplace_back(t, e); };
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiterClock.advanceSeconds(c.ageSeconds);
    EXPECT_EQ(waiter.Cover(), c.takenOver);
    ASSERT_EQ(seen.size(), 1u);
    if (c.takenOver) {
        EXPECT_EQ(seen[0].first, std::string(msg::kClaimZombieHead) + std::to_string(c.zombieTime) +
                                     msg::kClaimZombieTail);
        EXPECT_FALSE(seen[0].second);
        EXPECT_EQ(slept, 0);
    } else {
        EXPECT_EQ(seen[0].first, msg::kClaimRefused);
        EXPECT_TRUE(seen[0].second);
        EXPECT_EQ(slept, 1000) << "ten waits of 100 ms";
    }
}

INSTANTIATE_TEST_SUITE_P(Ages, ClaimAge,
                         ::testing::Values(AgeCase{"ThirtySecondsIsWaitedFor", 30, 30, false},
                                           AgeCase{"ThirtyOneSecondsIsTakenOver", 30, 31, true},
                                           AgeCase{"LongerZombieTimeWaits", 120, 100, false},
                                           AgeCase{"LongerZombieTimeTakesOver", 120, 121, true},
                                           AgeCase{"FutureStampIsWaitedFor", 30, -50, false}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(Claim, ReleasedDuringTheWaitsIsTakenAtTheNextTry)
{
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    onSleep = [this](int ms) {
        slept += ms;
        if (slept == 300)
            holder.UnCover();
    };
    EXPECT_TRUE(waiter.Cover());
    EXPECT_LE(slept, 302);
    EXPECT_TRUE(waiter.lastErrorMessage().empty());
    EXPECT_FALSE(holder.Cover()) << "now the waiter holds it";
}

TEST_F(Claim, ClaimBytesOnDisk)
{
    const Bytes free = readBytes(path);
    holder.UnCover();
    EXPECT_EQ(readBytes(path), free) << "UnCover of a free table writes nothing";
    ASSERT_TRUE(holder.Cover());
    Bytes b = readBytes(path);
    EXPECT_EQ(b[14], 1);
    EXPECT_DOUBLE_EQ(stampAt(b), holderClock.now);
    EXPECT_EQ(slice(b, 15, 5), slice(free, 15, 5));
    EXPECT_TRUE(holder.CoverCheck());
    EXPECT_TRUE(holder.LegalCover());
    holder.UnCover();
    b = readBytes(path);
    EXPECT_EQ(b[14], 0);
    EXPECT_NEAR(stampAt(b), 36526.0 + 3661.01 / 86400.0, 1e-9);
    EXPECT_FALSE(holder.CoverCheck());
}

TEST_F(Claim, LegalCoverCountsOnlyLiveClaims)
{
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiterClock.advanceSeconds(-5);
    EXPECT_TRUE(waiter.CoverCheck());
    EXPECT_FALSE(waiter.LegalCover()) << "a stamp in the future is not live";
    waiterClock.advanceSeconds(5 + 30);
    EXPECT_TRUE(waiter.LegalCover());
    waiterClock.advanceSeconds(1);
    EXPECT_FALSE(waiter.LegalCover());
    TDbfTable closed;
    EXPECT_FALSE(closed.CoverCheck());
    EXPECT_FALSE(closed.LegalCover());
    EXPECT_FALSE(closed.Cover());
}

TEST_F(Claim, ClosingDuringAnotherWriterLeavesTheEndAlone)
{
    holder.closedatabase();
    waiter.closedatabase();
    Bytes b = readBytes(path);
    b.pop_back();
    writeBytes(path, b);
    ASSERT_TRUE(holder.OpenDatabase(path, false, false));
    ASSERT_TRUE(waiter.OpenDatabase(path, false, false));
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiter.closedatabase();
    EXPECT_EQ(readBytes(path).size(), b.size());
    holder.UnCover();
    holder.closedatabase();
    EXPECT_EQ(readBytes(path).size(), b.size() + 1);
}

TEST_F(Claim, WriteRefusedWhileAnotherHoldsTheClaim)
{
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiter.Go(1);
    waiter.Store("A", "x");
    EXPECT_FALSE(waiter.Write(false));
    waiter.AppendBlank();
    EXPECT_EQ(waiter.RecCount(), 1);
    EXPECT_EQ(readBytes(path)[14], 1);
}

TEST_F(Claim, WriteWithoutTakingTheClaimLeavesAnotherWritersClaim)
{
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiter.Go(1);
    EXPECT_TRUE(waiter.Write(true));
    EXPECT_TRUE(waiter.LegalCover());
    EXPECT_FALSE(waiter.Cover());
    holder.UnCover();
    EXPECT_FALSE(waiter.CoverCheck());
}

TEST_F(Claim, WriterWhoseClaimWasTakenOverDoesNotReleaseTheNewOne)
{
    ASSERT_TRUE(holder.Cover());
    waiterClock.now = holderClock.now;
    waiterClock.advanceSeconds(31);
    ASSERT_TRUE(waiter.Cover());
    holder.Go(1);
    EXPECT_TRUE(holder.Write(true));
    EXPECT_TRUE(waiter.LegalCover()) << "the late writer released the claim that replaced its own";
}

// Runs body in n child processes and waits for all; true when every child succeeded.
bool inChildren(int n, const std::function<bool(int)> &body)
{
    std::vector<pid_t> pids;
    for (int i = 0; i < n; ++i) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            bool ok = false;
            try {
                ok = body(i);
            } catch (...) {
            }
            ::_exit(ok ? 0 : 1);
        }
        pids.push_back(pid);
    }
    bool all = true;
    for (pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    return all;
}

TEST(ClaimAcrossProcesses, IncrementsUnderTheClaimAreNeverLost)
{
    TempDir dir;
    const std::string path = dir.file("COUNT.DBF");
    TDbfTable t;
    createTable(t, path, 2, {{"N", 'N', 10, 0}});
    ASSERT_TRUE(t.OpenDatabase(path, false, false));
    t.AppendBlank();
    t.Store("N", "0");
    ASSERT_TRUE(t.Write(false));
    t.closedatabase();
    constexpr int kProcesses = 4, kEach = 250;
    const bool ok = inChildren(kProcesses, [&](int) {
        TDbfTable c;
        if (!c.OpenDatabase(path, false, false))
            return false;
        for (int i = 0; i < kEach; ++i) {
            if (!c.Cover())
                return false;
            c.Go(1);
            c.Store("N", std::to_string(std::stoi(c.GetF(1)) + 1));
            c.Write(true);
        }
        return true;
    });
    EXPECT_TRUE(ok);
    ASSERT_TRUE(t.OpenDatabase(path, false, false));
    EXPECT_EQ(std::stoi(t.GetF(1)), kProcesses * kEach);
}

TEST(ClaimAcrossProcesses, ConcurrentAppendsAndMemosGetDistinctPlaces)
{
    TempDir dir;
    const std::string path = dir.file("APP.DBF");
    TDbfTable t;
    createTable(t, path, 2, {{"WHO", 'C', 12, 0}, {"NOTAT", 'M', 10, 0}});
    constexpr int kProcesses = 4, kEach = 300;
    const bool ok = inChildren(kProcesses, [&](int id) {
        TDbfTable c;
        if (!c.OpenDatabase(path, false, false)) {
            fprintf(stderr, "child %d open: %s\n", id, c.lastMessage().c_str());
            return false;
        }
        for (int i = 0; i < kEach; ++i) {
            const int before = c.RecNo();
            c.AppendBlank();
            if (c.RecNo() == before) {
                fprintf(stderr, "child %d append %d: %s\n", id, i, c.lastMessage().c_str());
                return false;
            }
            const std::string who = std::to_string(id) + "-" + std::to_string(i);
            c.Store("WHO", who);
            if (!c.Write(false))
                return false;
            c.MemoWrite(2, "memo of " + who);
        }
        c.closedatabase();
        return true;
    });
    EXPECT_TRUE(ok);
    ASSERT_TRUE(t.OpenDatabase(path, true, false));
    ASSERT_EQ(t.RecCount(), kProcesses * kEach);
    std::set<std::string> seen;
    for (int r = 1; r <= t.RecCount(); ++r) {
        t.Go(r);
        seen.insert(t.GetF(1));
        const std::string who(trimBlanks(t.GetF(1)));
        ASSERT_EQ(t.MemoRead(2), "memo of " + who) << "record " << r;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kProcesses * kEach));
    EXPECT_EQ(seen.count(std::string(12, ' ')), 0u);
}

TEST(CrashSafety, KilledAppenderLeavesAnOpenableTable)
{
    TempDir dir;
    const std::string path = dir.file("CRASH.DBF");
    TDbfTable t;
    createTable(t, path, 2, {{"A", 'C', 200, 0}, {"B", 'C', 200, 0}, {"C", 'C', 200, 0}});
    std::mt19937 random(12345);
    int lastCount = 0;
    for (int round = 0; round < 25; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            TDbfTable c;
            if (!c.OpenDatabase(path, false, false))
                ::_exit(1);
            for (;;) {
                c.AppendBlank();
                c.Store("A", "filled");
                c.Write(false);
            }
        }
        ::usleep(1000 + random() % 20000);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        ASSERT_TRUE(t.OpenDatabase(path, false, false)) << "round " << round << ": " << t.lastErrorMessage();
        EXPECT_GE(t.RecCount(), lastCount);
        lastCount = t.RecCount();
        t.UnCover();
        t.closedatabase();
    }
    EXPECT_GT(lastCount, 0);
}

} // namespace
} // namespace kvilbo::engine::test
