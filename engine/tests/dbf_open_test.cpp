// Creating tables (LagFelt, LagDatabase), opening them with every validation,
// sharing modes across handles, and closing.

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace kvilbo::engine::test {
namespace {

class CreateOpen : public ::testing::Test {
protected:
    CreateOpen() { useFakeTime(table, clock); }
    TempDir dir;
    FakeClock clock;
    TDbfTable table;
};

TEST_F(CreateOpen, FoxProTableWithoutMemoIsByteExact)
{
    const std::string path = dir.file("T.DBF");
    createTable(table, path, 0, {{"navn", 'C', 10, 0}, {"ANTALL", 'N', 5, 2}});
    const Bytes b = readBytes(path);
    ASSERT_EQ(b.size(), 32u * 2 + 296 + 1);
    EXPECT_EQ(slice(b, 0, 12), (Bytes{0x30, 24, 5, 17, 0, 0, 0, 0, 0x68, 0x01, 16, 0}));
    EXPECT_EQ(slice(b, 12, 16), Bytes(16, 0));
    EXPECT_EQ(b[28], 0x00);
    EXPECT_EQ(b[29], 0x03);
    const Bytes first = {'N', 'A', 'V', 'N', 0, 0, 0, 0, 0, 0, 0, 'C', 1, 0, 0, 0, 10, 0};
    EXPECT_EQ(slice(b, 32, 18), first);
    EXPECT_EQ(slice(b, 50, 14), Bytes(14, 0));
    const Bytes second = {'A', 'N', 'T', 'A', 'L', 'L', 0, 0, 0, 0, 0, 'N', 11, 0, 0, 0, 5, 2};
    EXPECT_EQ(slice(b, 64, 18), second);
    EXPECT_EQ(b[96], 0x0D);
    EXPECT_EQ(slice(b, 97, 263), Bytes(263, 0));
    EXPECT_EQ(b[360], 0x1A);
    EXPECT_FALSE(std::filesystem::exists(dir.file("T.FPT")));
}

TEST_F(CreateOpen, DBase4TableWithMemoHasVersion8BAndMemoFile)
{
    const std::string path = dir.file("T.DBF");
    createTable(table, path, 1, {{"NAVN", 'C', 20, 0}, {"NOTAT", 'M', 10, 0}});
    const Bytes b = readBytes(path);
    EXPECT_EQ(b[0], 0x8B);
    EXPECT_EQ(b[8] | b[9] << 8, 97);
    EXPECT_EQ(b[10] | b[11] << 8, 31);
    EXPECT_EQ(b[28], 0x02);
    EXPECT_EQ(b.size(), 98u);
    EXPECT_EQ(readBytes(dir.file("T.DBT")).size(), 512u);
}

TEST_F(CreateOpen, MemoFieldLengthFollowsTheTableTypeOfLagDatabase)
{
    const std::string path = dir.file("T.DBF");
    table.LagFelt("NAVN", 'C', 5, 0, 0);
    table.LagFelt("NOTAT", 'M', 0 + 1, 0, 0);
    table.LagDatabase(path, 2);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    EXPECT_EQ(table.HType(), 0x83);
    EXPECT_EQ(table.FieldLen(2), 10);
    EXPECT_EQ(table.GetField(2).offset, 6);
    EXPECT_EQ(table.Rlen(), 16);
}

struct LagFeltCase {
    const char *label;
    const char *name;
    char type;
    int len;
    bool accepted;
    const char *storedName;
    char storedType;
};

class LagFeltRules : public ::testing::TestWithParam<LagFeltCase> {};

TEST_P(LagFeltRules, AcceptsOrRefusesWithErrorNotification)
{
    const LagFeltCase &c = GetParam();
    TempDir dir;
    TDbfTable t;
    int errors = 0;
    t.OnError = [&errors](const std::string &text) {
        EXPECT_TRUE(text.empty());
        ++errors;
    };
    EXPECT_EQ(t.LagFelt(c.name, c.type, static_cast<std::uint8_t>(c.len), 0, 1), c.accepted);
    EXPECT_EQ(errors, c.accepted ? 0 : 1);
    t.LagFelt("X", 'C', 1, 0, 1);
    t.LagDatabase(dir.file("t.dbf"), 1);
    ASSERT_TRUE(t.OpenDatabase(dir.file("t.dbf"), true, false));
    ASSERT_EQ(t.fieldCount(), c.accepted ? 2 : 1);
    if (c.accepted) {
        EXPECT_EQ(t.FieldName(1), c.storedName);
        EXPECT_EQ(t.GetField(1).what, c.storedType);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Definitions, LagFeltRules,
    ::testing::Values(
        LagFeltCase{"ZeroLengthRefusedEvenForDate", "DATO", 'D', 0, false, "", 0},
        LagFeltCase{"UnknownTypeRefused", "FELT", 'x', 5, false, "", 0},
        LagFeltCase{"BlankNameRefused", "   ", 'C', 5, false, "", 0},
        LagFeltCase{"LowerCaseTypeAccepted", "TALL", 'n', 5, true, "TALL", 'N'},
        LagFeltCase{"LongNameCutTo11", "ABCDEFGHIJKLMNOP", 'C', 5, true, "ABCDEFGHIJK", 'C'},
        LagFeltCase{"NameTrimmedAndUpperCased", "  navn  ", 'C', 5, true, "NAVN", 'C'},
        LagFeltCase{"DateLengthFixedAt8", "DATO", 'D', 3, true, "DATO", 'D'}),
    [](const auto &info) { return std::string(info.param.label); });

TEST_F(CreateOpen, FixedLengthsByType)
{
    const std::string path = dir.file("T.DBF");
    createTable(table, path, 0,
                {{"D", 'D', 3, 0}, {"L", 'L', 9, 0}, {"M", 'M', 9, 0}, {"T", 'T', 9, 0}, {"F", 'F', 9, 3}});
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    EXPECT_EQ(table.FieldLen(1), 8);
    EXPECT_EQ(table.FieldLen(2), 1);
    EXPECT_EQ(table.FieldLen(3), 4);
    EXPECT_EQ(table.FieldLen(4), 6);
    EXPECT_EQ(table.FieldLen(5), 9);
    EXPECT_EQ(table.FieldDes(5), 3);
    EXPECT_EQ(table.Hlen(), 32 * 5 + 296);
}

TEST_F(CreateOpen, LagDatabaseWithoutDefinitionCreatesNothing)
{
    table.LagDatabase(dir.file("T.DBF"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("T.DBF")));
}

TEST_F(CreateOpen, SuccessfulOpenReportsAndGoesToRecordOne)
{
    const std::string path = dir.file("sub.dbf");
    createTable(table, path, 2, {{"A", 'C', 3, 0}});
    std::vector<std::pair<std::string, bool>> seen;
    table.OnWarn = [&seen](const std::string &text, bool error) { seen.emplace_back(text, error); };
    ASSERT_TRUE(table.OpenDatabase(path, false, false));
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, msg::kOpened);
    EXPECT_FALSE(seen[0].second);
    EXPECT_TRUE(table.lastErrorMessage().empty());
    EXPECT_EQ(table.ZoombieTid(0), 30);
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_FALSE(table.IsExclusive());
}

TEST_F(CreateOpen, MissingFileIsReported)
{
    EXPECT_FALSE(table.OpenDatabase(dir.file("none.dbf"), false, false));
    EXPECT_EQ(table.lastErrorMessage(), msg::kNotFound);
    EXPECT_FALSE(table.isOpen());
}

// A valid dBASE III table of 3 records of C(5), as bytes, for damaging.
Bytes smallTable(const TempDir &dir)
{
    TDbfTable t;
    const std::string path = dir.file("base.dbf");
    createTable(t, path, 2, {{"A", 'C', 5, 0}});
    EXPECT_TRUE(t.OpenDatabase(path, true, false));
    for (int i = 0; i < 3; ++i)
        t.AppendBlank();
    t.closedatabase();
    return readBytes(path);
}

struct DamageCase {
    const char *label;
    std::function<void(Bytes &)> damage;
    const char *message;
};

class DamagedTable : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedTable, IsRefusedWithItsMessageAndLeavesNothingOpen)
{
    TempDir dir;
    Bytes b = smallTable(dir);
    GetParam().damage(b);
    const std::string path = dir.file("damaged.dbf");
    writeBytes(path, b);
    TDbfTable t;
    EXPECT_FALSE(t.OpenDatabase(path, true, false));
    EXPECT_EQ(t.lastErrorMessage(), GetParam().message);
    EXPECT_FALSE(t.isOpen());
    EXPECT_EQ(t.FSize(), 0);
    EXPECT_FALSE(t.IsFileInUse(path));
}

void setU16(Bytes &b, std::size_t at, int v)
{
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void setU32(Bytes &b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The small table: headLen 65, recLen 6, 3 records, so E = 83 and the file is 84 bytes.
INSTANTIATE_TEST_SUITE_P(
    Validation, DamagedTable,
    ::testing::Values(
        DamageCase{"ShorterThan32", [](Bytes &b) { b.resize(31); }, msg::kTooShort},
        DamageCase{"UnknownVersion", [](Bytes &b) { b[0] = 0x99; }, msg::kUnknownType},
        DamageCase{"ElevenBytesShort", [](Bytes &b) { b.resize(72); }, msg::kSizeMismatch},
        DamageCase{"Over400BytesLong", [](Bytes &b) { b.resize(83 + 401, ' '); }, msg::kSizeMismatch},
        DamageCase{"NegativeCount", [](Bytes &b) { setU32(b, 4, 0xFFFFFFFF); }, msg::kSizeMismatch},
        DamageCase{"NoTerminator",
                   [](Bytes &b) {
                       b[64] = 'X';
                       b.resize(65);
                       setU32(b, 4, 0);
                   },
                   msg::kNoTerminator},
        DamageCase{"RecordLengthZero", [](Bytes &b) { setU16(b, 10, 0); setU32(b, 4, 0); },
                   msg::kBadRecLen},
        DamageCase{"RecordLengthDisagrees", [](Bytes &b) { setU16(b, 10, 7); }, msg::kBadRecLen},
        DamageCase{"HeaderLengthTooSmall", [](Bytes &b) { setU16(b, 8, 40); }, msg::kBadHeadLen},
        DamageCase{"MoreThan256Descriptors",
                   [](Bytes &b) {
                       const Bytes descriptor = slice(b, 32, 32);
                       Bytes out = slice(b, 0, 32);
                       for (int i = 0; i < 257; ++i)
                           out.insert(out.end(), descriptor.begin(), descriptor.end());
                       out.push_back(0x0D);
                       out.push_back(0x1A);
                       setU32(out, 4, 0);
                       setU16(out, 8, 32 * 257 + 33);
                       setU16(out, 10, 1 + 257 * 5);
                       b = out;
                   },
                   msg::kTooManyFields}),
    [](const auto &info) { return std::string(info.param.label); });

struct SizeCase {
    const char *label;
    long delta;
    bool accepted;
};

class SizeTolerance : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeTolerance, FileSizeAroundTheHeaderExpectation)
{
    TempDir dir;
    Bytes b = smallTable(dir);
    const long expected = 65 + 3 * 6;
    b.resize(static_cast<std::size_t>(expected + GetParam().delta), ' ');
    writeBytes(dir.file("s.dbf"), b);
    TDbfTable t;
    EXPECT_EQ(t.OpenDatabase(dir.file("s.dbf"), false, false), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(Bounds, SizeTolerance,
                         ::testing::Values(SizeCase{"TenShortAccepted", -10, true},
                                           SizeCase{"ElevenShortRefused", -11, false},
                                           SizeCase{"FourHundredLongAccepted", 400, true},
                                           SizeCase{"FourHundredOneLongRefused", 401, false}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(CreateOpen, RecordWrittenBeforeItsCountStillOpensWhenLongerThan400Bytes)
{
    const std::string path = dir.file("wide.dbf");
    createTable(table, path, 2, {{"A", 'C', 250, 0}, {"B", 'C', 250, 0}});
    Bytes b = readBytes(path);
    const std::size_t expected = b.size() - 1;
    b.resize(expected + 501, ' ');
    b.push_back(0x1A);
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, false, false)) << table.lastErrorMessage();
    EXPECT_EQ(table.RecCount(), 0);
    table.closedatabase();
    b.push_back(' ');
    writeBytes(path, b);
    EXPECT_FALSE(table.OpenDatabase(path, false, false));
}

TEST_F(CreateOpen, MissingMemoFileIsRefusedWithItsName)
{
    const std::string path = dir.file("M.DBF");
    createTable(table, path, 1, {{"NOTAT", 'M', 10, 0}});
    std::filesystem::remove(dir.file("M.DBT"));
    EXPECT_FALSE(table.OpenDatabase(path, true, false));
    const std::string expected = std::string(msg::kMemoMissingHead) + "\"" + dir.file("M.DBT") + "\"" +
                                 msg::kMemoMissingTail;
    EXPECT_EQ(table.lastErrorMessage(), expected);
    EXPECT_FALSE(table.isOpen());
    EXPECT_FALSE(table.IsFileInUse(path));
}

TEST_F(CreateOpen, MissingMemoFileCreatedOnRequestEmptiesEveryPointer)
{
    const std::string path = dir.file("M.DBF");
    createTable(table, path, 1, {{"NAVN", 'C', 3, 0}, {"NOTAT", 'M', 10, 0}});
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    for (int i = 0; i < 2; ++i) {
        table.AppendBlank();
        table.MemoWrite(2, "tekst");
    }
    table.closedatabase();
    std::filesystem::remove(dir.file("M.DBT"));
    ASSERT_TRUE(table.OpenDatabase(path, true, true));
    EXPECT_EQ(readBytes(dir.file("M.DBT")).size(), 512u);
    for (int r = 1; r <= 2; ++r) {
        table.Go(r);
        EXPECT_EQ(table.GetF(2), "0");
    }
    const Bytes b = readBytes(path);
    EXPECT_EQ(slice(b, 97 + 4, 10), ascii("         0"));
}

TEST_F(CreateOpen, ClosingAppendsTheEndByteOnlyWhenMissing)
{
    const std::string path = dir.file("E.DBF");
    createTable(table, path, 2, {{"A", 'C', 4, 0}});
    Bytes b = readBytes(path);
    b.pop_back();
    writeBytes(path, b);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.closedatabase();
    EXPECT_EQ(readBytes(path).size(), b.size() + 1);
    EXPECT_EQ(readBytes(path).back(), 0x1A);
    ASSERT_TRUE(table.OpenDatabase(path, true, false));
    table.closedatabase();
    EXPECT_EQ(readBytes(path).size(), b.size() + 1);
}

TEST_F(CreateOpen, NamesAreMatchedWithoutRegardToCase)
{
    createTable(table, dir.file("KUNDER.DBF"), 0, {{"NOTAT", 'M', 4, 0}});
    std::filesystem::rename(dir.file("KUNDER.DBF"), dir.file("kunder.dbf"));
    std::filesystem::rename(dir.file("KUNDER.FPT"), dir.file("kunder.fpt"));
    ASSERT_TRUE(table.OpenDatabase(dir.file("Kunder.Dbf"), true, false)) << table.lastErrorMessage();
    EXPECT_EQ(table.memoFileName(), dir.file("kunder.fpt"));
    table.closedatabase();
    table.MemoMake(dir.file("KUNDER.FPT"), 0);
    createTable(table, dir.file("KUNDER.DBF"), 0, {{"NOTAT", 'M', 4, 0}});
    int files = 0;
    for (const auto &e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 2);
}

TEST_F(CreateOpen, ExclusiveAndSharedOpenersExcludeEachOther)
{
    const std::string path = dir.file("S.DBF");
    createTable(table, path, 2, {{"A", 'C', 4, 0}});
    TDbfTable a, b, c;
    ASSERT_TRUE(a.OpenDatabase(path, true, false));
    EXPECT_FALSE(b.OpenDatabase(path, false, false));
    EXPECT_EQ(b.lastErrorMessage(), msg::kSharing);
    EXPECT_FALSE(b.OpenDatabase(path, true, false));
    a.closedatabase();

    ASSERT_TRUE(a.OpenDatabase(path, false, false));
    ASSERT_TRUE(b.OpenDatabase(path, false, false));
    EXPECT_FALSE(c.OpenDatabase(path, true, false));
    a.closedatabase();
    EXPECT_FALSE(c.OpenDatabase(path, true, false)) << "closing one handle dropped the other's lock";
    EXPECT_TRUE(c.IsFileInUse(path));
    b.closedatabase();
    EXPECT_FALSE(c.IsFileInUse(path));
    EXPECT_TRUE(c.OpenDatabase(path, true, false));
}

TEST_F(CreateOpen, FileProbes)
{
    EXPECT_FALSE(table.IsFileInUse(dir.file("none")));
    EXPECT_FALSE(table.FileExists_readwrite(dir.file("none")));
    writeBytes(dir.file("x"), {1});
    EXPECT_TRUE(table.FileExists_readwrite(dir.file("X")));
    EXPECT_FALSE(table.IsFileInUse(dir.file("x")));
}

TEST_F(CreateOpen, PendingDefinitionSurvivesOpeningAnotherTable)
{
    createTable(table, dir.file("a.dbf"), 2, {{"A", 'C', 4, 0}});
    table.LagFelt("B", 'C', 2, 0, 2);
    ASSERT_TRUE(table.OpenDatabase(dir.file("a.dbf"), true, false));
    table.closedatabase();
    table.LagFelt("C", 'C', 3, 0, 2);
    table.LagDatabase(dir.file("b.dbf"), 2);
    ASSERT_TRUE(table.OpenDatabase(dir.file("b.dbf"), true, false));
    EXPECT_EQ(table.fieldCount(), 2);
    EXPECT_EQ(table.FieldName(2), "C");
}

} // namespace
} // namespace kvilbo::engine::test
