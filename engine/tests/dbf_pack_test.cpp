// Packing: results and backups, failed renames that put the old files back,
// and completing a pack that a crash interrupted.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kvilbo::engine::test {
namespace {

namespace fs = std::filesystem;

class Pack : public ::testing::Test {
protected:
    // R.DBF (FoxPro kind) with NAVN C(6) and NOTAT M: five records, memos on each.
    void SetUp() override
    {
        path = dir.file("R.DBF");
        memo = dir.file("R.FPT");
        createTable(table, path, 0, {{"NAVN", 'C', 6, 0}, {"NOTAT", 'M', 4, 0}});
        ASSERT_TRUE(table.OpenDatabase(path, true, false));
        for (int i = 1; i <= 5; ++i) {
            table.AppendBlank();
            table.Store("NAVN", "R" + std::to_string(i));
            table.Write(false);
            table.MemoWrite(2, "memo " + std::to_string(i));
        }
    }
    void flag(std::initializer_list<int> records)
    {
        for (int r : records) {
            table.Go(r);
            table.Delete(true);
        }
    }
    std::vector<std::string> names()
    {
        std::vector<std::string> out;
        for (int r = 1; r <= table.RecCount(); ++r) {
            table.Go(r);
            out.push_back(table.GetF(1) + "|" + table.MemoRead(2));
        }
        return out;
    }

    TempDir dir;
    TDbfTable table;
    std::string path;
    std::string memo;
};

TEST_F(Pack, WithoutFlaggedRecordsKeepsEverything)
{
    table.closedatabase();
    createTable(table, path, 2, {{"A", 'C', 3, 0}});
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    for (int i = 0; i < 4; ++i)
        table.AppendBlank();
    table.closedatabase();
    const Bytes before = readBytes(path);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.Pack();
    EXPECT_EQ(table.RecCount(), 4);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(readBytes(path + ".backup"), before);
}

TEST_F(Pack, KeepsOrderOfLiveRecordsWithTheirMemos)
{
    flag({2, 4});
    table.Pack();
    const std::vector<std::string> expected = {"R1    |memo 1", "R3    |memo 3", "R5    |memo 5"};
    EXPECT_EQ(names(), expected);
    EXPECT_EQ(readBytes(memo).size(), 512u + 3 * 64);
}

class FailedRename : public Pack, public ::testing::WithParamInterface<const char *> {};

TEST_P(FailedRename, PutsThePreviousFilesBack)
{
    const std::string failing = GetParam();
    flag({1});
    table.closedatabase();
    const Bytes oldTable = readBytes(path);
    const Bytes oldMemo = readBytes(memo);
    auto faulty = std::make_shared<FaultyFileSystem>();
    faulty->failRename = [failing](const std::string &from, const std::string &) {
        return fs::path(from).filename() == failing;
    };
    TDbfTable t(faulty);
    std::vector<std::string> errors;
    t.OnWarn = [&errors](const std::string &text, bool error) {
        if (error)
            errors.push_back(text);
    };
    ASSERT_TRUE(t.OpenDatabase(path, true, false));
    t.Pack();
    const std::vector<std::string> expected = {std::string(msg::kPackRenameHead) + "\"" + dir.file(failing) +
                                               "\"" + msg::kPackRenameTail};
    EXPECT_EQ(errors, expected);
    ASSERT_TRUE(t.isOpen());
    EXPECT_EQ(t.RecCount(), 5);
    t.closedatabase();
    EXPECT_EQ(readBytes(path), oldTable);
    EXPECT_EQ(readBytes(memo), oldMemo);
    EXPECT_FALSE(fs::exists(path + ".temp"));
    EXPECT_FALSE(fs::exists(memo + ".temp"));
    EXPECT_FALSE(fs::exists(path + ".packing"));
}

INSTANTIATE_TEST_SUITE_P(Renames, FailedRename, ::testing::Values("R.FPT.temp", "R.DBF.temp"),
                         [](const auto &info) { return std::string(info.param[2] == 'F' ? "NewMemo" : "NewTable"); });

TEST_F(Pack, TableNameNeverGoesMissing)
{
    flag({3});
    table.closedatabase();
    auto watched = std::make_shared<FaultyFileSystem>();
    int checks = 0;
    bool missing = false;
    const std::string table = path;
    const auto look = [&] {
        ++checks;
        missing = missing || !fs::exists(table);
        return false;
    };
    watched->failRename = [&](const std::string &, const std::string &) { return look(); };
    watched->failWrite = [&](const std::string &, std::uint64_t) { return look(); };
    TDbfTable t(watched);
    ASSERT_TRUE(t.OpenDatabase(path, true, false));
    t.Pack();
    t.closedatabase();
    EXPECT_GT(checks, 10);
    EXPECT_FALSE(missing);
    EXPECT_TRUE(fs::exists(table));
}

TEST_F(Pack, WriteFailureLeavesTheTableOpenAndUntouched)
{
    table.closedatabase();
    const Bytes oldTable = readBytes(path);
    auto faulty = std::make_shared<FaultyFileSystem>();
    TDbfTable t(faulty);
    ASSERT_TRUE(t.OpenDatabase(path, true, false));
    faulty->failWrite = [](const std::string &p, std::uint64_t offset) {
        return p.find(".DBF.temp") != std::string::npos && offset > 0;
    };
    EXPECT_THROW(t.Pack(), DbfIoError);
    EXPECT_TRUE(t.isOpen());
    EXPECT_FALSE(fs::exists(path + ".temp"));
    t.closedatabase();
    EXPECT_EQ(readBytes(path), oldTable);
}

// File states a crash can leave between the marker and the last rename.
enum class Place { Old, New, Absent };
struct CrashState {
    const char *label;
    Place table, memo, tableTemp, memoTemp, tableBackup, memoBackup;
    bool markerComplete;
    bool expectNew;
};

class InterruptedPack : public Pack, public ::testing::WithParamInterface<CrashState> {};

TEST_P(InterruptedPack, NextOpeningCompletesOrKeepsAWholePair)
{
    flag({2});
    table.closedatabase();
    const Bytes oldTable = readBytes(path), oldMemo = readBytes(memo);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.Pack();
    table.closedatabase();
    const Bytes newTable = readBytes(path), newMemo = readBytes(memo);
    const std::string tableBackup = path + ".backup", memoBackup = dir.file("R.fpt.backup");
    for (const auto &p : {path, memo, tableBackup, memoBackup})
        fs::remove(p);
    const CrashState &s = GetParam();
    const auto put = [](const std::string &p, Place place, const Bytes &oldB, const Bytes &newB) {
        if (place != Place::Absent)
            writeBytes(p, place == Place::Old ? oldB : newB);
    };
    put(path, s.table, oldTable, newTable);
    put(memo, s.memo, oldMemo, newMemo);
    put(path + ".temp", s.tableTemp, oldTable, newTable);
    put(memo + ".temp", s.memoTemp, oldMemo, newMemo);
    put(tableBackup, s.tableBackup, oldTable, newTable);
    put(memoBackup, s.memoBackup, oldMemo, newMemo);
    std::string marker = "R.DBF\nR.DBF.temp\nR.DBF.backup\nR.FPT\nR.FPT.temp\nR.fpt.backup\n";
    if (s.markerComplete)
        marker += "END\n";
    writeBytes(path + ".packing", ascii(marker));

    ASSERT_TRUE(table.OpenDatabase(path, true, false)) << table.lastErrorMessage();
    EXPECT_EQ(table.RecCount(), s.expectNew ? 4 : 5);
    const std::vector<std::string> live = {"R1    |memo 1", "R3    |memo 3", "R4    |memo 4", "R5    |memo 5"};
    std::vector<std::string> got = names();
    if (!s.expectNew)
        got.erase(got.begin() + 1);
    EXPECT_EQ(got, live);
    EXPECT_FALSE(fs::exists(path + ".packing"));
}

INSTANTIATE_TEST_SUITE_P(
    States, InterruptedPack,
    ::testing::Values(
        CrashState{"BeforeAnyBackup", Place::Old, Place::Old, Place::New, Place::New, Place::Absent, Place::Absent,
                   true, true},
        CrashState{"AfterTableBackup", Place::Old, Place::Old, Place::New, Place::New, Place::Old, Place::Absent,
                   true, true},
        CrashState{"AfterMemoBackup", Place::Old, Place::Old, Place::New, Place::New, Place::Old, Place::Old,
                   true, true},
        CrashState{"AfterNewMemoInPlace", Place::Old, Place::New, Place::New, Place::Absent, Place::Old, Place::Old,
                   true, true},
        CrashState{"AfterNewTableInPlace", Place::New, Place::New, Place::Absent, Place::Absent, Place::Old,
                   Place::Old, true, true},
        CrashState{"TableMissingBesideItsBackup", Place::Absent, Place::Old, Place::New, Place::New, Place::Old,
                   Place::Absent, true, true},
        CrashState{"MarkerCutShort", Place::Old, Place::Old, Place::New, Place::New, Place::Absent, Place::Absent,
                   false, false}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace kvilbo::engine::test
