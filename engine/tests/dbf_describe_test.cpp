// Description texts (askdbf) and the hexadecimal header dump (HeaderStru).

#include "engine/dbf_messages.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <regex>

namespace kvilbo::engine::test {
namespace {

class Describe : public ::testing::Test {
protected:
    void open(const std::function<void(Bytes &)> &change = {})
    {
        path = dir.file("D.DBF");
        createTable(table, path, 2, {{"A", 'C', 4, 0}});
        if (change) {
            Bytes b = readBytes(path);
            change(b);
            writeBytes(path, b);
        }
        ASSERT_TRUE(table.OpenDatabase(path, false, false));
    }
    TempDir dir;
    TDbfTable table;
    std::string path;
};

TEST_F(Describe, PlainDBase3Table)
{
    open();
    EXPECT_EQ(table.askdbf(1), "66");
    EXPECT_EQ(table.askdbf(2), "KvilboDBF v1.0");
    EXPECT_EQ(table.askdbf(3), "03h - Foxbase+/dBaseIII+");
    EXPECT_TRUE(std::regex_match(table.askdbf(4), std::regex("[1-9][0-9]?/[1-9][0-9]?-20[0-9][0-9]")));
    EXPECT_EQ(table.askdbf(5), "03h - 1252 Windows ANSI");
    EXPECT_EQ(table.askdbf(7), "");
    EXPECT_EQ(table.askdbf(8), "");
    EXPECT_EQ(table.askdbf(9), msg::kNoMemoOpen);
    EXPECT_EQ(table.askdbf(10), "DBASEIII+ DBF");
    EXPECT_EQ(table.askdbf(11), "");
    EXPECT_EQ(table.askdbf(0), "");
}

struct DateCase {
    const char *label;
    std::uint8_t year, month, day;
    const char *text;
};

class HeaderDate : public Describe, public ::testing::WithParamInterface<DateCase> {};

TEST_P(HeaderDate, TwoDigitYearsAroundEighty)
{
    const DateCase &c = GetParam();
    open([&c](Bytes &b) {
        b[1] = c.year;
        b[2] = c.month;
        b[3] = c.day;
    });
    EXPECT_EQ(table.askdbf(6), c.text);
}

INSTANTIATE_TEST_SUITE_P(Years, HeaderDate,
                         ::testing::Values(DateCase{"SeventyNineIs2079", 79, 12, 31, "31/12-2079"},
                                           DateCase{"EightyIs1980", 80, 1, 2, "2/1-1980"},
                                           DateCase{"ZeroIs2000", 0, 6, 9, "9/6-2000"}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(Describe, TypeAndCodePageNames)
{
    open([](Bytes &b) {
        b[0] = 0xE5;
        b[29] = 0xC8;
    });
    EXPECT_EQ(table.askdbf(3), "E5h - Clipper/Hiper-Six format w/ smt memofile");
    EXPECT_EQ(table.askdbf(5), "C8h - 1250 Eastern European Windows");
    table.closedatabase();
    open([](Bytes &b) { b[29] = 0x55; });
    EXPECT_EQ(table.askdbf(5), "55h - Unknown CodePage");
}

TEST_F(Describe, HeaderStruDumpsSixteenBytesPerLine)
{
    open();
    const std::string line1 = table.HeaderStru(1);
    EXPECT_EQ(line1.size(), 48u);
    EXPECT_EQ(line1.substr(0, 3), "03 ");
    EXPECT_EQ(line1.substr(12, 12), "00 00 00 00 ") << "record count";
    EXPECT_EQ(table.HeaderStru(3).substr(0, 6), "41 00 ") << "first field name";
    EXPECT_EQ(table.HeaderStru(5), "0D 1A ") << "the last line holds what is left";
    EXPECT_EQ(table.HeaderStru(6), "");
    EXPECT_EQ(table.HeaderStru(0), "");
}

TEST_F(Describe, NothingWhenClosed)
{
    EXPECT_EQ(table.askdbf(1), "");
    EXPECT_EQ(table.HeaderStru(1), "");
    EXPECT_EQ(table.FSize(), 0);
    EXPECT_EQ(table.MemoBlkSize(), 0);
}

} // namespace
} // namespace kvilbo::engine::test
