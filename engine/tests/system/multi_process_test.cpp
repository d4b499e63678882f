// Four processes share one table, each appending 500 records and rewriting
// memos; afterwards every record is there exactly once with its last memo.
#include "engine/tests/system/child_process.h"
#include "engine/tests/system/temp_dir.h"
#include "engine/tests/system/writer_table.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

namespace kvilbo::engine::systemtest {
namespace {

constexpr int kWriters = 4;
constexpr int kRecordsEach = 500;

class SharedTable : public ::testing::TestWithParam<int> {};

TEST_P(SharedTable, fourWritersAppendAndRewriteMemosWithoutLoss)
{
    TempDir folder;
    const std::string table = folder.file("KORT.DBF");
    createWriterTable(table, static_cast<std::uint8_t>(GetParam()));

    std::vector<std::unique_ptr<ChildProcess>> writers;
    for (int w = 1; w <= kWriters; ++w)
        writers.push_back(std::make_unique<ChildProcess>(std::vector<std::string>{
            KVILBO_DBF_WRITER, "append", table, std::to_string(w), std::to_string(kRecordsEach)}));
    for (auto &writer : writers) {
        const std::string output = writer->readOutput();
        const int status = writer->wait();
        ASSERT_TRUE(exitedCleanly(status) && output == "done\n") << describeStatus(status);
    }

    TDbfTable check;
    ASSERT_TRUE(check.OpenDatabase(table, true, false)) << check.lastMessage();
    ASSERT_EQ(kWriters * kRecordsEach, check.RecCount());
    EXPECT_EQ(static_cast<std::int64_t>(check.Hlen()) + std::int64_t{check.Rlen()} * check.RecCount() + 1,
              check.FSize());
    std::map<std::pair<int, int>, int> found;
    for (int r = 1; r <= check.RecCount(); ++r) {
        check.Go(r);
        const RecordState state = readRecord(check);
        ASSERT_EQ("", state.problem) << "record " << r;
        ASSERT_FALSE(state.blank) << "record " << r << " was never written";
        ASSERT_TRUE(found.emplace(std::make_pair(state.writer, state.seq), state.memoVersion).second)
            << "record (" << state.writer << "," << state.seq << ") stored twice";
    }
    for (int w = 1; w <= kWriters; ++w) {
        for (int seq = 1; seq <= kRecordsEach; ++seq) {
            const auto it = found.find({w, seq});
            ASSERT_NE(found.end(), it) << "record (" << w << "," << seq << ") lost";
            // Each writer rewrote the memo of the record three back after every append.
            EXPECT_EQ(seq <= kRecordsEach - 3 ? 2 : 1, it->second)
                << "memo of (" << w << "," << seq << ")";
        }
    }
}

std::string kindName(const ::testing::TestParamInfo<int> &info)
{
    static const char *const names[] = {"FoxPro", "DBase4", "DBase3"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(AllKinds, SharedTable, ::testing::Values(0, 1, 2), kindName);

} // namespace
} // namespace kvilbo::engine::systemtest
