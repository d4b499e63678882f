// Positioning, field values, writing, appending, deletion flags, search and
// field lookups on one record buffer.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kvilbo::engine::test {
namespace {

// dBASE III table: NAVN C(5), TALL N(5), DATO D, OK L, NOTAT M(10), TID T.
class Records : public ::testing::Test {
protected:
    void SetUp() override
    {
        useFakeTime(table, clock);
        path = dir.file("R.DBF");
        createTable(table, path, 2,
                    {{"NAVN", 'C', 5, 0}, {"TALL", 'N', 5, 0}, {"DATO", 'D', 8, 0},
                     {"OK", 'L', 1, 0}, {"NOTAT", 'M', 10, 0}, {"TID", 'T', 6, 0}});
        ASSERT_TRUE(table.OpenDatabase(path, true, false));
    }
    void fill(int n)
    {
        for (int i = 1; i <= n; ++i) {
            table.AppendBlank();
            table.Store("NAVN", "R" + std::to_string(i));
            ASSERT_TRUE(table.Write(false));
        }
    }
    std::uint64_t recordAt(int recNo) const { return static_cast<std::uint64_t>(table.Hlen() + (recNo - 1) * table.Rlen()); }

    TempDir dir;
    FakeClock clock;
    TDbfTable table;
    std::string path;
};

TEST_F(Records, EmptyTableGivesBlankBufferAndRecNoZero)
{
    table.Go(1);
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(table.GetF(1), "     ");
    EXPECT_FALSE(table.Records());
    EXPECT_FALSE(table.Write(false));
    EXPECT_EQ(table.lastErrorMessage(), msg::kWriteNoRecords);
}

TEST_F(Records, GoAndSeekBounds)
{
    fill(3);
    table.Go(2);
    EXPECT_EQ(table.GetF(1), "R2   ");
    table.Go(0);
    table.Go(4);
    EXPECT_EQ(table.RecNo(), 2);
    table.Seek(-1);
    EXPECT_EQ(table.RecNo(), 2);
    table.Seek(3);
    EXPECT_EQ(table.RecNo(), 4);
    EXPECT_EQ(table.GetF(1), "R2   ") << "Seek beyond the end keeps the buffer";
    table.GotoEnd();
    EXPECT_TRUE(table.Eof());
    table.GotoNext();
    EXPECT_FALSE(table.Eof());
    EXPECT_EQ(table.RecNo(), 4);
    EXPECT_EQ(table.GetF(1), "R3   ");
    table.GotoStart();
    table.GotoPrev();
    EXPECT_EQ(table.RecNo(), 1);
}

TEST_F(Records, WritingPastTheLastRecordIsRefused)
{
    fill(2);
    const Bytes before = readBytes(path);
    table.GotoEnd();
    table.GotoNext();
    EXPECT_FALSE(table.Write(false));
    EXPECT_EQ(table.lastErrorMessage(), msg::kWriteOutside);
    table.Delete(true);
    EXPECT_EQ(readBytes(path), before);
}

struct StoreCase {
    const char *label;
    const char *field;
    const char *value;
    int fieldNo;
    const char *stored;
};

class StoreRules : public Records, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(StoreRules, PadsAndCutsByType)
{
    fill(1);
    const StoreCase &c = GetParam();
    table.Store(c.field, c.value);
    EXPECT_EQ(table.GetF(c.fieldNo), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoreRules,
    ::testing::Values(StoreCase{"CharacterPaddedRight", "NAVN", "AB", 1, "AB   "},
                      StoreCase{"NumericPaddedLeft", "TALL", "AB", 2, "   AB"},
                      StoreCase{"LongValueCut", "NAVN", "ABCDEFG", 1, "ABCDE"},
                      StoreCase{"LowerCaseNameFound", "navn", "x", 1, "x    "},
                      StoreCase{"LeadingSpaceFindsNothing", " NAVN", "x", 1, "R1   "},
                      StoreCase{"DateCopiedAndFilled", "DATO", "2024", 3, "2024    "},
                      StoreCase{"LogicalPaddedRight", "OK", "T", 4, "T"},
                      StoreCase{"MemoPointerRightJustified", "NOTAT", "12", 5, "12"},
                      StoreCase{"Cp1252Character", "NAVN", "bl\xC3\xA5", 1, "bl\xC3\xA5  "}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(Records, StoredTextIsWindows1252OnDisk)
{
    fill(1);
    table.Store("NAVN", "\xC3\x86\xC3\x98\xC3\x85\xE2\x82\xAC");
    ASSERT_TRUE(table.Write(false));
    const Bytes b = readBytes(path);
    EXPECT_EQ(slice(b, recordAt(1) + 1, 5), (Bytes{0xC6, 0xD8, 0xC5, 0x80, ' '}));
}

TEST_F(Records, WriteMakesRecordLiveAndDatesHeader)
{
    fill(1);
    clock.now = makeStamp(2031, 12, 24, 8, 0, 0, 0);
    table.Delete(true);
    EXPECT_TRUE(table.IsCurrentRecDeleted());
    Bytes b = readBytes(path);
    EXPECT_EQ(b[recordAt(1)], '*');
    EXPECT_EQ(slice(b, 1, 3), (Bytes{31, 12, 24}));
    clock.now = makeStamp(2032, 1, 2, 8, 0, 0, 0);
    table.Store("NAVN", "NY");
    ASSERT_TRUE(table.Write(false));
    b = readBytes(path);
    EXPECT_EQ(b[recordAt(1)], ' ');
    EXPECT_EQ(slice(b, recordAt(1) + 1, 5), ascii("NY   "));
    EXPECT_EQ(slice(b, 1, 3), (Bytes{32, 1, 2}));
    EXPECT_EQ(b[14], 0) << "the claim is released after writing";
}

TEST_F(Records, AppendBlankAddsSpacesAndEndByte)
{
    fill(3);
    table.AppendBlank();
    EXPECT_EQ(table.RecNo(), 4);
    EXPECT_EQ(table.RecCount(), 4);
    EXPECT_EQ(table.GetRecordsCount(), 4);
    const Bytes b = readBytes(path);
    ASSERT_EQ(b.size(), recordAt(5) + 1);
    EXPECT_EQ(slice(b, recordAt(4), static_cast<std::size_t>(table.Rlen())), Bytes(table.Rlen(), ' '));
    EXPECT_EQ(b.back(), 0x1A);
    EXPECT_EQ(b[4], 4);
}

TEST_F(Records, AppendBlankCountsRecordsOfOtherInstances)
{
    table.closedatabase();
    TDbfTable other;
    ASSERT_TRUE(table.OpenDatabase(path, false, false));
    ASSERT_TRUE(other.OpenDatabase(path, false, false));
    table.AppendBlank();
    other.AppendBlank();
    table.AppendBlank();
    EXPECT_EQ(table.RecNo(), 3);
    EXPECT_EQ(other.RecCount(), 2);
    other.H_Refresh();
    EXPECT_EQ(other.RecCount(), 3);
}

TEST_F(Records, GetFOfMemoFieldsGivesBlockNumbers)
{
    table.closedatabase();
    createTable(table, path, 0, {{"NOTAT", 'M', 4, 0}, {"BIG", 'C', 10, 0}});
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.AppendBlank();
    EXPECT_EQ(table.GetF(1), "0") << "four spaces count as no memo";
    table.closedatabase();
    Bytes b = readBytes(path);
    const std::size_t at = 32 * 2 + 296 + 1;
    b[at] = 0x2C;
    b[at + 1] = 0x01;
    b[at + 2] = 0;
    b[at + 3] = 0;
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    EXPECT_EQ(table.GetF(1), "300");
    EXPECT_EQ(table.MemoState(1), "EDITOR");
}

TEST_F(Records, DecimalPointerForms)
{
    fill(1);
    const std::pair<const char *, const char *> cases[] = {
        {"         5", "5"}, {"0000000012", "12"}, {"  abc     ", "0"}, {"         0", "0"}, {"          ", "0"}};
    for (const auto &[stored, expected] : cases) {
        table.Store("NOTAT", stored);
        EXPECT_EQ(table.GetF(5), expected) << stored;
    }
    table.Store("NOTAT", "         5");
    EXPECT_EQ(table.MemoState(5), "EDITOR");
    table.Store("NOTAT", "         0");
    EXPECT_EQ(table.MemoState(5), "editor");
}

TEST_F(Records, KortSokComparesUpperCase)
{
    fill(2);
    table.Go(2);
    table.Store("NAVN", "\xC3\xA6rlig");
    EXPECT_TRUE(table.KortSok("R"));
    EXPECT_TRUE(table.KortSok("\xC3\x86RL"));
    EXPECT_TRUE(table.KortSok("rlig"));
    EXPECT_FALSE(table.KortSok("x"));
    EXPECT_FALSE(table.KortSok(""));
}

TEST_F(Records, FieldLookups)
{
    int errors = 0;
    table.OnError = [&errors](const std::string &) { ++errors; };
    EXPECT_EQ(table.FieldNumber(" tall "), 2);
    EXPECT_EQ(table.FieldNumber("NONE"), 0);
    EXPECT_EQ(table.GetFieldByName("dato").len, 8);
    EXPECT_EQ(table.FieldType(1), "Karakter");
    EXPECT_EQ(table.FieldTypeE(5), "Memo");
    EXPECT_EQ(table.FieldType(6), "") << "T has no type name";
    EXPECT_EQ(table.FieldTypeE(4), "Logical");
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(table.FieldName(7), "");
    EXPECT_EQ(table.FieldLen(7), 0);
    EXPECT_EQ(table.GetField(-1).len, 0);
    EXPECT_EQ(table.GetFieldByName("NONE").len, 0);
    EXPECT_EQ(errors, 4);
}

TEST_F(Records, IoFailureDuringWriteThrowsAndReleasesTheClaim)
{
    fill(1);
    const std::uint64_t record = recordAt(1);
    const std::uint64_t length = static_cast<std::uint64_t>(table.Rlen());
    table.closedatabase();
    auto fs = std::make_shared<FaultyFileSystem>();
    TDbfTable faulty(fs);
    ASSERT_TRUE(faulty.OpenDatabase(path, false, false));
    fs->failWrite = [record, length](const std::string &, std::uint64_t offset) {
        return offset >= record && offset < record + length;
    };
    faulty.Store("NAVN", "X");
    EXPECT_THROW(faulty.Write(false), DbfIoError);
    EXPECT_FALSE(faulty.CoverCheck());
    fs->failWrite = {};
    EXPECT_TRUE(faulty.Write(false));
}

TEST_F(Records, WriteLeavesFieldsAnotherInstanceChangedMeanwhile)
{
    fill(1);
    table.closedatabase();
    TDbfTable other;
    ASSERT_TRUE(table.OpenDatabase(path, false, false));
    ASSERT_TRUE(other.OpenDatabase(path, false, false));
    table.Go(1);
    other.Go(1);
    other.Store("TALL", "42");
    ASSERT_TRUE(other.Write(false));
    table.Store("NAVN", "MINE");
    ASSERT_TRUE(table.Write(false));
    table.Go(1);
    EXPECT_EQ(table.GetF(1), "MINE ");
    EXPECT_EQ(table.GetF(2), "   42");
}

TEST_F(Records, ShortReadAtTheEndFillsTheRestWithSpaces)
{
    fill(2);
    table.Store("TID", "123456");
    ASSERT_TRUE(table.Write(false));
    table.closedatabase();
    Bytes b = readBytes(path);
    b.resize(b.size() - 5);
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, false, false));
    table.Go(2);
    EXPECT_EQ(table.GetF(6), "12    ");
    EXPECT_EQ(table.GetF(1), "R2   ");
}

TEST_F(Records, ExclusiveScanSeesItsOwnWrites)
{
    fill(50);
    for (int r = 1; r <= 50; ++r) {
        table.Go(r);
        table.Store("TALL", std::to_string(r));
        ASSERT_TRUE(table.Write(true));
    }
    table.GotoStart();
    for (int r = 1; r <= 50; ++r, table.GotoNext())
        ASSERT_EQ(table.GetF(2), std::string(5 - std::to_string(r).size(), ' ') + std::to_string(r));
}

} // namespace
} // namespace kvilbo::engine::test
