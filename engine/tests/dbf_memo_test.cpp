// Memo block sizes from foreign headers, dBASE III block filling, and memo
// files whose headers or block headers are damaged.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kvilbo::engine::test {
namespace {

struct BlockWordCase {
    const char *label;
    std::uint8_t type;
    std::uint16_t word;
    int blockSize;
};

class BlockSizeWord : public ::testing::TestWithParam<BlockWordCase> {};

TEST_P(BlockSizeWord, GivesTheBlockSize)
{
    const BlockWordCase &c = GetParam();
    TempDir dir;
    TDbfTable t;
    const std::string path = dir.file("B.DBF");
    createTable(t, path, c.type, {{"NOTAT", 'M', 4, 0}});
    const std::string memo = dir.file(c.type == 0 ? "B.FPT" : "B.DBT");
    Bytes h = readBytes(memo);
    if (c.type == 0) {
        h[6] = static_cast<std::uint8_t>(c.word >> 8);
        h[7] = static_cast<std::uint8_t>(c.word);
    } else {
        h[20] = static_cast<std::uint8_t>(c.word);
        h[21] = static_cast<std::uint8_t>(c.word >> 8);
    }
    writeBytes(memo, h);
    ASSERT_TRUE(t.OpenDatabase(path, true, false));
    EXPECT_EQ(t.MemoBlkSize(), c.blockSize);
}

INSTANTIATE_TEST_SUITE_P(
    Words, BlockSizeWord,
    ::testing::Values(BlockWordCase{"FoxProZeroIsOne", 0, 0, 1}, BlockWordCase{"FoxProOneIs512", 0, 1, 512},
                      BlockWordCase{"FoxPro32Is16384", 0, 32, 16384}, BlockWordCase{"FoxPro33Is33", 0, 33, 33},
                      BlockWordCase{"FoxPro40000IsBytes", 0, 40000, 40000},
                      BlockWordCase{"DBase4OneIs512", 1, 1, 512}, BlockWordCase{"DBase4SixtyFourIsBytes", 1, 64, 64},
                      BlockWordCase{"DBase4ZeroFallsBackTo512", 1, 0, 512},
                      BlockWordCase{"DBase3IgnoresTheWord", 2, 1000, 512}),
    [](const auto &info) { return std::string(info.param.label); });

class Memo : public ::testing::Test {
protected:
    void make(std::uint8_t type)
    {
        path = dir.file("M.DBF");
        memoPath = dir.file(type == 0 ? "M.FPT" : "M.DBT");
        createTable(table, path, type, {{"NOTAT", 'M', 4, 0}});
        ASSERT_TRUE(table.OpenDatabase(path, true, false));
        table.AppendBlank();
    }
    void reopenWithMemoHeader(const std::function<void(Bytes &)> &change)
    {
        table.closedatabase();
        Bytes h = readBytes(memoPath);
        change(h);
        writeBytes(memoPath, h);
        ASSERT_TRUE(table.OpenDatabase(path, true, false)) << table.lastErrorMessage();
    }
    TempDir dir;
    TDbfTable table;
    std::string path;
    std::string memoPath;
};

TEST_F(Memo, DBase3FillsExactlyOneBlockWith510Bytes)
{
    make(2);
    table.MemoWrite(1, std::string(510, 'a'));
    EXPECT_EQ(readBytes(memoPath).size(), 1024u);
    table.MemoWrite(1, std::string(511, 'b'));
    EXPECT_EQ(readBytes(memoPath).size(), 1024u + 1024u);
    EXPECT_EQ(table.GetF(1), "2");
    EXPECT_EQ(table.MemoRead(1), std::string(511, 'b'));
}

TEST_F(Memo, DBase4ZeroBlockWordIsReported)
{
    make(1);
    reopenWithMemoHeader([](Bytes &h) { h[20] = h[21] = 0; });
    EXPECT_EQ(table.MemoBlkSize(), 512);
    table.MemoWrite(1, "still works");
    EXPECT_EQ(table.MemoRead(1), "still works");
}

TEST_F(Memo, VersionF5UsesFoxProMemo)
{
    make(0);
    table.closedatabase();
    Bytes b = readBytes(path);
    b[0] = 0xF5;
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    EXPECT_EQ(table.askdbf(7), "FoxPro/VisualFoxPro FPT");
    EXPECT_EQ(table.askdbf(3), "F5h - Foxpro 2.0 (or older) w/ memofile");
}

TEST_F(Memo, OneByteBlocksNeverWriteIntoTheHeader)
{
    make(0);
    reopenWithMemoHeader([](Bytes &h) {
        h[6] = h[7] = 0;
        h[3] = 8; // next free block 8 = byte 8 with one-byte blocks
    });
    table.Go(1);
    table.MemoWrite(1, "abc");
    const Bytes m = readBytes(memoPath);
    EXPECT_EQ(slice(m, 8, 8), Bytes(8, 0)) << "header bytes overwritten";
    EXPECT_EQ(table.GetF(1), "512");
    EXPECT_EQ(table.MemoRead(1), "abc");
}

TEST_F(Memo, RewriteAcrossAPageBoundaryMovesToTheEnd)
{
    make(0);
    table.MemoWrite(1, std::string((63 - 8) * 64 - 8, 'a'));
    table.AppendBlank();
    table.MemoWrite(1, std::string(100, 'x'));
    ASSERT_EQ(table.GetF(1), "63") << "byte 4032, the memo crosses byte 4096";
    table.MemoWrite(1, std::string(90, 'y'));
    EXPECT_EQ(table.GetF(1), "65");
    EXPECT_EQ(table.MemoRead(1), std::string(90, 'y'));
    table.Go(1);
    EXPECT_EQ(table.MemoRead(1), std::string((63 - 8) * 64 - 8, 'a'));
}

TEST_F(Memo, HugeLengthInBlockHeaderReadsUpToTheEndOfTheFile)
{
    make(0);
    table.MemoWrite(1, "short");
    Bytes m = readBytes(memoPath);
    m[512 + 4] = 0x7F;
    m[512 + 5] = 0xFF;
    writeBytes(memoPath, m);
    const std::string text = table.MemoRead(1);
    EXPECT_EQ(text.size(), 64u - 8u);
    EXPECT_EQ(text.substr(0, 5), "short");
}

TEST_F(Memo, DBase4LengthBelowEightReadsEmpty)
{
    make(1);
    table.MemoWrite(1, "text");
    Bytes m = readBytes(memoPath);
    m[512 + 4] = 3;
    writeBytes(memoPath, m);
    EXPECT_EQ(table.MemoRead(1), "");
}

TEST_F(Memo, DamagedLengthDoesNotLetARewriteRunOverOtherMemos)
{
    make(0);
    table.MemoWrite(1, "first");
    table.AppendBlank();
    table.MemoWrite(1, "second");
    table.Go(1);
    Bytes m = readBytes(memoPath);
    m[512 + 4] = 0x01; // first memo claims to be 16 MB long
    writeBytes(memoPath, m);
    table.MemoWrite(1, std::string(100, 'x'));
    EXPECT_EQ(table.GetF(1), "10") << "not rewritten in place over the next memo";
    table.Go(2);
    EXPECT_EQ(table.MemoRead(1), "second");
}

TEST_F(Memo, DBase3MemoWithoutEndMarkerStopsAtEndOfFile)
{
    make(2);
    table.MemoWrite(1, "abc");
    Bytes m = readBytes(memoPath);
    m.resize(512 + 3);
    writeBytes(memoPath, m);
    EXPECT_EQ(table.MemoRead(1), "abc");
}

TEST_F(Memo, WriteToNonMemoFieldIsRefused)
{
    table.LagFelt("NAVN", 'C', 5, 0, 0);
    table.LagFelt("NOTAT", 'M', 4, 0, 0);
    table.LagDatabase(dir.file("N.DBF"), 0);
    ASSERT_TRUE(table.OpenDatabase(dir.file("N.DBF"), true, false));
    table.AppendBlank();
    table.MemoWrite(1, "x");
    EXPECT_EQ(table.lastErrorMessage(), msg::kMemoWriteNotMemo);
    EXPECT_EQ(readBytes(dir.file("N.FPT")).size(), 512u);
}

TEST_F(Memo, WriteWithoutRecordsStoresNothing)
{
    path = dir.file("E.DBF");
    createTable(table, path, 1, {{"NOTAT", 'M', 10, 0}});
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.MemoWrite(1, "lost");
    EXPECT_EQ(table.lastErrorMessage(), msg::kWriteNoRecords);
    EXPECT_EQ(readBytes(dir.file("E.DBT")).size(), 512u);
}

TEST_F(Memo, MemoMakeReplacesAnExistingFile)
{
    writeBytes(dir.file("x.fpt"), Bytes(3000, 7));
    table.MemoMake(dir.file("X.FPT"), 0);
    EXPECT_EQ(readBytes(dir.file("X.FPT")).size(), 512u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.fpt")));
}

} // namespace
} // namespace kvilbo::engine::test
