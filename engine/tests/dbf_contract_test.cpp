// One contract run against each table kind: FoxPro, dBASE IV and dBASE III,
// each with a memo file. Checks what lands on disk byte for byte.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kvilbo::engine::test {
namespace {

struct Kind {
    const char *label;
    std::uint8_t type;
    std::uint8_t version;
    const char *memoExt;
    std::uint32_t blockSize;
    std::uint32_t firstBlock;
    std::size_t pointerLen;
    const char *askMemoKind;
    const char *askShortType;
};

const Kind kKinds[] = {
    {"FoxPro", 0, 0x30, ".FPT", 64, 8, 4, "FoxPro/VisualFoxPro FPT", "FOXPRO DBF W/MEMOFILE"},
    {"DBase4", 1, 0x8B, ".DBT", 512, 1, 10, "dBaseIV & nyere DBT", "DBASEIV DBF W/MEMOFILE"},
    {"DBase3", 2, 0x83, ".DBT", 512, 1, 10, "dBaseIII+ & eldre DBT", "DBASEIII+ DBF W/MEMOFILE"},
};

Bytes expectedMemoHeader(const Kind &k)
{
    Bytes h(512, 0);
    if (k.type == 0) {
        h[3] = 8;
        h[7] = 0x40;
    } else {
        h[0] = 1;
        h[16] = k.type == 2 ? 3 : 0;
        h[21] = 0x02;
    }
    return h;
}

// The blocks one memo occupies, as the format prescribes.
Bytes expectedBlocks(const Kind &k, const std::string &text)
{
    Bytes b;
    if (k.type == 0)
        b = {0, 0, 0, 1, 0, 0, 0, static_cast<std::uint8_t>(text.size())};
    else if (k.type == 1)
        b = {0xFF, 0xFF, 0x08, 0x00, static_cast<std::uint8_t>(text.size() + 8), 0, 0, 0};
    b.insert(b.end(), text.begin(), text.end());
    if (k.type == 2)
        b.insert(b.end(), {0x1A, 0x1A});
    b.resize((b.size() + k.blockSize - 1) / k.blockSize * k.blockSize, 0);
    return b;
}

Bytes pointerBytes(const Kind &k, std::uint32_t block, bool packed)
{
    if (k.pointerLen == 4)
        return {static_cast<std::uint8_t>(block), static_cast<std::uint8_t>(block >> 8), 0, 0};
    std::string digits = std::to_string(block);
    digits.insert(0, 10 - digits.size(), packed ? '0' : ' ');
    return ascii(digits);
}

class Contract : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override
    {
        useFakeTime(table, clock);
        path = dir.file("KORT.DBF");
        memoPath = dir.file(std::string("KORT") + kind().memoExt);
        createTable(table, path, kind().type, {{"NAVN", 'C', 10, 0}, {"NOTAT", 'M', 4, 0}, {"TALL", 'N', 4, 0}});
        ASSERT_TRUE(table.OpenDatabase(path, true, false)) << table.lastErrorMessage();
    }
    const Kind &kind() const { return GetParam(); }
    std::size_t recordAt(int recNo) const { return static_cast<std::size_t>(table.Hlen() + (recNo - 1) * table.Rlen()); }
    std::size_t pointerAt(int recNo) const { return recordAt(recNo) + 11; }
    std::uint32_t nextFree() const
    {
        const Bytes h = readBytes(memoPath);
        if (kind().type == 0)
            return static_cast<std::uint32_t>(h[0] << 24 | h[1] << 16 | h[2] << 8 | h[3]);
        return static_cast<std::uint32_t>(h[0] | h[1] << 8 | h[2] << 16 | h[3] << 24);
    }
    void appendWithMemo(const std::string &name, const std::string &memo)
    {
        table.AppendBlank();
        table.Store("NAVN", name);
        ASSERT_TRUE(table.Write(false));
        if (!memo.empty())
            table.MemoWrite(2, memo);
    }

    TempDir dir;
    FakeClock clock;
    TDbfTable table;
    std::string path;
    std::string memoPath;
};

TEST_P(Contract, CreatesVersionAndMemoHeaderByteExact)
{
    EXPECT_EQ(table.HType(), kind().version);
    EXPECT_EQ(table.FieldLen(2), static_cast<int>(kind().pointerLen));
    EXPECT_EQ(readBytes(memoPath), expectedMemoHeader(kind()));
    EXPECT_EQ(table.MemoBlkSize(), static_cast<int>(kind().blockSize));
    EXPECT_EQ(table.askdbf(7), kind().askMemoKind);
    EXPECT_EQ(table.askdbf(10), kind().askShortType);
    EXPECT_EQ(table.askdbf(8), std::string("KORT") + kind().memoExt);
    EXPECT_EQ(table.askdbf(9), "512");
}

TEST_P(Contract, FirstMemoGoesToFirstBlockAfterHeader)
{
    appendWithMemo("A", "0123456789");
    const Bytes memo = readBytes(memoPath);
    const Bytes blocks = expectedBlocks(kind(), "0123456789");
    const std::size_t at = kind().firstBlock * kind().blockSize;
    ASSERT_EQ(memo.size(), at + blocks.size());
    EXPECT_EQ(slice(memo, at, blocks.size()), blocks);
    EXPECT_EQ(nextFree(), kind().firstBlock + blocks.size() / kind().blockSize);
    EXPECT_EQ(slice(readBytes(path), pointerAt(1), kind().pointerLen), pointerBytes(kind(), kind().firstBlock, false));
    EXPECT_EQ(table.GetF(2), std::to_string(kind().firstBlock));
    EXPECT_EQ(table.MemoState(2), "EDITOR");
}

TEST_P(Contract, MemoTextRoundTripsThroughWindows1252)
{
    const std::string text = "Bl\xC3\xA5" "b\xC3\xA6r \xE2\x82\xAC\r\nlinje 2";
    appendWithMemo("A", text);
    EXPECT_EQ(table.MemoRead(2), text);
    TDbfTable reader;
    table.closedatabase();
    ASSERT_TRUE(reader.OpenDatabase(path, false, false));
    EXPECT_EQ(reader.MemoRead(2), text);
    const Bytes memo = readBytes(memoPath);
    const std::size_t textAt = kind().firstBlock * kind().blockSize + (kind().type == 2 ? 0 : 8);
    EXPECT_EQ(slice(memo, textAt, 4), (Bytes{'B', 'l', 0xE5, 'b'}));
}

TEST_P(Contract, RewritePlacement)
{
    appendWithMemo("A", "first text");
    const std::uint32_t first = kind().firstBlock;
    const std::uint32_t afterFirst = nextFree();
    table.MemoWrite(2, "shorter");
    if (kind().type == 2) {
        EXPECT_EQ(table.GetF(2), std::to_string(afterFirst)) << "dBASE III always appends";
    } else {
        EXPECT_EQ(table.GetF(2), std::to_string(first)) << "a text that fits stays in place";
        EXPECT_EQ(nextFree(), afterFirst);
    }
    EXPECT_EQ(table.MemoRead(2), "shorter");
    const std::uint32_t before = nextFree();
    const std::string longer(kind().blockSize + 10, 'x');
    table.MemoWrite(2, longer);
    EXPECT_EQ(table.GetF(2), std::to_string(before)) << "a longer text moves to the end";
    EXPECT_EQ(table.MemoRead(2), longer);
}

TEST_P(Contract, EmptyTextStoresTheEmptyPointer)
{
    appendWithMemo("A", "text");
    table.MemoWrite(2, "");
    EXPECT_EQ(table.lastMessage(), msg::kMemoWriteEmpty);
    const Bytes expected = kind().pointerLen == 4 ? Bytes(4, 0) : ascii("         0");
    EXPECT_EQ(slice(readBytes(path), pointerAt(1), kind().pointerLen), expected);
    EXPECT_EQ(table.MemoState(2), "editor");
    EXPECT_EQ(table.MemoRead(2), "");
    EXPECT_EQ(table.lastMessage(), msg::kMemoReadZero);
}

TEST_P(Contract, MemoReadRefusals)
{
    appendWithMemo("A", "text");
    EXPECT_EQ(table.MemoRead(0), "");
    EXPECT_EQ(table.lastMessage(), msg::kMemoReadBadField);
    EXPECT_EQ(table.MemoRead(4), "");
    EXPECT_EQ(table.lastMessage(), msg::kMemoReadBadField);
    EXPECT_EQ(table.MemoRead(1), "");
    EXPECT_EQ(table.lastMessage(), msg::kMemoReadNotMemo);
    EXPECT_TRUE(table.lastErrorMessage().empty());
}

TEST_P(Contract, PointerBeyondTheMemoFileIsEmptied)
{
    appendWithMemo("A", "");
    Bytes b = readBytes(path);
    const Bytes far = pointerBytes(kind(), 5000, false);
    std::copy(far.begin(), far.end(), b.begin() + static_cast<std::ptrdiff_t>(pointerAt(1)));
    table.closedatabase();
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    EXPECT_EQ(table.MemoRead(2), "");
    EXPECT_EQ(table.GetF(2), "0");
    EXPECT_EQ(table.MemoState(2), "editor");
}

TEST_P(Contract, UnwrittenStoreIsLostByMemoRead)
{
    appendWithMemo("A", "m");
    table.Store("NAVN", "changed");
    table.MemoRead(2);
    EXPECT_EQ(table.GetF(1), "A         ");
}

TEST_P(Contract, PackDropsDeletedRecordsAndRenumbersMemos)
{
    const char *memos[] = {"one", "two", " \r\n ", "four", "  five  "};
    for (int i = 0; i < 5; ++i)
        appendWithMemo("R" + std::to_string(i + 1), memos[i]);
    table.MemoWrite(2, "five again"); // leaves unused blocks when it cannot stay in place
    table.Go(2);
    table.Delete(true);
    table.Go(4);
    table.Delete(true);
    table.closedatabase();
    const Bytes oldTable = readBytes(path);
    const Bytes oldMemo = readBytes(memoPath);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.Pack();

    ASSERT_TRUE(table.isOpen());
    EXPECT_TRUE(table.IsExclusive());
    EXPECT_EQ(table.RecNo(), 1);
    ASSERT_EQ(table.RecCount(), 3);
    const char *names[] = {"R1", "R3", "R5"};
    for (int r = 1; r <= 3; ++r) {
        table.Go(r);
        EXPECT_EQ(table.GetF(1), std::string(names[r - 1]) + std::string(10 - 2, ' '));
        EXPECT_FALSE(table.IsCurrentRecDeleted());
    }
    const Bytes packed = readBytes(path);
    EXPECT_EQ(slice(packed, pointerAt(1), kind().pointerLen), pointerBytes(kind(), kind().firstBlock, true));
    EXPECT_EQ(slice(packed, pointerAt(2), kind().pointerLen), pointerBytes(kind(), 0, true))
        << "a memo of blanks only becomes an empty pointer";
    EXPECT_EQ(slice(packed, pointerAt(3), kind().pointerLen), pointerBytes(kind(), kind().firstBlock + 1, true));
    table.Go(3);
    EXPECT_EQ(table.MemoRead(2), "five again");
    table.Go(1);
    EXPECT_EQ(table.MemoRead(2), "one");
    EXPECT_EQ(packed.size(), static_cast<std::size_t>(table.Hlen() + 3 * table.Rlen() + 1));
    EXPECT_EQ(packed.back(), 0x1A);
    EXPECT_EQ(slice(packed, 0, 4), slice(oldTable, 0, 4));

    EXPECT_EQ(readBytes(path + ".backup"), oldTable);
    const std::string memoBackup = dir.file(std::string("KORT") + (kind().type == 0 ? ".fpt" : ".dbt") + ".backup");
    EXPECT_EQ(readBytes(memoBackup), oldMemo);
    EXPECT_FALSE(std::filesystem::exists(path + ".temp"));
    EXPECT_FALSE(std::filesystem::exists(memoPath + ".temp"));
    EXPECT_FALSE(std::filesystem::exists(path + ".packing"));
}

TEST_P(Contract, PackOfSharedTableDoesNothing)
{
    appendWithMemo("A", "x");
    table.Delete(true);
    table.closedatabase();
    ASSERT_TRUE(table.OpenDatabase(path, false, false));
    table.Pack();
    EXPECT_EQ(table.RecCount(), 1);
    EXPECT_FALSE(std::filesystem::exists(path + ".backup"));
}

INSTANTIATE_TEST_SUITE_P(Kinds, Contract, ::testing::ValuesIn(kKinds),
                         [](const auto &info) { return std::string(info.param.label); });

} // namespace
} // namespace kvilbo::engine::test
